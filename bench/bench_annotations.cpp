// Measures the annotation store on generated data and prints each figure beside a
// reference measured in the same run.
#include "core/annotations/annotationstore.h"
#include "core/annotations/indexmaintenance.h"
#include "core/app/componentnames.h"
#include "core/app/settings.h"
#include "core/platform/textfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>

using namespace kazari;

namespace
{

double medianMs(int runs, const std::function<void()> &work)
{
    QList<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        work();
        times.append(double(t.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times.at(times.size() / 2);
}

void report(const char *what, double ms, const char *reference, double refMs)
{
    std::printf("%-46s %9.2f ms   %-28s %9.2f ms   ratio %.2f\n", what, ms, reference, refMs,
                refMs > 0 ? ms / refMs : 0.0);
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir root;
    const QString programFolder = root.filePath(QStringLiteral("program"));
    const QString data = root.filePath(QStringLiteral("data")) + QLatin1Char('/');
    QDir().mkpath(programFolder);
    QDir().mkpath(data);

    // --- A folder whose annotation file has 100,000 lines -----------------------------
    const int lineCount = 100000;
    QByteArray content;
    for (int i = 0; i < lineCount / 2; ++i) {
        content +=
            "file" + QByteArray::number(i) + ".txt_cmt=コメント " + QByteArray::number(i) + "\n";
        content += "file" + QByteArray::number(i) + ".txt_s=" + QByteArray::number(i % 15) + "\n";
    }
    const QString annotationFile = data + QStringLiteral("_m.ini");
    writeFile(annotationFile, content);

    const double readWrite = medianMs(5, [&]() {
        TextFile::ReadResult r = TextFile::read(annotationFile);
        TextFile::write(annotationFile, r.document);
    });
    const double readOnce = medianMs(5, [&]() { TextFile::read(annotationFile); });

    Settings settings{ProgramFolder(programFolder)};
    settings.setSwitch(Component::CentralManagement, false);
    settings.setSwitch(Component::PerFolderFiles, true);
    AnnotationStore store(ProgramFolder(programFolder), settings);
    store.reloadModeFromSettings();

    int n = 0;
    const double setOne = medianMs(5, [&]() {
        store.SetByPath(data + QStringLiteral("file777.txt"), QStringLiteral("_cmt"),
                        QStringLiteral("changed %1").arg(++n));
    });
    AnnotationStore cold(ProgramFolder(programFolder), settings);
    cold.reloadModeFromSettings();
    const double getCold = medianMs(1, [&]() {
        cold.GetByPath(data + QStringLiteral("file4242.txt"), QStringLiteral("_cmt"));
    });
    const double getWarm = medianMs(5, [&]() {
        cold.GetByPath(data + QStringLiteral("file4243.txt"), QStringLiteral("_cmt"));
    });
    store.loadForListBuild(data);
    const double opComment = medianMs(5, [&]() {
        AnnotationOpInput in;
        in.text = QStringLiteral("op %1").arg(++n);
        store.AnnotationOp(data, QStringLiteral("file99.txt"), QPoint(), -1, -1, OpSetComment, in);
    });

    std::printf("Annotation file of %d lines (%lld bytes)\n", lineCount, qint64(content.size()));
    report("SetByPath, one comment", setOne, "read + write the file", readWrite);
    report("GetByPath, one value (first call)", getCold, "read the file", readOnce);
    report("GetByPath, one value (file unchanged)", getWarm, "read the file", readOnce);
    report("AnnotationOp 13 on the current list", opComment, "read + write the file", readWrite);

    // --- Maintenance over an index of 20,000 folders -----------------------------------
    const int folders = 20000;
    const QString tree = root.filePath(QStringLiteral("tree")) + QLatin1Char('/');
    QDir().mkpath(programFolder + QStringLiteral("/ini"));
    QByteArray index;
    for (int i = 1; i <= folders; ++i) {
        const QString folder = tree + QString::number(i) + QLatin1Char('/');
        if (i % 10 != 0) // every tenth folder has vanished
            QDir().mkpath(folder);
        index += folder.toUtf8() + "=" + QByteArray::number(i) + "\n";
        writeFile(programFolder + QStringLiteral("/ini/%1.ini").arg(i), "a_cmt=x\n");
    }
    const QString indexPath = programFolder + QStringLiteral("/ini/index.ini");
    writeFile(indexPath, index);
    const double indexReadWrite = medianMs(3, [&]() {
        TextFile::ReadResult r = TextFile::read(indexPath);
        TextFile::write(indexPath, r.document);
    });

    // Reference: renaming the same number of files twice, with nothing else.
    const QString scratch = root.filePath(QStringLiteral("scratch")) + QLatin1Char('/');
    QDir().mkpath(scratch);
    for (int i = 0; i < folders; ++i)
        writeFile(scratch + QString::number(i), "x");
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < folders; ++i)
        QFile::rename(scratch + QString::number(i),
                      scratch + QLatin1Char('_') + QString::number(i));
    for (int i = 0; i < folders; ++i)
        QFile::rename(scratch + QLatin1Char('_') + QString::number(i),
                      scratch + QString::number(i));
    const double rawRenames = double(t.nsecsElapsed()) / 1e6;

    t.restart();
    const IndexMaintenance::Result m = store.runMaintenance([](const QString &) {});
    const double maintenance = double(t.nsecsElapsed()) / 1e6;
    std::printf("\nIndex of %d folders (%d vanished): %s\n", folders, m.dropped,
                m.ok ? "maintained" : qPrintable(m.error));
    report("Maintenance (op 15)", maintenance, "read + write the index", indexReadWrite);
    report("Maintenance (op 15)", maintenance, "2 x 20,000 plain renames", rawRenames);
    return m.ok ? 0 : 1;
}
