#include "ui/navigation/drophandler.h"
#include "core/app/componentnames.h"

#include "core/annotations/annotationstore.h"
#include "core/navigation/navigation.h"
#include "core/platform/textfile.h"
#include "ui/app/mainwindow.h"
#include "ui/app/messagebox.h"
#include "ui/fileops/copymovedialog.h"
#include "ui/fileops/fileoperationscontroller.h"
#include "ui/itemlist/itemiconview.h"
#include "ui/itemlist/itemlistmodel.h"
#include "ui/itemlist/itemlistview.h"
#include "ui/navigation/favouritespane.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QDrag>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QTimer>
#include <QTreeView>
#include <QTreeWidget>

namespace kazari
{

namespace
{

bool hasLocalFile(const QMimeData *mime)
{
    if (!mime || !mime->hasUrls())
        return false;
    const QList<QUrl> urls = mime->urls();
    return std::any_of(urls.begin(), urls.end(), [](const QUrl &u) { return u.isLocalFile(); });
}

bool within(const QWidget *w, const QWidget *ancestor)
{
    return w && ancestor && (w == ancestor || ancestor->isAncestorOf(w));
}

} // namespace

DropHandler::DropHandler(MainWindow &form)
    : QObject(&form)
    , m_form(form)
{
    setObjectName(QStringLiteral("DropHandler"));
    m_chooser = [](QMenu &menu, const QPoint &at) { return menu.exec(at); };
    // The main window takes files dropped anywhere a control does not take them itself.
    m_form.setAcceptDrops(true);
    m_form.installEventFilter(this);
    watchViews();
}

DropHandler::~DropHandler()
{
    m_form.removeEventFilter(this);
    if (ItemListView *list = m_form.itemListView()) {
        for (QAbstractItemView *view : {static_cast<QAbstractItemView *>(list->iconView()),
                                        static_cast<QAbstractItemView *>(list->detailsView())}) {
            if (view)
                view->viewport()->removeEventFilter(this);
        }
    }
}

void DropHandler::watchViews()
{
    ItemListView *list = m_form.itemListView();
    for (QAbstractItemView *view : {static_cast<QAbstractItemView *>(list->iconView()),
                                    static_cast<QAbstractItemView *>(list->detailsView())})
        view->viewport()->installEventFilter(this);
}

bool DropHandler::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == &m_form)
        return formEvent(event);
    if (m_resending)
        return false;
    ItemListView *list = m_form.itemListView();
    for (QAbstractItemView *view : {static_cast<QAbstractItemView *>(list->iconView()),
                                    static_cast<QAbstractItemView *>(list->detailsView())}) {
        if (watched == view->viewport())
            return listEvent(view, event);
    }
    return false;
}

bool DropHandler::acceptsOutsideDrop(const QMimeData *mime) const
{
    return hasLocalFile(mime) && m_form.settings().isOn(Component::AcceptDrops);
}

DropPlan::Place DropHandler::placeAt(const QPoint &formPos) const
{
    QWidget *w = m_form.childAt(formPos);
    if (!w)
        return DropPlan::Place::MainWindow;
    if (within(w, m_form.itemListView()))
        return DropPlan::Place::ItemList;
    if (within(w, m_form.rightPage(Component::FavouritesPage)))
        return DropPlan::Place::Favourites;
    if (within(w, m_form.freeTree()))
        return DropPlan::Place::FreeTree;
    // The window's own surfaces: the frame of the panes, not a control on them.
    const QString name = w->objectName();
    if (w == m_form.centralWidget() || name == QLatin1String("ListPane") ||
        name == QLatin1String("TitlePanel"))
        return DropPlan::Place::MainWindow;
    return DropPlan::Place::Elsewhere;
}

