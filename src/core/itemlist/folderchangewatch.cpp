#include "core/itemlist/folderchangewatch.h"

#include <QFile>
#include <QSocketNotifier>

#include <cerrno>
#include <cstring>

#include <sys/inotify.h>
#include <unistd.h>

namespace kazari
{

namespace
{

constexpr quint32 WatchMask = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_ATTRIB |
                              IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR;

} // namespace

FolderChangeWatch::FolderChangeWatch(QObject *parent)
    : QObject(parent)
{
    m_poll.setInterval(PollInterval);
    connect(&m_poll, &QTimer::timeout, this, &FolderChangeWatch::poll);
    m_fd = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (m_fd >= 0) {
        m_notifier = new QSocketNotifier(qintptr(m_fd), QSocketNotifier::Read, this);
        connect(m_notifier, &QSocketNotifier::activated, this, &FolderChangeWatch::readEvents);
    }
}

FolderChangeWatch::~FolderChangeWatch()
{
    stop();
    delete m_notifier;
    if (m_fd >= 0)
        ::close(m_fd);
}

void FolderChangeWatch::setFolder(const QString &folder)
{
    stop();
    m_folder = folder;
}

bool FolderChangeWatch::start()
{
    stop();
    if (m_fd < 0 || m_folder.isEmpty())
        return false;
    m_watch = ::inotify_add_watch(m_fd, QFile::encodeName(m_folder).constData(), WatchMask);
    if (m_watch < 0)
        return false;
    m_poll.start();
    return true;
}

void FolderChangeWatch::stop()
{
    if (m_watch >= 0) {
        ::inotify_rm_watch(m_fd, m_watch);
        m_watch = -1;
    }
    m_poll.stop();
    // Events already queued for the old watch are read and dropped.
    readEvents();
    m_pending = FolderChanges();
}

void FolderChangeWatch::readEvents()
{
    if (m_fd < 0)
        return;
    alignas(inotify_event) char buffer[16384];
    for (;;) {
        const ssize_t n = ::read(m_fd, buffer, sizeof buffer);
        if (n <= 0)
            return;
        for (ssize_t at = 0; at + ssize_t(sizeof(inotify_event)) <= n;) {
            inotify_event event;
            std::memcpy(&event, buffer + at, sizeof event);
            const char *name = buffer + at + sizeof(inotify_event);
            at += ssize_t(sizeof(inotify_event)) + ssize_t(event.len);
            if (at > n)
                break;
            if (event.mask & IN_Q_OVERFLOW) {
                m_pending.lost = m_watch >= 0;
                continue;
            }
            if (event.wd != m_watch || m_watch < 0)
                continue;
            if (event.mask & (IN_DELETE_SELF | IN_MOVE_SELF)) {
                m_pending.lost = true;
                continue;
            }
            if (event.len == 0 || name[0] == '\0')
                continue; // the folder itself
            const QString entry =
                QFile::decodeName(QByteArray(name, int(::strnlen(name, event.len))));
            if (event.mask & (IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO))
                m_pending.names.insert(entry);
            if (event.mask & IN_ATTRIB)
                m_pending.attributes.insert(entry);
        }
    }
}

void FolderChangeWatch::poll()
{
    readEvents();
    if (m_pending.isEmpty())
        return;
    const FolderChanges changes = m_pending;
    m_pending = FolderChanges();
    Q_EMIT changed(changes);
}

} // namespace kazari
