// Times the item list's sort of 100,000 records by name and by comment (locale text
// compare without regard to case, collation keys made once per sort) beside std::sort
// of the same raw names with a plain compare, and beside a sort that asks the collator
// on every comparison.
#include "core/itemlist/itemsorter.h"

#include "benchtiming.h"

#include <QCollator>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLocale>
#include <QRandomGenerator>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <numeric>
#include <vector>

using namespace kazari;

namespace
{

using kazari::bench::bestMs;

// Names as a folder holds them: a few stems in both cases, numbers, extensions; comments
// in Japanese and English, a third of the records without one.
std::vector<ItemRecord> makeRecords(int count)
{
    QRandomGenerator random(20261210);
    const QStringList stems{"Report", "memo",   "写真",  "DSC",  "invoice",
                            "Backup", "ノート", "draft", "SCAN", "data"};
    const QStringList exts{".txt", ".jpg", ".pdf", ".docx", "", ".JPG", ".ini"};
    const QStringList words{"見積もり", "確認済み", "todo",   "Archive", "請求書",
                            "draft",    "Final",    "送付先", "holiday", "会議"};
    std::vector<ItemRecord> records(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        ItemRecord &r = records[size_t(i)];
        r.idx = i;
        r.Name = stems.at(random.bounded(stems.size())) + QString::number(random.bounded(100000)) +
                 exts.at(random.bounded(exts.size()));
        if (random.bounded(3) != 0)
            r.Comment = words.at(random.bounded(words.size())) + QLatin1Char(' ') +
                        words.at(random.bounded(words.size())) +
                        QString::number(random.bounded(1000));
    }
    return records;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    // The C locale's collator compares code points; the program's users sort with a
    // Japanese one, so that is what is measured unless the environment names another.
    if (QLocale().language() == QLocale::C)
        QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    constexpr int Count = 100000;
    const std::vector<ItemRecord> records = makeRecords(Count);
    std::printf("%d records, locale %s\n", Count, qPrintable(QLocale().name()));

    auto kazariSort = [&](int key) {
        ItemSorter::Request request;
        request.key = key;
        request.ascending = true;
        return bestMs(3, [&] { ItemSorter::order(records, request); });
    };
    const double byName = kazariSort(ItemSorter::NameKey);
    const double byComment = kazariSort(ItemSorter::CommentKey);

    std::vector<QString> names;
    names.reserve(records.size());
    for (const ItemRecord &r : records)
        names.push_back(r.Name);
    const double raw = bestMs(3, [&] {
        std::vector<QString> copy = names;
        std::sort(copy.begin(), copy.end());
    });

    QCollator collator{QLocale()};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    const double perComparison = bestMs(1, [&] {
        std::vector<int> rows(records.size());
        std::iota(rows.begin(), rows.end(), 0);
        std::sort(rows.begin(), rows.end(), [&](int a, int b) {
            return collator.compare(records[size_t(a)].Name, records[size_t(b)].Name) < 0;
        });
    });

    std::printf("sort by name          %8.1f ms  std::sort raw names %8.1f ms  ratio %.2f\n",
                byName, raw, byName / raw);
    std::printf("sort by comment       %8.1f ms  std::sort raw names %8.1f ms  ratio %.2f\n",
                byComment, raw, byComment / raw);
    std::printf("collator per compare  %8.1f ms  (keys once: %.2f of it)\n", perComparison,
                byName / perComparison);
    return 0;
}
