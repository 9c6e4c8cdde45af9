#include "ui/app/mainwindow.h"
#include "core/app/componentnames.h"

#include "core/annotations/annotationkey.h"
#include "core/annotations/annotationvalues.h"
#include "core/app/applicationlist.h"
#include "core/app/colorvalue.h"
#include "core/app/firstfolder.h"
#include "core/app/shelllocation.h"
#include "core/app/switchcommands.h"
#include "core/decoration/builtinpictures.h"
#include "core/decoration/captionpalette.h"
#include "core/decoration/decorationbatch.h"
#include "core/decoration/itempicturecomposer.h"
#include "core/itemlist/folderchangewatch.h"
#include "core/itemlist/pathlistfile.h"
#include "core/itemlist/shellnamespace.h"
#include "core/itemlist/sortorder.h"
#include "core/itemlist/viewstyle.h"
#include "core/navigation/navigation.h"
#include "core/navigation/recentuselists.h"
#include "core/platform/textfile.h"
#include "ui/app/appevents.h"
#include "ui/app/fontcolourdialog.h"
#include "ui/app/maincommands.h"
#include "ui/app/menucatalog.h"
#include "ui/app/messagebox.h"
#include "ui/app/panelayout.h"
#include "ui/app/settingsdialog.h"
#include "ui/app/splashwindow.h"
#include "ui/app/systemlauncher.h"
#include "ui/app/toolbararea.h"
#include "ui/app/windowlifecycle.h"
#include "ui/app/windowsettings.h"
#include "ui/decoration/decorationcommands.h"
#include "ui/fileops/fileoperationscontroller.h"
#include "ui/itemlist/deferreddisplay.h"
#include "ui/itemlist/itemiconsource.h"
#include "ui/itemlist/itemlistlook.h"
#include "ui/itemlist/itemlistmodel.h"
#include "ui/itemlist/itemlistview.h"
#include "ui/itemlist/listpictures.h"
#include "ui/navigation/drophandler.h"
#include "ui/navigation/favouritespane.h"
#include "ui/navigation/itemopener.h"
#include "ui/navigation/navigationcontroller.h"
#include "ui/rpg/rpgpanecommands.h"
#include "ui/rpg/rpgview.h"
#include "ui/tasks/taskcommands.h"
#include "ui/viewer/columncontroller.h"
#include "ui/viewer/filtercommands.h"
#include "ui/viewer/selectiondetails.h"
#include "ui/viewer/sortcommands.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QColorDialog>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QScreen>
#include <QScrollBar>
#include <QSlider>
#include <QSplitter>
#include <QStatusBar>
#include <QSysInfo>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace kazari
{

namespace
{

const char *const StatusFieldNames[7] = {"D&F cnt",       "Showed",  "Notification", "ini No",
                                         "GFindFileName", "File Op", "Sys msg"};

} // namespace

MainWindow::MainWindow(Options options, QWidget *parent)
    : QMainWindow(parent)
    , m_options(std::move(options))
    , m_settings(m_options.programFolder)
    , m_store(std::make_unique<AnnotationStore>(m_options.programFolder, m_settings))
    , m_commands(this)
    , m_splash(m_options.splash)
{
    setObjectName(QStringLiteral("MainWindow"));
    // Read-only data is also looked up beside the executable.
    m_options.programFolder.setExecutableDir(QCoreApplication::applicationDirPath());
    setWindowTitle(QApplication::applicationDisplayName());
    // The designed size, kept when exe.ini has neither LastWidth nor LastHeight.
    resize(700, 500);
    if (m_options.launcher) {
        m_launcher = m_options.launcher;
    } else {
        m_ownLauncher = std::make_unique<SystemLauncher>();
        m_launcher = m_ownLauncher.get();
    }
    m_settings.setLiveValueProvider([this](const QString &key) {
        if (key.compare(QLatin1String("LastPath"), Qt::CaseInsensitive) == 0)
            return m_builder->currentFolder();
        QString address = m_browserAddress;
        if (!address.isEmpty() && !address.endsWith(QLatin1Char('/')))
            address += QLatin1Char('/');
        return address;
    });
    m_store->setQuestionHandler(
        [this](StoreQuestion, const QString &text) { return MessageBox::question(this, text); });
    m_store->setStatusHandler([this](StoreStatusField field, const QString &text) {
        statusField(field == StoreStatusField::IniNo ? IniNo : SysMsg)->setText(text);
        if (field == StoreStatusField::SystemMessage)
            statusField(SysMsg)->repaint();
    });
    m_store->setEventPump(
        []() { QApplication::processEvents(QEventLoop::ExcludeUserInputEvents); });
    m_builder = std::make_unique<ListBuilder>(*this);
    m_mainCommands = std::make_unique<MainCommands>(*this);
    m_lifecycle = std::make_unique<WindowLifecycle>(*this);
    m_windowSettings = std::make_unique<WindowSettings>(*this);
    m_toolBars = std::make_unique<ToolBarArea>(*this);
    buildWidgets();
    buildMenusAndToolBars();
    buildStatusBar();
    connect(&m_commands, &CommandRegistry::triggered, this,
            [this](const QString &name, QAction *action) { m_mainCommands->run(name, action); });
    m_fileOperations = new FileOperationsController(*this);
    m_navigation = new NavigationController(*this);
    m_opener = new ItemOpener(*this);
    new FavouritesPane(*this);
    new DropHandler(*this);
}

MainWindow::~MainWindow()
{
    // A window destroyed without having been closed still stops its work in order.
    if (!m_closed)
        FormClose();
    // The program's parts (command handlers, controllers) go while the window is still
    // whole, newest first: the widgets' own teardown must not reach them.
    const QObjectList children = this->children();
    for (auto it = children.crbegin(); it != children.crend(); ++it) {
        QObject *child = *it;
        if (child != &m_commands && !child->isWidgetType() &&
            QByteArray(child->metaObject()->className()).startsWith("kazari::"))
            delete child;
    }
}

QToolBar *MainWindow::toolBar(const QString &name) const
{
    return m_toolBars->bar(name);
}

RpgView *MainWindow::rpgView() const
{
    return m_panes->rpgView();
}

QWidget *MainWindow::rightPage(const QString &name) const
{
    return m_panes->rightPage(name);
}

QTreeWidget *MainWindow::freeTree() const
{
    return m_panes->freeTree();
}

void MainWindow::showGamePane()
{
    m_panes->showGamePane();
}

void MainWindow::runPaneButton(int tag)
{
    m_panes->runPaneButton(tag);
}

QString MainWindow::productDescription()
{
    return QStringLiteral("注釈つきファイルマネージャ Kazari");
}

void MainWindow::Build_ListView(const QString &folder)
{
    m_builder->Build_ListView(folder);
}

void MainWindow::showSearchResults(const QStringList &paths)
{
    m_builder->showSearchResults(paths);
}

void MainWindow::showFoundList()
{
    m_builder->showFoundList();
}

void MainWindow::showListFile(const QString &file)
{
    m_builder->showListFile(file);
}

void MainWindow::refreshList()
{
    m_builder->refreshList();
}

void MainWindow::currentFolderChanged(const FolderChanges &changes)
{
    m_builder->currentFolderChanged(changes);
}

void MainWindow::showFolderIcon(const QString &folder)
{
    m_builder->showFolderIcon(folder);
}

void MainWindow::FormCreate()
{
    m_lifecycle->FormCreate();
}

void MainWindow::FormClose()
{
    m_lifecycle->FormClose();
}

const QStringList &MainWindow::startupLog() const
{
    return m_lifecycle->startupLog();
}

const QStringList &MainWindow::shutdownLog() const
{
    return m_lifecycle->shutdownLog();
}

void MainWindow::onShutdown(ShutdownStep step, std::function<void(bool)> work)
{
    m_lifecycle->onShutdown(step, std::move(work));
}

void MainWindow::addCommandHandler(CommandHandler handler)
{
    m_mainCommands->addHandler(std::move(handler));
}

void MainWindow::MenuItem_Clicks(const QString &name)
{
    m_mainCommands->MenuItem_Clicks(name);
}

// ---------------------------------------------------------------------------------------
// Building the window

void MainWindow::buildWidgets()
{
    m_panes = new PaneLayout(this, m_options.programFolder, m_commands, m_settings,
                             [this](const QString &name) { MenuItem_Clicks(name); });

    // Item list pane: title panel, folder tabs, the list with the comment memo below it.
    QWidget *centre = m_panes->listPane();
    auto *centreLayout = new QVBoxLayout(centre);
    centreLayout->setContentsMargins(0, 0, 0, 0);
    centreLayout->setSpacing(0);
    m_titlePanel = new QWidget(centre);
    m_titlePanel->setObjectName(QStringLiteral("TitlePanel"));
    auto *titleLayout = new QHBoxLayout(m_titlePanel);
    titleLayout->setContentsMargins(4, 2, 4, 2);
    m_folderImage = new QLabel(m_titlePanel);
    m_folderImage->setFixedSize(16, 16);
    m_titleLabel = new QLabel(m_titlePanel);
    m_titleLabel->setTextFormat(Qt::PlainText);
    m_titleLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    titleLayout->addWidget(m_folderImage);
    titleLayout->addWidget(m_titleLabel, 1);
    titleLayout->addWidget(
        m_panes->paneButton(m_titlePanel, 0, QStringLiteral("ファイルビューを閉じる")));
    m_folderTabs = new QTabBar(centre);
    m_folderTabs->setObjectName(QStringLiteral("TabControl1"));
    m_folderTabs->hide();
    m_itemList = new ItemListView(*m_store, centre);
    m_itemList->iconView()->installEventFilter(this);
    m_itemList->detailsView()->installEventFilter(this);
    connect(m_itemList, &ItemListView::showedChanged, this,
            [this](int showed) { m_builder->onShowedChanged(showed); });
    connect(m_itemList, &ItemListView::activated, this, [this](int) { openSelection(); });
    connect(m_itemList, &ItemListView::currentViewChanged, this, [this](QAbstractItemView *view) {
        if (!m_closed)
            m_commands.bindShortcutsTo(view);
    });
    connect(m_itemList, &ItemListView::positionsDropped, this, &MainWindow::storePositions);
    setSelectionProvider([this]() { return m_itemList->selectedPaths(); });
    m_folderWatch = new FolderChangeWatch(this);
    connect(m_folderWatch, &FolderChangeWatch::changed, this, &MainWindow::currentFolderChanged);
    m_rpgCommands = new RpgPaneCommands(m_panes->gamePane(), m_itemList, this);
    m_commentMemo = new QPlainTextEdit(centre);
    m_commentMemo->setObjectName(QStringLiteral("Memo1"));
    m_commentMemo->setMaximumHeight(64);
    m_commentMemo->setPlaceholderText(QStringLiteral("コメント"));
    centreLayout->addWidget(m_titlePanel);
    centreLayout->addWidget(m_folderTabs);
    centreLayout->addWidget(m_itemList, 1);
    centreLayout->addWidget(m_commentMemo);

    setCentralWidget(m_panes->splitter());

    m_pathBox = new QComboBox(this);
    m_pathBox->setObjectName(QStringLiteral("PathBox"));
    m_pathBox->setEditable(true);
    m_pathBox->setInsertPolicy(QComboBox::NoInsert);
    m_pathBox->setMinimumWidth(320);
    m_pathBox->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);

    m_iconSizeSlider = new QSlider(Qt::Horizontal, this);
    m_iconSizeSlider->setObjectName(QStringLiteral("IconSizeSlider"));
    // The whole range a stored `IconSize` may hold, so reading it never cuts it down.
    m_iconSizeSlider->setRange(DecorationFlags::MinIconSize, DecorationFlags::MaxIconSize);
    m_iconSizeSlider->setValue(DecorationFlags::DefaultLargeSize);
    m_iconSizeSlider->setFixedWidth(120);
    m_iconSizeLabel = new QLabel(QString::number(m_iconSizeSlider->value()), this);
    m_iconSizeLabel->setObjectName(QStringLiteral("IconSizeLabel"));
    m_iconSizeLabel->setMinimumWidth(
        QFontMetrics(m_iconSizeLabel->font()).horizontalAdvance(QStringLiteral("0000")));
    connect(m_iconSizeSlider, &QSlider::valueChanged, this, &MainWindow::onIconSizeChanged);
    // Beside the path box: what kind of list is shown when it is not a folder.
    m_switchPanel = new QLabel(this);
    m_switchPanel->setObjectName(QStringLiteral("SwitchPanel"));
    m_switchPanel->setContentsMargins(6, 0, 6, 0);
}

