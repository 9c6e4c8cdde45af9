#include "core/viewer/jpegdecoder.h"
#include "jpegwriter.h"

#include <QColor>
#include <QTemporaryDir>
#include <QTest>

using namespace kazari;
using namespace Qt::StringLiterals;

namespace
{

constexpr int Width = 64;
constexpr int Height = 48;

// Left half one colour, right half another, as packed samples of `components` bytes.
QByteArray halves(const QByteArray &left, const QByteArray &right)
{
    QByteArray samples;
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x)
            samples += x < Width / 2 ? left : right;
    return samples;
}

QByteArray redBlue(bool progressive = false)
{
    return test::encodeJpeg(halves("\xFF\x00\x00"_ba, "\x00\x00\xFF"_ba), Width, Height, 3,
                            progressive);
}

bool near(QRgb pixel, const QColor &expected)
{
    return qAbs(qRed(pixel) - expected.red()) <= 12 &&
           qAbs(qGreen(pixel) - expected.green()) <= 12 &&
           qAbs(qBlue(pixel) - expected.blue()) <= 12;
}

// Overwrites the height and width of the first frame header.
QByteArray withFrameSize(QByteArray jpeg, int width, int height)
{
    for (qsizetype i = 2; i + 9 < jpeg.size(); ++i) {
        const auto marker = quint8(jpeg.at(i + 1));
        if (quint8(jpeg.at(i)) == 0xFF && (marker == 0xC0 || marker == 0xC2)) {
            jpeg[i + 5] = char(height >> 8);
            jpeg[i + 6] = char(height & 0xFF);
            jpeg[i + 7] = char(width >> 8);
            jpeg[i + 8] = char(width & 0xFF);
            return jpeg;
        }
    }
    return {};
}

} // namespace

class TestJpegDecoder : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void decodesToRgb_data();
    void decodesToRgb();
    void damagedDataGivesNullImage_data();
    void damagedDataGivesNullImage();
    void refusesPicturesOverTheLimit();
    void refusesEndlessScans();
    void scaleEighths_data();
    void scaleEighths();
    void decodesScaledDown();
};

void TestJpegDecoder::decodesToRgb_data()
{
    QTest::addColumn<QByteArray>("jpeg");
    QTest::addColumn<QColor>("left");
    QTest::addColumn<QColor>("right");
    QTest::newRow("rgb") << redBlue() << QColor(255, 0, 0) << QColor(0, 0, 255);
    QTest::newRow("progressive") << redBlue(true) << QColor(255, 0, 0) << QColor(0, 0, 255);
    QTest::newRow("grey") << test::encodeJpeg(halves("\x28"_ba, "\xC8"_ba), Width, Height, 1)
                          << QColor(40, 40, 40) << QColor(200, 200, 200);
    // Inverted CMYK: 255 is no ink. Red is magenta + yellow, blue is cyan + magenta.
    QTest::newRow("cmyk") << test::encodeJpeg(halves("\xFF\x00\x00\xFF"_ba, "\x00\x00\xFF\xFF"_ba),
                                              Width, Height, 4)
                          << QColor(255, 0, 0) << QColor(0, 0, 255);
}

void TestJpegDecoder::decodesToRgb()
{
    QFETCH(QByteArray, jpeg);
    QFETCH(QColor, left);
    QFETCH(QColor, right);
    const JpegDecoder::Result result = JpegDecoder::decodeBytes(jpeg);
    QVERIFY2(!result.image.isNull(), qPrintable(result.error));
    QCOMPARE(result.image.format(), QImage::Format_RGB888);
    QCOMPARE(result.image.size(), QSize(Width, Height));
    QCOMPARE(result.sourceSize, QSize(Width, Height));
    QVERIFY(near(result.image.pixel(8, Height / 2), left));
    QVERIFY(near(result.image.pixel(Width - 8, Height / 2), right));

    QTemporaryDir dir;
    const QString path = dir.filePath(u"a.jpg"_s);
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(jpeg) == jpeg.size());
    file.close();
    QCOMPARE(JpegDecoder::decodeFile(path).image, result.image);
}

