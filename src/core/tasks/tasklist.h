#pragma once

#include "core/annotations/annotationstore.h"
#include "core/platform/programfolder.h"
#include "core/platform/textfile.h"

#include <QString>
#include <QStringList>

namespace kazari
{

/// The task list file `task.ini` in the program folder: one full path per line, each
/// naming an item whose annotation holds an open task. The order of the lines is the
/// order of the tasks, and a task's number is its line's index (empty lines count).
///
/// Lines are never rewritten or dropped by anything but the change of their own item:
/// damaged lines, Windows paths and paths of vanished items stay as they are. Every
/// write is atomic; a file that exists but cannot be read is never written.
class TaskList
{
public:
    explicit TaskList(ProgramFolder folder = ProgramFolder());

    static QString fileName() { return QStringLiteral("task.ini"); }
    QString filePath() const { return m_folder.file(fileName()); }
    bool fileExists() const;

    /// Reads the file; a missing file is an empty list. Returns false (and leaves the
    /// list empty) when the file exists but could not be read.
    bool load(QString *error = nullptr);
    const QStringList &lines() const { return m_document.lines; }
    /// The index of the first line naming the item, or -1.
    int indexOf(const QString &itemPath) const;
    bool contains(const QString &itemPath) const { return indexOf(itemPath) >= 0; }

    /// Keeps the file in step with a change of an item's task (the store's operations
    /// 7 and 8):
    /// - Open: appended unless listed; only when the file exists (never created);
    /// - Finished: every line naming the item removed; only when the file exists;
    /// - Cleared: every line naming the item removed, and the file written (created
    ///   empty when it did not exist).
    /// The file is written only when its lines change or it is created. Returns false
    /// with `error` when the file could not be read or written (it is left untouched).
    bool apply(const QString &itemPath, TaskListChange change, QString *error = nullptr);

    /// Creates the file empty when it does not exist (the task editor does this before
    /// listing a task, since listing never creates the file). False with `error` when
    /// it could not be written.
    bool create(QString *error = nullptr);

    /// An item was renamed or moved from `oldPath` to `newPath`: every line naming it, or
    /// an item below it when it is a folder, follows to the new place. The file is never
    /// created and is written only when a line changed. False with `error` when the file
    /// could not be read or written (it is left untouched).
    bool followMove(const QString &oldPath, const QString &newPath, QString *error = nullptr);

    /// One item that went elsewhere.
    struct Move {
        QString from;
        QString to;
        /// The lines of items below it follow too (a whole folder moved). Off for a
        /// folder merged into another, whose entries move one by one and may partly stay.
        bool withContents = true;
    };
    /// `followMove` for several items at once: one read, one write. A line follows the
    /// first move that names it; a line that would name an item already listed is
    /// dropped, so an item is listed once.
    bool followMoves(const QList<Move> &moves, QString *error = nullptr);

    /// A handler for `AnnotationStore::setTaskListHandler`; failures go to `onError`.
    AnnotationStore::TaskListHandler storeHandler(std::function<void(const QString &)> onError);

private:
    ProgramFolder m_folder;
    TextDocument m_document;
};

} // namespace kazari
