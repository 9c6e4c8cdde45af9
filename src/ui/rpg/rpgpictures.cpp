#include "ui/rpg/rpgpictures.h"

#include "core/rpg/gamemap.h"
#include "core/rpg/rpggame.h"

#include <QFontMetrics>
#include <QImageReader>
#include <QPainter>

namespace kazari
{

namespace
{

const QString Base = QStringLiteral("rpg_image/bmp/");

QString tileName(int k)
{
    return Base + QStringLiteral("map/rpg%1.bmp").arg(k);
}

QString sheetName(int k)
{
    return Base + QStringLiteral("char/$Actor%1.bmp").arg(k);
}

QString monsterName(int picture)
{
    if (picture <= 280)
        return Base + QStringLiteral("mon/mon_%1.bmp").arg(picture + 1);
    return Base + QStringLiteral("mon/mon_%1r.bmp").arg(picture - 280);
}

QString arrowName(int k)
{
    return Base + QStringLiteral("alw/alw%1.bmp").arg(k);
}

QString window90Name()
{
    return Base + QStringLiteral("window/window_black90.bmp");
}

QString window300Name()
{
    return Base + QStringLiteral("window/window_black300.bmp");
}

// Reads one picture; a null image when the file is missing or not a picture.
QImage readPicture(const QString &path, QImage::Format format)
{
    QImageReader reader(path);
    QImage image = reader.read();
    if (image.isNull())
        return image;
    return image.convertToFormat(format);
}

// Cuts a 96 x 128 sheet into its twelve 32 x 32 cells, white made transparent.
std::array<QImage, 12> cutSheet(const QImage &sheet)
{
    QImage keyed = sheet.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < keyed.height(); ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(keyed.scanLine(y));
        for (int x = 0; x < keyed.width(); ++x) {
            if ((line[x] & 0x00ffffff) == 0x00ffffff)
                line[x] = 0;
        }
    }
    std::array<QImage, 12> cells;
    for (int column = 0; column < 3; ++column) {
        for (int row = 0; row < 4; ++row)
            cells[static_cast<size_t>(column * 4 + row)] =
                keyed.copy(32 * column, 32 * row, 32, 32)
                    .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    }
    return cells;
}

// A line of the status or message window. On a picture narrower than the windows (the
// pane may be 320 wide, the windows are 360) a line would run off the picture: it then
// starts at the picture's left edge and is drawn narrower, down to 60 %, so that all of
// it can be read.
void paintText(QPainter &painter, const RpgFrame::Item &item, const QFontMetrics &metrics,
               int ascent)
{
    constexpr int Margin = 2;
    const int pictureWidth = painter.device() ? painter.device()->width() : 0;
    const int x = qMax(0, item.pos.x());
    const int room = pictureWidth - Margin - x;
    const int width = metrics.horizontalAdvance(item.text);
    painter.setPen(QColor::fromRgb(item.color));
    if (pictureWidth <= 0 || width <= room || room <= 0) {
        painter.drawText(x, item.pos.y() + ascent, item.text);
        return;
    }
    painter.save();
    painter.translate(x, item.pos.y() + ascent);
    painter.scale(qMax(0.6, double(room) / width), 1.0);
    painter.drawText(0, 0, item.text);
    painter.restore();
}

} // namespace

QStringList RpgPictures::fileNames()
{
    QStringList names;
    for (int k = 0; k <= GameMap::LastTileCode; ++k)
        names << tileName(k);
    for (int k = 1; k <= RpgGame::CharacterCount; ++k)
        names << sheetName(k);
    for (int picture = 0; picture <= RpgGame::LastMonsterPicture; ++picture)
        names << monsterName(picture);
    names << window90Name() << window300Name();
    for (int k = 0; k < 4; ++k)
        names << arrowName(k);
    return names;
}

