#pragma once

#include "ui/settings/settingspage.h"

class QCheckBox;
class QLineEdit;
class QRadioButton;
class QWidget;

namespace kazari
{

/// The page "基本の設定": the display and file switches, the window's place and title,
/// the last folder and browser address, and the annotation storage mode (shown only:
/// its menu commands change it, as they move the annotation files too).
class BasicPage : public SettingsPage
{
    Q_OBJECT

public:
    using SettingsPage::SettingsPage;

    QWidget *build();
    void fill();
    /// Keeps the window at the back or not, and stores the last folder and the browser
    /// address.
    void apply();

private:
    QCheckBox *m_windowAtBack = nullptr;
    QLineEdit *m_lastPath = nullptr;
    QLineEdit *m_webLastPath = nullptr;
    QRadioButton *m_centralMode = nullptr;
    QRadioButton *m_perFolderMode = nullptr;
};

} // namespace kazari
