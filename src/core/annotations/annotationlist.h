#pragma once

#include "core/annotations/fileannotationrec.h"
#include "core/platform/keyvaluelist.h"
#include "core/platform/textfile.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

namespace kazari
{

/// The lines of one annotation file in memory, with the key rules of annotations.
///
/// Keys are item name + suffix and compare without regard to letter case; the first
/// line with a key wins. On top of that comes the letter-case guard: a line whose key
/// matches exactly wins; a line that matches only without regard to case belongs to
/// the item only when no item of that other spelling exists in the guard folder (then
/// it is the same item, spelled differently by an older program). So working on
/// "A.txt" never reads, changes or removes the lines of a sibling "a.txt".
///
/// Single keys are found through the list's hash. Whole-item operations (remove,
/// rename, the record) act on every line of the item, duplicates included, and on
/// `_cmtEx` as well as the fifteen suffixes. Item names containing "=", CR or LF are
/// refused; line breaks in values become spaces.
class AnnotationList
{
public:
    AnnotationList() = default;
    explicit AnnotationList(QStringList lines);

    /// A list read from a file, keeping what is needed to write it back the same way.
    static AnnotationList fromDocument(TextDocument document);
    TextDocument toDocument() const;

    /// The folder (a folder key ending in "/") whose items decide the letter-case guard.
    /// Empty, or not a native path: no item is taken to exist.
    void setGuardFolder(const QString &folderKey) { m_guardFolder = folderKey; }
    const QString &guardFolder() const { return m_guardFolder; }

    const KeyValueList &keyValues() const { return m_list; }
    const QStringList &lines() const { return m_list.lines(); }
    qsizetype size() const { return m_list.size(); }
    bool isEmpty() const { return m_list.isEmpty(); }
    void clear();
    void setLines(QStringList lines) { m_list.setLines(std::move(lines)); }

    /// The line holding name + suffix (guarded), or -1.
    qsizetype find(const QString &name, const QString &suffix) const;
    /// The value of name + suffix; empty when absent.
    QString value(const QString &name, const QString &suffix) const;
    bool contains(const QString &name, const QString &suffix) const
    {
        return find(name, suffix) >= 0;
    }

    /// Sets name + suffix: replaces the first line of the item's key in place, or
    /// appends one; an empty value removes that line. Returns false when the name or
    /// suffix cannot form a key (the list is unchanged); `changed` tells whether a line
    /// changed.
    bool setValue(const QString &name, const QString &suffix, const QString &value,
                  bool *changed = nullptr);
    /// Removes the first line of name + suffix; returns whether there was one.
    bool remove(const QString &name, const QString &suffix);

    /// The fields of an item present in the list, in whole-item order (the fifteen
    /// suffixes, then `_cmtEx`), each with its value.
    QList<QPair<QString, QString>> itemFields(const QString &name) const;
    /// Removes every line of every whole-item suffix of the item; returns how many.
    int removeItem(const QString &name);
    /// Rewrites every whole-item line of oldName in place under newName. Lines left
    /// under newName are removed first, unless the two names differ only in case.
    /// Returns the number of lines rewritten; -1 when a name is refused.
    int renameItem(const QString &oldName, const QString &newName);

    FileAnnotationRec record(const QString &name) const;
    /// Writes every field of the record into the item; empty fields remove the line.
    /// Returns whether anything changed.
    bool applyRecord(const QString &name, const FileAnnotationRec &record);

    /// Sorts the lines by their key without regard to case, keeping lines with equal
    /// keys in their order so the same line stays first. Returns whether the order
    /// changed.
    bool sortLines();

    /// Builds the look-up hash now (so that copies share it).
    void prepareIndex() const { m_list.indexOf(QString()); }

private:
    struct Match {
        qsizetype line;
        int suffix;
    };
    /// Every line of a whole-item suffix of the item, guarded.
    QList<Match> itemLines(const QString &name) const;
    bool acceptsSpelling(QStringView spelled, const QString &name) const;
    bool itemExists(QStringView name) const;

    KeyValueList m_list;
    TextFormat m_format;
    DamagedLines m_undecodable;
    QString m_guardFolder;
};

} // namespace kazari
