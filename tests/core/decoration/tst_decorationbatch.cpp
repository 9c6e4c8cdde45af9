#include "core/annotations/annotationkey.h"
#include "core/annotations/annotationlist.h"
#include "core/annotations/annotationstore.h"
#include "core/app/componentnames.h"
#include "core/app/settings.h"
#include "core/decoration/decorationbatch.h"
#include "testsupport/tempprogramfolder.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace kazari;
using namespace kazari::test;
using namespace Qt::StringLiterals;

namespace
{

QByteArray bytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &data)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(data), data.size());
}

// Two folders "a" and "b" of annotated items, their files in the chosen mode, and a store.
struct Fixture {
    explicit Fixture(StorageMode mode)
    {
        settings.setSwitch(Component::CentralManagement, mode == StorageMode::Central);
        settings.setSwitch(Component::PerFolderFiles, mode == StorageMode::PerFolder);
        store.reloadModeFromSettings();
        store.setQuestionHandler([](StoreQuestion, const QString &) { return true; });
        const QByteArray a =
            "x.txt_label=3\r\nx.txt_cmt=keep\r\nz.txt_s=2\r\nz.txt_CVColor=clRed\r\n"
            "w.txt_oneColor=4\r\nw.txt_RGB=1,2,3\r\nx.txt_p=7,7\r\n";
        const QByteArray b = "y.txt_s=7\r\ny.txt_TS=2024/01/02,10:00:00\r\ny.txt_p=3,4\r\n";
        QDir().mkpath(folder(u"a"_s));
        QDir().mkpath(folder(u"b"_s));
        if (mode == StorageMode::PerFolder) {
            writeFile(folder(u"a"_s) + u"_m.ini"_s, a);
            writeFile(folder(u"b"_s) + u"_m.ini"_s, b);
        } else {
            pf.writeBytes(u"ini/index.ini"_s,
                          (folder(u"a"_s) + u"=1\r\n"_s + folder(u"b"_s) + u"=2\r\n"_s).toUtf8());
            pf.writeBytes(u"ini/1.ini"_s, a);
            pf.writeBytes(u"ini/2.ini"_s, b);
        }
        // The list shows folder a, so its file is also the current annotation list.
        store.loadForListBuild(folder(u"a"_s));
    }
    QString folder(const QString &name) const { return data.path() + u'/' + name + u'/'; }
    // Every annotation file, by its path relative to the data or program folder.
    QMap<QString, QByteArray> files() const
    {
        QMap<QString, QByteArray> out;
        for (const QString &root : {data.path(), pf.path()}) {
            QDirIterator it(root, {u"*.ini"_s}, QDir::Files, QDirIterator::Subdirectories);
            while (it.hasNext()) {
                const QString path = it.next();
                // The index names the data folder, which differs between fixtures.
                out.insert(QDir(root).relativeFilePath(path),
                           bytes(path).replace(data.path().toUtf8(), "DATA"));
            }
        }
        return out;
    }

    TempProgramFolder pf;
    QTemporaryDir data;
    Settings settings{pf.folder()};
    AnnotationStore store{pf.folder(), settings};
};

} // namespace

class TestDecorationBatch : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void groupsByFolderInOrder();
    void sameEndStateAsItemByItem_data();
    void sameEndStateAsItemByItem();
    void removalNeverCreatesAFile();
};

void TestDecorationBatch::groupsByFolderInOrder()
{
    const QList<DecorationTarget> targets{
        DecorationTarget::fromPath(u"/d/b/y.txt"_s), DecorationTarget::fromPath(u"/d/a/x.txt"_s),
        DecorationTarget{}, DecorationTarget::fromPath(u"/d/b/z.txt"_s),
        DecorationTarget::fromPath(u"/"_s)};
    const QList<DecorationBatch::Group> groups = DecorationBatch::group(targets);
    QCOMPARE(groups.size(), 2);
    QCOMPARE(groups.at(0).folder, u"/d/b/"_s);
    QCOMPARE(groups.at(0).names, (QStringList{u"y.txt"_s, u"z.txt"_s}));
    QCOMPARE(groups.at(1).folder, u"/d/a/"_s);
    QCOMPARE(groups.at(1).names, QStringList{u"x.txt"_s});
}

void TestDecorationBatch::sameEndStateAsItemByItem_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("change");
    const QStringList changes{u"label"_s,      u"seal"_s,           u"removeLabel"_s,
                              u"removeSeal"_s, u"caption"_s,        u"removeCaption"_s,
                              u"oneColour"_s,  u"removeMasks"_s,    u"paste"_s,
                              u"positions"_s,  u"removePositions"_s};
    for (StorageMode mode : {StorageMode::PerFolder, StorageMode::Central}) {
        for (const QString &c : changes) {
            const QString tag = (mode == StorageMode::PerFolder ? u"folder "_s : u"central "_s) + c;
            QTest::newRow(qPrintable(tag)) << int(mode) << c;
        }
    }
}

