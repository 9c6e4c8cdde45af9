#include "ui/tasks/taskeditorwindow.h"

#include "core/itemlist/itemlist.h"
#include "core/platform/clock.h"
#include "core/tasks/tasklist.h"
#include "ui/app/mainwindow.h"
#include "ui/app/messagebox.h"
#include "ui/itemlist/itemlistview.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace kazari
{

namespace
{

const QString DisplayFormat = QStringLiteral("yyyy/MM/dd H:mm:ss");

QDateTimeEdit *dateTimeEdit(QWidget *parent)
{
    auto *edit = new QDateTimeEdit(parent);
    edit->setCalendarPopup(true);
    edit->setDisplayFormat(DisplayFormat);
    return edit;
}

QString captionOf(const QString &path)
{
    return QFileInfo(path).fileName();
}

// Whole seconds: what the annotation keeps.
QDateTime nowToTheSecond()
{
    const QDateTime now = Clock::instance().now();
    return QDateTime(now.date(),
                     QTime(now.time().hour(), now.time().minute(), now.time().second()));
}

} // namespace

TaskEditorWindow *TaskEditorWindow::install(MainWindow &form)
{
    if (auto *existing = form.findChild<TaskEditorWindow *>())
        return existing;
    auto *window = new TaskEditorWindow(form);
    QPointer<TaskEditorWindow> self(window);
    form.addCommandHandler([self, &form](const QString &name, QAction *) {
        if (!self || name != editCommand())
            return false;
        self->openFor(form.selectedPaths());
        return true;
    });
    return window;
}

TaskEditorWindow::TaskEditorWindow(MainWindow &form)
    : QDialog(&form, Qt::Tool)
    , m_form(form)
{
    setObjectName(QStringLiteral("TaskEditor"));
    setWindowTitle(QStringLiteral("タスクの編集"));

    auto *layout = new QVBoxLayout(this);
    m_heading = new QLabel(this);
    m_heading->setTextFormat(Qt::PlainText);
    layout->addWidget(m_heading);

    auto *grid = new QGridLayout;
    int row = 0;
    m_startOn = new QCheckBox(QStringLiteral("開始日"), this);
    m_start = dateTimeEdit(this);
    grid->addWidget(m_startOn, row, 0);
    grid->addWidget(m_start, row++, 1);
    m_dueOn = new QCheckBox(QStringLiteral("期日"), this);
    m_due = dateTimeEdit(this);
    grid->addWidget(m_dueOn, row, 0);
    grid->addWidget(m_due, row++, 1);

    m_importance = new QComboBox(this);
    m_importance->addItems({QStringLiteral("（指定なし）"), QStringLiteral("なし"),
                            QStringLiteral("低"), QStringLiteral("普通"), QStringLiteral("高"),
                            QStringLiteral("重要")});
    grid->addWidget(new QLabel(QStringLiteral("重要度"), this), row, 0);
    grid->addWidget(m_importance, row++, 1);

    m_noticeMethod = new QComboBox(this);
    m_noticeMethod->addItems({QStringLiteral("なし"), QStringLiteral("指定日"),
                              QStringLiteral("開始日"), QStringLiteral("期日"),
                              QStringLiteral("毎日")});
    m_notice = dateTimeEdit(this);
    auto *noticeRow = new QHBoxLayout;
    noticeRow->addWidget(m_noticeMethod);
    noticeRow->addWidget(m_notice, 1);
    grid->addWidget(new QLabel(QStringLiteral("通知"), this), row, 0);
    grid->addLayout(noticeRow, row++, 1);

    m_achievementOn = new QCheckBox(QStringLiteral("達成率"), this);
    m_achievement = new QSpinBox(this);
    m_achievement->setRange(0, 100);
    m_achievement->setSingleStep(10);
    m_achievement->setSuffix(QStringLiteral(" %"));
    grid->addWidget(m_achievementOn, row, 0);
    grid->addWidget(m_achievement, row++, 1);

    m_finished = new QCheckBox(QStringLiteral("完了"), this);
    grid->addWidget(m_finished, row++, 0, 1, 2);
    layout->addLayout(grid);

    m_unreadable = new QLabel(this);
    m_unreadable->setTextFormat(Qt::PlainText);
    m_unreadable->setWordWrap(true);
    m_unreadable->hide();
    layout->addWidget(m_unreadable);

    auto *buttons = new QHBoxLayout;
    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setDefault(true);
    m_clear = new QPushButton(QStringLiteral("タスクの解除"), this);
    auto *cancel = new QPushButton(QStringLiteral("キャンセル"), this);
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_clear);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);

    connect(m_startOn, &QCheckBox::toggled, this, [this]() { markChanged(StartGroup); });
    connect(m_start, &QDateTimeEdit::dateTimeChanged, this, [this]() { markChanged(StartGroup); });
    connect(m_dueOn, &QCheckBox::toggled, this, [this]() { markChanged(DueGroup); });
    connect(m_due, &QDateTimeEdit::dateTimeChanged, this, [this]() { markChanged(DueGroup); });
    connect(m_importance, &QComboBox::currentIndexChanged, this,
            [this]() { markChanged(ImportanceGroup); });
    connect(m_noticeMethod, &QComboBox::currentIndexChanged, this,
            [this]() { markChanged(NoticeGroup); });
    connect(m_notice, &QDateTimeEdit::dateTimeChanged, this,
            [this]() { markChanged(NoticeGroup); });
    connect(m_achievementOn, &QCheckBox::toggled, this,
            [this]() { markChanged(AchievementGroup); });
    connect(m_achievement, &QSpinBox::valueChanged, this,
            [this]() { markChanged(AchievementGroup); });
    connect(m_finished, &QCheckBox::toggled, this, [this]() { markChanged(FinishedGroup); });
    connect(m_ok, &QPushButton::clicked, this, [this]() {
        if (applyChanges())
            hide();
    });
    connect(m_clear, &QPushButton::clicked, this, [this]() {
        if (clearTasks())
            hide();
    });
    connect(cancel, &QPushButton::clicked, this, &QWidget::hide);
}

