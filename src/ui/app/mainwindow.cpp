#include "ui/app/mainwindow.h"
#include "core/app/componentnames.h"

#include "core/annotations/annotationvalues.h"
#include "core/app/applicationlist.h"
#include "core/app/colorvalue.h"
#include "core/app/firstfolder.h"
#include "core/app/shelllocation.h"
#include "core/app/switchcommands.h"
#include "core/decoration/builtinpictures.h"
#include "core/decoration/captionpalette.h"
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
#include "ui/app/menucatalog.h"
#include "ui/app/messagebox.h"
#include "ui/app/settingsdialog.h"
#include "ui/app/splashwindow.h"
#include "ui/app/systemlauncher.h"
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
#include <QFontDialog>
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

// Follows the folder name in the window title.
const QString ProductDescription = QStringLiteral("注釈つきファイルマネージャ Kazari");

QString withoutTrailingSlash(QString path)
{
    while (path.size() > 1 && path.endsWith(QLatin1Char('/')))
        path.chop(1);
    return path;
}

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
            return m_currentFolder;
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
    buildWidgets();
    buildMenusAndToolBars();
    buildStatusBar();
    connect(&m_commands, &CommandRegistry::triggered, this, &MainWindow::onCommand);
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
    for (QToolBar *bar : m_toolBars) {
        if (bar->objectName() == name)
            return bar;
    }
    return nullptr;
}

void MainWindow::onShutdown(ShutdownStep step, std::function<void(bool)> work)
{
    m_shutdownWork.append({step, std::move(work)});
}

void MainWindow::step(const QString &text)
{
    m_startupLog.append(text);
    if (m_splash)
        m_splash->setStatus(text);
}

// ---------------------------------------------------------------------------------------
// Building the window

void MainWindow::buildWidgets()
{
    m_mainSplitter = new QSplitter(Qt::Horizontal, this);
    m_mainSplitter->setObjectName(QStringLiteral("MainSplitter"));
    m_mainSplitter->setChildrenCollapsible(false);

    // Folder pane: the game view above the free tree.
    m_leftPane = new QSplitter(Qt::Vertical, m_mainSplitter);
    m_leftPane->setObjectName(QStringLiteral("ShelltreeView1"));
    m_rpgPane = new QWidget(m_leftPane);
    m_rpgPane->setObjectName(QStringLiteral("RpgPane"));
    m_rpgPane->setAutoFillBackground(true);
    QPalette black = m_rpgPane->palette();
    black.setColor(QPalette::Window, Qt::black);
    m_rpgPane->setPalette(black);
    auto *rpgLayout = new QVBoxLayout(m_rpgPane);
    rpgLayout->setContentsMargins(0, 0, 0, 0);
    rpgLayout->setSpacing(0);
    // Header and status panel take 24 pixels each, so the game's picture is as wide as the
    // status panel and as high as the pane less 48.
    // The panels keep the window's own colours on the black pane.
    QPalette panel = QApplication::palette();
    panel.setColor(QPalette::Window, panel.color(QPalette::Window));
    panel.setColor(QPalette::WindowText, panel.color(QPalette::WindowText));
    auto *rpgHeader = new QLabel(QStringLiteral("Tessaly"), m_rpgPane);
    rpgHeader->setObjectName(QStringLiteral("RpgHeader"));
    rpgHeader->setFixedHeight(24);
    rpgHeader->setAlignment(Qt::AlignCenter);
    rpgHeader->setAutoFillBackground(true);
    rpgHeader->setPalette(panel);
    m_rpgStatus = new QLabel(QStringLiteral("RPGVIEW"), m_rpgPane);
    m_rpgStatus->setObjectName(QStringLiteral("Panel31"));
    m_rpgStatus->setTextFormat(Qt::PlainText);
    m_rpgStatus->setFixedHeight(24);
    m_rpgStatus->setAutoFillBackground(true);
    m_rpgStatus->setPalette(panel);
    m_rpgView = new RpgView(m_options.programFolder, nullptr, m_rpgPane);
    m_rpgView->setObjectName(QStringLiteral("Image7"));
    m_rpgView->setMinimumSize(320, 480);
    rpgLayout->addWidget(rpgHeader);
    rpgLayout->addWidget(m_rpgStatus);
    rpgLayout->addWidget(m_rpgView, 1);
    connect(m_rpgView, &RpgView::statusChanged, m_rpgStatus, &QLabel::setText);
    connect(m_rpgView, &RpgView::picturesMissing, this,
            [this](const QString &message) { MessageBox::warning(this, message); });
    m_freeTree = new QTreeWidget(m_leftPane);
    m_freeTree->setObjectName(QStringLiteral("TreeView2"));
    m_freeTree->setHeaderHidden(true);
    m_freeTree->hide();

    // Item list pane: title panel, folder tabs, the list with the comment memo below it.
    m_centre = new QWidget(m_mainSplitter);
    m_centre->setObjectName(QStringLiteral("ListPane"));
    auto *centreLayout = new QVBoxLayout(m_centre);
    centreLayout->setContentsMargins(0, 0, 0, 0);
    centreLayout->setSpacing(0);
    m_titlePanel = new QWidget(m_centre);
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
    m_folderTabs = new QTabBar(m_centre);
    m_folderTabs->setObjectName(QStringLiteral("TabControl1"));
    m_folderTabs->hide();
    m_itemList = new ItemListView(*m_store, m_centre);
    m_itemList->iconView()->installEventFilter(this);
    m_itemList->detailsView()->installEventFilter(this);
    connect(m_itemList, &ItemListView::showedChanged, this, &MainWindow::onShowedChanged);
    connect(m_itemList, &ItemListView::activated, this, [this](int) { openSelection(); });
    connect(m_itemList, &ItemListView::currentViewChanged, this, [this](QAbstractItemView *view) {
        if (!m_closed)
            m_commands.bindShortcutsTo(view);
    });
    connect(m_itemList, &ItemListView::positionsDropped, this, &MainWindow::storePositions);
    setSelectionProvider([this]() { return m_itemList->selectedPaths(); });
    m_folderWatch = new FolderChangeWatch(this);
    connect(m_folderWatch, &FolderChangeWatch::changed, this, &MainWindow::currentFolderChanged);
    m_rpgCommands = new RpgPaneCommands(m_rpgPane, m_itemList, this);
    m_commentMemo = new QPlainTextEdit(m_centre);
    m_commentMemo->setObjectName(QStringLiteral("Memo1"));
    m_commentMemo->setMaximumHeight(64);
    m_commentMemo->setPlaceholderText(QStringLiteral("コメント"));
    centreLayout->addWidget(m_titlePanel);
    centreLayout->addWidget(m_folderTabs);
    centreLayout->addWidget(m_itemList, 1);
    centreLayout->addWidget(m_commentMemo);

    // Right pane: one page per pane command.
    m_rightPane = new QTabWidget(m_mainSplitter);
    m_rightPane->setObjectName(QStringLiteral("RightPane"));
    const QList<QPair<QString, QString>> pages{
        {Component::SimpleFileView, QStringLiteral("簡易ファイルビュー")},
        {Component::BrowserPage, QStringLiteral("ブラウザ")},
        {Component::OpenTasksPage, QStringLiteral("タスク")},
        {Component::FavouritesPage, QStringLiteral("よく使う項目")},
        {Component::ComputerPage, QStringLiteral("コンピュータ")},
    };
    for (const auto &page : pages) {
        auto *w = new QWidget(m_rightPane);
        w->setObjectName(page.first + QStringLiteral("Page"));
        w->setProperty("caption", page.second);
        m_rightPages.insert(page.first, w);
    }
    m_rightPane->hide();

    m_mainSplitter->setStretchFactor(0, 0);
    m_mainSplitter->setStretchFactor(1, 1);
    m_mainSplitter->setStretchFactor(2, 0);
    setCentralWidget(m_mainSplitter);

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
}

