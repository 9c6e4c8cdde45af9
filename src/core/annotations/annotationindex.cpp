#include "core/annotations/annotationindex.h"

#include "core/annotations/annotationvalues.h"

#include <QSet>

namespace kazari
{

QString AnnotationIndex::companionRelativePath(CompanionKind kind, const QString &stem)
{
    switch (kind) {
    case CompanionKind::Annotations:
        return QStringLiteral("ini/") + stem + QStringLiteral(".ini");
    case CompanionKind::Rules:
        return QStringLiteral("rule/") + stem + QStringLiteral(".rule");
    case CompanionKind::Script:
        return QStringLiteral("Script/") + stem + QStringLiteral(".Script");
    case CompanionKind::FolderImage:
        return QStringLiteral("img/") + stem + QStringLiteral(".bmp");
    }
    return QString();
}

QString AnnotationIndex::folderCompanionName(CompanionKind kind)
{
    switch (kind) {
    case CompanionKind::Annotations:
        return QStringLiteral("_m.ini");
    case CompanionKind::Rules:
        return QStringLiteral("_m.rule");
    case CompanionKind::Script:
        return QStringLiteral("_m.Script");
    case CompanionKind::FolderImage:
        return QStringLiteral("_m.bmp");
    }
    return QString();
}

AnnotationIndex AnnotationIndex::fromDocument(TextDocument document)
{
    AnnotationIndex index;
    index.m_list.setLines(std::move(document.lines));
    index.m_format = document.format;
    index.m_undecodable = std::move(document.undecodable);
    index.rebuildNumbers();
    return index;
}

TextDocument AnnotationIndex::toDocument() const
{
    TextDocument doc;
    doc.lines = m_list.lines();
    doc.format = m_format;
    doc.undecodable = m_undecodable;
    return doc;
}

std::optional<int> AnnotationIndex::parseNumber(const QString &text)
{
    const std::optional<int> n = AnnotationValues::parseInteger(text);
    if (!n || *n < 0 || *n == INT32_MAX)
        return std::nullopt;
    return n;
}

void AnnotationIndex::rebuildNumbers()
{
    m_owner.clear();
    m_max = -1;
    const QStringList &lines = m_list.lines();
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString &line = lines.at(i);
        if (!line.contains(QLatin1Char('=')))
            continue;
        const std::optional<int> n = parseNumber(KeyValueList::valueOf(line));
        if (!n)
            continue;
        if (!m_owner.contains(*n))
            m_owner.insert(*n, i);
        m_max = std::max(m_max, *n);
    }
}

qsizetype AnnotationIndex::lineOf(const QString &folderKey) const
{
    if (folderKey.isEmpty())
        return -1;
    return isNativeKey(folderKey) ? m_list.indexOfExact(folderKey) : m_list.indexOf(folderKey);
}

std::optional<int> AnnotationIndex::numberOf(const QString &folderKey) const
{
    const qsizetype line = lineOf(folderKey);
    if (line < 0)
        return std::nullopt;
    const std::optional<int> n = parseNumber(KeyValueList::valueOf(m_list.lines().at(line)));
    if (!n || ownerOf(*n) != line)
        return std::nullopt;
    return n;
}

int AnnotationIndex::nextNumber(const std::function<bool(int)> &inUse) const
{
    auto taken = [&](int n) { return m_owner.contains(n) || (inUse && inUse(n)); };
    int n = int(std::min<qsizetype>(m_list.size(), INT32_MAX - 2)) + 1;
    if (!taken(n))
        return n;
    n = m_max + 1;
    while (taken(n))
        ++n;
    return n;
}

int AnnotationIndex::registerFolder(const QString &folderKey, const std::function<bool(int)> &inUse)
{
    if (const std::optional<int> known = numberOf(folderKey))
        return *known;
    const int n = nextNumber(inUse);
    const qsizetype line = lineOf(folderKey);
    if (line >= 0) {
        m_list.replaceAt(line, KeyValueList::keyOf(m_list.lines().at(line)) + QLatin1Char('=') +
                                   QString::number(n));
        if (!m_owner.contains(n))
            m_owner.insert(n, line);
    } else {
        m_list.append(folderKey + QLatin1Char('=') + QString::number(n));
        m_owner.insert(n, m_list.size() - 1);
    }
    m_max = std::max(m_max, n);
    return n;
}

QStringList AnnotationIndex::registeredBelow(const QString &folderKey) const
{
    QStringList out;
    if (!isNativeKey(folderKey) || !folderKey.endsWith(QLatin1Char('/')))
        return out;
    const QStringList &lines = m_list.lines();
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString key = KeyValueList::keyOf(lines.at(i));
        if (!key.startsWith(folderKey))
            continue;
        const std::optional<int> n = parseNumber(KeyValueList::valueOf(lines.at(i)));
        if (n && ownerOf(*n) == i)
            out.append(key);
    }
    return out;
}

int AnnotationIndex::moveFolderKeys(const QString &oldKey, const QString &newKey)
{
    if (!isNativeKey(oldKey) || !isNativeKey(newKey) || oldKey == newKey ||
        !oldKey.endsWith(QLatin1Char('/')) || !newKey.endsWith(QLatin1Char('/')))
        return 0;
    QStringList lines = m_list.lines();
    QSet<QString> movedTo;
    int moved = 0;
    for (QString &line : lines) {
        const QString key = KeyValueList::keyOf(line);
        if (!key.startsWith(oldKey))
            continue;
        const QString target = newKey + key.mid(oldKey.size());
        line = target + line.mid(key.size());
        movedTo.insert(target);
        ++moved;
    }
    if (moved == 0)
        return 0;
    QStringList kept;
    kept.reserve(lines.size());
    const QStringList &before = m_list.lines();
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString key = KeyValueList::keyOf(before.at(i));
        // A line that was not moved but names a moved folder's new key is stale.
        if (!key.startsWith(oldKey) && movedTo.contains(key))
            continue;
        kept.append(lines.at(i));
    }
    m_list.setLines(std::move(kept));
    rebuildNumbers();
    return moved;
}

} // namespace kazari
