#include "ui/app/listbuilder.h"

#include "core/annotations/annotationvalues.h"
#include "core/app/shelllocation.h"
#include "core/decoration/builtinpictures.h"
#include "core/decoration/itempicturecomposer.h"
#include "core/itemlist/folderchangewatch.h"
#include "core/itemlist/pathlistfile.h"
#include "core/itemlist/viewstyle.h"
#include "ui/app/mainwindow.h"
#include "ui/app/windowsettings.h"
#include "ui/itemlist/deferreddisplay.h"
#include "ui/itemlist/itemiconsource.h"
#include "ui/itemlist/itemlistview.h"
#include "ui/itemlist/listpictures.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QScrollBar>

namespace kazari
{

namespace
{

QString withoutTrailingSlash(QString path)
{
    while (path.size() > 1 && path.endsWith(QLatin1Char('/')))
        path.chop(1);
    return path;
}

} // namespace

ListBuilder::ListBuilder(MainWindow &window)
    : m_w(window)
{
}

void ListBuilder::Build_ListView(const QString &folder)
{
    if (m_w.m_closed)
        return;
    // Going to a folder (path box, Up, tabs, drive bar, favourites...) leaves the found list.
    m_foundListMode = false;
    m_w.m_switchPanel->clear();
    m_w.m_folderWatch->stop();
    if (folder.isEmpty()) {
        // No location: an empty list.
        m_currentFolder.clear();
        m_w.m_itemList->list().clear();
        m_w.statusField(MainWindow::DFCount)->setText(QStringLiteral("D: - F: -"));
        m_w.statusField(MainWindow::Showed)->setText(QStringLiteral("0"));
        m_w.statusField(MainWindow::FindFileName)->clear();
        m_w.statusField(MainWindow::FileOp)->setText(QStringLiteral("-"));
        m_w.m_progress->setRange(0, 1);
        m_w.m_progress->setValue(0);
        return;
    }
    if (ShellLocation::isShellLocation(folder) || ShellLocation::isWindowsPath(folder) ||
        !QDir::isAbsolutePath(folder) || !QFileInfo(withoutTrailingSlash(folder)).isDir()) {
        buildNameSpace(folder);
        return;
    }
    buildFolderList(AnnotationStore::folderKey(folder));
}

ListBuildOptions ListBuilder::listBuildOptions() const
{
    ListBuildOptions o;
    o.enumeration.showHidden = m_w.m_settings.isOn(Component::ShowHiddenFiles);
    o.enumeration.showSystem = m_w.m_settings.isOn(Component::ShowSystemFiles);
    o.enumeration.mask = m_fileMask;
    o.annotationFilter = m_annotationFilter;
    o.positions = m_w.m_settings.isOn(Component::KeepPositions) &&
                  !m_w.m_settings.isOn(Component::NewListEngine);
    return o;
}

ItemListLook ListBuilder::lookFor(const QString &command, bool fixed) const
{
    ItemListLook look;
    look.style = ViewStyle::listStyleOf(command);
    look.treeList = !fixed && command == Component::ViewTreeList;
    look.flags = DecorationFlags::fromSettings(m_w.m_settings);
    look.flags.iconSize = std::clamp(m_w.m_iconSizeSlider->value(), DecorationFlags::MinIconSize,
                                     DecorationFlags::MaxIconSize);
    look.flags.largeIconView = look.style == ListStyle::LargeIcons;
    look.flags.treeList = look.treeList;
    look.flags.taskColumns = !fixed && command == Component::ViewTaskDetails;
    if (!fixed && command == Component::ViewThumbnails) {
        // "縮小版": picture contents at the slider's size.
        look.flags.thumbnails = true;
        look.flags.customIconSize = true;
    }
    look.flags.namespaceMode = m_w.m_store->shellNamespaceMode();
    look.palette = CaptionPalette::fromSettings(m_w.m_settings);
    look.background = m_w.m_listColor;
    look.text = m_w.m_listTextColor;
    const bool iconStyle =
        look.style == ListStyle::LargeIcons || look.style == ListStyle::SmallIcons;
    look.positions =
        iconStyle && m_w.m_settings.isOn(Component::KeepPositions) && !look.flags.ownerData;
    look.dragMoves = look.positions && !m_w.m_settings.isOn(Component::AcceptDrops);
    look.gridLines = m_w.m_settings.isOn(Component::GridLines);
    // The label, seal and placeholder pictures are read once (at start-up and when the
    // settings change), not at every build; only another size reads them again.
    const auto key = std::make_pair(look.flags.simpleIcons, look.flags.largeSize());
    if (!m_pictures || m_picturesKey != key) {
        ItemListLook loaded = look;
        ListPictures::load(loaded, m_w.m_settings, m_w.m_options.programFolder);
        m_pictures = loaded;
        m_picturesKey = key;
    }
    look.placeholderLarge = m_pictures->placeholderLarge;
    look.placeholderSmall = m_pictures->placeholderSmall;
    look.labelsLarge = m_pictures->labelsLarge;
    look.labelsSmall = m_pictures->labelsSmall;
    look.seals = m_pictures->seals;
    return look;
}

void ListBuilder::applyListFileMenus()
{
    // A list file's lines are no folder: the menus that work on files, the view and the
    // decorations are off while it is shown. Leaving it turns the file, edit and view
    // menus on again; the decoration menus follow their master switches.
    m_w.m_windowSettings->applyDecorationSwitches();
    auto setMenus = [this](const QStringList &names, bool on) {
        for (const QString &name : names) {
            for (QMenu *menu : m_w.m_commands.menus(name))
                menu->menuAction()->setEnabled(on);
        }
    };
    setMenus({QStringLiteral("FileMenu"), QStringLiteral("EditMenu"), QStringLiteral("ViewMenu")},
             !m_listFileMode);
    if (m_listFileMode)
        setMenus(
            {QStringLiteral("MaskMenu"), QStringLiteral("SealMenu"), QStringLiteral("LabelMenu")},
            false);
}

void ListBuilder::showFolderIcon(const QString &folder)
{
    const QString native = withoutTrailingSlash(folder);
    const QImage icon = m_w.m_itemList->icons().iconOfPath(native, 16);
    const std::optional<qint32> tint = AnnotationValues::parseOneColour(
        m_w.m_store->GetByPath(native, QStringLiteral("_oneColor")));
    m_w.m_folderImage->setPixmap(
        QPixmap::fromImage(ItemPictureComposer::headerIcon(icon, m_w.m_listColor, tint)));
}

void ListBuilder::buildFolderList(const QString &key)
{
    QElapsedTimer timer;
    timer.start();
    const bool ownerData = m_w.m_settings.isOn(Component::NewListEngine);
    m_w.m_secondaryStatus->setText(ownerData ? QStringLiteral("Owner Draw mode")
                                             : QStringLiteral("Build ListView mode"));
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_w.m_itemList->display().setAttached(false);
    m_listFileMode = false;
    m_searchResults = false;

    m_currentFolder = key;
    const QString shown = withoutTrailingSlash(key);
    const QString name =
        QFileInfo(shown).fileName().isEmpty() ? shown : QFileInfo(shown).fileName();
    m_w.setWindowTitle((m_w.m_titleFullPath ? shown : name) + QStringLiteral("   ") +
                       MainWindow::productDescription());
    m_w.m_pathBox->setEditText(shown);
    m_w.m_pathBox->setToolTip(shown);
    m_w.m_itemList->setToolTip(shown);
    m_w.statusField(MainWindow::Showed)->setText(QStringLiteral("0"));
    m_w.m_progress->setValue(0);
    showFolderIcon(key);

    const ListBuildResult result = m_w.m_itemList->list().buildFolder(key, listBuildOptions());
    if (!result.storeError.isEmpty())
        m_w.statusField(MainWindow::SysMsg)->setText(result.storeError);
    if (QAction *temporary = m_w.m_commands.action(Component::TemporaryPerFolderFiles))
        temporary->setChecked(m_w.m_store->isTemporaryPerFolder());

    m_w.statusField(MainWindow::FindFileName)->setText(m_fileMask);
    m_w.statusField(MainWindow::DFCount)
        ->setText(QStringLiteral("D:%1 + F:%2 = %3")
                      .arg(result.folders)
                      .arg(result.files)
                      .arg(result.folders + result.files));
    const bool fixed = result.folderStyle.has_value();
    const QString command = fixed ? ViewStyle::commandOf(*result.folderStyle) : m_viewCommand;
    m_w.m_folderWatch->setFolder(shown);
    m_w.m_folderWatch->start();
    finishBuild(command, fixed, timer);
    Q_EMIT m_w.folderShown(key);
}

void ListBuilder::buildPathList(const QStringList &paths, ItemListMode mode, const QString &title)
{
    QElapsedTimer timer;
    timer.start();
    m_w.m_secondaryStatus->setText(QStringLiteral("Build ListView mode"));
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_w.m_folderWatch->stop();
    m_w.m_itemList->display().setAttached(false);
    m_searchResults = true;
    if (m_currentFolder.isEmpty() || ShellLocation::isShellLocation(m_currentFolder))
        m_currentFolder = AnnotationStore::folderKey(m_w.m_options.programFolder.path());
    m_w.setWindowTitle(title + QStringLiteral("   ") + MainWindow::productDescription());
    m_w.statusField(MainWindow::Showed)->setText(QStringLiteral("0"));
    m_w.m_progress->setValue(0);
    const ListBuildResult result =
        m_w.m_itemList->list().buildPaths(m_currentFolder, paths, mode, listBuildOptions());
    if (!result.storeError.isEmpty())
        m_w.statusField(MainWindow::SysMsg)->setText(result.storeError);
    m_w.statusField(MainWindow::DFCount)
        ->setText(QStringLiteral("D:%1 + F:%2 = %3")
                      .arg(result.folders)
                      .arg(result.files)
                      .arg(result.folders + result.files));
    finishBuild(m_viewCommand, false, timer);
}

void ListBuilder::showFoundList()
{
    m_foundListMode = true;
    m_listFileMode = false;
    buildPathList(
        PathListFile::readFoundList(m_w.m_options.programFolder.file(QStringLiteral("Found.txt"))),
        ItemListMode::FoundList, QStringLiteral("検索結果"));
}

void ListBuilder::showSearchResults(const QStringList &paths)
{
    m_listFileMode = false;
    buildPathList(paths, ItemListMode::SearchResult, QStringLiteral("検索結果"));
}

void ListBuilder::showListFile(const QString &file)
{
    m_listFile = file;
    m_listFileMode = true;
    buildPathList(PathListFile::readListFile(file), ItemListMode::ListFile,
                  QStringLiteral("リスト: ") + QFileInfo(file).fileName());
}

void ListBuilder::buildNameSpace(const QString &location)
{
    QElapsedTimer timer;
    timer.start();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_w.m_secondaryStatus->setText(QStringLiteral("NameSpace mode"));
    m_w.m_itemList->display().setAttached(false);
    m_listFileMode = false;
    m_searchResults = false;
    m_currentFolder = location;
    m_w.statusField(MainWindow::Showed)->setText(QStringLiteral("0"));
    m_w.m_progress->setValue(0);
    const ListBuildResult result = m_w.m_itemList->list().buildLocation(location);
    if (!result.storeError.isEmpty())
        m_w.statusField(MainWindow::SysMsg)->setText(result.storeError);
    const QString title = result.displayName;
    m_w.m_itemList->setToolTip(title);
    m_w.m_pathBox->setEditText(title);
    m_w.m_pathBox->setToolTip(title);
    m_w.setWindowTitle(title + QStringLiteral("   ") + MainWindow::productDescription());
    m_w.m_folderImage->setPixmap(QPixmap::fromImage(BuiltinPictures::folder(16, 0)));
    for (MainWindow::StatusField f : {MainWindow::DFCount, MainWindow::Notification,
                                      MainWindow::FindFileName, MainWindow::SysMsg})
        m_w.statusField(f)->clear();
    // A location that cannot be parsed lists nothing, and says so.
    if (!result.listed)
        m_w.statusField(MainWindow::DFCount)->setText(QStringLiteral("D:0 + F:0 = 0"));
    finishBuild(m_viewCommand, false, timer);
    // The elapsed time is not shown for a virtual location.
    m_w.statusField(MainWindow::FileOp)->clear();
    Q_EMIT m_w.folderShown(location);
}

void ListBuilder::finishBuild(const QString &command, bool fixed, const QElapsedTimer &timer)
{
    m_viewStyleFixed = fixed;
    const ItemListLook look = lookFor(command, fixed);
    m_w.m_itemList->setEnumerationOptions(listBuildOptions().enumeration);
    m_w.m_itemList->setLook(look);
    m_w.m_titleLabel->setText(QStringLiteral("     FILE") +
                              (fixed ? QStringLiteral(" [ ビュー表示固定 ]") : QString()));
    m_w.statusField(MainWindow::FileOp)
        ->setText(QString::asprintf("%f秒", double(timer.nsecsElapsed()) / 1e9));
    onShowedChanged(m_w.m_itemList->list().showedCount());
    applyListFileMenus();
    m_w.m_itemList->display().setAttached(true);
    QApplication::restoreOverrideCursor();
    Q_EMIT m_w.listBuilt();
}

void ListBuilder::onShowedChanged(int showed)
{
    m_w.statusField(MainWindow::Showed)->setText(QString::number(showed));
    m_w.m_progress->setRange(0, std::max(1, m_w.m_itemList->list().count()));
    m_w.m_progress->setValue(std::min(showed, m_w.m_itemList->list().count()));
}

void ListBuilder::chooseViewStyle(const QString &name)
{
    QAction *chosen = m_w.m_commands.action(name);
    if (name == m_viewCommand) {
        // The marked command stays marked and nothing changes.
        if (chosen)
            chosen->setChecked(true);
        return;
    }
    for (const QString &other : ViewStyle::commands()) {
        if (other == name)
            continue;
        if (QAction *a = m_w.m_commands.action(other))
            a->setChecked(false);
        m_w.m_settings.storeSetting(other, QStringLiteral("0"), true);
    }
    if (chosen)
        chosen->setChecked(true);
    m_w.m_settings.storeSetting(name, QStringLiteral("1"), true);
    m_viewCommand = name;
    rebuildKeepingSelection();
}

void ListBuilder::rebuildKeepingSelection()
{
    const QStringList selected = m_w.m_itemList->selectedPaths();
    const QString current = m_w.m_itemList->currentPath();
    QAbstractItemView *before = m_w.itemList();
    const int scroll = before->verticalScrollBar()->value();
    if (m_listFileMode)
        showListFile(m_listFile);
    else if (m_foundListMode)
        showFoundList();
    else
        Build_ListView(m_currentFolder);
    m_w.m_itemList->selectPaths(selected, current);
    if (m_w.itemList() == before)
        before->verticalScrollBar()->setValue(scroll);
}

void ListBuilder::refreshList()
{
    if (!m_listFileMode) {
        m_foundListMode = false;
        m_searchResults = false;
    }
    rebuildKeepingSelection();
}

void ListBuilder::currentFolderChanged(const FolderChanges &changes)
{
    ItemList &list = m_w.m_itemList->list();
    if (m_w.m_closed || list.mode() != ItemListMode::Folder)
        return;
    const ChangeVerdict verdict = list.judgeChanges(changes, listBuildOptions().enumeration);
    if (verdict.rebuild) {
        rebuildKeepingSelection();
        return;
    }
    for (int row : verdict.reshow)
        m_w.m_itemList->reshowRow(row);
}

} // namespace kazari