void MainWindow::buildMenusAndToolBars()
{
    m_commands.buildMainMenu(menuBar(), MenuCatalog::mainMenu());
    m_itemPopup = new QMenu(this);
    m_itemPopup->setObjectName(QStringLiteral("PopupMenu1"));
    m_commands.buildMenu(m_itemPopup, MenuCatalog::itemListPopup());
    for (QAbstractItemView *view : {static_cast<QAbstractItemView *>(m_itemList->iconView()),
                                    static_cast<QAbstractItemView *>(m_itemList->detailsView())}) {
        view->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(view, &QWidget::customContextMenuRequested, this, [this, view](const QPoint &at) {
            m_itemPopup->popup(view->viewport()->mapToGlobal(at));
        });
    }

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
        if (layout.caption == QLatin1String("ディレクトリ")) {
            // The path box gets a row of its own.
            addToolBarBreak(Qt::TopToolBarArea);
            bar->addWidget(m_pathBox);
        } else if (layout.caption == QLatin1String("アイコンサイズ")) {
            bar->addWidget(m_iconSizeSlider);
            bar->addWidget(m_iconSizeLabel);
        } else if (layout.caption == QLatin1String("ドライブ"))
            m_driveBar = bar;
        addToolBar(Qt::TopToolBarArea, bar);
        bar->setProperty("designedVisible", layout.visible);
        m_toolBars.append(bar);
    }
    if (m_pathBox->parent() == this) {
        // No directory bar in the catalogue: the path box still needs a home.
        auto *bar = new QToolBar(QStringLiteral("ディレクトリ"), this);
        bar->setObjectName(QStringLiteral("ToolBarDirectory"));
        bar->addWidget(m_pathBox);
        addToolBar(Qt::TopToolBarArea, bar);
        bar->setProperty("designedVisible", true);
        m_toolBars.append(bar);
    }
    for (QToolBar *bar : std::as_const(m_toolBars)) {
        ToolBarState s;
        s.name = bar->objectName();
        s.visible = bar->property("designedVisible").toBool();
        m_designedToolBars.append(s);
    }

    // Each tool bar's own command in the tool bar submenu shows or hides it.
    if (QMenu *menu = m_commands.menu(QStringLiteral("ToolBarMenu")))
        connect(menu, &QMenu::aboutToShow, this, &MainWindow::syncToolBarMarks);

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

void MainWindow::FormCreate()
{
    step(QStringLiteral("起動開始"));
    if (QToolBar *spare = toolBar(QStringLiteral("ToolBar7")))
        spare->hide();
    if (QToolBar *action = toolBar(QStringLiteral("ActionToolBar1")))
        action->hide();
    m_rpgView->start();
    m_osText = QSysInfo::prettyProductName();
    statusField(SysMsg)->setText(m_osText);

    step(QStringLiteral("メッセージセット"));
    AppEvents::registerAll();
    {
        const TextFile::ReadResult watched = TextFile::read(
            m_options.programFolder.file(QStringLiteral("ChangeNotificationList.txt")));
        if (watched.found) {
            for (const QString &line : watched.document.lines) {
                if (!line.trimmed().isEmpty())
                    m_watchedFolders.append(line);
            }
        }
    }
    m_commands.bindShortcutsTo(itemList());
    m_listFocused = false;
    m_freeTreeFileName = QStringLiteral("FreeTree.ini");
    m_pathListFileName = QStringLiteral("pathlist.ini");

    step(QStringLiteral("アプリケーション初期化"));
    m_closing = false;
    placeProgressBar();
    m_fileMask = QStringLiteral("*");
    statusField(FindFileName)->setText(m_fileMask);
    m_folderImage->setPixmap(QPixmap::fromImage(BuiltinPictures::folder(16, 0)));
    if (!m_toolBars.isEmpty())
        m_toolBars.first()->setWindowTitle(windowTitle());

    step(QStringLiteral("自由にツリーを読み込み"));
    readFreeTree();

    step(QStringLiteral("設定を読み込み"));
    {
        QString error;
        if (!m_settings.load(&error) && !error.isEmpty())
            MessageBox::warning(this, QStringLiteral("設定ファイルを読めません: ") + error);
        m_store->reloadModeFromSettings();
        m_rpgView->applyRecord(m_settings);
    }

    step(QStringLiteral("ツールバー状態設定"));
    {
        QList<ToolBarState> states = m_designedToolBars;
        ToolBarLayout::load(m_options.programFolder.file(ToolBarLayout::fileName()), states);
        for (const ToolBarState &s : std::as_const(states)) {
            if (QToolBar *bar = toolBar(s.name))
                bar->setVisible(s.visible);
        }
        syncToolBarMarks();
    }

    step(QStringLiteral("有効ドライブ"));
    buildDriveBar();

    step(QStringLiteral("ウインドウ属性セット"));
    applyWindowAttributes();

    step(QStringLiteral("メニュー作成"));
    buildSettingsMenus();

    step(QStringLiteral("表示系初期設定"));
    applyMarksAndDisplay();

    step(QStringLiteral("アイコン読み込み"));
    loadPlaceholders();

    applyViewAndPanes();

    step(QStringLiteral("自由にツリーの準備"));
    prepareFreeTree();

    step(QStringLiteral("フォルダ履歴"));
    loadFolderHistory();

    ColumnController::install(*this);
    SortCommands::install(*this);
    FilterCommands::install(*this);
    SelectionDetails::install(*this);
    TaskCommands::install(*this);
    openFirstFolder();
}

