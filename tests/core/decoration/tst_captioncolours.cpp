#include "core/app/componentnames.h"
#include "core/app/settings.h"
#include "core/decoration/captioncolours.h"

#include <QTest>

using namespace kazari;
using namespace Qt::StringLiterals;

namespace
{

const QDateTime Now(QDate(2024, 5, 1), QTime(12, 0));
const QColor Font(10, 10, 10);
const QColor Aqua(0, 255, 255), Red(255, 0, 0), Yellow(255, 255, 0), Blue(0, 0, 255);
const QColor Gray(128, 128, 128), Black(0, 0, 0), White(255, 255, 255);

} // namespace

class TestCaptionColours : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void decide_data();
    void decide();
    void paletteFromSettings();
};

void TestCaptionColours::decide_data()
{
    // switches: "owner" (owner-data list), "-N77", "N79", "N117", "new" (not requested);
    // attributes: d folder, s system, r read-only, h hidden;
    // caption: a colour number or -1; task: "" none, "done", "open", or
    // "open S E" with start and end as seconds from now ("x" for absent).
    QTest::addColumn<QString>("switches");
    QTest::addColumn<QString>("attributes");
    QTest::addColumn<int>("caption");
    QTest::addColumn<QString>("task");
    QTest::addColumn<QColor>("text");
    QTest::addColumn<QColor>("background"); // invalid: none
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("dimmed");

    const QColor none;
    QTest::newRow("not requested yet")
        << u"new"_s << u"d"_s << 0xFFFF << u"done"_s << Font << none << false << false;
    QTest::newRow("caption labels off")
        << u"-N77"_s << u"d"_s << 0xFFFF << u""_s << Font << none << false << false;
    QTest::newRow("folder bold") << u""_s << u"d"_s << -1 << u""_s << Blue << none << true << false;
    QTest::newRow("read-only before hidden")
        << u""_s << u"rh"_s << -1 << u""_s << Blue << none << false << false;
    QTest::newRow("hidden dimmed")
        << u""_s << u"h"_s << -1 << u""_s << Gray << none << false << true;
    QTest::newRow("hidden folder")
        << u""_s << u"dh"_s << -1 << u""_s << Gray << none << true << true;
    QTest::newRow("system first") << u""_s << u"srh"_s << -1 << u""_s << Red << none << false
                                  << false;
    QTest::newRow("clYellow: black text")
        << u""_s << u"d"_s << 0x00FFFF << u""_s << Black << Yellow << true << false;
    QTest::newRow("clNavy: white text")
        << u""_s << u""_s << 0x800000 << u""_s << White << QColor(0, 0, 128) << false << false;
    QTest::newRow("owner data: last attribute")
        << u"owner"_s << u"drh"_s << -1 << u""_s << Gray << none << false << false;
    QTest::newRow("owner data: no task colour")
        << u"owner N79 N117"_s << u""_s << -1 << u"done"_s << Font << none << false << false;
    QTest::newRow("task info done")
        << Component::ViewTaskDetails << u""_s << -1 << u"done"_s << Font << Aqua << false << false;
    QTest::newRow("task info open over caption") << Component::ViewTaskDetails << u""_s << 0x800000
                                                 << u"open"_s << White << Red << false << false;
    QTest::newRow("progress: no dates") << Component::TaskCaptionColours << u""_s << -1 << u"open"_s
                                        << Font << White << false << false;
    QTest::newRow("progress: done") << Component::TaskCaptionColours << u""_s << -1 << u"done"_s
                                    << Font << Aqua << false << false;
    QTest::newRow("progress: overdue") << Component::TaskCaptionColours << u""_s << -1
                                       << u"open -20 -10"_s << Font << Red << false << false;
    QTest::newRow("progress: not started") << Component::TaskCaptionColours << u""_s << -1
                                           << u"open 10 20"_s << Font << Yellow << false << false;
    QTest::newRow("progress: start now") << Component::TaskCaptionColours << u""_s << -1
                                         << u"open 0 20"_s << Font << Yellow << false << false;
    // round(127.5) = 128: 0xFFFF - 0x8000 = 0x7FFF.
    QTest::newRow("progress: halfway")
        << Component::TaskCaptionColours << u""_s << -1 << u"open -1 1"_s << Font
        << QColor(255, 127, 0) << false << false;
    QTest::newRow("progress: at the end") << Component::TaskCaptionColours << u""_s << -1
                                          << u"open -10 0"_s << Font << Red << false << false;
    QTest::newRow("progress: only end, before")
        << Component::TaskCaptionColours << u""_s << -1 << u"open x 10"_s << Font << Yellow << false
        << false;
    QTest::newRow("progress: only end, after") << Component::TaskCaptionColours << u""_s << -1
                                               << u"open x -10"_s << Font << Red << false << false;
    QTest::newRow("progress after task info")
        << u"N79 N117"_s << u""_s << -1 << u"open"_s << Font << White << false << false;
}

