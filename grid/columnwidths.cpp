#include "grid/columnwidths.h"

#include "platform/inifiles.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>

namespace {

QString ValueName(int Col)
{
    return QStringLiteral("Col%1").arg(Col);
}

} // namespace

QString ColumnWidthsFile(const TColumnSize& Settings)
{
    if (Settings.Key.isEmpty() || Settings.Section.isEmpty())
        return {};
    if (Settings.Location == clIniFile)
        return Settings.Key;
    // A key such as "Software\Firm\Program" becomes a file in the user's
    // configuration folder.
    QString key = Settings.Key;
    key.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return QDir::cleanPath(folder + QLatin1Char('/') + key) + QStringLiteral(".ini");
}

void SaveColumnWidths(const TColumnSize& Settings, const std::vector<int>& Widths)
{
    const QString file = ColumnWidthsFile(Settings);
    if (file.isEmpty())
        return;
    if (Settings.Location == clRegistry)
        QDir().mkpath(QFileInfo(file).absolutePath());
    TIniFile ini(file);
    for (std::size_t i = 0; i < Widths.size(); ++i)
        ini.WriteInteger(Settings.Section, ValueName(static_cast<int>(i)), Widths[i]);
}

std::vector<int> LoadColumnWidths(const TColumnSize& Settings, int Count, int DefaultWidth)
{
    const QString file = ColumnWidthsFile(Settings);
    if (file.isEmpty())
        return {};
    std::vector<int> widths(static_cast<std::size_t>(std::max(Count, 0)), DefaultWidth);
    const TIniFile ini(file);
    for (int i = 0; i < Count; ++i) {
        const int width = ini.ReadInteger(Settings.Section, ValueName(i), DefaultWidth);
        if (width >= 0)
            widths[static_cast<std::size_t>(i)] = width;
    }
    return widths;
}
