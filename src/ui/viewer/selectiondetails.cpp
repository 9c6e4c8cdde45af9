#include "ui/viewer/selectiondetails.h"
#include "core/app/componentnames.h"

#include "core/annotations/annotationlist.h"
#include "core/app/colorvalue.h"
#include "core/viewer/viewerpage.h"
#include "ui/app/mainwindow.h"
#include "ui/itemlist/itemlistmodel.h"
#include "ui/itemlist/itemlistview.h"
#include "ui/sticky/stickynotewindow.h"
#include "ui/viewer/viewerpagewidget.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QItemSelectionModel>
#include <QLabel>
#include <QListView>
#include <QStatusBar>
#include <QTreeView>
#include <QVBoxLayout>

namespace kazari
{

namespace
{

const QString CommentBalloon = Component::CommentTips;
const QString TaskBalloon = Component::TaskAndCommentTips;
const QString ViewerPageCommand = Component::SimpleFileView;

QString lastComponent(const QString &path)
{
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}

// Drags entering the item list hide the note.
class DragWatch : public QObject
{
public:
    DragWatch(StickyNoteWindow *note, QObject *parent)
        : QObject(parent)
        , m_note(note)
    {
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::DragEnter && m_note)
            m_note->hideNote();
        return QObject::eventFilter(watched, event);
    }

private:
    QPointer<StickyNoteWindow> m_note;
};

} // namespace

SelectionDetails *SelectionDetails::install(MainWindow &form)
{
    auto *s = form.findChild<SelectionDetails *>(QString(), Qt::FindDirectChildrenOnly);
    if (!s)
        s = new SelectionDetails(form);
    return s;
}

SelectionDetails::SelectionDetails(MainWindow &form)
    : QObject(&form)
    , m_form(form)
{
    setObjectName(QStringLiteral("SelectionDetails"));
    m_pool.setMaxThreadCount(1);

    if (QWidget *page = form.rightPage(ViewerPageCommand)) {
        auto *layout = page->layout() ? page->layout() : new QVBoxLayout(page);
        layout->setContentsMargins(0, 0, 0, 0);
        m_page = new ViewerPageWidget(page);
        layout->addWidget(m_page);
    } else {
        m_page = new ViewerPageWidget();
        m_page->setParent(&form, Qt::Window);
    }

    m_note = new StickyNoteWindow(&form);
    connect(m_note, &StickyNoteWindow::refreshRequested, this, [this]() {
        const QModelIndex current =
            m_form.itemListView()->iconView()->selectionModel()->currentIndex();
        if (current.isValid())
            handle(current.row(), true);
    });

    m_gather.setSingleShot(true);
    m_gather.setInterval(0);
    connect(&m_gather, &QTimer::timeout, this, &SelectionDetails::flush);

    ItemListView *view = form.itemListView();
    // A new list: the note showed an item of the old one, which may be gone.
    connect(view->model(), &QAbstractItemModel::modelAboutToBeReset, this, [this]() {
        if (m_note)
            m_note->hideNote();
    });
    QItemSelectionModel *selection = view->iconView()->selectionModel();
    connect(selection, &QItemSelectionModel::selectionChanged, this,
            [this](const QItemSelection &selected, const QItemSelection &deselected) {
                if (!selected.isEmpty())
                    m_lastRow = selected.last().bottom();
                else if (!deselected.isEmpty())
                    m_lastRow = deselected.first().top();
                if (!m_gather.isActive())
                    m_gather.start();
            });
    connect(view->model(), &QAbstractItemModel::modelAboutToBeReset, this, [this]() {
        m_lastRow = -1;
        m_gather.stop();
    });
    auto *drags = new DragWatch(m_note, this);
    view->iconView()->viewport()->installEventFilter(drags);
    view->detailsView()->viewport()->installEventFilter(drags);

    QPointer<SelectionDetails> self(this);
    form.addCommandHandler([self](const QString &name, QAction *action) {
        return self && self->onCommand(name, action);
    });
    form.onShutdown(MainWindow::ShutdownStep::StopListWatch, [self](bool) {
        if (self)
            self->stopViewer();
    });
}

