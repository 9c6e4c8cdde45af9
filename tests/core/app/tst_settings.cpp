#include "core/app/colorvalue.h"
#include "core/app/componentnames.h"
#include "core/app/defaultsettings.h"
#include "core/app/settings.h"
#include "testsupport/tempprogramfolder.h"
#include "testsupport/withoutrootrights.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <unistd.h>

using namespace kazari;
using namespace Qt::StringLiterals;

class TestSettings : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void defaultTextMatchesGoldenFile();
    void defaultsDescribeFreshStart();
    void switchesAndIntegers_data();
    void switchesAndIntegers();
    void colours_data();
    void colours();
    void keyUnderAnyHeadingIsFound();
    void storeSettingWithoutFileChangesOnlyTheList();
    void storeSettingWritesOnlyThatKey();
    void storeSettingWritesLiveLastPath();
    void hostileFileLoadsAndSurvivesSave();
    void unreadableFileIsMarked();
    void brightnessRoundsHalfToEven();
    void unreadFileIsNeverReplaced();
};

void TestSettings::defaultTextMatchesGoldenFile()
{
    QFile golden(QStringLiteral(KAZARI_TEST_SOURCE_DIR "/exe.ini.default"));
    QVERIFY(golden.open(QIODevice::ReadOnly));
    QStringList expected = QString::fromUtf8(golden.readAll()).split(u'\n');
    QCOMPARE(expected.takeLast(), QString());
    const QStringList &actual = DefaultSettings::lines();
    QCOMPARE(actual.size(), expected.size());
    for (qsizetype i = 0; i < actual.size(); ++i)
        QCOMPARE(actual.at(i), expected.at(i));
    // The three headings with an ideographic space.
    QVERIFY(actual.contains(QStringLiteral(u"[アイコン\u3000表示の設定]")));
    QVERIFY(actual.contains(QStringLiteral(u"[文字\u3000表示の設定]")));
    QVERIFY(actual.contains(QStringLiteral(u"[コメント・タスク\u3000表示の設定]")));
}

void TestSettings::defaultsDescribeFreshStart()
{
    test::TempProgramFolder dir;
    Settings s(dir.folder());
    QVERIFY(!s.load());
    QVERIFY(!s.loadedFromFile());
    QVERIFY(s.isOn(Component::PerFolderFiles));
    QVERIFY(!s.isOn(Component::CentralManagement));
    QVERIFY(s.isOn(Component::ViewIcons));
    QCOMPARE(s.integer(u"IconSize"_s, 0), 80);
    QCOMPARE(s.value(u"ListViewFontName"_s), u"MS UI Gothic"_s);
    QCOMPARE(s.value(u"ColumnsWidth1"_s),
             u"\"250\",\"150\",\"150\",\"150\",\"150\",\"150\",\"150\",\"150\",\"150\",\"150\","
             "\"150\",\"150\""_s);
    QVERIFY(!dir.exists(u"exe.ini"_s));
}

void TestSettings::switchesAndIntegers_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("on");
    QTest::addColumn<int>("integer"); // -999 for "does not convert"
    QTest::newRow("one") << u"1"_s << true << 1;
    QTest::newRow("zero") << u"0"_s << false << 0;
    QTest::newRow("two") << u"2"_s << false << 2;
    QTest::newRow("leading zero") << u"01"_s << true << 1;
    QTest::newRow("negative") << u"-7"_s << false << -7;
    QTest::newRow("leading blank") << u" 1"_s << true << 1;
    QTest::newRow("trailing blank") << u"1 "_s << false << -999;
    QTest::newRow("text") << u"yes"_s << false << -999;
    QTest::newRow("decimal point") << u"1.0"_s << false << -999;
    QTest::newRow("too big") << u"99999999999"_s << false << -999;
    QTest::newRow("sign only") << u"-"_s << false << -999;
}

void TestSettings::switchesAndIntegers()
{
    QFETCH(QString, value);
    QFETCH(bool, on);
    QFETCH(int, integer);
    Settings s;
    s.setValue(u"K"_s, value);
    QCOMPARE(s.isOn(u"k"_s), on);
    const std::optional<int> v = s.integer(u"K"_s);
    QCOMPARE(v.has_value(), integer != -999);
    if (v)
        QCOMPARE(*v, integer);
    QCOMPARE(s.integer(u"K"_s, 42), v.value_or(42));
    QVERIFY(!s.isOn(u"absent"_s));
}

