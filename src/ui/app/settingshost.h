#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <QStringList>

class QAction;

namespace kazari
{

class Settings;

/// What the settings dialog needs from the main window. The main window implements it;
/// tests use a small fake.
class SettingsHost
{
public:
    virtual ~SettingsHost() = default;

    virtual Settings &settings() = 0;
    /// The main window's command with this component name (`Component::IconExtensions` ...), or
    /// nullptr.
    virtual QAction *command(const QString &name) = 0;

    /// The folder shown in the item list (with a trailing "/").
    virtual QString currentFolder() const = 0;
    virtual QString browserAddress() const = 0;
    virtual void setBrowserAddress(const QString &address) = 0;

    /// The item list's colours and font; they reach exe.ini at exit.
    virtual QColor listColor() const = 0;
    virtual void setListColor(const QColor &color) = 0;
    virtual QColor listTextColor() const = 0;
    virtual QFont listFont() const = 0;
    /// Applies a chosen font and text colour the way the font command does.
    virtual void setListFont(const QFont &font, const QColor &textColor) = 0;

    /// The icon size slider's position.
    virtual int iconSize() const = 0;
    virtual void setIconSize(int size) = 0;

    /// Whether the main window is kept behind other windows.
    virtual bool windowAtBack() const = 0;
    virtual void setWindowAtBack(bool atBack) = 0;

    /// Visible state of panes, tool bars and the view style, shown read-only.
    virtual QStringList layoutSummary() const = 0;

    /// Each watched folder with its state text ("実行中", "削除中" or "停止中").
    struct WatchedFolder {
        QString path;
        QString state;
    };
    virtual QList<WatchedFolder> watchedFolders() const = 0;

    /// Called after the dialog applied: the main window refreshes captions and menus
    /// built from the settings and rebuilds the item list where a change needs it.
    /// `rebuildList` is set when an option that changes the list's content changed.
    virtual void settingsApplied(bool rebuildList) = 0;
};

} // namespace kazari
