#include "core/decoration/builtinpictures.h"

#include <QGuiApplication>
#include <QSet>
#include <QTest>

using namespace kazari;

class TestBuiltinPictures : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void sealsAreDistinctAndTransparentAround();
    void labelStripHoldsFourPicturesOnTheKey();
};

void TestBuiltinPictures::sealsAreDistinctAndTransparentAround()
{
    QSet<QByteArray> seen;
    for (int i = 0; i < BuiltinPictures::SealCount; ++i) {
        const QImage seal = BuiltinPictures::seal(i, 16);
        QCOMPARE(seal.size(), QSize(16, 16));
        QVERIFY(seal.hasAlphaChannel());
        int opaque = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                opaque += qAlpha(seal.pixel(x, y)) > 0;
        QVERIFY2(opaque > 20 && opaque < 256, qPrintable(QString::number(i)));
        const QByteArray bytes(reinterpret_cast<const char *>(seal.constBits()),
                               seal.sizeInBytes());
        QVERIFY(!seen.contains(bytes));
        seen.insert(bytes);
    }
    QVERIFY(BuiltinPictures::seal(-1).isNull());
    QVERIFY(BuiltinPictures::seal(15).isNull());
}

void TestBuiltinPictures::labelStripHoldsFourPicturesOnTheKey()
{
    for (int size : {16, 32}) {
        const QImage strip = BuiltinPictures::labelStrip(size);
        QCOMPARE(strip.size(), QSize(4 * size, size));
        QCOMPARE(strip.pixelColor(0, 0), BuiltinPictures::transparentKey());
        QSet<QRgb> middles;
        for (int i = 0; i < 4; ++i) {
            // Each picture keeps its top row transparent and has its own colour.
            QCOMPARE(strip.pixelColor(i * size + size / 2, 0), BuiltinPictures::transparentKey());
            middles.insert(strip.pixel(i * size + size / 4, size - size / 4));
        }
        QCOMPARE(middles.size(), 4);
    }
}

QTEST_MAIN(TestBuiltinPictures)
#include "tst_builtinpictures.moc"
