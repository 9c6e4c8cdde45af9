#include "ui/viewer/viewerpagewidget.h"

#include "core/viewer/viewertext.h"
#include "ui/app/messagebox.h"
#include "ui/viewer/picturearea.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace kazari
{

namespace
{

QString saveDialog(QWidget *parent, const QString &file, const QString &folder)
{
    const QString start = QDir(folder.isEmpty() ? QFileInfo(file).absolutePath() : folder)
                              .filePath(QFileInfo(file).fileName());
    return QFileDialog::getSaveFileName(parent, QStringLiteral("保存"), start, QString(), nullptr,
                                        QFileDialog::DontConfirmOverwrite);
}

} // namespace

ViewerPageWidget::ViewerPageWidget(QWidget *parent)
    : QWidget(parent)
    , m_chooseFile(saveDialog)
{
    setObjectName(QStringLiteral("ViewerPage"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);

    m_title = new QLabel(this);
    m_title->setObjectName(QStringLiteral("ViewerTitle"));
    m_title->setTextFormat(Qt::PlainText);
    layout->addWidget(m_title);

    auto *header = new QHBoxLayout;
    m_header = new QLabel(ViewerPage::headerText(ViewerPage::Kind::Document), this);
    m_header->setObjectName(QStringLiteral("ViewerHeader"));
    QFont bold = m_header->font();
    bold.setBold(true);
    m_header->setFont(bold);
    m_save = new QPushButton(QStringLiteral("保存"), this);
    m_save->setObjectName(QStringLiteral("ViewerSave"));
    m_save->setEnabled(false);
    header->addWidget(m_header, 1);
    header->addWidget(m_save);
    layout->addLayout(header);

    m_info = new QLabel(this);
    m_info->setObjectName(QStringLiteral("ViewerInfo"));
    m_info->setTextFormat(Qt::PlainText);
    layout->addWidget(m_info);

    m_text = new QPlainTextEdit(this);
    m_text->setObjectName(QStringLiteral("ViewerText"));
    m_text->setReadOnly(true);
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    layout->addWidget(m_text, 1);

    m_pictureBox = new QWidget(this);
    auto *grid = new QGridLayout(m_pictureBox);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    m_picture = new PictureArea(m_pictureBox);
    m_vertical = new QScrollBar(Qt::Vertical, m_pictureBox);
    m_horizontal = new QScrollBar(Qt::Horizontal, m_pictureBox);
    grid->addWidget(m_picture, 0, 0);
    grid->addWidget(m_vertical, 0, 1);
    grid->addWidget(m_horizontal, 1, 0);
    layout->addWidget(m_pictureBox, 1);
    m_pictureBox->hide();

    auto move = [this]() {
        const QPoint at = ViewerPage::picturePosition(m_horizontal->value(), m_vertical->value());
        // The page has no header band above the picture: only the movement counts.
        m_picture->setOffset(at - ViewerPage::picturePosition(0, 0));
    };
    // What the page shows never widens the pane: long titles and lines are cut off.
    for (QLabel *label : {m_title, m_header, m_info})
        label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);

    connect(m_horizontal, &QScrollBar::valueChanged, this, move);
    connect(m_vertical, &QScrollBar::valueChanged, this, move);
    connect(m_save, &QPushButton::clicked, this, &ViewerPageWidget::save);
}

QWidget *ViewerPageWidget::pictureView() const
{
    return m_pictureBox;
}

const QImage &ViewerPageWidget::picture() const
{
    return m_picture->picture();
}

void ViewerPageWidget::disableSave()
{
    m_save->setEnabled(false);
}

void ViewerPageWidget::showContent(const ViewerPage::Content &content)
{
    m_content = content;
    m_header->setText(content.header);
    if (!content.title.isEmpty())
        m_title->setText(content.title);
    m_text->setPlainText(content.text);
    m_text->setVisible(content.textVisible);
    m_info->setText(content.info);
    m_picture->setPicture(content.picture);
    m_pictureBox->setVisible(content.pictureVisible);
    m_horizontal->setValue(0);
    m_vertical->setValue(0);
    updateScrollBars();
    m_save->setEnabled(content.saveEnabled);
    // The content keeps what "保存" needs; its text and picture live in the views.
    m_content.text.clear();
    m_content.picture = QImage();
}

void ViewerPageWidget::updateScrollBars()
{
    const QImage &picture = m_picture->picture();
    if (!m_pictureBox->isVisible() && !m_content.pictureVisible) {
        m_horizontal->hide();
        m_vertical->hide();
        return;
    }
    const ViewerPage::ScrollRanges ranges =
        ViewerPage::scrollRanges(picture.size(), m_picture->size());
    m_vertical->setRange(0, ranges.vertical ? ranges.verticalMaximum : 0);
    m_vertical->setVisible(ranges.vertical);
    m_horizontal->setRange(0, ranges.horizontal ? ranges.horizontalMaximum : 0);
    m_horizontal->setVisible(ranges.horizontal);
}

void ViewerPageWidget::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    updateScrollBars();
}

void ViewerPageWidget::save()
{
    if (!m_save->isEnabled() || !m_chooseFile)
        return;
    const QString target = m_chooseFile(this, m_content.saveFile, m_content.saveFolder);
    if (target.isEmpty())
        return;
    const ViewerText::SaveResult r = ViewerText::save(
        target, m_text->toPlainText(), m_content.shown,
        [this](const QString &question) { return MessageBox::question(this, question); });
    if (!r.ok && !r.declined)
        MessageBox::warning(this, QStringLiteral("保存できません: ") + r.error);
}

} // namespace kazari