void MainWindow::buildMenusAndToolBars()
{
    m_commands.buildMainMenu(menuBar(), MenuCatalog::mainMenu());
    m_itemPopup = new QMenu(this);
    m_itemPopup->setObjectName(QStringLiteral("PopupMenu1"));
    m_commands.buildMenu(m_itemPopup, MenuCatalog::itemListPopup());
    m_listFilePopup = new QMenu(this);
    m_listFilePopup->setObjectName(QStringLiteral("ListFilePopupMenu"));
    m_commands.buildMenu(m_listFilePopup, MenuCatalog::listFilePopup());
    for (QAbstractItemView *view : {static_cast<QAbstractItemView *>(m_itemList->iconView()),
                                    static_cast<QAbstractItemView *>(m_itemList->detailsView())}) {
        view->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(view, &QWidget::customContextMenuRequested, this, [this, view](const QPoint &at) {
            itemListPopup()->popup(view->viewport()->mapToGlobal(at));
        });
    }

    bool pathBoxPlaced = false;
    for (const MenuCatalog::ToolBarDesign &layout : MenuCatalog::toolBars()) {
        auto *bar = new QToolBar(layout.caption, this);
        bar->setObjectName(layout.name);
        bar->setIconSize(QSize(16, 16));
        bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
        for (const MenuNode &node : layout.buttons) {
            if (node.kind == MenuNode::Separator)
                bar->addSeparator();
            else if (node.kind == MenuNode::Command)
                bar->addAction(m_commands.actionFor(node));
        }
        if (layout.name == QLatin1String("ToolBarDirectory")) {
            // The path box gets a row of its own.
            addToolBarBreak(Qt::TopToolBarArea);
            bar->addWidget(m_pathBox);
            bar->addWidget(m_switchPanel);
            pathBoxPlaced = true;
        } else if (layout.name == QLatin1String("ToolBarIconSize")) {
            bar->addWidget(m_iconSizeSlider);
            bar->addWidget(m_iconSizeLabel);
        } else if (layout.name == QLatin1String("ToolBarDrive"))
            m_driveBar = bar;
        m_toolBars->add(bar, layout.visible);
    }
    if (!pathBoxPlaced) {
        // No directory bar in the catalogue: the path box still needs a home.
        auto *bar = new QToolBar(QStringLiteral("ディレクトリ"), this);
        bar->setObjectName(QStringLiteral("ToolBarDirectory"));
        bar->addWidget(m_pathBox);
        bar->addWidget(m_switchPanel);
        m_toolBars->add(bar, true);
    }

    // Each tool bar's own command in the tool bar submenu shows or hides it.
    if (QMenu *menu = m_commands.menu(QStringLiteral("ToolBarMenu")))
        connect(menu, &QMenu::aboutToShow, this, [this]() { m_toolBars->syncMarks(m_commands); });

    // "アプリ一覧" is read from myappli.ini each time it opens.
    for (QMenu *menu : m_commands.menus(QStringLiteral("AppListMenu")))
        connect(menu, &QMenu::aboutToShow, this, [this, menu]() { fillApplicationMenu(menu); });
}

