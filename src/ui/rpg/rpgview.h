#pragma once

#include "core/platform/programfolder.h"
#include "core/rpg/randomsource.h"
#include "core/rpg/rpggame.h"
#include "ui/rpg/rpgpictures.h"

#include <QImage>
#include <QList>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

namespace kazari
{

class Settings;

/// The folder pane's maze game (`Image7` with its game): the picture, the mouse, the
/// 200 ms frame timer `Timer2`, the 200 ms game cycle and the open gate.
///
/// Usage by the main window:
///
///     auto *view = new RpgView(programFolder, nullptr, folderPane); // clock-seeded
///     connect(view, &RpgView::picturesMissing, this, showMessageBox);
///     connect(view, &RpgView::statusChanged, panel31, &QLabel::setText);
///     view->start();                // start-up: black picture, game, frame timer
///     view->applyRecord(settings);  // the player kept from the last run, if any
///
///     // Opening items: snapshot what is to be opened, then
///     view->requestOpen([this, items] { openItems(items); });
///
///     // Close query, before anything is torn down:
///     view->releaseAll();           // waiting requests open now
///     view->storeRecord(settings);  // into exe.ini when it exists
///     view->stop();
///
/// Everything runs on the main thread. A battle step's picture stays for 1 or 2 seconds
/// while the window goes on responding. The picture always has the widget's size; the
/// main window gives the widget the width of `Panel31` and the pane's height less 48.
class RpgView : public QWidget
{
    Q_OBJECT

public:
    /// `random` is the game's random source; none means a generator seeded from the
    /// clock.
    explicit RpgView(ProgramFolder folder, std::unique_ptr<RandomSource> random = nullptr,
                     QWidget *parent = nullptr);
    ~RpgView() override;

    /// Clears the picture to black, loads the pictures, starts the game (new player,
    /// first floor, wanderers), draws a frame and starts the timers. A missing or
    /// unreadable picture file emits `picturesMissing` once and leaves the pane black;
    /// the open gate then lets every request through at once. Returns whether the game
    /// runs.
    bool start();
    /// Stops the timers (shutdown); a later `start` goes on with the same game.
    /// Requests still waiting are dropped without running: call `releaseAll` first.
    void stop();
    bool isRunning() const { return m_running; }

    /// The open gate. With the game running: makes a new floor and keeps `continuation`
    /// until the player stands on that floor's goal; every request waiting then runs, in
    /// order, once. Without the game the continuation runs at once, before this returns.
    /// The continuation must carry its own copy of what is to be opened.
    void requestOpen(std::function<void()> continuation);
    /// Runs every waiting request now (the close query).
    void releaseAll();
    int waitingCount() const { return static_cast<int>(m_waiting.size()); }

    /// Applies the player record kept in the settings (after `start`); false when none
    /// is kept, it is refused, or the game never started.
    bool applyRecord(const Settings &settings);
    /// Keeps the player record in the settings (and in `exe.ini` when it exists), also
    /// after `stop`; nothing is written when the game never started.
    bool storeRecord(Settings &settings, QString *error = nullptr) const;

    /// The game and the picture as they stand (for tests and tools).
    RpgGame &game() { return *m_game; }
    const RpgGame &game() const { return *m_game; }
    const QImage &picture() const { return m_picture; }

    /// Runs every interval and hold this many times faster (tests).
    void setTimeDivisor(int divisor);

    QSize sizeHint() const override { return QSize(320, 480); }
    QSize minimumSizeHint() const override { return QSize(320, 480); }

Q_SIGNALS:
    /// A picture file could not be loaded; `message` names it.
    void picturesMissing(const QString &message);
    /// The status panel's text ("Status created new", "Status loaded db").
    void statusChanged(const QString &text);
    /// Whether open requests wait for the goal.
    void waitingChanged(bool waiting);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void drawFrame();
    void runGameCycle();
    void holdEnded();
    void endHold();
    void releaseWaiting();
    int scaled(int ms) const { return qMax(1, ms / m_timeDivisor); }

    ProgramFolder m_folder;
    std::unique_ptr<RandomSource> m_random;
    std::unique_ptr<RpgGame> m_game;
    RpgPictures m_pictures;
    QImage m_picture;
    QFont m_textFont;
    QTimer m_timer2;
    QTimer m_gameTimer;
    QTimer m_holdTimer;
    QList<std::function<void()>> m_waiting;
    bool m_running = false;
    bool m_holding = false;
    int m_timeDivisor = 1;
};

} // namespace kazari
