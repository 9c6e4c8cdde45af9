#pragma once

#include "ui/settings/settingspage.h"

class QCheckBox;
class QWidget;

namespace kazari
{

/// The page "コメントとタスクの設定": how comments and tasks are shown (columns, the
/// automatic task check, balloons, tip chips) and the sticky note's colour for each
/// importance.
class CommentPage : public SettingsPage
{
    Q_OBJECT

public:
    using SettingsPage::SettingsPage;

    QWidget *build();
    void fill();
    /// Sets the tip chip command's check mark (the command keeps no key of its own).
    void apply();

private:
    QCheckBox *m_tips = nullptr;
};

} // namespace kazari
