#include "ui/app/maincommands.h"

#include "core/app/colorvalue.h"
#include "core/app/switchcommands.h"
#include "core/itemlist/viewstyle.h"
#include "ui/app/fontcolourdialog.h"
#include "ui/app/mainwindow.h"
#include "ui/app/messagebox.h"
#include "ui/app/panelayout.h"
#include "ui/app/toolbararea.h"
#include "ui/app/windowsettings.h"
#include "ui/itemlist/itemlistview.h"
#include "ui/rpg/rpgpanecommands.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QColorDialog>
#include <QTabBar>
#include <QToolBar>

namespace kazari
{

MainCommands::MainCommands(MainWindow &window)
    : m_w(window)
{
}

void MainCommands::run(const QString &name, QAction *action)
{
    for (const Handler &handler : std::as_const(m_handlers)) {
        if (handler(name, action))
            return;
    }
    if (ViewStyle::isViewCommand(name)) {
        m_w.m_builder->chooseViewStyle(name);
        return;
    }
    if (name == QLatin1String("cmdCycleViewStyle")) {
        const QString next = ViewStyle::nextInCycle(m_w.viewStyleCommand());
        if (!next.isEmpty())
            m_w.m_builder->chooseViewStyle(next);
        return;
    }
    if (name == QLatin1String("cmdRefresh")) {
        m_w.refreshList();
        return;
    }
    if (name == QLatin1String("cmdClearPosition")) {
        m_w.clearPositions();
        return;
    }
    if (name == Component::IconExtensions || name == Component::CaptionExtensions ||
        name == Component::SimpleIcons) {
        // The decoration master switches and the simple icons: store, then rebuild.
        m_w.m_settings.storeSetting(
            name, action->isChecked() ? QStringLiteral("1") : QStringLiteral("0"), true);
        if (name == Component::SimpleIcons)
            m_w.m_windowSettings->loadPlaceholders();
        m_w.m_windowSettings->applyDecorationSwitches();
        m_w.m_builder->rebuildKeepingSelection();
        return;
    }
    if (name.startsWith(QLatin1String("cmdToolBar")) && m_w.m_toolBars->bar(name.mid(3))) {
        // A tool bar's own command: no settings key, its state lives in ToolBar.ini.
        m_w.m_toolBars->bar(name.mid(3))->setVisible(action->isChecked());
        return;
    }
    if (name == Component::WholeToolBar) {
        m_w.m_toolBars->setAreaVisible(action->isChecked());
        m_w.m_settings.storeSetting(
            name, action->isChecked() ? QStringLiteral("1") : QStringLiteral("0"), true);
        return;
    }
    if (name == Component::KeepAtBack) {
        m_w.setWindowAtBack(action->isChecked());
        m_w.m_settings.storeSetting(
            name, action->isChecked() ? QStringLiteral("1") : QStringLiteral("0"), true);
        return;
    }
    if (runStoreCommand(name, action))
        return;
    if (name == Component::FloatingWindows) {
        // The folder pane with its splitter.
        m_w.m_panes->setFolderAreaShown(action->isChecked());
        return;
    }
    if (name == Component::FolderPaneButton) {
        // The tool button "フォルダ" runs the pane's menu command.
        if (QAction *pane = m_w.m_commands.action(Component::FolderPane)) {
            pane->setChecked(!pane->isChecked());
            MenuItem_Clicks(Component::FolderPane);
        }
        action->setChecked(!m_w.m_panes->gamePane()->isHidden());
        return;
    }
    if (name == Component::FolderTabs) {
        m_w.m_folderTabs->setVisible(action->isChecked());
        m_w.m_settings.storeSetting(
            name, action->isChecked() ? QStringLiteral("1") : QStringLiteral("0"), true);
        return;
    }
    if (name == QLatin1String("cmdBlackScreen")) {
        m_w.m_rpgCommands->toggleBlackPicture();
        action->setChecked(m_w.m_rpgCommands->blackPictureShown());
        return;
    }
    if (name == QLatin1String("cmdListColour")) {
        const QColor c = QColorDialog::getColor(m_w.m_listColor, &m_w);
        if (!c.isValid())
            return;
        m_w.m_listTextColor =
            ColorValue::brightness(c) >= 128 ? QColor(Qt::black) : QColor(Qt::white);
        m_w.m_listTextColorNumber = ColorValue::fromColor(m_w.m_listTextColor);
        m_w.setListColor(c);
        m_w.m_builder->rebuildKeepingSelection();
        return;
    }
    if (name == QLatin1String("cmdListFont")) {
        if (const auto chosen =
                FontColourDialog::ask(&m_w, m_w.m_itemList->font(), m_w.m_listTextColor))
            m_w.setListFont(chosen->font, chosen->colour);
        return;
    }
    if (name == QLatin1String("cmdOpen")) {
        m_w.openSelection();
        return;
    }
    if (name == QLatin1String("cmdSettings")) {
        m_w.showSettingsDialog();
        return;
    }
    if (action->isCheckable() && SwitchCommands::isGeneric(name)) {
        MenuItem_Clicks(name);
        return;
    }
}

bool MainCommands::runStoreCommand(const QString &name, QAction *action)
{
    if (name == Component::CentralManagement || name == Component::PerFolderFiles) {
        const StorageMode mode =
            name == Component::PerFolderFiles ? StorageMode::PerFolder : StorageMode::Central;
        if (m_w.m_store->chooseMode(mode))
            m_w.m_builder->rebuildKeepingSelection();
        return true;
    }
    if (name == Component::TemporaryPerFolderFiles) {
        const bool rebuild = m_w.m_store->toggleTemporaryPerFolder();
        {
            action->setChecked(m_w.m_store->isTemporaryPerFolder());
        }
        if (rebuild)
            m_w.m_builder->rebuildKeepingSelection();
        return true;
    }
    if (name == Component::WriteCurrentFolderFile) {
        if (m_w.m_store->shellNamespaceMode()) {
            MessageBox::information(&m_w, AnnotationStore::noFolderFileText());
            return true;
        }
        m_w.showStoreError(m_w.m_store->writeCurrentToFolderFile());
        return true;
    }
    if (name == Component::EditCurrentFolderFile) {
        const QString file = m_w.m_store->centralFileForEditing();
        if (!file.isEmpty())
            m_w.m_launcher->openWithDefault(file);
        return true;
    }
    if (name == QLatin1String("cmdMaintainIndex")) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const StoreResult r = m_w.m_store->AnnotationOp(m_w.currentFolder(), QString(), QPoint(),
                                                        -1, -1, OpMaintenance);
        QApplication::restoreOverrideCursor();
        m_w.showStoreError(r);
        m_w.m_builder->rebuildKeepingSelection();
        return true;
    }
    return false;
}

