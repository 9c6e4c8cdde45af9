#pragma once

#include "core/platform/launcher.h"
#include "core/platform/programfolder.h"
#include "core/platform/textfile.h"

#include <QList>
#include <QString>

namespace kazari
{

/// The applications registered for the "アプリ一覧" menu: `myappli.ini` in the program
/// folder, one line per application, its name, "=" and the full path of its program.
///
/// Lines are kept in file order and every line is its own entry, so two applications
/// may share a name (each becomes its own menu command). Lines that are not entries (no
/// "=", an empty name, damaged bytes) are never shown but are kept where they stand,
/// byte for byte, when the entries are rewritten.
class ApplicationList
{
public:
    struct Entry {
        QString name;
        QString program;
        friend bool operator==(const Entry &, const Entry &) = default;
    };

    explicit ApplicationList(ProgramFolder folder = ProgramFolder());

    static QString fileName() { return QStringLiteral("myappli.ini"); }
    QString filePath() const { return m_folder.file(fileName()); }

    /// Reads the file. A missing file is an empty list and not an error; returns false
    /// with `error` set only when the file exists but could not be read.
    bool load(QString *error = nullptr);
    /// Writes every line back, creating the file.
    bool save(QString *error = nullptr);

    /// True when the file has no line at all (the menu then shows "なし" alone).
    bool isEmpty() const { return m_document.lines.isEmpty(); }
    const QStringList &lines() const { return m_document.lines; }

    /// Every entry in file order, whether its program exists or not.
    QList<Entry> entries() const;
    /// The entries whose program file exists: the commands of the menu.
    QList<Entry> available() const;

    /// Replaces the entries by `entries`, in order. The n-th entry line takes the n-th
    /// new entry, surplus entry lines go, further entries are appended; lines that are
    /// not entries stay untouched. Refuses (and changes nothing) when an entry cannot
    /// be written as one line: an empty name or program, "=" in the name, a line break.
    bool setEntries(const QList<Entry> &entries, QString *error = nullptr);

    /// Whether `entry` can be stored as one line that reads back as the same entry.
    static bool isWritable(const Entry &entry);
    /// Whether `program` names an existing file by an absolute local path. Paths in the
    /// form of another system ("C:\...", "\\server\...") never exist here.
    static bool programExists(const QString &program);

    /// Starts the entry's program with the item's full path as its one argument (never
    /// through a shell) in the item's folder. Returns false, starting nothing, when the
    /// program does not exist or the item path is empty.
    static bool launch(const Entry &entry, const QString &itemPath, Launcher &launcher);

private:
    static bool isEntryLine(const QString &line);

    ProgramFolder m_folder;
    TextDocument m_document;
};

} // namespace kazari