void TestJpegDecoder::damagedDataGivesNullImage_data()
{
    const QByteArray good = redBlue();
    const QByteArray progressive = redBlue(true);
    // An end marker halfway through the coded data after the scan header.
    const qsizetype scan = good.indexOf("\xFF\xDA");
    QVERIFY(scan > 0);
    const qsizetype data = scan + 2 + ((quint8(good[scan + 2]) << 8) | quint8(good[scan + 3]));
    QByteArray endInData = good;
    endInData[(data + good.size()) / 2] = char(0xFF);
    endInData[(data + good.size()) / 2 + 1] = char(0xD9);
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("garbage") << "this is no picture at all"_ba.repeated(20);
    QTest::newRow("start marker only") << good.left(2);
    QTest::newRow("cut in the header") << good.left(100);
    QTest::newRow("cut in the data") << good.left(good.size() / 2);
    QTest::newRow("end marker missing") << good.left(good.size() - 8);
    QTest::newRow("progressive cut") << progressive.left(progressive.size() * 2 / 3);
    QTest::newRow("end marker inside the data") << endInData;
}

void TestJpegDecoder::damagedDataGivesNullImage()
{
    QFETCH(QByteArray, bytes);
    const JpegDecoder::Result fromBytes = JpegDecoder::decodeBytes(bytes);
    QVERIFY(fromBytes.image.isNull());
    QVERIFY(!fromBytes.error.isEmpty());

    QTemporaryDir dir;
    const QString path = dir.filePath(u"bad.jpg"_s);
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    const JpegDecoder::Result fromFile = JpegDecoder::decodeFile(path);
    QVERIFY(fromFile.image.isNull());
    QVERIFY(!fromFile.error.isEmpty());
}

void TestJpegDecoder::refusesPicturesOverTheLimit()
{
    // 60000 x 60000 would need 10 GB: refused from the header alone.
    const QByteArray huge = withFrameSize(redBlue(), 60000, 60000);
    QVERIFY(!huge.isEmpty());
    JpegDecoder::Result result = JpegDecoder::decodeBytes(huge);
    QVERIFY(result.image.isNull());
    QCOMPARE(result.sourceSize, QSize(60000, 60000));
    QVERIFY2(result.error.contains(u"60000 x 60000"_s), qPrintable(result.error));

    // The limit is what refuses: a small picture over a smaller limit is refused too.
    result = JpegDecoder::decodeBytes(redBlue(), {}, Width * Height - 1);
    QVERIFY(result.image.isNull());
    QVERIFY(result.error.contains(u"64 x 48"_s));
    QVERIFY(!JpegDecoder::decodeBytes(redBlue(), {}, Width * Height).image.isNull());
}

void TestJpegDecoder::refusesEndlessScans()
{
    const JpegDecoder::Result result =
        JpegDecoder::decodeBytes(test::encodeJpegWithManyScans(16, 16));
    QVERIFY(result.image.isNull());
    QVERIFY2(result.error.contains(u"scans"_s), qPrintable(result.error));
}

void TestJpegDecoder::scaleEighths_data()
{
    QTest::addColumn<QSize>("source");
    QTest::addColumn<QSize>("box");
    QTest::addColumn<int>("eighths");
    QTest::newRow("no box") << QSize(6000, 4000) << QSize() << 8;
    QTest::newRow("24 MP into 800") << QSize(6000, 4000) << QSize(800, 800) << 2;
    QTest::newRow("exact fit") << QSize(64, 48) << QSize(64, 48) << 8;
    QTest::newRow("box larger") << QSize(64, 48) << QSize(1000, 1000) << 8;
    QTest::newRow("quarter") << QSize(64, 48) << QSize(16, 16) << 2;
    QTest::newRow("smallest step") << QSize(64, 48) << QSize(4, 4) << 1;
    QTest::newRow("wide picture, height free") << QSize(100, 10) << QSize(50, 50) << 4;
}

void TestJpegDecoder::scaleEighths()
{
    QFETCH(QSize, source);
    QFETCH(QSize, box);
    QFETCH(int, eighths);
    QCOMPARE(JpegDecoder::scaleEighths(source, box), eighths);
}

void TestJpegDecoder::decodesScaledDown()
{
    const JpegDecoder::Result result = JpegDecoder::decodeBytes(redBlue(), QSize(16, 16));
    QCOMPARE(result.image.size(), QSize(16, 12));
    QCOMPARE(result.sourceSize, QSize(Width, Height));
    QVERIFY(near(result.image.pixel(2, 6), QColor(255, 0, 0)));
}

QTEST_GUILESS_MAIN(TestJpegDecoder)
#include "tst_jpegdecoder.moc"
