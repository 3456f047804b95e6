#pragma once
// A user's steps in a window, written as short texts so that a table row
// reads as what the user does:
//   "Edit1=3"       click into Edit1 and type 3 over its text ("Nome=" clears it)
//   "SpeedButton3"  click that button (or any button by its name)
//   "Tipo=2"        click the radio group's item 2 (RadioGroup1)
//   "ComboBox1<7"   from the field before it, Tab into the pick list and type 7
//   "Tab"           press Tab
#include "platform/controls.h"
#include "tests/modules/campos.h"

#include <QByteArray>

#include <vector>

// The field that Tab leaves to reach a pick list, in windows that have one.
struct AntesDaLista {
    const char* lista;
    const char* anterior;
};

inline void DaUmPasso(QWidget* w, const char* passo, const std::vector<AntesDaLista>& listas = {})
{
    const QByteArray texto(passo);
    if (texto == "Tab") {
        input::Key(Qt::Key_Tab);
    } else if (const int igual = texto.indexOf('='); igual > 0) {
        const QByteArray nome = texto.left(igual);
        const QString valor = QString::fromUtf8(texto.mid(igual + 1));
        if (nome == "Tipo") {
            QWidget* item = Find<TRadioGroup>(w, "RadioGroup1")->Button(valor.toInt());
            input::Click(item, QPoint(6, item->height() / 2)); // on its round box
        }
        else
            Digita(w, nome.constData(), valor);
    } else if (const int menor = texto.indexOf('<'); menor > 0) {
        const QByteArray nome = texto.left(menor);
        for (const AntesDaLista& l : listas)
            if (nome == l.lista)
                input::Click(AlvoDoClique(Find(w, l.anterior)));
        EscolhePorTab(QString::fromUtf8(texto.mid(menor + 1)));
    } else {
        Click(w, passo);
    }
}

inline void DaPassos(QWidget* w, const std::vector<const char*>& passos, const std::vector<AntesDaLista>& listas = {})
{
    for (const char* passo : passos)
        DaUmPasso(w, passo, listas);
}
