#pragma once

#include <QString>

namespace kazari
{

/// Virtual locations named by "::{CLSID}" texts. They stay identifiers: they compare
/// without regard to case and never reach the file system.
class ShellLocation
{
public:
    static QString computer() { return QStringLiteral("::{20D04FE0-3AEA-1069-A2D8-08002B30309D}"); }
    static QString network() { return QStringLiteral("::{208D2C60-3AEA-1069-A2D7-08002B30309D}"); }
    static QString recycleBin()
    {
        return QStringLiteral("::{645FF040-5081-101B-9F08-00AA002F954E}");
    }
    static QString controlPanel()
    {
        return QStringLiteral("::{21EC2020-3AEA-1069-A2DD-08002B30309D}");
    }

    /// Whether the text names a virtual location ("::{" ...).
    static bool isShellLocation(const QString &text)
    {
        return text.startsWith(QLatin1String("::{"));
    }
    /// The location without a trailing separator, upper-cased for comparison.
    static QString normalized(const QString &text);
    static bool same(const QString &a, const QString &b) { return normalized(a) == normalized(b); }
    /// A path written on Windows ("C:\..." or "\\server\..."), never handed to the file
    /// system here.
    static bool isWindowsPath(const QString &text);
};

} // namespace kazari
