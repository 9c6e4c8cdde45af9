#pragma once

#include "core/platform/programfolder.h"
#include "core/rpg/rpgframe.h"

#include <QFont>
#include <QImage>
#include <QStringList>

#include <array>
#include <vector>

class QPainter;

namespace kazari
{

/// The maze game's pictures, loaded once from `rpg_image/bmp/` and cut in advance, so a
/// frame only copies prepared pictures: 74 tiles, 95 character sheets cut into 12
/// sprites each (white made transparent), 561 monsters, two windows and four arrows.
class RpgPictures
{
public:
    /// The 736 picture files in loading order, relative to the program folder.
    static QStringList fileNames();

    /// Loads every picture. False when one is missing or unreadable (or a character
    /// sheet is too small to cut); `failedPath` then names that file, and nothing is
    /// kept.
    bool load(const ProgramFolder &folder, QString *failedPath = nullptr);
    bool isLoaded() const { return m_loaded; }

    RpgPictureSizes sizes() const;

    /// Draws a frame over black: tiles and monsters opaque, sprites with white
    /// transparent, windows and arrows blended at 120/255, texts in `font` with their
    /// top-left corner at the item's position. A text that would run off the picture is
    /// kept inside it: moved right to the left edge and drawn narrower to fit.
    void paint(QPainter &painter, const RpgFrame &frame, const QFont &font) const;

    /// Sprite `index` (frame * 4 + direction) of character sheet `character`.
    const QImage &sprite(int character, int index) const;

private:
    bool m_loaded = false;
    std::vector<QImage> m_tiles;
    std::vector<std::array<QImage, 12>> m_sprites;
    std::vector<QImage> m_monsters;
    QImage m_window90;
    QImage m_window300;
    std::array<QImage, 4> m_arrows;
    QImage m_none;
};

} // namespace kazari
