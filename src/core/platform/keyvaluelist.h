#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

namespace kazari
{

/// Lines of "key=value" text as kept by settings and annotation files.
///
/// The key is the text before the first "=", the value the rest of the line. Lines
/// without "=" (headings, blank lines, damage) are kept as they are and have no key.
/// Look-ups ignore letter case and return the first line with the key; they go through
/// a hash, so a look-up costs the same in a list of ten lines and of a hundred thousand.
class KeyValueList
{
public:
    KeyValueList() = default;
    explicit KeyValueList(QStringList lines);

    const QStringList &lines() const { return m_lines; }
    void setLines(QStringList lines);
    qsizetype size() const { return m_lines.size(); }
    bool isEmpty() const { return m_lines.isEmpty(); }
    void clear();

    /// The key of a line, or a null string when the line has no "=".
    static QString keyOf(const QString &line);
    static QString valueOf(const QString &line);
    static QString foldKey(const QString &key) { return key.toCaseFolded(); }

    /// Index of the first line whose key matches without regard to case, or -1.
    qsizetype indexOf(const QString &key) const;
    /// Index of the first line whose key matches exactly, or -1.
    qsizetype indexOfExact(const QString &key) const;

    bool contains(const QString &key) const { return indexOf(key) >= 0; }
    /// The value of the first line with the key; a null string when there is none.
    QString value(const QString &key) const;
    QString value(const QString &key, const QString &fallback) const;

    /// Replaces the first line with the key, or appends one. An empty value removes the
    /// first line with the key instead.
    void setValue(const QString &key, const QString &value);
    /// Removes the first line with the key; returns whether one was there.
    bool remove(const QString &key);
    /// Removes the line at `index`.
    void removeAt(qsizetype index);
    /// Replaces the whole line at `index`.
    void replaceAt(qsizetype index, const QString &line);
    void append(const QString &line);

private:
    void ensureIndex() const;
    void invalidate() { m_indexValid = false; }

    QStringList m_lines;
    mutable QHash<QString, qsizetype> m_folded;
    mutable QHash<QString, qsizetype> m_exact;
    mutable bool m_indexValid = false;
};

} // namespace kazari
