#include "ui/rpg/rpgview.h"

#include "core/app/settings.h"
#include "core/rpg/rpgframe.h"
#include "core/rpg/seededrandom.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

namespace kazari
{

namespace
{

constexpr int FrameMs = 200;
constexpr int CycleMs = 200;

} // namespace

RpgView::RpgView(ProgramFolder folder, std::unique_ptr<RandomSource> random, QWidget *parent)
    : QWidget(parent)
    , m_folder(std::move(folder))
    , m_random(random ? std::move(random)
                      : std::make_unique<SeededRandom>(SeededRandom::clockSeed()))
    , m_game(std::make_unique<RpgGame>(*m_random))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    // The status line is long: a slightly narrow face keeps it inside its window.
    m_textFont = font();
    m_textFont.setPixelSize(12);
    m_textFont.setLetterSpacing(QFont::PercentageSpacing, 96);
    m_picture = QImage(size(), QImage::Format_RGB32);
    m_picture.fill(Qt::black);
    connect(&m_timer2, &QTimer::timeout, this, &RpgView::drawFrame);
    connect(&m_gameTimer, &QTimer::timeout, this, &RpgView::runGameCycle);
    m_holdTimer.setSingleShot(true);
    connect(&m_holdTimer, &QTimer::timeout, this, &RpgView::holdEnded);
}

// Requests still waiting are dropped: by now their owner may be gone.
RpgView::~RpgView() = default;

void RpgView::setTimeDivisor(int divisor)
{
    m_timeDivisor = qMax(1, divisor);
    if (m_running) {
        m_timer2.start(scaled(FrameMs));
        m_gameTimer.start(scaled(CycleMs));
    }
}

bool RpgView::start()
{
    if (m_running)
        return true;
    if (m_pictures.isLoaded()) {
        // Started before and stopped: the same game goes on.
        m_running = true;
        m_gameTimer.start(scaled(CycleMs));
        m_timer2.start(scaled(FrameMs));
        return true;
    }
    m_picture.fill(Qt::black);
    update();
    QString failed;
    if (!m_pictures.load(m_folder, &failed)) {
        Q_EMIT picturesMissing(QStringLiteral(u"RPG の画像ファイルを読み込めません: ") + failed);
        return false;
    }
    m_game->start();
    Q_EMIT statusChanged(m_game->statusText());
    m_running = true;
    m_gameTimer.start(scaled(CycleMs));
    drawFrame();
    m_timer2.start(scaled(FrameMs));
    return true;
}

void RpgView::stop()
{
    m_timer2.stop();
    m_gameTimer.stop();
    endHold();
    m_running = false;
    if (!m_waiting.isEmpty()) {
        m_waiting.clear();
        Q_EMIT waitingChanged(false);
    }
}

void RpgView::requestOpen(std::function<void()> continuation)
{
    if (!continuation)
        return;
    if (!m_running) {
        continuation();
        return;
    }
    m_game->setGoalFlag(false);
    m_game->newMap();
    endHold();
    m_waiting.append(std::move(continuation));
    if (m_waiting.size() == 1)
        Q_EMIT waitingChanged(true);
}

void RpgView::releaseAll()
{
    m_game->setGoalFlag(true);
    releaseWaiting();
}

void RpgView::releaseWaiting()
{
    if (m_waiting.isEmpty())
        return;
    // Taken out first: a continuation may ask to open again, or end this view.
    QList<std::function<void()>> batch;
    batch.swap(m_waiting);
    Q_EMIT waitingChanged(false);
    for (const std::function<void()> &continuation : batch)
        continuation();
}

bool RpgView::applyRecord(const Settings &settings)
{
    if (!m_pictures.isLoaded() || !m_game->applyRecord(settings))
        return false;
    Q_EMIT statusChanged(m_game->statusText());
    update();
    return true;
}

bool RpgView::storeRecord(Settings &settings, QString *error) const
{
    // Shutdown stops the view before the settings are written; what counts is whether
    // the game ever ran.
    if (!m_pictures.isLoaded())
        return true;
    return m_game->storeRecord(settings, error);
}

void RpgView::runGameCycle()
{
    if (!m_running)
        return;
    m_game->gameCycle(m_picture.width(), m_picture.height());
    if (m_game->goalFlag() && !m_waiting.isEmpty())
        releaseWaiting();
}

void RpgView::drawFrame()
{
    if (!m_running || m_holding)
        return;
    const RpgFrame frame = RpgFrame::compose(*m_game, m_picture.size(), m_pictures.sizes());
    if (!m_picture.isNull()) {
        m_picture.fill(Qt::black);
        QPainter painter(&m_picture);
        m_pictures.paint(painter, frame, m_textFont);
    }
    update();
    if (frame.holdMs > 0) {
        // The step's picture stays; the window keeps responding meanwhile.
        m_holding = true;
        m_holdTimer.start(scaled(frame.holdMs));
    }
}

void RpgView::holdEnded()
{
    m_holding = false;
    m_game->finishBattleStep();
    if (!m_running)
        return;
    drawFrame();
    m_timer2.start(scaled(FrameMs));
}

void RpgView::endHold()
{
    m_holdTimer.stop();
    m_holding = false;
}

void RpgView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawImage(0, 0, m_picture);
    if (m_picture.width() < width() || m_picture.height() < height()) {
        painter.fillRect(m_picture.width(), 0, width() - m_picture.width(), height(), Qt::black);
        painter.fillRect(0, m_picture.height(), width(), height() - m_picture.height(), Qt::black);
    }
}

void RpgView::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (m_picture.size() == size())
        return;
    // The picture takes the new size; what it showed stays until the next frame.
    QImage resized(size(), QImage::Format_RGB32);
    resized.fill(Qt::black);
    if (!resized.isNull() && !m_picture.isNull()) {
        QPainter painter(&resized);
        painter.drawImage(0, 0, m_picture);
    }
    m_picture = resized;
}

void RpgView::mousePressEvent(QMouseEvent *event)
{
    if (m_running) {
        const QPoint at = event->position().toPoint();
        m_game->press(at.x(), at.y(), m_picture.width(), m_picture.height(),
                      event->button() == Qt::LeftButton);
    }
    event->accept();
}

void RpgView::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_running)
        m_game->release();
    event->accept();
}

} // namespace kazari
