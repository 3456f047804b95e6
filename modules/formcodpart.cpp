#include "modules/formcodpart.h"

#include "image/layout.h"
#include "image/padrao.h"
#include "image/registro.h"
#include "modules/colunanome.h"
#include "modules/grade.h"
#include "modules/seletores.h"

TFormCodPart* FormCodPart = nullptr;

namespace {

constexpr int kContextoAjuda = 2400;
constexpr int kCodigos = 40;
constexpr int kColunaRamal = 1;
constexpr int kColunaNome = 2;
constexpr int kMaximoRamal = 5;
constexpr int kLinhaRolagem = 20;

const QString kMascaraRamal = QStringLiteral(" 99999;0");

// Enter goes from the owner to the name, and from the name to the next
// row's owner (from the last row back to the first).
const DadosGrade kGrade{"StringGrid1", {8, 8, 340, 340}, 3, 1 + kCodigos,
                        kDefaultGridOptions | goEditing | goEnterAdvance, ssVertical, {0, 0, 184},
                        {" CÓDIGO", " RAMAL", " NOME"}};
const BotaoModulo<TFormCodPart> kBotoes[] = {
    {&TFormCodPart::CancButton, TPapelBotao::Cancela, "CancButton", {172, 360}},
    {&TFormCodPart::OkButton, TPapelBotao::Ok, "OkButton", {268, 360}},
    {&TFormCodPart::HelpBitBtn, TPapelBotao::Ajuda, "HelpBitBtn", {8, 360}},
};

// The first position whose number the window shows as this owner text.
// Every position counts, so "81", "83" and "68" name theirs like any
// extension; 0 when none.
int PosicaoDoDono(const QString& texto)
{
    for (int p = 1; p <= kPosicoesRamal; ++p)
        if (TextoDaPosicao(p) == texto)
            return p;
    return 0;
}

} // namespace

TFormCodPart::TFormCodPart(QWidget* owner) : TFormModulo(owner)
{
    SetCaption(QStringLiteral("Códigos particulares"));
    SetClientSize(356, 396);
    HelpContext = kContextoAjuda;

    StringGrid1 = CriaGrade(this, kGrade, kContextoAjuda);
    StringGrid1->OnGetEditMask = [this](int ACol, int ARow, QString& Value) { StringGrid1GetEditMask(ACol, ARow, Value); };

    CriaBotoes(kBotoes);
}

void TFormCodPart::FormShow()
{
    MostraCodigos();
    StringGrid1->FocusCell(kColunaRamal, kLinhaRolagem);
    StringGrid1->FocusCell(kColunaRamal, 1);
    StringGrid1->SetFocus();
}

// A code without owner loses its stored name as soon as it is shown.
void TFormCodPart::MostraCodigos()
{
    for (int j = 1; j <= kCodigos; ++j) {
        StringGrid1->SetCells(0, j, QStringLiteral("      %1").arg(j - 1, 2, 10, QLatin1Char('0')));
        const std::uint8_t dono = ImagemAtual[OffsetDonoCodigo(j)];
        if (dono == kSemReferencia) {
            ImagemAtual[OffsetNomeCodigo(j)] = 0;
            donosMostrados_[j - 1].clear();
        } else {
            donosMostrados_[j - 1] = QString::fromStdString(ReferenciaParaTexto(ImagemAtual, dono)).trimmed();
        }
        StringGrid1->SetCells(kColunaRamal, j, donosMostrados_[j - 1]);
        StringGrid1->SetCells(kColunaNome, j, QString::fromStdString(LeNome(ImagemAtual + OffsetNomeCodigo(j))));
    }
}

void TFormCodPart::StringGrid1GetEditMask(int ACol, int, QString& Value)
{
    if (ACol == kColunaRamal)
        Value = kMascaraRamal;
    else if (ACol == kColunaNome)
        Value = MascaraNome();
}

// An owner left as shown keeps its stored byte. A typed owner is stored as
// the position of the number it names, found by the same lookup that checks
// it, so no text can pass the check and be stored as another position or a
// group.
bool TFormCodPart::LeLinha(int linha)
{
    const QString dono = CelulaSemBrancos(StringGrid1, kColunaRamal, linha).left(kMaximoRamal);
    if (dono.isEmpty()) {
        donos_[linha - 1] = kSemReferencia;
        nomes_[linha - 1].clear();
        return true;
    }
    if (dono == donosMostrados_[linha - 1]) {
        donos_[linha - 1] = ImagemAtual[OffsetDonoCodigo(linha)];
        return LeNomeDaCelula(StringGrid1, kColunaNome, linha, nomes_[linha - 1]);
    }
    const int posicao = PosicaoDoDono(dono);
    if (posicao == 0) {
        RecusaCelula(QStringLiteral("Ramal não existe ou está incorreto."), StringGrid1, kColunaRamal, linha);
        return false;
    }
    donos_[linha - 1] = static_cast<std::uint8_t>(posicao - 1);
    return LeNomeDaCelula(StringGrid1, kColunaNome, linha, nomes_[linha - 1]);
}

void TFormCodPart::OkButtonClick()
{
    for (int linha = 1; linha <= kCodigos; ++linha)
        if (!LeLinha(linha))
            return;
    for (int j = 1; j <= kCodigos; ++j) {
        // A code that loses its owner now gets the factory password back.
        const bool perdeDono = donos_[j - 1] == kSemReferencia && ImagemAtual[OffsetDonoCodigo(j)] != kSemReferencia;
        if (perdeDono)
            for (int b = 0; b < 2; ++b)
                ImagemAtual[OffsetSenhaCodigo(j) + b] = BytePadrao(OffsetSenhaCodigo(j) + b);
        ImagemAtual[OffsetDonoCodigo(j)] = donos_[j - 1];
        GravaNome(ImagemAtual + OffsetNomeCodigo(j), nomes_[j - 1].toStdString());
    }
    SetModalResult(mrOk);
}