void MainWindow::applyWindowAttributes()
{
    m_treeType = m_settings.integer(QStringLiteral("GTree2Type"), 0);
    // FreeTreeName counts only when its tree file is there; it never leaves the program
    // folder. The tree is then read from the file it is saved to at the exit.
    const QString treeName = m_settings.value(QStringLiteral("FreeTreeName"));
    if (ProgramFolder::isContainedName(treeName) && treeName != m_freeTreeFileName &&
        QFileInfo(m_options.programFolder.file(treeName + QStringLiteral(".txt"))).isFile()) {
        m_freeTreeFileName = treeName;
        readFreeTree();
    }
    const std::optional<int> h = m_settings.integer(QStringLiteral("LastHeight"));
    const std::optional<int> w = m_settings.integer(QStringLiteral("LastWidth"));
    if (h || w)
        resize(qBound(200, w.value_or(width()), 10000), qBound(150, h.value_or(height()), 10000));
    m_iconSizeSlider->setValue(
        m_settings.integer(QStringLiteral("IconSize"), DecorationFlags::DefaultLargeSize));
    const std::optional<int> top = m_settings.integer(QStringLiteral("LastTop"));
    const std::optional<int> left = m_settings.integer(QStringLiteral("LastLeft"));
    if (top || left)
        move(left.value_or(x()), top.value_or(y()));

    const int leftWidth = m_settings.integer(QStringLiteral("ShelltreeView1"), 100);
    const int listWidth = m_settings.integer(QStringLiteral("LVWidth"), 100);
    const int viewWidth = m_settings.integer(QStringLiteral("ViewWidth"), 100);
    m_mainSplitter->setSizes({qMax(40, leftWidth), qMax(40, listWidth), qMax(40, viewWidth)});
    const int leftHeight = m_settings.integer(QStringLiteral("ShelltreeView1Height"), 100);
    const int treeHeight =
        m_settings.integer(QStringLiteral("FreeTreeHeight"), qMax(1, m_freeTree->height() / 2));
    m_leftPane->setSizes({qMax(40, leftHeight), qMax(20, treeHeight)});
    m_browserAddress = m_settings.value(QStringLiteral("WebLastPath"));
}

void MainWindow::readFreeTree()
{
    const TextFile::ReadResult tree =
        TextFile::read(m_options.programFolder.file(m_freeTreeFileName));
    m_freeTreeText = tree.found ? tree.document.lines : QStringList();
    m_freeTreeUnread = !tree.error.isEmpty();
}

void MainWindow::buildSettingsMenus()
{
    // The commands named in the settings go in front of each menu's fixed commands, in
    // the main menu and in the pop-up menu alike; choosing them is wired by the
    // decoration commands.
    auto fill = [this](const QString &menuName, const QString &commandPrefix, int first,
                       const QStringList &captions) {
        QList<QAction *> generated;
        for (int i = 0; i < captions.size(); ++i) {
            const QString name = commandPrefix + QString::number(first + i);
            QAction *a = m_commands.actionFor(MenuNode::command(name, captions.at(i)));
            a->setText(captions.at(i));
            generated.append(a);
        }
        for (QMenu *menu : m_commands.menus(menuName)) {
            for (QAction *a : std::as_const(generated))
                menu->removeAction(a);
            QAction *before = menu->actions().isEmpty() ? nullptr : menu->actions().first();
            menu->insertActions(before, generated);
        }
    };
    auto names = [this](const QString &prefix, int count, const QStringList &accelerators = {}) {
        QStringList out;
        for (int i = 0; i < count; ++i) {
            QString caption = m_settings.value(prefix + QString::number(i));
            if (i < accelerators.size())
                caption += QStringLiteral("(&") + accelerators.at(i) + QLatin1Char(')');
            out.append(caption);
        }
        return out;
    };
    fill(QStringLiteral("CaptionColourMenu"), QStringLiteral("cmdCaptionColour"), 0,
         names(QStringLiteral("Tx_CaptionMaskName"), 7));
    fill(QStringLiteral("SealMenu"), QStringLiteral("cmdSeal"), 0,
         names(QStringLiteral("Seal_N"), 15));
    fill(QStringLiteral("MaskMenu"), QStringLiteral("cmdMaskColour"), 1,
         names(QStringLiteral("1Color_N"), 7));
    fill(QStringLiteral("LabelMenu"), QStringLiteral("cmdLabel"), 0,
         names(
             QStringLiteral("Label_List0"), 4,
             {QStringLiteral("R"), QStringLiteral("Y"), QStringLiteral("G"), QStringLiteral("B")}));
    DecorationCommands::install(*this);
}

void MainWindow::applyMarksAndDisplay()
{
    // Every checkable command shows its stored mark; commands without a key keep their
    // designed mark. Setting a mark does not trigger the command (only a click does), and
    // exclusive groups must see the change, so signals stay on.
    for (const QString &name : m_commands.checkableNames()) {
        // The sort order is not kept across runs: its keys in exe.ini have no effect.
        if (!m_settings.contains(name) || SortOrder::ofCommand(name))
            continue;
        QAction *a = m_commands.action(name);
        a->setChecked(m_settings.isOn(name));
    }
    if (QAction *atBack = m_commands.action(Component::KeepAtBack))
        setWindowAtBack(atBack->isChecked());

    QFont font = m_itemList->font();
    const QString fontName = m_settings.value(QStringLiteral("ListViewFontName"));
    if (!fontName.isEmpty())
        font.setFamily(fontName);
    const int fontSize = m_settings.integer(QStringLiteral("ListViewFontSize"), 0);
    if (fontSize > 0 && fontSize < 200)
        font.setPointSize(fontSize);
    m_itemList->setFont(font);
    m_freeTree->setFont(font);
    QFont nameOnly = m_pathBox->font();
    nameOnly.setFamily(font.family());
    m_pathBox->setFont(nameOnly);
    m_commentMemo->setFont(nameOnly);

    m_listColorNumber = m_settings.color(QStringLiteral("ListViewColor")).value_or(0xFFFFFF);
    m_listTextColorNumber =
        m_settings.color(QStringLiteral("ListViewFontColor")).value_or(m_listTextColorNumber);
    m_listTextColor = ColorValue::isSystemColor(m_listTextColorNumber)
                          ? palette().color(QPalette::WindowText)
                          : ColorValue::toColor(m_listTextColorNumber);
    m_listColor = ColorValue::isSystemColor(m_listColorNumber)
                      ? palette().color(QPalette::Base)
                      : ColorValue::toColor(m_listColorNumber);
    applyListPalette();

    m_itemList->setEditTriggers(m_settings.isOn(Component::ProtectFileNames)
                                    ? QAbstractItemView::NoEditTriggers
                                    : QAbstractItemView::EditKeyPressed |
                                          QAbstractItemView::SelectedClicked);
    m_itemList->setViewsAcceptDrops(m_settings.isOn(Component::AcceptDrops));
    applyDecorationSwitches();
    m_titleFullPath = m_settings.isOn(QStringLiteral("TitleFullPath"));
    setToolBarAreaVisible(m_settings.isOn(Component::WholeToolBar));
    m_folderTabs->setVisible(m_settings.isOn(Component::FolderTabs));
}

