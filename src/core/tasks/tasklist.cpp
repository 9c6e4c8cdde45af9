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
    return followMoves({{oldPath, newPath, true}}, error);
}

bool TaskList::followMoves(const QList<Move> &moves, QString *error)
{
    struct Cut {
        QString from;
        QString below;
        QString to;
        bool withContents;
    };
    QList<Cut> cuts;
    for (const Move &m : moves) {
        if (m.from.isEmpty() || m.to.isEmpty())
            continue;
        const QString from = Navigation::withoutTrailingSeparator(m.from);
        // Items below a moved folder: native paths compare exactly, as the file system does.
        const bool below = m.withContents && Navigation::isNativePath(from);
        cuts.append({from, below ? from + QLatin1Char('/') : QString(),
                     Navigation::withoutTrailingSeparator(m.to), m.withContents});
    }
    if (cuts.isEmpty())
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
    QStringList &lines = m_document.lines;
    QList<bool> moved(lines.size(), false);
    bool changed = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString &line = lines.at(i);
        if (line.isEmpty())
            continue;
        for (const Cut &c : std::as_const(cuts)) {
            if (Navigation::samePath(line, c.from)) {
                lines[i] = c.to;
            } else if (!c.below.isEmpty() && line.startsWith(c.below)) {
                lines[i] = c.to + line.mid(c.from.size());
            } else {
                continue;
            }
            moved[i] = true;
            changed = true;
            break;
        }
    }
    if (!changed)
        return true;
    // A moved line naming an item that is listed already (say the item that was replaced)
    // goes: the item keeps its first line.
    for (qsizetype i = lines.size() - 1; i >= 0; --i) {
        if (!moved.at(i))
            continue;
        for (qsizetype j = 0; j < lines.size(); ++j) {
            if (j != i && !lines.at(j).isEmpty() &&
                Navigation::samePath(lines.at(j), lines.at(i)) && (j < i || !moved.at(j))) {
                lines.removeAt(i);
                moved.removeAt(i);
                break;
            }
        }
    }
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
