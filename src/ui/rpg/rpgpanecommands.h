#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

class QAction;
class QSplitter;

namespace kazari
{

/// The folder pane's commands for the main window's menu and tool buttons:
///
/// - `path1` ("フォルダビューの表示", Ctrl+5; also `ToolButton71` and `ToolButton5`):
///   shows or hides the folder pane (`Panel8`). Showing it in a splitter gives it back
///   a width when it had none. The game keeps running while the pane is hidden.
/// - The black picture command: covers the item list (`ListView1`) with a black picture
///   (`Image8`) filling the same place, and uncovers it again; nothing else changes.
///
/// The main window creates one with its pane and item list and connects its actions
/// (or calls the slots from its own).
class RpgPaneCommands : public QObject
{
    Q_OBJECT

public:
    RpgPaneCommands(QWidget *pane, QWidget *itemList, QObject *parent = nullptr);
    ~RpgPaneCommands() override;

    /// `path1`: checkable, checked while the pane shows.
    QAction *paneAction() const { return m_paneAction; }
    /// The black picture command: checkable, checked while the item list is covered.
    QAction *blackPictureAction() const { return m_blackAction; }

    bool blackPictureShown() const;

    /// A pane in a splitter that has no room there gets its width (or height) back,
    /// taken from its neighbour, so showing it always shows it.
    static void giveRoom(QWidget *pane);

public Q_SLOTS:
    void togglePane();
    void setPaneShown(bool shown);
    void toggleBlackPicture();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QPointer<QWidget> m_pane;
    QPointer<QWidget> m_itemList;
    QPointer<QWidget> m_black;
    QAction *m_paneAction = nullptr;
    QAction *m_blackAction = nullptr;
};

} // namespace kazari
