#include "ui/navigation/drivebar.h"

#include <QAction>
#include <QEvent>
#include <QFileIconProvider>
#include <QLabel>
#include <QPainter>
#include <QToolBar>

#include <mutex>

namespace kazari
{

// Shared between the bar and the thread that looks for volumes: the thread posts its
// answer only while the bar still exists.
struct DriveBar::Mailbox {
    std::mutex mutex;
    bool closed = false;
};

DriveBar::DriveBar(QToolBar *bar, OpenRoot open, QObject *parent)
    : QObject(parent)
    , m_bar(bar)
    , m_open(std::move(open))
    , m_lister([]() { return ShellNamespace::volumes(); })
    , m_mailbox(std::make_shared<Mailbox>())
{
    m_bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    m_caption = new QLabel(m_bar->windowTitle(), m_bar);
    m_caption->setObjectName(QStringLiteral("DriveBarCaption"));
    m_caption->setToolTip(QStringLiteral("ダブルクリックでドライブを読み直します"));
    m_caption->setContentsMargins(4, 0, 4, 0);
    m_caption->installEventFilter(this);
    m_bar->addWidget(m_caption);
}

DriveBar::~DriveBar()
{
    {
        const std::lock_guard<std::mutex> lock(m_mailbox->mutex);
        m_mailbox->closed = true;
    }
    if (m_thread.joinable())
        m_thread.join();
}

QPixmap DriveBar::picture(const QString &letter)
{
    QPixmap out(16, 16);
    out.fill(Qt::transparent);
    QPainter p(&out);
    const QIcon drive = QFileIconProvider().icon(QFileIconProvider::Drive);
    p.drawPixmap(4, 4, drive.pixmap(12, 12));
    QFont font = p.font();
    font.setPointSize(8);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::black);
    p.drawText(QRect(0, 0, 16, 16), Qt::AlignLeft | Qt::AlignTop, letter);
    return out;
}

void DriveBar::addButton(const NamespaceEntry &volume)
{
    const QString root = volume.path;
    const QString letter = volume.caption.isEmpty() ? root.left(1) : volume.caption.left(1);
    QAction *a = m_bar->addAction(QIcon(picture(letter)), letter);
    a->setToolTip(root);
    a->setObjectName(QStringLiteral("Drive:") + root);
    connect(a, &QAction::triggered, this, [this, root]() { m_open(root); });
}

void DriveBar::rebuild()
{
    for (QAction *a : m_bar->actions()) {
        if (a->objectName().startsWith(QLatin1String("Drive:")))
            delete a;
    }
    addButton({QStringLiteral("/"), QStringLiteral("/"), true});
    ++m_generation;
    m_scanning = true;
    if (m_thread.joinable()) {
        m_rescan = true;
        return;
    }
    startScan();
}

void DriveBar::startScan()
{
    m_thread = std::thread(
        [mailbox = m_mailbox, lister = m_lister, target = this, generation = m_generation]() {
            const QList<NamespaceEntry> volumes = lister();
            const std::lock_guard<std::mutex> lock(mailbox->mutex);
            if (mailbox->closed)
                return;
            QMetaObject::invokeMethod(
                target, [target, generation, volumes]() { target->deliver(generation, volumes); },
                Qt::QueuedConnection);
        });
}

void DriveBar::deliver(quint64 generation, const QList<NamespaceEntry> &volumes)
{
    // The thread posted this as its last step.
    if (m_thread.joinable())
        m_thread.join();
    if (m_rescan) {
        m_rescan = false;
        startScan();
        return;
    }
    // An answer to an older look is stale: the bar has been rebuilt since.
    if (generation != m_generation)
        return;
    m_scanning = false;
    for (const NamespaceEntry &v : volumes) {
        if (v.path != QLatin1String("/") && v.ready)
            addButton(v);
    }
    Q_EMIT scanned();
}

QStringList DriveBar::roots() const
{
    QStringList out;
    for (QAction *a : m_bar->actions()) {
        if (a->objectName().startsWith(QLatin1String("Drive:")))
            out.append(a->toolTip());
    }
    return out;
}

bool DriveBar::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_caption && event->type() == QEvent::MouseButtonDblClick) {
        rebuild();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace kazari