void MainWindow::fillApplicationMenu(QMenu *menu)
{
    menu->clear();
    ApplicationList applications(m_options.programFolder);
    applications.load();
    if (applications.isEmpty()) {
        menu->addAction(QStringLiteral("なし"))->setEnabled(false);
        return;
    }
    for (const ApplicationList::Entry &entry : applications.available()) {
        const QImage icon = m_itemList->icons().iconOfPath(entry.program, 16);
        QAction *a = menu->addAction(QIcon(QPixmap::fromImage(icon)), entry.name);
        // The caption is the user's text, not a mnemonic.
        a->setText(QString(entry.name).replace(QLatin1Char('&'), QStringLiteral("&&")));
        connect(a, &QAction::triggered, this, [this, entry]() {
            const QStringList selected = selectedPaths();
            if (selected.isEmpty())
                return;
            if (!ApplicationList::launch(entry, selected.first(), *m_launcher))
                MessageBox::information(this, QStringLiteral("コマンドを開始できませんでした"));
        });
    }
}

void MainWindow::buildStatusBar()
{
    QStatusBar *bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar1"));
    bar->setSizeGripEnabled(true);
    const int widths[7] = {120, 70, 90, 120, 90, 90, 0};
    for (int i = 0; i < 7; ++i) {
        auto *field = new QLabel(bar);
        field->setObjectName(QLatin1String(StatusFieldNames[i]));
        field->setTextFormat(Qt::PlainText);
        field->setFrameShape(QFrame::StyledPanel);
        field->setFrameShadow(QFrame::Sunken);
        if (widths[i] > 0) {
            field->setMinimumWidth(widths[i]);
            bar->addWidget(field, 0);
        } else {
            // Long background messages are cut off rather than widening the bar past
            // the window, which would push the other fields over each other.
            field->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
            bar->addWidget(field, 1);
        }
        m_status[size_t(i)] = field;
    }
    // The first field leaves room for the progress bar that sits over its left edge.
    m_status[0]->setIndent(36);
    m_progress = new QProgressBar(bar);
    m_progress->setObjectName(QStringLiteral("ProgressBar1"));
    m_progress->setTextVisible(false);
    m_progress->setRange(0, 1);
    m_progress->setValue(0);
    bar->installEventFilter(this);
    placeProgressBar();
    // The secondary status bar is hidden; it tells which engine built the list.
    m_secondaryStatus = new QLabel(this);
    m_secondaryStatus->setObjectName(QStringLiteral("StatusBar2"));
    m_secondaryStatus->hide();
}

