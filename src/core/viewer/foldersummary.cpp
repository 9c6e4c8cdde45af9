#include "core/viewer/foldersummary.h"

#include <QElapsedTimer>
#include <QFile>

#include <cstring>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kazari
{

namespace
{

struct Entry {
    QByteArray name;
    /// A real folder (not a link): walked.
    bool walk = false;
    /// Counts as a folder: a real folder or a link to one.
    bool folder = false;
    quint64 size = 0;
};

struct Frame {
    QByteArray path;
    std::vector<Entry> entries;
    size_t next = 0;
};

// Reads every entry of a folder at once, so that no folder stays open while the walk is
// below it. Returns false when the folder cannot be opened.
bool readFolder(const QByteArray &path, bool followLink, std::vector<Entry> &entries)
{
    const int flags = O_RDONLY | O_DIRECTORY | O_CLOEXEC | (followLink ? 0 : O_NOFOLLOW);
    const int fd = ::open(path.constData(), flags);
    if (fd < 0)
        return false;
    DIR *dir = ::fdopendir(fd);
    if (!dir) {
        ::close(fd);
        return false;
    }
    while (const dirent *d = ::readdir(dir)) {
        const char *name = d->d_name;
        if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0)))
            continue;
        if (std::strcmp(name, "RECYCLED") == 0)
            continue;
        Entry entry;
        entry.name = QByteArray(name);
        unsigned char type = d->d_type;
        struct stat st {
        };
        if (type == DT_UNKNOWN || type == DT_REG) {
            if (::fstatat(fd, name, &st, AT_SYMLINK_NOFOLLOW) != 0)
                type = DT_UNKNOWN;
            else if (S_ISDIR(st.st_mode))
                type = DT_DIR;
            else if (S_ISLNK(st.st_mode))
                type = DT_LNK;
            else if (S_ISREG(st.st_mode))
                entry.size = quint64(st.st_size);
        }
        if (type == DT_DIR) {
            entry.walk = true;
            entry.folder = true;
        } else if (type == DT_LNK) {
            entry.folder = ::fstatat(fd, name, &st, 0) == 0 && S_ISDIR(st.st_mode);
        }
        entries.push_back(std::move(entry));
    }
    ::closedir(dir);
    return true;
}

QByteArray childPath(const QByteArray &parent, const QByteArray &name)
{
    if (parent.endsWith('/'))
        return parent + name;
    return parent + '/' + name;
}

} // namespace

bool FolderSummary::nameMatches(const QString &name, const QString &fileMask)
{
    if (fileMask.isEmpty() || fileMask == u"*" || fileMask == u"**")
        return true;
    return name.toLower().contains(fileMask.toLower());
}

FolderSummary::Result FolderSummary::walk(const QString &path, const Options &options)
{
    QElapsedTimer timer;
    timer.start();
    Result result;
    const bool everyName = nameMatches(QString(), options.fileMask);
    const QString mask = options.fileMask.toLower();

    std::vector<Frame> stack;
    {
        Frame top;
        top.path = QFile::encodeName(path);
        if (readFolder(top.path, true, top.entries))
            stack.push_back(std::move(top));
        else
            ++result.unreadableFolders;
    }
    while (!stack.empty()) {
        if (options.cancel && options.cancel->load(std::memory_order_relaxed)) {
            result.cancelled = true;
            break;
        }
        Frame &frame = stack.back();
        if (frame.next >= frame.entries.size()) {
            stack.pop_back();
            continue;
        }
        const Entry &entry = frame.entries[frame.next++];
        const QByteArray full = childPath(frame.path, entry.name);
        bool matches = everyName || QFile::decodeName(entry.name).toLower().contains(mask);
        QString fullText;
        if (matches && options.hasAnnotation) {
            fullText = QFile::decodeName(full);
            matches = options.hasAnnotation(fullText);
        }
        if (matches) {
            if (entry.folder) {
                ++result.folderCount;
            } else {
                ++result.fileCount;
                result.totalBytes += entry.size;
            }
            if (result.paths.size() < options.maxListedPaths)
                result.paths.append(fullText.isNull() ? QFile::decodeName(full) : fullText);
            else
                ++result.omittedPaths;
        }
        if (entry.walk) {
            Frame child;
            child.path = full;
            if (readFolder(child.path, false, child.entries))
                stack.push_back(std::move(child)); // `frame` is not used after this
            else
                ++result.unreadableFolders;
        }
    }
    result.elapsedSeconds = double(timer.nsecsElapsed()) / 1e9;
    return result;
}

QString FolderSummary::text(const Result &result, const QString &caption, const QString &comment)
{
    QStringList lines;
    lines.reserve(result.paths.size() + 10);
    lines << QStringLiteral("情報取得時間 ") + QString::asprintf("%f", result.elapsedSeconds) +
                 QStringLiteral(" 秒");
    lines << caption;
    lines << QStringLiteral("サイズ: ") +
                 QString::asprintf("%f MB", double(result.totalBytes) / 1048576.0);
    lines << QStringLiteral("フォルダ数: ") + QString::number(result.folderCount) +
                 QStringLiteral(" 個");
    lines << QStringLiteral("ファイル数: ") + QString::number(result.fileCount) +
                 QStringLiteral(" 個");
    if (result.unreadableFolders > 0)
        lines << QStringLiteral("読み取れなかったフォルダ: ") +
                     QString::number(result.unreadableFolders) + QStringLiteral(" 個");
    lines << QStringLiteral("コメント: ") + comment;
    lines << QString();
    lines << QStringLiteral("内容一覧: ");
    lines += result.paths;
    if (result.omittedPaths > 0)
        lines << QStringLiteral("(ほか %1 件は省略しました)").arg(result.omittedPaths);
    return lines.join(QLatin1Char('\n'));
}

} // namespace kazari
