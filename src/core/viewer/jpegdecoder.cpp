#include "core/viewer/jpegdecoder.h"

#include <QFile>

#include <csetjmp>
#include <cstdio>
#include <cstring>

#include <jpeglib.h>

#include <jerror.h>

namespace kazari
{

namespace
{

// The libjpeg side works on plain data only: its errors leave through longjmp, which must
// not skip the destructor of any C++ object. The picture is owned by the caller's frame
// and created through the `allocate` callback, which returns before any jump can happen.
struct DecodeJob {
    FILE *file = nullptr;
    const unsigned char *bytes = nullptr;
    unsigned long byteCount = 0;
    int scaleEighths = 8;
    long long maxPixels = 0;
    // Returns the first byte of the picture's rows and their stride, or null when the
    // picture could not be allocated.
    unsigned char *(*allocate)(void *context, int width, int height, long long *stride) = nullptr;
    void *context = nullptr;

    int sourceWidth = 0;
    int sourceHeight = 0;
    bool headerOnly = false;
    bool tooLarge = false;
    bool outOfMemory = false;
    char message[JMSG_LENGTH_MAX] = {};
};

struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    DecodeJob *job;
};

[[noreturn]] void failWithLibraryMessage(j_common_ptr cinfo)
{
    auto *manager = reinterpret_cast<ErrorManager *>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, manager->job->message);
    std::longjmp(manager->jump, 1);
}

[[noreturn]] void failWithText(j_common_ptr cinfo, const char *text)
{
    auto *manager = reinterpret_cast<ErrorManager *>(cinfo->err);
    std::snprintf(manager->job->message, sizeof manager->job->message, "%s", text);
    std::longjmp(manager->jump, 1);
}

void onError(j_common_ptr cinfo)
{
    failWithLibraryMessage(cinfo);
}

// Warnings about damaged coded data or an early end of file would otherwise give a
// picture padded with grey; they end the decoding instead. Harmless ones (extra bytes
// between markers, unknown revisions) are ignored, as is every trace message.
void onMessage(j_common_ptr cinfo, int level)
{
    if (level >= 0)
        return;
    switch (cinfo->err->msg_code) {
    case JWRN_JPEG_EOF:
    case JWRN_HIT_MARKER:
    case JWRN_MUST_RESYNC:
    case JWRN_HUFF_BAD_CODE:
    case JWRN_ARITH_BAD_CODE:
        failWithLibraryMessage(cinfo);
    default:
        break;
    }
}

void onOutput(j_common_ptr) {}

void onProgress(j_common_ptr cinfo)
{
    if (!cinfo->is_decompressor)
        return;
    auto *dinfo = reinterpret_cast<j_decompress_ptr>(cinfo);
    if (dinfo->input_scan_number > JpegDecoder::MaxScans)
        failWithText(cinfo, "too many scans");
}

inline unsigned char mulDiv255(unsigned a, unsigned b)
{
    const unsigned t = a * b + 128;
    return static_cast<unsigned char>((t + (t >> 8)) >> 8);
}

// Reads the header and the rows; every failure leaves through the error manager.
void decodeBody(jpeg_decompress_struct &cinfo, DecodeJob *job)
{
    if (job->file)
        jpeg_stdio_src(&cinfo, job->file);
    else
        jpeg_mem_src(&cinfo, job->bytes, job->byteCount);

    jpeg_read_header(&cinfo, TRUE);
    job->sourceWidth = static_cast<int>(cinfo.image_width);
    job->sourceHeight = static_cast<int>(cinfo.image_height);
    if (job->headerOnly)
        return;
    const long long pixels =
        static_cast<long long>(cinfo.image_width) * static_cast<long long>(cinfo.image_height);
    if (pixels <= 0)
        failWithText(reinterpret_cast<j_common_ptr>(&cinfo), "empty picture");
    if (pixels > job->maxPixels) {
        job->tooLarge = true;
        failWithText(reinterpret_cast<j_common_ptr>(&cinfo), "picture too large");
    }

    bool cmyk = false;
    switch (cinfo.jpeg_color_space) {
    case JCS_GRAYSCALE:
        cinfo.out_color_space = JCS_GRAYSCALE;
        break;
    case JCS_CMYK:
    case JCS_YCCK:
        cinfo.out_color_space = JCS_CMYK;
        cmyk = true;
        break;
    default:
        cinfo.out_color_space = JCS_RGB;
        break;
    }
    cinfo.scale_num = static_cast<unsigned>(job->scaleEighths);
    cinfo.scale_denom = 8;
    // A picture decoded smaller is scaled further by the viewer: smoothing the colour
    // planes while upsampling them would cost time for no visible gain.
    if (job->scaleEighths < 8)
        cinfo.do_fancy_upsampling = FALSE;

    jpeg_start_decompress(&cinfo);
    const int width = static_cast<int>(cinfo.output_width);
    const int height = static_cast<int>(cinfo.output_height);
    const int components = cinfo.output_components;
    long long stride = 0;
    unsigned char *rows = job->allocate(job->context, width, height, &stride);
    if (!rows) {
        job->outOfMemory = true;
        failWithText(reinterpret_cast<j_common_ptr>(&cinfo), "out of memory");
    }

    JSAMPARRAY buffer = nullptr;
    if (cinfo.out_color_space != JCS_RGB)
        buffer = (*cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&cinfo), JPOOL_IMAGE,
                                            cinfo.output_width * JDIMENSION(components), 1);
    // Files with an Adobe marker store CMYK inverted (0 is full ink), as nearly all do.
    const bool inverted = cmyk && cinfo.saw_Adobe_marker;

    while (cinfo.output_scanline < cinfo.output_height) {
        unsigned char *target = rows + static_cast<long long>(cinfo.output_scanline) * stride;
        JSAMPROW row = buffer ? buffer[0] : target;
        if (jpeg_read_scanlines(&cinfo, &row, 1) != 1)
            failWithText(reinterpret_cast<j_common_ptr>(&cinfo), "no scan line");
        if (!buffer)
            continue;
        const unsigned char *in = row;
        unsigned char *out = target;
        if (!cmyk) {
            for (int x = 0; x < width; ++x, out += 3)
                out[0] = out[1] = out[2] = in[x];
            continue;
        }
        for (int x = 0; x < width; ++x, in += 4, out += 3) {
            unsigned c = in[0], m = in[1], y = in[2], k = in[3];
            if (!inverted) {
                c = 255 - c;
                m = 255 - m;
                y = 255 - y;
                k = 255 - k;
            }
            out[0] = mulDiv255(c, k);
            out[1] = mulDiv255(m, k);
            out[2] = mulDiv255(y, k);
        }
    }
    jpeg_finish_decompress(&cinfo);
}

