#include "core/itemlist/shellnamespace.h"

#include "core/app/shelllocation.h"
#include "core/platform/textfile.h"
#include "core/platform/trash.h"
#include "core/platform/volumeprobe.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>

namespace kazari
{

namespace
{

enum class Known { None, Computer, Network, RecycleBin, ControlPanel };

QString canonical(const QString &location)
{
    QString t = location;
    t.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return ShellLocation::normalized(t);
}

Known knownLocation(const QString &location)
{
    const QString t = canonical(location);
    const QString computer = ShellLocation::normalized(ShellLocation::computer());
    const QString panel = ShellLocation::normalized(ShellLocation::controlPanel());
    if (t == computer)
        return Known::Computer;
    if (t == ShellLocation::normalized(ShellLocation::network()))
        return Known::Network;
    if (t == ShellLocation::normalized(ShellLocation::recycleBin()))
        return Known::RecycleBin;
    if (t == panel || t == computer + QLatin1Char('/') + panel)
        return Known::ControlPanel;
    return Known::None;
}

// A volume the user works with, judged by the mount table alone (nothing is asked of
// the volume itself, which may hang).
bool isUserVolume(const MountPoint &m)
{
    const QString &root = m.root;
    if (root == QLatin1String("/"))
        return true;
    static const QStringList pseudo{
        QStringLiteral("proc"),       QStringLiteral("sysfs"),       QStringLiteral("tmpfs"),
        QStringLiteral("devtmpfs"),   QStringLiteral("cgroup"),      QStringLiteral("cgroup2"),
        QStringLiteral("overlay"),    QStringLiteral("squashfs"),    QStringLiteral("autofs"),
        QStringLiteral("devpts"),     QStringLiteral("mqueue"),      QStringLiteral("debugfs"),
        QStringLiteral("tracefs"),    QStringLiteral("securityfs"),  QStringLiteral("pstore"),
        QStringLiteral("bpf"),        QStringLiteral("configfs"),    QStringLiteral("fusectl"),
        QStringLiteral("hugetlbfs"),  QStringLiteral("binfmt_misc"), QStringLiteral("nsfs"),
        QStringLiteral("rootfs"),     QStringLiteral("ramfs"),       QStringLiteral("rpc_pipefs"),
        QStringLiteral("efivarfs"),   QStringLiteral("selinuxfs"),   QStringLiteral("nfsd"),
        QStringLiteral("fuse.portal")};
    if (pseudo.contains(m.type))
        return false;
    if (root.startsWith(QLatin1String("/run/media/")))
        return true;
    auto under = [&root](const char *dir) {
        const QString d = QLatin1String(dir);
        return root == d || root.startsWith(d + QLatin1Char('/'));
    };
    return !(under("/proc") || under("/sys") || under("/dev") || under("/run") || under("/snap"));
}

// The original name of a trashed entry from its `.trashinfo` ("Path=" percent-encoded).
QString originalName(const QString &infoFile)
{
    const TextFile::ReadResult r = TextFile::read(infoFile, TextFile::RegularFilesOnly);
    if (!r.found)
        return QString();
    for (const QString &line : r.document.lines) {
        if (!line.startsWith(QLatin1String("Path=")))
            continue;
        const QString path = QUrl::fromPercentEncoding(line.mid(5).toUtf8());
        QString name = path;
        while (name.endsWith(QLatin1Char('/')))
            name.chop(1);
        name = name.mid(name.lastIndexOf(QLatin1Char('/')) + 1);
        return name;
    }
    return QString();
}

} // namespace

QString ShellNamespace::displayName(const QString &location)
{
    switch (knownLocation(location)) {
    case Known::Computer:
        return QStringLiteral("マイ コンピュータ");
    case Known::Network:
        return QStringLiteral("マイ ネットワーク");
    case Known::RecycleBin:
        return QStringLiteral("ごみ箱");
    case Known::ControlPanel:
        return QStringLiteral("コントロール パネル");
    case Known::None:
        break;
    }
    return QString();
}

NamespaceListing ShellNamespace::list(const QString &location)
{
    NamespaceListing out;
    const Known known = knownLocation(location);
    if (known == Known::None)
        return out;
    out.parsed = true;
    out.displayName = displayName(location);
    if (known == Known::Computer)
        out.entries = volumes();
    else if (known == Known::RecycleBin)
        out.entries = trashEntries(trashFolders());
    return out;
}

QList<NamespaceEntry> ShellNamespace::volumes()
{
    return volumes(VolumeProbe::mountTable(), VolumeProbe::system());
}

QList<NamespaceEntry> ShellNamespace::volumes(const QList<MountPoint> &mounts, VolumeProbe &probe)
{
    QStringList roots{QStringLiteral("/")};
    for (const MountPoint &m : mounts) {
        if (isUserVolume(m) && !roots.contains(m.root))
            roots.append(m.root);
    }
    const QList<std::optional<VolumeAnswer>> answers = probe.probe(roots);
    QList<NamespaceEntry> out;
    for (qsizetype i = 0; i < roots.size(); ++i) {
        const QString &root = roots.at(i);
        const std::optional<VolumeAnswer> &answer = answers.at(i);
        const bool top = root == QLatin1String("/");
        // A volume that answered "not ready" is left out, as it always was; one that did
        // not answer in time is shown, not ready.
        if (!top && answer && !answer->ready)
            continue;
        NamespaceEntry e;
        e.path = root;
        e.container = true;
        e.volume = true;
        e.ready = answer && answer->ready;
        if (top) {
            e.caption = root;
        } else {
            e.caption = answer ? answer->name : QString();
            if (e.caption.isEmpty() || e.caption == root)
                e.caption = QFileInfo(root).fileName();
        }
        out.append(e);
    }
    return out;
}

QStringList ShellNamespace::trashFolders()
{
    // Only volumes that answer in time are looked into: the trash location is built on
    // the window's thread, and a hung mount must not hold it.
    // A tmpfs holds a trash Kazari writes to although the computer view leaves it out.
    QList<MountPoint> mounts;
    QStringList roots;
    for (const MountPoint &m : VolumeProbe::mountTable()) {
        if (isUserVolume(m) || m.type == QLatin1String("tmpfs")) {
            mounts.append(m);
            roots.append(m.root);
        }
    }
    const QList<std::optional<VolumeAnswer>> answers = VolumeProbe::system().probe(roots);
    QList<MountPoint> answered;
    for (qsizetype i = 0; i < mounts.size() && i < answers.size(); ++i) {
        if (answers.at(i) && answers.at(i)->ready)
            answered.append(mounts.at(i));
    }
    return Trash().trashFolders(answered);
}

QList<NamespaceEntry> ShellNamespace::trashEntries(const QStringList &folders)
{
    QList<NamespaceEntry> out;
    for (const QString &trash : folders) {
        const QDir files(trash + QStringLiteral("/files"));
        const QFileInfoList entries = files.entryInfoList(
            QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
        for (const QFileInfo &info : entries) {
            NamespaceEntry e;
            e.path = info.filePath();
            e.container = info.isDir() && !info.isSymLink();
            e.caption = originalName(trash + QStringLiteral("/info/") + info.fileName() +
                                     QStringLiteral(".trashinfo"));
            if (e.caption.isEmpty())
                e.caption = info.fileName();
            out.append(e);
        }
    }
    return out;
}

} // namespace kazari