void MainCommands::MenuItem_Clicks(const QString &name)
{
    QAction *a = m_w.m_commands.action(name);
    if (!a)
        return;
    const bool on = a->isChecked();

    // 1. Special effects of the new mark.
    if (name == Component::ProtectFileNames) {
        m_w.m_itemList->setEditTriggers(on ? QAbstractItemView::NoEditTriggers
                                           : QAbstractItemView::EditKeyPressed |
                                                 QAbstractItemView::SelectedClicked);
    } else if (name == Component::AcceptDrops) {
        m_w.m_itemList->setViewsAcceptDrops(on);
    } else if (name == Component::ResizeIcons) {
        if (on) {
            if (QAction *positions = m_w.m_commands.action(Component::KeepPositions)) {
                positions->setChecked(false);
            }
            m_w.m_settings.storeSetting(Component::KeepPositions, QStringLiteral("0"), true);
        }
    }
    // 2. What the mark changes in the panes.
    m_w.m_panes->applySwitch(name, on);

    // 3. Store the mark at once.
    QString error;
    m_w.m_settings.storeSetting(name, on ? QStringLiteral("1") : QStringLiteral("0"), true, &error);
    if (!error.isEmpty())
        MessageBox::warning(&m_w, QStringLiteral("設定ファイルに書き込めません: ") + error);

    // 4. Rebuild the list unless the command only changes a pane.
    if (SwitchCommands::rebuildsList(name)) {
        m_w.m_builder->rebuildKeepingSelection();
        if (name == Component::ResizeIcons)
            m_w.m_builder->rebuildKeepingSelection();
    }
}

} // namespace kazari
