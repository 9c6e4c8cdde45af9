#include "core/decoration/decorationflags.h"
#include "core/decoration/iconmask.h"

#include <QTest>

using namespace kazari;

namespace
{

// One row: transparent, opaque red, opaque black, half-transparent white, key colour.
QImage strip()
{
    QImage icon(5, 1, QImage::Format_ARGB32);
    icon.setPixel(0, 0, qRgba(0, 0, 0, 0));
    icon.setPixel(1, 0, qRgba(255, 0, 0, 255));
    icon.setPixel(2, 0, qRgba(0, 0, 0, 255));
    icon.setPixel(3, 0, qRgba(255, 255, 255, 128));
    icon.setPixel(4, 0, qRgba(5, 0, 0, 255));
    return icon;
}

QString row(const IconMask &mask, int y)
{
    QString s;
    for (int x = 0; x < mask.width(); ++x)
        s += mask.isIcon(x, y) ? QLatin1Char('x') : QLatin1Char('.');
    return s;
}

} // namespace

class TestIconMask : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fillColourCountsAsTransparent_data();
    void fillColourCountsAsTransparent();
    void builtAtTheRequestedSize();
    void exportsAndApplies();
};

void TestIconMask::fillColourCountsAsTransparent_data()
{
    QTest::addColumn<QColor>("fill");
    QTest::addColumn<QString>("expected");
    // On black, the icon's own black pixels vanish; on the key colour they stay.
    QTest::newRow("black") << QColor(Qt::black) << QStringLiteral(".x.xx");
    QTest::newRow("mask key") << DecorationFlags::maskKeyColour() << QStringLiteral(".xxx.");
}

void TestIconMask::fillColourCountsAsTransparent()
{
    QFETCH(QColor, fill);
    QFETCH(QString, expected);
    const IconMask mask = IconMask::fromPicture(strip(), QSize(5, 1), QPoint(0, 0), fill);
    QCOMPARE(row(mask, 0), expected);
}

void TestIconMask::builtAtTheRequestedSize()
{
    // A picture larger than the mask is cut; one smaller leaves the rest transparent.
    QImage big(8, 8, QImage::Format_ARGB32);
    big.fill(Qt::white);
    const IconMask cut = IconMask::fromPicture(big, QSize(3, 2), QPoint(1, 0), Qt::black);
    QCOMPARE(cut.size(), QSize(3, 2));
    QCOMPARE(row(cut, 0), QStringLiteral(".xx"));
    QCOMPARE(row(cut, 1), QStringLiteral(".xx"));
    QVERIFY(!cut.isIcon(3, 0));
    QVERIFY(!cut.isIcon(-1, 0));

    const IconMask none = IconMask::fromPicture(QImage(), QSize(4, 4), QPoint(), Qt::black);
    QCOMPARE(none.size(), QSize(4, 4));
    QCOMPARE(none.iconPixelCount(), 0);
    QVERIFY(IconMask::fromPicture(big, QSize(0, 0), QPoint(), Qt::black).isEmpty());
}

void TestIconMask::exportsAndApplies()
{
    IconMask mask(QSize(2, 1));
    mask.setIcon(1, 0, true);
    const QImage bits = mask.toImage();
    QCOMPARE(bits.format(), QImage::Format_Mono);
    QCOMPARE(bits.pixel(0, 0), qRgb(255, 255, 255));
    QCOMPARE(bits.pixel(1, 0), qRgb(0, 0, 0));

    QImage picture(3, 1, QImage::Format_RGB32);
    picture.fill(qRgb(10, 20, 30));
    const QImage shown = mask.applyTo(picture);
    QCOMPARE(qAlpha(shown.pixel(0, 0)), 0);
    QCOMPARE(shown.pixel(1, 0), qRgba(10, 20, 30, 255));
    QCOMPARE(qAlpha(shown.pixel(2, 0)), 0); // beyond the mask
}

QTEST_GUILESS_MAIN(TestIconMask)
#include "tst_iconmask.moc"
