#pragma once

#include <QImage>
#include <QPoint>
#include <QWidget>

namespace kazari
{

/// Draws one picture with its top left corner at an offset, the rest in the window colour.
class PictureArea : public QWidget
{
    Q_OBJECT

public:
    explicit PictureArea(QWidget *parent = nullptr);

    void setPicture(const QImage &picture);
    const QImage &picture() const { return m_picture; }
    void setOffset(QPoint offset);
    QPoint offset() const { return m_offset; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage m_picture;
    QPoint m_offset;
};

} // namespace kazari
