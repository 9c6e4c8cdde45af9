// Times labelling 10,000 selected items of a folder whose annotation file has 100,000
// lines, as the label command does it (one load, one change per item, one sort and one
// save), beside one plain read plus one write of the same file. Half of the labelled
// items have a label already (the line is replaced), half get a new line. Each figure is
// the best of several runs, since the machine may be busy with other work.
#include "core/annotations/annotationstore.h"
#include "core/app/componentnames.h"
#include "core/app/settings.h"
#include "core/decoration/decorationbatch.h"
#include "core/platform/textfile.h"

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

constexpr int Items = 20000; // five lines each: 100,000 lines
constexpr int Selected = 10000;
constexpr int Runs = 5;

QByteArray itemName(int i)
{
    return "file" + QByteArray::number(i).rightJustified(5, '0') + ".txt";
}

// Sorted as the program writes annotation files.
QByteArray annotationFile()
{
    QByteArray out;
    out.reserve(Items * 5 * 32);
    for (int i = 0; i < Items; ++i) {
        const QByteArray name = itemName(i);
        out += name + "_cmt=comment number " + QByteArray::number(i) + "\r\n";
        out += name + "_CVColor=clRed\r\n";
        if (i % 2 == 0)
            out += name + "_label=" + QByteArray::number(i % 4) + "\r\n";
        out += name + "_oneColor=" + QByteArray::number(1 + i % 7) + "\r\n";
        out += name + "_s=" + QByteArray::number(i % 15) + "\r\n";
        if (i % 2 != 0)
            out += name + "_TE=2025/01/01,12:00:00\r\n";
    }
    return out;
}

bool writeBytes(const QString &file, const QByteArray &content)
{
    QFile f(file);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(content) == content.size();
}

double millis(const QElapsedTimer &t)
{
    return double(t.nsecsElapsed()) / 1e6;
}

// The best of several runs; `prepare` runs untimed before each.
double best(const std::function<void()> &prepare, const std::function<double()> &run)
{
    double out = 1e300;
    for (int i = 0; i < Runs; ++i) {
        prepare();
        out = std::min(out, run());
    }
    return out;
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
    const auto restore = [&] {
        if (!writeBytes(file, content))
            std::printf("cannot write %s\n", qPrintable(file));
    };
    restore();
    const qsizetype lines = content.count('\n');

    // Reference: one read and one write of the file.
    const double reference = best(restore, [&] {
        QElapsedTimer t;
        t.start();
        TextFile::ReadResult read = TextFile::read(file);
        QString error;
        if (!read.found || !TextFile::write(file, read.document, &error))
            std::printf("reference failed: %s\n", qPrintable(error));
        return millis(t);
    });

    QList<DecorationTarget> targets;
    for (int i = 0; i < Selected; ++i)
        targets.append(DecorationTarget{folder, QString::fromLatin1(itemName(i))});

    auto batch = [&](bool shown) {
        Settings settings(ProgramFolder(program.path()));
        settings.setSwitch(Component::PerFolderFiles, true);
        AnnotationStore store(ProgramFolder(program.path()), settings);
        store.reloadModeFromSettings();
        if (shown)
            store.loadForListBuild(folder);
        QElapsedTimer timer;
        timer.start();
        const DecorationBatch::Result r =
            DecorationBatch::apply(store, targets, DecorationBatch::setLabelOrSeal(3, -1), true);
        const double ms = millis(timer);
        if (!r.ok || r.written != 1)
            std::printf("batch failed: %s\n", qPrintable(r.error));
        return ms;
    };
    const double other = best(restore, [&] { return batch(false); });
    const double shown = best(restore, [&] { return batch(true); });

    std::printf("lines in file                  %d\n", int(lines));
    std::printf("read + write reference         %9.1f ms\n", reference);
    std::printf("label %d items               %9.1f ms  ratio %.2f\n", Selected, other,
                other / reference);
    std::printf("label %d items, folder shown %9.1f ms  ratio %.2f\n", Selected, shown,
                shown / reference);
    return 0;
}