void MainWindow::placeProgressBar()
{
    // 30 pixels wide, 2 from the left, 4 from the top, 5 pixels less high than the bar.
    QStatusBar *bar = statusBar();
    m_progress->setGeometry(2, 4, 30, qMax(1, bar->height() - 5));
    m_progress->raise();
}

void MainWindow::buildDriveBar()
{
    m_navigation->buildDriveBar();
}

// ---------------------------------------------------------------------------------------
// Start-up

void MainWindow::readFreeTree()
{
    const TextFile::ReadResult tree =
        TextFile::read(m_options.programFolder.file(m_freeTreeFileName));
    m_freeTreeText = tree.found ? tree.document.lines : QStringList();
    m_freeTreeUnread = !tree.error.isEmpty();
}

void MainWindow::applyViewAndPanes()
{
    // The view style is the marked view command's; the list build applies it.
    m_builder->setViewCommand(ViewStyle::marked(m_settings));
    m_panes->applyStored();
}

void MainWindow::loadFolderHistory()
{
    m_navigation->loadFolderHistory();
}

// ---------------------------------------------------------------------------------------
// Running

QString MainWindow::secondaryStatus() const
{
    return m_secondaryStatus->text();
}

QString MainWindow::titlePanelText() const
{
    return m_titleLabel->text();
}

