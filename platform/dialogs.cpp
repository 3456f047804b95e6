#include "platform/dialogs.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QVariant>

namespace {

const char* const kFileDialogHook = "trivanto.fileDialogHook";

// "Description|patterns|Description|patterns" as Qt's "Description (patterns)";
// a description that already shows its patterns in parentheses is kept.
QStringList FilterEntries(const QString& filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts).join(QLatin1Char(' '));
        const QString shown = QLatin1Char('(') + patterns + QLatin1Char(')');
        entries << (parts[i].endsWith(shown) ? parts[i] : parts[i] + QLatin1Char(' ') + shown);
    }
    return entries;
}

QString WithDefaultExt(const QString& name, const QString& defaultExt)
{
    if (name.isEmpty() || defaultExt.isEmpty() || !QFileInfo(name).suffix().isEmpty())
        return name;
    return name + QLatin1Char('.') + defaultExt;
}

bool RunQtDialog(TFileDialogKind kind, const TFileDialogBase& d, QString& chosen)
{
    QFileDialog dialog(QApplication::activeWindow(), d.Title);
    // Qt's own dialog, whose list matches the patterns without regard to
    // letter case; the program asks itself before replacing a file.
    dialog.setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::DontConfirmOverwrite);
    dialog.setFilter(dialog.filter() & ~QDir::CaseSensitive);
    dialog.setAcceptMode(kind == TFileDialogKind::Save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(kind == TFileDialogKind::Save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilters(FilterEntries(d.Filter));
    dialog.setDefaultSuffix(d.DefaultExt);
    // The start name is shown in the name field, a pattern such as "*.PBX"
    // included.
    if (!d.FileName.isEmpty())
        dialog.selectFile(d.FileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    chosen = dialog.selectedFiles().constFirst();
    // A pattern is never a file name to write or read.
    const QString name = QFileInfo(chosen).fileName();
    return !name.contains(QLatin1Char('*')) && !name.contains(QLatin1Char('?'));
}

} // namespace

QStringList QtNameFilters(const QString& filter)
{
    return FilterEntries(filter);
}

bool TFileDialogBase::Execute()
{
    QString chosen;
    bool accepted = false;
    if (FileDialogHook hook = CurrentFileDialogHook())
        accepted = hook(FileDialogCall{kind_, Title, Filter, DefaultExt, FileName, Options, HelpContext}, chosen);
    else
        accepted = RunQtDialog(kind_, *this, chosen);
    if (!accepted)
        return false;
    FileName = WithDefaultExt(chosen, DefaultExt);
    return true;
}

void SetFileDialogHook(FileDialogHook hook)
{
    if (QCoreApplication* app = QCoreApplication::instance())
        app->setProperty(kFileDialogHook, QVariant::fromValue(reinterpret_cast<quintptr>(hook)));
}

FileDialogHook CurrentFileDialogHook()
{
    QCoreApplication* app = QCoreApplication::instance();
    return app ? reinterpret_cast<FileDialogHook>(app->property(kFileDialogHook).value<quintptr>()) : nullptr;
}
