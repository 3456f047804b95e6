#pragma once
// Building windows from data: each control gets its name (its Qt objectName
// too, so that it can be found by name) and its place in its parent.
#include <QString>
#include <QWidget>

// Where a control stands in its parent: left, top, width, height.
struct Lugar {
    int x;
    int y;
    int largura;
    int altura;
};

template <typename T>
T* Posiciona(T* controle, const char* nome, Lugar lugar)
{
    controle->setObjectName(QString::fromLatin1(nome));
    controle->setGeometry(lugar.x, lugar.y, lugar.largura, lugar.altura);
    return controle;
}

// A dialog border without border icons: only the dialog's own buttons (and
// Esc) close it.
inline void BordaDeDialogo(QWidget* janela)
{
    janela->setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint
                           | Qt::WindowTitleHint);
}
