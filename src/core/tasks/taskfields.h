#pragma once

#include "core/annotations/annotationstore.h"
#include "core/annotations/annotationvalues.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>

namespace kazari
{

class TaskList;

/// The task of one item as the task editor edits it: start (`_TS`), due (`_TE`),
/// importance (`_imp`), notification (`_impN`), achievement (`_cmp`) and completion
/// (`_comp`). Values that do not read are kept as written until the user changes them,
/// so opening and saving the editor never destroys what it could not show.
struct TaskFields {
    std::optional<TaskDateTime> start;
    std::optional<TaskDateTime> due;
    std::optional<int> importance;
    /// Method 0 to 4; a method below 1 means no notification.
    std::optional<TaskNotification> notification;
    std::optional<int> achievement;
    bool finished = false;

    /// The stored texts that did not read, by suffix; written back unchanged while the
    /// field stays unset.
    QHash<QString, QString> unreadable;

    /// Whether the item has a task at all (any of the six fields present).
    bool hasTask = false;

    /// The stored values of the six fields, by suffix ("" for an absent field).
    QHash<QString, QString> storedValues() const;

    /// Reads the task of the item at a path.
    static TaskFields read(AnnotationStore &store, const QString &path);

    /// Writes the task of the item at a path into the file of the folder that holds it
    /// (one load and one save), then sets its completion through the store's operation
    /// 7, which lists an open task in `task.ini` and unlists a finished one. `task.ini`
    /// is created first when an open task is to be listed.
    static StoreResult write(AnnotationStore &store, TaskList &taskList, const QString &path,
                             const TaskFields &fields);

    /// Removes the six fields of the item at a path and unlists it (operation 8).
    static StoreResult clear(AnnotationStore &store, const QString &path);

    /// The six suffixes in the order the editor shows them.
    static QStringList suffixes();
};

} // namespace kazari
