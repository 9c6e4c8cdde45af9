#pragma once

#include <QColor>
#include <QFont>
#include <QString>

#include <functional>
#include <optional>
#include <utility>

class QWidget;

namespace kazari
{

class Settings;
class SettingsHost;

/// What the pages of the settings dialog share: the main window they show and change,
/// the questions they ask the user (colour, file, font; replaceable so tests answer in
/// advance), the keys stored the moment they are chosen and the warnings shown.
class SettingsContext
{
public:
    /// Asks for a colour; an invalid colour means the user cancelled.
    using ColorPicker = std::function<QColor(QWidget *parent, const QColor &initial)>;
    /// Asks for an existing file; an empty string means the user cancelled.
    using FilePicker =
        std::function<QString(QWidget *parent, const QString &title, const QString &filter)>;
    /// Asks for the list's font and text colour; nothing when the user cancelled.
    using FontPicker = std::function<std::optional<std::pair<QFont, QColor>>(
        QWidget *parent, const QFont &font, const QColor &colour)>;

    /// `dialog` is the window the questions and warnings belong to.
    SettingsContext(SettingsHost &host, QWidget *dialog);

    SettingsHost &host() const { return m_host; }
    Settings &settings() const;

    /// Replace the system colour, file and font dialogs.
    void setColorPicker(ColorPicker picker) { m_pickColor = std::move(picker); }
    void setFilePicker(FilePicker picker) { m_pickFile = std::move(picker); }
    void setFontPicker(FontPicker picker) { m_pickFont = std::move(picker); }

    QColor pickColor(const QColor &initial) const;
    QString pickFile(const QString &title, const QString &filter) const;
    std::optional<std::pair<QFont, QColor>> pickFont(const QFont &font, const QColor &colour) const;

    /// Called after a key was stored at once (the dialog shows the settings list anew).
    void setStoredListener(std::function<void()> listener) { m_stored = std::move(listener); }
    /// Stores one key at once (written to exe.ini when it exists); reports a failure.
    void storeAtOnce(const QString &key, const QString &value) const;
    void warn(const QString &text) const;

private:
    SettingsHost &m_host;
    QWidget *m_dialog = nullptr;
    ColorPicker m_pickColor;
    FilePicker m_pickFile;
    FontPicker m_pickFont;
    std::function<void()> m_stored;
};

} // namespace kazari