void TestSettings::colours_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<qint64>("number");
    QTest::addColumn<QColor>("rgb");
    QTest::newRow("clRed") << u"clRed"_s << true << qint64(0x0000FF) << QColor(255, 0, 0);
    QTest::newRow("clblue any case")
        << u"clblue"_s << true << qint64(0xFF0000) << QColor(0, 0, 255);
    QTest::newRow("clAqua") << u"clAqua"_s << true << qint64(0xFFFF00) << QColor(0, 255, 255);
    QTest::newRow("clTeal") << u"clTeal"_s << true << qint64(0x808000) << QColor(0, 128, 128);
    QTest::newRow("clNavy") << u"clNavy"_s << true << qint64(0x800000) << QColor(0, 0, 128);
    QTest::newRow("decimal bgr") << u"255"_s << true << qint64(255) << QColor(255, 0, 0);
    QTest::newRow("white") << u"16777215"_s << true << qint64(16777215) << QColor(255, 255, 255);
    QTest::newRow("window text") << u"-16777208"_s << true << qint64(-16777208) << QColor(0, 0, 0);
    QTest::newRow("btn face") << u"clBtnFace"_s << true << qint64(-16777201)
                              << QColor(0xEC, 0xE9, 0xD8);
    QTest::newRow("hex") << u"$000000FF"_s << true << qint64(255) << QColor(255, 0, 0);
    QTest::newRow("unknown name") << u"clFoo"_s << false << qint64(0) << QColor();
    QTest::newRow("garbage") << u"12ab"_s << false << qint64(0) << QColor();
    QTest::newRow("empty") << u""_s << false << qint64(0) << QColor();
}

void TestSettings::colours()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(qint64, number);
    QFETCH(QColor, rgb);
    const std::optional<qint32> c = ColorValue::parse(text);
    QCOMPARE(c.has_value(), ok);
    if (!ok)
        return;
    QCOMPARE(qint64(*c), number);
    QCOMPARE(ColorValue::toColor(*c), rgb);
}

void TestSettings::keyUnderAnyHeadingIsFound()
{
    test::TempProgramFolder dir;
    QVERIFY(
        dir.writeBytes(u"exe.ini"_s, "[ツールボタン]\nN28=0\n[whatever]\nIconSize=48\nN28=1\n"));
    Settings s(dir.folder());
    QVERIFY(s.load());
    QCOMPARE(s.integer(u"iconsize"_s, 0), 48);
    QVERIFY(!s.isOn(Component::ViewIcons)); // first line wins
    // Keys absent from the file are absent, not defaulted.
    QVERIFY(!s.contains(Component::PerFolderFiles));
}

void TestSettings::storeSettingWithoutFileChangesOnlyTheList()
{
    test::TempProgramFolder dir;
    Settings s(dir.folder());
    s.load();
    QCOMPARE(s.storeSetting(Component::ShowHiddenFiles, u"0"_s, true), u"-1"_s);
    QVERIFY(!s.isOn(Component::ShowHiddenFiles));
    QVERIFY(!dir.exists(u"exe.ini"_s));
}

void TestSettings::storeSettingWritesOnlyThatKey()
{
    test::TempProgramFolder dir;
    QVERIFY(dir.writeBytes(u"exe.ini"_s, "[x]\r\nN306=0\r\nIconSize=48\r\n"));
    Settings s(dir.folder());
    QVERIFY(s.load());
    s.setValue(u"IconSize"_s, u"64"_s); // changed in memory only
    QCOMPARE(s.storeSetting(Component::ShowHiddenFiles, u"1"_s, true), u"1"_s);
    QCOMPARE(dir.readBytes(u"exe.ini"_s), QByteArray("[x]\r\nN306=1\r\nIconSize=48\r\n"));
    // Without the write flag the file is only read.
    QCOMPARE(s.storeSetting(u"IconSize"_s, u"96"_s, false), u"48"_s);
    QCOMPARE(s.storeSetting(u"Nothing"_s, u"5"_s, false), u"-1"_s);
    QCOMPARE(s.value(u"Nothing"_s), u"5"_s);
    QCOMPARE(dir.readBytes(u"exe.ini"_s), QByteArray("[x]\r\nN306=1\r\nIconSize=48\r\n"));
}

void TestSettings::storeSettingWritesLiveLastPath()
{
    test::TempProgramFolder dir;
    QVERIFY(dir.writeBytes(u"exe.ini"_s, "LastPath=/old/\n"));
    Settings s(dir.folder());
    s.load();
    s.setLiveValueProvider(
        [](const QString &key) { return key == u"LastPath"_s ? u"/current/"_s : u"http://x/"_s; });
    QCOMPARE(s.storeSetting(u"LastPath"_s, u"/typed/"_s, true), u"/current/"_s);
    QCOMPARE(s.value(u"LastPath"_s), u"/typed/"_s);
    QCOMPARE(s.readFromFile(u"LastPath"_s), u"/current/"_s);
}