bool DropHandler::formEvent(QEvent *event)
{
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        answerDragMove(static_cast<QDragMoveEvent *>(event));
        return true;
    }
    case QEvent::Drop: {
        // Drops onto parts that take none themselves, the item list among them when its
        // style lets its items stand still.
        auto *e = static_cast<QDropEvent *>(event);
        const QPoint at = e->position().toPoint();
        const DropPlan::Place place = placeAt(at);
        if (isOwn(e) && place == DropPlan::Place::ItemList) {
            QAbstractItemView *view = m_form.itemList();
            ownDrop(view, e->mimeData(), view->viewport()->mapFrom(&m_form, at), nullptr);
        } else if (acceptsOutsideDrop(e->mimeData())) {
            outsideDrop(e->mimeData(), place, m_form.mapToGlobal(at));
        }
        e->setDropAction(Qt::CopyAction);
        e->accept();
        m_ownDrag = false;
        return true;
    }
    default:
        return false;
    }
}

void DropHandler::outsideDrop(const QMimeData *mime, DropPlan::Place place, const QPoint &globalAt)
{
    DropPlan::Input input;
    input.urls = mime->urls();
    input.place = place;
    input.currentFolder = m_form.currentFolder();
    input.listFileMode = m_form.listFileMode();
    input.searchResultMode = m_form.searchResultsShown();
    input.dropAllowed = m_form.settings().isOn(Component::AcceptDrops);
    input.ownDrag = m_ownDrag;
    const DropPlan plan = DropPlan::make(input);
    if (!plan.listFileLines.isEmpty() || !plan.refused.isEmpty()) {
        afterDrop([this, lines = plan.listFileLines, refused = plan.refused]() {
            appendToListFile(lines, refused);
        });
    }
    switch (plan.action) {
    case DropPlan::Action::DropMenu:
        afterDrop([this, paths = plan.paths, destination = input.currentFolder, globalAt]() {
            showDropMenu(paths, destination, globalAt);
        });
        break;
    case DropPlan::Action::AddToFavourites:
        if (auto *pane = m_form.findChild<FavouritesPane *>()) {
            afterDrop([pane = QPointer<FavouritesPane>(pane), paths = plan.paths]() {
                if (pane)
                    pane->addPlaces(paths);
            });
        }
        break;
    case DropPlan::Action::AddToFreeTree:
    case DropPlan::Action::Nothing:
        break;
    }
}

void DropHandler::afterDrop(std::function<void()> work)
{
    if (m_inDrag) {
        // Our own drag is still returning: start once it has.
        auto before = std::move(m_afterDrag);
        m_afterDrag = [before = std::move(before), work = std::move(work)]() {
            if (before)
                before();
            work();
        };
        return;
    }
    QTimer::singleShot(0, this, std::move(work));
}

void DropHandler::appendToListFile(const QStringList &lines, const QStringList &refused)
{
    if (!refused.isEmpty())
        MessageBox::warning(&m_form,
                            QStringLiteral("改行を含むパスはリストに加えられません。\n\n") +
                                refused.join(QLatin1Char('\n')));
    const QString file = m_form.listFile();
    if (lines.isEmpty() || !m_form.listFileMode() || file.isEmpty())
        return;
    TextFile::ReadResult r = TextFile::read(file);
    if (!r.error.isEmpty()) {
        MessageBox::warning(&m_form, file + QStringLiteral("\n") + r.error);
        return;
    }
    r.document.lines += lines;
    QString error;
    if (!TextFile::write(file, r.document, &error)) {
        MessageBox::warning(&m_form, file + QStringLiteral("\n") + error);
        return;
    }
    m_form.showListFile(file);
}

