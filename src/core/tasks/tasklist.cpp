#include "core/tasks/tasklist.h"

#include "core/navigation/navigation.h"

#include <QFileInfo>

namespace kazari
{

TaskList::TaskList(ProgramFolder folder)
    : m_folder(std::move(folder))
{
}

bool TaskList::fileExists() const
{
    const QFileInfo info(filePath());
    return info.exists() || info.isSymLink();
}

bool TaskList::load(QString *error)
{
    TextFile::ReadResult r = TextFile::read(filePath());
    m_document = r.found ? r.document : TextDocument();
    if (!r.error.isEmpty()) {
        if (error)
            *error = filePath() + QStringLiteral(": ") + r.error;
        return false;
    }
    return true;
}

int TaskList::indexOf(const QString &itemPath) const
{
    if (itemPath.isEmpty())
        return -1;
    for (int i = 0; i < m_document.lines.size(); ++i) {
        const QString &line = m_document.lines.at(i);
        if (!line.isEmpty() && Navigation::samePath(line, itemPath))
            return i;
    }
    return -1;
}

bool TaskList::apply(const QString &itemPath, TaskListChange change, QString *error)
{
    if (itemPath.isEmpty())
        return true;
    TextFile::ReadResult r = TextFile::read(filePath());
    if (!r.error.isEmpty()) {
        if (error)
            *error = filePath() + QStringLiteral(": ") + r.error;
        return false;
    }
    m_document = r.found ? r.document : TextDocument();
    if (!r.found && change != TaskListChange::Cleared)
        return true;

    const QStringList before = m_document.lines;
    if (change == TaskListChange::Open) {
        if (!contains(itemPath))
            m_document.lines.append(itemPath);
    } else {
        for (int i = indexOf(itemPath); i >= 0; i = indexOf(itemPath))
            m_document.lines.removeAt(i);
    }
    if (r.found && m_document.lines == before)
        return true;

    QString why;
    if (TextFile::write(filePath(), m_document, &why))
        return true;
    if (error)
        *error = filePath() + QStringLiteral(": ") + why;
    m_document.lines = before;
    return false;
}

bool TaskList::create(QString *error)
{
    if (fileExists())
        return true;
    QString why;
    if (TextFile::write(filePath(), TextDocument(), &why))
        return true;
    if (error)
        *error = filePath() + QStringLiteral(": ") + why;
    return false;
}

bool TaskList::followMove(const QString &oldPath, const QString &newPath, QString *error)
{
    if (oldPath.isEmpty() || newPath.isEmpty())
        return true;
    TextFile::ReadResult r = TextFile::read(filePath());
    if (!r.error.isEmpty()) {
        if (error)
            *error = filePath() + QStringLiteral(": ") + r.error;
        return false;
    }
    if (!r.found)
        return true;
    m_document = r.document;
    const QString from = Navigation::withoutTrailingSeparator(oldPath);
    const QString to = Navigation::withoutTrailingSeparator(newPath);
    // Items below a moved folder: native paths compare exactly, as the file system does.
    const QString below = from + QLatin1Char('/');
    bool changed = false;
    for (QString &line : m_document.lines) {
        if (line.isEmpty())
            continue;
        if (Navigation::samePath(line, from)) {
            line = to;
            changed = true;
        } else if (Navigation::isNativePath(from) && line.startsWith(below)) {
            line = to + line.mid(from.size());
            changed = true;
        }
    }
    if (!changed)
        return true;
    QString why;
    if (TextFile::write(filePath(), m_document, &why))
        return true;
    if (error)
        *error = filePath() + QStringLiteral(": ") + why;
    m_document = r.document;
    return false;
}

AnnotationStore::TaskListHandler
TaskList::storeHandler(std::function<void(const QString &)> onError)
{
    return [this, onError = std::move(onError)](const QString &itemPath, TaskListChange change) {
        QString error;
        if (!apply(itemPath, change, &error) && onError)
            onError(error);
    };
}

} // namespace kazari
