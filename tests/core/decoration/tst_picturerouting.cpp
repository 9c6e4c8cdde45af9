#include "core/annotations/fileannotationrec.h"
#include "core/app/componentnames.h"
#include "core/app/settings.h"
#include "core/decoration/picturerouting.h"

#include <QTest>

Q_DECLARE_METATYPE(kazari::PicturePlan)

using namespace kazari;
using namespace Qt::StringLiterals;

namespace
{

// Switches by their setting names: "N30 N113" turns those on and every other mask
// switch off; "-N75" turns the master switch off.
DecorationFlags flagsOf(const QString &switches)
{
    DecorationFlags f;
    const QStringList on = switches.split(u' ', Qt::SkipEmptyParts);
    f.shiftMask = on.contains(Component::EffectMask);
    f.hatchedMask = on.contains(Component::HatchMask);
    f.oneColourMask = on.contains(Component::SingleColourMask);
    f.simpleIcons = on.contains(Component::SimpleIcons);
    f.iconDecorations = !on.contains(u"-N75"_s);
    return f;
}

} // namespace

class TestPictureRouting : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void maskMode_data();
    void maskMode();
    void plan_data();
    void plan();
    void flagsFromSettings();
    void malformedValuesReadAsAbsent();
};

void TestPictureRouting::maskMode_data()
{
    QTest::addColumn<QString>("switches");
    QTest::addColumn<int>("mode");
    QTest::newRow("none") << u""_s << int(MaskMode::PlainIcon);
    QTest::newRow("effect") << Component::EffectMask << int(MaskMode::ShiftMask);
    QTest::newRow("hatched") << Component::HatchMask << int(MaskMode::ShiftMask);
    QTest::newRow("one colour") << Component::SingleColourMask << int(MaskMode::OneColourOrPlain);
    QTest::newRow("simple") << Component::SimpleIcons << int(MaskMode::OneColourOrPlaceholder);
    QTest::newRow("simple + effect") << u"N104 N30"_s << int(MaskMode::OneColourOrPlaceholder);
    QTest::newRow("simple + one colour") << u"N104 N113"_s << int(MaskMode::OneColourOrPlaceholder);
    QTest::newRow("one colour + hatched") << u"N113 N111"_s << int(MaskMode::OneColourOrShift);
    QTest::newRow("all three") << u"N104 N113 N30"_s << int(MaskMode::OneColourOrShift);
}

void TestPictureRouting::maskMode()
{
    QFETCH(QString, switches);
    QFETCH(int, mode);
    QCOMPARE(int(flagsOf(switches).maskMode()), mode);
}

void TestPictureRouting::plan_data()
{
    QTest::addColumn<QString>("switches");
    QTest::addColumn<int>("oneColour"); // -2: absent
    QTest::addColumn<bool>("hasShift");
    QTest::addColumn<PicturePlan>("expected");

    const ColourShift rgb{10, -20, 30};
    const PicturePlan shifted = PicturePlan::decorate(rgb);
    const PicturePlan unshifted = PicturePlan::decorate({});
    const PicturePlan red = PicturePlan::byChannels({false, false, true});
    const PicturePlan teal = PicturePlan::byColour({0x80, 0x80, 0x00});
    const int tealNumber = 0x808000;

    QTest::newRow("master off") << u"-N75 N113 N30"_s << 1 << true << PicturePlan::baseOnly();
    QTest::newRow("mode 0 ignores masks") << u""_s << 1 << true << PicturePlan::baseOnly();
    QTest::newRow("mode 1 with rgb") << Component::EffectMask << 1 << true << shifted;
    QTest::newRow("mode 1 without rgb") << Component::HatchMask << -2 << false << unshifted;
    QTest::newRow("mode 2 code") << u"N113 N30"_s << 1 << true << red;
    QTest::newRow("mode 2 colour") << u"N113 N30"_s << tealNumber << true << teal;
    QTest::newRow("mode 2 none") << u"N113 N30"_s << -2 << true << shifted;
    QTest::newRow("mode 2 zero keeps rgb") << u"N113 N30"_s << 0 << true << shifted;
    QTest::newRow("mode 3 colour") << Component::SingleColourMask << tealNumber << false << teal;
    QTest::newRow("mode 3 none, rgb unused")
        << Component::SingleColourMask << -2 << true << unshifted;
    QTest::newRow("mode 4 code") << u"N104 N113"_s << 1 << false << red;
    QTest::newRow("mode 4 none") << u"N104 N113"_s << -2 << true << PicturePlan::keepPlaceholder();
    QTest::newRow("mode 4, one colour off: colour shifts")
        << Component::SimpleIcons << tealNumber << true << shifted;
    QTest::newRow("mode 4, one colour off: code painted")
        << Component::SimpleIcons << 1 << false << red;
    QTest::newRow("all three, none: real icon shifted")
        << u"N104 N113 N30"_s << -2 << true << shifted;
}

