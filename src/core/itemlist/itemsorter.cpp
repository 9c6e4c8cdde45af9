#include "core/itemlist/itemsorter.h"

#include "core/annotations/annotationvalues.h"

#include <QCollator>
#include <QCollatorSortKey>
#include <QLocale>

#include <algorithm>
#include <numeric>

namespace kazari
{

namespace
{

template <typename Value, typename Compare>
std::vector<int> sortedRows(const std::vector<Value> &values, bool ascending, Compare compare)
{
    std::vector<int> rows(values.size());
    std::iota(rows.begin(), rows.end(), 0);
    if (ascending) {
        std::stable_sort(rows.begin(), rows.end(), [&](int a, int b) {
            return compare(values[size_t(a)], values[size_t(b)]) < 0;
        });
    } else {
        std::stable_sort(rows.begin(), rows.end(), [&](int a, int b) {
            return compare(values[size_t(b)], values[size_t(a)]) < 0;
        });
    }
    return rows;
}

std::vector<int> byNumbers(const std::vector<qint64> &numbers, bool ascending)
{
    return sortedRows(numbers, ascending,
                      [](qint64 a, qint64 b) { return a < b ? -1 : (a > b ? 1 : 0); });
}

std::vector<int> byTexts(const std::vector<ItemRecord> &records, bool ascending,
                         const std::function<QString(int)> &textOf)
{
    QCollator collator{QLocale()};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    collator.setNumericMode(false);
    std::vector<QCollatorSortKey> keys;
    keys.reserve(records.size());
    // The collator of the C locale (and of a locale the collation library does not
    // know) compares code points and ignores the case setting: folding the case first
    // keeps the comparison case-insensitive in every locale.
    for (int row = 0; row < int(records.size()); ++row)
        keys.push_back(collator.sortKey(textOf(row).toCaseFolded()));
    return sortedRows(keys, ascending, [](const QCollatorSortKey &a, const QCollatorSortKey &b) {
        return a.compare(b);
    });
}

} // namespace

qint64 ItemSorter::iconColourValue(const QString &iconRgb)
{
    const std::optional<qint32> v = AnnotationValues::parseOneColour(iconRgb);
    return v ? qint64(*v) : -1;
}

std::vector<int> ItemSorter::keepingTree(const std::vector<ItemRecord> &records,
                                         const std::vector<int> &flat)
{
    const int n = int(records.size());
    bool tree = false;
    for (const ItemRecord &r : records)
        tree = tree || r.depth > 0;
    if (!tree || int(flat.size()) != n)
        return flat;
    // Siblings in the order of the flat sort, each folder followed by its own entries.
    std::vector<std::vector<int>> children(size_t(n) + 1);
    for (const int row : flat) {
        const int parent = records[size_t(row)].Loot;
        const bool valid = parent >= 0 && parent < n && parent != row;
        children[valid ? size_t(parent) : size_t(n)].push_back(row);
    }
    std::vector<int> out;
    out.reserve(size_t(n));
    std::vector<std::pair<int, size_t>> stack{{n, 0}};
    while (!stack.empty()) {
        auto &[node, next] = stack.back();
        const std::vector<int> &kids = children[size_t(node)];
        if (next == kids.size()) {
            stack.pop_back();
            continue;
        }
        const int row = kids[next++];
        out.push_back(row);
        if (!children[size_t(row)].empty() && stack.size() <= size_t(n))
            stack.push_back({row, 0});
    }
    // A parent link that runs in a circle would leave rows out: keep the flat order then.
    if (int(out.size()) != n)
        return flat;
    return out;
}

std::vector<int> ItemSorter::order(const std::vector<ItemRecord> &records, const Request &request)
{
    return keepingTree(records, flatOrder(records, request));
}

std::vector<int> ItemSorter::flatOrder(const std::vector<ItemRecord> &records,
                                       const Request &request)
{
    if (!sorts(request.key))
        return {};
    const int key = request.key;
    const bool up = request.ascending;
    auto column = [&](int row, int col) {
        return request.columnText ? request.columnText(row, col) : QString();
    };
    auto field = [&](QString ItemRecord::*member) {
        return byTexts(records, up, [&](int row) { return records[size_t(row)].*member; });
    };
    auto sizes = [&]() {
        std::vector<qint64> numbers;
        numbers.reserve(records.size());
        for (const ItemRecord &r : records)
            numbers.push_back(r.Size);
        return byNumbers(numbers, up);
    };

    switch (key) {
    case CaptionKey:
    case NameKey:
        return field(&ItemRecord::Name);
    case IconColourKey: {
        std::vector<qint64> numbers;
        numbers.reserve(records.size());
        for (const ItemRecord &r : records)
            numbers.push_back(iconColourValue(r.IconRGB));
        return byNumbers(numbers, up);
    }
    case CaptionColourKey:
        return field(&ItemRecord::CaptionRGB);
    case CommentKey:
        return field(&ItemRecord::Comment);
    case SizeKey:
        return sizes();
    case FileTypeKey:
        return field(&ItemRecord::FileType);
    case SizeColumnKey:
        if (request.detailsView)
            return sizes();
        break;
    default:
        break;
    }
    // A details column: the text shown in column `key`.
    return byTexts(records, up, [&](int row) { return column(row, key); });
}

} // namespace kazari
