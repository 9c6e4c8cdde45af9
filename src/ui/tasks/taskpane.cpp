#include "ui/tasks/taskpane.h"
#include "core/app/componentnames.h"

#include "core/app/settings.h"
#include "core/itemlist/itemlist.h"
#include "ui/app/mainwindow.h"
#include "ui/app/messagebox.h"
#include "ui/itemlist/itemlistview.h"
#include "ui/tasks/desktopnotifier.h"
#include "ui/tasks/taskpictures.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QPointer>
#include <QProgressBar>
#include <QThread>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace kazari
{

namespace
{

const QString PendingListCommand = Component::OpenTasksPage;
const QString RefreshCommand = QStringLiteral("cmdTaskPaneRefresh");

TaskPictures::Kind pictureOf(TaskDetail::Kind kind)
{
    switch (kind) {
    case TaskDetail::Comment:
        return TaskPictures::Comment;
    case TaskDetail::Start:
        return TaskPictures::Start;
    case TaskDetail::Due:
        return TaskPictures::Due;
    case TaskDetail::Notice:
        return TaskPictures::Pending;
    case TaskDetail::Achievement:
        return TaskPictures::Completion;
    case TaskDetail::Importance:
        break;
    }
    return TaskPictures::Importance;
}

// The item's place in the list's contents, and moving it there, which QListView keeps for
// its subclasses.
struct IconPlacement : QListView {
    static QRect rectOf(QListView *view, const QModelIndex &index)
    {
        return (view->*&IconPlacement::rectForIndex)(index);
    }
    static void place(QListView *view, const QPoint &at, const QModelIndex &index)
    {
        (view->*&IconPlacement::setPositionForIndex)(at, index);
    }
};

} // namespace

TaskPane *TaskPane::install(MainWindow &form)
{
    if (auto *existing = form.findChild<TaskPane *>())
        return existing;
    QWidget *page = form.rightPage(PendingListCommand);
    auto *pane = new TaskPane(form, page ? page : &form);
    if (page) {
        auto *layout = page->layout() ? page->layout() : new QVBoxLayout(page);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(pane);
    } else {
        pane->hide();
    }
    // The start-up check runs once the window is up, so its box shows over it.
    QTimer::singleShot(0, pane, [pane]() { pane->check(TaskReminder::Trigger::Startup); });
    return pane;
}

TaskPane::TaskPane(MainWindow &form, QWidget *parent)
    : QWidget(parent)
    , m_form(form)
{
    setObjectName(QStringLiteral("TaskPane"));
    m_reminder =
        std::make_unique<TaskReminder>(form.programFolder(), form.store(), form.settings());
    QPointer<MainWindow> window(&form);
    m_reminder->connectStore([window](const QString &error) {
        if (window && !error.isEmpty())
            MessageBox::warning(window, error);
    });
    m_notify = [](const QString &summary, const QString &body) {
        DesktopNotifier::post(summary, body);
    };
    m_pause = []() {
        QCoreApplication::processEvents();
        QThread::msleep(8);
    };

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    m_header = new QLabel(QStringLiteral("最終更新"), this);
    m_header->setTextFormat(Qt::PlainText);
    m_tree = new QTreeWidget(this);
    m_tree->setObjectName(QStringLiteral("TaskTree"));
    m_tree->setHeaderHidden(true);
    m_tree->setItemsExpandable(false);
    m_tree->setExpandsOnDoubleClick(false);
    // Nodes never collapse, so they show no expand marks; long paths and dates are shown
    // whole, the pane scrolling sideways.
    m_tree->setRootIsDecorated(false);
    m_tree->setStyleSheet(QStringLiteral("QTreeView::branch { background: transparent; }"));
    m_tree->header()->setStretchLastSection(false);
    m_tree->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_tree->setContextMenuPolicy(Qt::CustomContextMenu);
    m_progress = new QProgressBar(this);
    m_progress->setTextVisible(false);
    m_progress->setMaximumHeight(8);
    m_progress->setRange(0, 0);
    layout->addWidget(m_header);
    layout->addWidget(m_tree, 1);
    layout->addWidget(m_progress);

    m_popup = new QMenu(QStringLiteral("タスクのメニュー"), this);
    m_popup->setObjectName(QStringLiteral("TaskPopup"));
    QAction *refresh =
        form.commands().actionFor(MenuNode::command(RefreshCommand, TaskCheck::refreshCommand()));
    m_popup->addAction(refresh);
    connect(m_tree, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &at) { m_popup->popup(m_tree->viewport()->mapToGlobal(at)); });
    connect(m_tree, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem *node, int) { goToTask(node); });

    QPointer<TaskPane> self(this);
    form.addCommandHandler([self](const QString &name, QAction *) {
        if (!self)
            return false;
        if (name == RefreshCommand || name == checkCommand()) {
            self->check(TaskReminder::Trigger::Refresh);
            return true;
        }
        return false;
    });
    // After the main window has shown the page for the new mark.
    connect(&form.commands(), &CommandRegistry::triggered, this,
            [this](const QString &name, QAction *action) {
                if (name == PendingListCommand && action && action->isChecked())
                    check(TaskReminder::Trigger::PendingListShown);
            });
}

