#include "core/app/componentnames.h"
#include "core/app/settings.h"
#include "core/rpg/seededrandom.h"
#include "testsupport/recordinglauncher.h"
#include "testsupport/tempprogramfolder.h"
#include "ui/app/mainwindow.h"
#include "ui/app/messagebox.h"
#include "ui/itemlist/itemlistview.h"
#include "ui/rpg/rpgpanecommands.h"
#include "ui/rpg/rpgview.h"

#include <QAbstractItemView>
#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QPainter>
#include <QSignalSpy>
#include <QSplitter>
#include <QTest>

#include <deque>

using namespace kazari;
using namespace Qt::StringLiterals;

namespace
{

// The program folder of a test: empty, with the build folder's pictures found beside
// the executable.
ProgramFolder folderWithPictures(const test::TempProgramFolder &dir)
{
    ProgramFolder folder = dir.folder();
    folder.setExecutableDir(QStringLiteral(KAZARI_BINARY_DIR));
    return folder;
}

std::unique_ptr<RandomSource> seeded(quint64 seed)
{
    return std::make_unique<SeededRandom>(seed);
}

// The first step of a shortest walk from the player to the goal.
std::optional<Facing> nextStep(const RpgGame &game)
{
    const GameMap &map = game.map();
    const QPoint goal = map.goal();
    std::array<int, 441> from{};
    from.fill(-1);
    std::deque<QPoint> queue{goal};
    from[size_t(goal.y() * 21 + goal.x())] = 4;
    const QPoint steps[4] = {QPoint(0, 1), QPoint(-1, 0), QPoint(1, 0), QPoint(0, -1)};
    while (!queue.empty()) {
        const QPoint at = queue.front();
        queue.pop_front();
        for (int d = 0; d < 4; ++d) {
            const QPoint n = at + steps[d];
            if (!GameMap::contains(n.x(), n.y()) || !GameMap::isPassable(map.cell(n.x(), n.y())) ||
                from[size_t(n.y() * 21 + n.x())] != -1)
                continue;
            from[size_t(n.y() * 21 + n.x())] = 3 - d; // the way back towards `at`
            queue.push_back(n);
        }
    }
    const QPoint p = game.position();
    const int d = from[size_t(p.y() * 21 + p.x())];
    if (d < 0 || d > 3)
        return std::nullopt;
    return static_cast<Facing>(d);
}

QPoint pressPointFor(Facing f, QSize picture)
{
    const int w = picture.width();
    const int h = picture.height();
    switch (f) {
    case Facing::Down:
        return QPoint(w / 2, h - 5);
    case Facing::Left:
        return QPoint(5, h / 2);
    case Facing::Right:
        return QPoint(w - 5, h / 2);
    case Facing::Up:
        return QPoint(w / 2, 5);
    }
    return QPoint();
}

// Stands the player on the goal with no battle in the way.
void walkOntoGoal(RpgView &view)
{
    view.game().setState(RpgGame::Walking);
    view.game().setPosition(view.game().map().goal());
}

} // namespace

class TestRpgView : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void generatedPicturesAreComplete();
    void missingPicture();
    void linesStayInsideANarrowPicture();
    void gateWaitsForTheGoal();
    void twoRequestsAndClose();
    void battleHoldKeepsResponding();
    void walkToTheGoalByPresses();
    void openFromTheItemList();
    void playerKeptBetweenRuns();
    void paneCommands();
    void screenshots();
};

