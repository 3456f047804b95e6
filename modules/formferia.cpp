#include "modules/formferia.h"

#include "image/layout.h"
#include "image/registro.h"
#include "modules/gradehorarios.h"
#include "platform/formatting.h"

#include <algorithm>
#include <span>
#include <utility>
#include <vector>

TFormFeria* FormFeria = nullptr;

namespace {

constexpr int kContextoAjuda = 2000;
const QString kMascaraData = QStringLiteral("99/99");
const QString kMascaraHora = QStringLiteral("99:99");
const QString kDataVazia = QStringLiteral("__/__");

// The dates in four columns of four inside the group.
const Lugar kLugarGrupo{8, 8, 336, 152};
constexpr int kColunasDatas = 4;
constexpr int kLarguraData = 56;
constexpr int kAlturaData = 24;
constexpr int kPassoColuna = 80;
constexpr int kPassoLinha = 32;
constexpr int kMargemGrupo = 20;
const Lugar kLugarRotulo{8, 176, 200, 20};
const Lugar kLugarMaskEdit17{212, 172, kLarguraData, kAlturaData};
const BotaoModulo<TFormFeria> kBotoes[] = {
    {&TFormFeria::HelpBitBtn, TPapelBotao::Ajuda, "HelpBitBtn", {8, 212}},
    {&TFormFeria::CancButton, TPapelBotao::Cancela, "CancButton", {168, 212}},
    {&TFormFeria::OkButton, TPapelBotao::Ok, "OkButton", {264, 212}},
};

// Days in each month; February takes its 29th, there being no year.
constexpr int kDiasMes[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

bool DiaMesValido(int dia, int mes)
{
    return mes >= 1 && mes <= 12 && dia >= 1 && dia <= kDiasMes[mes - 1];
}

QString SemBrancos(const QString& texto)
{
    QString limpo = texto;
    limpo.remove(QLatin1Char(' '));
    limpo.remove(QLatin1Char('_'));
    return limpo;
}

// A two-character part typed in full, or nullopt (blank, half typed).
std::optional<int> Numero(const QString& parte)
{
    if (parte.size() != 2 || !IsDigit(parte[0]) || !IsDigit(parte[1]))
        return std::nullopt;
    return parte.toInt();
}

} // namespace

TFormFeria::TFormFeria(QWidget* owner) : TFormModulo(owner)
{
    SetCaption(QStringLiteral("Feriados"));
    SetClientSize(352, 248);
    HelpContext = kContextoAjuda;

    GroupBox1 = Posiciona(new TGroupBox(QStringLiteral("Feriados"), this), "GroupBox1", kLugarGrupo);
    GroupBox1->HelpContext = kContextoAjuda;
    for (int n = 1; n <= kFeriados; ++n) {
        const int coluna = (n - 1) % kColunasDatas;
        const int linha = (n - 1) / kColunasDatas;
        const QByteArray nome = QStringLiteral("MaskEdit%1").arg(n).toLatin1();
        MaskEdit[n - 1] = Posiciona(new TMaskEdit(GroupBox1), nome.constData(),
                                    {12 + coluna * kPassoColuna, kMargemGrupo + linha * kPassoLinha, kLarguraData,
                                     kAlturaData});
        MaskEdit[n - 1]->HelpContext = kContextoAjuda;
    }
    MaskEdit17 = Posiciona(new TMaskEdit(this), "MaskEdit17", kLugarMaskEdit17);
    MaskEdit17->HelpContext = kContextoAjuda;
    Posiciona(new TLabel(QStringLiteral("&Sábado é feriado a partir das"), this), "Label1", kLugarRotulo)
        ->SetFocusControl(MaskEdit17);

    CriaBotoes(kBotoes);
}

void TFormFeria::FormActivate()
{
    for (TMaskEdit* campo : MaskEdit)
        campo->SetEditMask(kMascaraData);
    MaskEdit17->SetEditMask(kMascaraHora);
    for (int n = 1; n <= kFeriados; ++n) {
        const std::uint8_t dia = ImagemAtual[OffsetDiaFeriado(n)];
        const std::uint8_t mes = ImagemAtual[OffsetMesFeriado(n)];
        MaskEdit[n - 1]->SetText(dia > 0 && mes > 0 ? QString::fromStdString(DiaMesParaTexto(dia, mes)) : kDataVazia);
    }
    MaskEdit17->SetText(DoisDigitos(ImagemAtual[ofsHoraFeriadoSabado]) + QLatin1Char(':')
                        + DoisDigitos(ImagemAtual[ofsMinutoFeriadoSabado]));
    horaSabadoMostrada_ = MaskEdit17->Text();
    MaskEdit17->SetFocus();
}

std::optional<TFormFeria::DataFeriado> TFormFeria::TextoParaDataFeriado(int n, QString& limpo) const
{
    limpo = SemBrancos(MaskEdit[n - 1]->Text());
    if (limpo == QStringLiteral("/") || limpo == kDataVazia)
        return DataFeriado{};
    if (limpo.size() < 5)
        return std::nullopt;
    const std::optional<int> dia = Numero(limpo.mid(0, 2));
    const std::optional<int> mes = Numero(limpo.mid(3, 2));
    if (!dia || !mes || !DiaMesValido(*dia, *mes))
        return std::nullopt;
    return DataFeriado{static_cast<std::uint8_t>(*dia), static_cast<std::uint8_t>(*mes)};
}

bool TFormFeria::FeriadoRepetido(const std::array<DataFeriado, kFeriados>& datas, int n) const
{
    for (int i = 1; i < n; ++i)
        if (datas[i - 1] == datas[n - 1])
            return true;
    return false;
}

// A typed time is taken as typed, hour and minute, with no range check; a
// part left blank (or half typed) stops the Ok here. The stored time left
// untouched goes back as it is.
bool TFormFeria::TextoParaHoraSabado(std::uint8_t& hora, std::uint8_t& minuto)
{
    const QString texto = MaskEdit17->Text();
    if (texto == horaSabadoMostrada_) {
        hora = ImagemAtual[ofsHoraFeriadoSabado];
        minuto = ImagemAtual[ofsMinutoFeriadoSabado];
        return true;
    }
    const std::optional<int> h = Numero(texto.mid(0, 2));
    const std::optional<int> m = Numero(texto.mid(3, 2));
    const char* erro = !m ? "Minuto inválido" : !h ? "Hora inválida" : nullptr;
    if (erro) {
        Application->MessageBox(QString::fromUtf8(erro), QStringLiteral("Erro"), MB_OK);
        MaskEdit17->SetFocus();
        return false;
    }
    hora = static_cast<std::uint8_t>(*h);
    minuto = static_cast<std::uint8_t>(*m);
    return true;
}

void TFormFeria::OkButtonClick()
{
    std::array<DataFeriado, kFeriados> datas{};
    for (int n = 1; n <= kFeriados; ++n) {
        QString limpo;
        const std::optional<DataFeriado> lida = TextoParaDataFeriado(n, limpo);
        if (!lida) {
            Recusa(QStringLiteral("Feriado em \"") + limpo + QStringLiteral("\" está incorreto."), MaskEdit[n - 1]);
            return;
        }
        datas[n - 1] = *lida;
        if (FeriadoRepetido(datas, n))
            datas[n - 1] = {};
    }
    std::uint8_t hora = 0;
    std::uint8_t minuto = 0;
    if (!TextoParaHoraSabado(hora, minuto))
        return;

    // The dates are stored one after another, in calendar order.
    std::vector<DataFeriado> guardadas;
    for (const DataFeriado& feriado : datas)
        if (!feriado.Vazia())
            guardadas.push_back(feriado);
    OrdenaPorTroca(std::span(guardadas),
                   [](const DataFeriado& a, const DataFeriado& b) { return std::pair(a.mes, a.dia) < std::pair(b.mes, b.dia); });
    std::fill_n(ImagemAtual + ofsDatasFeriados, Area("DatasFeriados").tamanho, std::uint8_t{0});
    for (std::size_t i = 0; i < guardadas.size(); ++i) {
        ImagemAtual[OffsetDiaFeriado(static_cast<int>(i) + 1)] = guardadas[i].dia;
        ImagemAtual[OffsetMesFeriado(static_cast<int>(i) + 1)] = guardadas[i].mes;
    }
    ImagemAtual[ofsHoraFeriadoSabado] = hora;
    ImagemAtual[ofsMinutoFeriadoSabado] = minuto;
    SetModalResult(mrOk);
}
