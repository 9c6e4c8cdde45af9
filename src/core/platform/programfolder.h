#pragma once

#include <QString>
#include <QStringList>

namespace kazari
{

/// The folder that holds the program's settings and data files.
///
/// It is the executable's folder when the user may write there (the build tree, a
/// portable copy), otherwise `$XDG_DATA_HOME/kazari`; `--program-folder DIR` names
/// another. Kept without a trailing "/" (but "/" itself stays "/").
class ProgramFolder
{
public:
    ProgramFolder() = default;
    explicit ProgramFolder(const QString &path);

    /// Picks the folder from the command line (`--program-folder DIR` or
    /// `--program-folder=DIR`) or the executable's folder, creating the fallback folder
    /// when needed. Returns an empty string and sets `error` when nothing usable exists.
    static QString choose(const QStringList &arguments, const QString &executableDir,
                          QString *error = nullptr);
    /// The arguments with the program-folder option removed.
    static QStringList withoutOption(const QStringList &arguments);

    const QString &path() const { return m_path; }
    bool isValid() const { return !m_path.isEmpty(); }

    /// `relative` inside the program folder ("exe.ini", "ini/index.ini").
    QString file(const QString &relative) const;
    bool fileExists(const QString &relative) const;

    /// Read-only data shipped with the program: looked up in the program folder, beside
    /// the executable, then in the installation's share/kazari. Returns the first that
    /// exists, or the program-folder path when none does.
    QString dataFile(const QString &relative) const;
    void setExecutableDir(const QString &dir) { m_executableDir = dir; }

    /// True for a plain name or relative path that stays inside the folder: not empty,
    /// not absolute, no ".." part, no NUL.
    static bool isContainedName(const QString &relative);

private:
    QString m_path;
    QString m_executableDir;
};

} // namespace kazari
