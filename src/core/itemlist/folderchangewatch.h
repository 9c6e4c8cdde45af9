#pragma once

#include <QObject>
#include <QSet>
#include <QString>
#include <QTimer>

class QSocketNotifier;

namespace kazari
{

/// What changed in a watched folder since the last report.
struct FolderChanges {
    /// Names created, removed, or moved in or out.
    QSet<QString> names;
    /// Names whose attributes (permissions, extended attributes, times) changed.
    QSet<QString> attributes;
    /// The folder itself went away or changes were lost: only a rebuild is safe.
    bool lost = false;

    bool isEmpty() const { return names.isEmpty() && attributes.isEmpty() && !lost; }
};

/// The watch on the folder the item list shows: changes of the names and attributes of
/// its entries (not of its sub-folders), collected as the kernel reports them and
/// handed on at most once per poll interval (2000 ms), so a burst of changes costs one
/// look. Runs on the thread it lives on; no waiting thread.
class FolderChangeWatch : public QObject
{
    Q_OBJECT

public:
    static constexpr int PollInterval = 2000;

    explicit FolderChangeWatch(QObject *parent = nullptr);
    ~FolderChangeWatch() override;

    /// Stops the watch and points it at another folder (started by `start`).
    void setFolder(const QString &folder);
    const QString &folder() const { return m_folder; }
    /// Starts watching; false when the folder cannot be watched (not a folder, no
    /// access, no watch left).
    bool start();
    /// Stops watching and drops what was collected.
    void stop();
    bool isActive() const { return m_watch >= 0; }
    void setInterval(int milliseconds) { m_poll.setInterval(milliseconds); }

Q_SIGNALS:
    /// At a poll, when something changed since the last one.
    void changed(const kazari::FolderChanges &changes);

private:
    void readEvents();
    void poll();

    QString m_folder;
    int m_fd = -1;
    int m_watch = -1;
    QSocketNotifier *m_notifier = nullptr;
    QTimer m_poll;
    FolderChanges m_pending;
};

} // namespace kazari

Q_DECLARE_METATYPE(kazari::FolderChanges)