void TestRpgView::generatedPicturesAreComplete()
{
    const QStringList names = RpgPictures::fileNames();
    QCOMPARE(names.size(), 736);
    QCOMPARE(names.first(), u"rpg_image/bmp/map/rpg0.bmp"_s);
    QVERIFY(names.contains(u"rpg_image/bmp/char/$Actor95.bmp"_s));
    QVERIFY(names.contains(u"rpg_image/bmp/mon/mon_281.bmp"_s));
    QVERIFY(names.contains(u"rpg_image/bmp/mon/mon_280r.bmp"_s));
    QVERIFY(!names.contains(u"rpg_image/bmp/mon/mon_281r.bmp"_s));
    const QString base = QStringLiteral(KAZARI_BINARY_DIR "/");
    for (const QString &name : names) {
        QImage image(base + name);
        QVERIFY2(!image.isNull(), qPrintable(name));
        QSize expected;
        if (name.contains(u"/map/"_s))
            expected = QSize(80, 80);
        else if (name.contains(u"/char/"_s))
            expected = QSize(96, 128);
        else if (name.contains(u"/alw/"_s))
            expected = QSize(96, 96);
        else if (name.endsWith(u"black90.bmp"_s))
            expected = QSize(360, 90);
        else if (name.endsWith(u"black300.bmp"_s))
            expected = QSize(360, 360);
        if (expected.isValid())
            QCOMPARE(image.size(), expected);
        else
            QVERIFY(image.width() <= 180 && image.height() <= 128);
        if (!name.contains(u"/char/"_s))
            continue;
        // Every cell holds a figure; the corners are white (transparent). No paint of the
        // figure is white: white not reached from the cell's edge is background caught
        // between limbs, so it borders only on the dark outline.
        for (int cell = 0; cell < 12; ++cell) {
            const QImage c = image.copy(32 * (cell % 3), 32 * (cell / 3), 32, 32);
            const auto white = [&c](int x, int y) {
                return (c.pixel(x, y) & 0xffffff) == 0xffffff;
            };
            int figure = 0;
            std::array<bool, 32 * 32> outside{};
            std::deque<QPoint> queue;
            for (int y = 0; y < 32; ++y) {
                for (int x = 0; x < 32; ++x) {
                    figure += !white(x, y);
                    if ((x == 0 || y == 0 || x == 31 || y == 31) && white(x, y)) {
                        outside[size_t(y * 32 + x)] = true;
                        queue.push_back(QPoint(x, y));
                    }
                }
            }
            while (!queue.empty()) {
                const QPoint p = queue.front();
                queue.pop_front();
                for (const QPoint d : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
                    const QPoint n = p + d;
                    if (n.x() < 0 || n.y() < 0 || n.x() > 31 || n.y() > 31 ||
                        outside[size_t(n.y() * 32 + n.x())] || !white(n.x(), n.y()))
                        continue;
                    outside[size_t(n.y() * 32 + n.x())] = true;
                    queue.push_back(n);
                }
            }
            int holes = 0;
            for (int y = 0; y < 32; ++y) {
                for (int x = 0; x < 32; ++x) {
                    if (!white(x, y) || outside[size_t(y * 32 + x)])
                        continue;
                    for (const QPoint d :
                         {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
                        const QPoint n = QPoint(x, y) + d;
                        if (n.x() >= 0 && n.y() >= 0 && n.x() < 32 && n.y() < 32 &&
                            !white(n.x(), n.y()) && qGray(c.pixel(n.x(), n.y())) > 60)
                            ++holes;
                    }
                }
            }
            QVERIFY2(figure > 150, qPrintable(name));
            QVERIFY2(holes == 0, qPrintable(name + u" cell "_s + QString::number(cell)));
            QCOMPARE(c.pixel(0, 0) & 0xffffff, 0xffffffu);
        }
    }
}

void TestRpgView::missingPicture()
{
    // All pictures but one monster, linked into a fresh program folder.
    test::TempProgramFolder dir;
    const QString missing = u"rpg_image/bmp/mon/mon_100r.bmp"_s;
    for (const QString &name : RpgPictures::fileNames()) {
        if (name == missing)
            continue;
        QDir().mkpath(QFileInfo(dir.file(name)).path());
        QVERIFY(QFile::link(QStringLiteral(KAZARI_BINARY_DIR "/") + name, dir.file(name)));
    }
    RpgView view(dir.folder(), seeded(1));
    QSignalSpy spy(&view, &RpgView::picturesMissing);
    QVERIFY(!view.start());
    QCOMPARE(spy.size(), 1);
    QVERIFY(spy.at(0).at(0).toString().endsWith(dir.file(missing)));
    QVERIFY(!view.isRunning());

    // The rest of the program works: requests go through at once.
    int opened = 0;
    view.requestOpen([&] { ++opened; });
    QCOMPARE(opened, 1);
    QCOMPARE(view.waitingCount(), 0);
    // No game, so nothing overwrites a record kept from an earlier run.
    Settings settings(dir.folder());
    QVERIFY(view.storeRecord(settings));
    QVERIFY(settings.value(RpgGame::settingsKey()).isNull());
    QVERIFY(!view.applyRecord(settings));
}

void TestRpgView::linesStayInsideANarrowPicture()
{
    // The message lines start 4 pixels left of a 320-wide picture, and a status line with
    // large numbers is longer than the picture: both are drawn whole inside it.
    RpgFrame frame;
    RpgFrame::Item line;
    line.kind = RpgFrame::Item::Text;
    line.pos = QPoint(-4, 4);
    line.text = u"LEVEL: 120  HP: 2400 / 2400  ATK: 250  DEF: 247  GOLD: -12000  EXP: 14400"_s;
    frame.items << line;
    QFont font;
    font.setPixelSize(12);
    const int natural = QFontMetrics(font).horizontalAdvance(line.text);
    QVERIFY(natural > 330);

    QImage picture(320, 24, QImage::Format_RGB32);
    picture.fill(Qt::black);
    QPainter painter(&picture);
    RpgPictures().paint(painter, frame, font);
    painter.end();
    int first = -1;
    int last = -1;
    for (int x = 0; x < picture.width(); ++x) {
        for (int y = 0; y < picture.height(); ++y) {
            if (qGray(picture.pixel(x, y)) > 100) {
                if (first < 0)
                    first = x;
                last = x;
                break;
            }
        }
    }
    QVERIFY2(first >= 0 && first <= 3, qPrintable(QString::number(first)));
    QVERIFY2(last < 318 && last > 280, qPrintable(QString::number(last)));
}

void TestRpgView::gateWaitsForTheGoal()
{
    test::TempProgramFolder dir;
    RpgView view(folderWithPictures(dir), seeded(2));
    view.resize(480, 640);
    view.setTimeDivisor(10);
    QSignalSpy status(&view, &RpgView::statusChanged);
    QVERIFY(view.start());
    QCOMPARE(status.size(), 1);
    QCOMPARE(status.at(0).at(0).toString(), u"Status created new"_s);
    QCOMPARE(view.game().mapLevel(), 0);

    int opened = 0;
    QSignalSpy waiting(&view, &RpgView::waitingChanged);
    view.requestOpen([&] { ++opened; });
    QCOMPARE(view.game().mapLevel(), 1);
    QCOMPARE(view.game().position(), QPoint(1, 1));
    QCOMPARE(waiting.size(), 1);
    QTest::qWait(100); // five cycles at least
    QCOMPARE(opened, 0);
    QCOMPARE(view.waitingCount(), 1);

    walkOntoGoal(view);
    QTRY_COMPARE(opened, 1);
    QCOMPARE(view.waitingCount(), 0);
    QCOMPARE(waiting.size(), 2);
    QTest::qWait(100); // still on the goal: released once only
    QCOMPARE(opened, 1);

    // Kept between runs through the settings, written after the view has stopped (as
    // at shutdown).
    view.stop();
    Settings settings(dir.folder());
    QVERIFY(view.storeRecord(settings));
    QCOMPARE(settings.value(RpgGame::settingsKey()), view.game().recordText());
    RpgView next(folderWithPictures(dir), seeded(3));
    QVERIFY(next.start());
    QSignalSpy nextStatus(&next, &RpgView::statusChanged);
    QVERIFY(next.applyRecord(settings));
    QCOMPARE(nextStatus.at(0).at(0).toString(), u"Status loaded db"_s);
    QCOMPARE(next.game().player().img, view.game().player().img);
    QCOMPARE(next.game().player().maxHp, view.game().player().maxHp);
}

void TestRpgView::twoRequestsAndClose()
{
    test::TempProgramFolder dir;
    QStringList log;
    {
        auto view = std::make_unique<RpgView>(folderWithPictures(dir), seeded(4));
        view->resize(480, 640);
        view->setTimeDivisor(10);
        QVERIFY(view->start());

        // A second request makes another floor; reaching its goal releases both, in order.
        view->requestOpen([&] { log << u"a"_s; });
        const QPoint firstGoal = view->game().map().goal();
        view->requestOpen([&] { log << u"b"_s; });
        QCOMPARE(view->game().mapLevel(), 2);
        QCOMPARE(view->waitingCount(), 2);
        if (view->game().map().goal() != firstGoal) {
            view->game().setPosition(firstGoal); // the old goal means nothing now
            QTest::qWait(60);
            QVERIFY(log.isEmpty());
        }
        walkOntoGoal(*view);
        QTRY_COMPARE(log, (QStringList{u"a"_s, u"b"_s}));

        // The close query releases what waits, once.
        view->requestOpen([&] { log << u"c"_s; });
        view->releaseAll();
        QCOMPARE(log.size(), 3);
        view->releaseAll();
        QCOMPARE(log.size(), 3);

        // A request left waiting when the view goes is dropped, never run.
        view->requestOpen([&] { log << u"never"_s; });
        view->stop();
        QCOMPARE(view->waitingCount(), 0);
        view->start();
        view->requestOpen([&] { log << u"never"_s; });
    }
    QCOMPARE(log.size(), 3);
}

void TestRpgView::battleHoldKeepsResponding()
{
    test::TempProgramFolder dir;
    RpgView view(folderWithPictures(dir), seeded(5));
    view.resize(480, 640);
    QVERIFY(view.start()); // the entrance holds its picture for 1000 ms
    view.game().setState(RpgGame::MonsterEntrance);
    QTRY_VERIFY(view.game().battleStepWaiting());
    const QImage held = view.picture();
    QTest::qWait(300);
    // The picture stayed, and the mouse still reaches the game meanwhile.
    QVERIFY(view.game().battleStepWaiting());
    QCOMPARE(view.picture(), held);
    QTest::mousePress(&view, Qt::RightButton, {}, QPoint(30, 40));
    QCOMPARE(view.game().input().x, 30);
    QTest::mouseRelease(&view, Qt::RightButton, {}, QPoint(30, 40));
    QTRY_COMPARE(view.game().state(), int(RpgGame::PlayerAttacks));

    // A new floor ends the battle at once.
    view.requestOpen([] {});
    QCOMPARE(view.game().state(), int(RpgGame::Walking));
    QTest::qWait(100);
    QCOMPARE(view.game().state(), int(RpgGame::Walking));
    view.releaseAll();
}

void TestRpgView::walkToTheGoalByPresses()
{
    test::TempProgramFolder dir;
    RpgView view(folderWithPictures(dir), seeded(6));
    view.resize(480, 640);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    view.setTimeDivisor(4);
    QVERIFY(view.start());
    // A strong player, so that battles are won quickly.
    PlayerRecord strong = view.game().player();
    strong.atk = 1000;
    strong.hp = strong.maxHp = 1000;
    view.game().setPlayer(strong);

    bool opened = false;
    view.requestOpen([&] { opened = true; });
    int battles = 0;
    QElapsedTimer clock;
    clock.start();
    while (!opened && clock.elapsed() < 120000) {
        if (view.game().state() != RpgGame::Walking) {
            ++battles;
            QTRY_COMPARE_WITH_TIMEOUT(view.game().state(), int(RpgGame::Walking), 20000);
            continue;
        }
        const std::optional<Facing> step = nextStep(view.game());
        QVERIFY(step);
        const QPoint from = view.game().position();
        const QPoint at = pressPointFor(*step, view.size());
        QTest::mousePress(&view, Qt::LeftButton, {}, at);
        for (int i = 0; i < 200 && !opened && view.game().position() == from &&
                        view.game().state() == RpgGame::Walking;
             ++i)
            QTest::qWait(5);
        QTest::mouseRelease(&view, Qt::LeftButton, {}, at);
    }
    QVERIFY(opened);
    QCOMPARE(view.game().position(), view.game().map().goal());
    qInfo("reached the goal of floor %d after %d battles", view.game().mapLevel(), battles);
}

void TestRpgView::openFromTheItemList()
{
    MessageBox::reset();
    MessageBox::answerAllWith(QMessageBox::No);
    test::TempProgramFolder dir;
    QDir(dir.path()).mkpath(u"work/sub"_s);
    QVERIFY(dir.writeBytes(u"work/file.txt"_s, "x"));
    QVERIFY(dir.writeBytes(u"work/other.txt"_s, "y"));
    QVERIFY(dir.writeBytes(u"vtl/FileList.img"_s, ""));
    test::RecordingLauncher launcher;
    MainWindow::Options o;
    o.programFolder = folderWithPictures(dir);
    o.arguments = {dir.file(u"work"_s)};
    o.launcher = &launcher;
    MainWindow w(o);
    w.FormCreate();
    w.resize(1100, 760);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    RpgView *view = w.rpgView();
    QVERIFY(view->isRunning());
    view->setTimeDivisor(10);
    const int level = view->game().mapLevel();

    // Enter on a file of the item list: a new floor, and nothing starts yet.
    const QString file = dir.file(u"work/file.txt"_s);
    w.itemListView()->selectPaths({file}, file);
    QAbstractItemView *list = w.itemListView()->currentView();
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Return);
    QCOMPARE(view->waitingCount(), 1);
    QCOMPARE(view->game().mapLevel(), level + 1);
    QTest::qWait(100);
    QVERIFY(launcher.opened.isEmpty());

    // What was selected at the request opens, whatever is selected by the time the
    // player reaches the goal.
    const QString other = dir.file(u"work/other.txt"_s);
    w.itemListView()->selectPaths({other}, other);
    view->game().setState(RpgGame::Walking);
    view->game().setPosition(view->game().map().goal());
    QTRY_COMPARE(launcher.opened, QStringList{file});
    QCOMPARE(view->waitingCount(), 0);
    QVERIFY(dir.readBytes(u"vtl/FileList.img"_s).contains("file.txt"));

    // A folder waits too, and is then shown in the item list.
    const QString sub = dir.file(u"work/sub"_s);
    w.itemListView()->selectPaths({sub}, sub);
    w.openSelection();
    QTest::qWait(60);
    QCOMPARE(w.currentFolder(), dir.file(u"work"_s) + u"/"_s);
    view->game().setState(RpgGame::Walking);
    view->game().setPosition(view->game().map().goal());
    QTRY_COMPARE(w.currentFolder(), sub + u"/"_s);
    QCOMPARE(launcher.opened.size(), 1);
}

