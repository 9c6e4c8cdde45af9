#include "ui/app/windowlifecycle.h"

#include "core/app/firstfolder.h"
#include "core/decoration/builtinpictures.h"
#include "core/itemlist/folderchangewatch.h"
#include "core/platform/textfile.h"
#include "ui/app/appevents.h"
#include "ui/app/listbuilder.h"
#include "ui/app/messagebox.h"
#include "ui/app/panelayout.h"
#include "ui/app/splashwindow.h"
#include "ui/app/toolbararea.h"
#include "ui/app/windowsettings.h"
#include "ui/itemlist/deferreddisplay.h"
#include "ui/itemlist/itemlistview.h"
#include "ui/navigation/navigationcontroller.h"
#include "ui/rpg/rpgview.h"
#include "ui/tasks/taskcommands.h"
#include "ui/viewer/columncontroller.h"
#include "ui/viewer/filtercommands.h"
#include "ui/viewer/selectiondetails.h"
#include "ui/viewer/sortcommands.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QListView>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QTreeView>
#include <QTreeWidget>

namespace kazari
{

WindowLifecycle::WindowLifecycle(MainWindow &window)
    : m_w(window)
{
}

void WindowLifecycle::close()
{
    if (m_w.m_closed)
        return;
    m_shutdownLog.append(QStringLiteral("release gate"));
    m_w.m_closing = true;
    m_w.m_panes->rpgView()->releaseAll();
    runShutdown(ShutdownStep::ReleaseGate, m_w.m_settings.fileExists());
    FormClose();
}

void WindowLifecycle::FormCreate()
{
    step(QStringLiteral("起動開始"));
    if (QToolBar *spare = m_w.toolBar(QStringLiteral("ToolBar7")))
        spare->hide();
    if (QToolBar *action = m_w.toolBar(QStringLiteral("ActionToolBar1")))
        action->hide();
    m_w.m_panes->rpgView()->start();
    m_w.m_osText = QSysInfo::prettyProductName();
    m_w.statusField(MainWindow::SysMsg)->setText(m_w.m_osText);

    step(QStringLiteral("メッセージセット"));
    AppEvents::registerAll();
    {
        const TextFile::ReadResult watched = TextFile::read(
            m_w.m_options.programFolder.file(QStringLiteral("ChangeNotificationList.txt")));
        if (watched.found) {
            for (const QString &line : watched.document.lines) {
                if (!line.trimmed().isEmpty())
                    m_w.m_watchedFolders.append(line);
            }
        }
    }
    m_w.m_commands.bindShortcutsTo(m_w.itemList());
    m_w.m_listFocused = false;
    m_w.m_freeTreeFileName = QStringLiteral("FreeTree.ini");
    m_w.m_pathListFileName = QStringLiteral("pathlist.ini");

    step(QStringLiteral("アプリケーション初期化"));
    m_w.m_closing = false;
    m_w.placeProgressBar();
    m_w.m_builder->setFileMask(QStringLiteral("*"));
    m_w.statusField(MainWindow::FindFileName)->setText(m_w.fileMask());
    m_w.m_folderImage->setPixmap(QPixmap::fromImage(BuiltinPictures::folder(16, 0)));
    if (!m_w.m_toolBars->bars().isEmpty())
        m_w.m_toolBars->bars().first()->setWindowTitle(m_w.windowTitle());

    step(QStringLiteral("自由にツリーを読み込み"));
    m_w.readFreeTree();

    step(QStringLiteral("設定を読み込み"));
    {
        QString error;
        if (!m_w.m_settings.load(&error) && !error.isEmpty())
            MessageBox::warning(&m_w, QStringLiteral("設定ファイルを読めません: ") + error);
        m_w.m_store->reloadModeFromSettings();
        m_w.m_panes->rpgView()->applyRecord(m_w.m_settings);
    }

    step(QStringLiteral("ツールバー状態設定"));
    {
        m_w.m_toolBars->restore(m_w.m_options.programFolder.file(ToolBarLayout::fileName()));
        m_w.m_toolBars->syncMarks(m_w.m_commands);
    }

    step(QStringLiteral("有効ドライブ"));
    m_w.buildDriveBar();

    step(QStringLiteral("ウインドウ属性セット"));
    m_w.m_windowSettings->applyWindowAttributes();

    step(QStringLiteral("メニュー作成"));
    m_w.m_windowSettings->buildSettingsMenus();

    step(QStringLiteral("表示系初期設定"));
    m_w.m_windowSettings->applyMarksAndDisplay();

    step(QStringLiteral("アイコン読み込み"));
    m_w.m_windowSettings->loadPlaceholders();

    m_w.applyViewAndPanes();

    step(QStringLiteral("自由にツリーの準備"));
    prepareFreeTree();

    step(QStringLiteral("フォルダ履歴"));
    m_w.loadFolderHistory();

    ColumnController::install(m_w);
    SortCommands::install(m_w);
    FilterCommands::install(m_w);
    SelectionDetails::install(m_w);
    TaskCommands::install(m_w);
    openFirstFolder();
}

void WindowLifecycle::step(const QString &text)
{
    m_startupLog.append(text);
    if (m_w.m_splash)
        m_w.m_splash->setStatus(text);
}

void WindowLifecycle::prepareFreeTree()
{
    QAction *treeButton = m_w.m_commands.action(Component::FreeTreePane);
    if (m_w.m_treeType == 1 || m_w.m_treeType == 4) {
        if (treeButton) {
            treeButton->setChecked(true);
        }
        m_w.m_panes->freeTree()->show();
    }
    QAction *floating = m_w.m_commands.action(Component::FloatingWindows);
    if (m_w.m_settings.value(QStringLiteral("TreePanel")) == QLatin1String("1")) {
        m_w.m_panes->folderArea()->show();
        if (floating) {
            floating->setChecked(true);
        }
    } else {
        m_w.m_panes->folderArea()->hide();
        if (floating) {
            floating->setChecked(false);
        }
        if (treeButton) {
            treeButton->setChecked(false);
        }
    }
}

void WindowLifecycle::openFirstFolder()
{
    const QString lastPath = m_w.m_settings.readFromFile(QStringLiteral("LastPath"));
    const FirstFolder first =
        FirstFolder::choose(m_w.m_options.arguments, lastPath, m_w.m_options.programFolder.path());
    if (first.kind == FirstFolder::FoundList) {
        m_w.m_builder->setCurrentFolder(first.path);
        m_w.showFoundList();
        return;
    }
    m_w.Build_ListView(first.path);
}

void WindowLifecycle::onShutdown(ShutdownStep step, std::function<void(bool)> work)
{
    m_shutdownWork.append({step, std::move(work)});
}

void WindowLifecycle::runShutdown(ShutdownStep stepId, bool withFiles)
{
    for (const auto &work : std::as_const(m_shutdownWork)) {
        if (work.first == stepId && work.second)
            work.second(withFiles);
    }
}

void WindowLifecycle::FormClose()
{
    m_w.m_closed = true;
    m_w.m_closing = true;

    // 1. Stop the item list's own watch and idle work; shortcuts go with the hook.
    m_shutdownLog.append(QStringLiteral("stop list watch"));
    m_w.m_commands.bindShortcutsTo(nullptr);
    m_w.m_itemList->iconView()->removeEventFilter(&m_w);
    m_w.m_itemList->detailsView()->removeEventFilter(&m_w);
    m_w.m_folderWatch->stop();
    m_w.m_itemList->display().setAttached(false);
    m_w.statusBar()->removeEventFilter(&m_w);
    runShutdown(ShutdownStep::StopListWatch, false);
    m_w.m_panes->rpgView()->stop();

    // 2. Without exe.ini no file is written; workers, timers and records are still
    //    stopped and freed below.
    //    An exe.ini that could not be read at start is not overwritten with defaults.
    const bool withFiles = m_w.m_settings.fileExists() && !m_w.m_settings.readFailed();
    m_shutdownLog.append(withFiles ? QStringLiteral("exe.ini exists")
                                   : QStringLiteral("no exe.ini"));

    // 3. Every folder watcher stops; emptied entries go.
    m_shutdownLog.append(QStringLiteral("stop watchers"));
    runShutdown(ShutdownStep::StopWatchers, withFiles);
    m_w.m_watchedFolders.removeAll(QString());

    // 4. Column widths.
    if (withFiles) {
        m_shutdownLog.append(QStringLiteral("store columns"));
        runShutdown(ShutdownStep::StoreColumns, withFiles);
    }

    // 5. The free tree text.
    if (withFiles) {
        m_shutdownLog.append(QStringLiteral("save free tree"));
        const QString treeFile = m_w.m_options.programFolder.file(m_w.m_freeTreeFileName);
        runShutdown(ShutdownStep::SaveFreeTree, withFiles);
        // A tree file that could not be read, at the start or now, is never written over.
        TextFile::ReadResult old;
        if (!m_w.m_freeTreeUnread)
            old = TextFile::read(treeFile);
        const bool readable = !m_w.m_freeTreeUnread && old.error.isEmpty();
        if (readable && (old.found || !m_w.m_freeTreeText.isEmpty())) {
            TextDocument doc = old.found ? old.document : TextDocument();
            doc.lines = m_w.m_freeTreeText;
            QString error;
            if (!TextFile::write(treeFile, doc, &error))
                MessageBox::warning(&m_w, QStringLiteral("自由にツリーを保存できません: ") + error);
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
    m_w.m_itemList->list().clear();

    if (!withFiles)
        return;

    // 9. ToolBar.ini.
    m_shutdownLog.append(QStringLiteral("write ToolBar.ini"));
    {
        QString error;
        if (!ToolBarLayout::save(m_w.m_options.programFolder.file(ToolBarLayout::fileName()),
                                 m_w.m_toolBars->states(), &error))
            MessageBox::warning(&m_w, QStringLiteral("ToolBar.ini を保存できません: ") + error);
    }

    // 10. State values into the settings list, then exe.ini.
    m_shutdownLog.append(QStringLiteral("write exe.ini"));
    storeStateValues();
    m_w.m_panes->rpgView()->storeRecord(m_w.m_settings);
    runShutdown(ShutdownStep::StoreState, withFiles);
    QString error;
    if (!m_w.m_settings.save(&error))
        MessageBox::warning(&m_w, QStringLiteral("設定ファイルを保存できません: ") + error);
}

void WindowLifecycle::storeStateValues()
{
    auto set = [this](const char *key, const QString &value) {
        m_w.m_settings.setValue(QLatin1String(key), value);
    };
    auto setInt = [this](const char *key, int value) {
        m_w.m_settings.setValue(QLatin1String(key), QString::number(value));
    };
    set("LastPath", m_w.currentFolder());
    QString address = m_w.m_browserAddress;
    if (!address.isEmpty() && !address.endsWith(QLatin1Char('/')))
        address += QLatin1Char('/');
    set("WebLastPath", address);
    setInt("GTree2Type", m_w.m_treeType);
    set("FreeTreeName", m_w.m_freeTreeFileName);
    const QRect g = m_w.normalGeometry().isValid() ? m_w.normalGeometry() : m_w.geometry();
    setInt("LastHeight", g.height());
    setInt("LastWidth", g.width());
    setInt("LastTop", m_w.frameGeometry().top());
    setInt("LastLeft", m_w.frameGeometry().left());
    setInt("IconSize", m_w.m_iconSizeSlider->value());
    if (!m_w.m_panes->folderArea()->isHidden())
        setInt("ShelltreeView1", m_w.m_panes->folderArea()->width());
    setInt("ShelltreeView1Height", m_w.m_panes->gamePane()->height());
    setInt("LVWidth", m_w.m_panes->listPane()->width());
    setInt("LVHeight", m_w.m_panes->listPane()->height());
    if (!m_w.m_panes->rightPane()->isHidden()) {
        setInt("ViewWidth", m_w.m_panes->rightPane()->width());
        setInt("ViewHeight", m_w.m_panes->rightPane()->height());
    }
    if (!m_w.m_panes->freeTree()->isHidden()) {
        setInt("FreeTreeHeight", m_w.m_panes->freeTree()->height());
        setInt("TreeView2Height", m_w.m_panes->freeTree()->height());
    }
    set("TreePanel",
        !m_w.m_panes->folderArea()->isHidden() ? QStringLiteral("1") : QStringLiteral("0"));
    setInt("ListViewColor", m_w.m_listColorNumber);
    setInt("ListViewFontSize", m_w.m_itemList->font().pointSize());
    set("ListViewFontName", m_w.m_itemList->font().family());
    setInt("ListViewFontColor", m_w.m_listTextColorNumber);
}

} // namespace kazari
