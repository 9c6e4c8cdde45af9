#pragma once

#include <QString>

namespace kazari
{

/// Which checkable commands the generic switch handler serves and what it does after
/// storing their mark.
class SwitchCommands
{
public:
    /// Commands whose click goes through the generic switch handler.
    static bool isGeneric(const QString &name);
    /// The right pane's page commands; the pane shows while any of them is on.
    static bool isRightPanePage(const QString &name);
    /// Whether storing the command's mark is followed by a rebuild of the item list.
    static bool rebuildsList(const QString &name);
    /// The right-pane page commands that bring their page to the front when turned on.
    static bool showsPageWhenOn(const QString &name);
};

} // namespace kazari