QPixmap MainWindow::loadPicture(const QString &userKey, const QString &defaultKey,
                                const QImage &builtin, int size) const
{
    const QString user = m_settings.value(userKey);
    if (!user.isEmpty() && QDir::isAbsolutePath(user) && QFileInfo(user).isFile()) {
        QPixmap p(user);
        if (!p.isNull())
            return p.scaled(size, size);
    }
    const QString name = m_settings.value(defaultKey);
    if (ProgramFolder::isContainedName(name)) {
        const QString path = m_options.programFolder.dataFile(QStringLiteral("icon/") + name);
        QPixmap p(path);
        if (!p.isNull())
            return p.scaled(size, size);
    }
    return QPixmap::fromImage(builtin);
}

void MainWindow::loadPlaceholders()
{
    const bool simple = m_settings.isOn(Component::SimpleIcons);
    const QString stem = simple ? QStringLiteral("nilread") : QStringLiteral("reading");
    m_placeholderLarge =
        loadPicture(QStringLiteral("Iu_") + stem + QStringLiteral("32"),
                    QStringLiteral("Id_") + stem + QStringLiteral("32"),
                    simple ? BuiltinPictures::nilread(32) : BuiltinPictures::reading(32), 32);
    m_placeholderSmall =
        loadPicture(QStringLiteral("Iu_") + stem + QStringLiteral("16"),
                    QStringLiteral("Id_") + stem + QStringLiteral("16"),
                    simple ? BuiltinPictures::nilread(16) : BuiltinPictures::reading(16), 16);
}

void MainWindow::applyViewAndPanes()
{
    // The view style is the marked view command's; the list build applies it.
    m_viewCommand = ViewStyle::marked(m_settings);
    m_centre->setVisible(!m_settings.contains(Component::FilePane) ||
                         m_settings.isOn(Component::FilePane));
    m_rpgPane->setVisible(!m_settings.contains(Component::FolderPane) ||
                          m_settings.isOn(Component::FolderPane));
    updateRightPane();
}

void MainWindow::prepareFreeTree()
{
    QAction *treeButton = m_commands.action(Component::FreeTreePane);
    if (m_treeType == 1 || m_treeType == 4) {
        if (treeButton) {
            treeButton->setChecked(true);
        }
        m_freeTree->show();
    }
    QAction *floating = m_commands.action(Component::FloatingWindows);
    if (m_settings.value(QStringLiteral("TreePanel")) == QLatin1String("1")) {
        m_leftPane->show();
        if (floating) {
            floating->setChecked(true);
        }
    } else {
        m_leftPane->hide();
        if (floating) {
            floating->setChecked(false);
        }
        if (treeButton) {
            treeButton->setChecked(false);
        }
    }
}

void MainWindow::loadFolderHistory()
{
    m_navigation->loadFolderHistory();
}

void MainWindow::openFirstFolder()
{
    const QString lastPath = m_settings.readFromFile(QStringLiteral("LastPath"));
    const FirstFolder first =
        FirstFolder::choose(m_options.arguments, lastPath, m_options.programFolder.path());
    m_foundListMode = first.kind == FirstFolder::FoundList;
    Build_ListView(first.path);
}

// ---------------------------------------------------------------------------------------
// Running

void MainWindow::Build_ListView(const QString &folder)
{
    if (m_closed)
        return;
    m_folderWatch->stop();
    if (folder.isEmpty()) {
        // No location: an empty list.
        m_currentFolder.clear();
        m_itemList->list().clear();
        statusField(DFCount)->setText(QStringLiteral("D: - F: -"));
        statusField(Showed)->setText(QStringLiteral("0"));
        statusField(FindFileName)->clear();
        statusField(FileOp)->setText(QStringLiteral("-"));
        m_progress->setRange(0, 1);
        m_progress->setValue(0);
        return;
    }
    if (ShellLocation::isShellLocation(folder) || ShellLocation::isWindowsPath(folder) ||
        !QDir::isAbsolutePath(folder) || !QFileInfo(withoutTrailingSlash(folder)).isDir()) {
        buildNameSpace(folder);
        return;
    }
    buildFolderList(AnnotationStore::folderKey(folder));
}

ListBuildOptions MainWindow::listBuildOptions() const
{
    ListBuildOptions o;
    o.enumeration.showHidden = m_settings.isOn(Component::ShowHiddenFiles);
    o.enumeration.showSystem = m_settings.isOn(Component::ShowSystemFiles);
    o.enumeration.mask = m_fileMask;
    o.annotationFilter = m_annotationFilter;
    o.positions =
        m_settings.isOn(Component::KeepPositions) && !m_settings.isOn(Component::NewListEngine);
    return o;
}

ItemListLook MainWindow::lookFor(const QString &command, bool fixed) const
{
    ItemListLook look;
    look.style = ViewStyle::listStyleOf(command);
    look.treeList = !fixed && command == Component::ViewTreeList;
    look.flags = DecorationFlags::fromSettings(m_settings);
    look.flags.iconSize = std::clamp(m_iconSizeSlider->value(), DecorationFlags::MinIconSize,
                                     DecorationFlags::MaxIconSize);
    look.flags.largeIconView = look.style == ListStyle::LargeIcons;
    look.flags.treeList = look.treeList;
    look.flags.taskColumns = !fixed && command == Component::ViewTaskDetails;
    if (!fixed && command == Component::ViewThumbnails) {
        // "縮小版": picture contents at the slider's size.
        look.flags.thumbnails = true;
        look.flags.customIconSize = true;
    }
    look.flags.namespaceMode = m_store->shellNamespaceMode();
    look.palette = CaptionPalette::fromSettings(m_settings);
    look.background = m_listColor;
    look.text = m_listTextColor;
    const bool iconStyle =
        look.style == ListStyle::LargeIcons || look.style == ListStyle::SmallIcons;
    look.positions =
        iconStyle && m_settings.isOn(Component::KeepPositions) && !look.flags.ownerData;
    look.dragMoves = look.positions && !m_settings.isOn(Component::AcceptDrops);
    ListPictures::load(look, m_settings, m_options.programFolder);
    return look;
}

void MainWindow::applyDecorationSwitches()
{
    // The icon decorations and the caption decorations each have a master switch that
    // enables the commands depending on it.
    auto enable = [this](const QStringList &names, bool on) {
        for (const QString &n : names) {
            if (QAction *a = m_commands.action(n))
                a->setEnabled(on);
            for (QMenu *menu : m_commands.menus(n))
                menu->menuAction()->setEnabled(on);
        }
    };
    const bool icons = !m_settings.contains(Component::IconExtensions) ||
                       m_settings.isOn(Component::IconExtensions);
    enable({Component::EffectMask, Component::ShowSeals, Component::ShowLabels, Component::Contrast,
            Component::Monochrome, QStringLiteral("SealMenu"), QStringLiteral("LabelMenu"),
            QStringLiteral("MaskMenu"), Component::SimpleIcons, Component::HatchMask,
            Component::SingleColourMask, Component::TextLabels, Component::ShowStamps,
            Component::PictureContents, Component::ResizeIcons, QStringLiteral("cmdClearPosition"),
            QStringLiteral("cmdEffectIconMask"), Component::EasyMask},
           icons);
    const bool captions = !m_settings.contains(Component::CaptionExtensions) ||
                          m_settings.isOn(Component::CaptionExtensions);
    enable({Component::CaptionLabels, Component::TaskCaptionColours,
            QStringLiteral("CaptionColourMenu")},
           captions);
}

