#include "modules/formagcolet.h"

#include "image/layout.h"
#include "image/registro.h"
#include "modules/colunanome.h"
#include "modules/grade.h"

#include <algorithm>

TFormAgColet* FormAgColet = nullptr;

namespace {

constexpr int kContextoAjuda = 700;
constexpr int kEntradas = 80;
constexpr int kPrimeiroCodigo = 720;
constexpr int kColunaCategoria = 1;
constexpr int kColunaRota = 2;
constexpr int kColunaNumero = 3;
constexpr int kColunaNome = 4;
constexpr int kLinhaRolagem = 20;

// The entry's bytes: flags (bit 7 the category "Sim"), count (route in bits
// 5..7, digits in bits 0..4), the packed digits.
constexpr int kByteFlags = 0;
constexpr int kByteContagem = 1;
constexpr int kBitCategoria = 7;
constexpr int kRotasValidas = 8;

const QString kSim = QStringLiteral("    Sim");
const QString kNao = QString::fromUtf8("    Não");
const QString kMascaraRota = QStringLiteral("    9");
const QString kMascaraNumero = QStringLiteral(" 99999999999999999999;0");

const DadosGrade kGrade{"StringGrid1", {8, 8, 520, 340}, 5, 1 + kEntradas,
                        kDefaultGridOptions | goEditing | goTabs | goEnterAdvance, ssVertical,
                        {0, 64, 48, 120, 184}, {" Agenda", "Categoria", " Rota", " Número", " Nome"}};
const BotaoModulo<TFormAgColet> kBotoes[] = {
    {&TFormAgColet::OkButton, TPapelBotao::Ok, "OkButton", {448, 360}},
    {&TFormAgColet::CancButton, TPapelBotao::Cancela, "CancButton", {352, 360}},
    {&TFormAgColet::HelpBitBtn, TPapelBotao::Ajuda, "HelpBitBtn", {8, 360}},
};

int Digitos(const std::uint8_t* entrada)
{
    return entrada[kByteContagem] & 0x1F;
}

// Whether two entries dial the same: route and digit count, and the digits.
bool MesmaEntradaDiscagem(const NumeroDiscagem& a, const NumeroDiscagem& b)
{
    return std::equal(a.begin() + kByteContagem, a.end(), b.begin() + kByteContagem);
}

bool DigitoDeRota(char c)
{
    return c >= '0' && c < '0' + kRotasValidas;
}

} // namespace

TFormAgColet::TFormAgColet(QWidget* owner) : TFormModulo(owner)
{
    SetCaption(QStringLiteral("Agenda geral"));
    SetClientSize(536, 396);
    HelpContext = kContextoAjuda;

    StringGrid1 = CriaGrade(this, kGrade, kContextoAjuda);
    StringGrid1->OnGetEditMask = [this](int ACol, int ARow, QString& Value) { StringGrid1GetEditMask(ACol, ARow, Value); };
    // Each key starts with no character typed: keys that type none (arrows,
    // Shift) leave the route where it is.
    StringGrid1->OnKeyDown = [this](int&, TShiftState) { TeclaAgendaGeral = 0; };
    StringGrid1->OnKeyPress = [this](char& Key) { StringGrid1KeyPress(Key); };
    StringGrid1->OnKeyUp = [this](int& Key, TShiftState Shift) { StringGrid1KeyUp(Key, Shift); };

    CriaBotoes(kBotoes);
}

void TFormAgColet::FormShow()
{
    MostraEntradas();
    StringGrid1->FocusCell(kColunaCategoria, kLinhaRolagem);
    StringGrid1->FocusCell(kColunaCategoria, 1);
    StringGrid1->SetFocus();
}

// An entry without number loses its stored name as soon as it is shown.
void TFormAgColet::MostraEntradas()
{
    for (int i = 1; i <= kEntradas; ++i) {
        const std::uint8_t* entrada = ImagemAtual + OffsetAgendaGeral(i);
        if (Digitos(entrada) == 0)
            ImagemAtual[OffsetNomeAgendaGeral(i)] = 0;
        const QString rota = QString::fromStdString(RotaParaTexto(entrada[kByteContagem]));
        StringGrid1->SetCells(0, i, QStringLiteral("   %1").arg(kPrimeiroCodigo + i - 1));
        StringGrid1->SetCells(kColunaCategoria, i, BitLigado(entrada[kByteFlags], kBitCategoria) ? kSim : kNao);
        StringGrid1->SetCells(kColunaRota, i, QStringLiteral("    ") + rota);
        StringGrid1->SetCells(kColunaNumero, i, QString::fromStdString(DescompactaNumero(entrada)));
        StringGrid1->SetCells(kColunaNome, i, QString::fromStdString(LeNome(ImagemAtual + OffsetNomeAgendaGeral(i))));
    }
}

