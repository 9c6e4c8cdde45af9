#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPixmap>
#include <QString>

namespace kazari
{

class MainWindow;

/// Applies the settings to the main window: its size and places, the menus named in
/// the settings, the marks of the commands, the list's colours and font, the
/// placeholder pictures and the decoration master switches.
class WindowSettings
{
public:
    explicit WindowSettings(MainWindow &window);

    /// Size, position, pane sizes and the free tree file named by the settings.
    void applyWindowAttributes();
    /// The commands named in the settings in front of each menu's fixed commands.
    void buildSettingsMenus();
    /// The marks of the commands, the list colours and fonts, the display switches.
    void applyMarksAndDisplay();
    void loadPlaceholders();
    /// The decoration master switches enable the commands that depend on them.
    void applyDecorationSwitches();
    void setListColor(const QColor &color);
    void setListFont(const QFont &font, const QColor &textColor);
    void applyListPalette();

private:
    QPixmap loadPicture(const QString &userKey, const QString &defaultKey, const QImage &builtin,
                        int size) const;

    MainWindow &m_w;
};

} // namespace kazari
