#include "modules/formpref.h"

#include "image/layout.h"
#include "image/padrao.h"
#include "image/prefixos.h"
#include "modules/formtodpref.h"
#include "platform/lugar.h"

#include <QApplication>

#include <algorithm>

TFormPref* FormPref = nullptr;

namespace {

constexpr int kContextoAjuda = 1400;

// Items of the access group: index = category digit.
const char* const kCategorias[] = {
    "Ramais com categoria local", "Ramais com categoria Regional", "Ramais com categoria DDD",
    "Ramais com categoria DDI",   "Prefixo bloqueado",
};
constexpr int kItemBloqueado = 4;

const Lugar kLugarRotuloDdd{8, 2, 96, 32}; // two lines
const Lugar kLugarDdd{8, 34, 64, 22};
const Lugar kLugarRotuloPrefixo{8, 60, 90, 16};
const Lugar kLugarPrefixo{8, 76, 90, 22};
const Lugar kLugarLista{8, 102, 90, 153};
const Lugar kLugarAcesso{108, 4, 290, 112};
const Lugar kLugarNaoNecessita{10, 17, 270, 18};
const Lugar kLugarNecessita{10, 35, 270, 18};
const Lugar kLugarTabela1{30, 55, 110, 18};
const Lugar kLugarTabela2{150, 55, 110, 18};

// Tab order: the buttons come between the list and the access group, the
// defaults button after the group.
const BotaoModulo<TFormPref> kBotoes[] = {
    {&TFormPref::HelpBitBtn, TPapelBotao::Ajuda, "HelpBitBtn", {108, 202}},
    {&TFormPref::Button1, TPapelBotao::Outro, "Button1", {213, 202}, "&Todos"},
    {&TFormPref::CancButton, TPapelBotao::Cancela, "CancButton", {213, 233}},
    {&TFormPref::OkButton, TPapelBotao::Ok, "OkButton", {318, 233}},
};
const BotaoModulo<TFormPref> kBotaoPadrao[] = {
    {&TFormPref::Button2, TPapelBotao::Padrao, "Button2", {318, 202}},
};
const GrupoModulo<TFormPref> kGrupos[] = {
    {&TFormPref::GroupBox1, "GroupBox1", "Tipo de operadora", {108, 120, 290, 78}},
};

std::string DigitosDe(const QString& texto)
{
    std::string digitos;
    for (QChar c : texto)
        if (c.isDigit())
            digitos += static_cast<char>(c.unicode());
    return digitos;
}

bool ComecaCom(std::string_view texto, std::string_view inicio) { return texto.substr(0, inicio.size()) == inicio; }

// Runs while alive with a flag set, and clears it again.
class Sinaliza {
public:
    explicit Sinaliza(bool& flag) : flag_(flag) { flag_ = true; }
    ~Sinaliza() { flag_ = false; }
    Sinaliza(const Sinaliza&) = delete;
    Sinaliza& operator=(const Sinaliza&) = delete;

private:
    bool& flag_;
};

} // namespace