void TestCaptionColours::decide()
{
    QFETCH(QString, switches);
    QFETCH(QString, attributes);
    QFETCH(int, caption);
    QFETCH(QString, task);
    QFETCH(QColor, text);
    QFETCH(QColor, background);
    QFETCH(bool, bold);
    QFETCH(bool, dimmed);

    const QStringList on = switches.split(u' ', Qt::SkipEmptyParts);
    DecorationFlags flags;
    flags.ownerData = on.contains(u"owner"_s);
    flags.captionLabels = !on.contains(u"-N77"_s);
    flags.taskColumns = on.contains(Component::ViewTaskDetails);
    flags.taskCaptionColours = on.contains(Component::TaskCaptionColours);

    CaptionRequest r;
    r.requested = !on.contains(u"new"_s);
    r.fontColour = Font;
    r.now = Now;
    r.attributes.folder = attributes.contains(u'd');
    r.attributes.system = attributes.contains(u's');
    r.attributes.readOnly = attributes.contains(u'r');
    r.attributes.hidden = attributes.contains(u'h');
    if (caption >= 0)
        r.values.captionColour = caption;
    const QStringList t = task.split(u' ', Qt::SkipEmptyParts);
    if (!t.isEmpty())
        r.values.completed = t.at(0) == u"done"_s;
    if (t.size() == 3) {
        if (t.at(1) != u"x"_s)
            r.values.taskStart = Now.addSecs(t.at(1).toInt());
        if (t.at(2) != u"x"_s)
            r.values.taskEnd = Now.addSecs(t.at(2).toInt());
    }

    const CaptionStyle style = CaptionColours::decide(flags, CaptionPalette(), r);
    QCOMPARE(style.text, text);
    QCOMPARE(style.background.value_or(QColor()), background);
    QCOMPARE(style.bold, bold);
    QCOMPARE(style.dimmed, dimmed);
}

void TestCaptionColours::paletteFromSettings()
{
    Settings settings;
    settings.loadDefaults();
    CaptionPalette p = CaptionPalette::fromSettings(settings);
    QCOMPARE(p.hidden, Gray);
    QVERIFY(p.boldFolders);
    settings.setValue(u"cl_Hidden"_s, u"clMaroon"_s);
    settings.setValue(u"cl_Ycomp"_s, u"65280"_s);
    settings.setValue(u"cl_Ncomp"_s, u"not a colour"_s);
    settings.setValue(u"fs_Directory"_s, u"0"_s);
    p = CaptionPalette::fromSettings(settings);
    QCOMPARE(p.hidden, QColor(128, 0, 0));
    QCOMPARE(p.taskFinished, QColor(0, 255, 0));
    QCOMPARE(p.taskOpen, Red);
    QVERIFY(!p.boldFolders);
}

QTEST_GUILESS_MAIN(TestCaptionColours)
#include "tst_captioncolours.moc"
