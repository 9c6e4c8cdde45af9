#include "core/app/applicationlist.h"

#include "core/platform/keyvaluelist.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace kazari
{

namespace
{

bool hasLineBreak(const QString &text)
{
    return text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r'));
}

QString lineOf(const ApplicationList::Entry &entry)
{
    return entry.name + QLatin1Char('=') + entry.program;
}

} // namespace

ApplicationList::ApplicationList(ProgramFolder folder)
    : m_folder(std::move(folder))
{
}

bool ApplicationList::load(QString *error)
{
    m_document = TextDocument();
    if (!m_folder.isValid())
        return true;
    TextFile::ReadResult r = TextFile::read(filePath());
    if (!r.found) {
        if (error)
            *error = r.error;
        return r.error.isEmpty();
    }
    m_document = std::move(r.document);
    return true;
}

bool ApplicationList::save(QString *error)
{
    if (!m_folder.isValid()) {
        if (error)
            *error = QStringLiteral("プログラムフォルダがありません");
        return false;
    }
    return TextFile::write(filePath(), m_document, error);
}

bool ApplicationList::isEntryLine(const QString &line)
{
    const QString key = KeyValueList::keyOf(line);
    return !key.isNull() && !key.isEmpty();
}

QList<ApplicationList::Entry> ApplicationList::entries() const
{
    QList<Entry> out;
    for (const QString &line : m_document.lines) {
        if (isEntryLine(line))
            out.append({KeyValueList::keyOf(line), KeyValueList::valueOf(line)});
    }
    return out;
}

QList<ApplicationList::Entry> ApplicationList::available() const
{
    QList<Entry> out;
    for (const Entry &e : entries()) {
        if (programExists(e.program))
            out.append(e);
    }
    return out;
}

bool ApplicationList::isWritable(const Entry &entry)
{
    return !entry.name.isEmpty() && !entry.program.isEmpty() &&
           !entry.name.contains(QLatin1Char('=')) && !hasLineBreak(entry.name) &&
           !hasLineBreak(entry.program);
}

bool ApplicationList::setEntries(const QList<Entry> &entries, QString *error)
{
    for (const Entry &e : entries) {
        if (!isWritable(e)) {
            if (error)
                *error = QStringLiteral("登録できないアプリケーションがあります: %1").arg(e.name);
            return false;
        }
    }
    QStringList lines;
    lines.reserve(m_document.lines.size() + entries.size());
    qsizetype next = 0;
    for (const QString &line : std::as_const(m_document.lines)) {
        if (!isEntryLine(line)) {
            lines.append(line);
            continue;
        }
        if (next < entries.size())
            lines.append(lineOf(entries.at(next++)));
    }
    for (; next < entries.size(); ++next)
        lines.append(lineOf(entries.at(next)));
    m_document.lines = std::move(lines);
    return true;
}

bool ApplicationList::programExists(const QString &program)
{
    static const QRegularExpression foreign(QStringLiteral(R"(^([A-Za-z]:[\\/]|\\\\))"));
    if (program.isEmpty() || program.contains(QChar(0)) || foreign.match(program).hasMatch())
        return false;
    if (!QDir::isAbsolutePath(program))
        return false;
    return QFileInfo(program).isFile();
}

bool ApplicationList::launch(const Entry &entry, const QString &itemPath, Launcher &launcher)
{
    if (itemPath.isEmpty() || !programExists(entry.program))
        return false;
    QString path = itemPath;
    while (path.size() > 1 && path.endsWith(QLatin1Char('/')))
        path.chop(1);
    const QString folder = QFileInfo(path).absolutePath();
    return launcher.startDetached(entry.program, {itemPath}, folder);
}

} // namespace kazari
