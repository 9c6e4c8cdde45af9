#include "core/annotations/annotationlist.h"

#include "core/annotations/annotationkey.h"

#include <QFile>
#include <QSet>

#include <algorithm>
#include <numeric>

#include <sys/stat.h>

namespace kazari
{

AnnotationList::AnnotationList(QStringList lines)
    : m_list(std::move(lines))
{
}

AnnotationList AnnotationList::fromDocument(TextDocument document)
{
    AnnotationList list(std::move(document.lines));
    list.m_format = document.format;
    list.m_undecodable = std::move(document.undecodable);
    return list;
}

TextDocument AnnotationList::toDocument() const
{
    TextDocument doc;
    doc.lines = m_list.lines();
    doc.format = m_format;
    doc.undecodable = m_undecodable;
    return doc;
}

void AnnotationList::clear()
{
    m_list.clear();
    m_undecodable.clear();
}

bool AnnotationList::itemExists(QStringView name) const
{
    if (!m_guardFolder.startsWith(QLatin1Char('/')) || name.isEmpty())
        return false;
    const QByteArray native = QFile::encodeName(m_guardFolder + name);
    struct stat st {
    };
    return ::lstat(native.constData(), &st) == 0;
}

bool AnnotationList::acceptsSpelling(QStringView spelled, const QString &name) const
{
    return spelled == name || !itemExists(spelled);
}

qsizetype AnnotationList::find(const QString &name, const QString &suffix) const
{
    if (!isAnnotatableName(name) || !isValidAnnotationSuffix(suffix))
        return -1;
    const QString key = AnnotationKey(name, suffix);
    const qsizetype exact = m_list.indexOfExact(key);
    if (exact >= 0)
        return exact;
    const qsizetype folded = m_list.indexOf(key);
    if (folded < 0)
        return -1;
    const QString &line = m_list.lines().at(folded);
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    const QStringView spelled = QStringView(line).left(std::max<qsizetype>(0, eq - suffix.size()));
    return acceptsSpelling(spelled, name) ? folded : -1;
}

QString AnnotationList::value(const QString &name, const QString &suffix) const
{
    const qsizetype i = find(name, suffix);
    return i < 0 ? QString() : KeyValueList::valueOf(m_list.lines().at(i));
}

bool AnnotationList::setValue(const QString &name, const QString &suffix, const QString &value,
                              bool *changed)
{
    if (changed)
        *changed = false;
    if (!isAnnotatableName(name) || !isValidAnnotationSuffix(suffix))
        return false;
    const QString v = sanitizeAnnotationValue(value);
    const qsizetype i = find(name, suffix);
    if (v.isEmpty()) {
        if (i >= 0) {
            m_list.removeAt(i);
            if (changed)
                *changed = true;
        }
        return true;
    }
    const QString line = AnnotationKey(name, suffix) + QLatin1Char('=') + v;
    if (i >= 0) {
        if (m_list.lines().at(i) == line)
            return true;
        m_list.replaceAt(i, line);
    } else {
        m_list.append(line);
    }
    if (changed)
        *changed = true;
    return true;
}

bool AnnotationList::remove(const QString &name, const QString &suffix)
{
    const qsizetype i = find(name, suffix);
    if (i < 0)
        return false;
    m_list.removeAt(i);
    return true;
}

QList<AnnotationList::Match> AnnotationList::itemLines(const QString &name) const
{
    QList<Match> out;
    if (name.isEmpty() || !isAnnotatableName(name))
        return out;
    const QStringList &lines = m_list.lines();
    const qsizetype n = name.size();
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString &line = lines.at(i);
        if (line.size() <= n)
            continue;
        const QStringView spelled = QStringView(line).left(n);
        if (spelled.compare(name, Qt::CaseInsensitive) != 0)
            continue;
        const qsizetype eq = line.indexOf(QLatin1Char('='), n);
        if (eq < 0)
            continue;
        const int s = wholeItemSuffixIndex(QStringView(line).sliced(n, eq - n));
        if (s < 0 || !acceptsSpelling(spelled, name))
            continue;
        out.append({i, s});
    }
    return out;
}

