#pragma once
// The group number of the two groups windows: a one-character edit and four
// stepping buttons (first, previous, next, last). Typing a number shows that
// group; a number outside 1..4 is refused with the window's message and the
// edit goes back to "1". Each button puts its group into the edit, which
// shows it. Previous and next disable themselves when they would step past
// the first or the last group, and each enables the other; first and last
// disable the one that would step past them. A button first asks the window
// whether the group may change (a member being typed is stored or refused
// first: the buttons take no focus, so no exit check runs on their click).
#include <QString>

#include <array>
#include <functional>

class QWidget;
class TEdit;
class TSpeedButton;

class TNavegacaoGrupo {
public:
    // `mostra` shows group g (1..4) in the window; `podeMudar` is false when
    // the group shown must stay.
    TNavegacaoGrupo(const char* foraDaFaixa, std::function<void(int)> mostra, std::function<bool()> podeMudar);

    // Builds the buttons SpeedButton1..4 side by side from (x, y) and ties
    // them and the edit to the rules above.
    std::array<TSpeedButton*, 4> CriaBotoes(QWidget* pai, int x, int y);
    void LigaEdit(TEdit* edit);

    int GrupoAtual = 1;

    void EditChange();
    void Primeiro();
    void Anterior();
    void Proximo();
    void Ultimo();
    // Puts the group into the edit and shows it.
    void PoeGrupo(int grupo);

private:

    QString foraDaFaixa_;
    std::function<void(int)> mostra_;
    std::function<bool()> podeMudar_;
    TEdit* edit_ = nullptr;
    std::array<TSpeedButton*, 4> botoes_{};
};
