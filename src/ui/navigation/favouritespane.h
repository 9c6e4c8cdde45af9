#pragma once

#include "core/navigation/favourites.h"

#include <QPointer>
#include <QWidget>

#include <functional>
#include <optional>

class QAction;
class QLabel;
class QMenu;
class QModelIndex;
class QMimeData;
class QTreeView;

namespace kazari
{

class FavouritesModel;
class MainWindow;

/// The favourites pane ("よく使う項目") on its page of the right pane: two header lines
/// with the selected entry's name and path, the list `ListView2` over `pathlist.ini`, its
/// pop-up commands, drops of files (added as places) and entries dragged onto others
/// (reordered).
class FavouritesPane : public QWidget
{
    Q_OBJECT

public:
    /// Asks for a text: title, label, initial text; nothing when cancelled.
    using Prompt =
        std::function<std::optional<QString>(const QString &, const QString &, const QString &)>;

    explicit FavouritesPane(MainWindow &form);
    ~FavouritesPane() override;

    Favourites &favourites() { return m_favourites; }
    QTreeView *view() const { return m_view; }
    FavouritesModel *model() const { return m_model; }
    QMenu *popup() const { return m_popup; }
    /// The two header lines (display name, path).
    QString headerName() const;
    QString headerPath() const;

    /// The selected entry's line in `pathlist.ini`, or -1.
    int selectedLine() const;
    /// Selects the entry at a line and scrolls it into view.
    void selectLine(int line);

    /// Reads `pathlist.ini` again and shows it, selecting the entry that stood at line
    /// `selectLine` before (found again by its text, as loading may drop lines above it).
    void reload(int selectLine = -1);

    // The pop-up commands, on the selected entry.
    /// "開く" and double-click.
    void openSelected();
    /// "リンク先を探す".
    void findTarget();
    /// "現在の場所を追加".
    void addCurrentPlace();
    /// "選択の場所を追加" and "よく使う項目に追加": the items selected in the item list.
    void addSelectedItems();
    /// "カテゴリを作成".
    void createCategory();
    /// "名前の編集".
    void editName();
    /// "項目を上へ移動" / "項目を下へ移動".
    void moveSelected(int step);
    /// "削除".
    void removeSelected();

    /// Adds places (a drop onto the list): each that exists goes in with its comment as
    /// display name; paths that cannot be written into the file are refused with one
    /// message. Selects the last entry.
    void addPlaces(const QStringList &paths);
    /// Moves the entry at line `from` to the position of the entry at `to` (an entry
    /// dragged onto another).
    void reorder(int from, int to);

    /// Replaces the input box of "名前の編集" (tests).
    void setPrompt(Prompt prompt) { m_prompt = std::move(prompt); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void buildPopup();
    void showHeader();
    bool acceptsDrag(const QMimeData *mime) const;
    void dropped(const QMimeData *mime, const QPoint &at);
    void report(const QString &error);
    QString commentOf(const QString &path);
    void shake(const QModelIndex &item);

    MainWindow &m_form;
    Favourites m_favourites;
    QLabel *m_name = nullptr;
    QLabel *m_path = nullptr;
    QTreeView *m_view = nullptr;
    FavouritesModel *m_model = nullptr;
    QMenu *m_popup = nullptr;
    Prompt m_prompt;
    QPointer<QWidget> m_shaking;
};

} // namespace kazari