void TestPictureRouting::plan()
{
    QFETCH(QString, switches);
    QFETCH(int, oneColour);
    QFETCH(bool, hasShift);
    QFETCH(PicturePlan, expected);
    ItemDecorationValues item;
    if (oneColour != -2)
        item.oneColour = oneColour;
    if (hasShift)
        item.shift = ColourShift{10, -20, 30};
    const PicturePlan got = PictureRouting::plan(flagsOf(switches), item);
    QCOMPARE(int(got.route), int(expected.route));
    QVERIFY(got == expected);
}

void TestPictureRouting::flagsFromSettings()
{
    Settings settings;
    settings.loadDefaults();
    DecorationFlags f = DecorationFlags::fromSettings(settings);
    QVERIFY(f.iconDecorations && f.oneColourMask && !f.simpleIcons && !f.customIconSize);
    QCOMPARE(f.largeSize(), 32);
    QCOMPARE(f.pictureSize(false), 16);

    settings.setValue(Component::ResizeIcons, u"1"_s);
    settings.setValue(Component::SingleColourMask, u"yes"_s); // only the integer 1 is on
    const struct {
        const char *text;
        int size;
    } sizes[] = {{"80", 80}, {"0", 8}, {"-5", 8}, {"100000", 480}, {"abc", 32}};
    for (const auto &s : sizes) {
        settings.setValue(u"IconSize"_s, QString::fromLatin1(s.text));
        f = DecorationFlags::fromSettings(settings);
        QCOMPARE(f.largeSize(), s.size);
    }
    QVERIFY(!f.oneColourMask);
}

void TestPictureRouting::malformedValuesReadAsAbsent()
{
    FileAnnotationRec rec;
    rec.oneColor = u"16777216"_s;
    rec.RGB = u"10,20"_s;
    rec.label = u"9"_s;
    rec.s = u"99"_s;
    rec.CVColor = u"clNothing"_s;
    rec.comp = u"2"_s;
    rec.TS = u"2024/13/40"_s;
    ItemDecorationValues v = ItemDecorationValues::fromRecord(rec);
    QVERIFY(!v.oneColour && !v.shift && !v.label && !v.seal && !v.captionColour);
    QVERIFY(!v.completed && !v.taskStart && !v.hasComment);
    // Simple icons then leave the item on its placeholder, as if it had no colour.
    QCOMPARE(int(PictureRouting::plan(flagsOf(u"N104 N113"_s), v).route),
             int(PictureRoute::KeepPlaceholder));

    rec.oneColor = u"3"_s;
    rec.RGB = u"-255,0,255"_s;
    rec.comp = u"1"_s;
    rec.cmt = u"memo"_s;
    rec.TE = u"2024/05/01,9:30:00"_s;
    v = ItemDecorationValues::fromRecord(rec);
    QCOMPARE(v.oneColour, std::optional<qint32>(3));
    QVERIFY(v.shift == (ColourShift{-255, 0, 255}));
    QCOMPARE(v.completed, std::optional<bool>(true));
    QVERIFY(v.hasComment);
    QCOMPARE(v.taskEnd, std::optional<QDateTime>(QDateTime(QDate(2024, 5, 1), QTime(9, 30))));
}

QTEST_GUILESS_MAIN(TestPictureRouting)
#include "tst_picturerouting.moc"
