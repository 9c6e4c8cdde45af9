#include "core/decoration/onecolourcode.h"
#include "core/decoration/pixelfilters.h"

#include <QTest>

using namespace kazari;

namespace
{

enum Op { Channels, ByColour, Shift, Contrast, Monochrome };

QImage picture(int width, int height, QRgb fill)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(fill);
    return image;
}

// Runs one filter with its arguments; the mask covers the whole picture.
void run(Op op, QImage &image, const QList<int> &a)
{
    const IconMask mask = IconMask::opaque(image.size());
    switch (op) {
    case Channels:
        PixelFilters::oneColourByChannels(image, mask, *OneColourCode::channels(a.at(0)));
        break;
    case ByColour:
        PixelFilters::oneColourByColour(image, mask, PixelFilters::colourBytes(a.at(0)));
        break;
    case Shift:
        PixelFilters::shiftColours(image, mask, a.at(0), a.at(1), a.at(2));
        break;
    case Contrast:
        PixelFilters::contrast(image);
        break;
    case Monochrome:
        PixelFilters::monochrome(image);
        break;
    }
}

} // namespace

class TestPixelFilters : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void onePixel_data();
    void onePixel();
    void maskedFiltersTouchOnlyIconPixels_data();
    void maskedFiltersTouchOnlyIconPixels();
    void hatchIgnoresMaskInCheckerboard();
    void colourBytesAndFixedColours();
    void otherFormatsAreConverted();
};

void TestPixelFilters::onePixel_data()
{
    QTest::addColumn<int>("op");
    QTest::addColumn<QList<int>>("args");
    QTest::addColumn<uint>("in");
    QTest::addColumn<uint>("expected");

    // Pixels are written 0xRRGGBB.
    QTest::newRow("code 1 white -> red")
        << int(Channels) << QList<int>{1} << 0xFFFFFFu << 0xFF0000u;
    QTest::newRow("code 1 g = 180 div 3")
        << int(Channels) << QList<int>{1} << 0x5A3C1Eu << 0x3C0000u;
    QTest::newRow("code 4 keeps red, green")
        << int(Channels) << QList<int>{4} << 0x5A3C1Eu << 0x3C3C00u;
    QTest::newRow("code 5 keeps green, blue")
        << int(Channels) << QList<int>{5} << 0x5A3C1Eu << 0x003C3Cu;
    QTest::newRow("code 7 grey, div truncates")
        << int(Channels) << QList<int>{7} << 0x010100u << 0x000000u;
    QTest::newRow("grey 128 on g 20")
        << int(ByColour) << QList<int>{8421504} << 0x1E140Au << 0x0A0A0Au;
    QTest::newRow("white takes the colour")
        << int(ByColour) << QList<int>{0x336699} << 0xFFFFFFu << 0x996633u;
    QTest::newRow("black stays black")
        << int(ByColour) << QList<int>{0xFFFFFF} << 0x000000u << 0x000000u;
    // g = 1: 127/255 is just below a half, 128/255 just above.
    QTest::newRow("rounds, not truncates")
        << int(ByColour) << QList<int>{0x80007F} << 0x010101u << 0x000001u;
    QTest::newRow("shift wraps up")
        << int(Shift) << QList<int>{255, 0, 0} << 0x0A0000u << 0x090000u;
    QTest::newRow("shift wraps both ways")
        << int(Shift) << QList<int>{10, -10, 0} << 0xFA0580u << 0x04FB80u;
    QTest::newRow("contrast 64 100 192") << int(Contrast) << QList<int>{} << 0x4064C0u << 0x0048FFu;
    QTest::newRow("contrast 127 128 255")
        << int(Contrast) << QList<int>{} << 0x7F80FFu << 0x7E80FFu;
    QTest::newRow("mono half down to even")
        << int(Monochrome) << QList<int>{} << 0x0000FAu << 0x1C1C1Cu;
    QTest::newRow("mono half up to even")
        << int(Monochrome) << QList<int>{} << 0x06EE00u << 0x8E8E8Eu;
    QTest::newRow("mono white") << int(Monochrome) << QList<int>{} << 0xFFFFFFu << 0xFFFFFFu;
}

