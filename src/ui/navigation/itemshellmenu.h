#pragma once

#include <QObject>
#include <QPoint>
#include <QStringList>

class QAction;
class QMenu;

namespace kazari
{

class ItemOpener;
class MainWindow;

/// Kazari's own pop-up in place of the desktop's menu for items ("エクスプローラのメニュー",
/// tool button "シェルポップアップ", F10): open, open with, cut, copy, paste, trash, copy
/// path and properties for the selected items, or for the current folder itself when
/// nothing is selected. Also carries out the edit menu's "切り取り", "コピー", "貼り付け"
/// and the file menu's "プロパティ" and "リンクの作成".
///
/// Cut and copy put the items on the clipboard the way the desktop's file managers
/// exchange them, so a paste here or there moves or copies them. Paste copies or moves
/// through the program's file operations, so annotations follow the items.
class ItemShellMenu : public QObject
{
    Q_OBJECT

public:
    ItemShellMenu(MainWindow &form, ItemOpener &opener);

    /// The items the menu acts on: the selection, or the current folder.
    QStringList targets() const;
    /// Fills the pop-up for the present selection and returns it (not shown).
    QMenu *build();
    /// Shows the pop-up at a screen position.
    void popup(const QPoint &globalPos);

    void cut();
    void copy();
    /// Copies or moves the items on the clipboard into the current folder.
    void paste();
    void copyPath();
    /// The detail information window for the first item.
    void properties();
    /// "リンクの作成": a symbolic link to each selected item beside it, named
    /// "<name> へのリンク" (with " (2)" and so on when taken). Returns the links made.
    QStringList createLinks();

private:
    bool onCommand(const QString &name, QAction *action);
    /// The current folder when the list shows a folder of the file system.
    QString pasteFolder() const;
    void putOnClipboard(const QStringList &paths, bool cut);

    MainWindow &m_form;
    ItemOpener &m_opener;
    QMenu *m_menu = nullptr;
};

} // namespace kazari
