#include "modules/formplanonum.h"

#include "image/layout.h"
#include "image/padrao.h"
#include "image/registro.h"
#include "modules/colunanome.h"
#include "modules/grade.h"

TFormPlanoNum* FormPlanoNum = nullptr;

namespace {

constexpr int kContextoAjuda = 500;
constexpr int kColunaRamal = 1;
constexpr int kColunaNome = 2;

// Numbers with a fixed word, a fixed name and a fixed place.
struct NumeroReservado {
    const char* numero;
    std::uint16_t palavra;
    const char* nome;
};
const NumeroReservado kBuscaPessoa{"68", kPalavraBuscaPessoa, "Busca pessoa"};
const NumeroReservado kPorteiro1{"81", kPalavraPorteiro1, "Porteiro 1"};
const NumeroReservado kPorteiroPI{"83", kPalavraPorteiroPI, "Porteiro PI 100"};
const NumeroReservado* const kReservados[] = {&kBuscaPessoa, &kPorteiro1, &kPorteiroPI};

constexpr int kLinhaBuscaPessoa = 8; // position 07
constexpr int kLinhaPorteiro1 = 12;  // position 11
constexpr int kLinhaVetadaPI = 1;    // position 00

// Words from this one up are never taken as repeated.
constexpr std::uint16_t kPrimeiraPalavraLivre = kPalavraReservada87;

// Typed names that would pass for a reserved one are not stored.
const char* const kPrefixosNomeReservado[] = {"Porteiro", "Busca pessoa"};

const QString kMascaraRamal = QStringLiteral(" 9999");

// Enter goes from the number to the name, and from the name to the next
// row's number (from the last row back to the first).
const DadosGrade kGrade{"StringGrid1", {8, 8, 420, 340}, 3, 1 + kPosicoesRamal, kDefaultGridOptions | goEditing | goEnterAdvance,
                        ssVertical, {0, 70, 260}, {"   POS", " RAMAL", " NOME"}};
const BotaoModulo<TFormPlanoNum> kBotoes[] = {
    {&TFormPlanoNum::OkButton, TPapelBotao::Ok, "OkButton", {348, 360}},
    {&TFormPlanoNum::CancButton, TPapelBotao::Cancela, "CancButton", {252, 360}},
    {&TFormPlanoNum::PadButton, TPapelBotao::Padrao, "PadButton", {156, 360}},
    {&TFormPlanoNum::BitBtn1, TPapelBotao::Ajuda, "BitBtn1", {8, 360}},
};

QString Posicao(int linha)
{
    return QStringLiteral("%1").arg(linha - 1, 2, 10, QLatin1Char('0'));
}

bool NomeReservado(const QString& nome)
{
    for (const char* prefixo : kPrefixosNomeReservado)
        if (nome.startsWith(QString::fromUtf8(prefixo), Qt::CaseSensitive))
            return true;
    return false;
}

} // namespace

TFormPlanoNum::TFormPlanoNum(QWidget* owner) : TFormModulo(owner)
{
    SetCaption(QStringLiteral("Plano de numeração"));
    SetClientSize(436, 396);
    HelpContext = kContextoAjuda;

    StringGrid1 = CriaGrade(this, kGrade, kContextoAjuda);
    StringGrid1->OnGetEditMask = [this](int ACol, int ARow, QString& Value) { StringGrid1GetEditMask(ACol, ARow, Value); };

    CriaBotoes(kBotoes);
}

void TFormPlanoNum::FormShow()
{
    for (int p = 1; p <= kPosicoesRamal; ++p) {
        palavras_[p - 1] = LeU16(ImagemAtual + OffsetPalavraRamal(p));
        StringGrid1->SetCells(0, p, QStringLiteral("     ") + Posicao(p));
        StringGrid1->SetCells(kColunaRamal, p,
                              QStringLiteral(" ") + QString::fromStdString(PalavraRamalParaTexto(palavras_[p - 1])));
        StringGrid1->SetCells(kColunaNome, p, QString::fromStdString(LeNome(ImagemAtual + OffsetNomeRamal(p))));
    }
    StringGrid1->FocusCell(kColunaRamal, 1);
    StringGrid1->SetFocus();
}

void TFormPlanoNum::StringGrid1GetEditMask(int ACol, int, QString& Value)
{
    if (ACol == kColunaRamal)
        Value = kMascaraRamal;
    else if (ACol == kColunaNome)
        Value = MascaraNome();
}