void DropHandler::showDropMenu(const QStringList &paths, const QString &destination,
                               const QPoint &at)
{
    QMenu menu(&m_form);
    menu.setObjectName(QStringLiteral("DropMenu"));
    menu.setTitle(menuTitle());
    menu.addAction(QStringLiteral("キャンセル"));
    const QList<QPair<QString, FileOperationCode>> entries{
        {QStringLiteral("コピー (上書き確認あり)"), FileOperationCode::CopyAsking},
        {QStringLiteral("コピー (同じファイルがあったら複製)"), FileOperationCode::CopyRenaming},
        {QStringLiteral("移動 (上書き確認あり)"), FileOperationCode::MoveAsking},
        {QStringLiteral("移動 (同じファイルがあったら複製)"), FileOperationCode::MoveRenaming},
    };
    for (const auto &[caption, code] : entries)
        menu.addAction(caption)->setData(int(code));
    QAction *chosen = m_chooser(menu, at);
    if (!chosen || !chosen->data().isValid())
        return;
    const auto code = FileOperationCode(chosen->data().toInt());
    FileOperationsController *ops = m_form.fileOperations();
    ops->ShellFileOperation(paths, code, destination);
    selectArrived(destination);
}

void DropHandler::selectArrived(const QString &destination)
{
    // The operation has rebuilt the list; what arrived is selected when it is shown.
    if (!Navigation::samePath(m_form.currentFolder(), destination))
        return;
    const QStringList arrived = DropPlan::arrived(m_form.fileOperations()->lastResult());
    if (!arrived.isEmpty())
        m_form.itemListView()->selectPaths(arrived, arrived.first());
}

void DropHandler::dropOntoFolder(const QStringList &dragged, const QString &folder,
                                 const QString &caption)
{
    const DropPlan::FolderDrop drop = DropPlan::ontoFolder(dragged, folder);
    FileOperationsController *ops = m_form.fileOperations();
    CopyMoveDialog *dialog = ops->copyMoveDialog();
    const bool move = dialog->moveChosen();
    const bool overwrite = dialog->overwrite();
    // The folder shows what arrives in it.
    m_form.Build_ListView(drop.destination);
    m_form.statusField(MainWindow::SysMsg)->setText(QStringLiteral("drop to ") + caption);
    if (!drop.problems.isEmpty()) {
        const QString question =
            (move ? QStringLiteral("移動できませんでした。処理を続けますか？\n\n")
                  : QStringLiteral("コピーできませんでした。処理を続けますか？\n\n")) +
            drop.problems.join(QLatin1Char('\n')) + QLatin1Char('\n');
        if (!MessageBox::question(&m_form, question)) {
            MessageBox::warning(&m_form, move ? QStringLiteral("移動をしませんでした。")
                                              : QStringLiteral("コピーをしませんでした。"));
            return;
        }
    }
    if (drop.sources.isEmpty())
        return;
    const FileOperationCode code =
        move ? (overwrite ? FileOperationCode::MoveAsking : FileOperationCode::MoveRenaming)
             : (overwrite ? FileOperationCode::CopyAsking : FileOperationCode::CopyRenaming);
    ops->ShellFileOperation(drop.sources, code, drop.destination);
    selectArrived(drop.destination);
}

bool DropHandler::listEvent(QAbstractItemView *view, QEvent *event)
{

    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto *e = static_cast<QMouseEvent *>(event);
        if (e->button() == Qt::LeftButton) {
            m_pressAt = e->position().toPoint();
            m_pressedIn = view;
            m_pressedOnItem = view->indexAt(m_pressAt).isValid();
        }
        return false;
    }
    case QEvent::MouseButtonRelease:
        m_pressedIn = nullptr;
        return false;
    case QEvent::MouseMove: {
        auto *e = static_cast<QMouseEvent *>(event);
        if (!(e->buttons() & Qt::LeftButton) || m_pressedIn != view || !m_pressedOnItem ||
            (e->position().toPoint() - m_pressAt).manhattanLength() <
                QApplication::startDragDistance())
            return false;
        // The list's own drag (icon positions without "ドロップ可能") goes its way.
        if (view->dragEnabled() || !m_form.settings().isOn(Component::AcceptDrops) ||
            m_form.listFileMode() || m_form.selectedPaths().isEmpty())
            return false;
        m_pressedIn = nullptr;
        startOwnDrag(view);
        return true;
    }
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        answerDragMove(static_cast<QDragMoveEvent *>(event));
        return true;
    }
    case QEvent::Drop: {
        auto *e = static_cast<QDropEvent *>(event);
        bool handled = true;
        if (isOwn(e)) {
            handled = ownDrop(view, e->mimeData(), e->position().toPoint(), e);
        } else if (acceptsOutsideDrop(e->mimeData())) {
            outsideDrop(e->mimeData(), DropPlan::Place::ItemList,
                        view->viewport()->mapToGlobal(e->position().toPoint()));
        }
        m_ownDrag = false;
        if (!handled)
            return false;
        e->setDropAction(Qt::CopyAction);
        e->accept();
        return true;
    }
    default:
        return false;
    }
}

