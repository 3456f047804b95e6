#pragma once
// Check boxes that show bits of image bytes (or of a window's work copy).
// Each box carries in its Tag which bits of which byte it stands for; the
// window reads its tags with one of the forms below, gives its boxes their
// click handler (one per window, or one per rule where boxes have rules of
// their own), and every handler stores its box with Grava. Grava writes only
// while the window is editing: filling the boxes by program (Mostra,
// Preenche) stores nothing, and a window whose flag follows the focus
// (EditaComFoco) stores only while the user is in one of its controls.
//
//   TCaixasBit caixas_{BitsDaTagBitCampo, [this](int campo) -> std::uint8_t& { return copia_[campo]; }};
//   caixas_.Liga(CheckBox2, TagBitCampo(3, 0), [this](TCheckBox* c) { CheckBox1Click(c); });
//   caixas_.Mostra();                                       // every box from its byte
//   void TFormX::CheckBox1Click(TCheckBox* c) { caixas_.Grava(c); }
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <vector>

class TCheckBox;
class TControl;

// What a box stands for: a ticked box sets `liga` in byte `campo` (the
// window's numbering of its bytes), an unticked one keeps only `mantem`.
// The box shows ticked when the bits outside `mantem` are exactly `liga`.
struct BitsDaCaixa {
    int campo;
    std::uint8_t liga;
    std::uint8_t mantem;
};

void GravaBits(std::uint8_t& byte, const BitsDaCaixa& bits, bool marcada);
bool BitsMarcados(std::uint8_t byte, const BitsDaCaixa& bits);

// Tag forms. Bit number x 16 + byte number (the byte 0..15):
constexpr int TagBitCampo(int bit, int campo) { return bit * 16 + campo; }
BitsDaCaixa BitsDaTagBitCampo(int tag);
// Bits set x 256 + bits kept, in byte 0:
constexpr int TagLigaMantem(std::uint8_t liga, std::uint8_t mantem) { return liga << 8 | mantem; }
BitsDaCaixa BitsDaTagLigaMantem(int tag);
// Bits kept x 256 + bits set, in byte 0:
constexpr int TagMantemLiga(std::uint8_t mantem, std::uint8_t liga) { return mantem << 8 | liga; }
BitsDaCaixa BitsDaTagMantemLiga(int tag);

// The bit boxes of one window and its editing flag.
class TCaixasBit {
public:
    using Decodifica = BitsDaCaixa (*)(int tag);
    using ByteDoCampo = std::function<std::uint8_t&(int campo)>;

    TCaixasBit(Decodifica decodifica, ByteDoCampo byte);

    // Gives the box its tag and its click handler (none: the window stores
    // the box itself, e.g. on Ok). Mostra fills the boxes in this order.
    void Liga(TCheckBox* caixa, int tag, std::function<void(TCheckBox*)> clique = {});
    const std::vector<TCheckBox*>& Caixas() const { return caixas_; }

    // Ticks every box from its byte, storing nothing while doing it.
    void Mostra();
    // Runs `preenche` (the window setting controls by program) storing nothing.
    void Preenche(const std::function<void()>& preenche);
    // Whether the box's byte has its bits.
    bool Marcada(const TCheckBox* caixa) const;
    // Stores the box's tick in its byte, only while editing.
    void Grava(TCheckBox* caixa);

    // The flag follows the focus: set when the user enters one of these
    // controls, cleared when the user leaves it (their OnEnter and OnExit
    // are taken for this). Without it the window is always editing.
    void EditaComFoco(std::initializer_list<TControl*> controles);
    bool Editando() const { return editando_ && preenchendo_ == 0; }

private:
    Decodifica decodifica_;
    ByteDoCampo byte_;
    std::vector<TCheckBox*> caixas_;
    bool editando_ = true;
    int preenchendo_ = 0;
};
