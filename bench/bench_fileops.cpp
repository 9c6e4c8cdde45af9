// Measures the file-operation engine on a generated tree of 20,000 small files: a copy
// within one file system and a move to another one (a tmpfs mounted for the run when
// allowed, else /dev/shm when it is another device, else the same file system), each beside
// `cp -a` and `mv` of the same tree in the same run, as ratios.
#include "core/platform/fileoperationengine.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>
#include <memory>
#include <sys/mount.h>
#include <sys/stat.h>

using namespace kazari;

namespace
{

constexpr int Folders = 200;
constexpr int FilesPerFolder = 100;

double timeMs(const std::function<bool()> &work, bool *ok)
{
    QElapsedTimer t;
    t.start();
    *ok = work() && *ok;
    return double(t.nsecsElapsed()) / 1e6;
}

void report(const char *what, double ms, const char *reference, double refMs)
{
    std::printf("%-40s %9.1f ms   %-10s %9.1f ms   ratio %.2f\n", what, ms, reference, refMs,
                refMs > 0 ? ms / refMs : 0.0);
}

bool run(const QString &program, const QStringList &arguments)
{
    QProcess p;
    p.start(program, arguments);
    return p.waitForFinished(-1) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

qint64 makeTree(const QString &root)
{
    qint64 bytes = 0;
    quint32 seed = 12345;
    for (int d = 0; d < Folders; ++d) {
        const QString folder = root + QStringLiteral("/folder%1").arg(d, 3, 10, QLatin1Char('0'));
        QDir().mkpath(folder);
        for (int f = 0; f < FilesPerFolder; ++f) {
            seed = seed * 1103515245u + 12345u;
            const int size = 100 + int((seed >> 8) % 4000);
            QFile file(folder + QStringLiteral("/file%1.txt").arg(f));
            if (!file.open(QIODevice::WriteOnly) ||
                file.write(QByteArray(size, char('a' + f % 26))) != size) {
                std::fprintf(stderr, "cannot write %s\n", qPrintable(file.fileName()));
                return -1;
            }
            bytes += size;
        }
    }
    return bytes;
}

bool sameDevice(const QString &a, const QString &b)
{
    struct stat sa {
    };
    struct stat sb {
    };
    return ::stat(QFile::encodeName(a).constData(), &sa) == 0 &&
           ::stat(QFile::encodeName(b).constData(), &sb) == 0 && sa.st_dev == sb.st_dev;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir work(QDir::tempPath() + QStringLiteral("/kazari-bench-XXXXXX"));
    const QString tree = work.filePath(QStringLiteral("tree"));
    const qint64 bytes = makeTree(tree);
    if (bytes < 0)
        return 1;
    std::printf("tree: %d files in %d folders, %lld bytes\n", Folders * FilesPerFolder, Folders,
                static_cast<long long>(bytes));

    // Copy within one file system, twice each, the better time counts (warm caches).
    bool ok = true;
    double ours = 1e18;
    double cp = 1e18;
    for (int round = 0; round < 2; ++round) {
        const QString a = work.filePath(QStringLiteral("cp%1").arg(round));
        const QString b = work.filePath(QStringLiteral("ours%1").arg(round));
        QDir().mkpath(a);
        QDir().mkpath(b);
        cp = std::min(cp, timeMs(
                              [&] {
                                  return run(QStringLiteral("cp"), {QStringLiteral("-a"), tree, a});
                              },
                              &ok));
        ours = std::min(
            ours,
            timeMs(
                [&] {
                    FileOperationEngine engine;
                    return engine.run({FileOperationCode::CopyRenaming, {tree}, b}).succeeded();
                },
                &ok));
    }
    report("copy 20,000 files (code 1)", ours, "cp -a", cp);

    // Move to another file system.
    QTemporaryDir mountPoint(QDir::tempPath() + QStringLiteral("/kazari-bench-mnt-XXXXXX"));
    bool mounted = ::mount("tmpfs", QFile::encodeName(mountPoint.path()).constData(), "tmpfs", 0,
                           "size=1g") == 0;
    std::unique_ptr<QTemporaryDir> shm;
    QString other = mountPoint.path();
    if (!mounted) {
        shm = std::make_unique<QTemporaryDir>(QStringLiteral("/dev/shm/kazari-bench-XXXXXX"));
        other = shm->isValid() && !sameDevice(shm->path(), work.path())
                    ? shm->path()
                    : work.filePath(QStringLiteral("same"));
        QDir().mkpath(other);
    }
    const bool across = !sameDevice(other, work.path());
    std::printf("move target: %s (%s)\n", qPrintable(other),
                across ? (mounted ? "tmpfs mounted for the run" : "another device")
                       : "same file system");
    const QString mvTarget = other + QStringLiteral("/mv");
    const QString oursTarget = other + QStringLiteral("/ours");
    QDir().mkpath(mvTarget);
    QDir().mkpath(oursTarget);
    const double mv = timeMs(
        [&] {
            return run(QStringLiteral("mv"), {work.filePath(QStringLiteral("cp0/tree")), mvTarget});
        },
        &ok);
    const double oursMove = timeMs(
        [&] {
            FileOperationEngine engine;
            return engine
                .run({FileOperationCode::MoveRenaming,
                      {work.filePath(QStringLiteral("ours0/tree"))},
                      oursTarget})
                .succeeded();
        },
        &ok);
    report(across ? "move across file systems (code 0)" : "move within one file system (code 0)",
           oursMove, "mv", mv);

    if (mounted)
        ::umount2(QFile::encodeName(mountPoint.path()).constData(), MNT_DETACH);
    if (!ok) {
        std::fprintf(stderr, "a run failed\n");
        return 1;
    }
    return 0;
}