TFormPref::TFormPref(QWidget* owner) : TFormModulo(owner, kArquivoAjudaDigital)
{
    SetCaption(QStringLiteral("Bloqueio de prefixos"));
    SetClientSize(406, 263);
    HelpContext = kContextoAjuda;
    Sinaliza criando(mostrando_);

    MaskEdit1 = Posiciona(new TMaskEdit(this), "MaskEdit1", kLugarDdd);
    MaskEdit1->SetEditMask(QStringLiteral(" \\0999;1;_"));
    auto* rotuloDdd = Posiciona(new TLabel(QStringLiteral("Código &DDD da localidade"), this), "Label1", kLugarRotuloDdd);
    rotuloDdd->setWordWrap(true);
    rotuloDdd->SetFocusControl(MaskEdit1);
    Edit1 = Posiciona(new TMaskEdit(this), "Edit1", kLugarPrefixo);
    Edit1->SetEditMask(QStringLiteral("9999999;1;_"));
    Posiciona(new TLabel(QStringLiteral("&Prefixo"), this), "Label2", kLugarRotuloPrefixo)->SetFocusControl(Edit1);
    ListBox1 = Posiciona(new TListBox(this), "ListBox1", kLugarLista);
    ListBox1->SetSorted(true);

    CriaBotoes(kBotoes);

    RadioGroup1 = Posiciona(new TRadioGroup(QStringLiteral("Acesso ao prefixo"), this), "RadioGroup1", kLugarAcesso);
    for (const char* categoria : kCategorias)
        RadioGroup1->Items().Add(QString::fromUtf8(categoria));
    RadioGroup1->SetItemIndex(kItemBloqueado);

    CriaBotoes(kBotaoPadrao);
    CriaGrupos(kGrupos);
    RadioButton1 = Posiciona(new TRadioButton(QStringLiteral("Não necessita operadora"), GroupBox1), "RadioButton1",
                             kLugarNaoNecessita);
    RadioButton2 =
        Posiciona(new TRadioButton(QStringLiteral("Necessita operadora"), GroupBox1), "RadioButton2", kLugarNecessita);
    CheckBox1 = Posiciona(new TCheckBox(QStringLiteral("Tabela 1"), GroupBox1), "CheckBox1", kLugarTabela1);
    CheckBox2 = Posiciona(new TCheckBox(QStringLiteral("Tabela 2"), GroupBox1), "CheckBox2", kLugarTabela2);
    RadioButton1->SetChecked(true);
    CheckBox1->SetEnabled(false);
    CheckBox2->SetEnabled(false);

    for (TControl* controle : std::initializer_list<TControl*>{MaskEdit1, Edit1, ListBox1, RadioGroup1, RadioButton1,
                                                              RadioButton2, CheckBox1, CheckBox2})
        controle->HelpContext = kContextoAjuda;

    ListBox1->OnClick = [this] { ListBox1Click(); };
    ListBox1->OnKeyPress = [this](char& Key) { ListBox1KeyPress(Key); };
    Edit1->OnKeyPress = [this](char& Key) { Edit1KeyPress(Key); };
    Edit1->OnExit = [this] { Edit1Exit(); };
    RadioGroup1->OnClick = [this] { RadioGroup1Click(); };
    RadioButton1->OnClick = [this] { RadioButton1Click(); };
    RadioButton2->OnClick = [this] { RadioButton2Click(); };
    CheckBox1->OnClick = [this] { CheckBox1Click(); };
    CheckBox2->OnClick = [this] { CheckBox2Click(); };
    Button1->OnClick = [this] { Button1Click(); };
}

// The list and the area code from the image. The first prefix is selected
// and shown, so that the access and carrier controls show its decision
// before the user changes either.
void TFormPref::FormShow()
{
    ListaPrefixos = CarregaArvorePrefixos(ImagemAtual);
    std::sort(ListaPrefixos.begin(), ListaPrefixos.end());
    MaskEdit1->SetText(QStringLiteral(" 0")
                       + QString::fromStdString(CodigoDddParaTexto(LeU16(ImagemAtual + ofsCodigoDdd))));
    ListBox1->Clear();
    for (const std::string& entrada : ListaPrefixos)
        ListBox1->Items().Add(QString::fromStdString(std::string(PrefixoDaEntrada(entrada))));
    // The first prefix goes to the edit; the access and carrier controls
    // show nothing of it until a prefix is selected.
    if (ListBox1->Items().Count() > 0)
        Edit1->SetText(ListBox1->Items()[0]);
    Edit1->SetFocus();
}

int TFormPref::ProcuraPrefixo(const std::string& digitos, bool comMaiores) const
{
    for (size_t i = 0; i < ListaPrefixos.size(); ++i)
        if (PrefixoDaEntrada(ListaPrefixos[i]) == digitos)
            return static_cast<int>(i);
    // "0" is never offered for merging: "00".."09" stay apart.
    if (!comMaiores || digitos.empty() || digitos == "0")
        return -1;
    for (size_t i = 0; i < ListaPrefixos.size(); ++i)
        if (ComecaCom(ListaPrefixos[i], digitos))
            return static_cast<int>(i);
    return -1;
}

void TFormPref::AdicionaPrefixo(const std::string& prefixo, char categoria, const std::string& operadora)
{
    const std::string entrada = MontaEntradaPrefixo(prefixo, categoria, operadora);
    ListaPrefixos.insert(std::lower_bound(ListaPrefixos.begin(), ListaPrefixos.end(), entrada), entrada);
    ListBox1->Items().Add(QString::fromStdString(prefixo));
}

// Out of the list and the list box alike.
void TFormPref::RemovePrefixo(const std::string& prefixo)
{
    const int i = ProcuraPrefixo(prefixo, false);
    if (i < 0)
        return;
    ListaPrefixos.erase(ListaPrefixos.begin() + i);
    const int item = ListBox1->Items().IndexOf(QString::fromStdString(prefixo));
    if (item >= 0)
        ListBox1->Items().Delete(item);
}

