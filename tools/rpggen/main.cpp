// Draws the maze game's pictures: 74 tiles, 95 character sheets, 561 monsters, the two
// windows and the four arrows, as 24-bit bitmap files below the folder given on the
// command line (normally rpg_image/bmp of the build folder).

#include "art.h"

#include <QDir>
#include <QImageWriter>

#include <cstdio>

namespace rpggen
{

bool saveBitmap(const QImage &image, const QString &path)
{
    QImageWriter writer(path, "bmp");
    return writer.write(image.convertToFormat(QImage::Format_RGB888));
}

} // namespace rpggen

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: kazari-rpggen OUTPUT_FOLDER\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    for (const char *sub : {"map", "char", "mon", "window", "alw"}) {
        if (!QDir().mkpath(out + QLatin1Char('/') + QLatin1String(sub))) {
            std::fprintf(stderr, "kazari-rpggen: cannot create %s/%s\n", argv[1], sub);
            return 1;
        }
    }
    int written = 0;
    bool ok = true;
    auto save = [&](const QImage &image, const QString &relative) {
        if (rpggen::saveBitmap(image, out + QLatin1Char('/') + relative)) {
            ++written;
        } else {
            std::fprintf(stderr, "kazari-rpggen: cannot write %s\n", qPrintable(relative));
            ok = false;
        }
    };

    for (int k = 0; k <= 73; ++k)
        save(rpggen::drawTile(k), QStringLiteral("map/rpg%1.bmp").arg(k));
    for (int k = 1; k <= 95; ++k)
        save(rpggen::drawCharacterSheet(k - 1), QStringLiteral("char/$Actor%1.bmp").arg(k));
    for (int k = 1; k <= 281; ++k)
        save(rpggen::drawMonster(k - 1), QStringLiteral("mon/mon_%1.bmp").arg(k));
    for (int k = 1; k <= 280; ++k)
        save(rpggen::drawMonster(280 + k), QStringLiteral("mon/mon_%1r.bmp").arg(k));
    save(rpggen::drawWindow(360, 90), QStringLiteral("window/window_black90.bmp"));
    save(rpggen::drawWindow(360, 360), QStringLiteral("window/window_black300.bmp"));
    for (int k = 0; k <= 3; ++k)
        save(rpggen::drawArrow(k), QStringLiteral("alw/alw%1.bmp").arg(k));

    std::printf("kazari-rpggen: %d pictures\n", written);
    return ok ? 0 : 1;
}