SelectionDetails::~SelectionDetails()
{
    stopViewer();
}

void SelectionDetails::stopViewer()
{
    m_gather.stop();
    if (m_cancel)
        m_cancel->store(true);
    m_pool.waitForDone();
}

bool SelectionDetails::isOn(const QString &command) const
{
    const QAction *a = m_form.commands().action(command);
    return a ? a->isChecked() : m_form.settings().isOn(command);
}

bool SelectionDetails::onCommand(const QString &name, QAction *action)
{
    ItemListView *view = m_form.itemListView();
    QItemSelectionModel *selection = view->iconView()->selectionModel();
    ItemListModel *model = view->model();
    const int rows = model->rowCount();
    if (name == QLatin1String("cmdSelectAll") || name == QLatin1String("cmdInvertSelection")) {
        if (rows > 0) {
            const QItemSelection all(model->index(0, 0), model->index(rows - 1, 0));
            selection->select(all, (name == QLatin1String("cmdSelectAll")
                                        ? QItemSelectionModel::Select
                                        : QItemSelectionModel::Toggle) |
                                       QItemSelectionModel::Rows);
        }
        return true;
    }
    if (name == QLatin1String("cmdSelectNone")) {
        selection->clearSelection();
        return true;
    }
    if (name == CommentBalloon || name == TaskBalloon) {
        // The two switches exclude each other; either one hides the note first.
        if (m_note)
            m_note->hideNote();
        const bool on = action && action->isChecked();
        if (on) {
            const QString other = name == CommentBalloon ? TaskBalloon : CommentBalloon;
            if (QAction *a = m_form.commands().action(other))
                a->setChecked(false);
            m_form.settings().storeSetting(other, QStringLiteral("0"), true);
        }
        m_form.settings().storeSetting(name, on ? QStringLiteral("1") : QStringLiteral("0"), true);
        return true;
    }
    return false;
}

void SelectionDetails::flush()
{
    m_gather.stop();
    ItemListView *view = m_form.itemListView();
    QItemSelectionModel *selection = view->iconView()->selectionModel();
    const int count = view->list().count();
    int row = m_lastRow;
    const QModelIndex current = selection->currentIndex();
    // A click in the icon view selects the row's first cell only, not the whole row.
    auto rowSelected = [selection](int r) {
        return selection->isSelected(selection->model()->index(r, 0)) ||
               selection->isRowSelected(r);
    };
    if (current.isValid() && (rowSelected(current.row()) || row < 0))
        row = current.row();
    if (row < 0 || row >= count)
        return;
    handle(row, rowSelected(row));
}

