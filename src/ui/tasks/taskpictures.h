#pragma once

#include <QIcon>

namespace kazari
{

/// The small pictures of the task tree, drawn by the program itself.
class TaskPictures
{
public:
    enum Kind { Unfinished, Task, Pending, Overdue, Comment, Start, Due, Completion, Importance };
    static QIcon icon(Kind kind);
};

} // namespace kazari
