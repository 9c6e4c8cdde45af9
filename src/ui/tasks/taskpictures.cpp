#include "ui/tasks/taskpictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace kazari
{

QIcon TaskPictures::icon(Kind kind)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QPen outline(QColor(60, 60, 60), 1);
    p.setPen(outline);
    switch (kind) {
    case Unfinished:
        // A clipboard with an empty box.
        p.setBrush(QColor(230, 200, 140));
        p.drawRoundedRect(QRectF(2.5, 1.5, 11, 13), 1.5, 1.5);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(5.5, 5.5, 5, 5));
        break;
    case Task:
        // A sheet with lines.
        p.setBrush(Qt::white);
        p.drawRect(QRectF(3.5, 1.5, 9, 13));
        p.drawLine(QPointF(5.5, 5.5), QPointF(10.5, 5.5));
        p.drawLine(QPointF(5.5, 8.5), QPointF(10.5, 8.5));
        p.drawLine(QPointF(5.5, 11.5), QPointF(8.5, 11.5));
        break;
    case Pending:
        // A clock face.
        p.setBrush(QColor(170, 210, 255));
        p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
        p.drawLine(QPointF(8, 8), QPointF(8, 4));
        p.drawLine(QPointF(8, 8), QPointF(11, 9));
        break;
    case Overdue: {
        // A warning triangle.
        QPainterPath path;
        path.moveTo(8, 1.5);
        path.lineTo(14.5, 14.5);
        path.lineTo(1.5, 14.5);
        path.closeSubpath();
        p.setBrush(QColor(230, 40, 30));
        p.drawPath(path);
        p.setPen(QPen(Qt::white, 2));
        p.drawLine(QPointF(8, 6), QPointF(8, 10));
        p.drawPoint(QPointF(8, 12.5));
        break;
    }
    case Comment: {
        // A speech bubble.
        QPainterPath path;
        path.addRoundedRect(QRectF(1.5, 2.5, 13, 9), 3, 3);
        path.moveTo(4, 11.5);
        path.lineTo(3.5, 14.5);
        path.lineTo(7.5, 11.5);
        p.setBrush(QColor(255, 250, 200));
        p.drawPath(path.simplified());
        break;
    }
    case Start:
    case Due: {
        // A flag: green for the start, red for the due date.
        p.drawLine(QPointF(3.5, 1.5), QPointF(3.5, 14.5));
        QPainterPath path;
        path.moveTo(3.5, 2);
        path.lineTo(13.5, 5);
        path.lineTo(3.5, 8.5);
        path.closeSubpath();
        p.setBrush(kind == Start ? QColor(40, 170, 60) : QColor(220, 50, 40));
        p.drawPath(path);
        break;
    }
    case Completion:
        // A bar half filled.
        p.setBrush(Qt::white);
        p.drawRect(QRectF(1.5, 5.5, 13, 5));
        p.setBrush(QColor(60, 160, 230));
        p.drawRect(QRectF(1.5, 5.5, 7, 5));
        break;
    case Importance: {
        // A star.
        QPainterPath path;
        const QPointF points[] = {{8, 1},    {9.8, 6},    {15, 6},    {10.8, 9.2}, {12.4, 14.5},
                                  {8, 11.4}, {3.6, 14.5}, {5.2, 9.2}, {1, 6},      {6.2, 6}};
        path.moveTo(points[0]);
        for (const QPointF &pt : points)
            path.lineTo(pt);
        path.closeSubpath();
        p.setBrush(QColor(250, 200, 30));
        p.drawPath(path);
        break;
    }
    }
    p.end();
    return QIcon(pixmap);
}

} // namespace kazari
