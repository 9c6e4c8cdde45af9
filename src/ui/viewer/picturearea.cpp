#include "ui/viewer/picturearea.h"

#include <QPainter>

namespace kazari
{

PictureArea::PictureArea(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("Image1"));
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureArea::setPicture(const QImage &picture)
{
    m_picture = picture;
    m_offset = QPoint();
    update();
}

void PictureArea::setOffset(QPoint offset)
{
    if (m_offset == offset)
        return;
    m_offset = offset;
    update();
}

void PictureArea::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Window));
    if (!m_picture.isNull())
        p.drawImage(m_offset, m_picture);
}

} // namespace kazari
