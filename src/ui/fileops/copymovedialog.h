#pragma once

#include <QDialog>
#include <QString>

class QCheckBox;
class QFileSystemModel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTreeView;

namespace kazari
{

/// The copy and move dialog: a tool window that stays on top, with the operation
/// ("コピー" / "移動"), the tick box "上書き", the destination folder (a folder tree, the
/// path field and "参照…") and the buttons "閉じる" and "実行".
///
/// It keeps its choices between uses. "実行" emits `executeRequested`; the file operations
/// controller does the work on the item list's selection.
class CopyMoveDialog : public QDialog
{
    Q_OBJECT

public:
    explicit CopyMoveDialog(QWidget *parent = nullptr);

    bool moveChosen() const;
    /// Chooses the operation; the window caption follows.
    void setMoveChosen(bool move);
    bool overwrite() const;
    void setOverwrite(bool on);
    /// The destination folder as chosen (may be empty).
    QString destination() const;
    void setDestination(const QString &folder);
    /// Opens the folder tree on a folder (the current one), leaving the destination as it is.
    void revealFolder(const QString &folder);
    /// The entry the operation leaves out (the folder entry a drop went onto); empty for none.
    const QString &TargetItem() const { return m_targetItem; }
    void setTargetItem(const QString &path) { m_targetItem = path; }

    /// "コピー先フォルダ選択" or "移動先フォルダ選択".
    static QString captionFor(bool move);

    /// Presses "実行".
    void execute();

Q_SIGNALS:
    void executeRequested();

private:
    void chooseFolder();
    void followTree();

    QRadioButton *m_copy = nullptr;
    QRadioButton *m_move = nullptr;
    QCheckBox *m_overwrite = nullptr;
    QTreeView *m_tree = nullptr;
    QFileSystemModel *m_folders = nullptr;
    QLineEdit *m_path = nullptr;
    QString m_targetItem;
};

} // namespace kazari
