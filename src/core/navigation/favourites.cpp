#include "core/navigation/favourites.h"

#include "core/navigation/navigation.h"
#include "core/platform/keyvaluelist.h"
#include "core/platform/pathpresence.h"

#include <QFileInfo>
#include <QSet>

namespace kazari
{

namespace
{

bool isCategoryLine(const QString &line)
{
    return line.startsWith(QLatin1Char('\t'));
}

// The part of a line before its first "=" (the whole line when it has none).
QString keyPart(const QString &line)
{
    const QString key = KeyValueList::keyOf(line);
    return key.isNull() ? line : key;
}

bool keepOnLoad(const QString &line)
{
    if (isCategoryLine(line))
        return true;
    const QString path = keyPart(line);
    if (Navigation::isIdentifier(path))
        return true;
    // A place that cannot be checked just now (a disk not plugged in) stays listed.
    return Navigation::isNativePath(path) && PathPresence::of(path) != PathPresence::State::Gone;
}

} // namespace

QString Favourites::Entry::caption() const
{
    if (!name.isEmpty() || kind == Category)
        return name;
    const QString last = QFileInfo(path).fileName();
    return last.isEmpty() ? path : last;
}

Favourites::Favourites(ProgramFolder folder)
    : m_folder(std::move(folder))
{
}

bool Favourites::load(QString *error)
{
    m_document = TextDocument();
    m_entries.clear();
    m_loaded = true;
    TextFile::ReadResult r = TextFile::read(filePath());
    m_readFailed = !r.error.isEmpty();
    if (m_readFailed) {
        if (error)
            *error = filePath() + QStringLiteral(": ") + r.error;
        return false;
    }
    if (!r.found)
        return true;

    m_document = r.document;
    QStringList kept;
    QSet<QString> seen;
    for (const QString &line : std::as_const(r.document.lines)) {
        if (line == QLatin1String("-") || seen.contains(line))
            continue;
        seen.insert(line);
        if (keepOnLoad(line))
            kept.append(line);
    }
    m_document.lines = kept;
    rebuildEntries();
    if (kept == r.document.lines)
        return true;
    return save(error);
}

void Favourites::rebuildEntries()
{
    m_entries.clear();
    for (int i = 0; i < m_document.lines.size(); ++i) {
        const QString &line = m_document.lines.at(i);
        if (line == QLatin1String("-"))
            continue;
        Entry e;
        e.line = i;
        e.path = keyPart(line);
        e.name = KeyValueList::valueOf(line);
        if (isCategoryLine(line)) {
            e.kind = Entry::Category;
            e.path.remove(0, 1);
        } else if (!Navigation::isNativePath(e.path)) {
            continue;
        }
        m_entries.append(e);
    }
}

const Favourites::Entry *Favourites::entryAtLine(int line) const
{
    for (const Entry &e : m_entries) {
        if (e.line == line)
            return &e;
    }
    return nullptr;
}

int Favourites::neighbourLine(int line, int step) const
{
    for (qsizetype i = 0; i < m_entries.size(); ++i) {
        if (m_entries.at(i).line != line)
            continue;
        const qsizetype j = i + step;
        return j >= 0 && j < m_entries.size() ? m_entries.at(j).line : -1;
    }
    return -1;
}

int Favourites::lineOfPlace(const QString &path) const
{
    for (int i = 0; i < m_document.lines.size(); ++i) {
        const QString &line = m_document.lines.at(i);
        if (isCategoryLine(line) || line == QLatin1String("-"))
            continue;
        if (Navigation::samePath(keyPart(line), path))
            return i;
    }
    return -1;
}

QString Favourites::oneLine(const QString &text)
{
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String(" "));
    t.replace(QLatin1Char('\r'), QLatin1Char(' '));
    t.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return t;
}

bool Favourites::ready(QString *error)
{
    if (!m_loaded)
        load(error);
    if (m_readFailed && error && error->isEmpty())
        *error = QStringLiteral("よく使う項目のファイルを読めないため変更できません: %1")
                     .arg(filePath());
    return !m_readFailed;
}

bool Favourites::save(QString *error)
{
    QString why;
    if (TextFile::write(filePath(), m_document, &why))
        return true;
    if (error)
        *error = filePath() + QStringLiteral(": ") + why;
    return false;
}

