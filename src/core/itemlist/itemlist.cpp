#include "core/itemlist/itemlist.h"

#include "core/annotations/annotationstore.h"
#include "core/annotations/annotationvalues.h"
#include "core/decoration/picturerouting.h"
#include "core/decoration/stampprogram.h"
#include "core/itemlist/fileattributes.h"
#include "core/itemlist/folderchangewatch.h"
#include "core/itemlist/itempicturesource.h"
#include "core/itemlist/shellnamespace.h"

#include <QFileInfo>

#include <cstdlib>

namespace kazari
{

namespace
{

const QString PositionSuffix = QStringLiteral("_p");
const QString ViewStyleKey = QStringLiteral(".ViewStyle");

// Positions beyond this are damage: no window is that large, and the arithmetic of
// the view must not overflow on them.
constexpr int PositionLimit = 1000000;

QString lastComponent(const QString &path)
{
    QString p = path;
    while (p.size() > 1 && p.endsWith(QLatin1Char('/')))
        p.chop(1);
    const QString name = p.mid(p.lastIndexOf(QLatin1Char('/')) + 1);
    return name.isEmpty() ? path : name;
}

QString extensionOf(const QString &name)
{
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : name.mid(dot);
}

std::optional<QPoint> positionOf(const QString &value)
{
    if (value.isEmpty())
        return std::nullopt;
    const std::optional<QPoint> p = AnnotationValues::parsePosition(value);
    if (!p || std::abs(p->x()) > PositionLimit || std::abs(p->y()) > PositionLimit)
        return std::nullopt;
    return p;
}

} // namespace

ItemList::ItemList(AnnotationStore &store)
    : m_store(store)
{
}

// ---------------------------------------------------------------------------------------
// Building

void ItemList::beginBuild(ItemListMode mode, const QString &folder)
{
    if (m_observer)
        m_observer->listAboutToReset();
    m_records.clear();
    m_enumerated.clear();
    ++m_generation;
    m_nextId = 1;
    m_idsInOrder = true;
    m_rowById.clear();
    dropPathIndex();
    m_folderCount = 0;
    m_fileCount = 0;
    m_showed = 0;
    m_wanted.clear();
    m_mode = mode;
    m_folder = folder;
}

void ItemList::endBuild()
{
    if (m_observer)
        m_observer->listReset();
}

ItemRecord ItemList::makeRecord(const QString &path, const QString &name, bool isFolder)
{
    ItemRecord r;
    r.idx = int(m_records.size());
    r.imgIdx = r.idx + ItemRecord::FixedSlots;
    r.LootS = r.idx;
    r.PATH = path;
    r.Name = name.isEmpty() ? path : name;
    r.isFolder = isFolder;
    r.id = m_nextId++;
    return r;
}

void ItemList::appendRecord(ItemRecord record)
{
    m_records.push_back(std::move(record));
}

void ItemList::addPaths(const QStringList &folders, const QStringList &files,
                        const ListBuildOptions &options, bool byPath)
{
    const AnnotationList &current = m_store.current();
    const QString &filter = options.annotationFilter;
    m_records.reserve(size_t(folders.size() + files.size()));
    m_enumerated.reserve(folders.size() + files.size());
    auto add = [&](const QString &path, bool isFolder) {
        m_enumerated.append(path);
        const QString name = lastComponent(path);
        if (!filter.isEmpty()) {
            // A line without a value is no annotation.
            const bool has = byPath ? !m_store.GetByPath(path, filter).isEmpty()
                                    : !current.value(name, filter).isEmpty();
            if (!has)
                return;
        }
        ItemRecord r = makeRecord(path, name, isFolder);
        if (options.positions)
            r.Point = positionOf(byPath ? m_store.GetByPath(path, PositionSuffix)
                                        : current.value(name, PositionSuffix));
        appendRecord(std::move(r));
    };
    for (const QString &p : folders)
        add(p, true);
    for (const QString &p : files)
        add(p, false);
    m_folderCount = int(folders.size());
    m_fileCount = int(files.size());
}

ListBuildResult ItemList::buildFolder(const QString &folder, const ListBuildOptions &options)
{
    ListBuildResult result;
    const QString key = AnnotationStore::folderKey(folder);
    m_store.setShellNamespaceMode(false);
    m_store.setSearchResultMode(false);
    m_store.setListFileMode(false);
    const StoreResult loaded = m_store.loadForListBuild(key);
    if (!loaded.ok)
        result.storeError = loaded.error;
    result.folderStyle = ViewStyle::folderStyle(m_store.current().value(QString(), ViewStyleKey));

    const FolderEntries entries = FolderEnumerator::list(key, options.enumeration);
    beginBuild(ItemListMode::Folder, key);
    result.listed = entries.listed;
    if (entries.listed) {
        QStringList folders;
        QStringList files;
        folders.reserve(entries.folders.size());
        files.reserve(entries.files.size());
        for (const QString &name : entries.folders)
            folders.append(key + name);
        for (const QString &name : entries.files)
            files.append(key + name);
        addPaths(folders, files, options, false);
    }
    result.folders = m_folderCount;
    result.files = m_fileCount;
    endBuild();
    return result;
}

ListBuildResult ItemList::buildPaths(const QString &folder, const QStringList &paths,
                                     ItemListMode mode, const ListBuildOptions &options)
{
    ListBuildResult result;
    const QString key = AnnotationStore::folderKey(folder);
    m_store.setShellNamespaceMode(false);
    m_store.setListFileMode(mode == ItemListMode::ListFile);
    m_store.setSearchResultMode(true);
    const StoreResult loaded = m_store.loadForListBuild(key);
    if (!loaded.ok)
        result.storeError = loaded.error;

    QStringList folders;
    QStringList files;
    for (const QString &p : paths) {
        const QFileInfo info(p);
        if (!QFileInfo::exists(p) && !info.isSymLink())
            continue;
        (info.isDir() ? folders : files).append(p);
    }
    FolderEnumerator::sortPaths(folders);
    FolderEnumerator::sortPaths(files);
    beginBuild(mode, key);
    addPaths(folders, files, options, true);
    result.listed = true;
    result.folders = m_folderCount;
    result.files = m_fileCount;
    endBuild();
    return result;
}

ListBuildResult ItemList::buildLocation(const QString &location)
{
    ListBuildResult result;
    m_store.setListFileMode(false);
    m_store.setSearchResultMode(false);
    m_store.setShellNamespaceMode(true);
    const StoreResult loaded = m_store.loadForListBuild(location);
    if (!loaded.ok)
        result.storeError = loaded.error;
    const NamespaceListing listing = ShellNamespace::list(location);
    beginBuild(ItemListMode::ShellNamespace, location);
    result.listed = listing.parsed;
    result.displayName = listing.displayName.isEmpty() ? location : listing.displayName;
    m_records.reserve(size_t(listing.entries.size()));
    for (const NamespaceEntry &e : listing.entries) {
        ItemRecord r = makeRecord(e.path, e.caption, e.container);
        r.ItemType = NamespaceItem;
        r.volume = e.volume;
        r.volumeReady = e.ready;
        m_enumerated.append(e.path);
        appendRecord(std::move(r));
    }
    endBuild();
    return result;
}

void ItemList::clear()
{
    beginBuild(ItemListMode::Empty, QString());
    endBuild();
}

QStringList ItemList::enumeratedPaths() const
{
    return m_enumerated;
}

int ItemList::rowOfId(quint32 id) const
{
    if (m_idsInOrder) {
        const qint64 row = qint64(id) - 1;
        if (row < 0 || row >= qint64(m_records.size()))
            return -1;
        return m_records[size_t(row)].id == id ? int(row) : -1;
    }
    return m_rowById.value(id, -1);
}

int ItemList::rowOfPath(const QString &path) const
{
    if (m_pathIndex.isEmpty() && !m_records.empty()) {
        m_pathIndex.reserve(qsizetype(m_records.size()));
        for (const ItemRecord &r : m_records) {
            if (!m_pathIndex.contains(r.PATH))
                m_pathIndex.insert(r.PATH, r.idx);
        }
    }
    return m_pathIndex.value(path, -1);
}

// ---------------------------------------------------------------------------------------
// Tree list

bool ItemList::isExpandable(int row) const
{
    if (row < 0 || row >= count())
        return false;
    const ItemRecord &r = m_records[size_t(row)];
    return r.isFolder && r.ItemType == FileSystemItem;
}

void ItemList::toggle(int row, const EnumerationOptions &options)
{
    if (!isExpandable(row))
        return;
    if (m_records[size_t(row)].OpenFLG == 0)
        expand(row, options);
    else
        collapse(row);
    m_store.setSearchResultMode(true);
}

int ItemList::expand(int row, const EnumerationOptions &options)
{
    if (!isExpandable(row) || m_records[size_t(row)].OpenFLG != 0)
        return 0;
    const ItemRecord parent = m_records[size_t(row)];
    const FolderEntries entries = FolderEnumerator::list(parent.PATH, options);
    m_records[size_t(row)].OpenFLG = 1;
    QString base = parent.PATH;
    if (!base.endsWith(QLatin1Char('/')))
        base += QLatin1Char('/');

    // Files go in first and then folders, each one directly below the folder item, so
    // each lands above the one before it: folders first, every group in reverse order.
    std::vector<ItemRecord> inserted;
    inserted.reserve(size_t(entries.folders.size() + entries.files.size()));
    auto child = [&](const QString &name, bool isFolder) {
        ItemRecord r;
        r.PATH = base + name;
        r.Name = name;
        r.isFolder = isFolder;
        r.id = m_nextId++;
        r.parentId = parent.id;
        r.depth = parent.depth + 1;
        inserted.push_back(std::move(r));
    };
    for (qsizetype i = entries.folders.size() - 1; i >= 0; --i)
        child(entries.folders.at(i), true);
    for (qsizetype i = entries.files.size() - 1; i >= 0; --i)
        child(entries.files.at(i), false);
    const int n = int(inserted.size());
    if (n == 0)
        return 0;

    if (m_observer)
        m_observer->rowsAboutToInsert(row + 1, row + n);
    m_records.insert(m_records.begin() + row + 1, std::make_move_iterator(inserted.begin()),
                     std::make_move_iterator(inserted.end()));
    renumber();
    if (m_observer)
        m_observer->rowsInserted();
    return n;
}

int ItemList::collapse(int row)
{
    if (!isExpandable(row) || m_records[size_t(row)].OpenFLG == 0)
        return 0;
    m_records[size_t(row)].OpenFLG = 0;
    const int depth = m_records[size_t(row)].depth;
    int end = row + 1;
    while (end < count() && m_records[size_t(end)].depth > depth)
        ++end;
    const int n = end - row - 1;
    if (n == 0)
        return 0;
    if (m_observer)
        m_observer->rowsAboutToRemove(row + 1, end - 1);
    for (int i = row + 1; i < end; ++i) {
        if (m_records[size_t(i)].F == DisplayState::Shown)
            --m_showed;
    }
    m_records.erase(m_records.begin() + row + 1, m_records.begin() + end);
    renumber();
    if (m_observer)
        m_observer->rowsRemoved();
    return n;
}

void ItemList::renumber()
{
    // Rows, picture slots and the id table first; then every parent link from the
    // parent's new row, so a chain of several expanded folders stays right.
    m_idsInOrder = false;
    dropPathIndex();
    m_rowById.clear();
    m_rowById.reserve(qsizetype(m_records.size()));
    for (int i = 0; i < count(); ++i) {
        ItemRecord &r = m_records[size_t(i)];
        r.idx = i;
        r.imgIdx = i + ItemRecord::FixedSlots;
        r.LootS = i;
        m_rowById.insert(r.id, i);
    }
    for (int i = 0; i < count(); ++i) {
        ItemRecord &r = m_records[size_t(i)];
        if (r.parentId == 0) {
            r.Loot = -1;
            r.LootA = 0;
            r.LootN.clear();
            continue;
        }
        const int parentRow = m_rowById.value(r.parentId, -1);
        r.Loot = parentRow;
        r.LootA = parentRow < 0 ? 0 : i - parentRow;
        r.LootN = parentRow < 0 ? QString() : m_records[size_t(parentRow)].Name;
    }
}

QString ItemList::LV_GetPath(int row) const
{
    if (row < 0 || row >= count())
        return QString();
    QString path = m_records[size_t(row)].Name;
    int parent = m_records[size_t(row)].Loot;
    // Parents always sit above their children; the bound guards against damage.
    for (int steps = 0; parent >= 0 && parent < row && steps < count(); ++steps) {
        path = m_records[size_t(parent)].Name + QLatin1Char('/') + path;
        row = parent;
        parent = m_records[size_t(parent)].Loot;
    }
    QString base = m_folder;
    if (!base.isEmpty() && !base.endsWith(QLatin1Char('/')))
        base += QLatin1Char('/');
    return base + path;
}

// ---------------------------------------------------------------------------------------
// Deferred display

bool ItemList::requestDisplay(int row)
{
    if (row < 0 || row >= count())
        return false;
    ItemRecord &r = m_records[size_t(row)];
    if (r.F != DisplayState::New)
        return false;
    r.F = DisplayState::Wanted;
    m_wanted.push_back(r.id);
    return true;
}

QList<DisplayTicket> ItemList::takeWanted()
{
    QList<DisplayTicket> out;
    while (!m_wanted.empty()) {
        const quint32 id = m_wanted.front();
        m_wanted.pop_front();
        const int row = rowOfId(id);
        if (row < 0)
            continue;
        ItemRecord &r = m_records[size_t(row)];
        if (r.F != DisplayState::Wanted)
            continue;
        r.F = DisplayState::Posted;
        out.append({m_generation, id});
    }
    return out;
}

int ItemList::rowForTicket(const DisplayTicket &ticket) const
{
    if (ticket.generation != m_generation)
        return -1;
    const int row = rowOfId(ticket.id);
    if (row < 0 || m_records[size_t(row)].F != DisplayState::Posted)
        return -1;
    return row;
}

MaterialisedItem ItemList::materialise(int row, const ItemPictureComposer &composer,
                                       ItemPictureSource &source, ItemPictureRequest request)
{
    MaterialisedItem out;
    if (row < 0 || row >= count())
        return out;
    const FileAnnotationRec annotation = annotationOf(row);
    ItemRecord &rec = m_records[size_t(row)];
    const DecorationFlags &flags = composer.flags();
    if (flags.iconDecorations)
        copyAnnotations(rec, annotation);
    out.values = ItemDecorationValues::fromRecord(annotation);
    out.attributes = rec.ItemType == FileSystemItem ? FileAttributes::captionAttributes(rec.PATH)
                                                    : CaptionAttributes();
    if (rec.ItemType == NamespaceItem)
        out.attributes.folder = rec.isFolder;

    const PicturePlan plan = PictureRouting::plan(flags, out.values);
    const bool thumbnails = request.largeList && flags.thumbnails && !flags.namespaceMode;
    const int side = flags.pictureSize(request.largeList);
    const bool needsIcon =
        plan.route != PictureRoute::KeepPlaceholder &&
        !(flags.simpleIcons && plan.route == PictureRoute::BaseOnly && !thumbnails);
    if (needsIcon)
        request.icon = source.icon(rec, thumbnails ? std::min(side, 32) : side);
    if (thumbnails && !rec.isFolder)
        request.thumbnail = source.thumbnail(rec, side);
    request.extension = extensionOf(rec.Name);
    const bool marks =
        plan.route != PictureRoute::BaseOnly && plan.route != PictureRoute::KeepPlaceholder;
    if (marks && flags.stamp && rec.isFolder && rec.ItemType == FileSystemItem) {
        const QString program = StampProgram::find(rec.PATH);
        if (!program.isEmpty())
            request.stampIcon = source.programIcon(program);
    }
    out.picture = composer.compose(request, out.values, plan);

    if (rec.F != DisplayState::Shown)
        ++m_showed;
    rec.F = DisplayState::Shown;
    return out;
}

bool ItemList::invalidate(int row)
{
    if (row < 0 || row >= count())
        return false;
    ItemRecord &r = m_records[size_t(row)];
    const bool wasShown = r.F == DisplayState::Shown;
    if (wasShown)
        --m_showed;
    r.F = DisplayState::New;
    return wasShown;
}

void ItemList::renameRecord(int row, const QString &path, const QString &name)
{
    if (row < 0 || row >= count())
        return;
    invalidate(row);
    ItemRecord &r = m_records[size_t(row)];
    r.PATH = path;
    r.Name = name;
    dropPathIndex();
}

// ---------------------------------------------------------------------------------------
// Annotations

FileAnnotationRec ItemList::annotationOf(int row)
{
    if (row < 0 || row >= count())
        return FileAnnotationRec();
    const ItemRecord &r = m_records[size_t(row)];
    // Items of the folder whose file is the current list are read from it; every other
    // item by its own path, from the file of the folder that really holds it.
    if (m_mode == ItemListMode::Folder && r.depth == 0 && r.ItemType == FileSystemItem &&
        !m_store.searchResultMode())
        return m_store.current().record(r.Name);
    return m_store.recordByPath(r.PATH);
}

void ItemList::copyAnnotations(ItemRecord &record, const FileAnnotationRec &annotation)
{
    const QString none = QStringLiteral("-1");
    record.IconRGB =
        AnnotationValues::parseOneColour(annotation.oneColor) ? annotation.oneColor : none;
    record.CaptionRGB =
        AnnotationValues::parseCaptionColour(annotation.CVColor) ? annotation.CVColor : none;
    record.Comment = annotation.cmt;
    record.FileType = extensionOf(record.Name);
    record.Size = 0;
    if (!record.isFolder && record.ItemType == FileSystemItem) {
        const QFileInfo info(record.PATH);
        record.Size = info.isFile() ? info.size() : 0;
    }
}

ChangeVerdict ItemList::judgeChanges(const FolderChanges &changes,
                                     const EnumerationOptions &options) const
{
    ChangeVerdict verdict;
    if (m_mode != ItemListMode::Folder || changes.isEmpty())
        return verdict;
    if (changes.lost) {
        verdict.rebuild = true;
        return verdict;
    }
    for (const QString &name : changes.names) {
        const int row = rowOfPath(m_folder + name);
        const bool shown = FolderEnumerator::shows(m_folder, name, options);
        if (shown != (row >= 0)) {
            verdict.rebuild = true;
            return verdict;
        }
        if (row >= 0)
            verdict.reshow.append(row);
    }
    for (const QString &name : changes.attributes) {
        if (rowOfPath(m_folder + name) >= 0) {
            verdict.rebuild = true;
            return verdict;
        }
    }
    return verdict;
}

bool ItemList::reorder(const std::vector<int> &order)
{
    if (order.size() != m_records.size())
        return false;
    std::vector<bool> seen(order.size(), false);
    for (int row : order) {
        if (row < 0 || row >= count() || seen[size_t(row)])
            return false;
        seen[size_t(row)] = true;
    }
    if (m_observer)
        m_observer->rowsAboutToReorder();
    std::vector<ItemRecord> sorted;
    sorted.reserve(m_records.size());
    for (int row : order)
        sorted.push_back(std::move(m_records[size_t(row)]));
    m_records = std::move(sorted);
    renumber();
    if (m_observer)
        m_observer->rowsReordered(order);
    return true;
}

void ItemList::ListItemRefresh()
{
    for (int row = 0; row < count(); ++row)
        copyAnnotations(m_records[size_t(row)], annotationOf(row));
}

} // namespace kazari
