// Items on the clipboard: what the program writes and what it takes from others.
#include "core/navigation/clipboardpaths.h"

#include <QMimeData>
#include <QTest>
#include <QUrl>

using namespace kazari;
using namespace Qt::StringLiterals;

class TestClipboardPaths : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void roundTrip();
    void foreignContents_data();
    void foreignContents();
};

void TestClipboardPaths::roundTrip()
{
    // Names with spaces, "%", "#" and line breaks come back whole.
    const QStringList paths{u"/data/a b.txt"_s, u"/data/100% #1.txt"_s, u"/data/two\nlines"_s};
    for (bool cut : {false, true}) {
        const std::unique_ptr<QMimeData> data = ClipboardPaths::toMimeData(paths, cut);
        QCOMPARE(data->urls().size(), 3);
        QVERIFY(data->urls().first().isLocalFile());
        QCOMPARE(data->data(ClipboardPaths::copiedFilesType()).split('\n').first(),
                 cut ? QByteArray("cut") : QByteArray("copy"));
        const ClipboardPaths back = ClipboardPaths::fromMimeData(data.get());
        QCOMPARE(back.paths, paths);
        QCOMPARE(back.cut, cut);
    }
}

void TestClipboardPaths::foreignContents_data()
{
    QTest::addColumn<QByteArray>("uriList");
    QTest::addColumn<QByteArray>("copiedFiles");
    QTest::addColumn<QByteArray>("cutSelection");
    QTest::addColumn<QStringList>("paths");
    QTest::addColumn<bool>("cut");

    QTest::newRow("uri list only: a copy")
        << QByteArray("file:///a/x.txt\r\nfile:///a/y%20z.txt\r\n") << QByteArray() << QByteArray()
        << QStringList{u"/a/x.txt"_s, u"/a/y z.txt"_s} << false;
    QTest::newRow("web addresses and relative names are left out")
        << QByteArray("https://example.org/x\r\nfile:///a/x.txt\r\nrelative.txt\r\n")
        << QByteArray() << QByteArray() << QStringList{u"/a/x.txt"_s} << false;
    QTest::newRow("cut marker with its own list")
        << QByteArray() << QByteArray("cut\nfile:///a/x.txt") << QByteArray()
        << QStringList{u"/a/x.txt"_s} << true;
    QTest::newRow("the other cut marker") << QByteArray("file:///a/x.txt\r\n") << QByteArray()
                                          << QByteArray("1") << QStringList{u"/a/x.txt"_s} << true;
    QTest::newRow("a cut of nothing local is nothing")
        << QByteArray() << QByteArray("cut\nsftp://host/x") << QByteArray() << QStringList{}
        << false;
}

void TestClipboardPaths::foreignContents()
{
    QFETCH(QByteArray, uriList);
    QFETCH(QByteArray, copiedFiles);
    QFETCH(QByteArray, cutSelection);
    QFETCH(QStringList, paths);
    QFETCH(bool, cut);
    QMimeData data;
    if (!uriList.isEmpty())
        data.setData(u"text/uri-list"_s, uriList);
    if (!copiedFiles.isEmpty())
        data.setData(ClipboardPaths::copiedFilesType(), copiedFiles);
    if (!cutSelection.isEmpty())
        data.setData(ClipboardPaths::cutSelectionType(), cutSelection);
    const ClipboardPaths got = ClipboardPaths::fromMimeData(&data);
    QCOMPARE(got.paths, paths);
    QCOMPARE(got.cut, cut);
    QVERIFY(ClipboardPaths::fromMimeData(nullptr).paths.isEmpty());
}

QTEST_GUILESS_MAIN(TestClipboardPaths)
#include "tst_clipboardpaths.moc"