int Favourites::addPlace(const QString &path, const QString &displayName, QString *error)
{
    if (!ready(error))
        return -1;
    const QString p = Navigation::withoutTrailingSeparator(path);
    if (!Navigation::isNativePath(p) || p.contains(QLatin1Char('=')) ||
        p.contains(QLatin1Char('\n')) || p.contains(QLatin1Char('\r'))) {
        if (error)
            *error = QStringLiteral("この場所はよく使う項目に登録できません: %1").arg(path);
        return -1;
    }
    int line = lineOfPlace(p);
    if (line >= 0) {
        m_document.lines[line] =
            keyPart(m_document.lines.at(line)) + QLatin1Char('=') + oneLine(displayName);
    } else {
        m_document.lines.append(p + QLatin1Char('=') + oneLine(displayName));
        line = int(m_document.lines.size()) - 1;
    }
    rebuildEntries();
    return save(error) ? line : -1;
}

int Favourites::addCategory(int beforeLine, const QDateTime &now, QString *error)
{
    if (!ready(error))
        return -1;
    const QString text =
        QLatin1Char('\t') + categoryStamp(now) + QLatin1Char('=') + newCategoryName();
    int line = int(m_document.lines.size());
    if (beforeLine >= 0 && beforeLine < m_document.lines.size())
        line = beforeLine;
    m_document.lines.insert(line, text);
    rebuildEntries();
    return save(error) ? line : -1;
}

bool Favourites::rename(int line, const QString &name, QString *error)
{
    if (!ready(error))
        return false;
    if (line < 0 || line >= m_document.lines.size())
        return false;
    m_document.lines[line] = keyPart(m_document.lines.at(line)) + QLatin1Char('=') + oneLine(name);
    rebuildEntries();
    return save(error);
}

bool Favourites::moveTo(int from, int to, QString *error)
{
    if (!ready(error))
        return false;
    const int n = int(m_document.lines.size());
    if (from < 0 || from >= n || to < 0 || to >= n || from == to)
        return false;
    m_document.lines.move(from, to);
    rebuildEntries();
    return save(error);
}

bool Favourites::remove(int line, QString *error)
{
    if (!ready(error))
        return false;
    if (line < 0 || line >= m_document.lines.size())
        return false;
    m_document.lines.removeAt(line);
    rebuildEntries();
    return save(error);
}

QString Favourites::categoryStamp(const QDateTime &when)
{
    const double days = double(QDate(1899, 12, 30).daysTo(when.date())) +
                        double(when.time().msecsSinceStartOfDay()) / 86400000.0;
    return QString::asprintf("%8.6f", days);
}

qint32 Favourites::textColour(const QString &displayName)
{
    if (displayName.isEmpty())
        return 0;
    switch (displayName.at(0).unicode()) {
    case u'!':
        return 16776960; // aqua
    case u'#':
        return 16711680; // blue
    case u'$':
    case u'&':
        return 12632256; // silver
    case u'%':
        return 8421504; // grey
    case u'*':
        return 65535; // yellow
    case u'+':
        return 16711935; // fuchsia
    case u'-':
        return 255; // red
    case u'.':
        return 128; // maroon
    case u'?':
        return 32896; // olive
    case u'\\':
        return 32768; // green
    case u'^':
        return 8388608; // navy
    case u'_':
        return 8421376; // teal
    default:
        return 0;
    }
}

QString Favourites::colourLegend()
{
    return QStringList{QStringLiteral("コメントの頭の文字を下のとおりに"),
                       QStringLiteral("すると色が変わります。"),
                       QStringLiteral(" ! Aqua"),
                       QStringLiteral(" # Blue"),
                       QStringLiteral(" $ LtGray"),
                       QStringLiteral(" % Gray"),
                       QStringLiteral(" & Silver"),
                       QStringLiteral(" + Fuchsia"),
                       QStringLiteral(" - Red"),
                       QStringLiteral(" ? Olive"),
                       QStringLiteral(" ^ Navy"),
                       QStringLiteral(" \\ Green"),
                       QStringLiteral(" _ Teal"),
                       QStringLiteral(" . Maroon"),
                       QStringLiteral(" * Yellow")}
        .join(QLatin1Char('\n'));
}

} // namespace kazari