std::optional<TaskCheckResult> TaskPane::check(TaskReminder::Trigger trigger)
{
    if (!TaskReminder::runsOn(trigger, m_form.settings()))
        return std::nullopt;
    QLabel *status = m_form.statusField(MainWindow::SysMsg);
    if (status)
        status->setText(TaskCheck::beginStatus());
    QApplication::setOverrideCursor(Qt::WaitCursor);
    std::optional<TaskCheckResult> result = m_reminder->check(trigger);
    if (result)
        fill(*result);
    QApplication::restoreOverrideCursor();
    if (status)
        status->setText(TaskCheck::endStatus());
    if (!result)
        return result;
    m_last = result;
    if (!result->error.isEmpty())
        MessageBox::warning(&m_form, result->error);
    if (result->announce) {
        announce(*result);
        if (status)
            status->setText(TaskCheck::checkedStatus());
    }
    return result;
}

void TaskPane::fill(const TaskCheckResult &result)
{
    m_header->setText(result.headerText());
    const int maximum = qMax(0, result.lineCount - 1);
    m_progress->setRange(0, maximum);
    m_progress->setValue(maximum);
    m_progress->setToolTip(QString::number(maximum));

    m_tree->setUpdatesEnabled(false);
    m_tree->clear();
    auto *root = new QTreeWidgetItem(m_tree, {TaskCheck::rootCaption()});
    root->setIcon(0, TaskPictures::icon(TaskPictures::Unfinished));
    const QColor blue(0, 0, 255);
    const QColor red(255, 0, 0);
    for (const TaskItem &task : result.tasks) {
        auto *node = new QTreeWidgetItem(root, {task.path});
        node->setData(0, PathRole, task.path);
        node->setData(0, StateRole, int(task.state));
        node->setToolTip(0, task.path);
        switch (task.state) {
        case TaskItem::Overdue: {
            node->setIcon(0, TaskPictures::icon(TaskPictures::Overdue));
            node->setForeground(0, red);
            node->setBackground(0, QColor(255, 255, 0));
            QFont bold = m_tree->font();
            bold.setBold(true);
            node->setFont(0, bold);
            break;
        }
        case TaskItem::Pending:
            node->setIcon(0, TaskPictures::icon(TaskPictures::Pending));
            break;
        case TaskItem::NoDue:
            node->setIcon(0, TaskPictures::icon(TaskPictures::Task));
            break;
        }
        for (const TaskDetail &detail : task.details) {
            auto *child = new QTreeWidgetItem(node, {detail.text});
            child->setData(0, PathRole, task.path);
            child->setData(0, KindRole, int(detail.kind));
            child->setIcon(0, TaskPictures::icon(pictureOf(detail.kind)));
            if ((detail.kind == TaskDetail::Start || detail.kind == TaskDetail::Due) &&
                detail.moment.isValid())
                child->setForeground(0, detail.passed ? red : blue);
        }
    }
    m_tree->expandAll();
    m_tree->setUpdatesEnabled(true);
}

void TaskPane::announce(const TaskCheckResult &result)
{
    if (m_notify) {
        for (const TaskAnnouncement &a : result.announcements) {
            const QString summary = a.kind == TaskAnnouncement::Overdue
                                        ? QStringLiteral("期日超過")
                                        : QStringLiteral("お知らせ");
            QString body = a.path + QLatin1Char('\n') + a.when;
            if (!a.comment.isEmpty())
                body += QLatin1Char('\n') + a.comment;
            m_notify(summary, body);
        }
    }
    MessageBox::warningOk(&m_form, result.messageText());
}

bool TaskPane::goToTask(QTreeWidgetItem *node)
{
    if (!node)
        return false;
    const QString path = node->data(0, PathRole).toString();
    if (path.isEmpty())
        return false;
    ItemListView *view = m_form.itemListView();
    if (view->list().rowOfPath(path) < 0)
        return false;
    view->selectPaths({path}, path);
    view->currentView()->setFocus();
    shake(view->list().rowOfPath(path));
    return true;
}

bool TaskPane::shake(int row)
{
    ItemListView *view = m_form.itemListView();
    const ListStyle style = view->look().style;
    if (row < 0 || (style != ListStyle::LargeIcons && style != ListStyle::SmallIcons))
        return false;
    QListView *icons = view->iconView();
    const QPersistentModelIndex index = icons->model()->index(row, 0);
    if (!index.isValid())
        return false;
    // A list without saved positions lays its items out itself: it lets them be moved only
    // while its movement is free, so it is made so for the shake.
    // Laid out in one pass, so that the item has its place however far down it is.
    const QListView::Movement movement = icons->movement();
    const QListView::LayoutMode layoutMode = icons->layoutMode();
    const bool dragEnabled = icons->dragEnabled();
    const bool acceptDrops = icons->viewport()->acceptDrops();
    if (movement == QListView::Static) {
        icons->setLayoutMode(QListView::SinglePass);
        icons->setMovement(QListView::Free);
    }
    const QPoint home = IconPlacement::rectOf(icons, index).topLeft();
    for (int i = 0; i < ShakeCount && index.isValid(); ++i) {
        IconPlacement::place(icons, home + QPoint(ShakeDistance, 0), index);
        m_pause();
        if (!index.isValid())
            break;
        IconPlacement::place(icons, home, index);
        m_pause();
    }
    if (index.isValid())
        IconPlacement::place(icons, home, index);
    if (movement == QListView::Static) {
        icons->setLayoutMode(layoutMode);
        icons->setMovement(movement);
        icons->setDragEnabled(dragEnabled);
        icons->viewport()->setAcceptDrops(acceptDrops);
    }
    return true;
}

} // namespace kazari
