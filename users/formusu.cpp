#include "users/formusu.h"

#include "modules/grade.h"
#include "modules/recusa.h"
#include "platform/application.h"
#include "platform/help.h"
#include "platform/lugar.h"

#include <QValidator>

namespace {

constexpr int kContextoAjuda = 4900;
constexpr int kColunaNome = 1;
constexpr int kLarguraNome = 228;
const QString kSenhaOculta = QStringLiteral("********");

// Layout of the window and its controls (client coordinates of each parent).
constexpr int kLarguraCliente = 590;
constexpr int kAlturaCliente = 314;
constexpr Lugar kPosPanel2{316, 8, 266, 25};
constexpr Lugar kPosPanel1{316, 33, 266, 124};
constexpr Lugar kPosPanel4{316, 169, 266, 62};
constexpr Lugar kPosLabel1{12, 8, 120, 16};
constexpr Lugar kPosEdit1{12, 28, 120, 22};
const DadosGrade kGrade{"StringGrid1", {8, 8, 296, 279}, 2, kMaxUsuarios + 1,
                        goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goDrawFocusSelected
                            | goEditing,
                        ssNone, {}, {}, 1, 1, 64, 24};

struct Caixa {
    const char* nome;
    const char* legenda; // UTF-8
    TPermissoesAcesso direito;
    Lugar pos;
};

const Caixa kCaixas[] = {
    {"CheckBox1", "Programações básicas do PABX", paBasicas, {12, 10, 246, 20}},
    {"CheckBox2", "Programações de ramal do PABX", paRamal, {12, 38, 246, 20}},
    {"CheckBox3", "Programações gerais do PABX", paGerais, {12, 66, 246, 20}},
    {"CheckBox4", "Este cadastro de usuários", paUsuarios, {12, 94, 246, 20}},
};

const DadosBotao kBotoes[] = {
    {"OkButton", "O&k", {316, 262, 80, 25}, mrOk},
    {"CancButton", "&Cancela", {409, 262, 80, 25}, mrCancel, true},
    {"HelpBitBtn", "&Ajuda", {502, 262, 80, 25}},
};

const QString kSemSenha = QStringLiteral("Usuário deve ter uma senha definida");
const QString kSemGerente = QStringLiteral("Pelo menos um usuário deve acessar \"Este cadastro de usuários\"");
const QString kReiniciar =
    QStringLiteral("Para que alterações de acesso tenham efeito é necessário reiniciar o programa.");

// Refuses any character the users file cannot keep.
class ValidadorTexto : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override
    {
        return TextoParaGuardar(input) ? Acceptable : Invalid;
    }
};

QString SomenteAceitos(const QString& texto)
{
    QString aceito;
    for (QChar c : texto)
        if (CaractereAceito(c))
            aceito.append(c);
    return aceito;
}

// Blanks (and anything below them) cut from both ends, as a name or a
// password counts as empty.
std::string_view Apara(std::string_view texto)
{
    while (!texto.empty() && static_cast<unsigned char>(texto.front()) <= ' ')
        texto.remove_prefix(1);
    while (!texto.empty() && static_cast<unsigned char>(texto.back()) <= ' ')
        texto.remove_suffix(1);
    return texto;
}

std::string BytesDaCelula(const QString& celula)
{
    return TextoParaGuardar(SomenteAceitos(celula)).value_or(std::string());
}

} // namespace

