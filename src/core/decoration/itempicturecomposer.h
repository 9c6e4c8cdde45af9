#pragma once

#include "core/decoration/decorationflags.h"
#include "core/decoration/iconmask.h"
#include "core/decoration/itemdecorationvalues.h"
#include "core/decoration/picturerouting.h"

#include <QColor>
#include <QImage>
#include <QString>

#include <optional>

namespace kazari
{

/// What the item list hands over to have one item's picture made. All pictures are
/// plain in-memory images; the list finds them (icon provider, thumbnail loader, the
/// stamp program's icon) and passes them in.
struct ItemPictureRequest {
    /// The large list (icon view, 32 pixels or the slider's size) or the 16-pixel list.
    bool largeList = true;
    /// The item list's background colour; transparent parts of the icon show it.
    QColor background = Qt::white;
    /// The item's icon, alpha honoured; ideally already of the list's size (it is
    /// scaled to it otherwise). A null icon draws nothing.
    QImage icon;
    /// The picture content when thumbnails are on, decoded at about the list's size
    /// (".bmp" and ".jpg" pictures are drawn unscaled from the top-left corner). Null
    /// (none, or not ready yet) or empty: the icon is shown centred instead.
    QImage thumbnail;
    /// The item's extension ("jpg" or ".jpg"), which decides how a thumbnail is placed.
    QString extension;
    /// The placeholder shown under "シンプルアイコン" when decorations are off; null
    /// takes the built-in "nilread" picture.
    QImage placeholder;
    /// The icon of the program found in a folder item for the stamp overlay; null when
    /// the item is not a folder or holds no such program.
    QImage stampIcon;
};

/// One item's finished picture and the list images that go with it.
struct ItemPicture {
    /// The picture for the item's slot: ARGB32 premultiplied, transparent where the
    /// stored mask leaves the list showing through. Null when the placeholder stays.
    QImage image;
    /// Nothing was built: the item keeps its placeholder.
    bool keepsPlaceholder = false;
    /// The label overlay image (0 to 3) to show over the picture.
    std::optional<int> overlay;
    /// The seal state image (0 to 14) to show beside the picture.
    std::optional<int> stateImage;
    /// The working picture (Format_RGB32) as the filters left it, and the mask they
    /// respected; kept for tools and tests.
    QImage working;
    IconMask filterMask;
};

/// Makes an item's picture from its base picture, its annotations and the decoration
/// switches: base picture, then the filters and marks of the chosen route, then the
/// stored mask. Pure: the same input always gives the same picture.
class ItemPictureComposer
{
public:
    explicit ItemPictureComposer(const DecorationFlags &flags)
        : m_flags(flags)
    {
    }

    const DecorationFlags &flags() const { return m_flags; }

    /// `MaterialiseItem`'s picture: the route chosen by `PictureRouting::plan`.
    ItemPicture compose(const ItemPictureRequest &request, const ItemDecorationValues &item) const;

    /// `ApplyColourCode`: the picture of an item painted with a single-colour value
    /// (used by the mask commands before the annotation has been re-read).
    ItemPicture composeColourCode(const ItemPictureRequest &request,
                                  const ItemDecorationValues &item, qint32 value) const;

    /// The picture along a given route.
    ItemPicture compose(const ItemPictureRequest &request, const ItemDecorationValues &item,
                        const PicturePlan &plan) const;

    /// The label overlay and seal state image an item shows, if any.
    std::optional<int> overlayFor(const ItemDecorationValues &item) const;
    std::optional<int> stateImageFor(const ItemDecorationValues &item) const;

    /// A folder's own 16 x 16 icon for the panel header: drawn on the background,
    /// tinted by its `_oneColor` (fixed colours or a colour number), transparent
    /// outside the icon.
    static QImage headerIcon(const QImage &icon, const QColor &background,
                             std::optional<qint32> oneColour);

    /// The comment mark: the 8 x 8 picture (size below 16) or the 16 x 16 one.
    static QImage commentMark(int size);

    /// Where a thumbnail goes: drawn as it is, stretched, or fitted keeping its aspect.
    enum class ThumbnailPlacement { AsIs, Stretch, Fit };
    static ThumbnailPlacement thumbnailPlacement(const QString &extension);

    /// The size a picture of `source` takes when fitted into a square of `side`
    /// keeping its aspect, anchored top-left (halves to even, at least 1).
    static QSize fittedSize(QSize source, int side);

private:
    struct Base;
    Base buildBase(const ItemPictureRequest &request, const PicturePlan &plan) const;
    void drawMarks(QImage &working, const ItemPictureRequest &request,
                   const ItemDecorationValues &item) const;
    bool storesWithoutMask(bool largeList) const;

    DecorationFlags m_flags;
};

} // namespace kazari
