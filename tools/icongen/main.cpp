// Writes the program's own small pictures as bitmap files into the folder given as the
// only argument (the build's icon/ folder).

#include "core/decoration/builtinpictures.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>

#include <cstdio>

using kazari::BuiltinPictures;

namespace
{

bool save(const QString &dir, const QString &name, const QImage &img)
{
    // 24-bit bitmaps, as the program and users' own pictures use.
    const QImage out = img.convertToFormat(QImage::Format_RGB888);
    const QString path = dir + QLatin1Char('/') + name;
    if (!out.save(path, "BMP")) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: kazari-icongen OUTPUT_FOLDER\n");
        return 2;
    }
    const QString dir = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(dir)) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 1;
    }
    bool ok = true;
    for (int size : {16, 32}) {
        const QString n = QString::number(size);
        ok &= save(dir, QStringLiteral("reading") + n + QStringLiteral(".bmp"),
                   BuiltinPictures::reading(size));
        ok &= save(dir, QStringLiteral("nilread") + n + QStringLiteral(".bmp"),
                   BuiltinPictures::nilread(size));
        ok &= save(dir, QStringLiteral("return") + n + QStringLiteral(".bmp"),
                   BuiltinPictures::returnPicture(size));
        const char *suffixes[4] = {"", "m", "o", "w"};
        for (int v = 0; v < 4; ++v)
            ok &= save(
                dir, QStringLiteral("FD") + n + QLatin1String(suffixes[v]) + QStringLiteral(".bmp"),
                BuiltinPictures::folder(size, v));
    }
    ok &= save(dir, QStringLiteral("label16-002.bmp"), BuiltinPictures::labelStrip(16));
    ok &= save(dir, QStringLiteral("label32-014.bmp"), BuiltinPictures::labelStrip(32));
    return ok ? 0 : 1;
}
