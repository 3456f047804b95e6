#include "modules/formdesperta.h"

#include "image/layout.h"
#include "image/registro.h"
#include "modules/grade.h"
#include "modules/gradehorarios.h"
#include "modules/seletores.h"

#include <algorithm>
#include <span>
#include <utility>

TFormDesperta* FormDesperta = nullptr;

namespace {

constexpr int kContextoAjuda = 2300;
constexpr int kColunaHora = 1;
constexpr int kMargem = 3; // blanks before the time in a cell
constexpr int kSemModo = 16;
constexpr int kLinhaDePassagem = 9; // the cursor reaches row 1 from here on show

// The radio group's items and the mode each stands for.
struct ItemModo {
    const char* legenda;
    TModoDespertador modo;
};
const ItemModo kModos[] = {
    {"Uma única vez", mdUmaVez},
    {"Todo dia", mdTodoDia},
    {"Todo dia útil", mdDiaUtil},
    {"Repetidamente", mdRepetido},
};

const DadosGrade kGrade{"StringGrid1", {8, 8, 168, 248}, 2, 2, kDefaultGridOptions | goEditing | goEnterAdvance,
                        ssVertical, {0, 80}, {" Ramal", "  Hora"}, 1, 1, 0, 20};
const Lugar kLugarRadioGroup1{188, 8, 164, 132};
const BotaoModulo<TFormDesperta> kBotoes[] = {
    {&TFormDesperta::OkButton, TPapelBotao::Ok, "OkButton", {272, 156}},
    {&TFormDesperta::CancelButton, TPapelBotao::Cancela, "CancelButton", {272, 192}},
    {&TFormDesperta::BitBtnAjuda, TPapelBotao::Ajuda, "BitBtnAjuda", {272, 228}},
};

int IndiceDoModo(int modo)
{
    for (int i = 0; i < static_cast<int>(std::size(kModos)); ++i)
        if (kModos[i].modo == modo)
            return i;
    return -1;
}

} // namespace

TFormDesperta::TFormDesperta(QWidget* owner) : TFormModulo(owner)
{
    SetCaption(QStringLiteral("Programação de despertador"));
    SetClientSize(360, 264);
    HelpContext = kContextoAjuda;

    StringGrid1 = CriaGrade(this, kGrade, kContextoAjuda);
    StringGrid1->OnGetEditMask = [this](int ACol, int ARow, QString& Value) { StringGrid1GetEditMask(ACol, ARow, Value); };
    StringGrid1->OnDrawCell = [this](int ACol, int ARow, const TRect&, TGridDrawState) { StringGrid1DrawCell(ACol, ARow); };
    StringGrid1->OnSelectCell = [this](int, int ARow, bool&) { StringGrid1SelectCell(ARow); };
    RadioGroup1 = Posiciona(new TRadioGroup(QStringLiteral("Despertar"), this), "RadioGroup1", kLugarRadioGroup1);
    RadioGroup1->HelpContext = kContextoAjuda;
    for (const ItemModo& item : kModos)
        RadioGroup1->Items().Add(QString::fromUtf8(item.legenda));
    RadioGroup1->OnExit = [this] { RadioGroup1Exit(); };

    CriaBotoes(kBotoes);
}

void TFormDesperta::FormShow()
{
    CarregaDespertadores();
    const int n = static_cast<int>(linhas_.size());
    if (n == 0) {
        // No extension to list: one empty row that takes no typing.
        StringGrid1->SetOptions(StringGrid1->Options() & ~goEditing);
        RadioGroup1->SetEnabled(false);
    } else {
        StringGrid1->FocusCell(kColunaHora, std::min(kLinhaDePassagem, n));
        StringGrid1->FocusCell(kColunaHora, 1);
    }
    StringGrid1->SetFocus();
}

