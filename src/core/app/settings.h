#pragma once

#include "core/platform/keyvaluelist.h"
#include "core/platform/programfolder.h"
#include "core/platform/textfile.h"

#include <QString>

#include <functional>
#include <optional>

namespace kazari
{

/// The settings list: the lines of `exe.ini` held in memory for the program's lifetime.
///
/// Loaded from `exe.ini` in the program folder, or from the built-in default text when
/// that file does not exist. Reading never creates the file; writing it back happens
/// only where the program's rules say (`storeSetting`, the settings dialog, closing).
class Settings
{
public:
    explicit Settings(ProgramFolder folder = ProgramFolder());

    static QString fileName() { return QStringLiteral("exe.ini"); }
    QString filePath() const { return m_folder.file(fileName()); }
    const ProgramFolder &programFolder() const { return m_folder; }
    /// Whether `exe.ini` exists on disk now.
    bool fileExists() const;

    /// Loads `exe.ini`, or the built-in defaults when it is absent. Returns whether the
    /// file was read; `error` explains a file that exists but could not be read (the
    /// defaults are used then too).
    bool load(QString *error = nullptr);
    void loadDefaults();
    bool loadedFromFile() const { return m_loadedFromFile; }
    /// `exe.ini` exists but could not be read at the last load: the list holds the
    /// defaults, which must not be written over the user's file at exit.
    bool readFailed() const { return m_readFailed; }

    const KeyValueList &list() const { return m_list; }
    QStringList lines() const { return m_list.lines(); }

    /// The text of a key; a null string when absent.
    QString value(const QString &key) const { return m_list.value(key); }
    bool contains(const QString &key) const { return m_list.contains(key); }
    /// A switch: on only when the value is exactly the integer 1.
    bool isOn(const QString &key) const;
    /// A decimal integer; nothing when absent or not a decimal integer.
    std::optional<int> integer(const QString &key) const;
    int integer(const QString &key, int fallback) const;
    /// A colour number; nothing when absent or not a colour.
    std::optional<qint32> color(const QString &key) const;

    /// Changes the settings list only (an empty value removes the key).
    void setValue(const QString &key, const QString &value) { m_list.setValue(key, value); }
    void setSwitch(const QString &key, bool on)
    {
        setValue(key, on ? QStringLiteral("1") : QStringLiteral("0"));
    }
    void setInteger(const QString &key, int v) { setValue(key, QString::number(v)); }

    /// Supplies the live values written for `LastPath` (the current folder) and
    /// `WebLastPath` (the browser address) when `storeSetting` writes them.
    void setLiveValueProvider(std::function<QString(const QString &key)> provider)
    {
        m_liveValue = std::move(provider);
    }

    /// `StoreSetting`: sets key=value in the list; when `exe.ini` exists, loads it
    /// separately and, with `writeFile`, sets the key there too (the live value for
    /// `LastPath` and `WebLastPath`) and saves it. Returns the key's value in the file,
    /// or "-1" when the file or the key is absent. `error` receives a failed save.
    QString storeSetting(const QString &key, const QString &value, bool writeFile,
                         QString *error = nullptr);

    /// Writes the whole settings list to `exe.ini`, creating it. Refused (`unreadFileText`)
    /// while an `exe.ini` that could not be read at start is there.
    bool save(QString *error = nullptr);
    static QString unreadFileText()
    {
        return QStringLiteral("起動時に読み込めなかった設定ファイルは上書きしません。");
    }

    /// Reads one key straight from `exe.ini` on disk (not from the list).
    QString readFromFile(const QString &key) const;

    /// Parses a decimal integer as the settings do: optional blanks before, optional
    /// sign, digits, nothing after, within 32 bits.
    static std::optional<int> parseInteger(const QString &text);

private:
    QString liveValue(const QString &key, const QString &value) const;

    ProgramFolder m_folder;
    KeyValueList m_list;
    TextFormat m_format;
    DamagedLines m_undecodable;
    bool m_loadedFromFile = false;
    bool m_readFailed = false;
    std::function<QString(const QString &)> m_liveValue;
};

} // namespace kazari
