#pragma once

#include <QString>
#include <QStringList>

namespace kazari
{

/// The files that hold lists of paths for the item list: list files (one full path per
/// line) and the found list `Found.txt` (the full path, "=", then the annotation fields
/// in double quotes). Only paths that exist now are returned, in file order; paths
/// written on Windows never reach the file system and count as missing.
class PathListFile
{
public:
    static QStringList readListFile(const QString &file);
    static QStringList readFoundList(const QString &file);
    /// The path part of one found-list line (before the `="` that opens the fields).
    static QString foundListPath(const QString &line);
};

} // namespace kazari