void TFormPlanoNum::Recusa(const QString& mensagem, int linha, int coluna)
{
    RecusaCelula(mensagem, StringGrid1, coluna, linha);
}

bool TFormPlanoNum::ConfereLinha(int linha, bool& porteiroVisto)
{
    const QString numero = CelulaSemBrancos(StringGrid1, kColunaRamal, linha);
    const NumeroReservado* reservado = nullptr;
    for (const NumeroReservado* r : kReservados)
        if (numero == QLatin1String(r->numero))
            reservado = r;

    if (reservado == &kPorteiro1 || reservado == &kPorteiroPI) {
        if (reservado == &kPorteiro1 && linha != kLinhaPorteiro1) {
            Recusa(QStringLiteral("Porteiro 1 (81) deve ser na posição 11"), linha);
            return false;
        }
        if (reservado == &kPorteiroPI && linha == kLinhaVetadaPI) {
            Recusa(QStringLiteral("Porteiro PI 100 (83) não pode ser na posição 00"), linha);
            return false;
        }
        if (porteiroVisto) {
            Recusa(QStringLiteral("Somente um porteiro pode ser programado"), linha);
            return false;
        }
        porteiroVisto = true;
    } else if (reservado == &kBuscaPessoa) {
        if (linha != kLinhaBuscaPessoa) {
            Recusa(QStringLiteral("Busca pessoa (68) deve ser na posição 07"), linha);
            return false;
        }
    } else if (numero.size() < 2) {
        Recusa(QStringLiteral("Ramal deve possuir pelo menos dois dígitos"), linha);
        return false;
    } else if (numero[0] != QLatin1Char('2') && numero[0] != QLatin1Char('3')) {
        Recusa(QStringLiteral("Ramal ") + numero + QStringLiteral(" deve iniciar com 2 ou 3"), linha);
        return false;
    }

    if (reservado) {
        palavras_[linha - 1] = reservado->palavra;
        nomes_[linha - 1] = QString::fromUtf8(reservado->nome);
        return true;
    }
    QString nome;
    if (!LeNomeDaCelula(StringGrid1, kColunaNome, linha, nome))
        return false;
    palavras_[linha - 1] = TextoParaPalavraRamal(numero.toStdString());
    nomes_[linha - 1] = NomeReservado(nome) ? QString() : nome;
    return true;
}

bool TFormPlanoNum::ProcuraRamalRepetido(int& linha, QString& numero) const
{
    for (int j = 2; j <= kPosicoesRamal; ++j) {
        if (palavras_[j - 1] >= kPrimeiraPalavraLivre)
            continue;
        for (int i = 1; i < j; ++i)
            if (palavras_[i - 1] == palavras_[j - 1]) {
                linha = j;
                numero = QString::fromStdString(PalavraRamalParaTexto(palavras_[j - 1]));
                return false;
            }
    }
    return true;
}

void TFormPlanoNum::OkButtonClick()
{
    bool porteiroVisto = false;
    for (int linha = 1; linha <= kPosicoesRamal; ++linha)
        if (!ConfereLinha(linha, porteiroVisto))
            return;
    int linha = 0;
    QString numero;
    if (!ProcuraRamalRepetido(linha, numero)) {
        Recusa(QStringLiteral("Ramal ") + numero + QStringLiteral(" não pode ser repetido."), linha);
        return;
    }
    for (int p = 1; p <= kPosicoesRamal; ++p) {
        GravaU16(ImagemAtual + OffsetPalavraRamal(p), palavras_[p - 1]);
        GravaNome(ImagemAtual + OffsetNomeRamal(p), nomes_[p - 1].toStdString());
    }
    SetModalResult(mrOk);
}

void TFormPlanoNum::PadraoDaLinha(int linha)
{
    StringGrid1->SetCells(kColunaRamal, linha, QStringLiteral(" %1").arg(NumeroRamalPadrao(linha)));
    StringGrid1->SetCells(kColunaNome, linha, QString());
}

void TFormPlanoNum::PadButtonClick()
{
    const auto padrao = [this](int linha) { PadraoDaLinha(linha); };
    if (AplicaPadrao(TPadrao::PlanoNum, 1, kPosicoesRamal, StringGrid1->Row(), padrao) == IDYES) {
        StringGrid1->FocusCell(kColunaRamal, 1);
        StringGrid1->SetFocus();
    }
}
