#include "core/viewer/stickynotecontent.h"

#include <QTest>

using namespace kazari;
using namespace Qt::StringLiterals;
using Variant = StickyNoteContent::Variant;
using Colour = StickyNoteContent::Colour;

namespace
{

const QDate Today(2026, 3, 10);

QDateTime at(int hour, int minute = 0)
{
    return QDateTime(Today, QTime(hour, minute));
}

FileAnnotationRec task(const QString &start, const QString &end)
{
    FileAnnotationRec a;
    a.TS = start;
    a.TE = end;
    return a;
}

} // namespace

class TestStickyNoteContent : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void times_data();
    void times();
    void barsStayInTheirRange_data();
    void barsStayInTheirRange();
    void taskLines();
    void importanceAndLabelColours_data();
    void importanceAndLabelColours();
    void placement_data();
    void placement();
};

void TestStickyNoteContent::times_data()
{
    QTest::addColumn<FileAnnotationRec>("annotation");
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<QString>("whole");
    QTest::addColumn<QString>("remaining");
    QTest::addColumn<int>("bar");
    QTest::addColumn<QString>("percent");
    QTest::addColumn<bool>("warning"); // tooltip colour and red text

    const QString nine = u"2026/03/10,9:00:00"_s;
    const QString five = u"2026/03/10,17:00:00"_s;
    QTest::newRow("half way") << task(nine, five) << at(13) << u"全体時間: 8.0 h"_s
                              << u"残り時間: 4.0 h"_s << 50 << u"50 %"_s << false;
    QTest::newRow("a quarter gone") << task(nine, five) << at(11) << u"全体時間: 8.0 h"_s
                                    << u"残り時間: 6.0 h"_s << 75 << u"75 %"_s << false;
    QTest::newRow("deadline before start") << task(five, nine) << at(8) << u"全体時間: -8.0 h"_s
                                           << u"残り時間: 1.0 h"_s << 0 << u"-12 %"_s << true;
    QTest::newRow("deadline passed") << task(nine, five) << at(21) << u"全体時間: 8.0 h"_s
                                     << u"残り時間: -4.0 h"_s << 0 << u"-50 %"_s << true;
    QTest::newRow("not started") << task(nine, five) << at(7) << u"全体時間: 8.0 h"_s
                                 << u"残り時間: 10.0 h"_s << 100 << QString() << false;
    QTest::newRow("no length") << task(nine, nine) << at(13) << u"全体時間: 0.0 h"_s
                               << u"残り時間: 0.0 h"_s << 0 << QString() << false;
    QTest::newRow("no times") << FileAnnotationRec() << at(13) << u"全体時間: 0.0 h"_s
                              << u"残り時間: 0.0 h"_s << 0 << QString() << false;
    QTest::newRow("deadline without time")
        << task(nine, u"2026/03/10"_s) << at(13) << u"全体時間: 0.0 h"_s << u"残り時間: 0.0 h"_s
        << 0 << QString() << false;
    QTest::newRow("bad start date")
        << task(u"2026/13/40,9:00:00"_s, five) << at(13) << u"全体時間: 0.0 h"_s
        << u"残り時間: 0.0 h"_s << 0 << QString() << false;
}

void TestStickyNoteContent::times()
{
    QFETCH(FileAnnotationRec, annotation);
    QFETCH(QDateTime, now);
    QFETCH(QString, whole);
    QFETCH(QString, remaining);
    QFETCH(int, bar);
    QFETCH(QString, percent);
    QFETCH(bool, warning);

    const StickyNoteContent::Content c =
        StickyNoteContent::fill(Variant::Task, u"plan.txt"_s, annotation, now);
    QCOMPARE(c.wholeTime, whole);
    QCOMPARE(c.remainingTime, remaining);
    QCOMPARE(c.remainingBar, bar);
    QCOMPARE(c.remainingPercent, percent);
    QCOMPARE(c.redText, warning);
    QCOMPARE(c.colour == Colour::Tooltip, warning);
    QCOMPARE(c.remainingLabel, u"残り時間"_s);
}