void TestDecorationBatch::sameEndStateAsItemByItem()
{
    QFETCH(int, mode);
    QFETCH(QString, change);
    Fixture single{StorageMode(mode)};
    Fixture batch{StorageMode(mode)};
    const QStringList items{u"a/x.txt"_s, u"b/y.txt"_s, u"a/z.txt"_s, u"a/w.txt"_s, u"a/new.txt"_s};

    FileAnnotationRec record;
    record.cmt = u"pasted"_s;
    record.label = u"2"_s;
    single.store.setClipboard(record);

    // One by one, through the store's item operations.
    for (const QString &item : items) {
        QString folder;
        QString name;
        QVERIFY(AnnotationStore::splitItemPath(single.data.path() + u'/' + item, &folder, &name));
        AnnotationOpInput input;
        StoreResult r;
        // Each item its own position.
        const QPoint point(int(items.indexOf(item)) * 10, 5);
        auto op = [&](int code, int seal, int value) {
            r = single.store.AnnotationOp(folder, name, point, seal, value, code, input);
        };
        if (change == u"label"_s)
            op(OpSetLabelSeal, -1, 1);
        else if (change == u"seal"_s)
            op(OpSetLabelSeal, 9, -1);
        else if (change == u"removeLabel"_s)
            op(OpRemoveLabelSeal, 0, -1);
        else if (change == u"removeSeal"_s)
            op(OpRemoveLabelSeal, -1, 0);
        else if (change == u"caption"_s) {
            input.text = u"clYellow"_s;
            op(OpSetCaptionColour, -1, -1);
        } else if (change == u"removeCaption"_s)
            op(OpRemoveCaptionColour, -1, -1);
        else if (change == u"oneColour"_s)
            op(OpSetOneColour, -1, 6);
        else if (change == u"removeMasks"_s)
            op(OpRemoveIconMasks, -1, -1);
        else if (change == u"positions"_s)
            op(OpSetPosition, -1, -1);
        else if (change == u"removePositions"_s)
            op(OpRemovePosition, -1, -1);
        else
            op(OpPasteRecord, -1, -1);
        QVERIFY2(r.ok, qPrintable(r.error));
    }

    // The same as one batch.
    QList<DecorationTarget> targets;
    for (const QString &item : items)
        targets.append(DecorationTarget::fromPath(batch.data.path() + u'/' + item));
    DecorationBatch::ItemChange c;
    bool mayCreate = true;
    if (change == u"label"_s)
        c = DecorationBatch::setLabelOrSeal(1, -1);
    else if (change == u"seal"_s)
        c = DecorationBatch::setLabelOrSeal(-1, 9);
    else if (change == u"removeLabel"_s)
        c = DecorationBatch::removeLabelOrSeal(-1, 0);
    else if (change == u"removeSeal"_s)
        c = DecorationBatch::removeLabelOrSeal(0, -1);
    else if (change == u"caption"_s)
        c = DecorationBatch::setField(u"_CVColor"_s, u"clYellow"_s);
    else if (change == u"removeCaption"_s)
        c = DecorationBatch::removeFields({u"_CVColor"_s});
    else if (change == u"oneColour"_s)
        c = DecorationBatch::setField(u"_oneColor"_s, u"6"_s);
    else if (change == u"removeMasks"_s)
        c = DecorationBatch::removeFields({u"_RGB"_s, u"_oneColor"_s});
    else
        c = DecorationBatch::pasteRecord(record);
    if (change.startsWith(u"remove"_s))
        mayCreate = false;
    DecorationBatch::Result r;
    if (change.endsWith(u"ositions"_s)) {
        QStringList values;
        for (qsizetype i = 0; i < items.size(); ++i)
            values.append(change == u"positions"_s ? u"%1,5"_s.arg(i * 10) : QString());
        r = DecorationBatch::setEach(batch.store, targets, values, u"_p"_s);
    } else {
        r = DecorationBatch::apply(batch.store, targets, c, mayCreate);
    }
    QVERIFY2(r.ok, qPrintable(r.error));
    // One write per folder at most: two folders.
    QVERIFY(r.written <= 2);

    QCOMPARE(batch.files(), single.files());
    QCOMPARE(batch.store.current().lines(), single.store.current().lines());
    QVERIFY(batch.files() != Fixture{StorageMode(mode)}.files());
}

void TestDecorationBatch::removalNeverCreatesAFile()
{
    Fixture f(StorageMode::PerFolder);
    const QString empty = f.folder(u"empty"_s);
    QDir().mkpath(empty);
    const DecorationBatch::Result r =
        DecorationBatch::apply(f.store, {DecorationTarget::fromPath(empty + u"q.txt"_s)},
                               DecorationBatch::removeLabelOrSeal(-1, -1), false);
    QVERIFY(r.ok);
    QCOMPARE(r.written, 0);
    QVERIFY(!QFile::exists(empty + u"_m.ini"_s));
}

QTEST_GUILESS_MAIN(TestDecorationBatch)
#include "tst_decorationbatch.moc"
