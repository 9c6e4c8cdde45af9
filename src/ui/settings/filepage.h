#pragma once

#include "ui/settings/settingspage.h"

class QCheckBox;
class QListWidget;
class QWidget;

namespace kazari
{

/// The page "ファイルの設定": the item list's switches, and the main window's present
/// layout (panes, tool bars, the free tree, hidden files), shown only: those follow
/// their own commands.
class FilePage : public SettingsPage
{
    Q_OBJECT

public:
    using SettingsPage::SettingsPage;

    QWidget *build();
    void fill();

private:
    QListWidget *m_layout = nullptr;
    QCheckBox *m_freeTreeShown = nullptr;
    QCheckBox *m_hiddenShown = nullptr;
};

} // namespace kazari