void TestRpgView::playerKeptBetweenRuns()
{
    MessageBox::reset();
    MessageBox::answerAllWith(QMessageBox::No);
    test::TempProgramFolder dir;
    QVERIFY(dir.writeBytes(u"exe.ini"_s, "TreePanel=1\r\npath1=1\r\n"));
    MainWindow::Options o;
    o.programFolder = folderWithPictures(dir);
    QString kept;
    {
        MainWindow w(o);
        w.FormCreate();
        w.show();
        PlayerRecord p = w.rpgView()->game().player();
        p.gold = 4321;
        p.level = 7;
        w.rpgView()->game().setPlayer(p);
        kept = w.rpgView()->game().recordText();
        w.close();
    }
    Settings written(dir.folder());
    QVERIFY(written.load());
    QCOMPARE(written.value(RpgGame::settingsKey()), kept);

    MainWindow next(o);
    next.FormCreate();
    const PlayerRecord &p = next.rpgView()->game().player();
    QCOMPARE(p.gold, 4321);
    QCOMPARE(p.level, 7);
    QCOMPARE(p.name, u"LogIned_TsyFilerUser"_s);
    QCOMPARE(next.findChild<QLabel *>(u"Panel31"_s)->text(), u"Status loaded db"_s);
}

void TestRpgView::paneCommands()
{
    QSplitter splitter;
    auto *pane = new QWidget;
    auto *list = new QWidget;
    splitter.addWidget(pane);
    splitter.addWidget(list);
    splitter.resize(800, 600);
    splitter.show();
    QVERIFY(QTest::qWaitForWindowExposed(&splitter));
    RpgPaneCommands commands(pane, list);
    QCOMPARE(commands.paneAction()->objectName(), Component::FolderPane);
    QCOMPARE(commands.paneAction()->shortcut(), QKeySequence(u"Ctrl+5"_s));
    QVERIFY(commands.paneAction()->isChecked());

    commands.togglePane();
    QVERIFY(pane->isHidden());
    QVERIFY(!commands.paneAction()->isChecked());
    commands.togglePane();
    QVERIFY(!pane->isHidden());
    QVERIFY(splitter.sizes().at(0) > 0);

    commands.toggleBlackPicture();
    QVERIFY(commands.blackPictureShown());
    QWidget *black = list->findChild<QWidget *>(u"Image8"_s);
    QVERIFY(black);
    QCOMPARE(black->geometry(), list->rect());
    QCOMPARE(black->grab().toImage().pixel(5, 5), qRgb(0, 0, 0));
    splitter.resize(700, 500);
    QTRY_COMPARE(black->geometry(), list->rect());
    commands.toggleBlackPicture();
    QVERIFY(!commands.blackPictureShown());
    QVERIFY(!list->isHidden());
}

