#include "core/app/componentnames.h"
#include "core/decoration/itempicturecomposer.h"

#include <QTest>

using namespace kazari;
using namespace Qt::StringLiterals;

namespace
{

const QRgb Body = qRgb(100, 50, 200);
const QRgb White = qRgb(255, 255, 255);

// A 16 x 16 icon: transparent around an opaque square (4..11) with one pure black
// pixel at (5, 5) and one white pixel at (6, 6).
QImage testIcon()
{
    QImage icon(16, 16, QImage::Format_ARGB32);
    icon.fill(Qt::transparent);
    for (int y = 4; y < 12; ++y) {
        for (int x = 4; x < 12; ++x)
            icon.setPixel(x, y, Body);
    }
    icon.setPixel(5, 5, qRgb(0, 0, 0));
    icon.setPixel(6, 6, White);
    return icon;
}

QImage solid(int w, int h, QRgb colour)
{
    QImage image(w, h, QImage::Format_ARGB32);
    image.fill(colour);
    return image;
}

// Mask switches by setting name, as in the menus; everything else at its default.
DecorationFlags flagsOf(const QString &switches)
{
    const QStringList on = switches.split(u' ', Qt::SkipEmptyParts);
    DecorationFlags f;
    f.shiftMask = on.contains(Component::EffectMask);
    f.contrast = on.contains(Component::Contrast);
    f.monochrome = on.contains(Component::Monochrome);
    f.iconDecorations = !on.contains(u"-N75"_s);
    f.simpleIcons = on.contains(Component::SimpleIcons);
    f.hatchedMask = on.contains(Component::HatchMask);
    f.oneColourMask = on.contains(Component::SingleColourMask);
    f.commentMark = on.contains(Component::TextLabels);
    f.thumbnails = on.contains(Component::PictureContents);
    f.customIconSize = on.contains(Component::ResizeIcons);
    f.stamp = on.contains(Component::ShowStamps);
    f.namespaceMode = on.contains(u"namespace"_s);
    return f;
}

ItemPictureRequest request(bool large = false)
{
    ItemPictureRequest r;
    r.largeList = large;
    r.background = Qt::white;
    r.icon = testIcon();
    return r;
}

} // namespace

class TestItemPictureComposer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void filtersByRoute_data();
    void filtersByRoute();
    void storedMask_data();
    void storedMask();
    void missingPicturesFallBack();
    void simpleIconsKeepPlaceholders();
    void thumbnailPlacement_data();
    void thumbnailPlacement();
    void fittedSize_data();
    void fittedSize();
    void commentMarkAndStamp();
    void overlayAndStateImages();
    void headerIconIsTinted();
};

void TestItemPictureComposer::filtersByRoute_data()
{
    QTest::addColumn<QString>("switches");
    QTest::addColumn<int>("oneColour"); // -2: absent
    QTest::addColumn<QRgb>("body");     // (8, 8), inside the icon
    QTest::addColumn<QRgb>("corner");   // (1, 0), the list background

    // Decorations run only in the mask paths: contrast alone does nothing.
    QTest::newRow("mode 0 + contrast") << Component::Contrast << -2 << Body << White;
    // contrast (72, 0, 255), monochrome 51, then the shift (10, 0, -1).
    QTest::newRow("contrast, mono, shift") << u"N30 N70 N74"_s << -2 << qRgb(61, 51, 50) << White;
    QTest::newRow("hatch reaches the background")
        << Component::HatchMask << -2 << Body << qRgb(9, 255, 254);
    QTest::newRow("code 1") << u"N113 N70"_s << 1 << qRgb(116, 0, 0) << White;
    QTest::newRow("colour number")
        << Component::SingleColourMask << 0x0000FF << qRgb(116, 0, 0) << White;
    QTest::newRow("colour number, one colour off")
        << Component::EffectMask << 0x0000FF << qRgb(110, 50, 199) << White;
}

