// Measures the item list on a generated folder of 100,000 entries whose annotation file
// has 100,000 lines: the list build beside a raw readdir plus stat of the same folder,
// the first screen of a window, and resident memory before and after scrolling through
// the whole list.
#include "core/annotations/annotationstore.h"
#include "core/app/componentnames.h"
#include "core/app/settings.h"
#include "core/decoration/captionpalette.h"
#include "core/itemlist/itemlist.h"
#include "core/platform/textfile.h"
#include "ui/itemlist/deferreddisplay.h"
#include "ui/itemlist/itemlistlook.h"
#include "ui/itemlist/itemlistview.h"
#include "ui/itemlist/listpictures.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QListView>
#include <QScrollBar>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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
    std::printf("%-44s %9.2f ms   %-24s %9.2f ms   ratio %.2f\n", what, ms, reference, refMs,
                refMs > 0 ? ms / refMs : 0.0);
}

// Resident memory of this process in MiB.
double residentMiB()
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : f.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return 0;
}

// The reference: every entry read and its status taken, nothing else.
int rawReaddirStat(const QByteArray &folder)
{
    DIR *dir = ::opendir(folder.constData());
    if (!dir)
        return 0;
    int n = 0;
    const int fd = ::dirfd(dir);
    while (const dirent *e = ::readdir(dir)) {
        struct stat st {
        };
        if (::fstatat(fd, e->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0)
            ++n;
    }
    ::closedir(dir);
    return n;
}

void processUntil(const std::function<bool()> &done, int limitMs)
{
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < limitMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int entries = argc > 1 ? std::max(1000, atoi(argv[1])) : 100000;
    QTemporaryDir root;
    const QString programFolder = root.filePath(QStringLiteral("program"));
    const QString data = root.filePath(QStringLiteral("data")) + QLatin1Char('/');
    QDir().mkpath(programFolder);
    QDir().mkpath(data);

    // --- The folder: 1 % folders, the rest files; one annotation line per entry --------
    std::printf("generating %d entries...\n", entries);
    QByteArray annotations;
    for (int i = 0; i < entries; ++i) {
        const bool folder = i % 100 == 0;
        const QString name = (folder ? QStringLiteral("Folder%1") : QStringLiteral("file%1.txt"))
                                 .arg(i, 6, 10, QLatin1Char('0'));
        const QString path = data + name;
        if (folder) {
            QDir().mkdir(path);
        } else {
            const int fd = ::open(QFile::encodeName(path).constData(), O_CREAT | O_WRONLY, 0644);
            if (fd >= 0)
                ::close(fd);
        }
        const QByteArray n = name.toUtf8();
        switch (i % 5) {
        case 0:
            annotations += n + "_cmt=コメント " + QByteArray::number(i) + "\n";
            break;
        case 1:
            annotations += n + "_oneColor=" + QByteArray::number(1 + i % 7) + "\n";
            break;
        case 2:
            annotations += n + "_p=" + QByteArray::number(i % 900) + "," +
                           QByteArray::number((i / 9) % 4000) + "\n";
            break;
        case 3:
            annotations += n + "_label=" + QByteArray::number(i % 4) + "\n";
            break;
        default:
            annotations += n + "_s=" + QByteArray::number(i % 15) + "\n";
            break;
        }
    }
    {
        QFile f(data + QStringLiteral("_m.ini"));
        if (!f.open(QIODevice::WriteOnly) || f.write(annotations) != annotations.size())
            std::fprintf(stderr, "cannot write _m.ini\n");
    }

    Settings settings{ProgramFolder(programFolder)};
    settings.setSwitch(Component::CentralManagement, false);
    settings.setSwitch(Component::PerFolderFiles, true);
    AnnotationStore store(ProgramFolder(programFolder), settings);
    store.reloadModeFromSettings();

    // --- Core build beside raw readdir + stat -----------------------------------------
    {
        const QByteArray native = QFile::encodeName(data);
        int counted = 0;
        const double raw = medianMs(5, [&]() { counted = rawReaddirStat(native); });
        ListBuildOptions options;
        options.positions = true;
        ItemList list(store);
        const double build = medianMs(5, [&]() { list.buildFolder(data, options); });
        ListBuildOptions filtered = options;
        filtered.annotationFilter = QStringLiteral("_cmt");
        ItemList filteredList(store);
        const double buildFiltered =
            medianMs(5, [&]() { filteredList.buildFolder(data, filtered); });
        std::printf("entries %d (readdir saw %d), records %d, with positions %d\n", entries,
                    counted, list.count(),
                    int(std::count_if(list.records().begin(), list.records().end(),
                                      [](const ItemRecord &r) { return r.Point.has_value(); })));
        report("core build (load, enumerate, sort, records, positions)", build, "readdir + stat",
               raw);
        report("core build with the filter \"_cmt\"", buildFiltered, "readdir + stat", raw);
        const double enumerate = medianMs(5, [&]() { FolderEnumerator::list(data); });
        report("  of which enumeration and sort", enumerate, "readdir + stat", raw);
    }

    // --- The window ------------------------------------------------------------------
    const double before = residentMiB();
    ItemListView view(store);
    view.resize(1280, 800);
    ItemListLook look;
    look.flags = DecorationFlags::fromSettings(settings);
    look.flags.largeIconView = true;
    look.palette = CaptionPalette::fromSettings(settings);
    ListPictures::load(look, settings, ProgramFolder(programFolder));
    view.show();
    QCoreApplication::processEvents();

    QElapsedTimer firstScreen;
    firstScreen.start();
    view.display().setAttached(false);
    view.list().buildFolder(data, ListBuildOptions());
    view.setLook(look);
    view.display().setAttached(true);
    const double builtAt = double(firstScreen.nsecsElapsed()) / 1e6;
    // The first screen is there when the rows the view shows are built and nothing waits.
    QListView *icons = view.iconView();
    auto firstScreenDone = [&]() {
        const QModelIndex top = icons->indexAt(QPoint(10, 10));
        if (!top.isValid())
            return false;
        return view.list().at(top.row()).F == DisplayState::Shown &&
               !view.display().isIdlePending() && !view.list().hasWanted();
    };
    processUntil(firstScreenDone, 20000);
    // Let the posted messages of that screen finish.
    QCoreApplication::processEvents();
    const double shownAt = double(firstScreen.nsecsElapsed()) / 1e6;
    const int builtFirst = view.list().showedCount();
    std::printf("window: list built and laid out after %.1f ms, first screen shown after %.1f ms "
                "(%d of %d records built)\n",
                builtAt, shownAt, builtFirst, view.list().count());
    const double afterBuild = residentMiB();

    // The view lays the rest of the list out in batches after the first screen.
    QScrollBar *bar = icons->verticalScrollBar();
    {
        int last = -1;
        QElapsedTimer stable;
        stable.start();
        while (stable.elapsed() < 300) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            if (bar->maximum() != last) {
                last = bar->maximum();
                stable.restart();
            }
        }
        std::printf("window: whole list laid out after %.1f ms (less 300 ms of waiting)\n",
                    double(firstScreen.nsecsElapsed()) / 1e6 - 300);
    }
    // Scroll through everything, a page at a time, letting each page be drawn.
    QElapsedTimer scrolling;
    scrolling.start();
    int pages = 0;
    int maxShowed = 0;
    for (int value = 0; value <= bar->maximum(); value += std::max(1, bar->pageStep())) {
        bar->setValue(value);
        icons->viewport()->repaint();
        processUntil([&]() { return !view.display().isIdlePending() && !view.list().hasWanted(); },
                     5000);
        QCoreApplication::processEvents();
        maxShowed = std::max(maxShowed, view.list().showedCount());
        ++pages;
    }
    const double afterScroll = residentMiB();
    std::printf("scrolled %d pages in %.1f ms; pictures kept %d (%.1f MiB of %.1f MiB allowed), "
                "records materialised at most %d at once\n",
                pages, double(scrolling.nsecsElapsed()) / 1e6, view.display().cache().size(),
                double(view.display().cache().bytes()) / 1048576.0,
                double(view.display().cache().maxBytes()) / 1048576.0, maxShowed);
    std::printf("resident memory: before the window %.1f MiB, after the build %.1f MiB, after the "
                "scroll %.1f MiB\n",
                before, afterBuild, afterScroll);

    // The same folder with saved positions ("位置設定"): every item laid out at once, then
    // the 20 % with `_p` moved to their places.
    {
        ItemListLook placed = look;
        placed.positions = true;
        ListBuildOptions withPositions;
        withPositions.positions = true;
        QElapsedTimer t;
        t.start();
        view.display().setAttached(false);
        view.list().buildFolder(data, withPositions);
        view.setLook(placed);
        view.display().setAttached(true);
        const double laidOut = double(t.nsecsElapsed()) / 1e6;
        icons->verticalScrollBar()->setValue(0);
        processUntil(firstScreenDone, 20000);
        QCoreApplication::processEvents();
        std::printf("window with positions: built and laid out after %.1f ms, first screen after "
                    "%.1f ms\n",
                    laidOut, double(t.nsecsElapsed()) / 1e6);
    }
    return 0;
}
