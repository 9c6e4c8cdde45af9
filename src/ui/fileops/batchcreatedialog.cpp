#include "ui/fileops/batchcreatedialog.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kazari
{

BatchCreateDialog::BatchCreateDialog(QWidget *parent)
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("BatchCreateDialog"));
    setModal(false);
    setMinimumSize(200, 200);
    resize(320, 320);
    m_text = new QPlainTextEdit(this);
    m_text->setObjectName(QStringLiteral("Memo1"));
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OkButton"));
    auto *cancel = new QPushButton(QStringLiteral("キャンセル"), this);
    cancel->setObjectName(QStringLiteral("CancelButton"));
    ok->setAutoDefault(false);
    cancel->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, &BatchCreateDialog::pressOk);
    connect(cancel, &QPushButton::clicked, this, &QDialog::hide);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_text, 1);
    layout->addLayout(buttons);
}

QString BatchCreateDialog::captionFor(ItemCreation::Kind kind)
{
    return kind == ItemCreation::Kind::Folder ? QStringLiteral("フォルダ複数作成")
                                              : QStringLiteral("ファイル複数作成");
}

void BatchCreateDialog::showFor(ItemCreation::Kind kind)
{
    m_kind = kind;
    setWindowTitle(captionFor(kind));
    m_text->clear();
    show();
    raise();
    activateWindow();
    m_text->setFocus();
}

QStringList BatchCreateDialog::lines() const
{
    return m_text->toPlainText().split(QLatin1Char('\n'));
}

void BatchCreateDialog::pressOk()
{
    hide();
    Q_EMIT linesAccepted(m_kind, lines());
}

} // namespace kazari
