#pragma once

#include "ui/settings/settingspage.h"
#include <QColor>
#include <QFont>

class QLabel;
class QWidget;

namespace kazari
{

/// The page "文字の設定": caption switches, the names and colours of the caption masks,
/// the colours of file attributes and task states, and the item list's own colour and
/// font, which reach the main window only when the dialog applies.
class CaptionPage : public SettingsPage
{
    Q_OBJECT

public:
    using SettingsPage::SettingsPage;

    QWidget *build();
    void fill();
    /// Gives the main window the list colour and font when they were chosen since
    /// `fill()`; returns whether they were, which needs the item list rebuilt.
    bool apply();

private:
    void chooseListColor();
    void chooseListFont();
    void updateListSample();

    QLabel *m_listSample = nullptr;
    QColor m_listColor;
    QColor m_listTextColor;
    QFont m_listFont;
    bool m_listLookChanged = false;
};

} // namespace kazari
