#pragma once

#include "core/fileops/itemcreation.h"

#include <QDialog>
#include <QStringList>

class QPlainTextEdit;

namespace kazari
{

/// The batch creation window: one name per line, OK and Cancel. Its mode is folders
/// ("フォルダ複数作成") or files ("ファイル複数作成"). OK hides the window and emits
/// `accepted` with the lines; Cancel only hides it.
class BatchCreateDialog : public QDialog
{
    Q_OBJECT

public:
    explicit BatchCreateDialog(QWidget *parent = nullptr);

    ItemCreation::Kind kind() const { return m_kind; }
    /// Sets the mode and its caption, empties the text area and shows the window.
    void showFor(ItemCreation::Kind kind);
    static QString captionFor(ItemCreation::Kind kind);

    QPlainTextEdit *textArea() const { return m_text; }
    QStringList lines() const;
    /// Presses OK.
    void pressOk();

Q_SIGNALS:
    void linesAccepted(kazari::ItemCreation::Kind kind, const QStringList &lines);

private:
    QPlainTextEdit *m_text = nullptr;
    ItemCreation::Kind m_kind = ItemCreation::Kind::Folder;
};

} // namespace kazari