bool RpgPictures::load(const ProgramFolder &folder, QString *failedPath)
{
    *this = RpgPictures();
    auto fail = [&](const QString &relative) {
        if (failedPath)
            *failedPath = folder.dataFile(relative);
        *this = RpgPictures();
        return false;
    };
    auto read = [&](const QString &relative, QImage::Format format) {
        return readPicture(folder.dataFile(relative), format);
    };

    for (int k = 0; k <= GameMap::LastTileCode; ++k) {
        QImage tile = read(tileName(k), QImage::Format_RGB32);
        if (tile.isNull())
            return fail(tileName(k));
        m_tiles.push_back(std::move(tile));
    }
    for (int k = 1; k <= RpgGame::CharacterCount; ++k) {
        const QImage sheet = read(sheetName(k), QImage::Format_RGB32);
        if (sheet.isNull() || sheet.width() < 96 || sheet.height() < 128)
            return fail(sheetName(k));
        m_sprites.push_back(cutSheet(sheet));
    }
    for (int picture = 0; picture <= RpgGame::LastMonsterPicture; ++picture) {
        QImage monster = read(monsterName(picture), QImage::Format_RGB32);
        if (monster.isNull())
            return fail(monsterName(picture));
        m_monsters.push_back(std::move(monster));
    }
    m_window90 = read(window90Name(), QImage::Format_RGB32);
    if (m_window90.isNull())
        return fail(window90Name());
    m_window300 = read(window300Name(), QImage::Format_RGB32);
    if (m_window300.isNull())
        return fail(window300Name());
    for (int k = 0; k < 4; ++k) {
        m_arrows[static_cast<size_t>(k)] = read(arrowName(k), QImage::Format_RGB32);
        if (m_arrows[static_cast<size_t>(k)].isNull())
            return fail(arrowName(k));
    }
    m_loaded = true;
    return true;
}

RpgPictureSizes RpgPictures::sizes() const
{
    RpgPictureSizes s;
    if (!m_loaded)
        return s;
    s.window90 = m_window90.size();
    s.window300 = m_window300.size();
    for (size_t k = 0; k < 4; ++k)
        s.arrows[k] = m_arrows[k].size();
    s.monster = [this](int n) {
        if (n < 0 || static_cast<size_t>(n) >= m_monsters.size())
            return QSize();
        return m_monsters[static_cast<size_t>(n)].size();
    };
    return s;
}

const QImage &RpgPictures::sprite(int character, int index) const
{
    if (character < 0 || static_cast<size_t>(character) >= m_sprites.size() || index < 0 ||
        index >= 12)
        return m_none;
    return m_sprites[static_cast<size_t>(character)][static_cast<size_t>(index)];
}

void RpgPictures::paint(QPainter &painter, const RpgFrame &frame, const QFont &font) const
{
    constexpr double Blend = 120.0 / 255.0;
    painter.setFont(font);
    const QFontMetrics metrics(font);
    const int ascent = metrics.ascent();
    for (const RpgFrame::Item &item : frame.items) {
        const size_t n = static_cast<size_t>(item.number);
        switch (item.kind) {
        case RpgFrame::Item::Tile:
            if (item.number >= 0 && n < m_tiles.size())
                painter.drawImage(item.pos, m_tiles[n]);
            break;
        case RpgFrame::Item::Sprite: {
            const QImage &cell = sprite(item.number, item.sprite);
            if (!cell.isNull())
                painter.drawImage(item.pos, cell);
            break;
        }
        case RpgFrame::Item::Monster:
            if (item.number >= 0 && n < m_monsters.size())
                painter.drawImage(item.pos, m_monsters[n]);
            break;
        case RpgFrame::Item::Window90:
        case RpgFrame::Item::Window300:
        case RpgFrame::Item::Arrow: {
            const QImage *image = &m_window90;
            if (item.kind == RpgFrame::Item::Window300)
                image = &m_window300;
            else if (item.kind == RpgFrame::Item::Arrow)
                image = n < 4 ? &m_arrows[n] : nullptr;
            if (image && !image->isNull()) {
                painter.setOpacity(Blend);
                painter.drawImage(item.pos, *image);
                painter.setOpacity(1.0);
            }
            break;
        }
        case RpgFrame::Item::Text:
            paintText(painter, item, metrics, ascent);
            break;
        }
    }
}

} // namespace kazari
