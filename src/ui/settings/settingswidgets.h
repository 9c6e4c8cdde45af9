#pragma once

#include <QColor>
#include <QPixmap>
#include <QString>

class QFormLayout;
class QGroupBox;
class QLabel;
class QLayout;
class QWidget;

namespace kazari
{

/// The small pieces the pages of the settings dialog are laid out with, so every page
/// looks alike.
class SettingsWidgets
{
public:
    /// A label that shows `text` as it stands, never as markup.
    static QLabel *plainLabel(const QString &text, QWidget *parent = nullptr);
    /// A tool tip that shows `text` as it stands, even when it looks like markup.
    static QString plainToolTip(const QString &text);
    /// A titled box around `layout`.
    static QGroupBox *group(const QString &title, QLayout *layout);
    /// A form with its captions aligned to the right and growing fields.
    static QFormLayout *formLayout();
    /// A framed colour sample; an invalid colour is drawn crossed out.
    static QPixmap swatch(const QColor &color, int width, int height);
    /// A page of the dialog: `description` as its heading, `body` scrolling below.
    static QWidget *page(const QString &description, QWidget *body);
};

} // namespace kazari
