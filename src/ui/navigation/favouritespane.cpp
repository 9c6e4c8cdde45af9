#include "ui/navigation/favouritespane.h"
#include "core/app/componentnames.h"

#include "core/annotations/annotationstore.h"
#include "core/navigation/dropplan.h"
#include "core/navigation/navigation.h"
#include "core/platform/clock.h"
#include "ui/app/mainwindow.h"
#include "ui/app/messagebox.h"
#include "ui/itemlist/itemiconsource.h"
#include "ui/itemlist/itemlistmodel.h"
#include "ui/itemlist/itemlistview.h"
#include "ui/navigation/favouritesmodel.h"

#include <QAction>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

namespace kazari
{

namespace
{

// Places stand one level in from the categories above them.
class IndentDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    static constexpr int Indent = 16;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override
    {
        if (index.column() != 0 || index.data(FavouritesModel::CategoryRole).toBool()) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        if (option.state & QStyle::State_Selected)
            painter->fillRect(option.rect, option.palette.brush(QPalette::Highlight));
        QStyleOptionViewItem inner(option);
        inner.rect.adjust(Indent, 0, 0, 0);
        QStyledItemDelegate::paint(painter, inner, index);
    }
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        return QStyledItemDelegate::sizeHint(option, index) + QSize(Indent, 0);
    }
};

bool hasLocalFile(const QMimeData *mime)
{
    if (!mime || !mime->hasUrls())
        return false;
    const QList<QUrl> urls = mime->urls();
    return std::any_of(urls.begin(), urls.end(), [](const QUrl &u) { return u.isLocalFile(); });
}

} // namespace

FavouritesPane::FavouritesPane(MainWindow &form)
    : QWidget(form.rightPage(Component::FavouritesPage))
    , m_form(form)
    , m_favourites(form.programFolder())
{
    setObjectName(QStringLiteral("FavouritesPane"));
    if (QWidget *page = parentWidget()) {
        auto *layout = new QVBoxLayout(page);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(this);
    }
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    m_name = new QLabel(this);
    m_name->setObjectName(QStringLiteral("FavouriteName"));
    m_name->setTextFormat(Qt::PlainText);
    m_path = new QLabel(this);
    m_path->setObjectName(QStringLiteral("FavouritePath"));
    m_path->setTextFormat(Qt::PlainText);
    for (QLabel *l : {m_name, m_path}) {
        l->setMinimumWidth(1);
        l->setContentsMargins(4, 0, 4, 0);
        // The lines keep their height while empty, so the list does not jump.
        l->setFixedHeight(l->fontMetrics().height() * 3 / 2);
    }

    m_view = new QTreeView(this);
    m_view->setObjectName(QStringLiteral("ListView2"));
    m_model = new FavouritesModel(
        m_favourites,
        [this](const QString &path) {
            return QPixmap::fromImage(m_form.itemListView()->icons().iconOfPath(path, 16));
        },
        this);
    m_view->setModel(m_model);
    m_view->setRootIsDecorated(false);
    m_view->setUniformRowHeights(true);
    m_view->setItemsExpandable(false);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setIconSize(QSize(16, 16));
    m_view->setItemDelegate(new IndentDelegate(m_view));
    m_view->setDragEnabled(true);
    m_view->setAcceptDrops(true);
    m_view->setDragDropMode(QAbstractItemView::DragDrop);
    m_view->setDefaultDropAction(Qt::MoveAction);
    m_view->setContextMenuPolicy(Qt::CustomContextMenu);
    m_view->header()->resizeSection(0, 140);
    m_view->viewport()->installEventFilter(this);
    layout->addWidget(m_name);
    layout->addWidget(m_path);
    layout->addWidget(m_view, 1);

    connect(m_view, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex &index) {
        if (index.isValid())
            openSelected();
    });
    connect(m_view->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &FavouritesPane::showHeader);
    buildPopup();
    connect(m_view, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &at) { m_popup->popup(m_view->viewport()->mapToGlobal(at)); });
    m_form.addCommandHandler([this](const QString &name, QAction *) {
        if (name != QLatin1String("cmdAddToFavourites"))
            return false;
        addSelectedItems();
        return true;
    });
    reload();
}

FavouritesPane::~FavouritesPane()
{
    if (m_view)
        m_view->viewport()->removeEventFilter(this);
}

void FavouritesPane::buildPopup()
{
    m_popup = new QMenu(this);
    m_popup->setObjectName(QStringLiteral("FavouritesPopup"));
    auto add = [this](const QString &caption, std::function<void()> work) {
        QAction *a = m_popup->addAction(caption);
        connect(a, &QAction::triggered, this, [work = std::move(work)]() { work(); });
    };
    add(QStringLiteral("開く"), [this]() { openSelected(); });
    add(QStringLiteral("リンク先を探す"), [this]() { findTarget(); });
    m_popup->addSeparator();
    add(QStringLiteral("現在の場所を追加"), [this]() { addCurrentPlace(); });
    add(QStringLiteral("選択の場所を追加"), [this]() { addSelectedItems(); });
    add(QStringLiteral("カテゴリを作成"), [this]() { createCategory(); });
    m_popup->addSeparator();
    add(QStringLiteral("名前の編集"), [this]() { editName(); });
    add(QStringLiteral("項目を上へ移動"), [this]() { moveSelected(-1); });
    add(QStringLiteral("項目を下へ移動"), [this]() { moveSelected(1); });
    m_popup->addSeparator();
    add(QStringLiteral("削除"), [this]() { removeSelected(); });
}