void TestStickyNoteContent::barsStayInTheirRange_data()
{
    QTest::addColumn<QString>("cmp");
    QTest::addColumn<int>("achievement");

    QTest::newRow("in range") << u"40"_s << 40;
    QTest::newRow("above") << u"250"_s << 100;
    QTest::newRow("below") << u"-30"_s << 0;
    QTest::newRow("not a number") << u"lots"_s << 0;
    QTest::newRow("absent") << QString() << 0;
    QTest::newRow("beyond int") << u"99999999999"_s << 0;
}

void TestStickyNoteContent::barsStayInTheirRange()
{
    QFETCH(QString, cmp);
    QFETCH(int, achievement);
    FileAnnotationRec a;
    a.cmp = cmp;
    const StickyNoteContent::Content c = StickyNoteContent::fill(Variant::Task, u"x"_s, a, at(12));
    QCOMPARE(c.achievement, achievement);
    // The line shows what the bar shows.
    QCOMPARE(c.achievementLine, u"達成率: "_s + QString::number(achievement) + u"％"_s);

    // Long past the deadline the remaining share is far below zero: the bar shows 0.
    const StickyNoteContent::Content late = StickyNoteContent::fill(
        Variant::Task, u"x"_s, task(u"2020/01/01,0:00:00"_s, u"2020/01/01,1:00:00"_s), at(12));
    QCOMPARE(late.remainingBar, 0);
    QVERIFY(late.remainingPercent.startsWith(u'-'));
}

void TestStickyNoteContent::taskLines()
{
    FileAnnotationRec a = task(u"2026/03/10,9:00:00"_s, u"2026/03/11,9:00:00"_s);
    a.cmt = u"見積もり"_s;
    a.comp = u"0"_s;
    a.impN = u"3,2026/03/11,8:30:00"_s;
    StickyNoteContent::Content c = StickyNoteContent::fill(Variant::Task, u"plan.txt"_s, a, at(9));
    QCOMPARE(c.fileName, u"ファイル名: plan.txt"_s);
    QCOMPARE(c.comment, u"コメント: 見積もり"_s);
    QCOMPARE(c.start, u"開始: 2026/03/10,9:00:00"_s);
    QCOMPARE(c.deadline, u"期日: 2026/03/11,9:00:00"_s);
    QCOMPARE(c.method, u"通知方法: 期日"_s);
    QCOMPARE(c.notification, u"通知: 2026/03/11,8:30:00"_s);
    QCOMPARE(c.completionLine, u"<< 未完了 >>"_s);
    QCOMPARE(c.completion, StickyNoteContent::Completion::Open);
    QCOMPARE(c.importance, u"重要度: なし"_s);
    QCOMPARE(c.colour, Colour::ButtonFace);

    a.comp = u"1"_s;
    a.impN = u"x"_s;
    a.cmt.clear();
    c = StickyNoteContent::fill(Variant::Task, u"plan.txt"_s, a, at(9));
    QCOMPARE(c.completionLine, u"<< 完了 >>"_s);
    QCOMPARE(c.completion, StickyNoteContent::Completion::Completed);
    QCOMPARE(c.method, u"通知方法: なし"_s);
    QCOMPARE(c.comment, u"コメント: なし"_s);

    c = StickyNoteContent::fill(Variant::Task, u"plan.txt"_s, FileAnnotationRec(), at(9));
    QCOMPARE(c.completionLine, QString());
    QCOMPARE(c.completion, StickyNoteContent::Completion::None);
    QCOMPARE(c.start, u"開始: なし"_s);
    QCOMPARE(c.deadline, u"期日: なし"_s);
    QCOMPARE(c.notification, u"通知: なし"_s);
    QCOMPARE(c.method, u"通知方法: なし"_s);
    QCOMPARE(StickyNoteContent::clientSize(Variant::Task), QSize(252, 162));
    QCOMPARE(StickyNoteContent::clientSize(Variant::Comment), QSize(252, 44));
}

