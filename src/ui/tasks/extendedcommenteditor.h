#pragma once

#include <QString>
#include <QWidget>

class QPushButton;
class QTableWidget;

namespace kazari
{

class MainWindow;

/// "コメント Professional": the ten named fields of an item's extended comment (`_cmtEx`)
/// in a grid of names and values, with OK, "保存" and "閉じる". Opened by
/// "コメント Professional の編集(&P)"; while it shows it follows the selection.
///
/// The window is bound to the item it was filled for and saves into that item's own
/// annotation file by its full path; the eleventh, unnamed field is carried along
/// unchanged. The names are stored as the settings `CmtName1` to `CmtName10`.
class ExtendedCommentEditor : public QWidget
{
    Q_OBJECT

public:
    static ExtendedCommentEditor *install(MainWindow &form);
    explicit ExtendedCommentEditor(MainWindow &form);

    static QString editCommand() { return QStringLiteral("cmdCommentProEdit"); }

    /// Fills the grid for the item at a path (empty: no item).
    void fillFor(const QString &path);
    const QString &boundPath() const { return m_path; }
    /// "保存": false when no item is bound (after the message) or the write failed.
    bool save();

    QTableWidget *grid() const { return m_grid; }
    QPushButton *okButton() const { return m_ok; }
    QPushButton *saveButton() const { return m_save; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void fitColumns();

    MainWindow &m_form;
    QString m_path;
    QTableWidget *m_grid = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_save = nullptr;
};

} // namespace kazari