bool TaskEditorWindow::openFor(const QStringList &paths)
{
    if (paths.isEmpty()) {
        MessageBox::information(&m_form, noSelectionText());
        return false;
    }
    m_paths = paths;
    m_heading->setText(paths.size() == 1 ? captionOf(paths.first())
                                         : QStringLiteral("%1 ほか %2 項目")
                                               .arg(captionOf(paths.first()))
                                               .arg(paths.size() - 1));
    setWindowTitle(QStringLiteral("タスクの編集 - ") + captionOf(paths.first()));
    fill(TaskFields::read(m_form.store(), paths.first()));
    show();
    raise();
    activateWindow();
    return true;
}

void TaskEditorWindow::fill(const TaskFields &fields)
{
    m_filling = true;
    const QDateTime now = nowToTheSecond();
    auto moment = [&now](const std::optional<TaskDateTime> &v) {
        if (!v)
            return now;
        return QDateTime(v->date, v->time.isValid() ? v->time : QTime(0, 0));
    };
    // A new task starts now.
    m_startOn->setChecked(fields.start.has_value() || !fields.hasTask);
    m_start->setDateTime(moment(fields.start));
    m_dueOn->setChecked(fields.due.has_value());
    m_due->setDateTime(fields.due ? moment(fields.due) : now.addDays(1));
    m_importance->setCurrentIndex(fields.importance ? *fields.importance + 1 : 0);
    m_noticeMethod->setCurrentIndex(fields.notification ? qBound(0, fields.notification->method, 4)
                                                        : 0);
    m_notice->setDateTime(
        fields.notification && fields.notification->date.isValid()
            ? QDateTime(fields.notification->date, fields.notification->time.isValid()
                                                       ? fields.notification->time
                                                       : QTime(0, 0))
            : now);
    m_achievementOn->setChecked(fields.achievement.has_value());
    m_achievement->setValue(fields.achievement.value_or(0));
    m_finished->setChecked(fields.finished);

    QStringList unreadable;
    for (const QString &suffix : TaskFields::suffixes()) {
        if (fields.unreadable.contains(suffix))
            unreadable.append(suffix + QLatin1Char('=') + fields.unreadable.value(suffix));
    }
    m_unreadable->setText(unreadable.isEmpty()
                              ? QString()
                              : QStringLiteral("読めない値（変更しなければそのまま残ります）:\n") +
                                    unreadable.join(QLatin1Char('\n')));
    m_unreadable->setVisible(!unreadable.isEmpty());
    for (bool &c : m_changed)
        c = false;
    // A new task is written as shown even when nothing is touched.
    if (!fields.hasTask)
        m_changed[StartGroup] = true;
    m_filling = false;
    updateEnabled();
}