QString FavouritesPane::headerName() const
{
    return m_name->text();
}

QString FavouritesPane::headerPath() const
{
    return m_path->text();
}

int FavouritesPane::selectedLine() const
{
    const QModelIndexList rows = m_view->selectionModel()->selectedRows();
    if (rows.isEmpty())
        return -1;
    return rows.first().data(FavouritesModel::LineRole).toInt();
}

void FavouritesPane::selectLine(int line)
{
    const int row = m_model->rowOfLine(line);
    if (row < 0) {
        m_view->clearSelection();
        return;
    }
    const QModelIndex index = m_model->index(row, 0);
    m_view->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                         QItemSelectionModel::Rows);
    m_view->scrollTo(index);
}

void FavouritesPane::reload(int line)
{
    // Loading may drop lines before the one to select; it is found again by its text.
    const QString wanted = m_favourites.lines().value(line);
    QString error;
    if (!m_favourites.load(&error))
        m_form.statusField(MainWindow::SysMsg)->setText(error);
    m_model->reload();
    if (!wanted.isEmpty())
        selectLine(int(m_favourites.lines().indexOf(wanted)));
    showHeader();
}

void FavouritesPane::showHeader()
{
    const int width = std::max(0, this->width() - 8);
    const Favourites::Entry *e = m_favourites.entryAtLine(selectedLine());
    const QFontMetrics names(m_name->font());
    const QFontMetrics paths(m_path->font());
    m_name->setText(e ? names.elidedText(e->caption(), Qt::ElideRight, width) : QString());
    m_path->setText(e ? paths.elidedText(e->path, Qt::ElideMiddle, width) : QString());
}

void FavouritesPane::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    showHeader();
}

void FavouritesPane::report(const QString &error)
{
    if (!error.isEmpty())
        MessageBox::warning(&m_form, error);
}

QString FavouritesPane::commentOf(const QString &path)
{
    return m_form.store().GetByPath(path, QStringLiteral("_cmt"));
}

void FavouritesPane::openSelected()
{
    const Favourites::Entry *e = m_favourites.entryAtLine(selectedLine());
    if (!e || e->kind != Favourites::Entry::Place)
        return;
    const Navigation::Target target = Navigation::OpenPath(e->path);
    if (target.kind == Navigation::Target::Folder) {
        m_form.Build_ListView(target.path);
    } else if (target.kind == Navigation::Target::File) {
        if (!m_form.launcher().openWithDefault(target.path))
            MessageBox::information(&m_form, QStringLiteral("コマンドを開始できませんでした"));
    }
}

void FavouritesPane::findTarget()
{
    const Favourites::Entry *e = m_favourites.entryAtLine(selectedLine());
    if (!e || e->kind != Favourites::Entry::Place)
        return;
    const QString path = e->path;
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return;
    m_form.Build_ListView(Navigation::parentKey(path));
    ItemListView *list = m_form.itemListView();
    const int row = list->list().rowOfPath(path);
    if (row < 0)
        return;
    list->selectPaths({path}, path);
    const ListStyle style = list->look().style;
    if (style == ListStyle::LargeIcons || style == ListStyle::SmallIcons)
        shake(list->model()->index(row, 0));
}

void FavouritesPane::shake(const QModelIndex &item)
{
    QAbstractItemView *view = m_form.itemList();
    QWidget *viewport = view->viewport();
    const QRect at = view->visualRect(item);
    if (!at.isValid() || !viewport->rect().intersects(at))
        return;
    delete m_shaking;
    // The item's picture moves over a patch of the list's background where it stood.
    auto *patch = new QWidget(viewport);
    patch->setObjectName(QStringLiteral("ShakeOverlay"));
    patch->setGeometry(at.adjusted(0, 0, 16, 0));
    patch->setAutoFillBackground(true);
    QPalette palette = patch->palette();
    palette.setColor(QPalette::Window, view->palette().color(QPalette::Base));
    patch->setPalette(palette);
    auto *picture = new QLabel(patch);
    picture->setPixmap(viewport->grab(at));
    picture->setGeometry(0, 0, at.width(), at.height());
    patch->show();
    m_shaking = patch;

    // Nine times right and back, 8 ms a step.
    auto *timer = new QTimer(patch);
    timer->setInterval(8);
    auto steps = std::make_shared<int>(0);
    connect(timer, &QTimer::timeout, patch, [patch, picture, steps]() {
        ++*steps;
        if (*steps > 18) {
            patch->deleteLater();
            return;
        }
        picture->move(*steps % 2 == 1 ? 16 : 0, 0);
    });
    timer->start();
}

