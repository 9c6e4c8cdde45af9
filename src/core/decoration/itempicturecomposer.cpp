#include "core/decoration/itempicturecomposer.h"

#include "core/decoration/builtinpictures.h"
#include "core/decoration/onecolourcode.h"
#include "core/decoration/pixelfilters.h"

#include <QPainter>
#include <QPainterPath>

namespace kazari
{

struct ItemPictureComposer::Base {
    QImage working;
    IconMask filterMask;
    IconMask storeMask; // the icon's own outline, the mask key colour transparent
    bool fromThumbnail = false;
};

namespace
{

const QColor Black(0, 0, 0);

// The picture scaled to a square of `side` when it is of another size (keeping its
// aspect); a null or empty picture stays null.
QImage fitted(const QImage &picture, int side)
{
    if (picture.isNull() || picture.width() <= 0 || picture.height() <= 0)
        return QImage();
    if (picture.width() == side && picture.height() == side)
        return picture;
    return picture.scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

QImage transparentSquare(int side)
{
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

QImage drawComment(int side)
{
    QImage image = transparentSquare(side);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, side > 8);
    const qreal s = side;
    // A small speech balloon: yellow body with a tail at the lower left.
    QPainterPath balloon;
    balloon.addRoundedRect(QRectF(0.5, 0.5, s - 1, s * 0.7), s * 0.15, s * 0.15);
    QPainterPath tail;
    tail.moveTo(s * 0.2, s * 0.6);
    tail.lineTo(s * 0.15, s - 0.5);
    tail.lineTo(s * 0.5, s * 0.6);
    tail.closeSubpath();
    p.setPen(QPen(QColor(150, 110, 0), side > 8 ? 1.0 : 0.8));
    p.setBrush(QColor(255, 228, 90));
    p.drawPath(balloon.united(tail));
    if (side > 8) {
        p.setPen(QPen(QColor(120, 90, 0), 1.0));
        for (int i = 0; i < 2; ++i) {
            const qreal y = s * (0.25 + 0.2 * i);
            p.drawLine(QPointF(s * 0.25, y), QPointF(s * 0.75, y));
        }
    }
    return image;
}

} // namespace

QImage ItemPictureComposer::commentMark(int size)
{
    static const QImage small = drawComment(8);
    static const QImage large = drawComment(16);
    return size < 16 ? small : large;
}

ItemPictureComposer::ThumbnailPlacement
ItemPictureComposer::thumbnailPlacement(const QString &extension)
{
    QString ext = extension.toLower();
    if (ext.startsWith(QLatin1Char('.')))
        ext.remove(0, 1);
    static const QStringList asIs{QStringLiteral("bmp"), QStringLiteral("jpg"),
                                  QStringLiteral("jpeg")};
    static const QStringList stretched{QStringLiteral("gif"), QStringLiteral("png"),
                                       QStringLiteral("eps"), QStringLiteral("pct"),
                                       QStringLiteral("psd")};
    if (asIs.contains(ext))
        return ThumbnailPlacement::AsIs;
    if (stretched.contains(ext))
        return ThumbnailPlacement::Stretch;
    return ThumbnailPlacement::Fit;
}

QSize ItemPictureComposer::fittedSize(QSize source, int side)
{
    if (source.width() <= 0 || source.height() <= 0 || side <= 0)
        return QSize(std::max(side, 0), std::max(side, 0));
    if (source.width() > source.height()) {
        const qint64 h =
            PixelFilters::roundedDivision(qint64(source.height()) * side, source.width());
        return QSize(side, int(std::max<qint64>(1, h)));
    }
    const qint64 w = PixelFilters::roundedDivision(qint64(source.width()) * side, source.height());
    return QSize(int(std::max<qint64>(1, w)), side);
}

ItemPictureComposer::Base ItemPictureComposer::buildBase(const ItemPictureRequest &request,
                                                         const PicturePlan &plan) const
{
    const int side = m_flags.pictureSize(request.largeList);
    const QSize size(side, side);
    const QColor key = DecorationFlags::maskKeyColour();

    Base base;
    base.working = QImage(size, PixelFilters::WorkingFormat);
    base.working.fill(request.background);

    // Simple icons show the placeholder; only a picture that is decorated takes the
    // real icon, so its mask and its pixels always come from the same picture.
    QImage shown;
    if (m_flags.simpleIcons && plan.route == PictureRoute::BaseOnly) {
        const QImage placeholder = request.placeholder.isNull()
                                       ? BuiltinPictures::nilread(request.largeList ? 32 : 16)
                                       : request.placeholder;
        shown = placeholder.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    } else {
        shown = fitted(request.icon, side);
    }
    base.storeMask = IconMask::fromPicture(shown, size, QPoint(0, 0), key);

    const bool thumbnails = request.largeList && m_flags.thumbnails && !m_flags.namespaceMode;
    if (thumbnails) {
        base.fromThumbnail = true;
        QImage t = request.thumbnail;
        if (t.isNull() || t.width() <= 0 || t.height() <= 0) {
            // No picture content (yet): the icon centred in a square of the list's size.
            t = transparentSquare(side);
            if (!request.icon.isNull()) {
                QPainter p(&t);
                p.drawImage(QPoint(side / 2 - request.icon.width() / 2,
                                   side / 2 - request.icon.height() / 2),
                            request.icon);
            }
        }
        QPainter painter(&base.working);
        switch (thumbnailPlacement(request.extension)) {
        case ThumbnailPlacement::AsIs:
            painter.drawImage(QPoint(0, 0), t);
            base.filterMask = IconMask::opaque(size);
            break;
        case ThumbnailPlacement::Stretch: {
            const QImage s = t.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            painter.drawImage(QPoint(0, 0), s);
            base.filterMask = IconMask::opaque(size);
            break;
        }
        case ThumbnailPlacement::Fit: {
            const QImage s = t.scaled(fittedSize(t.size(), side), Qt::IgnoreAspectRatio,
                                      Qt::SmoothTransformation);
            painter.drawImage(QPoint(0, 0), s);
            base.filterMask = IconMask::fromPicture(s, size, QPoint(0, 0), key);
            break;
        }
        }
        return base;
    }

    {
        QPainter painter(&base.working);
        if (!shown.isNull())
            painter.drawImage(QPoint(0, 0), shown);
    }
    if (request.largeList && m_flags.customIconSize)
        base.filterMask = base.storeMask;
    else
        base.filterMask = IconMask::fromPicture(shown, size, QPoint(0, 0), Black);
    return base;
}

void ItemPictureComposer::drawMarks(QImage &working, const ItemPictureRequest &request,
                                    const ItemDecorationValues &item) const
{
    const int w = working.width();
    if (m_flags.commentMark && item.hasComment) {
        QPainter p(&working);
        if (w < 32)
            p.drawImage(QPoint(w - 8, 0), commentMark(8));
        else
            p.drawImage(QPoint(w - 16, 0), commentMark(16));
    }
    if (m_flags.stamp && !request.stampIcon.isNull()) {
        const QImage icon =
            request.stampIcon.size() == QSize(16, 16)
                ? request.stampIcon
                : request.stampIcon.scaled(16, 16, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        QPainter p(&working);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        if (request.largeList)
            p.drawImage(QPoint(8, 8), icon);
        else
            p.drawImage(QRect(2, 2, 12, 12), icon);
    }
}

bool ItemPictureComposer::storesWithoutMask(bool largeList) const
{
    if (m_flags.commentMark)
        return true;
    return largeList && (m_flags.customIconSize || m_flags.thumbnails);
}

std::optional<int> ItemPictureComposer::overlayFor(const ItemDecorationValues &item) const
{
    if (!m_flags.iconDecorations || !m_flags.labels || m_flags.ownerData || !item.label)
        return std::nullopt;
    return item.label;
}

std::optional<int> ItemPictureComposer::stateImageFor(const ItemDecorationValues &item) const
{
    if (!m_flags.iconDecorations || !m_flags.seals || m_flags.treeList || m_flags.ownerData ||
        !item.seal)
        return std::nullopt;
    return item.seal;
}

ItemPicture ItemPictureComposer::compose(const ItemPictureRequest &request,
                                         const ItemDecorationValues &item) const
{
    return compose(request, item, PictureRouting::plan(m_flags, item));
}

ItemPicture ItemPictureComposer::composeColourCode(const ItemPictureRequest &request,
                                                   const ItemDecorationValues &item,
                                                   qint32 value) const
{
    return compose(request, item, PictureRouting::applyColourCode(value, m_flags, item));
}

ItemPicture ItemPictureComposer::compose(const ItemPictureRequest &request,
                                         const ItemDecorationValues &item,
                                         const PicturePlan &plan) const
{
    ItemPicture result;
    result.overlay = overlayFor(item);
    result.stateImage = stateImageFor(item);
    if (plan.route == PictureRoute::KeepPlaceholder) {
        result.keepsPlaceholder = true;
        return result;
    }

    Base base = buildBase(request, plan);
    QImage &working = base.working;
    const IconMask &mask = base.filterMask;

    switch (plan.route) {
    case PictureRoute::BaseOnly:
    case PictureRoute::KeepPlaceholder:
        break;
    case PictureRoute::Decorate:
        if (m_flags.iconDecorations) {
            if (m_flags.contrast)
                PixelFilters::contrast(working);
            if (m_flags.monochrome)
                PixelFilters::monochrome(working);
            if (m_flags.hatchedMask)
                PixelFilters::shiftColoursHatched(working, plan.shift.red, plan.shift.green,
                                                  plan.shift.blue);
            else if (m_flags.shiftMask)
                PixelFilters::shiftColours(working, mask, plan.shift.red, plan.shift.green,
                                           plan.shift.blue);
            drawMarks(working, request, item);
        }
        break;
    case PictureRoute::OneColourByChannels:
        PixelFilters::oneColourByChannels(working, mask, plan.channels);
        drawMarks(working, request, item);
        break;
    case PictureRoute::OneColourByColour:
        PixelFilters::oneColourByColour(working, mask, plan.colour);
        drawMarks(working, request, item);
        break;
    }

    if (plan.route == PictureRoute::BaseOnly) {
        // The base picture keeps the mask it was built with; namespace pictures none.
        if (m_flags.namespaceMode)
            result.image = working.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        else
            result.image = (base.fromThumbnail ? base.filterMask : base.storeMask).applyTo(working);
    } else if (storesWithoutMask(request.largeList)) {
        result.image = working.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    } else {
        result.image = base.storeMask.applyTo(working);
    }
    result.working = working;
    result.filterMask = base.filterMask;
    return result;
}

QImage ItemPictureComposer::headerIcon(const QImage &icon, const QColor &background,
                                       std::optional<qint32> oneColour)
{
    const QSize size(16, 16);
    const QImage shown = fitted(icon, 16);
    QImage working(size, PixelFilters::WorkingFormat);
    working.fill(background);
    if (!shown.isNull()) {
        QPainter p(&working);
        p.drawImage(QPoint(0, 0), shown);
    }
    const IconMask mask =
        IconMask::fromPicture(shown, size, QPoint(0, 0), DecorationFlags::maskKeyColour());
    if (oneColour && !OneColourCode::isNone(*oneColour))
        PixelFilters::oneColourByColour(working, mask, OneColourCode::tint(*oneColour));
    return mask.applyTo(working);
}

} // namespace kazari
