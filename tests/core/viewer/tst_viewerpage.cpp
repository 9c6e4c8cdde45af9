#include "core/viewer/systemattribute.h"
#include "core/viewer/viewerpage.h"
#include "jpegwriter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <sys/stat.h>

using namespace kazari;
using namespace Qt::StringLiterals;

namespace
{

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

bool makeFile(const QString &path, qint64 size)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.resize(size);
}

// The headers of a 24-bit bitmap of the given size, without its pixels.
QByteArray bitmapHeader(qint32 width, qint32 height)
{
    QByteArray bytes(54, '\0');
    auto put32 = [&bytes](int at, quint32 value) { qToLittleEndian(value, bytes.data() + at); };
    bytes[0] = 'B';
    bytes[1] = 'M';
    put32(2, 54);
    put32(10, 54);
    put32(14, 40);
    put32(18, quint32(width));
    put32(22, quint32(height));
    qToLittleEndian(quint16(1), bytes.data() + 26);
    qToLittleEndian(quint16(24), bytes.data() + 28);
    return bytes;
}

} // namespace

class TestViewerPage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void fillsThePageForAnItem_data();
    void fillsThePageForAnItem();
    void systemFileShowsNothing();
    void roundedTexts_data();
    void roundedTexts();
    void pictureScrolling();

private:
    QTemporaryDir m_dir;
};

void TestViewerPage::initTestCase()
{
    QVERIFY(m_dir.isValid());
    const QString d = m_dir.path();
    QVERIFY(QDir().mkpath(d + u"/folder/sub"_s));
    QVERIFY(makeFile(d + u"/folder/sub/one"_s, 1048576));
    QVERIFY(makeFile(d + u"/folder/sub/two"_s, 1048576));
    QImage picture(64, 48, QImage::Format_RGB888);
    picture.fill(Qt::green);
    QVERIFY(writeBytes(d + u"/PHOTO.JPG"_s, test::encodeJpeg(picture)));
    QVERIFY(QImage(10, 20, QImage::Format_RGB32).save(d + u"/pic.bmp"_s, "BMP"));
    QVERIFY(writeBytes(d + u"/broken.jpeg"_s, "\xFF\xD8\xFF\xE0 not really"_ba));
    QVERIFY(writeBytes(d + u"/huge.bmp"_s, bitmapHeader(12000, 12000)));
    QVERIFY(makeFile(d + u"/big.dat"_s, 3000000));
    QVERIFY(makeFile(d + u"/limit.txt"_s, 2097152));
    QVERIFY(writeBytes(d + u"/memo.txt"_s, QByteArray(10238, 'a') + "\r\n"));
    QVERIFY(makeFile(d + u"/data.dat"_s, 10240));
    QVERIFY(::mkfifo(QFile::encodeName(d + u"/pipe.txt"_s).constData(), 0600) == 0);
}

void TestViewerPage::fillsThePageForAnItem_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("title"); // null: not checked
    QTest::addColumn<QStringList>("textParts");
    QTest::addColumn<QString>("info");
    QTest::addColumn<bool>("saveEnabled");
    using K = ViewerPage::Kind;
    QTest::newRow("folder") << u"folder"_s << int(K::Folder) << u"folder 0KB"_s
                            << QStringList{u"\nfolder\nサイズ: 2.000000 MB\nフォルダ数: 1 個\n"
                                           "ファイル数: 2 個\nコメント: \n\n内容一覧: \n"_s,
                                           u"/folder/sub/one"_s}
                            << QString() << false;
    QTest::newRow("jpeg in capitals") << u"PHOTO.JPG"_s << int(K::Picture) << QString()
                                      << QStringList() << u"H:48 W:64"_s << false;
    QTest::newRow("bitmap") << u"pic.bmp"_s << int(K::Picture) << QString() << QStringList()
                            << u"H:20 W:10"_s << false;
    QTest::newRow("broken jpeg") << u"broken.jpeg"_s << int(K::Picture) << QString()
                                 << QStringList() << u"JPEG"_s << false;
    QTest::newRow("bitmap over the limit") << u"huge.bmp"_s << int(K::Picture) << QString()
                                           << QStringList() << u"12000 x 12000"_s << false;
    QTest::newRow("3 MB file") << u"big.dat"_s << int(K::Document) << u"big.dat 2930KB"_s
                               << QStringList{u"SizeOver 3 MB"_s} << QString() << false;
    QTest::newRow("text at the limit") << u"limit.txt"_s << int(K::Document) << QString()
                                       << QStringList{u"SizeOver 2 MB"_s} << QString() << false;
    QTest::newRow("10 KB text") << u"memo.txt"_s << int(K::Document) << u"memo.txt 10KB"_s
                                << QStringList{QString(10238, u'a')} << QString() << true;
    QTest::newRow("10 KB other file") << u"data.dat"_s << int(K::Document) << QString()
                                      << QStringList{QString()} << QString() << true;
    QTest::newRow("named pipe") << u"pipe.txt"_s << int(K::Document) << QString()
                                << QStringList{QString()} << QString() << false;
    QTest::newRow("missing") << u"gone.txt"_s << int(K::Missing) << u""_s << QStringList{QString()}
                             << QString() << false;
}