void SelectionDetails::handle(int row, bool selected)
{
    ItemList &list = m_form.itemListView()->list();
    if (row < 0 || row >= list.count())
        return;
    ++m_handled;
    const QString path = list.at(row).PATH;
    SelectionRules::State state;
    state.listFileMode = m_form.listFileMode();
    state.viewerPageOn = isOn(ViewerPageCommand);
    state.balloonOn = isOn(CommentBalloon) || isOn(TaskBalloon);
    state.quickCommentOn = isOn(Component::QuickComment);
    bool cursor = false;
    for (SelectionRules::Step step : SelectionRules::steps(state)) {
        switch (step) {
        case SelectionRules::Step::ShowComment:
            m_form.statusField(MainWindow::StatusField(SelectionRules::CommentField))
                ->setText(list.annotationOf(row).cmt);
            break;
        case SelectionRules::Step::ShowPathInField:
        case SelectionRules::Step::ShowPath: {
            QLabel *field = m_form.statusField(MainWindow::StatusField(SelectionRules::PathField));
            const int width =
                SelectionRules::pathWidth(step == SelectionRules::Step::ShowPathInField,
                                          field->width(), m_form.statusBar()->width());
            field->setText(field->fontMetrics().elidedText(path, Qt::ElideMiddle, width));
            field->setToolTip(path);
            break;
        }
        case SelectionRules::Step::HourglassCursor:
            QApplication::setOverrideCursor(Qt::WaitCursor);
            cursor = true;
            break;
        case SelectionRules::Step::DisableSave:
            m_page->disableSave();
            break;
        case SelectionRules::Step::RefreshCommentBox:
            Q_EMIT refreshComment(row, selected);
            break;
        case SelectionRules::Step::FillViewerPage:
            fillViewer(row);
            break;
        case SelectionRules::Step::RefreshDetailWindow:
            Q_EMIT refreshDetailWindow(row, selected);
            break;
        case SelectionRules::Step::PlaceBalloon:
            placeNote(row, selected);
            break;
        case SelectionRules::Step::RefreshIconColourTool:
            Q_EMIT refreshIconColourTool(row, selected);
            break;
        case SelectionRules::Step::NormalCursor:
            if (cursor)
                QApplication::restoreOverrideCursor();
            cursor = false;
            break;
        case SelectionRules::Step::RefreshExtendedCommentEditor:
        case SelectionRules::Step::RefreshQuickComment:
            // Their windows hang on `refreshComment`.
            break;
        }
    }
    if (cursor)
        QApplication::restoreOverrideCursor();
}

void SelectionDetails::fillViewer(int row)
{
    ItemList &list = m_form.itemListView()->list();
    const ItemRecord &record = list.at(row);
    ViewerPage::Request request;
    request.path = record.ItemType == FileSystemItem ? record.PATH : QString();
    request.caption = record.Name;
    request.comment = list.annotationOf(row).cmt;
    request.currentFolder = m_form.currentFolder();
    request.fileMask = m_form.fileMask();
    const QString filter = m_form.annotationFilter();
    if (!filter.isEmpty()) {
        // The walk runs on a worker: it reads its own copy of the current list.
        AnnotationList snapshot = m_form.store().current();
        snapshot.prepareIndex();
        request.hasAnnotation = [snapshot, filter](const QString &path) {
            return !snapshot.value(lastComponent(path), filter).isEmpty();
        };
    }

    if (m_cancel)
        m_cancel->store(true);
    auto cancel = std::make_shared<std::atomic_bool>(false);
    m_cancel = cancel;
    request.cancel = cancel.get();
    const quint64 generation = ++m_generation;
    ++m_pending;
    m_pool.start([this, request, cancel, generation]() {
        ViewerPage::Content content = ViewerPage::fill(request);
        QMetaObject::invokeMethod(
            this,
            [this, content = std::move(content), generation]() {
                --m_pending;
                if (generation != m_generation || content.cancelled)
                    return;
                m_page->showContent(content);
                Q_EMIT viewerFilled();
            },
            Qt::QueuedConnection);
    });
}

void SelectionDetails::placeNote(int row, bool selected)
{
    if (!m_note)
        return;
    if (!selected) {
        m_note->hideNote();
        return;
    }
    // The colours are read at every fill, so a change in the settings shows at once.
    std::array<QColor, 6> colours;
    for (int i = 0; i < 6; ++i) {
        const std::optional<qint32> n =
            m_form.settings().color(QStringLiteral("cl_FusenFormColor") + QString::number(i));
        colours[size_t(i)] = !n || ColorValue::isSystemColor(*n)
                                 ? QApplication::palette().color(QPalette::Button)
                                 : ColorValue::toColor(*n);
    }
    m_note->setColours(colours);
    ItemList &list = m_form.itemListView()->list();
    const StickyNoteContent::Variant variant =
        isOn(TaskBalloon) ? StickyNoteContent::Variant::Task : StickyNoteContent::Variant::Comment;
    m_note->showFor(variant, list.at(row).Name, list.annotationOf(row), QCursor::pos());
}

} // namespace kazari
