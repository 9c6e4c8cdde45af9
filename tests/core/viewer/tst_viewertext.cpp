#include "core/viewer/viewertext.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace kazari;
using namespace Qt::StringLiterals;

namespace
{

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray readBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// "表示\r\nメモ\r\n" in CP932.
const QByteArray Cp932Crlf = "\x95\x5C\x8E\xA6\r\n\x83\x81\x83\x82\r\n"_ba;

} // namespace

class TestViewerText : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void keepsEncodingAndLineEnds();
    void readsNothingFromTheLimitOn();
    void asksBeforeReplacingAFileNotLoadedAsText_data();
    void asksBeforeReplacingAFileNotLoadedAsText();

private:
    QTemporaryDir m_dir;
};

void TestViewerText::keepsEncodingAndLineEnds()
{
    const QString path = m_dir.filePath(u"memo.txt"_s);
    QVERIFY(writeBytes(path, Cp932Crlf));
    const ViewerText::LoadResult loaded = ViewerText::load(path);
    QVERIFY(loaded.ok);
    QCOMPARE(loaded.text, u"表示\nメモ"_s);

    // Unchanged text goes back byte for byte; an edit keeps CP932 and CRLF.
    ViewerText::SaveResult saved = ViewerText::save(path, loaded.text, loaded.shown, nullptr);
    QVERIFY2(saved.ok, qPrintable(saved.error));
    QCOMPARE(readBytes(path), Cp932Crlf);
    saved = ViewerText::save(path, u"表示\nメモ\r\n追加"_s, loaded.shown, nullptr);
    QVERIFY(saved.ok);
    QCOMPARE(readBytes(path), Cp932Crlf + "\x92\xC7\x89\xC1\r\n"_ba);
}

void TestViewerText::readsNothingFromTheLimitOn()
{
    const QString path = m_dir.filePath(u"big.txt"_s);
    QVERIFY(writeBytes(path, QByteArray(100, 'x')));
    ViewerText::LoadResult loaded = ViewerText::load(path, 100);
    QVERIFY(loaded.tooLarge);
    QVERIFY(!loaded.ok);
    QVERIFY(loaded.text.isEmpty());
    QCOMPARE(loaded.size, 100);
    loaded = ViewerText::load(path, 101);
    QVERIFY(loaded.ok);
    QCOMPARE(loaded.text.size(), 100);
}

void TestViewerText::asksBeforeReplacingAFileNotLoadedAsText_data()
{
    QTest::addColumn<bool>("loadedAsText");
    QTest::addColumn<bool>("targetIsShownFile");
    QTest::addColumn<bool>("targetExists");
    QTest::addColumn<bool>("asked");
    QTest::newRow("own text back to its file") << true << true << true << false;
    QTest::newRow("empty view over a binary file") << false << true << true << true;
    QTest::newRow("text over another file") << true << false << true << true;
    QTest::newRow("text into a new file") << true << false << false << false;
    QTest::newRow("empty view into a new file") << false << false << false << false;
}

void TestViewerText::asksBeforeReplacingAFileNotLoadedAsText()
{
    QFETCH(bool, loadedAsText);
    QFETCH(bool, targetIsShownFile);
    QFETCH(bool, targetExists);
    QFETCH(bool, asked);

    QTemporaryDir dir;
    const QString shownPath = dir.filePath(loadedAsText ? u"a.txt"_s : u"a.dat"_s);
    const QByteArray original("\x00\x01 binary", 9);
    QVERIFY(writeBytes(shownPath, original));
    ShownText shown;
    shown.path = shownPath;
    if (loadedAsText) {
        const ViewerText::LoadResult loaded = ViewerText::load(shownPath);
        QVERIFY(loaded.ok);
        shown = loaded.shown;
    }
    const QString target = targetIsShownFile ? shownPath : dir.filePath(u"b.txt"_s);
    if (targetExists && !targetIsShownFile)
        QVERIFY(writeBytes(target, original));

    // Answered No, or no one to ask: the file stays as it was.
    QStringList questions;
    auto answer = [&questions](bool yes) {
        return [&questions, yes](const QString &question) {
            questions << question;
            return yes;
        };
    };
    ViewerText::SaveResult saved = ViewerText::save(target, u"new"_s, shown, answer(false));
    QCOMPARE(questions.size(), asked ? 1 : 0);
    QCOMPARE(saved.ok, !asked);
    QCOMPARE(saved.declined, asked);
    if (asked) {
        QVERIFY(questions.first().contains(target));
        QCOMPARE(readBytes(target), original);
        QVERIFY(ViewerText::save(target, u"new"_s, shown, nullptr).declined);
        QCOMPARE(readBytes(target), original);
        saved = ViewerText::save(target, u"new"_s, shown, answer(true));
        QVERIFY(saved.ok);
    }
    QVERIFY(readBytes(target).startsWith("new"));
}

QTEST_GUILESS_MAIN(TestViewerText)
#include "tst_viewertext.moc"