void TestPixelFilters::onePixel()
{
    QFETCH(int, op);
    QFETCH(QList<int>, args);
    QFETCH(uint, in);
    QFETCH(uint, expected);
    QImage image = picture(1, 1, 0xFF000000u | in);
    run(Op(op), image, args);
    QCOMPARE(QString::number(image.pixel(0, 0) & 0xFFFFFFu, 16), QString::number(expected, 16));
}

void TestPixelFilters::maskedFiltersTouchOnlyIconPixels_data()
{
    QTest::addColumn<int>("op");
    QTest::newRow("channels") << int(Channels);
    QTest::newRow("colour") << int(ByColour);
    QTest::newRow("shift") << int(Shift);
}

void TestPixelFilters::maskedFiltersTouchOnlyIconPixels()
{
    QFETCH(int, op);
    const QRgb original = qRgb(200, 100, 50);
    QImage image = picture(4, 3, original);
    // A mask narrower and shorter than the picture: beyond it nothing is an icon pixel.
    IconMask mask(QSize(2, 2));
    mask.setIcon(1, 0, true);
    mask.setIcon(0, 1, true);
    switch (Op(op)) {
    case Channels:
        PixelFilters::oneColourByChannels(image, mask, {false, false, true});
        break;
    case ByColour:
        PixelFilters::oneColourByColour(image, mask, {0, 255, 0});
        break;
    default:
        PixelFilters::shiftColours(image, mask, 1, 1, 1);
        break;
    }
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const bool icon = (x == 1 && y == 0) || (x == 0 && y == 1);
            QCOMPARE(image.pixel(x, y) != original, icon);
        }
    }
    // A mask larger than the picture is read only where the picture is.
    QImage small = picture(1, 1, original);
    PixelFilters::shiftColours(small, IconMask::opaque(QSize(8, 8)), 1, 0, 0);
    QCOMPARE(small.pixel(0, 0), qRgb(201, 100, 50));
}

void TestPixelFilters::hatchIgnoresMaskInCheckerboard()
{
    QImage image = picture(4, 3, qRgb(100, 100, 100));
    PixelFilters::shiftColoursHatched(image, 10, 0, -101);
    const QRgb shifted = qRgb(110, 100, 255);
    const char *expected[] = {".x.x", "x.x.", ".x.x"};
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 4; ++x)
            QCOMPARE(image.pixel(x, y) == shifted, expected[y][x] == 'x');
    }
}

void TestPixelFilters::colourBytesAndFixedColours()
{
    QCOMPARE(PixelFilters::colourBytes(0x00123456), (ColourBytes{0x12, 0x34, 0x56}));
    QCOMPARE(OneColourCode::folderColourNumber(1), 255);
    QCOMPARE(OneColourCode::folderColourNumber(7), 8421504);
    QVERIFY(!OneColourCode::folderColourNumber(8));
    QCOMPARE(OneColourCode::tint(7), (ColourBytes{255, 255, 255}));
    QCOMPARE(OneColourCode::tint(8421504), (ColourBytes{128, 128, 128}));
    QCOMPARE(OneColourCode::nameKey(3), QStringLiteral("1Color_N2"));
}

void TestPixelFilters::otherFormatsAreConverted()
{
    QImage image(2, 1, QImage::Format_RGB888);
    image.fill(QColor(10, 20, 30));
    PixelFilters::contrast(image);
    QCOMPARE(image.format(), PixelFilters::WorkingFormat);
    QCOMPARE(image.pixel(1, 0), qRgb(0, 0, 0));
    QImage none;
    PixelFilters::monochrome(none);
    QVERIFY(none.isNull());
}

QTEST_GUILESS_MAIN(TestPixelFilters)
#include "tst_pixelfilters.moc"