void TFormDesperta::CarregaDespertadores()
{
    linhas_.clear();
    for (int p = 1; p <= kPosicoesRamal; ++p)
        if (RamalValido(p))
            linhas_.push_back({PalavraRamalParaNumero(LeU16(ImagemAtual + OffsetPalavraRamal(p))), p, kSemModo});
    // By extension number; positions keep their order between equal numbers.
    OrdenaPorTroca(std::span(linhas_), [](const LinhaDespertador& a, const LinhaDespertador& b) {
        return std::pair(a.numero, a.posicao) < std::pair(b.numero, b.posicao);
    });
    // A grid keeps one row under its header even with nothing to list.
    StringGrid1->SetRowCount(std::max(static_cast<int>(linhas_.size()), 1) + 1);
    for (int k = 1; k <= static_cast<int>(linhas_.size()); ++k) {
        LinhaDespertador& linha = linhas_[k - 1];
        const std::uint8_t minuto = ImagemAtual[OffsetMinutoDespertador(linha.posicao)];
        const std::uint8_t horaModo = ImagemAtual[OffsetHoraDespertador(linha.posicao)];
        linha.modo = minuto == kSemHorario ? kSemModo : horaModo & kBitsModoDespertador;
        const Horario horario{static_cast<std::uint8_t>(horaModo & kBitsHoraDespertador), minuto};
        StringGrid1->SetCells(0, k, QStringLiteral("    %1").arg(linha.numero, 2, 10, QLatin1Char('0')));
        StringGrid1->SetCells(kColunaHora, k, TextoCelulaHorario(horario, kMargem));
    }
}

void TFormDesperta::StringGrid1SelectCell(int ARow)
{
    if (ARow < 1 || ARow > static_cast<int>(linhas_.size()))
        return;
    RadioGroup1->SetItemIndex(IndiceDoModo(linhas_[ARow - 1].modo));
}

void TFormDesperta::RadioGroup1Exit()
{
    const int linha = StringGrid1->Row();
    if (linha < 1 || linha > static_cast<int>(linhas_.size()))
        return;
    const int item = RadioGroup1->ItemIndex();
    linhas_[linha - 1].modo = item >= 0 ? kModos[item].modo : kSemModo;
}

// A row without a time keeps no mode: once its time is cleared, the mode
// goes too.
void TFormDesperta::StringGrid1DrawCell(int ACol, int ARow)
{
    if (ACol != kColunaHora || ARow < 1 || ARow > static_cast<int>(linhas_.size()))
        return;
    LinhaDespertador& linha = linhas_[ARow - 1];
    const QString texto = StringGrid1->Cells(ACol, ARow).trimmed();
    if (texto != QStringLiteral(":") && !(texto == QStringLiteral("__:__") && linha.modo != kSemModo))
        return;
    linha.modo = kSemModo;
    StringGrid1->SetCells(ACol, ARow, TextoCelulaHorario(Horario{}, kMargem));
    // The group shows the current row's mode only.
    if (ARow == StringGrid1->Row())
        RadioGroup1->SetItemIndex(-1);
}

void TFormDesperta::StringGrid1GetEditMask(int ACol, int, QString& Value)
{
    if (ACol == kColunaHora)
        Value = MascaraHorario(kMargem);
}

void TFormDesperta::OkButtonClick()
{
    // The mode the group shows is the current row's, even when Ok was
    // reached by its key while the group still had the focus.
    RadioGroup1Exit();
    std::vector<TGridCoord> celulas;
    for (int k = 1; k <= static_cast<int>(linhas_.size()); ++k)
        celulas.push_back({kColunaHora, k});
    std::vector<Horario> lidos;
    if (!LeHorarios(StringGrid1, celulas, lidos, [](TGridCoord) { return QStringLiteral("Horário está incorreto."); }))
        return;

    // The whole area starts from zeros: a position not listed keeps four
    // zero bytes, a listed one gets its record below.
    std::fill_n(ImagemAtual + OffsetDespertador(1), kPosicoesRamal * Area("Despertadores").tamanhoRegistro, 0);
    int total = 0;
    for (std::size_t k = 0; k < linhas_.size(); ++k) {
        const Horario& horario = lidos[k];
        const int posicao = linhas_[k].posicao;
        std::uint8_t hora = horario.hora;
        if (!horario.Vazio()) {
            ++total;
            hora |= static_cast<std::uint8_t>(linhas_[k].modo == kSemModo ? mdUmaVez : linhas_[k].modo);
        }
        std::uint8_t* registro = ImagemAtual + OffsetDespertador(posicao);
        std::fill_n(registro, Area("Despertadores").tamanhoRegistro, kSemHorario);
        ImagemAtual[OffsetMinutoDespertador(posicao)] = horario.minuto;
        ImagemAtual[OffsetHoraDespertador(posicao)] = hora;
    }
    ImagemAtual[ofsTotalDespertadores] = static_cast<std::uint8_t>(total);
    SetModalResult(mrOk);
}
