#include "ui/tasks/taskcommands.h"

#include "ui/app/mainwindow.h"
#include "ui/tasks/commentcommands.h"
#include "ui/tasks/detailwindow.h"
#include "ui/tasks/extendedcommenteditor.h"
#include "ui/tasks/taskeditorwindow.h"
#include "ui/tasks/taskpane.h"

namespace kazari
{

void TaskCommands::install(MainWindow &form)
{
    CommentCommands *comments = CommentCommands::install(form);
    TaskEditorWindow::install(form);
    TaskPane::install(form);
    ExtendedCommentEditor::install(form);
    DetailWindow *details = DetailWindow::install(form);
    QObject::connect(details, &DetailWindow::commentWritten, comments,
                     &CommentCommands::commentChanged, Qt::UniqueConnection);
}

} // namespace kazari
