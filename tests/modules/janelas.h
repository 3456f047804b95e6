#pragma once
// Opening the library's windows in tests: through their entries, acting
// inside the real window as a user would.
#include "modules/modulo.h"
#include "platform/control.h"
#include "platform/controls.h"
#include "platform/forms.h"
#include "platform/help.h"
#include "tests/support/scripted.h"

#include <QApplication>
#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QTimer>

#include <cstdint>
#include <functional>
#include <vector>

// Calls the entry over the image and runs `atos` inside its window once it
// is shown. A window the acts leave open is cancelled afterwards, so that a
// test never hangs.
inline void AbreEntrada(TEntradaModulo entrada, std::vector<std::uint8_t>& imagem,
                        const std::function<void(TForm*)>& atos)
{
    ModalScript modal;
    modal.Then([&](QWidget* janela) {
        auto* form = qobject_cast<TForm*>(janela);
        ASSERT_NE(form, nullptr);
        atos(form);
        QTimer::singleShot(0, form, [form] {
            if (form->isVisible())
                static_cast<QDialog*>(form)->done(mrCancel);
        });
    });
    entrada(imagem.data(), nullptr);
}

// The boxes shown were a single error box ("Erro", stop icon) saying
// `texto`.
inline void ConfereUmErro(const ScriptedBoxes& boxes, const QString& texto)
{
    ASSERT_EQ(boxes.calls.size(), 1u) << boxes.Texts().join(" | ").toStdString();
    EXPECT_EQ(boxes.calls[0].text, texto);
    EXPECT_EQ(boxes.calls[0].caption, "Erro");
    EXPECT_EQ(boxes.calls[0].flags, MB_ICONSTOP);
}

// Message texts of a table, as the boxes show them.
inline QStringList TextosDe(const std::vector<const char*>& textos)
{
    QStringList lista;
    for (const char* texto : textos)
        lista << QString::fromUtf8(texto);
    return lista;
}

// The boxes shown were error boxes ("Erro", stop icon) with these texts, in
// this order.
inline void ConfereErros(const ScriptedBoxes& boxes, const std::vector<const char*>& textos)
{
    EXPECT_EQ(boxes.Texts(), TextosDe(textos));
    for (const MessageBoxCall& chamada : boxes.calls) {
        EXPECT_EQ(chamada.caption, "Erro");
        EXPECT_EQ(chamada.flags, MB_ICONSTOP);
    }
}

// The names of the window's buttons in its tab order, one space apart (a
// hidden button, as a grid's idle cell button, is not reached by Tab).
inline QString OrdemDosBotoes(QWidget* janela)
{
    QStringList ordem;
    for (QWidget* atual = janela->nextInFocusChain(); atual != janela; atual = atual->nextInFocusChain())
        if (qobject_cast<TButton*>(atual) && atual->isVisibleTo(janela))
            ordem << atual->objectName();
    return ordem.join(' ');
}

// The help button and F1 both opened the window's topic in `arquivo`; the
// boxes shown were two, the first an information box.
inline void ConfereAjudasDaJanela(const char* arquivo, int contexto, const ScriptedBoxes& boxes)
{
    ASSERT_EQ(HelpRequests().size(), 2u);
    for (const HelpRequest& pedido : HelpRequests()) {
        EXPECT_EQ(pedido.file, arquivo);
        EXPECT_EQ(pedido.context, contexto);
    }
    ASSERT_EQ(boxes.calls.size(), 2u);
    EXPECT_EQ(boxes.calls[0].caption, "Informação");
}

// A key pressed and released on a control, with the text it types.
inline void Tecla(QWidget* alvo, int tecla, const QString& texto = QString())
{
    input::Key(tecla, Qt::NoModifier, texto, alvo);
}

// The control that holds the focus inside the window.
inline QString Focado(QWidget* janela)
{
    TControl* controle = TControl::Of(janela->focusWidget());
    return controle ? controle->Widget()->objectName() : QString();
}