void MainWindow::showFolderIcon(const QString &folder)
{
    const QString native = withoutTrailingSlash(folder);
    const QImage icon = m_itemList->icons().iconOfPath(native, 16);
    const std::optional<qint32> tint =
        AnnotationValues::parseOneColour(m_store->GetByPath(native, QStringLiteral("_oneColor")));
    m_folderImage->setPixmap(
        QPixmap::fromImage(ItemPictureComposer::headerIcon(icon, m_listColor, tint)));
}

void MainWindow::buildFolderList(const QString &key)
{
    if (m_foundListMode) {
        buildPathList(
            PathListFile::readFoundList(m_options.programFolder.file(QStringLiteral("Found.txt"))),
            ItemListMode::FoundList, QStringLiteral("検索結果"));
        return;
    }
    QElapsedTimer timer;
    timer.start();
    const bool ownerData = m_settings.isOn(Component::NewListEngine);
    m_secondaryStatus->setText(ownerData ? QStringLiteral("Owner Draw mode")
                                         : QStringLiteral("Build ListView mode"));
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_itemList->display().setAttached(false);
    m_listFileMode = false;
    m_searchResults = false;

    m_currentFolder = key;
    const QString shown = withoutTrailingSlash(key);
    const QString name =
        QFileInfo(shown).fileName().isEmpty() ? shown : QFileInfo(shown).fileName();
    setWindowTitle((m_titleFullPath ? shown : name) + QStringLiteral("   ") + ProductDescription);
    m_pathBox->setEditText(shown);
    m_pathBox->setToolTip(shown);
    m_itemList->setToolTip(shown);
    statusField(Showed)->setText(QStringLiteral("0"));
    m_progress->setValue(0);
    showFolderIcon(key);

    const ListBuildResult result = m_itemList->list().buildFolder(key, listBuildOptions());
    if (!result.storeError.isEmpty())
        statusField(SysMsg)->setText(result.storeError);
    if (QAction *temporary = m_commands.action(Component::TemporaryPerFolderFiles))
        temporary->setChecked(m_store->isTemporaryPerFolder());

    statusField(FindFileName)->setText(m_fileMask);
    statusField(DFCount)->setText(QStringLiteral("D:%1 + F:%2 = %3")
                                      .arg(result.folders)
                                      .arg(result.files)
                                      .arg(result.folders + result.files));
    const bool fixed = result.folderStyle.has_value();
    const QString command = fixed ? ViewStyle::commandOf(*result.folderStyle) : m_viewCommand;
    m_folderWatch->setFolder(shown);
    m_folderWatch->start();
    finishBuild(command, fixed, timer);
    Q_EMIT folderShown(key);
}

void MainWindow::buildPathList(const QStringList &paths, ItemListMode mode, const QString &title)
{
    QElapsedTimer timer;
    timer.start();
    m_secondaryStatus->setText(QStringLiteral("Build ListView mode"));
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_folderWatch->stop();
    m_itemList->display().setAttached(false);
    m_searchResults = true;
    if (m_currentFolder.isEmpty() || ShellLocation::isShellLocation(m_currentFolder))
        m_currentFolder = AnnotationStore::folderKey(m_options.programFolder.path());
    setWindowTitle(title + QStringLiteral("   ") + ProductDescription);
    statusField(Showed)->setText(QStringLiteral("0"));
    m_progress->setValue(0);
    const ListBuildResult result =
        m_itemList->list().buildPaths(m_currentFolder, paths, mode, listBuildOptions());
    if (!result.storeError.isEmpty())
        statusField(SysMsg)->setText(result.storeError);
    statusField(DFCount)->setText(QStringLiteral("D:%1 + F:%2 = %3")
                                      .arg(result.folders)
                                      .arg(result.files)
                                      .arg(result.folders + result.files));
    finishBuild(m_viewCommand, false, timer);
}

void MainWindow::showSearchResults(const QStringList &paths)
{
    m_listFileMode = false;
    buildPathList(paths, ItemListMode::SearchResult, QStringLiteral("検索結果"));
}

void MainWindow::showListFile(const QString &file)
{
    m_listFile = file;
    m_listFileMode = true;
    buildPathList(PathListFile::readListFile(file), ItemListMode::ListFile,
                  QStringLiteral("リスト: ") + QFileInfo(file).fileName());
}

void MainWindow::buildNameSpace(const QString &location)
{
    QElapsedTimer timer;
    timer.start();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_secondaryStatus->setText(QStringLiteral("NameSpace mode"));
    m_itemList->display().setAttached(false);
    m_listFileMode = false;
    m_searchResults = false;
    m_currentFolder = location;
    statusField(Showed)->setText(QStringLiteral("0"));
    m_progress->setValue(0);
    const ListBuildResult result = m_itemList->list().buildLocation(location);
    if (!result.storeError.isEmpty())
        statusField(SysMsg)->setText(result.storeError);
    const QString title = result.displayName;
    m_itemList->setToolTip(title);
    m_pathBox->setEditText(title);
    m_pathBox->setToolTip(title);
    setWindowTitle(title + QStringLiteral("   ") + ProductDescription);
    m_folderImage->setPixmap(QPixmap::fromImage(BuiltinPictures::folder(16, 0)));
    for (StatusField f : {DFCount, Notification, FindFileName, SysMsg})
        statusField(f)->clear();
    // A location that cannot be parsed lists nothing, and says so.
    if (!result.listed)
        statusField(DFCount)->setText(QStringLiteral("D:0 + F:0 = 0"));
    finishBuild(m_viewCommand, false, timer);
    // The elapsed time is not shown for a virtual location.
    statusField(FileOp)->clear();
    Q_EMIT folderShown(location);
}

void MainWindow::finishBuild(const QString &command, bool fixed, const QElapsedTimer &timer)
{
    m_viewStyleFixed = fixed;
    const ItemListLook look = lookFor(command, fixed);
    m_itemList->setEnumerationOptions(listBuildOptions().enumeration);
    m_itemList->setLook(look);
    m_titleLabel->setText(QStringLiteral("     FILE") +
                          (fixed ? QStringLiteral(" [ ビュー表示固定 ]") : QString()));
    statusField(FileOp)->setText(QString::asprintf("%f秒", double(timer.nsecsElapsed()) / 1e9));
    onShowedChanged(m_itemList->list().showedCount());
    m_itemList->display().setAttached(true);
    QApplication::restoreOverrideCursor();
    Q_EMIT listBuilt();
}

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

void MainWindow::onShowedChanged(int showed)
{
    statusField(Showed)->setText(QString::number(showed));
    m_progress->setRange(0, std::max(1, m_itemList->list().count()));
    m_progress->setValue(std::min(showed, m_itemList->list().count()));
}

