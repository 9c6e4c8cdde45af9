#include "core/navigation/recentuselists.h"

#include "core/navigation/navigation.h"
#include "core/platform/textfile.h"

#include <QFileInfo>

#include <array>

namespace kazari
{

RecentUseLists::RecentUseLists(ProgramFolder folder)
    : m_folder(std::move(folder))
{
}

QString RecentUseLists::relativePath(Kind kind)
{
    switch (kind) {
    case Folders:
        return QStringLiteral("vtl/DirList.img");
    case Programs:
        return QStringLiteral("vtl/AppList.img");
    case Files:
        break;
    }
    return QStringLiteral("vtl/FileList.img");
}

int RecentUseLists::limit(Kind kind)
{
    return kind == Folders ? 100 : 50;
}

std::optional<RecentUseLists::Kind> RecentUseLists::classify(const QString &path, bool isFolder)
{
    if (!Navigation::isNativePath(path))
        return std::nullopt;
    if (isFolder)
        return Folders;
    if (path.endsWith(QLatin1String(".exe")))
        return Programs;
    return Files;
}

void RecentUseLists::putOnTop(QStringList &lines, const QString &path, int limit)
{
    qsizetype at = -1;
    for (qsizetype i = 0; i < lines.size() && at < 0; ++i) {
        if (Navigation::samePath(lines.at(i), path))
            at = i;
    }
    if (at >= 0)
        lines.move(at, 0);
    else
        lines.prepend(path);
    while (lines.size() > limit)
        lines.removeLast();
}

bool RecentUseLists::record(const QStringList &paths, QString *error)
{
    std::array<QStringList, 3> wanted;
    QStringList errors;
    for (const QString &path : paths) {
        if (!Navigation::isNativePath(path))
            continue;
        if (!isStorable(path) || path.contains(QLatin1Char('='))) {
            // One line per path: a name with a line break would become two entries. "="
            // is refused as in the favourites file, whose lines are keys and values, so
            // a path can move between the two without changing its meaning.
            errors.append(
                QStringLiteral("「=」や改行を含むパスは履歴に記録できません: %1").arg(path));
            continue;
        }
        const QString p = Navigation::withoutTrailingSeparator(path);
        if (const std::optional<Kind> kind = classify(p, QFileInfo(p).isDir()))
            wanted[*kind].append(p);
    }

    bool ok = errors.isEmpty();
    for (const Kind kind : {Folders, Programs, Files}) {
        if (wanted[kind].isEmpty())
            continue;
        const QString file = filePath(kind);
        TextFile::ReadResult r = TextFile::read(file);
        if (!r.error.isEmpty()) {
            ok = false;
            errors.append(file + QStringLiteral(": ") + r.error);
            continue;
        }
        if (!r.found)
            continue;
        const QStringList before = r.document.lines;
        for (const QString &p : std::as_const(wanted[kind]))
            putOnTop(r.document.lines, p, limit(kind));
        if (r.document.lines == before)
            continue;
        QString writeError;
        if (!TextFile::write(file, r.document, &writeError)) {
            ok = false;
            errors.append(file + QStringLiteral(": ") + writeError);
        }
    }
    if (error)
        *error = errors.join(QLatin1Char('\n'));
    return ok;
}

bool RecentUseLists::isStorable(const QString &path)
{
    return !path.contains(QLatin1Char('\n')) && !path.contains(QLatin1Char('\r'));
}

QStringList RecentUseLists::lines(Kind kind) const
{
    return TextFile::read(filePath(kind)).document.lines;
}

} // namespace kazari
