#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>

namespace kazari
{

/// A mounted file system as the mount table names it.
struct MountPoint {
    QString root;
    QString type;
};

/// What a volume answered.
struct VolumeAnswer {
    bool ready = false;
    /// Its name (label), empty when it has none.
    QString name;
};

/// Asks mounted volumes whether they are ready without letting one that hangs (a network
/// file system whose server is gone) hold up the caller: every volume is asked on a thread
/// of its own and the caller waits for the answers at most the time limit; a volume that
/// has not answered by then has no answer (the caller shows it as not ready).
///
/// A volume still being asked is not asked again: a later look waits for the same answer,
/// and only until the time limit counted from the first question, so a hung volume costs
/// one time limit and one waiting thread, not one per look. A thread that hangs in the
/// system for good holds nothing but its own shared state.
class VolumeProbe
{
public:
    /// Asks one volume; may block for as long as the volume does.
    using Ask = std::function<VolumeAnswer(const QString &root)>;
    static constexpr std::chrono::milliseconds DefaultLimit{1500};

    explicit VolumeProbe(Ask ask = &VolumeProbe::askSystem,
                         std::chrono::milliseconds limit = DefaultLimit);

    /// The answers for the roots, in their order; none for a root that did not answer
    /// in time.
    QList<std::optional<VolumeAnswer>> probe(const QStringList &roots);
    /// Waits until no volume is being asked; false when that takes longer than `limit`.
    bool waitIdle(std::chrono::milliseconds limit);

    /// A system volume: `QStorageInfo` of its root.
    static VolumeAnswer askSystem(const QString &root);
    /// The probe of the system's volumes that every look at them shares.
    static VolumeProbe &system();
    /// The mounted file systems as the mount table lists them, read without touching any
    /// of them.
    static QList<MountPoint> mountTable(const QString &table = QStringLiteral("/proc/self/mounts"));

private:
    struct Shared;
    std::shared_ptr<Shared> m_shared;
};

} // namespace kazari