QAbstractItemView *MainWindow::itemList() const
{
    return m_itemList->currentView();
}

void MainWindow::storePositions(const QList<QPair<int, QPoint>> &moves, const QString &under)
{
    ItemList &list = m_itemList->list();
    QList<DecorationTarget> targets;
    QStringList positions;
    for (const auto &move : moves) {
        if (move.first < 0 || move.first >= list.count())
            continue;
        targets.append(DecorationTarget::fromPath(list.at(move.first).PATH));
        positions.append(AnnotationValues::formatPosition(move.second));
    }
    const DecorationBatch::Result r =
        DecorationBatch::setEach(*m_store, targets, positions, suffixOf(AnnotationField::P));
    if (!r.ok)
        showStoreError(StoreResult::failure(r.error));
    m_builder->rebuildKeepingSelection();
    // Shown after the rebuild, which writes its time into the same field.
    if (!under.isEmpty())
        statusField(FileOp)->setText(QStringLiteral("Drop: ") + under);
}

void MainWindow::clearPositions()
{
    ItemList &list = m_itemList->list();
    const QList<int> rows = m_itemList->selectedRows();
    if (rows.isEmpty())
        return;
    QList<DecorationTarget> targets;
    targets.reserve(rows.size());
    for (int row : rows)
        targets.append(DecorationTarget::fromPath(list.at(row).PATH));
    const DecorationBatch::Result r = DecorationBatch::apply(
        *m_store, targets, DecorationBatch::removeFields({suffixOf(AnnotationField::P)}), false);
    if (!r.ok)
        showStoreError(StoreResult::failure(r.error));
    m_builder->rebuildKeepingSelection();
}