// Pictures of the game's situations for a person to look at: set KAZARI_RPG_SHOTS to a
// folder to get them.
void TestRpgView::screenshots()
{
    const QString out = qEnvironmentVariable("KAZARI_RPG_SHOTS");
    if (out.isEmpty())
        QSKIP("KAZARI_RPG_SHOTS not set");
    QDir().mkpath(out);
    test::TempProgramFolder dir;
    RpgView view(folderWithPictures(dir), seeded(7));
    view.resize(480, 640);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    view.setTimeDivisor(4);
    QVERIFY(view.start());
    view.game().setPosition(QPoint(5, 5));
    QTest::qWait(120);
    view.picture().save(out + u"/walking.png"_s);
    QTest::mousePress(&view, Qt::LeftButton, {}, QPoint(475, 320));
    QTest::qWait(160);
    view.picture().save(out + u"/walking-held.png"_s);
    QTest::mouseRelease(&view, Qt::LeftButton, {}, QPoint(475, 320));

    auto capture = [&](int state, const QString &name) {
        QTRY_VERIFY_WITH_TIMEOUT(view.game().state() == state && view.game().battleStepWaiting(),
                                 20000);
        view.picture().save(out + u"/"_s + name + u".png"_s);
    };
    PlayerRecord p = view.game().player();
    p.atk = 4;
    p.hp = p.maxHp = 60;
    view.game().setPlayer(p);
    view.game().setMapLevel(40);
    view.game().setState(RpgGame::MonsterEntrance);
    capture(RpgGame::MonsterEntrance, u"battle-entrance"_s);
    capture(RpgGame::PlayerAttacks, u"battle-strike"_s);
    capture(RpgGame::MonsterAttacks, u"battle-hit"_s);
    capture(RpgGame::Lost, u"lost"_s);
    QTRY_COMPARE_WITH_TIMEOUT(view.game().state(), int(RpgGame::Walking), 20000);

    p = view.game().player();
    p.atk = 5000;
    p.exp = 2000;
    view.game().setPlayer(p);
    view.game().setState(RpgGame::MonsterEntrance);
    capture(RpgGame::Won, u"won"_s);
    QTRY_COMPARE_WITH_TIMEOUT(view.game().state(), int(RpgGame::Walking), 20000);

    QTest::mouseClick(&view, Qt::RightButton, {}, QPoint(240, 320));
    QTRY_COMPARE(view.game().state(), int(RpgGame::CharacterSelection));
    QTest::qWait(120);
    view.picture().save(out + u"/selection.png"_s);
    for (int i = 0; i < 3; ++i) {
        QTest::mouseClick(&view, Qt::RightButton, {}, QPoint(10, 10));
        QTest::qWait(120);
    }
    view.picture().save(out + u"/selection-last-page.png"_s);
    if (qEnvironmentVariableIsSet("KAZARI_RPG_SHOTS_HOLD"))
        QTest::qWait(qEnvironmentVariableIntValue("KAZARI_RPG_SHOTS_HOLD"));
}

QTEST_MAIN(TestRpgView)
#include "tst_rpgview.moc"
