#include "core/platform/keyvaluelist.h"

namespace kazari
{

namespace
{

// Keeps the first index of a key (Qt 6.4 has no tryEmplace).
void insertFirst(QHash<QString, qsizetype> &hash, const QString &key, qsizetype index)
{
    auto it = hash.find(key);
    if (it == hash.end())
        hash.insert(key, index);
}

} // namespace

KeyValueList::KeyValueList(QStringList lines)
    : m_lines(std::move(lines))
{
}

void KeyValueList::setLines(QStringList lines)
{
    m_lines = std::move(lines);
    invalidate();
}

void KeyValueList::clear()
{
    m_lines.clear();
    invalidate();
}

QString KeyValueList::keyOf(const QString &line)
{
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    if (eq < 0)
        return QString();
    if (eq == 0)
        return QString(QLatin1String(""));
    return line.left(eq);
}

QString KeyValueList::valueOf(const QString &line)
{
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    return eq < 0 ? QString() : line.mid(eq + 1);
}

void KeyValueList::ensureIndex() const
{
    if (m_indexValid)
        return;
    m_folded.clear();
    m_exact.clear();
    m_folded.reserve(m_lines.size());
    m_exact.reserve(m_lines.size());
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        const QString &line = m_lines.at(i);
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq < 0)
            continue;
        const QString key = line.left(eq);
        insertFirst(m_exact, key, i);
        insertFirst(m_folded, foldKey(key), i);
    }
    m_indexValid = true;
}

qsizetype KeyValueList::indexOf(const QString &key) const
{
    ensureIndex();
    return m_folded.value(foldKey(key), -1);
}

qsizetype KeyValueList::indexOfExact(const QString &key) const
{
    ensureIndex();
    return m_exact.value(key, -1);
}

QString KeyValueList::value(const QString &key) const
{
    const qsizetype i = indexOf(key);
    return i < 0 ? QString() : valueOf(m_lines.at(i));
}

QString KeyValueList::value(const QString &key, const QString &fallback) const
{
    const qsizetype i = indexOf(key);
    return i < 0 ? fallback : valueOf(m_lines.at(i));
}

void KeyValueList::setValue(const QString &key, const QString &value)
{
    const qsizetype i = indexOf(key);
    if (value.isEmpty()) {
        if (i >= 0)
            removeAt(i);
        return;
    }
    const QString line = key + QLatin1Char('=') + value;
    if (i >= 0) {
        const bool sameSpelling = keyOf(m_lines.at(i)) == key;
        m_lines[i] = line;
        if (!sameSpelling)
            invalidate();
    } else {
        append(line);
    }
}

bool KeyValueList::remove(const QString &key)
{
    const qsizetype i = indexOf(key);
    if (i < 0)
        return false;
    removeAt(i);
    return true;
}

void KeyValueList::removeAt(qsizetype index)
{
    m_lines.removeAt(index);
    invalidate();
}

void KeyValueList::replaceAt(qsizetype index, const QString &line)
{
    // A new value under the same key spelling leaves every look-up as it was, so the
    // index survives (a change of many values costs no rebuilds).
    const QString &old = m_lines.at(index);
    const qsizetype oldEq = old.indexOf(QLatin1Char('='));
    const qsizetype newEq = line.indexOf(QLatin1Char('='));
    const bool sameKey = oldEq == newEq && (oldEq < 0 || QStringView(old).left(oldEq) ==
                                                             QStringView(line).left(newEq));
    m_lines[index] = line;
    if (!sameKey)
        invalidate();
}

void KeyValueList::append(const QString &line)
{
    m_lines.append(line);
    if (!m_indexValid)
        return;
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    if (eq < 0)
        return;
    const QString key = line.left(eq);
    insertFirst(m_exact, key, m_lines.size() - 1);
    insertFirst(m_folded, foldKey(key), m_lines.size() - 1);
}

} // namespace kazari
