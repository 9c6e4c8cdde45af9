#include "core/app/settings.h"
#include "core/decoration/builtinpictures.h"
#include "core/decoration/decorationpresets.h"
#include "core/decoration/onecolourcode.h"

#include <QTest>

using namespace kazari;
using namespace Qt::StringLiterals;

class TestDecorationPresets : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void captionPresetColour_data();
    void captionPresetColour();
    void namesFromSettings();
    void chosenColourNeverReadsAsACode_data();
    void chosenColourNeverReadsAsACode();
    void colourBarButton();
};

void TestDecorationPresets::captionPresetColour_data()
{
    QTest::addColumn<int>("preset");
    QTest::addColumn<QString>("setting"); // null: key absent
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("colour");

    QTest::newRow("default red") << 0 << u"clRed"_s << u"clRed"_s << 0x0000FF;
    QTest::newRow("user name") << 1 << u"clBlue"_s << u"clBlue"_s << 0xFF0000;
    QTest::newRow("number kept as written") << 2 << u"255"_s << u"255"_s << 255;
    QTest::newRow("hex") << 3 << u"$00008000"_s << u"$00008000"_s << 0x008000;
    QTest::newRow("garbage falls back") << 1 << u"yellowish"_s << u"clYellow"_s << 0x00FFFF;
    QTest::newRow("empty falls back") << 6 << u""_s << u"clTeal"_s << 0x808000;
    QTest::newRow("absent falls back") << 4 << QString() << u"clBlue"_s << 0xFF0000;
}

void TestDecorationPresets::captionPresetColour()
{
    QFETCH(int, preset);
    QFETCH(QString, setting);
    QFETCH(QString, text);
    QFETCH(int, colour);
    Settings s;
    s.loadDefaults();
    const QString key = u"cl_CaptionMask"_s + QString::number(preset);
    if (setting.isNull())
        s.setValue(key, QString());
    else
        s.setValue(key, setting.isEmpty() ? u" "_s : setting);
    const CaptionPreset p = DecorationPresets::captionPreset(s, preset);
    QCOMPARE(p.colourText, text);
    QCOMPARE(p.colour, colour);
}

void TestDecorationPresets::namesFromSettings()
{
    Settings s;
    s.loadDefaults();
    QCOMPARE(DecorationPresets::captionPreset(s, 5).name, u"計画1"_s);
    QCOMPARE(DecorationPresets::sealName(s, 14), u"フォルダマル"_s);
    QCOMPARE(DecorationPresets::labelName(s, 3), u"低"_s);
    QCOMPARE(DecorationPresets::maskColourName(s, 7), u"灰"_s);
    s.setValue(u"Seal_N3"_s, QString()); // an empty name is the seal's number
    QCOMPARE(DecorationPresets::sealName(s, 3), u"3"_s);
    s.setValue(u"Tx_CaptionMaskName0"_s, u"至急"_s);
    QCOMPARE(DecorationPresets::captionPreset(s, 0).name, u"至急"_s);
    QVERIFY(DecorationPresets::captionPreset(s, 7).colourText.isEmpty());
    QVERIFY(DecorationPresets::sealName(s, 15).isEmpty());
}

void TestDecorationPresets::chosenColourNeverReadsAsACode_data()
{
    QTest::addColumn<int>("chosen");
    QTest::addColumn<int>("stored");
    QTest::newRow("black") << 0 << 8;
    QTest::newRow("red 1") << 1 << 8;
    QTest::newRow("red 7") << 7 << 8;
    QTest::newRow("red 8") << 8 << 8;
    QTest::newRow("red 255") << 255 << 255;
    QTest::newRow("white") << 0xFFFFFF << 0xFFFFFF;
}

void TestDecorationPresets::chosenColourNeverReadsAsACode()
{
    QFETCH(int, chosen);
    QFETCH(int, stored);
    const qint32 v = OneColourCode::fromChosenColour(chosen);
    QCOMPARE(v, stored);
    QVERIFY(!OneColourCode::isNone(v));
    QVERIFY(!OneColourCode::isFixed(v));
}

void TestDecorationPresets::colourBarButton()
{
    const QImage button = BuiltinPictures::colourBarButton(QColor(255, 255, 0));
    QCOMPARE(button.size(), QSize(16, 16));
    for (int y = 0; y < 16; ++y) {
        const bool bar = y >= 6 && y < 10;
        for (int x : {0, 7, 15}) {
            const QColor c = button.pixelColor(x, y);
            QCOMPARE(c.alpha(), bar ? 255 : 0);
            if (bar)
                QCOMPARE(c.rgb(), qRgb(255, 255, 0));
        }
    }
}

QTEST_GUILESS_MAIN(TestDecorationPresets)
#include "tst_decorationpresets.moc"
