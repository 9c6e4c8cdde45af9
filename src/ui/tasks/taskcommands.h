#pragma once

namespace kazari
{

class MainWindow;

/// Installs comments, tasks and the detail information window on the main window: the
/// comment box and "コメント入力", the task editor, the task pane with its check, the
/// extended comment editor and the detail information window.
class TaskCommands
{
public:
    static void install(MainWindow &form);
};

} // namespace kazari
