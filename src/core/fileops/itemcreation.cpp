#include "core/fileops/itemcreation.h"

#include <QFile>

#include <sys/stat.h>

namespace kazari
{

namespace
{

QString joinPath(const QString &folder, const QString &name)
{
    if (folder.endsWith(QLatin1Char('/')))
        return folder + name;
    return folder + QLatin1Char('/') + name;
}

// Whether the item at `path` is of the kind being created (links followed, as a folder
// reached through a link is a folder to the user).
bool isKind(const QString &path, ItemCreation::Kind kind)
{
    struct stat st {
    };
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return kind == ItemCreation::Kind::File; // a dangling link counts as a file
    return S_ISDIR(st.st_mode) == (kind == ItemCreation::Kind::Folder);
}

} // namespace

bool ItemCreation::isCompanionName(const QString &name)
{
    for (const char *companion : {"_m.ini", "_m.rule", "_m.Script", "_m.bmp"}) {
        if (name.compare(QLatin1String(companion), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

QString ItemCreation::checkNewName(const QString &name)
{
    const QString problem = NameRules::checkName(name);
    if (!problem.isEmpty())
        return problem;
    if (isCompanionName(name))
        return QStringLiteral("「%1」はこのプログラムが使うファイルの名前です。").arg(name);
    return QString();
}

ItemCreation::Created ItemCreation::create(const QString &folder, Kind kind, const QString &name,
                                           const QString &separator, int *counter, bool plainFirst)
{
    Created out;
    const QString problem = checkNewName(name);
    if (!problem.isEmpty() && (plainFirst || name.isEmpty())) {
        out.message = problem;
        out.refused = true;
        return out;
    }
    QString candidate = name;
    auto next = [&]() {
        out.number = *counter;
        candidate = name + separator + QString::number((*counter)++);
        ++out.taken;
    };
    if (!plainFirst) {
        next();
        out.taken = 0;
    }
    // The numbers run out long before this, on any real file system.
    for (int attempt = 0; attempt < 1000000; ++attempt) {
        const QString numberedProblem = checkNewName(candidate);
        if (!numberedProblem.isEmpty()) {
            out.message = numberedProblem;
            out.refused = true;
            return out;
        }
        const NameResult r = kind == Kind::Folder ? NameRules::createFolder(folder, candidate)
                                                  : NameRules::createFile(folder, candidate);
        if (r.ok()) {
            out.ok = true;
            out.path = r.path;
            return out;
        }
        if (r.error != NameError::Exists || !isKind(joinPath(folder, candidate), kind)) {
            out.message = r.message;
            return out;
        }
        next();
    }
    out.message = QStringLiteral("空いている名前がありません: ") + name;
    return out;
}

ItemCreation::Batch ItemCreation::createBatch(const QString &folder, Kind kind,
                                              const QStringList &lines)
{
    Batch out;
    int counter = 0;
    for (const QString &line : lines) {
        if (line.isEmpty())
            continue;
        const Created c = create(folder, kind, line, QStringLiteral("_"), &counter);
        ++out.lines;
        if (c.ok) {
            out.created.append(c.path);
            continue;
        }
        out.failures.append(line + QStringLiteral(": ") + c.message);
        if (kind == Kind::File) {
            out.stopped = true;
            break;
        }
    }
    return out;
}

} // namespace kazari
