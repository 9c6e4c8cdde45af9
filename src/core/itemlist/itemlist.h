#pragma once

#include "core/decoration/captioncolours.h"
#include "core/decoration/itempicturecomposer.h"
#include "core/itemlist/folderenumerator.h"
#include "core/itemlist/itemrecord.h"
#include "core/itemlist/viewstyle.h"

#include <QColor>
#include <QHash>
#include <QString>
#include <QStringList>

#include <deque>
#include <optional>
#include <vector>

namespace kazari
{

class AnnotationStore;
struct FolderChanges;
class ItemPictureSource;
struct FileAnnotationRec;

/// Where the items of the list come from.
enum class ItemListMode {
    Empty,          ///< no location
    Folder,         ///< the entries of a folder
    FoundList,      ///< the paths of `Found.txt`
    SearchResult,   ///< paths from a search or a list
    ListFile,       ///< the lines of a list file (annotations in `vtl/vdiscimg.ini`)
    ShellNamespace, ///< the children of a virtual location
};

/// Told about every change of the list's rows, so a view model can follow. Each
/// "about to" call is followed by its completion.
class ItemListObserver
{
public:
    virtual ~ItemListObserver() = default;
    virtual void listAboutToReset() = 0;
    virtual void listReset() = 0;
    virtual void rowsAboutToInsert(int first, int last) = 0;
    virtual void rowsInserted() = 0;
    virtual void rowsAboutToRemove(int first, int last) = 0;
    virtual void rowsRemoved() = 0;
    /// The records are about to be put into a new order (a sort).
    virtual void rowsAboutToReorder() {}
    /// They are in the new order: entry i of `order` is the old row now at row i.
    virtual void rowsReordered(const std::vector<int> &order) { Q_UNUSED(order); }
};

/// How a list is built.
struct ListBuildOptions {
    EnumerationOptions enumeration;
    /// The annotation filter ("拡張属性のフィルタ"): when set, only items that have a
    /// line of this suffix are listed ("_cmt": only items with a comment).
    QString annotationFilter;
    /// Saved positions (`_p`) are read ("位置設定" on, not the virtual list).
    bool positions = false;
};

/// What a build found.
struct ListBuildResult {
    /// False when the folder could not be listed or the location not parsed; the list
    /// is empty then and the counts are 0.
    bool listed = false;
    /// The folders and files found (before the annotation filter).
    int folders = 0;
    int files = 0;
    /// The style the folder's `.ViewStyle` fixes.
    std::optional<ListStyle> folderStyle;
    /// A virtual location's title.
    QString displayName;
    /// The annotation file could not be read.
    QString storeError;
};

/// What a change in the shown folder asks of the list.
struct ChangeVerdict {
    /// Names or attributes of listed entries changed: build the list again.
    bool rebuild = false;
    /// Entries replaced under the same name: show them again.
    QList<int> reshow;
};

/// One materialised item: its parsed annotations, its file attributes and its picture.
struct MaterialisedItem {
    ItemDecorationValues values;
    CaptionAttributes attributes;
    ItemPicture picture;
};

/// The item list's records and everything done to them without a window: building the
/// list of a folder, a path list or a virtual location; the tree list; the display
/// states of the deferred display; materialising one item.
///
/// Rows and ids: a record's row (`idx`) changes when the tree list inserts or removes
/// rows; its `id` does not. Every build starts a new generation and numbers its
/// records from 1, so a (generation, id) pair names one record for good: a display
/// message that outlives a rebuild or a collapse resolves to nothing and is dropped.
///
/// The deferred display: painting an item asks for it (`requestDisplay`: state new to
/// wanted, queued); the idle step takes the queue (`takeWanted`: wanted to posted);
/// each message is resolved (`rowForTicket`) and materialised (`materialise`: posted to
/// shown, the "Showed" count up by one). `invalidate` sends a shown item back to new
/// and the count down by one. No step looks at records other than the ones it names.
class ItemList
{
public:
    explicit ItemList(AnnotationStore &store);
    ItemList(const ItemList &) = delete;
    ItemList &operator=(const ItemList &) = delete;

    void setObserver(ItemListObserver *observer) { m_observer = observer; }
    AnnotationStore &store() { return m_store; }

    // --- Building ----------------------------------------------------------------------

    /// The entries of a folder: folders first, then files, each sorted; its annotation
    /// file becomes the current annotation list. Leaves search result mode.
    ListBuildResult buildFolder(const QString &folder, const ListBuildOptions &options);
    /// A list of full paths (found list, search results, list file) shown in search
    /// result mode: existing folders first, then the rest, each sorted; annotations are
    /// read by each item's path. `folder` is the current folder whose annotation file
    /// is loaded.
    ListBuildResult buildPaths(const QString &folder, const QStringList &paths, ItemListMode mode,
                               const ListBuildOptions &options);
    /// The children of a virtual location, in the order the location gives them. The
    /// store is put into shell namespace mode (no per-folder file is written).
    ListBuildResult buildLocation(const QString &location);
    /// No location: an empty list.
    void clear();

