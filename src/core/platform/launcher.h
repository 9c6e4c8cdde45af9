#pragma once

#include <QString>
#include <QStringList>

namespace kazari
{

/// Starts programs and opens files for the program. The desktop implementation lives
/// in the user interface layer; tests substitute a recorder.
class Launcher
{
public:
    virtual ~Launcher() = default;
    /// Opens a file or folder with the desktop's default action.
    virtual bool openWithDefault(const QString &path) = 0;
    /// Starts `program` with `arguments` as separate arguments (never a shell line) in
    /// `workingFolder`.
    virtual bool startDetached(const QString &program, const QStringList &arguments,
                               const QString &workingFolder) = 0;
};

} // namespace kazari
