#pragma once

#include "core/itemlist/shellnamespace.h"

#include <QList>
#include <QObject>
#include <QPixmap>
#include <QStringList>

#include <functional>
#include <memory>
#include <thread>

class QLabel;
class QToolBar;

namespace kazari
{

/// The drive bar ("ドライブ"): one button per mounted, ready volume, its hint the mount
/// root, its picture the drive icon with the first character of the volume's name
/// written over it. Clicking a button shows the volume's root.
///
/// Finding the volumes asks every mount whether it is ready, which can hang on a network
/// file system, so it runs on a thread of its own: the root "/" is there at once, the
/// other buttons follow when the answer comes; the window never waits for it. The look
/// itself is bounded: a volume that does not answer within the probe's time limit gets
/// no button. Double-clicking the bar's caption label looks again (after the look under
/// way, if one is). The thread is joined when the bar goes, so nothing of it runs after
/// the window is gone.
class DriveBar : public QObject
{
    Q_OBJECT

public:
    using VolumeLister = std::function<QList<NamespaceEntry>()>;
    using OpenRoot = std::function<void(const QString &root)>;

    DriveBar(QToolBar *bar, OpenRoot open, QObject *parent = nullptr);
    ~DriveBar() override;

    /// Replaces how the volumes are found (tests); the default asks the system through
    /// the shared volume probe, within its time limit. A lister must answer in bounded time.
    void setLister(VolumeLister lister) { m_lister = std::move(lister); }

    /// Removes every drive button and looks for the volumes again.
    void rebuild();
    /// The roots that have a button, in order.
    QStringList roots() const;
    /// Whether a look for volumes is still running.
    bool scanning() const { return m_scanning; }

    /// A button's picture: the drive icon at (4, 4), the letter at (0, 0).
    static QPixmap picture(const QString &letter);

Q_SIGNALS:
    /// The volumes were found and their buttons made.
    void scanned();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Mailbox;
    void addButton(const NamespaceEntry &volume);
    void startScan();
    void deliver(quint64 generation, const QList<NamespaceEntry> &volumes);

    QToolBar *m_bar = nullptr;
    QLabel *m_caption = nullptr;
    OpenRoot m_open;
    VolumeLister m_lister;
    std::shared_ptr<Mailbox> m_mailbox;
    quint64 m_generation = 0;
    bool m_scanning = false;
    /// Another look was asked for while one ran: it starts when that one delivers.
    bool m_rescan = false;
    std::thread m_thread;
};

} // namespace kazari
