#include "core/app/componentnames.h"
#include "core/itemlist/itemsorter.h"
#include "core/itemlist/sortorder.h"

#include <QTest>

#include <limits>

using namespace kazari;
using namespace Qt::StringLiterals;

namespace
{

// Records named "r0", "r1", ... with one field set from `values`.
std::vector<ItemRecord> recordsWith(QString ItemRecord::*member, const QStringList &values)
{
    std::vector<ItemRecord> records;
    for (int i = 0; i < values.size(); ++i) {
        ItemRecord r;
        r.idx = i;
        r.Name = u"r"_s + QString::number(i);
        r.*member = values.at(i);
        records.push_back(r);
    }
    return records;
}

QStringList fieldInOrder(const std::vector<ItemRecord> &records, QString ItemRecord::*member,
                         const std::vector<int> &order)
{
    QStringList out;
    for (int row : order)
        out << records[size_t(row)].*member;
    return out;
}

std::vector<int> sorted(const std::vector<ItemRecord> &records, int key, bool ascending,
                        bool details = false, ItemSorter::ColumnText columns = {})
{
    ItemSorter::Request request;
    request.key = key;
    request.ascending = ascending;
    request.detailsView = details;
    request.columnText = std::move(columns);
    return ItemSorter::order(records, request);
}

} // namespace

class TestItemSorter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void textKeys_data();
    void textKeys();
    void sizesCompareAs64BitNumbers();
    void iconColoursWithoutAMaskComeFirst();
    void columnKeys();
    void keysThatDoNotSort();
    void treeListSortsEachLevel();
    void sortOrders();
    void folderSortType_data();
    void folderSortType();
};

void TestItemSorter::textKeys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QStringList>("values");
    QTest::addColumn<QStringList>("ascending");

    // Case does not count; descending is the exact reverse when the keys differ.
    QTest::newRow("name") << int(ItemSorter::NameKey) << QStringList{u"b"_s, u"A"_s, u"C"_s}
                          << QStringList{u"A"_s, u"b"_s, u"C"_s};
    QTest::newRow("caption") << int(ItemSorter::CaptionKey)
                             << QStringList{u"zeta"_s, u"Alpha"_s, u"beta"_s}
                             << QStringList{u"Alpha"_s, u"beta"_s, u"zeta"_s};
    QTest::newRow("comment, none first")
        << int(ItemSorter::CommentKey) << QStringList{u"memo"_s, QString(), u"Apple"_s}
        << QStringList{QString(), u"Apple"_s, u"memo"_s};
    QTest::newRow("caption colour as text")
        << int(ItemSorter::CaptionColourKey) << QStringList{u"255"_s, u"-1"_s, u"1000"_s}
        << QStringList{u"-1"_s, u"1000"_s, u"255"_s};
    QTest::newRow("file type") << int(ItemSorter::FileTypeKey)
                               << QStringList{u".txt"_s, u".BMP"_s, QString(), u".jpg"_s}
                               << QStringList{QString(), u".BMP"_s, u".jpg"_s, u".txt"_s};
}

void TestItemSorter::textKeys()
{
    QFETCH(int, key);
    QFETCH(QStringList, values);
    QFETCH(QStringList, ascending);

    QString ItemRecord::*member = &ItemRecord::Name;
    if (key == ItemSorter::CommentKey)
        member = &ItemRecord::Comment;
    else if (key == ItemSorter::CaptionColourKey)
        member = &ItemRecord::CaptionRGB;
    else if (key == ItemSorter::FileTypeKey)
        member = &ItemRecord::FileType;
    const std::vector<ItemRecord> records = recordsWith(member, values);

    QCOMPARE(fieldInOrder(records, member, sorted(records, key, true)), ascending);
    QStringList descending = ascending;
    std::reverse(descending.begin(), descending.end());
    QCOMPARE(fieldInOrder(records, member, sorted(records, key, false)), descending);
}