void MainWindow::onIconSizeChanged(int size)
{
    m_iconSizeLabel->setText(QString::number(size));
    if (m_settings.integer(QStringLiteral("IconSize"), -1) != size)
        m_settings.storeSetting(QStringLiteral("IconSize"), QString::number(size), true);
    const ItemListLook &current = m_itemList->look();
    if (!current.largeIcons() || !current.flags.customIconSize ||
        m_itemList->list().mode() == ItemListMode::Empty)
        return;
    // Every picture is built again at the new size.
    m_itemList->setLook(m_builder->lookFor(viewStyleFixed() ? ViewStyle::commandOf(current.style)
                                                            : viewStyleCommand(),
                                           viewStyleFixed()));
    m_builder->onShowedChanged(m_itemList->list().showedCount());
}

void MainWindow::showStoreError(const StoreResult &result)
{
    if (!result.ok && !result.error.isEmpty())
        MessageBox::information(this, result.error);
}

void MainWindow::showSettingsDialog()
{
    if (!m_settingsDialog)
        m_settingsDialog = new SettingsDialog(*this, this);
    m_settingsDialog->show();
    m_settingsDialog->raise();
    m_settingsDialog->activateWindow();
}

void MainWindow::openSelection()
{
    m_opener->openSelection();
}

void MainWindow::openPaths(const QStringList &paths)
{
    QStringList opened;
    QString folder;
    for (const QString &path : paths) {
        const Navigation::Target target = Navigation::OpenPath(path);
        if (target.kind == Navigation::Target::Folder) {
            if (folder.isEmpty())
                folder = target.path;
            opened.append(path);
        } else if (target.kind == Navigation::Target::File) {
            if (m_launcher->openWithDefault(target.path))
                opened.append(path);
            else
                MessageBox::information(this, QStringLiteral("コマンドを開始できませんでした"));
        }
    }
    if (!opened.isEmpty()) {
        QString error;
        if (!RecentUseLists(m_options.programFolder).record(opened, &error) && !error.isEmpty() &&
            !m_closing)
            MessageBox::warning(this, error);
    }
    // While closing, waiting requests still start their files but no list is built.
    if (!folder.isEmpty() && !m_closing)
        Build_ListView(folder);
}

