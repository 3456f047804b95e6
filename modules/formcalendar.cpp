#include "modules/formcalendar.h"

#include "image/layout.h"
#include "image/registro.h"
#include "platform/formatting.h"

#include <chrono>

TFormCalendar* FormCalendar = nullptr;

namespace {

constexpr int kContextoAjuda = 100;

// The weekday picked in the radio group (0 = Sunday); shown only, never
// stored: Ok stores the weekday of the typed date.
int DiaSemana = 0;

const char* const kDiasSemana[] = {"Domingo", "Segunda", "Terça", "Quarta", "Quinta", "Sexta", "Sábado"};
const int kDiasMes[] = {31, 0, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31}; // February judged apart

const QString kMascaraData = QStringLiteral("99/99/99;1;_");
const QString kMascaraHora = QStringLiteral("99:99:99;1;_");
constexpr int kCaracteres = 8;
const int kPosicoesDigitos[] = {0, 1, 3, 4, 6, 7};

const Lugar kLugarRotuloData{16, 16, 90, 20};
const Lugar kLugarEdit1{110, 12, 80, 24};
const Lugar kLugarRotuloHora{16, 48, 90, 20};
const Lugar kLugarEdit2{110, 44, 80, 24};
const Lugar kLugarRadioGroup1{208, 8, 184, 160};
const BotaoModulo<TFormCalendar> kBotoes[] = {
    {&TFormCalendar::HelpBitBtn, TPapelBotao::Ajuda, "HelpBitBtn", {8, 180}},
    {&TFormCalendar::CompButton, TPapelBotao::Outro, "CompButton", {104, 180}, "&Sistema"},
    {&TFormCalendar::CancButton, TPapelBotao::Cancela, "CancButton", {208, 180}},
    {&TFormCalendar::OkButton, TPapelBotao::Ok, "OkButton", {312, 180}},
};

// A field of three two-digit numbers as typed. A field with some digit
// positions filled and others blank is not read as a value: it yields
// false. Every other non-digit reads as 0, so an empty field is 00 00 00.
bool LeTresNumeros(const QString& texto, int& a, int& b, int& c)
{
    QString digitos = texto.leftJustified(kCaracteres, QLatin1Char(' '), true);
    int preenchidas = 0;
    for (int i : kPosicoesDigitos)
        if (IsDigit(digitos[i]))
            ++preenchidas;
    if (preenchidas != 0 && preenchidas != static_cast<int>(std::size(kPosicoesDigitos)))
        return false;
    for (QChar& ch : digitos)
        if (!IsDigit(ch))
            ch = QLatin1Char('0');
    a = digitos.mid(0, 2).toInt();
    b = digitos.mid(3, 2).toInt();
    c = digitos.mid(6, 2).toInt();
    return true;
}

bool DiaMesAnoValido(int dia, int mes, int ano)
{
    if (dia < 1 || dia > 31 || mes < 1 || mes > 12)
        return false;
    if (mes != 2 && dia > kDiasMes[mes - 1])
        return false;
    if (ano >= 100)
        return false;
    if (mes == 2 && (dia >= 30 || (dia == 29 && ano % 4 != 0)))
        return false;
    return true;
}

// A clock byte in its two-digit part: blanks when it is no two-digit number.
QString DoisDigitosOuBrancos(int valor)
{
    return valor >= 0 && valor < 100 ? QStringLiteral("%1").arg(valor, 2, 10, QLatin1Char('0')) : QStringLiteral("  ");
}

} // namespace

TFormCalendar::TFormCalendar(QWidget* owner) : TFormModulo(owner)
{
    SetCaption(QStringLiteral("Calendário "));
    SetClientSize(400, 216);
    HelpContext = kContextoAjuda;

    Edit1 = Posiciona(new TMaskEdit(this), "Edit1", kLugarEdit1);
    Edit1->SetEditMask(kMascaraData);
    Edit2 = Posiciona(new TMaskEdit(this), "Edit2", kLugarEdit2);
    Edit2->SetEditMask(kMascaraHora);
    Posiciona(new TLabel(QStringLiteral("&Data atual"), this), "Label1", kLugarRotuloData)->SetFocusControl(Edit1);
    Posiciona(new TLabel(QStringLiteral("&Hora atual"), this), "Label2", kLugarRotuloHora)->SetFocusControl(Edit2);
    RadioGroup1 = Posiciona(new TRadioGroup(QStringLiteral("Dia da semana"), this), "RadioGroup1", kLugarRadioGroup1);
    for (const char* dia : kDiasSemana)
        RadioGroup1->Items().Add(QString::fromUtf8(dia));

    CriaBotoes(kBotoes);
    for (TControl* controle : std::initializer_list<TControl*>{Edit1, Edit2, RadioGroup1})
        controle->HelpContext = kContextoAjuda;

    Edit2->OnEnter = [this] { VerDiaSemana(); };
    RadioGroup1->OnEnter = [this] { Edit2Exit(); };
    RadioGroup1->OnClick = [this] { RadioGroup1Click(); };
    OkButton->OnEnter = [this] { OkButtonEnter(); };
    CompButton->OnClick = [this] { CompButtonClick(); };
}

