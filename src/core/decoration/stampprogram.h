#pragma once

#include <QString>
#include <QStringList>

namespace kazari
{

/// The program whose icon stamps a folder item: the first "*.exe" in the folder, in
/// directory order, that is not one of the installer and uninstaller names
/// "epuninst.exe", "UnInstall.exe", "setup.exe" and "unins000.exe" (compared exactly).
class StampProgram
{
public:
    /// The chosen name among file names given in directory order; empty when none.
    static QString choose(const QStringList &fileNames);
    /// Looks in a folder (files only, directory order); empty when there is none or the
    /// path is not a folder.
    static QString find(const QString &folderPath);
};

} // namespace kazari