void TestItemPictureComposer::filtersByRoute()
{
    QFETCH(QString, switches);
    QFETCH(int, oneColour);
    QFETCH(QRgb, body);
    QFETCH(QRgb, corner);
    ItemDecorationValues item;
    item.shift = ColourShift{10, 0, -1};
    if (oneColour != -2)
        item.oneColour = oneColour;
    const ItemPicture p = ItemPictureComposer(flagsOf(switches)).compose(request(), item);
    QCOMPARE(p.working.pixel(8, 8), body);
    QCOMPARE(p.working.pixel(1, 0), corner);
    // The icon's pure black pixel is no icon pixel for the filters, so it stays black,
    // and the stored picture keeps it opaque.
    QCOMPARE(p.working.pixel(5, 5), qRgb(0, 0, 0));
    QCOMPARE(p.image.pixel(5, 5), qRgba(0, 0, 0, 255));
}

void TestItemPictureComposer::storedMask_data()
{
    QTest::addColumn<QString>("switches");
    QTest::addColumn<bool>("large");
    QTest::addColumn<bool>("opaque");
    QTest::newRow("small, decorated") << Component::SingleColourMask << false << false;
    QTest::newRow("small, comment mark") << u"N113 N116"_s << false << true;
    QTest::newRow("large, decorated") << Component::SingleColourMask << true << false;
    QTest::newRow("large, own size") << u"N113 N119"_s << true << true;
    QTest::newRow("large, thumbnails") << u"N113 N118"_s << true << true;
    QTest::newRow("base only") << u""_s << false << false;
    QTest::newRow("base only, namespace") << u"namespace"_s << false << true;
}

void TestItemPictureComposer::storedMask()
{
    QFETCH(QString, switches);
    QFETCH(bool, large);
    QFETCH(bool, opaque);
    const ItemPicture p =
        ItemPictureComposer(flagsOf(switches)).compose(request(large), ItemDecorationValues());
    const int side = large ? 32 : 16;
    QCOMPARE(p.image.size(), QSize(side, side));
    QCOMPARE(qAlpha(p.image.pixel(0, 0)), opaque ? 255 : 0);
    QCOMPARE(qAlpha(p.image.pixel(side / 2, side / 2)), 255);
}

void TestItemPictureComposer::missingPicturesFallBack()
{
    // No icon at all: a transparent picture of the list's size.
    ItemPictureRequest r = request();
    r.icon = QImage();
    ItemPicture p = ItemPictureComposer(flagsOf(u"N113 N30"_s)).compose(r, ItemDecorationValues());
    QCOMPARE(p.image.size(), QSize(16, 16));
    QCOMPARE(p.filterMask.iconPixelCount(), 0);
    QCOMPARE(qAlpha(p.image.pixel(8, 8)), 0);

    // Thumbnails with none, an empty or a degenerate one: the icon centred instead.
    DecorationFlags f = flagsOf(u"N113 N118 N119"_s);
    f.iconSize = 64;
    const QImage icon32 = solid(32, 32, qRgb(0, 128, 0));
    const QImage thumbs[] = {QImage(), QImage(0, 0, QImage::Format_RGB32),
                             QImage(0, 10, QImage::Format_RGB32)};
    for (const QImage &t : thumbs) {
        r = request(true);
        r.icon = icon32;
        r.thumbnail = t;
        r.extension = u"txt"_s;
        p = ItemPictureComposer(f).compose(r, ItemDecorationValues());
        QCOMPARE(p.image.size(), QSize(64, 64));
        QCOMPARE(p.working.pixel(15, 15), White);
        QCOMPARE(p.working.pixel(16, 16), qRgb(0, 128, 0));
        QCOMPARE(p.working.pixel(47, 47), qRgb(0, 128, 0));
        QCOMPARE(p.working.pixel(48, 48), White);
    }
    // And with no icon either, still a whole picture.
    r.icon = QImage();
    p = ItemPictureComposer(f).compose(r, ItemDecorationValues());
    QCOMPARE(p.image.size(), QSize(64, 64));

    // A thumbnail a thousand times wider than high still gets a row.
    r.thumbnail = solid(1000, 1, qRgb(255, 0, 0));
    p = ItemPictureComposer(f).compose(r, ItemDecorationValues());
    QCOMPARE(p.working.pixel(0, 0), qRgb(255, 0, 0));
    QCOMPARE(p.working.pixel(0, 1), White);
}