TFormUsu::TFormUsu(QWidget* owner) : TForm(owner)
{
    BordaDeDialogo(this);
    SetCaption(QStringLiteral("Usuários do programa"));
    SetClientSize(kLarguraCliente, kAlturaCliente);
    HelpContext = kContextoAjuda;

    StringGrid1 = CriaGrade(this, kGrade, kContextoAjuda);
    StringGrid1->OnSelectCell = [this](int c, int r, bool& pode) { StringGrid1SelectCell(c, r, pode); };
    StringGrid1->OnSetEditText = [this](int c, int r, const QString& v) { StringGrid1SetEditText(c, r, v); };

    Panel2 = new TPanel(this);
    Posiciona(Panel2, "Panel2", kPosPanel2);
    Panel2->SetCaption(QStringLiteral("Permissão de acesso"));

    Panel1 = new TPanel(this);
    Posiciona(Panel1, "Panel1", kPosPanel1);
    Panel1->OnExit = [this] { Panel1Exit(); };
    std::array<TCheckBox**, 4> caixas{&CheckBox1, &CheckBox2, &CheckBox3, &CheckBox4};
    for (std::size_t i = 0; i < caixas.size(); ++i) {
        const Caixa& caixa = kCaixas[i];
        TCheckBox* box = new TCheckBox(QString::fromUtf8(caixa.legenda), Panel1);
        Posiciona(box, caixa.nome, caixa.pos);
        box->Tag = caixa.direito;
        box->HelpContext = kContextoAjuda;
        *caixas[i] = box;
    }

    Panel4 = new TPanel(this);
    Posiciona(Panel4, "Panel4", kPosPanel4);
    Label1 = new TLabel(QStringLiteral("&Senha de acesso"), Panel4);
    Posiciona(Label1, "Label1", kPosLabel1);
    Edit1 = new TEdit(Panel4);
    Posiciona(Edit1, "Edit1", kPosEdit1);
    Edit1->SetMaxLength(static_cast<int>(kTamanhoSenhaUsuario));
    Edit1->setValidator(new ValidadorTexto(Edit1));
    Edit1->OnEnter = [this] { Edit1Enter(); };
    Edit1->OnExit = [this] { Edit1Exit(); };
    Label1->SetFocusControl(Edit1);

    std::array<TButton**, 3> botoes{&OkButton, &CancButton, &HelpBitBtn};
    for (std::size_t i = 0; i < botoes.size(); ++i)
        *botoes[i] = CriaBotao(this, kBotoes[i], kContextoAjuda);
    OkButton->OnClick = [this] { OkButtonClick(); };
    CancButton->OnClick = [this] { CancButtonClick(); };
    HelpBitBtn->OnClick = [this] { HelpBitBtnClick(); };

    for (TControl* controle : std::initializer_list<TControl*>{StringGrid1, Panel2, Panel1, Panel4, Label1, Edit1})
        controle->HelpContext = kContextoAjuda;
}

void TFormUsu::FormShow()
{
    LeArquivoUsuarios();
    StringGrid1->SetColWidths(kColunaNome, kLarguraNome);
    StringGrid1->SetCells(0, 0, QStringLiteral(" CÓDIGO"));
    StringGrid1->SetCells(kColunaNome, 0, QStringLiteral(" NOME DO USUÁRIO"));
    PreencheGradeUsuarios();
    // Moving through row 2 makes the selection handler run for row 1.
    StringGrid1->SetRow(2);
    StringGrid1->SetCol(kColunaNome);
    StringGrid1->SetRow(1);
    StringGrid1->SetFocus();
}

void TFormUsu::PreencheGradeUsuarios()
{
    for (int k = 1; k <= kMaxUsuarios; ++k) {
        direitosOriginais_[static_cast<std::size_t>(k - 1)] = DireitosDoUsuario(RegistroUsuarios, k);
        StringGrid1->SetCells(0, k, QStringLiteral("      %1").arg(k, 2, 10, QLatin1Char('0')));
        StringGrid1->SetCells(kColunaNome, k, TextoGuardado(NomeUsuario(RegistroUsuarios, k)));
    }
}

void TFormUsu::StringGrid1SelectCell(int, int ARow, bool&)
{
    if (ARow < 1 || ARow > kMaxUsuarios)
        return;
    if (Apara(BytesDaCelula(StringGrid1->Cells(kColunaNome, ARow))).empty()) {
        PoeSenhaUsuario(RegistroUsuarios, ARow, {});
        PoeDireitosDoUsuario(RegistroUsuarios, ARow, 0);
    }
    editandoSenha_ = false;
    Edit1->SetText(SenhaUsuario(RegistroUsuarios, ARow).empty() ? QString() : kSenhaOculta);
    MostraDireitos(DireitosDoUsuario(RegistroUsuarios, ARow));
}

