// The file dialogs as the user sees them: Qt's own dialog, in Portuguese,
// with the start name in its name field.
#include "platform/application.h"
#include "platform/dialogs.h"
#include "tests/support/input.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

TEST(FileDialogs, SaveShowsItsPatternAndSpeaksPortuguese)
{
    Application->LoadTranslations();
    ASSERT_TRUE(QDir().mkpath(TRIVANTO_TEST_OUT));
    const QString arquivo = QStringLiteral(TRIVANTO_TEST_OUT "/dialogo_salvar.png");
    TSaveDialog dialog;
    dialog.Title = QStringLiteral("Salvar arquivo de programações");
    dialog.Filter = QStringLiteral("Programações (*.PBX)|*.PBX");
    dialog.DefaultExt = QStringLiteral("PBX");
    dialog.FileName = QStringLiteral("*.PBX");
    QString nameField;
    QStringList buttons;
    QTimer::singleShot(0, [&] {
        auto* shown = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(shown, nullptr);
        input::Activate(shown);
        if (auto* name = shown->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
            nameField = name->text();
        for (QPushButton* button : shown->findChild<QDialogButtonBox*>()->findChildren<QPushButton*>())
            buttons << button->text();
        EXPECT_TRUE(shown->grab().save(arquivo)) << arquivo.toStdString();
        shown->reject();
    });
    EXPECT_FALSE(dialog.Execute());
    EXPECT_EQ(nameField, "*.PBX");
    EXPECT_TRUE(buttons.contains(QStringLiteral("Cancelar"))) << buttons.join(' ').toStdString();
}

} // namespace
