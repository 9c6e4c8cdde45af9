// Times labelling 10,000 selected items of a folder whose annotation file has 100,000
// lines, as the label command does it (one load, one change per item, one sort and one
// save), beside one plain read plus one write of the same file.
#include "core/annotations/annotationstore.h"
#include "core/app/settings.h"
#include "core/decoration/decorationbatch.h"
#include "core/platform/textfile.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

using namespace kazari;

namespace
{

constexpr int Items = 20000; // five lines each: 100,000 lines
constexpr int Selected = 10000;

QByteArray annotationFile()
{
    QByteArray out;
    out.reserve(Items * 5 * 32);
    for (int i = 0; i < Items; ++i) {
        const QByteArray name = "file" + QByteArray::number(i) + ".txt";
        out += name + "_cmt=comment number " + QByteArray::number(i) + "\r\n";
        out += name + "_CVColor=clRed\r\n";
        out += name + "_label=" + QByteArray::number(i % 4) + "\r\n";
        out += name + "_oneColor=" + QByteArray::number(1 + i % 7) + "\r\n";
        out += name + "_s=" + QByteArray::number(i % 15) + "\r\n";
    }
    return out;
}

double millis(const QElapsedTimer &t)
{
    return double(t.nsecsElapsed()) / 1e6;
}

} // namespace

int main()
{
    QTemporaryDir data;
    QTemporaryDir program;
    const QString folder = data.path() + QStringLiteral("/big/");
    QDir().mkpath(folder);
    const QString file = folder + QStringLiteral("_m.ini");
    const QByteArray content = annotationFile();
    {
        QFile f(file);
        if (!f.open(QIODevice::WriteOnly) || f.write(content) != content.size())
            return 1;
    }

    // Reference: one read and one write of the file.
    QElapsedTimer t;
    t.start();
    TextFile::ReadResult read = TextFile::read(file);
    QString error;
    if (!read.found || !TextFile::write(file, read.document, &error))
        return 1;
    const double reference = millis(t);

    // Every other item, so half the labels replace a line in place and the selection
    // spreads over the whole file.
    QList<DecorationTarget> targets;
    for (int i = 0; i < Selected; ++i)
        targets.append(DecorationTarget{folder, QStringLiteral("file%1.txt").arg(i * 2)});

    auto run = [&](bool shown) {
        Settings settings(ProgramFolder(program.path()));
        settings.setSwitch(QStringLiteral("min1"), true);
        AnnotationStore store(ProgramFolder(program.path()), settings);
        store.reloadModeFromSettings();
        if (shown)
            store.loadForListBuild(folder);
        QElapsedTimer timer;
        timer.start();
        const DecorationBatch::Result r = DecorationBatch::apply(
            store, targets, DecorationBatch::setLabelOrSeal(int(shown) + 1, -1), true);
        const double ms = millis(timer);
        if (!r.ok || r.written != 1)
            std::printf("batch failed: %s\n", qPrintable(r.error));
        return ms;
    };
    const double shown = run(true);
    const double other = run(false);

    std::printf("lines in file                  %d\n", int(read.document.lines.size()));
    std::printf("read + write reference         %9.1f ms\n", reference);
    std::printf("label %d items               %9.1f ms  ratio %.2f\n", Selected, other,
                other / reference);
    std::printf("label %d items, folder shown %9.1f ms  ratio %.2f\n", Selected, shown,
                shown / reference);
    return 0;
}
