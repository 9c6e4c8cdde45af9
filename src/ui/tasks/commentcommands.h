#pragma once

#include <QLineEdit>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QAction;
class QPlainTextEdit;
class QWidget;

namespace kazari
{

class MainWindow;

/// The comments of the main window: the comment box below the item list, "コメント入力"
/// for the selected items or the current folder itself, the quick comment field over the
/// selected item ("クイックコメント"), the item tips with the comment and the task
/// fields ("ヒントチップでコメントとタスクを表示"), "コメントセット", "ひらがな入力" and
/// "コメント/タスクの編集".
///
/// The comment box is bound to the item it was filled for (by its full path) and writes
/// only when its text differs from what it showed: Enter, a double click, leaving the box
/// or "コメントセット" register it for that item, wherever the selection has moved since,
/// and never onto another item. Every write goes into the annotation file of the folder
/// that holds the item.
class CommentCommands : public QObject
{
    Q_OBJECT

public:
    static CommentCommands *install(MainWindow &form);
    explicit CommentCommands(MainWindow &form);

    /// Asks for a line of text (caption, prompt, preset); nothing when cancelled.
    using TextAsker = std::function<std::optional<QString>(
        QWidget *parent, const QString &caption, const QString &prompt, const QString &preset)>;
    void setTextAsker(TextAsker asker) { m_askText = std::move(asker); }

    static QString boxHint()
    {
        return QStringLiteral("コメント編集（マウスダブルクリックで登録）");
    }
    static QString notAllowedText()
    {
        return QStringLiteral(
            "コメントの表示を許可されていません。\nメニューの「表示」→「コメントの"
            "表示」を選んでください。");
    }

    /// The item the comment box shows (empty when none).
    const QString &boundPath() const { return m_boxPath; }
    /// Fills the comment box for the item at a path (empty: no item) and binds it there.
    void bindBox(const QString &path);
    /// Registers the box's text as the bound item's comment when it changed; true when
    /// something was written.
    bool commitBox();
    /// Another window changed the comment of an item: the box shows it anew when it is
    /// bound there and holds no edit of its own.
    void commentChanged(const QString &path);

    QLineEdit *quickField() const { return m_quick; }
    /// Where the quick comment field goes for the item of a row, in the viewport of the
    /// view shown: over the picture in the large icon style, over the caption in the small
    /// icon style, over the item in the list style, over the second column in the details
    /// style; ten pixels wide per character of the comment (wider where the text needs
    /// it), at least as wide as that area.
    QRect quickFieldRect(int row) const;
    /// The tip text an item shows with the tips switched on.
    QString tipText(int row) const;

Q_SIGNALS:
    /// A comment was written for these items.
    void commentsWritten(const QStringList &paths);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool onCommand(const QString &name, QAction *action);
    void onSelection(int row, bool selected);
    void inputComment();
    void placeQuickField(int row);
    void commitQuickField();
    void hideQuickField();
    bool write(const QStringList &paths, const QString &text);
    void reshow(const QStringList &paths);
    bool tipsOn() const;

    MainWindow &m_form;
    QPlainTextEdit *m_box = nullptr;
    QString m_boxPath;
    QString m_boxShown;
    QPointer<QLineEdit> m_quick;
    QString m_quickPath;
    QString m_quickShown;
    TextAsker m_askText;
};

} // namespace kazari
