#pragma once

#include "core/platform/programfolder.h"
#include "core/platform/textfile.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

namespace kazari
{

/// The favourites ("よく使う項目"): `pathlist.ini` in the program folder, one entry per
/// line in display order.
///
/// - a place: its full path (folders without trailing separator), "=", its display name
///   (by default the place's comment);
/// - a category: a tab, its creation time as a day number ("%8.6f", days since
///   1899-12-30 with the time as fraction), "=", its name ("新しいカテゴリ" when made);
/// - a line "-" is ignored.
///
/// Loading keeps categories and places, drops "-" lines, repeated lines and places known
/// to be gone (see PathPresence: a place on a disk that is not plugged in stays), and
/// writes the kept lines back when the file exists. Places written
/// on Windows and virtual locations are never checked: they are kept word for word but
/// not shown, as they cannot be opened here.
///
/// The commands address entries by their line in `lines()`; after each command the
/// file is saved and the pane reloads.
class Favourites
{
public:
    struct Entry {
        enum Kind { Place, Category };
        Kind kind = Place;
        /// A place's path; a category's time stamp (its line without the tab and name).
        QString path;
        QString name;
        /// The index of the entry's line in `lines()`.
        int line = -1;
        /// What the pane shows: the display name, or the last component of the path.
        QString caption() const;
        bool operator==(const Entry &) const = default;
    };

    explicit Favourites(ProgramFolder folder = ProgramFolder());

    static QString fileName() { return QStringLiteral("pathlist.ini"); }
    QString filePath() const { return m_folder.file(fileName()); }
    static QString newCategoryName() { return QStringLiteral("新しいカテゴリ"); }

    /// Reads the file (a missing file is an empty list) and writes the kept lines back
    /// when the file exists and they differ from what was read. Returns false when the
    /// file could not be read (nothing is written then) or written.
    bool load(QString *error = nullptr);

    const QStringList &lines() const { return m_document.lines; }
    /// The entries the pane shows, in order.
    const QList<Entry> &entries() const { return m_entries; }
    /// The shown entry for a line, or nullptr.
    const Entry *entryAtLine(int line) const;
    /// The line of the place with this path, or -1.
    int lineOfPlace(const QString &path) const;

    /// "現在の場所を追加" / "選択の場所を追加" / a drop: appends path=displayName, or gives
    /// the place already listed this display name. Returns the place's line, or -1
    /// when the path cannot be stored (empty, relative, containing "=") or the save
    /// failed. Creates the file when it does not exist: the user asked to keep the place.
    int addPlace(const QString &path, const QString &displayName, QString *error = nullptr);
    /// "カテゴリを作成": a new category line before `beforeLine`, or at the end when it is
    /// -1. Returns its line, or -1 when the save failed.
    int addCategory(int beforeLine, const QDateTime &now, QString *error = nullptr);
    /// "名前の編集": the display name of the entry at `line`.
    bool rename(int line, const QString &name, QString *error = nullptr);
    /// "項目を上へ移動" / "項目を下へ移動": the entry changes places with the shown entry
    /// before or after it (lines kept but not shown are passed over); a move past either
    /// end does nothing.
    bool moveUp(int line, QString *error = nullptr)
    {
        return moveTo(line, neighbourLine(line, -1), error);
    }
    bool moveDown(int line, QString *error = nullptr)
    {
        return moveTo(line, neighbourLine(line, 1), error);
    }
    /// The line of the shown entry `step` places before or after the entry at `line`,
    /// or -1.
    int neighbourLine(int line, int step) const;
    /// Dragging an entry onto another: the line moves to the target's position.
    bool moveTo(int from, int to, QString *error = nullptr);
    /// "削除".
    bool remove(int line, QString *error = nullptr);

    /// A category's time stamp: days since 1899-12-30 with the time of day as fraction.
    static QString categoryStamp(const QDateTime &when);
    /// The text colour (a colour number) a place's display name chooses by its first
    /// character; black for any other.
    static qint32 textColour(const QString &displayName);
    /// The colour of a category's background (silver).
    static qint32 categoryBackground() { return 12632256; }
    /// The tip of every entry: the legend of the colour characters.
    static QString colourLegend();

private:
    void rebuildEntries();
    bool save(QString *error);
    bool ready(QString *error);
    static QString oneLine(const QString &text);

    ProgramFolder m_folder;
    TextDocument m_document;
    /// Commands before any load read the file first; after a failed read they never
    /// write, so an unreadable file is not replaced by a short one.
    bool m_loaded = false;
    bool m_readFailed = false;
    QList<Entry> m_entries;
};

} // namespace kazari