QList<QPair<QString, QString>> AnnotationList::itemFields(const QString &name) const
{
    QList<QPair<QString, QString>> out;
    if (name.isEmpty())
        return out;
    for (std::size_t s = 0; s < WholeItemSuffixCount; ++s) {
        const QLatin1String suffix = wholeItemSuffix(s);
        const QString v = value(name, suffix);
        if (!v.isEmpty())
            out.append({QString(suffix), v});
    }
    return out;
}

int AnnotationList::removeItem(const QString &name)
{
    const QList<Match> matches = itemLines(name);
    if (matches.isEmpty())
        return 0;
    QStringList kept;
    const QStringList &lines = m_list.lines();
    kept.reserve(lines.size() - matches.size());
    qsizetype next = 0;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (next < matches.size() && matches.at(next).line == i) {
            ++next;
            continue;
        }
        kept.append(lines.at(i));
    }
    m_list.setLines(std::move(kept));
    return int(matches.size());
}

int AnnotationList::renameItem(const QString &oldName, const QString &newName)
{
    if (oldName.isEmpty() || newName.isEmpty() || !isAnnotatableName(oldName) ||
        !isAnnotatableName(newName))
        return -1;
    if (oldName == newName)
        return 0;
    QSet<qsizetype> dropped;
    if (oldName.compare(newName, Qt::CaseInsensitive) != 0) {
        for (const Match &m : itemLines(newName))
            dropped.insert(m.line);
    }
    const QList<Match> renamed = itemLines(oldName);
    if (renamed.isEmpty() && dropped.isEmpty())
        return 0;
    const QStringList &lines = m_list.lines();
    QStringList out;
    out.reserve(lines.size());
    qsizetype next = 0;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString &line = lines.at(i);
        if (next < renamed.size() && renamed.at(next).line == i) {
            const Match &m = renamed.at(next++);
            const qsizetype eq = line.indexOf(QLatin1Char('='), oldName.size());
            out.append(newName + wholeItemSuffix(std::size_t(m.suffix)) +
                       QStringView(line).sliced(eq));
            continue;
        }
        if (dropped.contains(i))
            continue;
        out.append(line);
    }
    m_list.setLines(std::move(out));
    return int(renamed.size());
}

FileAnnotationRec AnnotationList::record(const QString &name) const
{
    FileAnnotationRec rec;
    if (name.isEmpty())
        return rec;
    for (std::size_t i = 0; i < AnnotationSuffixes.size(); ++i)
        rec.field(i) = value(name, AnnotationSuffixes[i]);
    return rec;
}

bool AnnotationList::applyRecord(const QString &name, const FileAnnotationRec &record)
{
    if (name.isEmpty() || !isAnnotatableName(name))
        return false;
    bool any = false;
    for (std::size_t i = 0; i < AnnotationSuffixes.size(); ++i) {
        bool changed = false;
        setValue(name, AnnotationSuffixes[i], record.field(i), &changed);
        any = any || changed;
    }
    return any;
}

bool AnnotationList::sortLines()
{
    const QStringList &lines = m_list.lines();
    const qsizetype n = lines.size();
    QList<QString> keys;
    keys.reserve(n);
    for (const QString &line : lines) {
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        keys.append((eq < 0 ? line : line.left(eq)).toCaseFolded());
    }
    // Files are written sorted, so a list usually has a long sorted head and at most a
    // few lines appended behind it. Sorting only the tail and merging it into the head
    // gives exactly the order of a stable sort of the whole list.
    qsizetype head = 1;
    while (head < n && !(keys.at(head) < keys.at(head - 1)))
        ++head;
    if (head >= n)
        return false;
    const auto byKey = [&keys](qsizetype a, qsizetype b) { return keys.at(a) < keys.at(b); };
    QList<qsizetype> order(n);
    std::iota(order.begin(), order.end(), qsizetype(0));
    std::stable_sort(order.begin() + head, order.end(), byKey);
    std::inplace_merge(order.begin(), order.begin() + head, order.end(), byKey);
    bool moved = false;
    for (qsizetype i = 0; i < n && !moved; ++i)
        moved = order.at(i) != i;
    if (!moved)
        return false;
    QStringList sorted;
    sorted.reserve(n);
    for (qsizetype i : order)
        sorted.append(lines.at(i));
    m_list.setLines(std::move(sorted));
    return true;
}

} // namespace kazari