void TestStickyNoteContent::importanceAndLabelColours_data()
{
    QTest::addColumn<int>("variant");
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("colour");
    QTest::addColumn<int>("setting");
    QTest::addColumn<QString>("line");

    const int task = int(Variant::Task);
    const int comment = int(Variant::Comment);
    QTest::newRow("imp absent") << task << QString() << int(Colour::ButtonFace) << 0
                                << u"重要度: なし"_s;
    QTest::newRow("imp 0") << task << u"0"_s << int(Colour::Setting) << 0 << u"重要度: なし"_s;
    QTest::newRow("imp 1") << task << u"1"_s << int(Colour::Setting) << 1 << u"重要度: 低"_s;
    QTest::newRow("imp 2") << task << u"2"_s << int(Colour::Setting) << 2 << u"重要度: 普通"_s;
    QTest::newRow("imp 3") << task << u"3"_s << int(Colour::Setting) << 3 << u"重要度: 高"_s;
    QTest::newRow("imp 4") << task << u"4"_s << int(Colour::Setting) << 4 << u"重要度: 至急"_s;
    QTest::newRow("imp 7") << task << u"7"_s << int(Colour::Setting) << 5 << u"重要度: なし"_s;
    QTest::newRow("imp text") << task << u"high"_s << int(Colour::Setting) << 5
                              << u"重要度: なし"_s;
    QTest::newRow("label absent") << comment << QString() << int(Colour::ButtonFace) << 0
                                  << QString();
    QTest::newRow("label 0") << comment << u"0"_s << int(Colour::Red) << 0 << QString();
    QTest::newRow("label 1") << comment << u"1"_s << int(Colour::Yellow) << 0 << QString();
    QTest::newRow("label 2") << comment << u"2"_s << int(Colour::Green) << 0 << QString();
    QTest::newRow("label 3") << comment << u"3"_s << int(Colour::Blue) << 0 << QString();
    QTest::newRow("label 9") << comment << u"9"_s << int(Colour::Silver) << 0 << QString();
    QTest::newRow("label text") << comment << u"red"_s << int(Colour::Silver) << 0 << QString();
}

void TestStickyNoteContent::importanceAndLabelColours()
{
    QFETCH(int, variant);
    QFETCH(QString, value);
    QFETCH(int, colour);
    QFETCH(int, setting);
    QFETCH(QString, line);
    FileAnnotationRec a;
    if (Variant(variant) == Variant::Task) {
        a.imp = value;
        a.label = u"0"_s; // the task variant does not look at the label
    } else {
        a.label = value;
        a.imp = u"4"_s; // nor the comment variant at the importance
    }
    const StickyNoteContent::Content c =
        StickyNoteContent::fill(Variant(variant), u"x"_s, a, at(12));
    QCOMPARE(int(c.colour), colour);
    if (c.colour == Colour::Setting)
        QCOMPARE(c.settingIndex, setting);
    QCOMPARE(c.importance, line);
}

void TestStickyNoteContent::placement_data()
{
    QTest::addColumn<QRect>("screen");
    QTest::addColumn<QPoint>("mouse");
    QTest::addColumn<QPoint>("topLeft");

    const QRect screen(0, 0, 1280, 900);
    const QSize note(252, 162);
    QTest::newRow("upper left") << screen << QPoint(100, 100) << QPoint(108, 108);
    QTest::newRow("upper right: top edge above the pointer")
        << screen << QPoint(1000, 100) << QPoint(1000 - 8 - note.width(), 92);
    QTest::newRow("lower left") << screen << QPoint(100, 800)
                                << QPoint(92, 800 - 8 - note.height());
    QTest::newRow("lower right") << screen << QPoint(1000, 800)
                                 << QPoint(1000 - 8 - note.width(), 800 - 8 - note.height());
    QTest::newRow("centre counts as lower right")
        << screen << QPoint(640, 450) << QPoint(640 - 8 - note.width(), 450 - 8 - note.height());
    // A second screen to the right: the quarters are its own.
    QTest::newRow("second screen")
        << QRect(1280, 0, 1000, 800) << QPoint(1300, 10) << QPoint(1308, 18);
}

void TestStickyNoteContent::placement()
{
    QFETCH(QRect, screen);
    QFETCH(QPoint, mouse);
    QFETCH(QPoint, topLeft);
    QCOMPARE(StickyNoteContent::place(mouse, screen, QSize(252, 162)), topLeft);
}

QTEST_GUILESS_MAIN(TestStickyNoteContent)
#include "tst_stickynotecontent.moc"