void DropHandler::answerDragMove(QDragMoveEvent *event) const
{
    // Everything is offered as a copy, so another program never deletes its files
    // after a drop here; a move is done by the drop menu's own operation.
    if (isOwn(event) || acceptsOutsideDrop(event->mimeData())) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    } else {
        event->ignore();
    }
}

bool DropHandler::isOwn(const QDropEvent *event) const
{
    if (m_ownDrag)
        return true;
    const ItemListView *list = m_form.itemListView();
    return event->source() &&
           (event->source() == list->iconView() || event->source() == list->detailsView());
}

bool DropHandler::ownDrop(QAbstractItemView *view, const QMimeData *mime, const QPoint &at,
                          QDropEvent *event)
{
    ItemListView *list = m_form.itemListView();
    const QModelIndex target = view->indexAt(at);
    if (target.isValid() && target.row() < list->list().count() &&
        m_form.settings().isOn(Component::DropOntoFolders) && !m_form.listFileMode()) {
        const ItemRecord &r = list->list().at(target.row());
        if (r.isFolder && r.ItemType == FileSystemItem &&
            !list->selectedRows().contains(target.row())) {
            // Taken now: the list is rebuilt before the items go.
            afterDrop([this, dragged = DropPlan::localPaths(mime->urls()), folder = r.PATH,
                       caption = r.Name]() { dropOntoFolder(dragged, folder, caption); });
            return true;
        }
    }
    auto *icons = qobject_cast<ItemIconView *>(view);
    if (!icons || !event || !list->look().positions)
        return true;
    if (event->source() == view && !m_ownDrag)
        return false; // the list moves its icons itself
    // The selection dragged with "ドロップ可能" on lands at new icon positions, the way
    // the list's own drag places them.
    icons->setPositions(true, true);
    m_resending = true;
    QCoreApplication::sendEvent(view->viewport(), event);
    m_resending = false;
    icons->setPositions(list->look().positions, list->look().dragMoves);
    return true;
}

void DropHandler::startOwnDrag(QAbstractItemView *view)
{
    ItemListView *list = m_form.itemListView();
    QModelIndexList rows;
    for (int row : list->selectedRows())
        rows.append(list->model()->index(row, 0));
    if (rows.isEmpty())
        return;
    QMimeData *data = list->model()->mimeData(rows);
    if (!data)
        return;
    // The folder's own annotation and rule files never leave as items of their own.
    QList<QUrl> urls;
    for (const QString &path : DropPlan::localPaths(data->urls()))
        urls.append(QUrl::fromLocalFile(path));
    if (urls.isEmpty()) {
        delete data;
        return;
    }
    data->setUrls(urls);
    auto *drag = new QDrag(view);
    drag->setMimeData(data);
    const QRect first = view->visualRect(rows.first());
    if (first.isValid()) {
        const QPixmap picture = view->viewport()->grab(first);
        drag->setPixmap(picture);
        drag->setHotSpot(m_pressAt - first.topLeft());
    }
    m_ownDrag = true;
    m_inDrag = true;
    drag->exec(Qt::CopyAction | Qt::MoveAction | Qt::LinkAction, Qt::CopyAction);
    m_inDrag = false;
    m_ownDrag = false;
    if (m_afterDrag)
        QTimer::singleShot(0, this, std::exchange(m_afterDrag, {}));
}

} // namespace kazari
