#pragma once
// Stored values as a window shows them: for each control, the text it was
// given and the value that text came from. While a control still shows that
// text the user has not touched it, and Ok gives the stored value back as it
// is, neither checked nor converted again; only what the user typed or chose
// is read from the control and checked.
#include <QObject>
#include <QString>

#include <cstdint>
#include <map>
#include <utility>

class TValoresMostrados {
public:
    // Puts the text in the control and remembers it as the control shows it
    // (a mask may change its look), with the stored value.
    template <class Controle>
    void Mostra(Controle* controle, const QString& texto, std::uint8_t valor)
    {
        controle->SetText(texto);
        mostrados_[controle] = {controle->Text(), valor};
    }

    // Whether the control still shows the text it was given; a control
    // never given one was not shown a stored value.
    template <class Controle>
    bool Intocado(const Controle* controle) const
    {
        const auto mostrado = mostrados_.find(controle);
        return mostrado != mostrados_.end() && controle->Text() == mostrado->second.first;
    }

    // The stored value the control was given.
    std::uint8_t Guardado(const QObject* controle) const { return mostrados_.at(controle).second; }

private:
    std::map<const QObject*, std::pair<QString, std::uint8_t>> mostrados_;
};
