#pragma once

#include "core/tasks/taskfields.h"

#include <QDialog>
#include <QStringList>

class QCheckBox;
class QComboBox;
class QDateTimeEdit;
class QLabel;
class QPushButton;
class QSpinBox;

namespace kazari
{

class MainWindow;

/// "タスクの編集": the task of the selected items, with start, due date, importance,
/// notification, achievement rate and completion, opened by "タスクの編集(&T)" of the
/// item pop-up menu and the file menu.
///
/// The window is filled from the first item and bound to the items it was opened for.
/// "OK" writes only the fields the user changed, into each item's own annotation file by
/// its full path, so the other fields of every item (also values the window could not
/// read) stay as they were; the completion goes through the store's operation 7, which
/// lists an open task in `task.ini` and unlists a finished one. "タスクの解除" removes
/// the six fields of every item and unlists it (operation 8).
class TaskEditorWindow : public QDialog
{
    Q_OBJECT

public:
    static TaskEditorWindow *install(MainWindow &form);
    explicit TaskEditorWindow(MainWindow &form);

    static QString editCommand() { return QStringLiteral("cmdTaskEdit"); }
    static QString noSelectionText()
    {
        return QStringLiteral("タスクを設定する項目が未選択です。");
    }

    /// Fills the window for these items and shows it; false (with a message) when there
    /// are none.
    bool openFor(const QStringList &paths);
    const QStringList &paths() const { return m_paths; }

    /// Writes the changed fields of every bound item; false when one failed (reported).
    bool applyChanges();
    /// Clears the task of every bound item; false when one failed (reported).
    bool clearTasks();

    QCheckBox *startBox() const { return m_startOn; }
    QDateTimeEdit *startEdit() const { return m_start; }
    QCheckBox *dueBox() const { return m_dueOn; }
    QDateTimeEdit *dueEdit() const { return m_due; }
    QComboBox *importanceBox() const { return m_importance; }
    QComboBox *noticeMethodBox() const { return m_noticeMethod; }
    QDateTimeEdit *noticeEdit() const { return m_notice; }
    QCheckBox *achievementBox() const { return m_achievementOn; }
    QSpinBox *achievementEdit() const { return m_achievement; }
    QCheckBox *finishedBox() const { return m_finished; }
    QPushButton *okButton() const { return m_ok; }
    QPushButton *clearButton() const { return m_clear; }

private:
    enum Group {
        StartGroup,
        DueGroup,
        ImportanceGroup,
        NoticeGroup,
        AchievementGroup,
        FinishedGroup,
        GroupCount
    };
    void fill(const TaskFields &fields);
    void markChanged(Group group);
    void updateEnabled();
    void itemsChanged();
    /// Shows the items again and reports what could not be written; true when all was.
    bool finish(const QStringList &errors);

    MainWindow &m_form;
    QStringList m_paths;
    bool m_filling = false;
    bool m_changed[GroupCount] = {};

    QLabel *m_heading = nullptr;
    QCheckBox *m_startOn = nullptr;
    QDateTimeEdit *m_start = nullptr;
    QCheckBox *m_dueOn = nullptr;
    QDateTimeEdit *m_due = nullptr;
    QComboBox *m_importance = nullptr;
    QComboBox *m_noticeMethod = nullptr;
    QDateTimeEdit *m_notice = nullptr;
    QCheckBox *m_achievementOn = nullptr;
    QSpinBox *m_achievement = nullptr;
    QCheckBox *m_finished = nullptr;
    QLabel *m_unreadable = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_clear = nullptr;
};

} // namespace kazari
