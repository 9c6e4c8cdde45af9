#pragma once

#include <QColor>
#include <QDialog>
#include <QFont>

#include <functional>
#include <optional>

class QFontDialog;
class QPushButton;

namespace kazari
{

/// "フォントの設定" with the text colour: the system's font choice and a colour button
/// beside it, one OK for both (the list's font and its text colour go together).
class FontColourDialog : public QDialog
{
    Q_OBJECT

public:
    struct Choice {
        QFont font;
        QColor colour;
    };

    FontColourDialog(const QFont &font, const QColor &colour, QWidget *parent = nullptr);

    Choice choice() const;
    /// Asks for the colour when the colour button is pressed (the system dialog unless set).
    void setColourAsker(std::function<QColor(QWidget *, const QColor &)> asker)
    {
        m_askColour = std::move(asker);
    }
    QPushButton *colourButton() const { return m_colourButton; }
    QFontDialog *fontChooser() const { return m_fonts; }

    /// Shows the dialog modally; nothing when cancelled.
    static std::optional<Choice> ask(QWidget *parent, const QFont &font, const QColor &colour);

private:
    void chooseColour();
    void showColour();

    QFontDialog *m_fonts = nullptr;
    QPushButton *m_colourButton = nullptr;
    QColor m_colour;
    std::function<QColor(QWidget *, const QColor &)> m_askColour;
};

} // namespace kazari
