#include "modules/caixasbit.h"

#include "platform/controls.h"

void GravaBits(std::uint8_t& byte, const BitsDaCaixa& bits, bool marcada)
{
    byte = static_cast<std::uint8_t>((byte & bits.mantem) | (marcada ? bits.liga : 0));
}

bool BitsMarcados(std::uint8_t byte, const BitsDaCaixa& bits)
{
    return (byte & static_cast<std::uint8_t>(~bits.mantem)) == bits.liga;
}

BitsDaCaixa BitsDaTagBitCampo(int tag)
{
    const auto liga = static_cast<std::uint8_t>(1u << (tag / 16 % 8));
    return {tag & 15, liga, static_cast<std::uint8_t>(~liga)};
}

BitsDaCaixa BitsDaTagLigaMantem(int tag)
{
    return {0, static_cast<std::uint8_t>(tag >> 8), static_cast<std::uint8_t>(tag & 0xFF)};
}

BitsDaCaixa BitsDaTagMantemLiga(int tag)
{
    return {0, static_cast<std::uint8_t>(tag & 0xFF), static_cast<std::uint8_t>(tag >> 8)};
}

TCaixasBit::TCaixasBit(Decodifica decodifica, ByteDoCampo byte)
    : decodifica_(decodifica), byte_(std::move(byte))
{
}

void TCaixasBit::Liga(TCheckBox* caixa, int tag, std::function<void(TCheckBox*)> clique)
{
    caixa->Tag = tag;
    if (clique)
        caixa->OnClick = [caixa, clique = std::move(clique)] { clique(caixa); };
    caixas_.push_back(caixa);
}

void TCaixasBit::Preenche(const std::function<void()>& preenche)
{
    struct Conta {
        int& n;
        explicit Conta(int& contador) : n(contador) { ++n; }
        ~Conta() { --n; }
    } conta{preenchendo_};
    preenche();
}

void TCaixasBit::Mostra()
{
    Preenche([this] {
        for (TCheckBox* caixa : caixas_)
            caixa->SetChecked(Marcada(caixa));
    });
}

bool TCaixasBit::Marcada(const TCheckBox* caixa) const
{
    const BitsDaCaixa bits = decodifica_(caixa->Tag);
    return BitsMarcados(byte_(bits.campo), bits);
}

void TCaixasBit::Grava(TCheckBox* caixa)
{
    if (!Editando())
        return;
    const BitsDaCaixa bits = decodifica_(caixa->Tag);
    GravaBits(byte_(bits.campo), bits, caixa->Checked());
}

void TCaixasBit::EditaComFoco(std::initializer_list<TControl*> controles)
{
    editando_ = false;
    for (TControl* controle : controles) {
        controle->OnEnter = [this] { editando_ = true; };
        controle->OnExit = [this] { editando_ = false; };
    }
}