    ItemListMode mode() const { return m_mode; }
    /// The folder key (or location) the list shows.
    const QString &folder() const { return m_folder; }
    quint64 generation() const { return m_generation; }
    int count() const { return int(m_records.size()); }
    const ItemRecord &at(int row) const { return m_records[size_t(row)]; }
    const std::vector<ItemRecord> &records() const { return m_records; }
    int folderCount() const { return m_folderCount; }
    int fileCount() const { return m_fileCount; }
    /// The full paths of the last build: folders, then files.
    QStringList enumeratedPaths() const;
    /// The row of a record of this generation, -1 when it is gone.
    int rowOfId(quint32 id) const;
    /// The row of the first record with this full path, -1 when none.
    int rowOfPath(const QString &path) const;

    // --- Tree list ---------------------------------------------------------------------

    /// Whether the row can be expanded: a folder of the file system.
    bool isExpandable(int row) const;
    /// Expands a collapsed folder item, collapses an expanded one. Afterwards the list
    /// is in search result mode (annotations by each item's path).
    void toggle(int row, const EnumerationOptions &options);
    /// Inserts the folder's entries below it, one level deeper; returns how many.
    int expand(int row, const EnumerationOptions &options);
    /// Removes every following item deeper than the folder; returns how many.
    int collapse(int row);
    /// The full path of a row from the captions: the current folder, then the captions
    /// of its tree-list ancestors, then its own caption.
    QString LV_GetPath(int row) const;

    // --- Deferred display -------------------------------------------------------------

    /// The list asks for a row's picture: a new record becomes wanted and is queued.
    /// Returns true when it was queued.
    bool requestDisplay(int row);
    bool hasWanted() const { return !m_wanted.empty(); }
    /// The idle step: every queued record still wanted becomes posted; one ticket each.
    QList<DisplayTicket> takeWanted();
    /// The row a message names, or -1 when it is stale (another generation, a record
    /// that is gone or no longer waiting for it).
    int rowForTicket(const DisplayTicket &ticket) const;
    /// Copies the row's annotations into its record, reads its attributes and makes its
    /// picture; the record becomes shown and the "Showed" count rises by one.
    /// `request` brings what the window knows (list, background, placeholder); the
    /// pictures the item's route needs come from `source`.
    MaterialisedItem materialise(int row, const ItemPictureComposer &composer,
                                 ItemPictureSource &source, ItemPictureRequest request);
    /// Sends a row back to new so its picture is made again when next asked for;
    /// returns whether it had been shown (the count then falls by one).
    bool invalidate(int row);
    /// The item at `row` was renamed or moved on disk: its path and caption change and it
    /// is shown anew when next drawn.
    void renameRecord(int row, const QString &path, const QString &name);
    /// How many records are materialised now.
    int showedCount() const { return m_showed; }

    // --- Annotations -------------------------------------------------------------------

    /// The row's annotation: from the current annotation list for an item of the
    /// current folder, otherwise by the item's full path.
    FileAnnotationRec annotationOf(int row);
    /// The current-folder refresh: a rebuild when the names in the folder no longer
    /// match the list or a listed entry's attributes changed; an entry replaced under
    /// its own name (as when a file is saved by writing a new copy and renaming it over
    /// the old) is only shown again.
    ChangeVerdict judgeChanges(const FolderChanges &changes,
                               const EnumerationOptions &options) const;

    /// `ListItemRefresh`: refreshes the annotation copies, size and type of every record.
    void ListItemRefresh();

    /// Puts the records into a new order (a sort): entry i of `order` is the row that
    /// goes to row i. Ids stay with their records. Returns false, changing nothing, when
    /// `order` is not a permutation of the rows.
    bool reorder(const std::vector<int> &order);

private:
    void beginBuild(ItemListMode mode, const QString &folder);
    void endBuild();
    ItemRecord makeRecord(const QString &path, const QString &name, bool isFolder);
    void appendRecord(ItemRecord record);
    void addPaths(const QStringList &folders, const QStringList &files,
                  const ListBuildOptions &options, bool byPath);
    void renumber();
    void copyAnnotations(ItemRecord &record, const FileAnnotationRec &annotation);
    void dropPathIndex() { m_pathIndex.clear(); }

    AnnotationStore &m_store;
    ItemListObserver *m_observer = nullptr;
    std::vector<ItemRecord> m_records;
    ItemListMode m_mode = ItemListMode::Empty;
    QString m_folder;
    QStringList m_enumerated;
    quint64 m_generation = 0;
    quint32 m_nextId = 1;
    /// While true, the record with id n sits at row n - 1 and no look-up table is needed.
    bool m_idsInOrder = true;
    QHash<quint32, int> m_rowById;
    mutable QHash<QString, int> m_pathIndex;
    int m_folderCount = 0;
    int m_fileCount = 0;
    int m_showed = 0;
    std::deque<quint32> m_wanted;
};

} // namespace kazari