void MainWindow::chooseViewStyle(const QString &name)
{
    QAction *chosen = m_commands.action(name);
    if (name == m_viewCommand) {
        // The marked command stays marked and nothing changes.
        if (chosen)
            chosen->setChecked(true);
        return;
    }
    for (const QString &other : ViewStyle::commands()) {
        if (other == name)
            continue;
        if (QAction *a = m_commands.action(other))
            a->setChecked(false);
        m_settings.storeSetting(other, QStringLiteral("0"), true);
    }
    if (chosen)
        chosen->setChecked(true);
    m_settings.storeSetting(name, QStringLiteral("1"), true);
    m_viewCommand = name;
    rebuildKeepingSelection();
}

void MainWindow::rebuildKeepingSelection()
{
    const QStringList selected = m_itemList->selectedPaths();
    const QString current = m_itemList->currentPath();
    QAbstractItemView *before = itemList();
    const int scroll = before->verticalScrollBar()->value();
    if (m_listFileMode)
        showListFile(m_listFile);
    else
        Build_ListView(m_currentFolder);
    m_itemList->selectPaths(selected, current);
    if (itemList() == before)
        before->verticalScrollBar()->setValue(scroll);
}

void MainWindow::refreshList()
{
    if (!m_listFileMode) {
        m_foundListMode = false;
        m_searchResults = false;
    }
    rebuildKeepingSelection();
}

void MainWindow::currentFolderChanged(const FolderChanges &changes)
{
    ItemList &list = m_itemList->list();
    if (m_closed || list.mode() != ItemListMode::Folder)
        return;
    const ChangeVerdict verdict = list.judgeChanges(changes, listBuildOptions().enumeration);
    if (verdict.rebuild) {
        rebuildKeepingSelection();
        return;
    }
    for (int row : verdict.reshow)
        m_itemList->reshowRow(row);
}

void MainWindow::storePositions(const QList<QPair<int, QPoint>> &moves, const QString &under)
{
    ItemList &list = m_itemList->list();
    for (const auto &move : moves) {
        if (move.first < 0 || move.first >= list.count())
            continue;
        QString folder;
        QString name;
        if (!AnnotationStore::splitItemPath(list.at(move.first).PATH, &folder, &name))
            continue;
        const StoreResult r =
            m_store->AnnotationOp(folder, name, move.second, -1, -1, OpSetPosition);
        if (!r.ok) {
            showStoreError(r);
            break;
        }
    }
    rebuildKeepingSelection();
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
    for (int row : rows) {
        QString folder;
        QString name;
        if (!AnnotationStore::splitItemPath(list.at(row).PATH, &folder, &name))
            continue;
        const StoreResult r =
            m_store->AnnotationOp(folder, name, QPoint(), -1, -1, OpRemovePosition);
        if (!r.ok) {
            showStoreError(r);
            break;
        }
    }
    rebuildKeepingSelection();
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
    m_itemList->setLook(lookFor(
        m_viewStyleFixed ? ViewStyle::commandOf(current.style) : m_viewCommand, m_viewStyleFixed));
    onShowedChanged(m_itemList->list().showedCount());
}

void MainWindow::updateRightPane()
{
    const QWidget *current = m_rightPane->currentWidget();
    m_rightPane->clear();
    bool any = false;
    for (const QString &name :
         {Component::SimpleFileView, Component::BrowserPage, Component::OpenTasksPage,
          Component::FavouritesPage, Component::ComputerPage}) {
        QAction *a = m_commands.action(name);
        const bool on = a ? a->isChecked() : m_settings.isOn(name);
        QWidget *page = m_rightPages.value(name);
        if (!on) {
            // A page without its tab would otherwise sit over the shown one.
            page->hide();
            continue;
        }
        m_rightPane->addTab(page, page->property("caption").toString());
        any = true;
    }
    if (current && m_rightPane->indexOf(const_cast<QWidget *>(current)) >= 0)
        m_rightPane->setCurrentWidget(const_cast<QWidget *>(current));
    m_rightPane->setVisible(any);
}

void MainWindow::setToolBarAreaVisible(bool visible)
{
    m_toolBarAreaVisible = visible;
    for (QToolBar *bar : std::as_const(m_toolBars)) {
        if (visible)
            bar->setVisible(bar->property("kazariHidden").toBool() == false);
        else {
            bar->setProperty("kazariHidden", bar->isHidden());
            bar->hide();
        }
    }
}

void MainWindow::syncToolBarMarks()
{
    for (QToolBar *bar : std::as_const(m_toolBars)) {
        QAction *a = m_commands.action(QStringLiteral("cmd") + bar->objectName());
        if (!a)
            continue;
        a->setChecked(!bar->isHidden());
    }
}

void MainWindow::onCommand(const QString &name, QAction *action)
{
    for (const CommandHandler &handler : std::as_const(m_commandHandlers)) {
        if (handler(name, action))
            return;
    }
    if (ViewStyle::isViewCommand(name)) {
        chooseViewStyle(name);
        return;
    }
    if (name == QLatin1String("cmdCycleViewStyle")) {
        const QString next = ViewStyle::nextInCycle(m_viewCommand);
        if (!next.isEmpty())
            chooseViewStyle(next);
        return;
    }
    if (name == QLatin1String("cmdRefresh")) {
        refreshList();
        return;
    }
    if (name == QLatin1String("cmdClearPosition")) {
        clearPositions();
        return;
    }
    if (name == Component::IconExtensions || name == Component::CaptionExtensions ||
        name == Component::SimpleIcons) {
        // The decoration master switches and the simple icons: store, then rebuild.
        m_settings.storeSetting(
            name, action->isChecked() ? QStringLiteral("1") : QStringLiteral("0"), true);
        if (name == Component::SimpleIcons)
            loadPlaceholders();
        applyDecorationSwitches();
        Build_ListView(m_currentFolder);
        return;
    }
    if (name.startsWith(QLatin1String("cmdToolBar")) && toolBar(name.mid(3))) {
        // A tool bar's own command: no settings key, its state lives in ToolBar.ini.
        toolBar(name.mid(3))->setVisible(action->isChecked());
        return;
    }
    if (name == Component::WholeToolBar) {
        setToolBarAreaVisible(action->isChecked());
        m_settings.storeSetting(
            name, action->isChecked() ? QStringLiteral("1") : QStringLiteral("0"), true);
        return;
    }
    if (name == Component::KeepAtBack) {
        setWindowAtBack(action->isChecked());
        m_settings.storeSetting(
            name, action->isChecked() ? QStringLiteral("1") : QStringLiteral("0"), true);
        return;
    }
    if (onStoreCommand(name, action))
        return;
    if (name == Component::FloatingWindows) {
        // The folder pane with its splitter.
        m_leftPane->setVisible(action->isChecked());
        return;
    }
    if (name == Component::FolderTabs) {
        m_folderTabs->setVisible(action->isChecked());
        m_settings.storeSetting(
            name, action->isChecked() ? QStringLiteral("1") : QStringLiteral("0"), true);
        return;
    }
    if (name == QLatin1String("cmdBlackScreen")) {
        m_rpgCommands->toggleBlackPicture();
        action->setChecked(m_rpgCommands->blackPictureShown());
        return;
    }
    if (name == QLatin1String("cmdListColour")) {
        const QColor c = QColorDialog::getColor(m_listColor, this);
        if (!c.isValid())
            return;
        m_listTextColor = ColorValue::brightness(c) >= 128 ? QColor(Qt::black) : QColor(Qt::white);
        m_listTextColorNumber = ColorValue::fromColor(m_listTextColor);
        setListColor(c);
        Build_ListView(m_currentFolder);
        return;
    }
    if (name == QLatin1String("cmdListFont")) {
        bool ok = false;
        const QFont f = QFontDialog::getFont(&ok, m_itemList->font(), this);
        if (ok)
            setListFont(f, m_listTextColor);
        return;
    }
    if (name == QLatin1String("cmdOpen")) {
        openSelection();
        return;
    }
    if (name == QLatin1String("cmdSettings")) {
        showSettingsDialog();
        return;
    }
    if (action->isCheckable() && SwitchCommands::isGeneric(name)) {
        MenuItem_Clicks(name);
        return;
    }
}

