#pragma once

#include "core/platform/programfolder.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace kazari
{

/// The three recent-use lists in the `vtl` sub-folder of the program folder, one full
/// path per line, newest first: `DirList.img` (folders, at most 100 lines),
/// `AppList.img` (programs: files whose extension is exactly ".exe", at most 50) and
/// `FileList.img` (every other file, at most 50).
///
/// A list is updated only when its file already exists: the user turns a list on by
/// creating the file. Lines the program did not write (Windows paths, virtual
/// locations, damaged lines) stay as they are until they fall off the end.
class RecentUseLists
{
public:
    enum Kind { Folders, Programs, Files };

    explicit RecentUseLists(ProgramFolder folder = ProgramFolder());

    static QString relativePath(Kind kind);
    static int limit(Kind kind);
    QString filePath(Kind kind) const { return m_folder.file(relativePath(kind)); }

    /// Which list an opened path belongs to. Nothing for the empty path and for paths
    /// that are not native (they are never opened).
    static std::optional<Kind> classify(const QString &path, bool isFolder);

    /// Puts `path` on top of `lines`: a line naming the same place moves up (keeping its
    /// spelling), otherwise the path is inserted; lines beyond `limit` are dropped.
    static void putOnTop(QStringList &lines, const QString &path, int limit);

    /// Whether a path can be kept as one line (no line break in it).
    static bool isStorable(const QString &path);

    /// Records opened paths in the order given, so the last one ends on top. Folders
    /// are told apart by asking the file system. Each list file is read and written at
    /// most once, and only when it exists. Returns false when a file could not be read
    /// or written, or a path could not be stored (a line break or "=" in it; `error`
    /// says which); such a file or path is left out, the other lists are still kept.
    bool record(const QStringList &paths, QString *error = nullptr);

    /// The lines of a list as stored now (empty when the file is absent).
    QStringList lines(Kind kind) const;

private:
    ProgramFolder m_folder;
};

} // namespace kazari