void TestItemPictureComposer::simpleIconsKeepPlaceholders()
{
    ItemPictureRequest r = request();
    r.placeholder = solid(16, 16, qRgb(255, 0, 255));
    const ItemPictureComposer simple(flagsOf(u"N104 N113"_s));

    ItemDecorationValues plain;
    plain.label = 1;
    ItemPicture p = simple.compose(r, plain);
    QVERIFY(p.keepsPlaceholder);
    QVERIFY(p.image.isNull());
    QCOMPARE(p.overlay, std::optional<int>(1)); // marks still apply

    // Only items with a single colour get their real icon, tinted.
    ItemDecorationValues tinted;
    tinted.oneColour = 1;
    p = simple.compose(r, tinted);
    QVERIFY(!p.keepsPlaceholder);
    QCOMPARE(p.working.pixel(6, 6), qRgb(255, 0, 0));
    QCOMPARE(qAlpha(p.image.pixel(0, 0)), 0);

    // Decorations off: the placeholder itself is the picture, mask and all.
    p = ItemPictureComposer(flagsOf(u"-N75 N104 N113"_s)).compose(r, tinted);
    QCOMPARE(p.image.pixel(0, 0), qRgba(255, 0, 255, 255));
    QCOMPARE(p.image.pixel(6, 6), qRgba(255, 0, 255, 255));
}

void TestItemPictureComposer::thumbnailPlacement_data()
{
    QTest::addColumn<QString>("extension");
    QTest::addColumn<int>("lastRedRow"); // of column 0
    QTest::addColumn<bool>("opaque");    // below the picture
    QTest::newRow("jpeg as it is") << u".JPG"_s << 19 << true;
    QTest::newRow("png stretched") << u"png"_s << 31 << true;
    QTest::newRow("other fitted") << u"txt"_s << 15 << false;
}

void TestItemPictureComposer::thumbnailPlacement()
{
    QFETCH(QString, extension);
    QFETCH(int, lastRedRow);
    QFETCH(bool, opaque);
    ItemPictureRequest r = request(true);
    r.thumbnail = solid(40, 20, qRgb(255, 0, 0));
    r.extension = extension;
    // Plain icons: the base picture is stored with the mask it was built with.
    const ItemPicture p =
        ItemPictureComposer(flagsOf(Component::PictureContents)).compose(r, ItemDecorationValues());
    QCOMPARE(p.working.pixel(0, lastRedRow), qRgb(255, 0, 0));
    if (lastRedRow < 31) {
        QCOMPARE(p.working.pixel(0, lastRedRow + 1), White);
        QCOMPARE(qAlpha(p.image.pixel(0, 31)), opaque ? 255 : 0);
    }
}

void TestItemPictureComposer::fittedSize_data()
{
    QTest::addColumn<QSize>("source");
    QTest::addColumn<int>("side");
    QTest::addColumn<QSize>("expected");
    QTest::newRow("wide") << QSize(40, 20) << 32 << QSize(32, 16);
    QTest::newRow("tall, rounded") << QSize(2, 3) << 32 << QSize(21, 32);
    QTest::newRow("half to even down") << QSize(20, 10) << 5 << QSize(5, 2);
    QTest::newRow("half to even up") << QSize(7, 10) << 5 << QSize(4, 5);
    QTest::newRow("never zero") << QSize(4, 1) << 2 << QSize(2, 1);
    QTest::newRow("square") << QSize(7, 7) << 32 << QSize(32, 32);
    QTest::newRow("empty source") << QSize(0, 0) << 32 << QSize(32, 32);
}

void TestItemPictureComposer::fittedSize()
{
    QFETCH(QSize, source);
    QFETCH(int, side);
    QFETCH(QSize, expected);
    QCOMPARE(ItemPictureComposer::fittedSize(source, side), expected);
}

