#pragma once

#include <QList>
#include <QString>

namespace kazari
{

/// One child of a virtual location.
struct NamespaceEntry {
    QString caption; ///< the name shown
    QString path;    ///< the file-system path behind it
    bool container = false;
};

/// What listing a location gave.
struct NamespaceListing {
    /// The text named a known location (the computer, the network, the recycle bin,
    /// the control panel). Anything else is not parsed and lists nothing.
    bool parsed = false;
    QString displayName;
    QList<NamespaceEntry> entries;
};

/// The virtual locations ("::{…}") and what they list here: the computer lists one
/// container per mounted volume the user works with (no pseudo file systems, no system
/// mounts; "/" always), the recycle bin lists every trash folder the trash writes to
/// (Trash::trashFolders), the network and the control panel list
/// nothing. A location is accepted with or without trailing separators, in any letter
/// case, with "\" or "/" between its parts.
class ShellNamespace
{
public:
    /// "マイ コンピュータ", "マイ ネットワーク", "ごみ箱", "コントロール パネル"; empty for
    /// a text that is no known location.
    static QString displayName(const QString &location);

    static NamespaceListing list(const QString &location);

    /// The mounted volumes, "/" first.
    static QList<NamespaceEntry> volumes();
    /// The entries of the trash folders given (each with `files/` and `info/`), in the
    /// order of the folders and then of their names. The caption is the file name of
    /// the original path in the entry's `.trashinfo`, or the trashed name without one.
    static QList<NamespaceEntry> trashEntries(const QStringList &trashFolders);
    /// The user's trash folders that exist, as Trash::trashFolders lists them.
    static QStringList trashFolders();
};

} // namespace kazari
