#pragma once

// Writes small JPEG files for the tests with libjpeg's compression interface, so the
// fixtures are made by the tests themselves and need no image plugin.

#include <QByteArray>
#include <QImage>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>

namespace kazari::test
{

/// Encodes packed samples (`components` bytes per pixel: 1 grey, 3 RGB, 4 CMYK stored
/// inverted, as files with an Adobe marker keep them).
inline QByteArray encodeJpeg(const QByteArray &samples, int width, int height, int components,
                             bool progressive = false, int quality = 90,
                             const std::vector<jpeg_scan_info> &scans = {})
{
    jpeg_compress_struct cinfo;
    jpeg_error_mgr err;
    cinfo.err = jpeg_std_error(&err);
    jpeg_CreateCompress(&cinfo, JPEG_LIB_VERSION, sizeof cinfo);
    unsigned char *buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = JDIMENSION(width);
    cinfo.image_height = JDIMENSION(height);
    cinfo.input_components = components;
    cinfo.in_color_space = components == 1 ? JCS_GRAYSCALE : components == 4 ? JCS_CMYK : JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    if (progressive)
        jpeg_simple_progression(&cinfo);
    if (!scans.empty()) {
        cinfo.scan_info = scans.data();
        cinfo.num_scans = int(scans.size());
    }
    jpeg_start_compress(&cinfo, TRUE);
    const qsizetype stride = qsizetype(width) * components;
    while (cinfo.next_scanline < cinfo.image_height) {
        auto *row = reinterpret_cast<JSAMPLE *>(const_cast<char *>(samples.constData())) +
                    qsizetype(cinfo.next_scanline) * stride;
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    QByteArray out(reinterpret_cast<const char *>(buffer), qsizetype(size));
    std::free(buffer);
    return out;
}

/// Encodes a picture as an RGB JPEG.
inline QByteArray encodeJpeg(const QImage &picture, bool progressive = false, int quality = 90)
{
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB888);
    QByteArray samples;
    samples.reserve(qsizetype(rgb.width()) * rgb.height() * 3);
    for (int y = 0; y < rgb.height(); ++y)
        samples.append(reinterpret_cast<const char *>(rgb.constScanLine(y)), rgb.width() * 3);
    return encodeJpeg(samples, rgb.width(), rgb.height(), 3, progressive, quality);
}

/// A valid progressive RGB file of more than 1000 scans: every AC coefficient of every
/// component in its own scan, refined one bit at a time from bit 5.
inline QByteArray encodeJpegWithManyScans(int width, int height)
{
    std::vector<jpeg_scan_info> scans;
    scans.push_back({3, {0, 1, 2, 0}, 0, 0, 0, 0});
    for (int c = 0; c < 3; ++c) {
        for (int k = 1; k < 64; ++k) {
            scans.push_back({1, {c, 0, 0, 0}, k, k, 0, 5});
            for (int al = 4; al >= 0; --al)
                scans.push_back({1, {c, 0, 0, 0}, k, k, al + 1, al});
        }
    }
    return encodeJpeg(QByteArray(qsizetype(width) * height * 3, '\x80'), width, height, 3, false,
                      90, scans);
}

} // namespace kazari::test
