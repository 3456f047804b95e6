#include "modules/copiaramais.h"

#include "image/layout.h"
#include "image/registro.h"
#include "modules/modulo.h"

#include <utility>

namespace {

constexpr int kCelulasPorLinha = 3;
constexpr TColor kCorEscolhida = clTeal;
constexpr const char* kLegendaEspecial = "*****";

} // namespace

TFormCopiaRamais::TFormCopiaRamais(QWidget* owner, const FormatoCopiaRamais& formato)
    : TForm(owner), formato_(formato)
{
    BordaDeDialogo(this);
    SetCaption(QStringLiteral("Copia programação do ramal atual"));

    GroupBox1 = Posiciona(new TGroupBox(QStringLiteral("Selecione os ramais"), this), "GroupBox1", formato.grupo);
    for (int k = 0; k < kPosicoesRamal; ++k) {
        const Lugar lugar{formato.primeiraCelula.x + formato.passoX * (k % kCelulasPorLinha),
                          formato.primeiraCelula.y + formato.passoY * (k / kCelulasPorLinha),
                          formato.primeiraCelula.largura, formato.primeiraCelula.altura};
        const QByteArray nome = "Panel" + QByteArray::number(k + 1);
        auto* celula = Posiciona(new TPanel(GroupBox1), nome.constData(), lugar);
        celula->Tag = k + 1;
        celula->SetBevelInner(bvLowered);
        celula->OnMouseDown = [this, celula](TMouseButton, TShiftState, int, int) { CelulaMouseDown(celula); };
        celulas_[static_cast<size_t>(k)] = celula;
    }
    Panel1 = celulas_[0];

    const int yBotoes = formato.grupo.y + formato.grupo.altura + 8;
    OkButton = CriaBotao(this, {"OkButton", "O&k", {formato.grupo.x, yBotoes, 80, 28}, mrOk});
    CancButton = CriaBotao(this, {"CancButton", "&Cancela", {formato.grupo.x + 88, yBotoes, 80, 28}, mrCancel, true});
    SelButton = CriaBotao(this, {"SelButton", formato.legendaInverte, {formato.grupo.x + 176, yBotoes, 120, 28}});
    OkButton->OnClick = [this] { OkButtonClick(); };
    SelButton->OnClick = [this] { SelButtonClick(); };
}

TPanel* TFormCopiaRamais::CelulaDaPosicao(int posicao) const
{
    for (size_t k = 0; k < celulas_.size(); ++k)
        if (posicoes_[k] == posicao)
            return celulas_[k];
    return nullptr;
}

// Each showing starts with nothing chosen and the cells in the order of the
// extension numbers (an exchange sort: equal numbers need not keep their
// plan order).
void TFormCopiaRamais::FormShow()
{
    std::array<int, 12> valores{};
    for (int p = 1; p <= kPosicoesRamal; ++p) {
        posicoes_[static_cast<size_t>(p - 1)] = p;
        valores[static_cast<size_t>(p - 1)] = PalavraRamalParaNumero(LeU16(ImagemAtual + OffsetPalavraRamal(p)));
    }
    for (size_t i = 0; i + 1 < valores.size(); ++i)
        for (size_t k = i + 1; k < valores.size(); ++k)
            if (valores[k] < valores[i]) {
                std::swap(valores[k], valores[i]);
                std::swap(posicoes_[k], posicoes_[i]);
            }
    Selecao.fill(0);
    for (size_t k = 0; k < celulas_.size(); ++k) {
        const std::uint16_t palavra = LeU16(ImagemAtual + OffsetPalavraRamal(posicoes_[k]));
        const auto alto = static_cast<std::uint8_t>(palavra >> 8);
        const bool especial = (alto >= formato_.especialDe1 && alto <= formato_.especialAte1)
            || (alto >= formato_.especialDe2 && alto <= formato_.especialAte2);
        TPanel* celula = celulas_[k];
        celula->SetCaption(especial ? QString::fromLatin1(kLegendaEspecial)
                                    : QString::fromStdString(PalavraRamalParaTexto(palavra)).left(5));
        // A position that takes no copy looks disabled and never turns chosen.
        celula->SetEnabled(!especial);
        celula->SetFontColor(especial ? clGrayText : clBtnText);
        Marca(celula, false);
    }
}

void TFormCopiaRamais::Marca(TPanel* celula, bool escolhida)
{
    escolhidas_[static_cast<size_t>(celula->Tag - 1)] = escolhida;
    celula->SetBevelOuter(escolhida ? bvLowered : bvRaised);
    celula->SetColor(escolhida ? kCorEscolhida : clBtnFace);
}

void TFormCopiaRamais::CelulaMouseDown(TPanel* celula)
{
    if (!celula->Enabled())
        return;
    Marca(celula, !escolhidas_[static_cast<size_t>(celula->Tag - 1)]);
}

void TFormCopiaRamais::SelButtonClick()
{
    for (TPanel* celula : celulas_)
        CelulaMouseDown(celula);
}

void TFormCopiaRamais::OkButtonClick()
{
    Selecao.fill(0);
    for (size_t k = 0; k < celulas_.size(); ++k)
        if (escolhidas_[k] && celulas_[k]->Enabled())
            Selecao[static_cast<size_t>(posicoes_[k] - 1)] = 1;
}
