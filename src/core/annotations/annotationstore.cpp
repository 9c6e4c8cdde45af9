#include "core/annotations/annotationstore.h"
#include "core/app/componentnames.h"

#include "core/annotations/annotationkey.h"
#include "core/annotations/annotationvalues.h"
#include "core/app/settings.h"
#include "core/platform/textfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

namespace kazari
{

namespace
{

constexpr qsizetype CacheSize = 8;

// What identifies one state of a file: replaced files (every write is atomic) get a new
// inode, edited ones a new size or time.
QByteArray stampOf(const QString &path, bool noFollow)
{
    struct stat st {
    };
    const QByteArray native = QFile::encodeName(path);
    const int rc = noFollow ? ::lstat(native.constData(), &st) : ::stat(native.constData(), &st);
    if (rc != 0)
        return QByteArray();
    const qint64 parts[] = {qint64(st.st_dev),         qint64(st.st_ino),
                            qint64(st.st_size),        qint64(st.st_mode),
                            qint64(st.st_mtim.tv_sec), qint64(st.st_mtim.tv_nsec),
                            qint64(st.st_ctim.tv_sec), qint64(st.st_ctim.tv_nsec)};
    return QByteArray(reinterpret_cast<const char *>(parts), sizeof(parts));
}

bool isRegularFile(const QString &path)
{
    struct stat st {
    };
    const QByteArray native = QFile::encodeName(path);
    return ::lstat(native.constData(), &st) == 0 && S_ISREG(st.st_mode);
}

bool pathExists(const QString &path)
{
    struct stat st {
    };
    const QByteArray native = QFile::encodeName(path);
    return ::lstat(native.constData(), &st) == 0;
}

bool isWindowsPath(QStringView path)
{
    if (path.size() >= 3 && path.at(1) == QLatin1Char(':') &&
        (path.at(2) == QLatin1Char('\\') || path.at(2) == QLatin1Char('/'))) {
        const char16_t c = path.at(0).unicode();
        return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
    }
    return path.startsWith(QLatin1String("\\\\"));
}

bool isIdentifierPath(QStringView path)
{
    return path.startsWith(QLatin1String("::")) || isWindowsPath(path);
}

bool sameFolderKey(const QString &a, const QString &b)
{
    if (AnnotationIndex::isNativeKey(a) || AnnotationIndex::isNativeKey(b))
        return a == b;
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QString refusedNameText(const QString &name)
{
    if (name.isEmpty())
        return QStringLiteral("項目の名前がありません。");
    return QStringLiteral("「%1」には注釈を付けられません（名前に「=」か改行があります）。")
        .arg(QString(name)
                 .replace(QLatin1Char('\r'), QLatin1Char(' '))
                 .replace(QLatin1Char('\n'), QLatin1Char(' ')));
}

bool isItemName(const QString &name)
{
    return !name.isEmpty() && isAnnotatableName(name);
}

// Operations that act on one item (all but load, save and maintenance).
bool isItemOp(int op)
{
    switch (op) {
    case OpSetLabelSeal:
    case OpRemoveLabelSeal:
    case OpSetPosition:
    case OpRemovePosition:
    case OpSetColourShift:
    case OpRemoveIconMasks:
    case OpSetCompletion:
    case OpClearTask:
    case OpSetCaptionColour:
    case OpRemoveCaptionColour:
    case OpRemoveItem:
    case OpRenameItem:
    case OpSetComment:
    case OpSetOneColour:
    case OpCarryItem:
    case OpCopyRecord:
    case OpPasteRecord:
        return true;
    default:
        return false;
    }
}

QString declinedText()
{
    return QStringLiteral("管理情報のファイル（ini/index.ini）がないため保存しませんでした。");
}

QString notRegularText(const QString &path)
{
    return QStringLiteral("通常のファイルではないため使えません: %1").arg(path);
}

} // namespace

AnnotationStore::AnnotationStore(ProgramFolder folder, Settings &settings)
    : m_folder(std::move(folder))
    , m_settings(settings)
{
    reloadModeFromSettings();
}

// --- Modes -------------------------------------------------------------------------

StorageMode AnnotationStore::mode() const
{
    return m_temporaryPerFolder ? StorageMode::PerFolder : m_mode;
}

void AnnotationStore::reloadModeFromSettings()
{
    m_mode = m_settings.isOn(Component::CentralManagement) ? StorageMode::Central
                                                           : StorageMode::PerFolder;
}

bool AnnotationStore::chooseMode(StorageMode chosen)
{
    // The marks show the chosen mode, not the one-load temporary mode.
    if (chosen == m_mode)
        return false;
    const QString central = Component::CentralManagement;
    const QString perFolder = Component::PerFolderFiles;
    const bool toCentral = chosen == StorageMode::Central;
    m_settings.storeSetting(toCentral ? perFolder : central, QStringLiteral("0"), true);
    m_settings.storeSetting(toCentral ? central : perFolder, QStringLiteral("1"), true);
    m_temporaryPerFolder = false;
    m_mode = chosen;
    return true;
}

bool AnnotationStore::toggleTemporaryPerFolder()
{
    m_temporaryPerFolder = !m_temporaryPerFolder;
    return m_temporaryPerFolder;
}

bool AnnotationStore::automaticCheck() const
{
    return m_settings.isOn(Component::CheckFolderFilesAutomatically);
}

// --- Paths -------------------------------------------------------------------------

QString AnnotationStore::folderKey(const QString &path)
{
    if (path.isEmpty())
        return QString();
    if (isIdentifierPath(path)) {
        if (path.endsWith(QLatin1Char('/')) || path.endsWith(QLatin1Char('\\')))
            return path;
        return path + (isWindowsPath(path) ? QLatin1Char('\\') : QLatin1Char('/'));
    }
    QString p =
        QDir::cleanPath(QDir::isAbsolutePath(path) ? path : QDir::current().absoluteFilePath(path));
    if (p != QLatin1String("/"))
        p += QLatin1Char('/');
    return p;
}

bool AnnotationStore::splitItemPath(const QString &path, QString *folder, QString *name)
{
    if (path.isEmpty())
        return false;
    QString p;
    qsizetype cut = -1;
    if (isIdentifierPath(path)) {
        p = path;
        while (p.endsWith(QLatin1Char('/')) || p.endsWith(QLatin1Char('\\')))
            p.chop(1);
        cut = std::max(p.lastIndexOf(QLatin1Char('/')), p.lastIndexOf(QLatin1Char('\\')));
    } else {
        p = folderKey(path);
        if (p == QLatin1String("/"))
            return false;
        p.chop(1);
        cut = p.lastIndexOf(QLatin1Char('/'));
    }
    if (cut < 0 || cut + 1 >= p.size())
        return false;
    if (folder)
        *folder = p.left(cut + 1);
    if (name)
        *name = p.mid(cut + 1);
    return true;
}

bool AnnotationStore::indexExists() const
{
    return pathExists(indexPath());
}

// --- Files ---------------------------------------------------------------------------

const AnnotationIndex *AnnotationStore::index()
{
    const QString path = indexPath();
    const QByteArray stamp = stampOf(path, false);
    if (stamp.isEmpty()) {
        m_indexLoaded = false;
        return nullptr;
    }
    if (m_indexLoaded && stamp == m_indexStamp)
        return &m_index;
    TextFile::ReadResult r = TextFile::read(path);
    if (!r.found) {
        m_indexLoaded = false;
        return nullptr;
    }
    m_index = AnnotationIndex::fromDocument(std::move(r.document));
    m_indexLoaded = stampOf(path, false) == stamp;
    m_indexStamp = stamp;
    return &m_index;
}

bool AnnotationStore::saveIndex(const AnnotationIndex &idx, QString *error)
{
    m_indexLoaded = false;
    return TextFile::write(indexPath(), idx.toDocument(), error);
}

bool AnnotationStore::numberInUse(int number) const
{
    const QString stem = QString::number(number);
    for (CompanionKind kind : CompanionKinds) {
        if (pathExists(m_folder.file(AnnotationIndex::companionRelativePath(kind, stem))))
            return true;
    }
    return false;
}

int AnnotationStore::optionsFor(const AnnotationFileRef &ref)
{
    return ref.kind == AnnotationFileRef::Kind::FolderFile ? TextFile::RegularFilesOnly
                                                           : TextFile::NoOptions;
}

AnnotationStore::Resolution AnnotationStore::resolve(const QString &key, Purpose purpose)
{
    Resolution r;
    r.ref.stem = QStringLiteral("_m");
    if (key.isEmpty())
        return r;
    const bool native = AnnotationIndex::isNativeKey(key);
    const QString folderFile =
        key + AnnotationIndex::folderCompanionName(CompanionKind::Annotations);
    auto useFolderFile = [&]() {
        r.ref.kind = AnnotationFileRef::Kind::FolderFile;
        r.ref.path = folderFile;
        r.ref.readOnly = m_shellNamespaceMode;
        return r;
    };

    if (mode() == StorageMode::PerFolder) {
        if (!native)
            return r;
        return useFolderFile();
    }

    const bool indexThere = pathExists(indexPath());
    const AnnotationIndex *idx = index();
    if (idx) {
        if (const std::optional<int> n = idx->numberOf(key))
            r.ref.stem = QString::number(*n);
    }
    if (automaticCheck() && native && isRegularFile(folderFile))
        return useFolderFile();

    auto useListFile = [&]() {
        r.ref.kind = AnnotationFileRef::Kind::ListFile;
        r.ref.path = m_folder.file(QStringLiteral("vtl/vdiscimg.ini"));
        return r;
    };
    auto createIfMissing = [&](const QString &path) {
        if (pathExists(path))
            return true;
        QString error;
        if (!TextFile::write(path, TextDocument(), &error)) {
            r.ok = false;
            r.error = error;
            return false;
        }
        return true;
    };

    if (!indexThere) {
        if (purpose == Purpose::Read)
            return m_listFileMode ? useListFile() : r;
        if (!ask(StoreQuestion::CreateIndex, createIndexQuestion())) {
            r.declined = true;
            return r;
        }
        QDir().mkpath(m_folder.file(QStringLiteral("ini")));
        if (m_pump)
            m_pump();
        TextDocument doc;
        doc.lines.append(key + QStringLiteral("=1"));
        QString error;
        m_indexLoaded = false;
        if (!TextFile::write(indexPath(), doc, &error)) {
            r.ok = false;
            r.error = error;
            return r;
        }
        r.ref.stem = QStringLiteral("1");
        // A load right after creating the index leaves the list empty; the file is
        // made by the next load or the first save.
        r.skipRead = purpose == Purpose::Load;
        if (m_listFileMode)
            return useListFile();
        r.ref.kind = AnnotationFileRef::Kind::CentralFile;
        r.ref.path = m_folder.file(
            AnnotationIndex::companionRelativePath(CompanionKind::Annotations, r.ref.stem));
        if (purpose == Purpose::Write)
            createIfMissing(r.ref.path);
        return r;
    }
    if (!idx) {
        r.ok = false;
        r.error = QStringLiteral("管理情報のファイルを読めません: %1").arg(indexPath());
        return r;
    }

    std::optional<int> number = idx->numberOf(key);
    if (!number && purpose != Purpose::Read) {
        AnnotationIndex changed = *idx;
        const int n = changed.registerFolder(key, [this](int k) { return numberInUse(k); });
        QString error;
        if (!saveIndex(changed, &error)) {
            r.ok = false;
            r.error = error;
            return r;
        }
        number = n;
        r.ref.stem = QString::number(n);
    }
    if (m_listFileMode)
        return useListFile();
    if (!number)
        return r;
    r.ref.kind = AnnotationFileRef::Kind::CentralFile;
    r.ref.path = m_folder.file(
        AnnotationIndex::companionRelativePath(CompanionKind::Annotations, r.ref.stem));
    if (purpose != Purpose::Read)
        createIfMissing(r.ref.path);
    return r;
}

AnnotationFileRef AnnotationStore::fileForFolder(const QString &folder)
{
    return resolve(folderKey(folder), Purpose::Read).ref;
}

AnnotationList AnnotationStore::folderList(const QString &folder, bool *found, QString *error)
{
    const QString key = folderKey(folder);
    Loaded loaded = load(resolve(key, Purpose::Read).ref, key);
    if (found)
        *found = loaded.found;
    if (error)
        *error = loaded.error;
    return loaded.list;
}

void AnnotationStore::forget(const QString &path)
{
    if (m_cache.remove(path))
        m_cacheOrder.removeOne(path);
}

AnnotationList *AnnotationStore::cached(const QString &path, int options, bool *found,
                                        QString *error)
{
    *found = false;
    const bool noFollow = options & TextFile::RegularFilesOnly;
    const QByteArray stamp = stampOf(path, noFollow);
    if (stamp.isEmpty()) {
        forget(path);
        return nullptr;
    }
    auto it = m_cache.find(path);
    if (it != m_cache.end() && it->stamp == stamp) {
        m_cacheOrder.removeOne(path);
        m_cacheOrder.append(path);
        *found = true;
        return &it->list;
    }
    forget(path);
    TextFile::ReadResult r = TextFile::read(path, options);
    if (!r.found) {
        *error = r.error;
        return nullptr;
    }
    *found = true;
    AnnotationList list = AnnotationList::fromDocument(std::move(r.document));
    list.prepareIndex();
    if (stampOf(path, noFollow) != stamp) {
        // Changed while it was read: good for this use, not for the next.
        m_uncached = std::move(list);
        return &m_uncached;
    }
    while (m_cacheOrder.size() >= CacheSize)
        m_cache.remove(m_cacheOrder.takeFirst());
    m_cacheOrder.append(path);
    return &m_cache.insert(path, {stamp, std::move(list)})->list;
}

AnnotationStore::Loaded AnnotationStore::load(const AnnotationFileRef &ref, const QString &key,
                                              bool take)
{
    Loaded out;
    out.list.setGuardFolder(key);
    if (!ref.isFile())
        return out;
    const int options = optionsFor(ref);
    if ((options & TextFile::RegularFilesOnly) && pathExists(ref.path) &&
        !isRegularFile(ref.path)) {
        out.refused = true;
        out.error = notRegularText(ref.path);
        return out;
    }
    QString error;
    AnnotationList *list = cached(ref.path, options, &out.found, &error);
    if (!error.isEmpty()) {
        out.ok = false;
        out.error = error;
        return out;
    }
    if (list) {
        if (take) {
            // The list is about to change and be written, which drops the cached copy
            // anyway: moving it out spares copying its lines and look-up tables.
            out.list = std::move(*list);
            forget(ref.path);
        } else {
            out.list = *list;
        }
        out.list.setGuardFolder(key);
    }
    return out;
}

bool AnnotationStore::write(const AnnotationFileRef &ref, const AnnotationList &list,
                            QString *error)
{
    if (ref.kind == AnnotationFileRef::Kind::ListFile)
        QDir().mkpath(QFileInfo(ref.path).path());
    forget(ref.path);
    return TextFile::write(ref.path, list.toDocument(), error, optionsFor(ref));
}

void AnnotationStore::say(StoreStatusField field, const QString &text)
{
    if (m_status)
        m_status(field, text);
}

bool AnnotationStore::ask(StoreQuestion question, const QString &text)
{
    return m_ask ? m_ask(question, text) : false;
}

// --- The current annotation list ---------------------------------------------------

QString AnnotationStore::iniNoText() const
{
    if (mode() == StorageMode::PerFolder)
        return QStringLiteral("_m");
    if (m_listFileMode)
        return QStringLiteral("disc img");
    if (automaticCheck())
        return QStringLiteral("_m&") + m_stem;
    return m_stem;
}

QString AnnotationStore::companionFile(CompanionKind kind) const
{
    if (m_stem == QLatin1String("_m")) {
        if (!AnnotationIndex::isNativeKey(m_currentFolder))
            return QString();
        return m_currentFolder + AnnotationIndex::folderCompanionName(kind);
    }
    return m_folder.file(AnnotationIndex::companionRelativePath(kind, m_stem));
}

StoreResult AnnotationStore::loadCurrent(const QString &key)
{
    say(StoreStatusField::IniNo, QStringLiteral("-"));
    StoreResult result;
    const Resolution r = resolve(key, Purpose::Load);
    m_current = AnnotationList();
    m_current.setGuardFolder(key);
    m_currentFolder = key;
    m_currentFile = r.ok ? r.ref : AnnotationFileRef();
    m_currentReadFailed = false;
    result.declined = r.declined;
    if (!r.ok) {
        result.ok = false;
        result.error = r.error;
    } else if (r.ref.isFile() && !r.skipRead) {
        Loaded loaded = load(r.ref, key);
        if (!loaded.ok || loaded.refused) {
            // Never write a list that could not be read over the file it came from.
            m_currentReadFailed = true;
            result.ok = loaded.ok;
            result.error = loaded.error;
        } else {
            m_current = std::move(loaded.list);
        }
    }
    if (mode() == StorageMode::PerFolder)
        m_stem = QStringLiteral("_m");
    else if (!m_listFileMode)
        m_stem = r.ref.stem;
    say(StoreStatusField::IniNo, iniNoText());
    return result;
}

StoreResult AnnotationStore::loadForListBuild(const QString &folder)
{
    const StoreResult r = AnnotationOp(folder, QString(), QPoint(), -1, -1, OpLoad);
    endTemporaryPerFolder();
    return r;
}

bool AnnotationStore::isCurrentFile(const QString &key)
{
    if (m_currentFolder.isEmpty())
        return false;
    if (sameFolderKey(key, m_currentFolder))
        return true;
    if (!m_currentFile.isFile())
        return false;
    const Resolution r = resolve(key, Purpose::Read);
    return r.ref.isFile() && r.ref.path == m_currentFile.path;
}

// --- AnnotationOp --------------------------------------------------------------------

StoreResult AnnotationStore::AnnotationOp(const QString &folder, const QString &name,
                                          const QPoint &point, int seal, int value, int op,
                                          const AnnotationOpInput &input)
{
    const QString key = folderKey(folder);
    if (op == OpMaintenance) {
        const IndexMaintenance::Result m = runMaintenance();
        StoreResult r;
        r.ok = m.ok;
        r.error = m.error;
        r.written = m.ok;
        return r;
    }
    if (key.isEmpty())
        return StoreResult::failure(QStringLiteral("フォルダがありません。"));

    // What the operation will write is checked before anything is loaded, so a refused
    // operation leaves every file as it was.
    QString itemName = name;
    QString carryTarget;
    switch (op) {
    case OpSetLabelSeal:
        if ((value != -1 && (value < 0 || value > 3)) || (seal != -1 && (seal < 0 || seal > 14)))
            return StoreResult::failure(QStringLiteral("ラベルは0から3、シールは0から14です。"));
        break;
    case OpSetColourShift:
        for (int c : input.rgb) {
            if (c < -255 || c > 255)
                return StoreResult::failure(QStringLiteral("色の変化は-255から255です。"));
        }
        break;
    case OpSetCaptionColour:
        if (!AnnotationValues::parseCaptionColour(input.text))
            return StoreResult::failure(
                QStringLiteral("キャプションの色ではありません: %1").arg(input.text));
        break;
    case OpSetOneColour:
        if (value != -1 && (value < 0 || value > 0xFFFFFF))
            return StoreResult::failure(QStringLiteral("色の番号ではありません: %1").arg(value));
        break;
    case OpRenameItem:
        if (!isItemName(input.oldName))
            return StoreResult::failure(refusedNameText(input.oldName));
        break;
    case OpCarryItem: {
        QString targetFolder;
        if (!splitItemPath(name, &targetFolder, &itemName))
            return StoreResult::failure(QStringLiteral("コピー先のパスがありません。"));
        if (!isItemName(itemName))
            return StoreResult::failure(refusedNameText(itemName));
        carryTarget = name;
        if (!input.oldName.isEmpty())
            itemName = input.oldName;
        break;
    }
    default:
        break;
    }
    const bool loadOnly = !isItemOp(op) && op != OpSave;
    if (isItemOp(op) && !isItemName(itemName))
        return StoreResult::failure(refusedNameText(itemName));

    const bool useCurrent = loadOnly || isCurrentFile(key);
    AnnotationList privateList;
    AnnotationList *list = &m_current;
    AnnotationFileRef ref;
    bool readFailed = false;
    StoreResult result;
    if (useCurrent) {
        result = loadCurrent(key);
        if (loadOnly)
            return result;
        ref = m_currentFile;
        readFailed = m_currentReadFailed;
        if (!result.ok)
            return result;
    } else {
        const Resolution r = resolve(key, Purpose::Load);
        if (!r.ok)
            return StoreResult::failure(r.error);
        result.declined = r.declined;
        ref = r.ref;
        if (ref.isFile() && !r.skipRead) {
            Loaded loaded = load(ref, key);
            if (!loaded.ok)
                return StoreResult::failure(loaded.error);
            readFailed = loaded.refused;
            privateList = std::move(loaded.list);
        } else {
            privateList.setGuardFolder(key);
        }
        list = &privateList;
    }

    bool changed = false;
    bool saveAnyway = false;
    auto set = [&](const QString &suffix, const QString &text) {
        bool c = false;
        list->setValue(itemName, suffix, text, &c);
        changed = changed || c;
    };
    auto remove = [&](const QString &suffix) {
        changed = list->remove(itemName, suffix) || changed;
    };

    switch (op) {
    case OpSetLabelSeal:
        if (value != -1)
            set(suffixOf(AnnotationField::Label), QString::number(value));
        if (seal != -1)
            set(suffixOf(AnnotationField::S), QString::number(seal));
        break;
    case OpRemoveLabelSeal:
        if (value == -1)
            remove(suffixOf(AnnotationField::Label));
        if (seal == -1)
            remove(suffixOf(AnnotationField::S));
        break;
    case OpSetPosition:
        set(suffixOf(AnnotationField::P), AnnotationValues::formatPosition(point));
        break;
    case OpRemovePosition:
        remove(suffixOf(AnnotationField::P));
        break;
    case OpSetColourShift:
        set(suffixOf(AnnotationField::RGB),
            AnnotationValues::formatColourShift({input.rgb[0], input.rgb[1], input.rgb[2]}));
        break;
    case OpRemoveIconMasks:
        remove(suffixOf(AnnotationField::RGB));
        remove(suffixOf(AnnotationField::OneColor));
        break;
    case OpSetCompletion:
        set(suffixOf(AnnotationField::Comp),
            input.completed ? QStringLiteral("1") : QStringLiteral("0"));
        break;
    case OpClearTask:
        for (AnnotationField f :
             {AnnotationField::Imp, AnnotationField::TS, AnnotationField::TE, AnnotationField::ImpN,
              AnnotationField::Comp, AnnotationField::Cmp})
            remove(suffixOf(f));
        break;
    case OpSetCaptionColour:
        set(suffixOf(AnnotationField::CVColor), input.text.trimmed());
        break;
    case OpRemoveCaptionColour:
        remove(suffixOf(AnnotationField::CVColor));
        break;
    case OpRemoveItem:
        changed = list->removeItem(itemName) > 0;
        break;
    case OpRenameItem:
        changed = list->renameItem(input.oldName, itemName) > 0;
        break;
    case OpSetComment:
        set(suffixOf(AnnotationField::Cmt), input.text);
        break;
    case OpSetOneColour:
        if (value == -1)
            remove(suffixOf(AnnotationField::OneColor));
        else
            set(suffixOf(AnnotationField::OneColor), QString::number(value));
        break;
    case OpCarryItem: {
        // The source list itself does not change, so it is not written.
        const StoreResult carried = carry(*list, itemName, carryTarget);
        return carried;
    }
    case OpCopyRecord:
        m_clipboard = list->record(itemName);
        return result;
    case OpPasteRecord:
        changed = list->applyRecord(itemName, m_clipboard);
        break;
    case OpSave:
        saveAnyway = true;
        break;
    default:
        break;
    }

    result.changed = changed;
    if (!changed && !saveAnyway)
        return result;
    list->sortLines();
    if (!ref.isFile()) {
        if (result.declined) {
            result.ok = false;
            result.error = declinedText();
        }
        return result;
    }
    if (ref.readOnly)
        return result;
    if (readFailed)
        return StoreResult::failure(notRegularText(ref.path));
    QString error;
    if (!write(ref, *list, &error)) {
        result.ok = false;
        result.error = error;
        return result;
    }
    result.written = true;
    if (m_taskList && (op == OpSetCompletion || op == OpClearTask)) {
        const TaskListChange change = op == OpClearTask ? TaskListChange::Cleared
                                      : input.completed ? TaskListChange::Finished
                                                        : TaskListChange::Open;
        m_taskList(key + itemName, change);
    }
    return result;
}

// --- Operations by path ------------------------------------------------------------

StoreResult AnnotationStore::writeByPath(const QString &key,
                                         const std::function<bool(AnnotationList &)> &change,
                                         const std::function<void(AnnotationList &)> &sameOnCurrent,
                                         bool sort, Purpose purpose)
{
    const Resolution r = resolve(key, purpose);
    if (!r.ok)
        return StoreResult::failure(r.error);
    if (r.declined) {
        StoreResult d = StoreResult::failure(declinedText());
        d.declined = true;
        return d;
    }
    if (!r.ref.isFile() || r.ref.readOnly)
        return StoreResult();
    Loaded loaded = load(r.ref, key, true);
    if (!loaded.ok || loaded.refused)
        return StoreResult::failure(loaded.error);
    if (!loaded.found && purpose == Purpose::Read)
        return StoreResult();
    AnnotationList list = std::move(loaded.list);
    StoreResult result;
    result.changed = change(list);
    if (!result.changed)
        return result;
    if (sort)
        list.sortLines();
    QString error;
    if (!write(r.ref, list, &error))
        return StoreResult::failure(error);
    result.written = true;
    if (m_currentFile.isFile() && m_currentFile.path == r.ref.path && !m_currentReadFailed)
        sameOnCurrent(m_current);
    return result;
}

StoreResult AnnotationStore::moveFolderKeys(const QString &oldFolder, const QString &newFolder)
{
    StoreResult result;
    const QString from = folderKey(oldFolder);
    const QString to = folderKey(newFolder);
    const AnnotationIndex *current = index();
    if (!current || from.isEmpty() || to.isEmpty())
        return result;
    AnnotationIndex changed = *current;
    if (changed.moveFolderKeys(from, to) == 0)
        return result;
    QString error;
    if (!saveIndex(changed, &error))
        return StoreResult::failure(error);
    result.changed = true;
    result.written = true;
    return result;
}

QStringList AnnotationStore::registeredFoldersBelow(const QString &folder)
{
    const AnnotationIndex *idx = index();
    return idx ? idx->registeredBelow(folderKey(folder)) : QStringList();
}

StoreResult AnnotationStore::editFolder(const QString &folder,
                                        const std::function<bool(AnnotationList &)> &change,
                                        bool sort, bool mayCreate)
{
    const QString key = folderKey(folder);
    if (key.isEmpty())
        return StoreResult::failure(QStringLiteral("フォルダがありません。"));
    return writeByPath(
        key, change, [&change](AnnotationList &list) { change(list); }, sort,
        mayCreate ? Purpose::Write : Purpose::Read);
}

QString AnnotationStore::GetByPath(const QString &path, const QString &suffix)
{
    QString key;
    QString name;
    if (suffix.isEmpty() || !isValidAnnotationSuffix(suffix) || !splitItemPath(path, &key, &name) ||
        !isAnnotatableName(name))
        return QString();
    auto read = [&](const AnnotationFileRef &ref) {
        if (!ref.isFile())
            return QString();
        bool found = false;
        QString error;
        AnnotationList *list = cached(ref.path, optionsFor(ref), &found, &error);
        if (!list)
            return QString();
        list->setGuardFolder(key);
        return list->value(name, suffix);
    };
    const AnnotationFileRef ref = resolve(key, Purpose::Read).ref;
    QString v = read(ref);
    if (v.isEmpty() && m_searchResultMode) {
        AnnotationFileRef other;
        if (mode() == StorageMode::Central) {
            if (AnnotationIndex::isNativeKey(key)) {
                other.kind = AnnotationFileRef::Kind::FolderFile;
                other.path = key + AnnotationIndex::folderCompanionName(CompanionKind::Annotations);
            }
        } else if (const AnnotationIndex *idx = index()) {
            if (const std::optional<int> n = idx->numberOf(key)) {
                other.kind = AnnotationFileRef::Kind::CentralFile;
                other.path = m_folder.file(AnnotationIndex::companionRelativePath(
                    CompanionKind::Annotations, QString::number(*n)));
            }
        }
        if (other.path != ref.path)
            v = read(other);
    }
    return v;
}

StoreResult AnnotationStore::SetByPath(const QString &path, const QString &suffix,
                                       const QString &value)
{
    QString key;
    QString name;
    if (path.isEmpty() || suffix.isEmpty())
        return StoreResult::failure(QStringLiteral("パスかキーがありません。"));
    if (!isValidAnnotationSuffix(suffix))
        return StoreResult::failure(refusedNameText(suffix));
    if (!splitItemPath(path, &key, &name))
        return StoreResult::failure(
            QStringLiteral("このパスには注釈を付けられません: %1").arg(path));
    if (!isItemName(name))
        return StoreResult::failure(refusedNameText(name));
    const QString v = sanitizeAnnotationValue(value);
    auto apply = [&](AnnotationList &list) {
        bool changed = false;
        list.setValue(name, suffix, v, &changed);
        return changed;
    };
    return writeByPath(
        key, apply, [&](AnnotationList &list) { apply(list); }, false,
        v.isEmpty() ? Purpose::Read : Purpose::Write);
}

StoreResult AnnotationStore::DeleteByPath(const QString &path, const QString &suffix)
{
    QString key;
    QString name;
    if (path.isEmpty() || suffix.isEmpty())
        return StoreResult::failure(QStringLiteral("パスかキーがありません。"));
    if (!isValidAnnotationSuffix(suffix))
        return StoreResult::failure(refusedNameText(suffix));
    if (!splitItemPath(path, &key, &name))
        return StoreResult::failure(
            QStringLiteral("このパスには注釈を付けられません: %1").arg(path));
    if (!isItemName(name))
        return StoreResult::failure(refusedNameText(name));
    auto apply = [&](AnnotationList &list) { return list.remove(name, suffix); };
    return writeByPath(
        key, apply, [&](AnnotationList &list) { apply(list); }, true, Purpose::Read);
}

StoreResult AnnotationStore::SaveCurrent(const QString &folder)
{
    if (m_currentReadFailed)
        return StoreResult::failure(
            QStringLiteral("読み込めなかった注釈ファイルには保存しません: %1")
                .arg(m_currentFile.path));
    QString key = m_currentFolder.isEmpty() ? folderKey(folder) : m_currentFolder;
    AnnotationFileRef target = m_currentFile;
    if (!target.isFile()) {
        if (key.isEmpty())
            return StoreResult::failure(QStringLiteral("フォルダがありません。"));
        const Resolution r = resolve(key, Purpose::Write);
        if (!r.ok)
            return StoreResult::failure(r.error);
        if (r.declined) {
            StoreResult d = StoreResult::failure(declinedText());
            d.declined = true;
            return d;
        }
        target = r.ref;
        if (target.isFile()) {
            m_currentFile = target;
            m_currentFolder = key;
        }
    } else if (mode() == StorageMode::Central &&
               target.kind != AnnotationFileRef::Kind::FolderFile && automaticCheck() &&
               AnnotationIndex::isNativeKey(key) &&
               isRegularFile(key +
                             AnnotationIndex::folderCompanionName(CompanionKind::Annotations))) {
        if (ask(StoreQuestion::SaveIntoFolderFile, saveIntoFolderFileQuestion())) {
            target.kind = AnnotationFileRef::Kind::FolderFile;
            target.path = key + AnnotationIndex::folderCompanionName(CompanionKind::Annotations);
            target.readOnly = m_shellNamespaceMode;
        }
    }
    StoreResult result;
    if (!target.isFile() || target.readOnly)
        return result;
    m_current.sortLines();
    QString error;
    if (!write(target, m_current, &error))
        return StoreResult::failure(error);
    result.written = true;
    return result;
}

int AnnotationStore::RenameKeys(const QString &oldName, const QString &newName)
{
    return m_current.renameItem(oldName, newName);
}

StoreResult AnnotationStore::carry(const AnnotationList &source, const QString &oldName,
                                   const QString &toPath)
{
    QString key;
    QString newName;
    splitItemPath(toPath, &key, &newName);
    const QList<QPair<QString, QString>> fields = source.itemFields(oldName);
    // The carried item replaces whatever lines were left under its new name.
    auto apply = [&](AnnotationList &list) {
        bool changed = list.removeItem(newName) > 0;
        for (const auto &field : fields) {
            bool c = false;
            list.setValue(newName, field.first, field.second, &c);
            changed = changed || c;
        }
        return changed;
    };
    return writeByPath(
        key, apply, [&](AnnotationList &list) { apply(list); }, false,
        fields.isEmpty() ? Purpose::Read : Purpose::Write);
}

FileAnnotationRec AnnotationStore::recordByPath(const QString &path)
{
    FileAnnotationRec rec;
    for (std::size_t i = 0; i < AnnotationSuffixes.size(); ++i)
        rec.field(i) = GetByPath(path, QString(AnnotationSuffixes[i]));
    return rec;
}

QList<QPair<QString, QString>> AnnotationStore::fieldsByPath(const QString &path)
{
    QList<QPair<QString, QString>> out;
    for (std::size_t i = 0; i < WholeItemSuffixCount; ++i) {
        const QString suffix(wholeItemSuffix(i));
        const QString v = GetByPath(path, suffix);
        if (!v.isEmpty())
            out.append({suffix, v});
    }
    return out;
}

StoreResult AnnotationStore::removeItemByPath(const QString &path)
{
    QString folder;
    QString name;
    if (!splitItemPath(path, &folder, &name))
        return StoreResult::failure(
            QStringLiteral("このパスには注釈を付けられません: %1").arg(path));
    return AnnotationOp(folder, name, QPoint(), -1, -1, OpRemoveItem);
}

StoreResult AnnotationStore::renameItemByPath(const QString &path, const QString &newName)
{
    QString folder;
    QString name;
    if (!splitItemPath(path, &folder, &name))
        return StoreResult::failure(
            QStringLiteral("このパスには注釈を付けられません: %1").arg(path));
    AnnotationOpInput input;
    input.oldName = name;
    return AnnotationOp(folder, newName, QPoint(), -1, -1, OpRenameItem, input);
}

StoreResult AnnotationStore::carryItemByPath(const QString &fromPath, const QString &toPath,
                                             bool removeSource)
{
    QString folder;
    QString name;
    if (!splitItemPath(fromPath, &folder, &name))
        return StoreResult::failure(
            QStringLiteral("このパスには注釈を付けられません: %1").arg(fromPath));
    AnnotationOpInput input;
    input.oldName = name;
    StoreResult r = AnnotationOp(folder, toPath, QPoint(), -1, -1, OpCarryItem, input);
    if (!r.ok || !removeSource)
        return r;
    const StoreResult removed = AnnotationOp(folder, name, QPoint(), -1, -1, OpRemoveItem);
    if (!removed.ok)
        return removed;
    r.changed = r.changed || removed.changed;
    r.written = r.written || removed.written;
    return r;
}

QString AnnotationStore::folderValue(const QString &folder, const QString &key)
{
    const QString fk = folderKey(folder);
    if (fk.isEmpty() || !isValidAnnotationSuffix(key))
        return QString();
    const AnnotationFileRef ref = resolve(fk, Purpose::Read).ref;
    if (!ref.isFile())
        return QString();
    bool found = false;
    QString error;
    const AnnotationList *list = cached(ref.path, optionsFor(ref), &found, &error);
    return list ? list->value(QString(), key) : QString();
}

StoreResult AnnotationStore::setFolderValue(const QString &folder, const QString &key,
                                            const QString &value)
{
    const QString fk = folderKey(folder);
    if (fk.isEmpty())
        return StoreResult::failure(QStringLiteral("フォルダがありません。"));
    if (!isValidAnnotationSuffix(key))
        return StoreResult::failure(refusedNameText(key));
    const QString v = sanitizeAnnotationValue(value);
    auto apply = [&](AnnotationList &list) {
        bool changed = false;
        list.setValue(QString(), key, v, &changed);
        return changed;
    };
    return writeByPath(
        fk, apply, [&](AnnotationList &list) { apply(list); }, false,
        v.isEmpty() ? Purpose::Read : Purpose::Write);
}

// --- Commands ------------------------------------------------------------------------

StoreResult AnnotationStore::writeCurrentToFolderFile()
{
    if (m_shellNamespaceMode || !AnnotationIndex::isNativeKey(m_currentFolder))
        return StoreResult::failure(noFolderFileText());
    AnnotationFileRef ref;
    ref.kind = AnnotationFileRef::Kind::FolderFile;
    ref.path = m_currentFolder + AnnotationIndex::folderCompanionName(CompanionKind::Annotations);
    // What a file that cannot be read holds is unknown: it is never written over.
    const Loaded existing = load(ref, m_currentFolder, false);
    if (!existing.ok || existing.refused)
        return StoreResult::failure(unreadFolderFileText(ref.path, existing.error));
    QString error;
    if (!write(ref, m_current, &error))
        return StoreResult::failure(error);
    StoreResult r;
    r.written = true;
    return r;
}

QString AnnotationStore::centralFileForEditing() const
{
    const QString path =
        m_folder.file(AnnotationIndex::companionRelativePath(CompanionKind::Annotations, m_stem));
    return isRegularFile(path) ? path : QString();
}

IndexMaintenance::Result
AnnotationStore::runMaintenance(const std::function<void(const QString &)> &status)
{
    IndexMaintenance maintenance(m_folder);
    const IndexMaintenance::Result result =
        maintenance.run(status ? status : [this](const QString &text) {
            say(StoreStatusField::SystemMessage, text);
        });
    m_cache.clear();
    m_cacheOrder.clear();
    m_indexLoaded = false;
    // The numbered files have moved: the list is read again from the folder's new file
    // instead of being saved into its old one.
    if (!result.noIndex && !m_currentFolder.isEmpty())
        loadCurrent(m_currentFolder);
    return result;
}

} // namespace kazari
