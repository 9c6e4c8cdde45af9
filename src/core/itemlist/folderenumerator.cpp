#include "core/itemlist/folderenumerator.h"

#include "core/itemlist/fileattributes.h"

#include <QFile>

#include <algorithm>
#include <numeric>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kazari
{

namespace
{

// Sorts names by their case-folded form; ties keep the exact order.
void sortFolded(QStringList &names)
{
    const qsizetype n = names.size();
    if (n < 2)
        return;
    std::vector<QString> folded;
    folded.reserve(size_t(n));
    for (const QString &s : std::as_const(names))
        folded.push_back(s.toCaseFolded());
    std::vector<qsizetype> order(static_cast<size_t>(n));
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](qsizetype a, qsizetype b) {
        const int c = QStringView(folded[size_t(a)]).compare(QStringView(folded[size_t(b)]));
        if (c != 0)
            return c < 0;
        return QStringView(names.at(a)).compare(QStringView(names.at(b))) < 0;
    });
    QStringList sorted;
    sorted.reserve(n);
    for (qsizetype i : order)
        sorted.append(std::move(names[i]));
    names = std::move(sorted);
}

// Windows masks: "*.*" matches names without a dot too.
bool showsEverything(const QString &mask)
{
    return mask.isEmpty() || mask == QLatin1String("*") || mask == QLatin1String("*.*");
}

// The mask as a pattern for fnmatch: only "*" and "?" are wildcards, every other
// character (brackets and backslashes in names such as "Movie [1080p].mkv") matches itself.
QByteArray matchPattern(const QString &mask)
{
    const QByteArray raw = QFile::encodeName(mask);
    QByteArray pattern;
    pattern.reserve(raw.size() * 2);
    for (const char c : raw) {
        if (c == '[' || c == ']' || c == '\\')
            pattern.append('\\');
        pattern.append(c);
    }
    return pattern;
}

} // namespace

bool FolderEnumerator::isSkippedName(const QString &name)
{
    return name == QLatin1String(".") || name == QLatin1String("..") ||
           name == QLatin1String("RECYCLED") || name == QLatin1String("RECYCLER");
}

void FolderEnumerator::sortPaths(QStringList &paths)
{
    sortFolded(paths);
}

bool FolderEnumerator::shows(const QString &folder, const QString &name,
                             const EnumerationOptions &options)
{
    if (name.isEmpty() || name.contains(QLatin1Char('/')) || isSkippedName(name))
        return false;
    if (!options.showHidden && name.startsWith(QLatin1Char('.')))
        return false;
    const QByteArray raw = QFile::encodeName(name);
    if (!showsEverything(options.mask) &&
        ::fnmatch(matchPattern(options.mask).constData(), raw.constData(), FNM_CASEFOLD) != 0)
        return false;
    QString path = folder;
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    path += name;
    struct stat st {
    };
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0)
        return false;
    return options.showSystem || !FileAttributes::isSystem(path);
}

FolderEntries FolderEnumerator::list(const QString &folder, const EnumerationOptions &options)
{
    FolderEntries out;
    QByteArray base = QFile::encodeName(folder);
    if (base.isEmpty())
        return out;
    if (!base.endsWith('/'))
        base.append('/');
    DIR *dir = ::opendir(base.constData());
    if (!dir)
        return out;
    const int dirFd = ::dirfd(dir);
    const bool everything = showsEverything(options.mask);
    const QByteArray mask = matchPattern(options.mask);
    QByteArray fullPath = base;

    while (const dirent *e = ::readdir(dir)) {
        const char *raw = e->d_name;
        if (raw[0] == '.' && (raw[1] == '\0' || (raw[1] == '.' && raw[2] == '\0')))
            continue;
        if (!options.showHidden && raw[0] == '.')
            continue;
        if (!everything && ::fnmatch(mask.constData(), raw, FNM_CASEFOLD) != 0)
            continue;
        const QString name = QFile::decodeName(raw);
        if (isSkippedName(name))
            continue;
        if (!options.showSystem) {
            fullPath.truncate(base.size());
            fullPath.append(raw);
            if (FileAttributes::isSystem(QFile::decodeName(fullPath)))
                continue;
        }
        bool isDir = e->d_type == DT_DIR;
        if (e->d_type == DT_LNK || e->d_type == DT_UNKNOWN) {
            struct stat st {
            };
            // A link counts as what it points to; a broken link is a file.
            isDir = ::fstatat(dirFd, raw, &st, 0) == 0 && S_ISDIR(st.st_mode);
        }
        (isDir ? out.folders : out.files).append(name);
    }
    ::closedir(dir);
    out.listed = true;
    sortFolded(out.folders);
    sortFolded(out.files);
    return out;
}

} // namespace kazari
