#pragma once

#include "core/itemlist/itemrecord.h"

#include <QString>

#include <functional>
#include <vector>

namespace kazari
{

/// The comparison of the item list's custom sort.
///
/// A sort key names what is compared: 0 the captions, 1 to 12 the details column of
/// that index (2 in the details view: the sizes), 13 the names, 14 the icon colours, 15
/// the caption colours, 16 the comments, 17 the sizes, 18 the file types. Texts compare
/// by the locale without regard to case, numbers numerically. Ascending compares the
/// first item against the second, descending the second against the first; equal keys
/// are equal (items keep their relative order, though nobody may rely on it).
///
/// Every comparison is a consistent three-way compare of values taken from the records
/// once per sort: collation keys are made once per item, never per comparison, and sizes
/// are compared as 64-bit numbers, never by a difference that could overflow.
class ItemSorter
{
public:
    enum Key : int {
        CaptionKey = 0,
        SizeColumnKey = 2,
        LastColumnKey = 12,
        NameKey = 13,
        IconColourKey = 14,
        CaptionColourKey = 15,
        CommentKey = 16,
        SizeKey = 17,
        FileTypeKey = 18,
    };

    /// The text of a details column of a row (the column index, from 1); an item
    /// without that column gives an empty text.
    using ColumnText = std::function<QString(int row, int column)>;

    struct Request {
        int key = CaptionKey;
        bool ascending = true;
        /// The details view ("リスト") is shown: key 2 compares the sizes.
        bool detailsView = false;
        ColumnText columnText;
    };

    /// Whether a key sorts at all.
    static bool sorts(int key) { return key >= CaptionKey && key <= FileTypeKey; }

    /// The new order of the records: entry i is the row that goes to position i. Empty
    /// when the key does not sort.
    /// In a tree list each level is sorted on its own: a folder's entries stay right
    /// below it, in the order of the key.
    static std::vector<int> order(const std::vector<ItemRecord> &records, const Request &request);
    /// The order of the whole list as one level.
    static std::vector<int> flatOrder(const std::vector<ItemRecord> &records,
                                      const Request &request);
    /// A flat order turned into one that keeps every tree-list entry under its parent.
    static std::vector<int> keepingTree(const std::vector<ItemRecord> &records,
                                        const std::vector<int> &flat);

    /// `IconRGB` as the number it sorts by: "-1" and anything that is no colour code
    /// or colour number sort as -1 (no mask).
    static qint64 iconColourValue(const QString &iconRgb);
};

} // namespace kazari