void TFormPref::ListBox1Click()
{
    const int item = ListBox1->ItemIndex();
    if (item < 0)
        return;
    const QString prefixo = ListBox1->Items()[item];
    Edit1->SetText(prefixo);
    const int i = ProcuraPrefixo(prefixo.toStdString(), true);
    if (i < 0)
        return;
    const std::string& entrada = ListaPrefixos[i];
    Sinaliza mostrando(mostrando_);
    const char categoria = CategoriaDaEntrada(entrada);
    RadioGroup1->SetItemIndex(categoria >= '0' && categoria <= '3' ? categoria - '0' : kItemBloqueado);
    CheckBox1->SetChecked(false);
    CheckBox2->SetChecked(false);
    const std::string_view operadora = OperadoraDaEntrada(entrada);
    const bool necessita = operadora != "0";
    CheckBox1->SetEnabled(necessita);
    CheckBox2->SetEnabled(necessita);
    if (necessita) {
        RadioButton2->SetChecked(true);
        CheckBox1->SetChecked(operadora == "2" || operadora == "6");
        CheckBox2->SetChecked(operadora == "4" || operadora == "6");
    } else {
        RadioButton1->SetChecked(true);
    }
}

void TFormPref::ListBox1KeyPress(char& Key)
{
    if (Key != '\r')
        return;
    ListBox1Click();
    Edit1->SetFocus();
}

void TFormPref::Edit1KeyPress(char& Key)
{
    if (Key == '\r')
        EditaPrefixo();
}

// Leaving the prefix applies it too; the focus then goes where the user sent
// it (a click on the access group changes the prefix just applied).
void TFormPref::Edit1Exit()
{
    if (editando_)
        return;
    Sinaliza saindo(saindo_);
    EditaPrefixo();
}

void TFormPref::EditaPrefixo()
{
    if (editando_)
        return;
    Sinaliza editando(editando_);
    const std::string digitos = DigitosDe(Edit1->Text());
    if (ProcuraPrefixo(digitos, false) >= 0) {
        SelecionaPrefixo(digitos);
        return;
    }
    const int maior = ProcuraPrefixo(digitos, true);
    if (maior >= 0) {
        ReduzCifrasPrefixo(digitos, maior);
        return;
    }
    ExpandePrefixo(digitos);
    SelecionaPrefixo(digitos);
}

// Merges every prefix beginning with the digits into one entry with the
// decision of the first of them, after asking.
void TFormPref::ReduzCifrasPrefixo(const std::string& digitos, int maior)
{
    if (Application->MessageBox(QStringLiteral("Reduzir o número de cifras ?"), QStringLiteral("Confirmação"),
                                kCaixaSimNao) != IDYES) {
        SelecionaPrefixo(std::string());
        return;
    }
    const std::string modelo = ListaPrefixos[maior];
    std::vector<std::string> maiores;
    for (const std::string& entrada : ListaPrefixos)
        if (ComecaCom(entrada, digitos))
            maiores.emplace_back(PrefixoDaEntrada(entrada));
    for (const std::string& prefixo : maiores)
        RemovePrefixo(prefixo);
    AdicionaPrefixo(digitos, CategoriaDaEntrada(modelo), std::string(OperadoraDaEntrada(modelo)));
    SelecionaPrefixo(digitos);
}

// Splits the listed prefix that covers the digits, level by level, until
// the digits are listed themselves, each new prefix with its decision.
void TFormPref::ExpandePrefixo(const std::string& digitos)
{
    int coberto = -1;
    size_t k = 1;
    for (; k < digitos.size() && coberto < 0; ++k)
        coberto = ProcuraPrefixo(digitos.substr(0, k), false);
    if (coberto < 0)
        return;
    --k;
    const std::string modelo = ListaPrefixos[coberto];
    const char categoria = CategoriaDaEntrada(modelo);
    const std::string operadora(OperadoraDaEntrada(modelo));
    for (; k < digitos.size(); ++k) {
        const std::string nivel = digitos.substr(0, k);
        RemovePrefixo(nivel);
        for (char d = '0'; d <= '9'; ++d)
            if (ProcuraPrefixo(nivel + d, false) < 0)
                AdicionaPrefixo(nivel + d, categoria, operadora);
    }
}

// Shows the prefix at the top of the list box, selected (the first item
// when it is not listed), with its decision. From the Enter key the list box
// takes the focus; on leaving the edit the focus goes on where it was sent,
// and when that is the list box the user's click chooses the prefix (the
// list does not scroll under the mouse).
void TFormPref::SelecionaPrefixo(const std::string& digitos)
{
    if (saindo_ && QApplication::focusWidget() == ListBox1)
        return;
    int item = ListBox1->Items().IndexOf(QString::fromStdString(digitos));
    if (item < 0 && ListBox1->Items().Count() > 0)
        item = 0;
    if (item >= 0) {
        ListBox1->SetTopIndex(item);
        ListBox1->SetItemIndex(item);
    }
    if (!saindo_)
        ListBox1->SetFocus();
    ListBox1Click();
}