void TestSettings::hostileFileLoadsAndSurvivesSave()
{
    test::TempProgramFolder dir;
    QByteArray bytes(1, '\0');
    bytes += "\x01\xFF garbage\r\nnoequals\r\nN28=1\r\nN28=0\r\nbad=\x81\r\n";
    bytes += "long=" + QByteArray(10 * 1024 * 1024, 'x') + "\r\n";
    QVERIFY(dir.writeBytes(u"exe.ini"_s, bytes));
    Settings s(dir.folder());
    QVERIFY(s.load());
    QVERIFY(s.isOn(Component::ViewIcons));
    QCOMPARE(s.value(u"long"_s).size(), 10 * 1024 * 1024);
    QVERIFY(s.save());
    QCOMPARE(dir.readBytes(u"exe.ini"_s), bytes);
    s.setValue(Component::ViewIcons, u"0"_s);
    QVERIFY(s.save());
    QByteArray expected = bytes;
    expected.replace("N28=1", "N28=0");
    QCOMPARE(dir.readBytes(u"exe.ini"_s), expected);
}

void TestSettings::unreadableFileIsMarked()
{
    test::TempProgramFolder dir;
    QVERIFY(dir.writeBytes(u"exe.ini"_s, "IconSize=48\n"));
    QVERIFY(test::WithoutRootRights::letOthersIn(dir.path()));
    QVERIFY(QFile::setPermissions(dir.file(u"exe.ini"_s), QFile::WriteOwner));
    Settings s(dir.folder());
    QString error;
    {
        // Root reads every file: the load runs with an ordinary user's rights.
        test::WithoutRootRights ordinary;
        QVERIFY(ordinary.ok());
        QVERIFY(!s.load(&error));
    }
    QVERIFY(!error.isEmpty());
    QVERIFY(s.readFailed()); // the closing steps then leave the file alone
    QCOMPARE(s.integer(u"IconSize"_s, 0), 80);
    QVERIFY(QFile::setPermissions(dir.file(u"exe.ini"_s), QFile::ReadOwner | QFile::WriteOwner));
    QVERIFY(s.load());
    QVERIFY(!s.readFailed());
}

void TestSettings::brightnessRoundsHalfToEven()
{
    // 0.299 * 255 + 0.587 * 0 + 0.114 * 0 = 76.245 -> 76
    QCOMPARE(ColorValue::brightness(QColor(255, 0, 0)), 76);
    // 0.299*100 + 0.587*50 + 0.114*0 = 59.25 -> 59; 0.587*230 + 0.114*10 = 136.15
    QCOMPARE(ColorValue::brightness(QColor(100, 50, 0)), 59);
    // Exact halves go to the even neighbour: 126.5 -> 126, 127.5 -> 128.
    QCOMPARE(ColorValue::brightness(QColor(0, 172, 224)), 126);
    QCOMPARE(ColorValue::brightness(QColor(0, 204, 68)), 128);
    QCOMPARE(ColorValue::brightness(QColor(255, 255, 255)), 255);
    QCOMPARE(ColorValue::brightness(QColor(0, 0, 0)), 0);
}

void TestSettings::unreadFileIsNeverReplaced()
{
    // An exe.ini that is there but cannot be read (here a link to a folder, which stops
    // root too): the list holds the defaults, and saving them would replace the user's
    // settings.
    test::TempProgramFolder dir;
    QVERIFY(QDir().mkpath(dir.file(u"elsewhere"_s)));
    QVERIFY(QFile::link(dir.file(u"elsewhere"_s), dir.file(u"exe.ini"_s)));
    Settings s(dir.folder());
    QVERIFY(!s.load());
    QVERIFY(s.readFailed());
    s.setInteger(u"IconSize"_s, 48);
    QString error;
    QVERIFY(!s.save(&error));
    QCOMPARE(error, Settings::unreadFileText());
    QVERIFY(QFileInfo(dir.file(u"exe.ini"_s)).isSymLink());
    // Once the file is gone, saving makes a new one.
    QVERIFY(QFile::remove(dir.file(u"exe.ini"_s)));
    QVERIFY(s.save(&error));
    QVERIFY(s.load());
    QCOMPARE(s.integer(u"IconSize"_s, 0), 48);
}

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
