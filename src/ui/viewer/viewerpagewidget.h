#pragma once

#include "core/viewer/viewerpage.h"

#include <QWidget>

#include <functional>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QScrollBar;

namespace kazari
{

class PictureArea;

/// The viewer page "ビュー" of the right pane: a title line, a header with the view's
/// name and "保存", an information line, and either the text view or the picture view
/// with its two scroll bars. It shows a `ViewerPage::Content` as it is.
class ViewerPageWidget : public QWidget
{
    Q_OBJECT

public:
    explicit ViewerPageWidget(QWidget *parent = nullptr);

    /// Shows content; the title line stays as it was when the content has none.
    void showContent(const ViewerPage::Content &content);
    /// Disables "保存" (every selection change starts so).
    void disableSave();

    /// Asks where "保存" writes (`file` and `folder` preset); empty cancels. A save dialog
    /// that does not ask before replacing by default: the page asks itself.
    using FileChooser =
        std::function<QString(QWidget *parent, const QString &file, const QString &folder)>;
    void setFileChooser(FileChooser chooser) { m_chooseFile = std::move(chooser); }
    /// "保存": writes the text view's lines to the chosen file.
    void save();

    QLabel *titleLabel() const { return m_title; }
    QLabel *headerLabel() const { return m_header; }
    QLabel *infoLabel() const { return m_info; }
    QPushButton *saveButton() const { return m_save; }
    QPlainTextEdit *textView() const { return m_text; }
    QWidget *pictureView() const;
    QScrollBar *horizontalBar() const { return m_horizontal; }
    QScrollBar *verticalBar() const { return m_vertical; }
    /// The picture shown (null when none).
    const QImage &picture() const;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void updateScrollBars();

    QLabel *m_title = nullptr;
    QLabel *m_header = nullptr;
    QPushButton *m_save = nullptr;
    QLabel *m_info = nullptr;
    QPlainTextEdit *m_text = nullptr;
    QWidget *m_pictureBox = nullptr;
    PictureArea *m_picture = nullptr;
    QScrollBar *m_horizontal = nullptr;
    QScrollBar *m_vertical = nullptr;
    ViewerPage::Content m_content;
    FileChooser m_chooseFile;
};

} // namespace kazari