char TFormPref::CategoriaDoGrupo() const
{
    const int item = RadioGroup1->ItemIndex();
    return item >= 0 && item < kItemBloqueado ? static_cast<char>('0' + item) : '4';
}

std::string TFormPref::OperadoraDosControles() const
{
    if (!RadioButton2->Checked())
        return "0";
    if (CheckBox1->Checked() && CheckBox2->Checked())
        return "6";
    if (CheckBox1->Checked())
        return "2";
    if (CheckBox2->Checked())
        return "4";
    return "0";
}

void TFormPref::AlteraPrefixoSelecionado(char categoria)
{
    if (ListBox1->Items().Count() == 0)
        return;
    if (ListBox1->ItemIndex() < 0)
        ListBox1->SetItemIndex(0);
    const QString prefixo = ListBox1->Items()[ListBox1->ItemIndex()];
    Edit1->SetText(prefixo);
    const int i = ProcuraPrefixo(prefixo.toStdString(), false);
    if (i < 0)
        return;
    ListaPrefixos[i] = MontaEntradaPrefixo(prefixo.toStdString(), categoria, OperadoraDosControles());
    std::sort(ListaPrefixos.begin(), ListaPrefixos.end());
}

void TFormPref::RadioGroup1Click()
{
    if (mostrando_ || RadioGroup1->ItemIndex() < 0)
        return;
    AlteraPrefixoSelecionado(CategoriaDoGrupo());
}

void TFormPref::RadioButton1Click()
{
    if (mostrando_)
        return;
    CheckBox1->SetChecked(false);
    CheckBox2->SetChecked(false);
    CheckBox1->SetEnabled(false);
    CheckBox2->SetEnabled(false);
    AlteraPrefixoSelecionado(CategoriaDoGrupo());
}

// The entry changes only when a table is ticked.
void TFormPref::RadioButton2Click()
{
    if (mostrando_)
        return;
    CheckBox1->SetEnabled(true);
    CheckBox2->SetEnabled(true);
}

// One table or the other: ticking one clears the other.
void TFormPref::CheckBox1Click()
{
    if (mostrando_)
        return;
    if (CheckBox1->Checked())
        CheckBox2->SetChecked(false);
    AlteraPrefixoSelecionado(CategoriaDoGrupo());
}

void TFormPref::CheckBox2Click()
{
    if (mostrando_)
        return;
    if (CheckBox2->Checked())
        CheckBox1->SetChecked(false);
    AlteraPrefixoSelecionado(CategoriaDoGrupo());
}

// "Todos": one category for every prefix, carriers kept.
void TFormPref::Button1Click()
{
    if (FormTodPref && FormTodPref->ShowModal() == mrOk) {
        for (std::string& entrada : ListaPrefixos) {
            const size_t traco = entrada.find('-');
            if (traco != std::string::npos && traco + 1 < entrada.size())
                entrada[traco + 1] = CategoriaTodos;
        }
        ListBox1Click();
    }
    Edit1->SetFocus();
}

// "Padrão": the default list, the first prefix shown; the area code stays.
void TFormPref::Button2Click()
{
    if (ConfirmaPadrao(TPadrao::Pref) != IDYES)
        return;
    ListBox1->Clear();
    ListaPrefixos.clear();
    for (const std::string& entrada : ListaPrefixosPadrao())
        AdicionaPrefixo(std::string(PrefixoDaEntrada(entrada)), CategoriaDaEntrada(entrada),
                        std::string(OperadoraDaEntrada(entrada)));
    ListBox1->SetItemIndex(0);
    ListBox1Click();
    Edit1->SetFocus();
}

void TFormPref::OkButtonClick()
{
    switch (ConstroiArvorePrefixos(ListaPrefixos, MaskEdit1->Text().toStdString(), ImagemAtual)) {
    case TResultadoPrefixos::Gravado:
        SetModalResult(mrOk);
        break;
    case TResultadoPrefixos::ExcessoDePrefixos:
        MostraErro(QStringLiteral("Excesso de prefixos expandidos, será necessário reduzir alguns prefixos."));
        break;
    case TResultadoPrefixos::CodigoDddIncorreto:
        Recusa(QStringLiteral("Código DDD está incorreto."), MaskEdit1);
        break;
    }
}
