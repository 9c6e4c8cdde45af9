#include "ui/app/fontcolourdialog.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kazari
{

FontColourDialog::FontColourDialog(const QFont &font, const QColor &colour, QWidget *parent)
    : QDialog(parent)
    , m_colour(colour.isValid() ? colour : QColor(Qt::black))
{
    setObjectName(QStringLiteral("FontColourDialog"));
    setWindowTitle(QStringLiteral("フォントの設定"));
    auto *layout = new QVBoxLayout(this);
    // The system's font choice as a part of this window, without its own buttons.
    m_fonts = new QFontDialog(font, this);
    m_fonts->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
    m_fonts->setWindowFlags(Qt::Widget);
    layout->addWidget(m_fonts, 1);

    auto *colourRow = new QHBoxLayout;
    colourRow->addWidget(new QLabel(QStringLiteral("色"), this));
    m_colourButton = new QPushButton(this);
    m_colourButton->setObjectName(QStringLiteral("fontColourButton"));
    m_colourButton->setMinimumWidth(80);
    colourRow->addWidget(m_colourButton);
    colourRow->addStretch(1);
    layout->addLayout(colourRow);
    connect(m_colourButton, &QPushButton::clicked, this, &FontColourDialog::chooseColour);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    showColour();
}

FontColourDialog::Choice FontColourDialog::choice() const
{
    return {m_fonts->currentFont(), m_colour};
}

void FontColourDialog::chooseColour()
{
    const QColor chosen =
        m_askColour ? m_askColour(this, m_colour) : QColorDialog::getColor(m_colour, this);
    if (!chosen.isValid())
        return;
    m_colour = chosen;
    showColour();
}

void FontColourDialog::showColour()
{
    QPalette palette = m_colourButton->palette();
    palette.setColor(QPalette::Button, m_colour);
    m_colourButton->setPalette(palette);
    m_colourButton->setAutoFillBackground(true);
    m_colourButton->setText(m_colour.name());
}

std::optional<FontColourDialog::Choice> FontColourDialog::ask(QWidget *parent, const QFont &font,
                                                              const QColor &colour)
{
    FontColourDialog dialog(font, colour, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.choice();
}

} // namespace kazari