bool MainWindow::onStoreCommand(const QString &name, QAction *action)
{
    if (name == Component::CentralManagement || name == Component::PerFolderFiles) {
        const StorageMode mode =
            name == Component::PerFolderFiles ? StorageMode::PerFolder : StorageMode::Central;
        if (m_store->chooseMode(mode))
            Build_ListView(m_currentFolder);
        return true;
    }
    if (name == Component::TemporaryPerFolderFiles) {
        const bool rebuild = m_store->toggleTemporaryPerFolder();
        {
            action->setChecked(m_store->isTemporaryPerFolder());
        }
        if (rebuild)
            Build_ListView(m_currentFolder);
        return true;
    }
    if (name == Component::WriteCurrentFolderFile) {
        if (m_store->shellNamespaceMode()) {
            MessageBox::information(this, AnnotationStore::noFolderFileText());
            return true;
        }
        showStoreError(m_store->writeCurrentToFolderFile());
        return true;
    }
    if (name == Component::EditCurrentFolderFile) {
        const QString file = m_store->centralFileForEditing();
        if (!file.isEmpty())
            m_launcher->openWithDefault(file);
        return true;
    }
    if (name == QLatin1String("cmdMaintainIndex")) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const StoreResult r =
            m_store->AnnotationOp(m_currentFolder, QString(), QPoint(), -1, -1, OpMaintenance);
        QApplication::restoreOverrideCursor();
        showStoreError(r);
        Build_ListView(m_currentFolder);
        return true;
    }
    return false;
}

void MainWindow::showStoreError(const StoreResult &result)
{
    if (!result.ok && !result.error.isEmpty())
        MessageBox::information(this, result.error);
}

void MainWindow::MenuItem_Clicks(const QString &name)
{
    QAction *a = m_commands.action(name);
    if (!a)
        return;
    const bool on = a->isChecked();

    // 1. Special effects of the new mark.
    if (name == Component::ProtectFileNames) {
        m_itemList->setEditTriggers(on ? QAbstractItemView::NoEditTriggers
                                       : QAbstractItemView::EditKeyPressed |
                                             QAbstractItemView::SelectedClicked);
    } else if (name == Component::AcceptDrops) {
        m_itemList->setViewsAcceptDrops(on);
    } else if (name == Component::ResizeIcons) {
        if (on) {
            if (QAction *positions = m_commands.action(Component::KeepPositions)) {
                positions->setChecked(false);
            }
            m_settings.storeSetting(Component::KeepPositions, QStringLiteral("0"), true);
        }
    } else if (on && SwitchCommands::showsPageWhenOn(name)) {
        updateRightPane();
        if (QWidget *page = m_rightPages.value(name))
            m_rightPane->setCurrentWidget(page);
    }
    if (name == Component::FolderPane)
        m_rpgPane->setVisible(on);

    // 2. The right pane shows while any of its pages is on.
    if (SwitchCommands::isRightPanePage(name))
        updateRightPane();

    // 3. Store the mark at once.
    QString error;
    m_settings.storeSetting(name, on ? QStringLiteral("1") : QStringLiteral("0"), true, &error);
    if (!error.isEmpty())
        MessageBox::warning(this, QStringLiteral("設定ファイルに書き込めません: ") + error);

    // 4. Rebuild the list unless the command only changes a pane.
    if (SwitchCommands::rebuildsList(name)) {
        Build_ListView(m_currentFolder);
        if (name == Component::ResizeIcons)
            Build_ListView(m_currentFolder);
    }
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
        RecentUseLists(m_options.programFolder).record(opened, &error);
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
    m_listColor = color;
    m_listColorNumber = ColorValue::fromColor(color);
    // The settings list holds the choice, so applying the settings keeps it.
    m_settings.setValue(QStringLiteral("ListViewColor"), QString::number(m_listColorNumber));
    applyListPalette();
}

void MainWindow::applyListPalette()
{
    QPalette pal = m_itemList->palette();
    pal.setColor(QPalette::Base, m_listColor);
    pal.setColor(QPalette::Text, m_listTextColor);
    m_itemList->setPalette(pal);
}

QColor MainWindow::listTextColor() const
{
    return m_listTextColor;
}

QFont MainWindow::listFont() const
{
    return m_itemList->font();
}

void MainWindow::setListFont(const QFont &font, const QColor &textColor)
{
    QFont f = m_itemList->font();
    f.setFamily(font.family());
    f.setPointSize(font.pointSize());
    m_itemList->setFont(f);
    m_freeTree->setFont(f);
    QFont nameOnly = m_pathBox->font();
    nameOnly.setFamily(font.family());
    m_pathBox->setFont(nameOnly);
    m_commentMemo->setFont(nameOnly);
    m_listTextColor = textColor;
    m_listTextColorNumber = ColorValue::fromColor(textColor);
    m_settings.setValue(QStringLiteral("ListViewFontName"), f.family());
    m_settings.setValue(QStringLiteral("ListViewFontSize"), QString::number(f.pointSize()));
    m_settings.setValue(QStringLiteral("ListViewFontColor"),
                        QString::number(m_listTextColorNumber));
    applyListPalette();
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
    out << QStringLiteral("フォルダペイン: ") + onOff(m_leftPane->isHidden() == false)
        << QStringLiteral("ファイル: ") + onOff(m_centre->isHidden() == false)
        << QStringLiteral("右ペイン: ") + onOff(m_rightPane->isHidden() == false);
    for (QToolBar *bar : m_toolBars)
        out << QStringLiteral("ツールバー ") + bar->windowTitle() + QStringLiteral(": ") +
                   onOff(bar->isHidden() == false);
    out << QStringLiteral("自由にツリー: ") + onOff(m_freeTree->isHidden() == false);
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
    buildSettingsMenus();
    applyMarksAndDisplay();
    loadPlaceholders();
    if (rebuildList)
        Build_ListView(m_currentFolder);
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
    if (!m_closed) {
        m_shutdownLog.append(QStringLiteral("release gate"));
        m_closing = true;
        m_rpgView->releaseAll();
        runShutdown(ShutdownStep::ReleaseGate, m_settings.fileExists());
        FormClose();
    }
    event->accept();
}

