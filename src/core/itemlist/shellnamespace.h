#pragma once

#include "core/platform/volumeprobe.h"

#include <QList>
#include <QString>

namespace kazari
{

/// One child of a virtual location.
struct NamespaceEntry {
    QString caption; ///< the name shown
    QString path;    ///< the file-system path behind it
    bool container = false;
    /// A mounted volume of the computer.
    bool volume = false;
    /// False for a volume that did not answer in time: nothing more is asked of it.
    bool ready = true;
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

    /// The mounted volumes, "/" first: those of the mount table that the user works
    /// with, each asked through the probe (at most its time limit in all). A volume that
    /// answers "not ready" is left out; one that does not answer in time is listed as not
    /// ready ("/" is always listed).
    static QList<NamespaceEntry> volumes(const QList<MountPoint> &mounts, VolumeProbe &probe);
    /// The system's volumes through the shared probe.
    static QList<NamespaceEntry> volumes();
    /// The entries of the trash folders given (each with `files/` and `info/`), in the
    /// order of the folders and then of their names. The caption is the file name of
    /// the original path in the entry's `.trashinfo`, or the trashed name without one.
    static QList<NamespaceEntry> trashEntries(const QStringList &trashFolders);
    /// The user's trash folders that exist, as Trash::trashFolders lists them.
    static QStringList trashFolders();
};

} // namespace kazari