void TFormUsu::StringGrid1SetEditText(int, int, const QString& Value)
{
    // A name keeps only what the users file can hold: the editor drops any
    // other character, and its text reaches the cell again.
    const QString aceito = SomenteAceitos(Value);
    if (aceito != Value && StringGrid1->InplaceEditor())
        StringGrid1->InplaceEditor()->SetText(aceito);
}

void TFormUsu::Edit1Enter()
{
    Edit1->SetText(TextoGuardado(SenhaUsuario(RegistroUsuarios, StringGrid1->Row())));
    editandoSenha_ = true;
}

void TFormUsu::Edit1Exit()
{
    if (!editandoSenha_)
        return;
    editandoSenha_ = false;
    PoeSenhaUsuario(RegistroUsuarios, StringGrid1->Row(), BytesDaCelula(Edit1->Text()));
    Edit1->SetText(kSenhaOculta);
}

void TFormUsu::Panel1Exit()
{
    PoeDireitosDoUsuario(RegistroUsuarios, StringGrid1->Row(), DireitosDasCaixas());
}

void TFormUsu::OkButtonClick()
{
    // Pressed by its accelerator, Ok leaves the focus where it was: what the
    // password edit holds is taken first.
    Edit1Exit();
    Panel1Exit();
    for (int k = 1; k <= kMaxUsuarios; ++k)
        PoeNomeUsuario(RegistroUsuarios, k, BytesDaCelula(StringGrid1->Cells(kColunaNome, k)));
    if (!GravaArquivoUsuarios())
        SetModalResult(mrNone);
}

void TFormUsu::CancButtonClick()
{
    SetModalResult(mrCancel);
}

void TFormUsu::HelpBitBtnClick()
{
    ShowHelpContext(Application->HelpFile, kContextoAjuda);
}

bool TFormUsu::GravaArquivoUsuarios()
{
    bool algumDefinido = false;
    bool algumGerente = false;
    for (int k = 1; k <= kMaxUsuarios; ++k) {
        if (Apara(NomeUsuario(RegistroUsuarios, k)).empty()) {
            PoeSenhaUsuario(RegistroUsuarios, k, {});
            continue;
        }
        algumDefinido = true;
        if (Apara(SenhaUsuario(RegistroUsuarios, k)).empty()) {
            RecusaLinha(kSemSenha, k);
            return false;
        }
        if (DireitosDoUsuario(RegistroUsuarios, k) & paUsuarios)
            algumGerente = true;
    }
    if (algumDefinido && !algumGerente) {
        RecusaLinha(kSemGerente, 1);
        return false;
    }
    if (!GravaRegistroUsuarios())
        return false;
    for (int k = 1; k <= kMaxUsuarios; ++k)
        if (DireitosDoUsuario(RegistroUsuarios, k) != direitosOriginais_[static_cast<std::size_t>(k - 1)]) {
            Application->MessageBox(kReiniciar, QStringLiteral("Informação"), MB_OK | MB_ICONINFORMATION);
            break;
        }
    return true;
}

void TFormUsu::RecusaLinha(const QString& mensagem, int linha)
{
    RecusaCelula(mensagem, StringGrid1, kColunaNome, linha);
}

TCheckBox* TFormUsu::CaixaDireito(int indice) const
{
    const std::array<TCheckBox*, 4> caixas{CheckBox1, CheckBox2, CheckBox3, CheckBox4};
    return caixas[static_cast<std::size_t>(indice)];
}

TPermissoesAcesso TFormUsu::DireitosDasCaixas() const
{
    TPermissoesAcesso direitos = 0;
    for (int i = 0; i < 4; ++i)
        if (CaixaDireito(i)->Checked())
            direitos |= static_cast<TPermissoesAcesso>(CaixaDireito(i)->Tag);
    return direitos;
}

void TFormUsu::MostraDireitos(TPermissoesAcesso direitos)
{
    for (int i = 0; i < 4; ++i)
        CaixaDireito(i)->SetChecked((direitos & CaixaDireito(i)->Tag) != 0);
}
