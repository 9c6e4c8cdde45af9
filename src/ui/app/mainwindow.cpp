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
    m_panes->splitter()->setSizes({qMax(40, leftWidth), qMax(40, listWidth), qMax(40, viewWidth)});
    const int leftHeight = m_settings.integer(QStringLiteral("ShelltreeView1Height"), 100);
    const int treeHeight = m_settings.integer(QStringLiteral("FreeTreeHeight"),
                                              qMax(1, m_panes->freeTree()->height() / 2));
    m_panes->folderArea()->setSizes({qMax(40, leftHeight), qMax(20, treeHeight)});
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
    m_panes->freeTree()->setFont(font);
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
    m_toolBars->setAreaVisible(m_settings.isOn(Component::WholeToolBar));
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
    m_builder->forgetPictures();
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
    m_builder->setViewCommand(ViewStyle::marked(m_settings));
    m_panes->applyStored();
}

void MainWindow::loadFolderHistory()
{
    m_navigation->loadFolderHistory();
}

// ---------------------------------------------------------------------------------------
// Running

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
    m_panes->freeTree()->setFont(f);
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
    buildSettingsMenus();
    applyMarksAndDisplay();
    loadPlaceholders();
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
