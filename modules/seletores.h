#pragma once
// Drop-down lists of extensions, groups and numbers filled from the numbering
// plan of the image under edit, stepping through the extension positions, the
// check of an extension or group number typed in a combo box, and combos
// whose text is stored once it passes that check.
#include <QString>
#include <QStringList>

#include <array>
#include <cstddef>
#include <functional>
#include <vector>

class QWidget;
class TComboBox;
class TMaskEdit;
class TSpeedButton;
class TStrings;

// The blank entry of every list.
inline const QString kEntradaEmBranco = QStringLiteral("     ");

// True when position p (1..12) holds an extension number beginning with 2 or 3.
bool RamalValido(int posicao);
// The position (1..12) of the valid extension whose number is exactly the
// text ("020" is not "20"); 0 when no valid extension has it.
int PosicaoDoRamal(const QString& texto);
// True when group g (1..4) is programmed.
bool GrupoProgramado(int grupo);

// Appends the blank entry, "9" (com9), the valid extensions, "60" (com60) and
// the programmed groups "61".."64".
void CarregaListaDestinos(bool com9, bool com60, TStrings& lista);
// The blank entry and the text of all 12 positions, valid or not.
void CarregaComboRamais(TComboBox* combo);
// The value 0 (comZero), then menor..maior, each formatted ("00" gives "05").
void CarregaComboNumeros(bool comZero, TComboBox* combo, int menor, const QString& formato, int maior);
// Gives the combo these items in place of its own, keeping the text it shows
// and running no handler of it.
void TrocaItensCombo(TComboBox* combo, const QStringList& itens);

// True when every character is a digit; the empty text too.
bool ApenasNumeros(const QString& texto);

// The first rule a typed extension or group number breaks, 0 when none.
int RegraRamalDigitado(bool recusaGrupos, const QString& texto, const QStringList& itens);
QString MensagemRegraRamal(int regra, const QString& texto);
// Checks the combo's text; a broken rule is shown in the error box and gives
// false (the caller puts the focus back on the combo).
bool ValidaComboRamal(bool recusaGrupos, TComboBox* combo);

// Moves posicao (1..12) to the next valid extension upwards or downwards; at
// the end stops on 12 (or 1) when valid, else on 11 (or 2).
void NavegaRamal(int& posicao, bool paraCima);

// The extension text of position p (1..12).
QString TextoDaPosicao(int posicao);

// The position (1..12) a typed extension number names; 1 for a number that
// no position holds and for a group number ("6n"), which is no position.
int PosicaoDoTexto(const QString& texto);

// Steps from posicao with NavegaRamal until a position whose extension text
// is not one of `pulados`. When the end of the plan keeps sending the step
// back onto a skipped number it turns and steps the other way; when every
// position reached is skipped, it stops on the last one looked at.
int PulaRamais(int posicao, bool paraCima, const QStringList& pulados);

// The four stepping buttons (first, previous, next, last) named
// SpeedButton1..4, 24 high, side by side from (x, y), each `passo` on from
// the one before.
std::array<TSpeedButton*, 4> CriaBotoesNavegacao(QWidget* pai, int x, int y, int largura = 28, int passo = 30);

// The number edit of a window that steps through the extensions and skips
// some numbers: the position it stands on and the way it last moved.
class TNavegacaoRamal {
public:
    // Gives the edit its mask; `mostra` shows a position (1..12) in the
    // window and makes it current.
    TNavegacaoRamal(TMaskEdit* edit, QStringList pulados, std::function<void(int)> mostra);

    int posicao = 1;
    bool paraCima = true;

    // The edit's change: shows the position its number names (the first for
    // a number no position holds); a number to skip moves one step on in the
    // way of the last move and puts that number in the edit instead.
    void EditChange();
    // A stepping button: from `inicio` to the next valid extension that way
    // (NavegaRamal), whose number goes into the edit, which shows it.
    void Navega(int inicio, bool paraCimaAgora);
    // Puts position p's number in the edit without showing anything.
    void PoeNumero(int posicao);

private:
    TMaskEdit* edit_;
    QStringList pulados_;
    std::function<void(int)> mostra_;
    int silencio_ = 0;
};

// Extension combos whose typed text reaches the work copy only once it
// passes the check of leaving the combo: typing marks a combo changed; its
// check validates a changed text (ValidaComboRamal) and hands one that
// passes to `grava`, which stores it or refuses it (false). A combo left
// untouched passes as it is: a stored value the user never changed is never
// refused.
class TCombosConferidos {
public:
    TCombosConferidos(bool recusaGrupos, std::function<bool(TComboBox*)> grava);

    // The combos, in the order they are checked.
    void Liga(std::vector<TComboBox*> combos);
    void MarcaAlterado(TComboBox* combo);
    // A record shown afresh: nothing typed yet.
    void LimpaAlterados();
    // The check of leaving one combo.
    bool Confere(TComboBox* combo);
    // Before another record is shown, and on Ok: the changed combos are
    // checked and stored in order; the first refused gets the focus and
    // gives false.
    bool ConfereAlterados();

private:
    std::size_t Indice(TComboBox* combo) const;

    bool recusaGrupos_;
    std::function<bool(TComboBox*)> grava_;
    std::vector<TComboBox*> combos_;
    std::vector<bool> alterados_;
};