QStringList MainWindow::selectedPaths() const
{
    if (m_selectedPaths)
        return m_selectedPaths();
    return {};
}

// ---------------------------------------------------------------------------------------
// SettingsHost

QColor MainWindow::listColor() const
{
    return m_listColor;
}

void MainWindow::setListColor(const QColor &color)
{
    m_windowSettings->setListColor(color);
}

void MainWindow::setListFont(const QFont &font, const QColor &textColor)
{
    m_windowSettings->setListFont(font, textColor);
}

QColor MainWindow::listTextColor() const
{
    return m_listTextColor;
}

QFont MainWindow::listFont() const
{
    return m_itemList->font();
}

int MainWindow::iconSize() const
{
    return m_iconSizeSlider->value();
}

void MainWindow::setIconSize(int size)
{
    m_iconSizeSlider->setValue(size);
}

bool MainWindow::windowAtBack() const
{
    return windowFlags().testFlag(Qt::WindowStaysOnBottomHint);
}

void MainWindow::setWindowAtBack(bool atBack)
{
    if (windowAtBack() == atBack)
        return;
    const bool wasVisible = isVisible();
    setWindowFlag(Qt::WindowStaysOnBottomHint, atBack);
    if (wasVisible)
        show();
}

QStringList MainWindow::layoutSummary() const
{
    QStringList out;
    auto onOff = [](bool on) { return on ? QStringLiteral("表示") : QStringLiteral("非表示"); };
    out << QStringLiteral("フォルダペイン: ") + onOff(m_panes->folderArea()->isHidden() == false)
        << QStringLiteral("ファイル: ") + onOff(m_panes->listPane()->isHidden() == false)
        << QStringLiteral("右ペイン: ") + onOff(m_panes->rightPane()->isHidden() == false);
    for (QToolBar *bar : m_toolBars->bars())
        out << QStringLiteral("ツールバー ") + bar->windowTitle() + QStringLiteral(": ") +
                   onOff(bar->isHidden() == false);
    out << QStringLiteral("自由にツリー: ") + onOff(m_panes->freeTree()->isHidden() == false);
    out << QStringLiteral("隠しファイル表示: ") +
               onOff(m_settings.isOn(Component::ShowHiddenFiles));
    return out;
}

QList<SettingsHost::WatchedFolder> MainWindow::watchedFolders() const
{
    QList<WatchedFolder> out;
    for (const QString &path : m_watchedFolders)
        out.append({path, path.isEmpty() ? QStringLiteral("停止中") : QStringLiteral("実行中")});
    return out;
}

void MainWindow::settingsApplied(bool rebuildList)
{
    m_windowSettings->buildSettingsMenus();
    m_windowSettings->applyMarksAndDisplay();
    m_windowSettings->loadPlaceholders();
    if (rebuildList)
        m_builder->rebuildKeepingSelection();
}

// ---------------------------------------------------------------------------------------
// Events

void MainWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (QAction *next = m_commands.action(Component::NextIdea)) {
        next->setChecked(false);
    }
    if (m_splash)
        m_splash->close();
}

bool MainWindow::event(QEvent *event)
{
    return QMainWindow::event(event);
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_itemList->iconView() || watched == m_itemList->detailsView()) {
        if (event->type() == QEvent::FocusIn)
            m_listFocused = true;
        else if (event->type() == QEvent::FocusOut)
            m_listFocused = false;
    } else if (watched == statusBar() && event->type() == QEvent::Resize) {
        placeProgressBar();
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // Closing is always allowed.
    m_lifecycle->close();
    event->accept();
}

} // namespace kazari