void MainWindow::runShutdown(ShutdownStep stepId, bool withFiles)
{
    for (const auto &work : std::as_const(m_shutdownWork)) {
        if (work.first == stepId && work.second)
            work.second(withFiles);
    }
}

void MainWindow::FormClose()
{
    m_closed = true;
    m_closing = true;

    // 1. Stop the item list's own watch and idle work; shortcuts go with the hook.
    m_shutdownLog.append(QStringLiteral("stop list watch"));
    m_commands.bindShortcutsTo(nullptr);
    m_itemList->iconView()->removeEventFilter(this);
    m_itemList->detailsView()->removeEventFilter(this);
    m_folderWatch->stop();
    m_itemList->display().setAttached(false);
    statusBar()->removeEventFilter(this);
    runShutdown(ShutdownStep::StopListWatch, false);
    m_rpgView->stop();

    // 2. Without exe.ini no file is written; workers, timers and records are still
    //    stopped and freed below.
    //    An exe.ini that could not be read at start is not overwritten with defaults.
    const bool withFiles = m_settings.fileExists() && !m_settings.readFailed();
    m_shutdownLog.append(withFiles ? QStringLiteral("exe.ini exists")
                                   : QStringLiteral("no exe.ini"));

    // 3. Every folder watcher stops; emptied entries go.
    m_shutdownLog.append(QStringLiteral("stop watchers"));
    runShutdown(ShutdownStep::StopWatchers, withFiles);
    m_watchedFolders.removeAll(QString());

    // 4. Column widths.
    if (withFiles) {
        m_shutdownLog.append(QStringLiteral("store columns"));
        runShutdown(ShutdownStep::StoreColumns, withFiles);
    }

    // 5. The free tree text.
    if (withFiles) {
        m_shutdownLog.append(QStringLiteral("save free tree"));
        const QString treeFile = m_options.programFolder.file(m_freeTreeFileName);
        runShutdown(ShutdownStep::SaveFreeTree, withFiles);
        // A tree file that could not be read, at the start or now, is never written over.
        TextFile::ReadResult old;
        if (!m_freeTreeUnread)
            old = TextFile::read(treeFile);
        const bool readable = !m_freeTreeUnread && old.error.isEmpty();
        if (readable && (old.found || !m_freeTreeText.isEmpty())) {
            TextDocument doc = old.found ? old.document : TextDocument();
            doc.lines = m_freeTreeText;
            QString error;
            if (!TextFile::write(treeFile, doc, &error))
                MessageBox::warning(this, QStringLiteral("自由にツリーを保存できません: ") + error);
        }
    }

    // 6. Tool windows.
    m_shutdownLog.append(QStringLiteral("release tools"));
    runShutdown(ShutdownStep::ReleaseTools, withFiles);

    // 7. The free tree pane.
    m_shutdownLog.append(QStringLiteral("free tree pane"));
    runShutdown(ShutdownStep::FreeTreePane, withFiles);

    // 8. Item records.
    m_shutdownLog.append(QStringLiteral("free records"));
    runShutdown(ShutdownStep::FreeRecords, withFiles);
    m_itemList->list().clear();

    if (!withFiles)
        return;

    // 9. ToolBar.ini.
    m_shutdownLog.append(QStringLiteral("write ToolBar.ini"));
    {
        QString error;
        if (!ToolBarLayout::save(m_options.programFolder.file(ToolBarLayout::fileName()),
                                 toolBarStates(), &error))
            MessageBox::warning(this, QStringLiteral("ToolBar.ini を保存できません: ") + error);
    }

    // 10. State values into the settings list, then exe.ini.
    m_shutdownLog.append(QStringLiteral("write exe.ini"));
    storeStateValues();
    m_rpgView->storeRecord(m_settings);
    runShutdown(ShutdownStep::StoreState, withFiles);
    QString error;
    if (!m_settings.save(&error))
        MessageBox::warning(this, QStringLiteral("設定ファイルを保存できません: ") + error);
}

QList<ToolBarState> MainWindow::toolBarStates() const
{
    QList<ToolBarState> out;
    for (QToolBar *bar : m_toolBars) {
        ToolBarState s;
        s.name = bar->objectName();
        // With the whole area hidden, each bar keeps the visibility it had before.
        s.visible =
            m_toolBarAreaVisible ? !bar->isHidden() : !bar->property("kazariHidden").toBool();
        s.floating = bar->isFloating();
        s.width = bar->width();
        s.height = bar->height();
        s.left = bar->x();
        s.top = bar->y();
        s.dockSiteName = QStringLiteral("ControlBar1");
        out.append(s);
    }
    return out;
}

void MainWindow::storeStateValues()
{
    auto set = [this](const char *key, const QString &value) {
        m_settings.setValue(QLatin1String(key), value);
    };
    auto setInt = [this](const char *key, int value) {
        m_settings.setValue(QLatin1String(key), QString::number(value));
    };
    set("LastPath", m_currentFolder);
    QString address = m_browserAddress;
    if (!address.isEmpty() && !address.endsWith(QLatin1Char('/')))
        address += QLatin1Char('/');
    set("WebLastPath", address);
    setInt("GTree2Type", m_treeType);
    set("FreeTreeName", m_freeTreeFileName);
    const QRect g = normalGeometry().isValid() ? normalGeometry() : geometry();
    setInt("LastHeight", g.height());
    setInt("LastWidth", g.width());
    setInt("LastTop", frameGeometry().top());
    setInt("LastLeft", frameGeometry().left());
    setInt("IconSize", m_iconSizeSlider->value());
    if (!m_leftPane->isHidden())
        setInt("ShelltreeView1", m_leftPane->width());
    setInt("ShelltreeView1Height", m_rpgPane->height());
    setInt("LVWidth", m_centre->width());
    setInt("LVHeight", m_centre->height());
    if (!m_rightPane->isHidden()) {
        setInt("ViewWidth", m_rightPane->width());
        setInt("ViewHeight", m_rightPane->height());
    }
    if (!m_freeTree->isHidden()) {
        setInt("FreeTreeHeight", m_freeTree->height());
        setInt("TreeView2Height", m_freeTree->height());
    }
    set("TreePanel", !m_leftPane->isHidden() ? QStringLiteral("1") : QStringLiteral("0"));
    setInt("ListViewColor", m_listColorNumber);
    setInt("ListViewFontSize", m_itemList->font().pointSize());
    set("ListViewFontName", m_itemList->font().family());
    setInt("ListViewFontColor", m_listTextColorNumber);
}

} // namespace kazari
