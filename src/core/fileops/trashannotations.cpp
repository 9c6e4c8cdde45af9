#include "core/fileops/trashannotations.h"

#include "core/platform/textfile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

namespace kazari
{

namespace
{

const QString EntryKey = QStringLiteral(".TrashEntry");
const QString OriginalKey = QStringLiteral(".OriginalPath");
const QString FolderKeysKey = QStringLiteral(".FolderKeys");

struct Record {
    QString entry;
    QString original;
    bool folderKeys = false;
    /// The item's fields, keyed by its original name.
    QStringList itemLines;
};

bool exists(const QString &path)
{
    struct stat st {
    };
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0;
}

bool isRealFolder(const QString &path)
{
    struct stat st {
    };
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool hasLineBreak(const QString &text)
{
    return text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r'));
}

bool readRecord(const QString &file, Record *record)
{
    const TextFile::ReadResult read = TextFile::read(file, TextFile::RegularFilesOnly);
    if (!read.found)
        return false;
    for (const QString &line : read.document.lines) {
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq <= 0)
            continue;
        const QString key = line.left(eq);
        const QString value = line.mid(eq + 1);
        if (key == EntryKey)
            record->entry = value;
        else if (key == OriginalKey)
            record->original = value;
        else if (key == FolderKeysKey)
            record->folderKeys = value == QLatin1String("1");
        else if (!key.startsWith(QLatin1Char('.')))
            record->itemLines.append(line);
    }
    return !record->entry.isEmpty();
}

} // namespace

TrashAnnotations::TrashAnnotations(AnnotationStore &store)
    : m_store(store)
{
}

QString TrashAnnotations::recordFile(const QString &trashedPath) const
{
    const QByteArray hash =
        QCryptographicHash::hash(QDir::cleanPath(trashedPath).toUtf8(), QCryptographicHash::Sha1)
            .toHex();
    return m_store.programFolder().file(QStringLiteral("vtl/trash/") + QString::fromLatin1(hash) +
                                        QStringLiteral(".ini"));
}

bool TrashAnnotations::keep(const QString &originalPath, const QString &trashedPath,
                            const Fields &fields, QString *error)
{
    const QString file = recordFile(trashedPath);
    QString name;
    if (!AnnotationStore::splitItemPath(originalPath, nullptr, &name)) {
        QFile::remove(file);
        return true;
    }
    // A folder's index keys go with it (central mode; without an index there are none).
    const bool folderKeys =
        isRealFolder(trashedPath) && !m_store.registeredFoldersBelow(originalPath).isEmpty();
    if (fields.isEmpty() && !folderKeys) {
        // Whatever is there was kept for an entry of this name that is gone.
        QFile::remove(file);
        return true;
    }
    if (hasLineBreak(originalPath) || hasLineBreak(trashedPath)) {
        *error = QStringLiteral("注釈をごみ箱の項目と一緒に保管できません: ") + originalPath;
        return false;
    }
    TextDocument doc;
    doc.lines.append(EntryKey + QLatin1Char('=') + QDir::cleanPath(trashedPath));
    doc.lines.append(OriginalKey + QLatin1Char('=') + QDir::cleanPath(originalPath));
    if (folderKeys)
        doc.lines.append(FolderKeysKey + QStringLiteral("=1"));
    for (const auto &field : fields)
        doc.lines.append(name + field.first + QLatin1Char('=') + field.second);
    QDir().mkpath(QFileInfo(file).path());
    if (!TextFile::write(file, doc, error))
        return false;
    if (folderKeys) {
        const StoreResult moved = m_store.moveFolderKeys(originalPath, trashedPath);
        if (!moved.ok) {
            *error = moved.error;
            return false;
        }
    }
    return true;
}

bool TrashAnnotations::restored(const TrashEntry &entry, const QString &restoredPath,
                                QString *error)
{
    const QString file = recordFile(entry.filesPath());
    Record record;
    if (!readRecord(file, &record))
        return true;
    // Kept for another entry that once had this place in the trash: stale.
    if (record.entry != QDir::cleanPath(entry.filesPath()) ||
        record.original != QDir::cleanPath(entry.originalPath)) {
        QFile::remove(file);
        return true;
    }
    QString name;
    if (!AnnotationStore::splitItemPath(record.original, nullptr, &name)) {
        QFile::remove(file);
        return true;
    }
    // Restoring happens while the trash location is shown, where folder files are not
    // written for the items listed; the restored item is an item of a real folder.
    struct NamespaceModeOff {
        AnnotationStore &store;
        const bool was = store.shellNamespaceMode();
        explicit NamespaceModeOff(AnnotationStore &s)
            : store(s)
        {
            store.setShellNamespaceMode(false);
        }
        ~NamespaceModeOff() { store.setShellNamespaceMode(was); }
    } namespaceModeOff(m_store);
    QStringList problems;
    if (!record.itemLines.isEmpty()) {
        // A restored item never inherits lines left under its name by one that is gone.
        const StoreResult r = m_store.carry(AnnotationList(record.itemLines), name, restoredPath);
        if (!r.ok)
            problems.append(r.error);
    }
    if (record.folderKeys) {
        const StoreResult r = m_store.moveFolderKeys(entry.filesPath(), restoredPath);
        if (!r.ok)
            problems.append(r.error);
    }
    // The entry has left the trash: nothing could use the record any more.
    QFile::remove(file);
    if (!problems.isEmpty()) {
        *error = problems.join(QLatin1Char('\n'));
        return false;
    }
    return true;
}

TrashResult TrashAnnotations::erase(const Trash &trash, const TrashEntry &entry)
{
    const TrashResult r = trash.erase(entry);
    if (r.ok)
        QFile::remove(recordFile(entry.filesPath()));
    return r;
}

void TrashAnnotations::prune()
{
    const QDir folder(m_store.programFolder().file(QStringLiteral("vtl/trash")));
    const QStringList files = folder.entryList({QStringLiteral("*.ini")}, QDir::Files);
    for (const QString &name : files) {
        Record record;
        const QString file = folder.filePath(name);
        if (!readRecord(file, &record) || !exists(record.entry))
            QFile::remove(file);
    }
}

} // namespace kazari
