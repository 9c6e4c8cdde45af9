#pragma once

#include <QString>
#include <QStringList>

namespace kazari
{

/// Which place the item list shows first.
struct FirstFolder {
    enum Kind {
        Folder,        ///< an ordinary folder; `path` is its folder key (trailing "/")
        FoundList,     ///< the found list, starting from the program folder
        ShellLocation, ///< a virtual location; `path` is its "::{...}" text
    };
    Kind kind = Folder;
    QString path;

    /// Chooses the first place: "/ShowFoundList"; a link (the desktop's shortcut)
    /// whose target is a folder; a folder argument; else `LastPath` as stored in
    /// `exe.ini` when it is an existing folder or the computer or network location;
    /// else the program folder.
    static FirstFolder choose(const QStringList &arguments, const QString &lastPath,
                              const QString &programFolder);

    /// The folder key of a native folder path: clean, absolute, with a trailing "/".
    static QString folderKey(const QString &path);
};

} // namespace kazari
