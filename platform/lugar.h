#pragma once
// Building windows from data: each control gets its name (its Qt objectName
// too, so that it can be found by name) and its place in its parent.
#include "platform/forms.h"

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

// A push button of a window: name, caption (UTF-8), place, the modal result
// it gives and whether it answers Esc.
struct DadosBotao {
    const char* nome;
    const char* legenda;
    Lugar lugar;
    int resultado = mrNone;
    bool cancela = false;
};

inline TButton* CriaBotao(QWidget* pai, const DadosBotao& dados, int contextoAjuda = 0)
{
    auto* botao = Posiciona(new TButton(QString::fromUtf8(dados.legenda), pai), dados.nome, dados.lugar);
    botao->ModalResult = dados.resultado;
    botao->Cancel = dados.cancela;
    botao->HelpContext = contextoAjuda;
    botao->setProperty("HelpContext", contextoAjuda);
    return botao;
}

// A dialog border without border icons: only the dialog's own buttons (and
// Esc) close it.
inline void BordaDeDialogo(QWidget* janela)
{
    janela->setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint
                           | Qt::WindowTitleHint);
}