void FavouritesPane::addCurrentPlace()
{
    const QString place = Navigation::withoutTrailingSeparator(m_form.currentFolder());
    QString error;
    const int line = m_favourites.addPlace(place, commentOf(place), &error);
    report(error);
    reload(line);
}

void FavouritesPane::addSelectedItems()
{
    addPlaces(m_form.selectedPaths());
}

void FavouritesPane::addPlaces(const QStringList &paths)
{
    QStringList refused;
    int last = -1;
    for (const QString &path : paths) {
        const QFileInfo info(path);
        if (!info.exists() && !info.isSymLink())
            continue;
        QString error;
        const int line = m_favourites.addPlace(path, commentOf(path), &error);
        if (line >= 0)
            last = line;
        else if (!error.isEmpty())
            refused.append(error);
    }
    reload(last);
    if (!refused.isEmpty())
        report(refused.join(QLatin1Char('\n')));
}

void FavouritesPane::createCategory()
{
    QString error;
    const int line = m_favourites.addCategory(selectedLine(), Clock::instance().now(), &error);
    report(error);
    reload(line);
}

void FavouritesPane::editName()
{
    const int line = selectedLine();
    const Favourites::Entry *e = m_favourites.entryAtLine(line);
    if (!e)
        return;
    const QString current = e->caption();
    std::optional<QString> name;
    const QString title = QStringLiteral("名前の編集");
    const QString label = QStringLiteral("名前を入力してください");
    if (m_prompt) {
        name = m_prompt(title, label, current);
    } else {
        bool ok = false;
        const QString text =
            QInputDialog::getText(&m_form, title, label, QLineEdit::Normal, current, &ok);
        if (ok)
            name = text;
    }
    if (!name)
        return;
    QString error;
    m_favourites.rename(line, *name, &error);
    report(error);
    reload(line);
}

void FavouritesPane::moveSelected(int step)
{
    const int line = selectedLine();
    if (line < 0)
        return;
    const QString text = m_favourites.lines().value(line);
    QString error;
    if (step < 0)
        m_favourites.moveUp(line, &error);
    else
        m_favourites.moveDown(line, &error);
    report(error);
    reload(int(m_favourites.lines().indexOf(text)));
}

void FavouritesPane::removeSelected()
{
    const int line = selectedLine();
    if (line < 0)
        return;
    QString error;
    m_favourites.remove(line, &error);
    report(error);
    reload();
}

void FavouritesPane::reorder(int from, int to)
{
    if (!QFileInfo::exists(m_favourites.filePath()))
        return;
    const QString text = m_favourites.lines().value(from);
    if (text.isEmpty())
        return;
    QString error;
    m_favourites.moveTo(from, to, &error);
    report(error);
    reload(int(m_favourites.lines().indexOf(text)));
}

bool FavouritesPane::acceptsDrag(const QMimeData *mime) const
{
    if (!mime)
        return false;
    if (mime->hasFormat(FavouritesModel::mimeType()))
        return true;
    return hasLocalFile(mime) && m_form.settings().isOn(Component::AcceptDrops);
}

bool FavouritesPane::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_view->viewport())
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto *e = static_cast<QDragMoveEvent *>(event);
        if (acceptsDrag(e->mimeData())) {
            const bool entry = e->mimeData()->hasFormat(FavouritesModel::mimeType());
            e->setDropAction(entry ? Qt::MoveAction : Qt::CopyAction);
            e->accept();
        } else {
            e->ignore();
        }
        return true;
    }
    case QEvent::Drop: {
        auto *e = static_cast<QDropEvent *>(event);
        if (!acceptsDrag(e->mimeData())) {
            e->ignore();
            return true;
        }
        dropped(e->mimeData(), e->position().toPoint());
        // Nothing is to be removed at the source: the list or the other program.
        e->setDropAction(Qt::CopyAction);
        e->accept();
        return true;
    }
    default:
        return QWidget::eventFilter(watched, event);
    }
}

void FavouritesPane::dropped(const QMimeData *mime, const QPoint &at)
{
    // What the drop means is taken now; the work runs after the drop has returned.
    if (mime->hasFormat(FavouritesModel::mimeType())) {
        bool ok = false;
        const int from = mime->data(FavouritesModel::mimeType()).toInt(&ok);
        const QModelIndex target = m_view->indexAt(at);
        if (!ok || !target.isValid())
            return;
        const int to = target.data(FavouritesModel::LineRole).toInt();
        QTimer::singleShot(0, this, [this, from, to]() { reorder(from, to); });
        return;
    }
    DropPlan::Input input;
    input.urls = mime->urls();
    input.place = DropPlan::Place::Favourites;
    input.currentFolder = m_form.currentFolder();
    input.listFileMode = m_form.listFileMode();
    input.searchResultMode = m_form.searchResultsShown();
    input.dropAllowed = m_form.settings().isOn(Component::AcceptDrops);
    const DropPlan plan = DropPlan::make(input);
    if (plan.action != DropPlan::Action::AddToFavourites)
        return;
    QTimer::singleShot(0, this, [this, paths = plan.paths]() { addPlaces(paths); });
}

} // namespace kazari