// The category cell shows what it holds, which the last key typed there set.
void TFormAgColet::StringGrid1GetEditMask(int ACol, int ARow, QString& Value)
{
    switch (ACol) {
    case kColunaCategoria: Value = StringGrid1->Cells(ACol, ARow) == kNao ? kNao : kSim; break;
    case kColunaRota: Value = kMascaraRota; break;
    case kColunaNumero: Value = kMascaraNumero; break;
    case kColunaNome: Value = MascaraNome(); break;
    default: break;
    }
}

// In the category column a character answers at once: N or n "Não", any
// other "Sim". Enter, Tab, Esc and Backspace keep their meaning.
void TFormAgColet::StringGrid1KeyPress(char& Key)
{
    TeclaAgendaGeral = Key;
    if (StringGrid1->Col() != kColunaCategoria || static_cast<unsigned char>(Key) < ' ')
        return;
    const bool nao = Key == 'N' || Key == 'n';
    StringGrid1->SetCells(kColunaCategoria, StringGrid1->Row(), nao ? kNao : kSim);
    Key = 0;
}

// A route typed goes straight on to the number.
void TFormAgColet::StringGrid1KeyUp(int&, TShiftState)
{
    if (StringGrid1->Col() != kColunaRota || !DigitoDeRota(TeclaAgendaGeral))
        return;
    TeclaAgendaGeral = 0;
    const QString rota = CelulaSemBrancos(StringGrid1, kColunaRota, StringGrid1->Row());
    if (rota.size() == 1 && DigitoDeRota(rota[0].toLatin1()))
        StringGrid1->SetCol(kColunaNumero);
}

bool TFormAgColet::LeLinha(int linha)
{
    NumeroDiscagem& entrada = entradas_[linha - 1];
    const QString categoria = CelulaSemBrancos(StringGrid1, kColunaCategoria, linha);
    const QString rota = CelulaSemBrancos(StringGrid1, kColunaRota, linha);
    const QString numero = CelulaSemBrancos(StringGrid1, kColunaNumero, linha);
    if (rota.isEmpty()) {
        if (!numero.isEmpty()) {
            RecusaCelula(QStringLiteral("É necessário definir o número da rota"), StringGrid1, kColunaRota, linha);
            return false;
        }
        return true;
    }
    if (rota.size() != 1 || !DigitoDeRota(rota[0].toLatin1())) {
        RecusaCelula(QStringLiteral("Número da rota não é válido"), StringGrid1, kColunaRota, linha);
        return false;
    }
    CompactaNumero(numero.toStdString(), entrada.data());
    entrada[kByteContagem] = static_cast<std::uint8_t>(entrada[kByteContagem] | TextoParaRota(rota.toStdString()));
    if (Digitos(entrada.data()) == 0) {
        RecusaCelula(QStringLiteral("O número de telefone deve ser informado quando a rota é definida"), StringGrid1,
                     kColunaNumero, linha);
        return false;
    }
    for (int anterior = 0; anterior < linha - 1; ++anterior)
        if (MesmaEntradaDiscagem(entradas_[anterior], entrada)) {
            RecusaCelula(QStringLiteral("Repetição de número de telefone e rota não é permitido"), StringGrid1,
                         kColunaNumero, linha);
            return false;
        }
    AjustaBit(entrada[kByteFlags], kBitCategoria, categoria == QStringLiteral("Sim"));
    return LeNomeDaCelula(StringGrid1, kColunaNome, linha, nomes_[linha - 1]);
}

void TFormAgColet::OkButtonClick()
{
    entradas_ = {};
    for (QString& nome : nomes_)
        nome.clear();
    for (int linha = 1; linha <= kEntradas; ++linha)
        if (!LeLinha(linha))
            return;
    for (int i = 1; i <= kEntradas; ++i) {
        const NumeroDiscagem& entrada = entradas_[i - 1];
        std::uint8_t* destino = ImagemAtual + OffsetAgendaGeral(i);
        AjustaBit(destino[kByteFlags], kBitCategoria, BitLigado(entrada[kByteFlags], kBitCategoria));
        std::copy(entrada.begin() + kByteContagem, entrada.end(), destino + kByteContagem);
        GravaNome(ImagemAtual + OffsetNomeAgendaGeral(i),
                  Digitos(entrada.data()) == 0 ? std::string() : nomes_[i - 1].toStdString());
    }
    SetModalResult(mrOk);
}