// The plain part of the decoder: sets up the error manager and the one place a jump
// lands. Returns true when the body ran to its end.
bool runDecoder(DecodeJob *job)
{
    jpeg_decompress_struct cinfo;
    ErrorManager manager;
    jpeg_progress_mgr progress;
    std::memset(&cinfo, 0, sizeof cinfo);
    std::memset(&progress, 0, sizeof progress);

    cinfo.err = jpeg_std_error(&manager.pub);
    manager.pub.error_exit = onError;
    manager.pub.emit_message = onMessage;
    manager.pub.output_message = onOutput;
    manager.job = job;
    progress.progress_monitor = onProgress;

    if (setjmp(manager.jump)) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    jpeg_CreateDecompress(&cinfo, JPEG_LIB_VERSION, sizeof cinfo);
    cinfo.progress = &progress;
    decodeBody(cinfo, job);
    jpeg_destroy_decompress(&cinfo);
    return true;
}

unsigned char *allocatePicture(void *context, int width, int height, long long *stride)
{
    auto *image = static_cast<QImage *>(context);
    *image = QImage(width, height, QImage::Format_RGB888);
    if (image->isNull())
        return nullptr;
    *stride = image->bytesPerLine();
    return image->bits();
}

JpegDecoder::Result finish(const DecodeJob &job, bool ok, QImage &image)
{
    JpegDecoder::Result result;
    if (job.sourceWidth > 0 && job.sourceHeight > 0)
        result.sourceSize = QSize(job.sourceWidth, job.sourceHeight);
    if (ok) {
        result.image = std::move(image);
        return result;
    }
    if (job.tooLarge)
        result.error = QStringLiteral("画像が大きすぎます (%1 x %2)")
                           .arg(job.sourceWidth)
                           .arg(job.sourceHeight);
    else if (job.outOfMemory)
        result.error = QStringLiteral("画像のためのメモリが足りません");
    else
        result.error = QStringLiteral("JPEG 画像を読み込めません: %1")
                           .arg(QString::fromLocal8Bit(job.message));
    return result;
}

JpegDecoder::Result decode(DecodeJob &job, QSize box)
{
    QImage image;
    job.allocate = allocatePicture;
    job.context = &image;
    // The scale needs the picture's size, so a scaled decode reads the header twice; the
    // first pass reads nothing beyond the header.
    if (!box.isEmpty()) {
        DecodeJob probe = job;
        probe.headerOnly = true;
        if (job.file)
            std::rewind(job.file);
        runDecoder(&probe);
        if (job.file)
            std::rewind(job.file);
        if (probe.sourceWidth > 0 && probe.sourceHeight > 0)
            job.scaleEighths =
                JpegDecoder::scaleEighths(QSize(probe.sourceWidth, probe.sourceHeight), box);
    }
    const bool ok = runDecoder(&job);
    return finish(job, ok, image);
}

} // namespace

int JpegDecoder::scaleEighths(QSize source, QSize box)
{
    if (box.isEmpty() || source.isEmpty())
        return 8;
    const qint64 sw = source.width(), sh = source.height();
    const qint64 bw = box.width(), bh = box.height();
    // The fitted picture is source * min(bw/sw, bh/sh); m/8 covers it when it is at least
    // one of the two ratios.
    for (int m = 1; m < 8; ++m) {
        if (8 * bw <= m * sw || 8 * bh <= m * sh)
            return m;
    }
    return 8;
}

JpegDecoder::Result JpegDecoder::decodeFile(const QString &path, QSize box, qint64 maxPixels)
{
    const QByteArray native = QFile::encodeName(path);
    FILE *file = std::fopen(native.constData(), "rb");
    if (!file) {
        Result result;
        result.error = QStringLiteral("ファイルを開けません: %1").arg(path);
        return result;
    }
    DecodeJob job;
    job.file = file;
    job.maxPixels = maxPixels;
    Result result = decode(job, box);
    std::fclose(file);
    return result;
}

JpegDecoder::Result JpegDecoder::decodeBytes(const QByteArray &bytes, QSize box, qint64 maxPixels)
{
    DecodeJob job;
    job.bytes = reinterpret_cast<const unsigned char *>(bytes.constData());
    job.byteCount = static_cast<unsigned long>(bytes.size());
    job.maxPixels = maxPixels;
    return decode(job, box);
}

} // namespace kazari