// The clock is loaded before the window is shown.
void TFormCalendar::PreparaModulo()
{
    CarregaControles();
}

// The stored date is that of the year 2000 + the year byte. When the bytes
// form no date, and for the time, each byte shows as it is, or as blanks when
// it is no two-digit number, so that a clock the exchange never set must be
// typed before Ok accepts it.
void TFormCalendar::CarregaControles()
{
    const std::uint8_t* bytesData = ImagemAtual + ofsDiaCentral;
    const std::uint8_t* bytesHora = ImagemAtual + ofsHoraCentral;
    const QDate guardada(2000 + bytesData[2], bytesData[1], bytesData[0]);
    if (guardada.isValid())
        Edit1->SetText(FormatDateTime(QStringLiteral("dd/mm/yy"), QDateTime(guardada, QTime(0, 0))));
    else
        Edit1->SetText(DoisDigitosOuBrancos(bytesData[0]) + '/' + DoisDigitosOuBrancos(bytesData[1]) + '/'
                       + DoisDigitosOuBrancos(bytesData[2]));
    Edit2->SetText(DoisDigitosOuBrancos(bytesHora[0]) + ':' + DoisDigitosOuBrancos(bytesHora[1]) + ':'
                   + DoisDigitosOuBrancos(bytesHora[2]));
    const int dia = ImagemAtual[ofsDiaSemanaCentral];
    RadioGroup1->SetItemIndex(dia >= 1 && dia <= 7 ? dia - 1 : -1);
}

void TFormCalendar::FormShow()
{
    Edit1->SetFocus();
}

bool TFormCalendar::LeData(QDate& dataLida)
{
    int dia = 0, mes = 0, ano = 0;
    if (!LeTresNumeros(Edit1->Text(), dia, mes, ano) || !DiaMesAnoValido(dia, mes, ano)) {
        Recusa(QStringLiteral("Data inválida."), Edit1);
        return false;
    }
    dataLida = QDate(ano < 80 ? 2000 + ano : 1900 + ano, mes, dia);
    return true;
}

bool TFormCalendar::LeHora(QTime& hora)
{
    int h = 0, m = 0, s = 0;
    if (!LeTresNumeros(Edit2->Text(), h, m, s) || h >= 24 || m >= 60 || s >= 60) {
        Recusa(QStringLiteral("Hora inválida."), Edit2);
        return false;
    }
    hora = QTime(h, m, s);
    return true;
}

bool TFormCalendar::VerDiaSemana()
{
    QDate dataLida;
    if (!LeData(dataLida))
        return false;
    DiaSemana = DayOfWeek(dataLida) - 1;
    RadioGroup1->SetItemIndex(DiaSemana);
    return true;
}

void TFormCalendar::Edit2Exit()
{
    QTime hora;
    LeHora(hora);
}

void TFormCalendar::RadioGroup1Click()
{
    DiaSemana = RadioGroup1->ItemIndex();
}

void TFormCalendar::OkButtonEnter()
{
    // One refusal, one box: a bad date is reported alone.
    if (!VerDiaSemana())
        return;
    QTime hora;
    LeHora(hora);
}

void TFormCalendar::CompButtonClick()
{
    const QDateTime agora = Now();
    Edit1->SetText(FormatDateTime(QStringLiteral("dd/mm/yy"), agora));
    Edit2->SetText(FormatDateTime(QStringLiteral("hh:nn:ss"), agora));
    RadioGroup1->SetItemIndex(DayOfWeek(agora.date()) - 1);
}

void TFormCalendar::OkButtonClick()
{
    QDate dataLida;
    QTime hora;
    if (!LeData(dataLida) || !LeHora(hora))
        return;
    using namespace std::chrono;
    DataParaBytes(ImagemAtual + ofsDiaCentral,
                  year_month_day{year{dataLida.year()}, month{static_cast<unsigned>(dataLida.month())},
                                 day{static_cast<unsigned>(dataLida.day())}});
    HoraParaBytes(ImagemAtual + ofsHoraCentral, milliseconds{hora.msecsSinceStartOfDay()});
    ImagemAtual[ofsDiaSemanaCentral] = static_cast<std::uint8_t>(DayOfWeek(dataLida));
    SetModalResult(mrOk);
}