void TestItemPictureComposer::commentMarkAndStamp()
{
    ItemDecorationValues withComment;
    withComment.hasComment = true;
    for (const bool large : {false, true}) {
        const int side = large ? 32 : 16;
        const int mark = large ? 16 : 8;
        const ItemPicture plain = ItemPictureComposer(flagsOf(Component::SingleColourMask))
                                      .compose(request(large), withComment);
        const ItemPicture marked =
            ItemPictureComposer(flagsOf(u"N113 N116"_s)).compose(request(large), withComment);
        int changedInside = 0;
        for (int y = 0; y < side; ++y) {
            for (int x = 0; x < side; ++x) {
                const bool inside = x >= side - mark && y < mark;
                const bool changed = plain.working.pixel(x, y) != marked.working.pixel(x, y);
                QVERIFY2(inside || !changed, qPrintable(u"%1,%2"_s.arg(x).arg(y)));
                changedInside += changed ? 1 : 0;
            }
        }
        QVERIFY(changedInside > mark * mark / 3);
    }

    const QRgb green = qRgb(0, 255, 0);
    ItemPictureRequest r = request();
    r.stampIcon = solid(16, 16, green);
    ItemPicture p = ItemPictureComposer(flagsOf(u"N113 N29"_s)).compose(r, ItemDecorationValues());
    QCOMPARE(p.working.pixel(2, 2), green);
    QCOMPARE(p.working.pixel(13, 13), green);
    QVERIFY(p.working.pixel(1, 1) != green);
    QVERIFY(p.working.pixel(14, 14) != green);

    r = request(true);
    r.stampIcon = solid(16, 16, green);
    p = ItemPictureComposer(flagsOf(u"N113 N29"_s)).compose(r, ItemDecorationValues());
    QCOMPARE(p.working.pixel(8, 8), green);
    QCOMPARE(p.working.pixel(23, 23), green);
    QVERIFY(p.working.pixel(24, 24) != green);

    p = ItemPictureComposer(flagsOf(Component::SingleColourMask))
            .compose(r, ItemDecorationValues());
    QVERIFY(p.working.pixel(8, 8) != green);
}

void TestItemPictureComposer::overlayAndStateImages()
{
    ItemDecorationValues item;
    item.label = 2;
    item.seal = 14;
    DecorationFlags f;
    QCOMPARE(ItemPictureComposer(f).overlayFor(item), std::optional<int>(2));
    QCOMPARE(ItemPictureComposer(f).stateImageFor(item), std::optional<int>(14));
    f.treeList = true;
    QVERIFY(!ItemPictureComposer(f).stateImageFor(item));
    QCOMPARE(ItemPictureComposer(f).overlayFor(item), std::optional<int>(2));
    f = DecorationFlags();
    f.labels = false;
    QVERIFY(!ItemPictureComposer(f).overlayFor(item));
    f = DecorationFlags();
    f.iconDecorations = false;
    const ItemPicture p = ItemPictureComposer(f).compose(request(), item);
    QVERIFY(!p.overlay && !p.stateImage);
    f = DecorationFlags();
    f.ownerData = true;
    QVERIFY(!ItemPictureComposer(f).overlayFor(item) &&
            !ItemPictureComposer(f).stateImageFor(item));
}

void TestItemPictureComposer::headerIconIsTinted()
{
    QImage header = ItemPictureComposer::headerIcon(testIcon(), Qt::white, 1);
    QCOMPARE(header.size(), QSize(16, 16));
    QCOMPARE(header.pixel(6, 6), qRgba(255, 0, 0, 255));
    QCOMPARE(qAlpha(header.pixel(0, 0)), 0);
    header = ItemPictureComposer::headerIcon(testIcon(), Qt::white, std::nullopt);
    QCOMPARE(header.pixel(8, 8), Body);
    // A colour number: g = 116 of 255 of the blue 200.
    header = ItemPictureComposer::headerIcon(testIcon(), Qt::white, 200 << 16);
    QCOMPARE(header.pixel(8, 8), qRgba(0, 0, 91, 255));
}

QTEST_GUILESS_MAIN(TestItemPictureComposer)
#include "tst_itempicturecomposer.moc"
