#pragma once

#include <QPoint>
#include <QString>

#include <optional>

namespace kazari
{

/// The display state `F` of an item record: the steps an item goes through until its
/// annotations and decorated picture are on screen.
enum class DisplayState : quint8 {
    New = 0,    ///< the list has not asked for the item's picture yet
    Wanted = 1, ///< the list asked; waiting for the next idle moment
    Posted = 2, ///< a display message for the item is on its way
    Shown = 3,  ///< materialised: annotations copied, picture built
};

/// `ItemType` of a record.
enum ItemTypeCode : int {
    FileSystemItem = 0, ///< an entry of a folder
    NamespaceItem = 1,  ///< an entry of a virtual location
};

/// The item record: one per item of the item list, in list order.
///
/// The first fields are the record's historic layout; `IconRGB`, `CaptionRGB`, `Comment`,
/// `Size` and `FileType` are filled when the item is shown ("-1" for an absent colour).
/// The last block is what the list keeps besides: a record id that stays with the item
/// while the list lives (deferred messages carry it instead of a row, so a message that
/// outlives a rebuild or a collapse can never reach another item), and the tree-list
/// parent and depth from which the row-based tree fields are renumbered.
struct ItemRecord {
    int idx = 0;  ///< row of the item in the list
    QString PATH; ///< full path
    DisplayState F = DisplayState::New;
    int Loot = -1;   ///< tree list: row of the parent item, -1 at top level
    int LootA = 0;   ///< tree list: own row minus parent row
    int LootS = 0;   ///< tree list: own row
    QString LootN;   ///< tree list: caption of the parent item
    int OpenFLG = 0; ///< tree list: 1 while the folder item is expanded
    QString Name;    ///< caption and annotation item name
    int ItemType = FileSystemItem;
    int imgIdx = 5;              ///< picture slot: `idx` + 5
    std::optional<QPoint> Point; ///< saved icon position (`_p`)
    qint64 Size = 0;             ///< file size in bytes (a folder's own size is 0)
    QString IconRGB;             ///< copy of `_oneColor`
    QString CaptionRGB;          ///< copy of `_CVColor`
    QString Comment;             ///< copy of `_cmt`
    QString Comment10;           ///< extended comment text
    QString FileType;            ///< extension with its dot
    float G = 0;                 ///< spare value

    quint32 id = 0;       ///< unique within one list generation, never 0
    quint32 parentId = 0; ///< tree list: id of the folder item it was expanded from, 0 at top
    int depth = 0;        ///< tree list: indent level
    bool isFolder = false;
    /// A volume of the computer location; `volumeReady` is false for one that did not
    /// answer in time, which nothing touches on the window's thread.
    bool volume = false;
    bool volumeReady = true;

    /// The picture slot of a row.
    static constexpr int FixedSlots = 5;
};

/// What a deferred display message carries: which build of the list and which record.
struct DisplayTicket {
    quint64 generation = 0;
    quint32 id = 0;
    bool operator==(const DisplayTicket &) const = default;
};

} // namespace kazari
