#pragma once

#include "core/platform/launcher.h"

namespace kazari
{

/// Starts programs and opens files through the desktop.
class SystemLauncher : public Launcher
{
public:
    bool openWithDefault(const QString &path) override;
    bool startDetached(const QString &program, const QStringList &arguments,
                       const QString &workingFolder) override;
};

} // namespace kazari