void TestViewerPage::fillsThePageForAnItem()
{
    QFETCH(QString, name);
    QFETCH(int, kind);
    QFETCH(QString, title);
    QFETCH(QStringList, textParts);
    QFETCH(QString, info);
    QFETCH(bool, saveEnabled);

    ViewerPage::Request request;
    request.path = m_dir.filePath(name);
    request.currentFolder = m_dir.path() + u"/"_s;
    const ViewerPage::Content content = ViewerPage::fill(request);

    QCOMPARE(int(content.kind), kind);
    QCOMPARE(content.header, ViewerPage::headerText(content.kind));
    if (!title.isNull())
        QCOMPARE(content.title, title);
    const bool picture = content.kind == ViewerPage::Kind::Picture;
    QCOMPARE(content.pictureVisible, picture);
    QCOMPARE(content.textVisible, !picture);
    if (textParts == QStringList{QString()})
        QCOMPARE(content.text, QString());
    for (const QString &part : textParts)
        QVERIFY2(content.text.contains(part), qPrintable(content.text.left(300)));
    if (picture) {
        QVERIFY2(content.info.contains(info), qPrintable(content.info));
        const bool shown = info.startsWith(u"H:"_s);
        QCOMPARE(content.picture.isNull(), !shown);
        if (shown)
            QCOMPARE(content.picture.format(), QImage::Format_RGB888);
    }
    QCOMPARE(content.saveEnabled, saveEnabled);
    if (saveEnabled) {
        QCOMPARE(content.saveFile, request.path);
        QCOMPARE(content.saveFolder, request.currentFolder);
        QCOMPARE(content.shown.loadedAsText, name.endsWith(u".txt"_s));
    }
}

void TestViewerPage::systemFileShowsNothing()
{
    const QString path = m_dir.filePath(u"system.txt"_s);
    QVERIFY(writeBytes(path, "text"_ba));
    if (!SystemAttribute::set(path, true))
        QSKIP("the file system keeps no extended attributes");
    ViewerPage::Request request;
    request.path = path;
    ViewerPage::Content content = ViewerPage::fill(request);
    QCOMPARE(content.kind, ViewerPage::Kind::Document);
    QCOMPARE(content.text, QString());
    QVERIFY(!content.saveEnabled);

    QVERIFY(SystemAttribute::set(path, false));
    content = ViewerPage::fill(request);
    QCOMPARE(content.text, u"text"_s);
    QVERIFY(content.saveEnabled);
}

void TestViewerPage::roundedTexts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("0 KB") << ViewerPage::titleLine(u"a"_s, 0) << u"a 0KB"_s;
    QTest::newRow("half KB to even 0") << ViewerPage::titleLine(u"a"_s, 512) << u"a 0KB"_s;
    QTest::newRow("1.5 KB to even 2") << ViewerPage::titleLine(u"a"_s, 1536) << u"a 2KB"_s;
    QTest::newRow("2.5 KB to even 2") << ViewerPage::titleLine(u"a"_s, 2560) << u"a 2KB"_s;
    QTest::newRow("over half") << ViewerPage::titleLine(u"a b"_s, 2561) << u"a b 3KB"_s;
    QTest::newRow("SizeOver 3") << ViewerPage::sizeOverText(3000000) << u"SizeOver 3 MB"_s;
    QTest::newRow("SizeOver 2.5") << ViewerPage::sizeOverText(2621440) << u"SizeOver 2 MB"_s;
    QTest::newRow("SizeOver 3.5") << ViewerPage::sizeOverText(3670016) << u"SizeOver 4 MB"_s;
    QTest::newRow("SizeOver 64-bit")
        << ViewerPage::sizeOverText(Q_INT64_C(5) << 32) << u"SizeOver 20480 MB"_s;
}

void TestViewerPage::roundedTexts()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(text, expected);
}

void TestViewerPage::pictureScrolling()
{
    ViewerPage::ScrollRanges ranges = ViewerPage::scrollRanges(QSize(100, 200), QSize(150, 150));
    QVERIFY(ranges.vertical && !ranges.horizontal);
    QCOMPARE(ranges.verticalMaximum, 117);
    ranges = ViewerPage::scrollRanges(QSize(400, 150), QSize(150, 150));
    QVERIFY(!ranges.vertical && ranges.horizontal);
    QCOMPARE(ranges.horizontalMaximum, 266);
    QCOMPARE(ViewerPage::picturePosition(10, 20), QPoint(-10, 31));
}

QTEST_GUILESS_MAIN(TestViewerPage)
#include "tst_viewerpage.moc"
