#pragma once
// Opening the library's windows in tests: through their entries, acting
// inside the real window as a user would.
#include "modules/modulo.h"
#include "platform/control.h"
#include "platform/forms.h"
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
