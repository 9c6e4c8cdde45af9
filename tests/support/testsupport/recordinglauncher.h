#pragma once

#include "core/platform/launcher.h"

#include <QList>

namespace kazari::test
{

/// A launcher that starts nothing and remembers every request.
class RecordingLauncher : public Launcher
{
public:
    struct Start {
        QString program;
        QStringList arguments;
        QString workingFolder;
    };

    bool openWithDefault(const QString &path) override
    {
        opened.append(path);
        return result;
    }
    bool startDetached(const QString &program, const QStringList &arguments,
                       const QString &workingFolder) override
    {
        started.append({program, arguments, workingFolder});
        return result;
    }

    QStringList opened;
    QList<Start> started;
    bool result = true;
};

} // namespace kazari::test
