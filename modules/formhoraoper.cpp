#include "modules/formhoraoper.h"

#include "image/layout.h"
#include "image/padrao.h"
#include "image/registro.h"
#include "modules/grade.h"

#include <QFont>

#include <array>

TFormHoraOper* FormHoraOper = nullptr;

namespace {

constexpr int kContextoAjuda = 3300;
constexpr int kHoras = 24;
constexpr int kColunaTabela1 = 1;

const QString kMascaraOperadora = QStringLiteral("    99;1;_");
const QString kMensagemCodigoIncorreto = QStringLiteral("Código da operadora está incorreto.");

// One row per hour, no header row: the panels above the grid name the
// columns. Enter goes from table 1 to table 2, and on to the next hour (from
// the last back to the first).
const DadosGrade kGrade{"StringGrid1", {8, 48, 216, 328}, 3, kHoras,
                        kDefaultGridOptions | goEditing | goEnterAdvance, ssVertical, {0, 48, 48},
                        {}, 1, 0, 96, 18};

// The two tables: their column and the image byte of an hour.
struct ColunaTabela {
    int coluna;
    int (*ofs)(int hora);
};
constexpr ColunaTabela kTabelas[] = {
    {kColunaTabela1, [](int h) { return OffsetOperadoraTabela1(h); }},
    {kColunaTabela1 + 1, [](int h) { return OffsetOperadoraTabela2(h); }},
};

struct PainelTitulo {
    TPanel* TFormHoraOper::*membro;
    const char* nome;
    const char* legenda;
    Lugar lugar;
};
const PainelTitulo kPaineis[] = {
    {&TFormHoraOper::Panel1, "Panel1", "HORÁRIOS", {8, 8, 97, 40}},
    {&TFormHoraOper::Panel2, "Panel2", "Operadoras", {105, 8, 98, 20}},
    {&TFormHoraOper::Panel3, "Panel3", "Tabela 1", {105, 28, 49, 20}},
    {&TFormHoraOper::Panel4, "Panel4", "Tabela 2", {154, 28, 49, 20}},
};

const BotaoModulo<TFormHoraOper> kBotoes[] = {
    {&TFormHoraOper::Button1, TPapelBotao::Padrao, "Button1", {240, 48}},
    {&TFormHoraOper::OkButton, TPapelBotao::Ok, "OkButton", {240, 84}},
    {&TFormHoraOper::CancelButton, TPapelBotao::Cancela, "CancelButton", {240, 120}},
    {&TFormHoraOper::BitBtnAjuda, TPapelBotao::Ajuda, "BitBtnAjuda", {240, 348}},
};

QString TextoFaixaHoraria(int hora)
{
    const QString hh = QStringLiteral("%1").arg(hora, 2, 10, QLatin1Char('0'));
    return QStringLiteral("  ") + hh + QStringLiteral(":00 - ") + hh + QStringLiteral(":59");
}

// Four blanks and the code, or six blanks for no carrier.
QString TextoCelula(std::uint8_t codigo)
{
    if (codigo == kSemOperadora)
        return QString(6, QLatin1Char(' '));
    return QStringLiteral("    ") + QString::fromStdString(OperadoraParaTexto(codigo));
}

} // namespace

TFormHoraOper::TFormHoraOper(QWidget* owner) : TFormModulo(owner)
{
    SetCaption(QStringLiteral("Horários para operadoras telefônicas"));
    SetClientSize(328, 384);
    HelpContext = kContextoAjuda;

    for (const PainelTitulo& dados : kPaineis) {
        auto* painel = Posiciona(new TPanel(this), dados.nome, dados.lugar);
        painel->SetCaption(QString::fromUtf8(dados.legenda));
        painel->HelpContext = kContextoAjuda;
        // The table captions fit their narrow columns in a smaller type.
        QFont fonte = painel->font();
        fonte.setPointSizeF(fonte.pointSizeF() - 1);
        painel->setFont(fonte);
        this->*dados.membro = painel;
    }

    StringGrid1 = CriaGrade(this, kGrade, kContextoAjuda);
    StringGrid1->OnGetEditMask = [this](int ACol, int ARow, QString& Value) {
        StringGrid1GetEditMask(ACol, ARow, Value);
    };

    CriaBotoes(kBotoes);
}

// The grid is filled before the window shows.
void TFormHoraOper::PreparaModulo()
{
    for (int h = 0; h < kHoras; ++h) {
        StringGrid1->SetCells(0, h, TextoFaixaHoraria(h));
        for (const ColunaTabela& tabela : kTabelas)
            StringGrid1->SetCells(tabela.coluna, h, TextoCelula(ImagemAtual[tabela.ofs(h)]));
    }
    StringGrid1->FocusCell(kColunaTabela1, 0);
}

void TFormHoraOper::StringGrid1GetEditMask(int ACol, int, QString& Value)
{
    if (ACol >= kColunaTabela1)
        Value = kMascaraOperadora;
}

void TFormHoraOper::PadraoDaLinha(int hora)
{
    for (const ColunaTabela& tabela : kTabelas)
        StringGrid1->SetCells(tabela.coluna, hora, TextoCelula(BytePadrao(tabela.ofs(hora))));
}

void TFormHoraOper::PadButtonClick()
{
    const auto padrao = [this](int linha) { PadraoDaLinha(linha); };
    if (AplicaPadrao(TPadrao::HoraOper, 0, kHoras - 1, StringGrid1->Row(), padrao) == IDYES)
        StringGrid1->FocusCell(kColunaTabela1, 0);
    StringGrid1->SetFocus();
}

// Every hour is read before anything is written.
void TFormHoraOper::OkButtonClick()
{
    std::array<std::array<std::uint8_t, kHoras>, std::size(kTabelas)> codigos{};
    for (int h = 0; h < kHoras; ++h) {
        for (size_t t = 0; t < std::size(kTabelas); ++t) {
            const int coluna = kTabelas[t].coluna;
            if (!TextoParaOperadora(StringGrid1->Cells(coluna, h).toStdString(), codigos[t][static_cast<size_t>(h)])) {
                RecusaCelula(kMensagemCodigoIncorreto, StringGrid1, coluna, h, TVoltaCursor::PorOutraLinha);
                return;
            }
        }
    }
    for (size_t t = 0; t < std::size(kTabelas); ++t)
        for (int h = 0; h < kHoras; ++h)
            ImagemAtual[kTabelas[t].ofs(h)] = codigos[t][static_cast<size_t>(h)];
    SetModalResult(mrOk);
}