void TaskEditorWindow::markChanged(Group group)
{
    if (m_filling)
        return;
    m_changed[group] = true;
    updateEnabled();
}

void TaskEditorWindow::updateEnabled()
{
    m_start->setEnabled(m_startOn->isChecked());
    m_due->setEnabled(m_dueOn->isChecked());
    m_notice->setEnabled(m_noticeMethod->currentIndex() >= 1);
    m_achievement->setEnabled(m_achievementOn->isChecked());
}

bool TaskEditorWindow::applyChanges()
{
    bool any = false;
    for (bool c : m_changed)
        any = any || c;
    if (!any || m_paths.isEmpty())
        return true;
    auto taskMoment = [](const QDateTimeEdit *edit) {
        return TaskDateTime{edit->date(), edit->time()};
    };
    TaskList list(m_form.programFolder());
    QStringList errors;
    for (const QString &path : std::as_const(m_paths)) {
        TaskFields f = TaskFields::read(m_form.store(), path);
        if (m_changed[StartGroup]) {
            f.start = m_startOn->isChecked() ? std::optional(taskMoment(m_start)) : std::nullopt;
            f.unreadable.remove(QStringLiteral("_TS"));
        }
        if (m_changed[DueGroup]) {
            f.due = m_dueOn->isChecked() ? std::optional(taskMoment(m_due)) : std::nullopt;
            f.unreadable.remove(QStringLiteral("_TE"));
        }
        if (m_changed[ImportanceGroup]) {
            const int i = m_importance->currentIndex();
            f.importance = i >= 1 ? std::optional(i - 1) : std::nullopt;
            f.unreadable.remove(QStringLiteral("_imp"));
        }
        if (m_changed[NoticeGroup]) {
            const int method = m_noticeMethod->currentIndex();
            if (method >= 1)
                f.notification = TaskNotification{method, m_notice->date(), m_notice->time()};
            else
                f.notification.reset();
            f.unreadable.remove(QStringLiteral("_impN"));
        }
        if (m_changed[AchievementGroup]) {
            f.achievement =
                m_achievementOn->isChecked() ? std::optional(m_achievement->value()) : std::nullopt;
            f.unreadable.remove(QStringLiteral("_cmp"));
        }
        if (m_changed[FinishedGroup])
            f.finished = m_finished->isChecked();
        const StoreResult r = TaskFields::write(m_form.store(), list, path, f);
        if (!r.ok)
            errors.append(r.error);
    }
    return finish(errors);
}

bool TaskEditorWindow::clearTasks()
{
    QStringList errors;
    for (const QString &path : std::as_const(m_paths)) {
        const StoreResult r = TaskFields::clear(m_form.store(), path);
        if (!r.ok)
            errors.append(r.error);
    }
    return finish(errors);
}

bool TaskEditorWindow::finish(const QStringList &errors)
{
    itemsChanged();
    if (errors.isEmpty())
        return true;
    MessageBox::warning(&m_form, errors.join(QLatin1Char('\n')));
    return false;
}

void TaskEditorWindow::itemsChanged()
{
    // Caption colours, columns and tips of the items follow their new task.
    ItemListView *view = m_form.itemListView();
    for (const QString &path : std::as_const(m_paths)) {
        const int row = view->list().rowOfPath(path);
        if (row >= 0)
            view->reshowRow(row);
    }
}

} // namespace kazari