void TestItemSorter::sizesCompareAs64BitNumbers()
{
    // A comparison by difference cut to 32 bits would put 5 GB before 1 byte and find
    // the largest size smaller than 0.
    const std::vector<qint64> sizes{
        5'000'000'000LL, 1, std::numeric_limits<qint64>::max(), 0, 4'294'967'297LL,
        2'147'483'648LL};
    std::vector<ItemRecord> records;
    for (qint64 s : sizes) {
        ItemRecord r;
        r.Size = s;
        records.push_back(r);
    }
    auto sizesOf = [&](const std::vector<int> &order) {
        std::vector<qint64> out;
        for (int row : order)
            out.push_back(records[size_t(row)].Size);
        return out;
    };
    std::vector<qint64> up = sizes;
    std::sort(up.begin(), up.end());
    QCOMPARE(sizesOf(sorted(records, ItemSorter::SizeKey, true)), up);
    std::vector<qint64> down(up.rbegin(), up.rend());
    QCOMPARE(sizesOf(sorted(records, ItemSorter::SizeKey, false)), down);
    // Column 2 of the details view is the size column: the same numbers.
    QCOMPARE(sizesOf(sorted(records, ItemSorter::SizeColumnKey, true, true)), up);
}

void TestItemSorter::iconColoursWithoutAMaskComeFirst()
{
    // No mask, no number and numbers outside the colour range all count as -1.
    const QStringList values{u"255"_s,      u"-1"_s, u"3"_s,       u"clRed"_s,
                             u"99999999"_s, u"0"_s,  u"16777216"_s};
    const std::vector<ItemRecord> records = recordsWith(&ItemRecord::IconRGB, values);
    QCOMPARE(ItemSorter::iconColourValue(u"clRed"_s), -1);
    QCOMPARE(ItemSorter::iconColourValue(u"16777215"_s), 16777215);

    const QStringList up = fieldInOrder(records, &ItemRecord::IconRGB,
                                        sorted(records, ItemSorter::IconColourKey, true));
    QCOMPARE(QSet<QString>(up.begin(), up.begin() + 4),
             (QSet<QString>{u"-1"_s, u"clRed"_s, u"99999999"_s, u"16777216"_s}));
    QCOMPARE(up.mid(4), (QStringList{u"0"_s, u"3"_s, u"255"_s}));
    const QStringList down = fieldInOrder(records, &ItemRecord::IconRGB,
                                          sorted(records, ItemSorter::IconColourKey, false));
    QCOMPARE(down.mid(0, 3), (QStringList{u"255"_s, u"3"_s, u"0"_s}));
}

void TestItemSorter::columnKeys()
{
    // Rows 1 and 3 have no sub-item in column 5: they compare as empty texts.
    std::vector<ItemRecord> records(4);
    const QStringList column5{u"b"_s, QString(), u"A"_s, QString()};
    QList<int> asked;
    auto texts = [&](int row, int column) {
        asked << column;
        return column == 5 ? column5.value(row) : u"x"_s;
    };
    const std::vector<int> up = sorted(records, 5, true, false, texts);
    QCOMPARE(up.size(), size_t(4));
    QCOMPARE(QSet<int>({up[0], up[1]}), (QSet<int>{1, 3}));
    QCOMPARE(up[2], 2);
    QCOMPARE(up[3], 0);
    QVERIFY(!asked.isEmpty());
    QVERIFY(std::all_of(asked.begin(), asked.end(), [](int c) { return c == 5; }));

    // Outside the details view column 2 is text like any other column.
    std::vector<ItemRecord> sized(2);
    sized[0].Size = 1;
    sized[1].Size = 2;
    const QStringList column2{u"b"_s, u"a"_s};
    const std::vector<int> byText = sorted(sized, ItemSorter::SizeColumnKey, true, false,
                                           [&](int row, int) { return column2.value(row); });
    QCOMPARE(byText, (std::vector<int>{1, 0}));
    // Without a text source every column is empty: nothing moves out of range.
    const std::vector<int> empty = sorted(records, 7, true);
    QCOMPARE(empty.size(), size_t(4));
}

void TestItemSorter::keysThatDoNotSort()
{
    std::vector<ItemRecord> records(3);
    for (int key : {-1, 19, 1000})
        QVERIFY(sorted(records, key, true).empty());
}

void TestItemSorter::treeListSortsEachLevel()
{
    // b/ expanded with b/y, b/x (and b/x expanded with b/x/q, b/x/p), then a, c.
    struct Row {
        const char16_t *name;
        int parent;
        int depth;
    };
    const Row rows[] = {{u"b", -1, 0}, {u"y", 0, 1},  {u"x", 0, 1}, {u"q", 2, 2},
                        {u"p", 2, 2},  {u"c", -1, 0}, {u"a", -1, 0}};
    std::vector<ItemRecord> records;
    for (const Row &row : rows) {
        ItemRecord r;
        r.idx = int(records.size());
        r.Name = QString::fromUtf16(row.name);
        r.Loot = row.parent;
        r.depth = row.depth;
        records.push_back(r);
    }
    QCOMPARE(fieldInOrder(records, &ItemRecord::Name, sorted(records, ItemSorter::NameKey, true)),
             (QStringList{u"a"_s, u"b"_s, u"x"_s, u"p"_s, u"q"_s, u"y"_s, u"c"_s}));
    QCOMPARE(fieldInOrder(records, &ItemRecord::Name, sorted(records, ItemSorter::NameKey, false)),
             (QStringList{u"c"_s, u"b"_s, u"y"_s, u"x"_s, u"q"_s, u"p"_s, u"a"_s}));
}

void TestItemSorter::sortOrders()
{
    // Each order's command, key and .SortType value.
    const QList<QPair<QString, int>> expected{
        {Component::SortByName, 13},          {Component::SortByIconColour, 14},
        {Component::SortByCaptionColour, 15}, {Component::SortByComment, 16},
        {Component::SortBySize, 17},          {Component::SortByType, 18}};
    QCOMPARE(SortOrder::entries().size(), expected.size());
    for (int i = 0; i < expected.size(); ++i) {
        const std::optional<SortOrder::Order> o = SortOrder::ofCommand(expected.at(i).first);
        QVERIFY(o);
        QCOMPARE(int(*o), i);
        QCOMPARE(SortOrder::keyOf(*o), expected.at(i).second);
    }
    QVERIFY(!SortOrder::ofCommand(Component::ArrangeNone));

    // Several marked: type, size, comment, caption colour, icon colour, name.
    QCOMPARE(SortOrder::effective({true, false, false, true, false, false}), SortOrder::ByComment);
    QCOMPARE(SortOrder::effective({true, true, true, true, true, true}), SortOrder::ByType);
    QCOMPARE(SortOrder::effective({true, true, false, false, false, false}),
             SortOrder::ByIconColour);
    QCOMPARE(SortOrder::effective({true}), SortOrder::ByName);
    QVERIFY(!SortOrder::effective({false, false, false, false, false, false}));
}

void TestItemSorter::folderSortType_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("order"); // -1: no fixed order

    QTest::newRow("0") << u"0"_s << 0;
    QTest::newRow("5") << u"5"_s << 5;
    QTest::newRow("spaces") << u" 3 "_s << 3;
    QTest::newRow("6") << u"6"_s << -1;
    QTest::newRow("negative") << u"-1"_s << -1;
    QTest::newRow("huge") << u"99999999999999"_s << -1;
    QTest::newRow("text") << u"name"_s << -1;
    QTest::newRow("fraction") << u"2.0"_s << -1;
    QTest::newRow("empty") << QString() << -1;
}

void TestItemSorter::folderSortType()
{
    QFETCH(QString, value);
    QFETCH(int, order);
    const std::optional<SortOrder::Order> o = SortOrder::ofFolderValue(value);
    QCOMPARE(o ? int(*o) : -1, order);
}

QTEST_GUILESS_MAIN(TestItemSorter)
#include "tst_itemsorter.moc"
