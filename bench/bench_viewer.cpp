// Times the viewer page's heavy paths: decoding a 24-megapixel JPEG at full size and
// scaled for an 800-pixel box (beside Qt's own JPEG reader on the same file), and
// selecting a folder with a 10,000-entry subtree (the folder summary alone and the whole
// page fill with its text) beside `find` on the same tree.
#include "core/viewer/foldersummary.h"
#include "core/viewer/jpegdecoder.h"
#include "core/viewer/viewerpage.h"

#include "benchtiming.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImageReader>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>
#include <vector>

#include <jpeglib.h>

using namespace kazari;

namespace
{

using kazari::bench::bestMs;

// A 6000 x 4000 picture of smooth gradients with a fine pattern, written with libjpeg's
// compression interface at quality 90 (about what a camera writes).
bool writeLargeJpeg(const QString &path, int width, int height)
{
    FILE *file = std::fopen(QFile::encodeName(path).constData(), "wb");
    if (!file)
        return false;
    jpeg_compress_struct cinfo;
    jpeg_error_mgr err;
    cinfo.err = jpeg_std_error(&err);
    jpeg_CreateCompress(&cinfo, JPEG_LIB_VERSION, sizeof cinfo);
    jpeg_stdio_dest(&cinfo, file);
    cinfo.image_width = JDIMENSION(width);
    cinfo.image_height = JDIMENSION(height);
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 90, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<JSAMPLE> row(size_t(width) * 3);
    while (cinfo.next_scanline < cinfo.image_height) {
        const int y = int(cinfo.next_scanline);
        for (int x = 0; x < width; ++x) {
            row[size_t(x) * 3] = JSAMPLE((x * 255) / width);
            row[size_t(x) * 3 + 1] = JSAMPLE((y * 255) / height);
            row[size_t(x) * 3 + 2] = JSAMPLE(((x ^ y) & 15) * 8 + 64);
        }
        JSAMPROW p = row.data();
        jpeg_write_scanlines(&cinfo, &p, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return std::fclose(file) == 0;
}

// 100 folders of 99 files each: 10,000 entries below the top.
bool makeTree(const QString &top)
{
    for (int d = 0; d < 100; ++d) {
        const QString folder = top + QStringLiteral("/folder%1").arg(d, 3, 10, QLatin1Char('0'));
        if (!QDir().mkpath(folder))
            return false;
        for (int f = 0; f < 99; ++f) {
            QFile file(folder + QStringLiteral("/file%1.txt").arg(f));
            if (!file.open(QIODevice::WriteOnly))
                return false;
            file.write(QByteArray(f, 'x'));
        }
    }
    return true;
}

void runFind(const QStringList &arguments)
{
    QProcess find;
    find.setStandardOutputFile(QProcess::nullDevice());
    find.start(QStringLiteral("find"), arguments);
    find.waitForFinished(-1);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    if (!dir.isValid())
        return 1;

    const QString jpeg = dir.filePath(QStringLiteral("large.jpg"));
    if (!writeLargeJpeg(jpeg, 6000, 4000))
        return 1;
    std::printf("JPEG 6000 x 4000, %lld bytes\n", QFile(jpeg).size());

    QSize fullSize, scaledSize;
    const double fullMs = bestMs(3, [&] { fullSize = JpegDecoder::decodeFile(jpeg).image.size(); });
    const double scaledMs = bestMs(
        3, [&] { scaledSize = JpegDecoder::decodeFile(jpeg, QSize(800, 800)).image.size(); });
    const double qtFullMs = bestMs(3, [&] {
        QImageReader reader(jpeg);
        reader.setAllocationLimit(1024);
        reader.read();
    });
    const double qtScaledMs = bestMs(3, [&] {
        QImageReader reader(jpeg);
        reader.setScaledSize(QSize(800, 533));
        reader.read();
    });
    std::printf("decode full size   %8.1f ms (%dx%d)  Qt reader %8.1f ms  ratio %.2f\n", fullMs,
                fullSize.width(), fullSize.height(), qtFullMs, fullMs / qtFullMs);
    std::printf("decode for 800 px  %8.1f ms (%dx%d)  Qt reader %8.1f ms  ratio %.2f\n", scaledMs,
                scaledSize.width(), scaledSize.height(), qtScaledMs, scaledMs / qtScaledMs);
    std::printf("scaled / full      %8.2f\n", scaledMs / fullMs);

    const QString top = dir.filePath(QStringLiteral("tree"));
    if (!makeTree(top))
        return 1;
    FolderSummary::Result summary;
    const double walkMs = bestMs(5, [&] { summary = FolderSummary::walk(top, {}); });
    const double textMs =
        bestMs(5, [&] { FolderSummary::text(summary, QStringLiteral("tree"), QString()); });
    ViewerPage::Request folderRequest;
    folderRequest.path = top;
    folderRequest.caption = QStringLiteral("tree");
    const double selectMs = bestMs(5, [&] { ViewerPage::fill(folderRequest); });
    const double findMs = bestMs(5, [&] { runFind({top}); });
    const double findSizeMs = bestMs(5, [&] {
        runFind({top, QStringLiteral("-printf"), QStringLiteral("%s %p\\n")});
    });
    const double startMs = bestMs(5, [&] { runFind({QStringLiteral("/nonexistent-kazari")}); });
    std::printf("folder summary, %lld folders + %lld files, %llu bytes\n", summary.folderCount,
                summary.fileCount, summary.totalBytes);
    std::printf("walk               %8.2f ms\n", walkMs);
    std::printf("summary text       %8.2f ms\n", textMs);
    std::printf("select folder      %8.2f ms  (viewer page fill: walk and text)\n", selectMs);
    std::printf("find               %8.2f ms  (process start alone %.2f ms)\n", findMs, startMs);
    std::printf("find -printf %%s   %8.2f ms\n", findSizeMs);
    std::printf("walk / find          %.2f  (without process start %.2f)\n", walkMs / findMs,
                walkMs / std::max(0.01, findMs - startMs));
    std::printf("walk / find sizes    %.2f  (without process start %.2f)\n", walkMs / findSizeMs,
                walkMs / std::max(0.01, findSizeMs - startMs));
    std::printf("select / find        %.2f  (without process start %.2f)\n", selectMs / findMs,
                selectMs / std::max(0.01, findMs - startMs));
    return 0;
}
