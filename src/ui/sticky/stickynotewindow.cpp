#include "ui/sticky/stickynotewindow.h"
#include "core/app/componentnames.h"

#include "core/platform/clock.h"

#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QProgressBar>
#include <QScreen>

namespace kazari
{

namespace
{

// The completion pictures: a green tick on white for a finished task, a red ring for an
// open one.
QPixmap completionPicture(bool finished)
{
    QPixmap p(16, 16);
    p.fill(Qt::transparent);
    QPainter painter(&p);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::darkGray, 1));
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(QRectF(0.5, 0.5, 15, 15), 3, 3);
    if (finished) {
        painter.setPen(QPen(QColor(0, 140, 0), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPolyline(
            QPolygonF({QPointF(3.5, 8.5), QPointF(6.5, 11.5), QPointF(12.5, 4.5)}));
    } else {
        painter.setPen(QPen(QColor(200, 0, 0), 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(QRectF(4, 4, 8, 8));
    }
    return p;
}

// The note's lines have fixed places; a substituted font wider than the designed one
// would cut a line off at its neighbour. Such a line gets a smaller font instead, never
// below 8 pixels.
void fitLine(QLabel *label, const QFont &base)
{
    QFont f = base;
    const int width = label->width();
    while (f.pixelSize() > 8 && QFontMetrics(f).horizontalAdvance(label->text()) > width)
        f.setPixelSize(f.pixelSize() - 1);
    label->setFont(f);
}

} // namespace

StickyNoteWindow::StickyNoteWindow(QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                          Qt::WindowDoesNotAcceptFocus)
    , m_now([]() { return Clock::instance().now(); })
{
    setObjectName(QStringLiteral("StickyNoteWindow"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    // The designed font first; where it is missing, a Japanese font of the system rather
    // than whatever the font configuration puts in its place.
    QFont f;
    f.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"),
                   QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP")});
    f.setPixelSize(12);
    setFont(f);
    for (QColor &c : m_colours)
        c = palette().color(QPalette::Button);

    m_completion = new QLabel(this);
    m_completion->setGeometry(0, 0, 16, 16);
    addLine(QStringLiteral("fileName"), 21, 3, 231);
    addLine(QStringLiteral("comment"), 1, 24, 251);
    m_taskOnly << addLine(QStringLiteral("importance"), 1, 49, 139)
               << addLine(QStringLiteral("method"), 141, 49, 111)
               << addLine(QStringLiteral("start"), 1, 66, 139)
               << addLine(QStringLiteral("wholeTime"), 141, 66, 111)
               << addLine(QStringLiteral("deadline"), 1, 81, 139)
               << addLine(QStringLiteral("remainingTime"), 141, 81, 111)
               << addLine(QStringLiteral("notification"), 1, 97, 251)
               << addLine(QStringLiteral("completionLine"), 1, 114, 88)
               << addLine(QStringLiteral("scaleLow"), 90, 117, 30)
               << addLine(QStringLiteral("scaleHigh"), 225, 117, 27)
               << addLine(QStringLiteral("achievementLine"), 1, 129, 88)
               << addLine(QStringLiteral("remainingPercent"), 90, 141, 60)
               << addLine(QStringLiteral("remainingLabel"), 1, 148, 88);
    m_lines.value(QStringLiteral("scaleLow"))->setText(QStringLiteral("0%"));
    m_lines.value(QStringLiteral("scaleHigh"))->setText(QStringLiteral("100%"));
    for (const char *scale : {"scaleLow", "scaleHigh"})
        fitLine(m_lines.value(QLatin1String(scale)), font());
    auto bar = [this](int x, int y) {
        auto *b = new QProgressBar(this);
        b->setRange(0, 100);
        b->setValue(0);
        b->setTextVisible(false);
        b->setGeometry(x, y, 160, 10);
        b->setAttribute(Qt::WA_TransparentForMouseEvents);
        m_taskOnly << b;
        return b;
    };
    m_achievement = bar(90, 130);
    m_achievement->setObjectName(QStringLiteral("ProgressBar1"));
    m_remaining = bar(90, 152);
    m_remaining->setObjectName(QStringLiteral("ProgressBar2"));

    m_menu = new QMenu(this);
    m_menu->setObjectName(QStringLiteral("PopupMenu1"));
    m_menu->addAction(QStringLiteral("編集"));
    m_pinAction = m_menu->addAction(QStringLiteral("位置固定"));
    m_pinAction->setObjectName(Component::StickyNotePinned);
    connect(m_pinAction, &QAction::triggered, this, [this]() { setPinned(!m_pinned); });
    m_menu->addAction(QStringLiteral("閉じる"), this, &StickyNoteWindow::closeNote);
    m_menu->addSeparator();
    for (const QString &caption :
         {QStringLiteral("タスク完了"), QStringLiteral("タスク継続"), QStringLiteral("タスク削除")})
        m_menu->addAction(caption, this, &StickyNoteWindow::refreshRequested);

    setFixedSize(StickyNoteContent::clientSize(Variant::Comment));
}

QLabel *StickyNoteWindow::addLine(const QString &name, int x, int y, int width)
{
    auto *l = new QLabel(this);
    l->setObjectName(name);
    l->setTextFormat(Qt::PlainText);
    l->setGeometry(x, y, width, 15);
    l->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_lines.insert(name, l);
    return l;
}

void StickyNoteWindow::setPinned(bool pinned)
{
    m_pinned = pinned;
    m_pinAction->setText(pinned ? QStringLiteral("位置固定解除") : QStringLiteral("位置固定"));
}

void StickyNoteWindow::showFor(Variant variant, const QString &caption,
                               const FileAnnotationRec &annotation, QPoint mouse)
{
    const QSize size = StickyNoteContent::clientSize(variant);
    if (!m_pinned) {
        QRect screenRect(0, 0, 1024, 768);
        if (const QScreen *s = QGuiApplication::screenAt(mouse))
            screenRect = s->geometry();
        else if (const QScreen *primary = QGuiApplication::primaryScreen())
            screenRect = primary->geometry();
        move(StickyNoteContent::place(mouse, screenRect, size));
    }
    fill(variant, caption, annotation);
    show();
    raise();
}

void StickyNoteWindow::fill(Variant variant, const QString &caption,
                            const FileAnnotationRec &annotation)
{
    m_content = StickyNoteContent::fill(variant, caption, annotation, m_now());
    apply();
}

void StickyNoteWindow::apply()
{
    const StickyNoteContent::Content &c = m_content;
    const bool task = c.variant == Variant::Task;
    setFixedSize(StickyNoteContent::clientSize(c.variant));
    for (QWidget *w : std::as_const(m_taskOnly))
        w->setVisible(task);

    QPalette pal = palette();
    pal.setColor(QPalette::Window, colourOf(c));
    pal.setColor(QPalette::WindowText,
                 c.redText ? QColor(Qt::red)
                           : QGuiApplication::palette().color(QPalette::WindowText));
    setPalette(pal);
    setAutoFillBackground(true);

    m_completion->setPixmap(
        c.completion == StickyNoteContent::Completion::None
            ? QPixmap()
            : completionPicture(c.completion == StickyNoteContent::Completion::Completed));
    auto set = [this](const char *name, const QString &text) {
        if (QLabel *l = m_lines.value(QLatin1String(name))) {
            l->setText(text);
            fitLine(l, font());
        }
    };
    set("fileName", c.fileName);
    set("comment", c.comment);
    if (!task) {
        update();
        return;
    }
    set("importance", c.importance);
    set("method", c.method);
    set("start", c.start);
    set("wholeTime", c.wholeTime);
    set("deadline", c.deadline);
    set("remainingTime", c.remainingTime);
    set("notification", c.notification);
    set("completionLine", c.completionLine);
    set("achievementLine", c.achievementLine);
    set("remainingPercent", c.remainingPercent);
    set("remainingLabel", c.remainingLabel);
    m_achievement->setValue(c.achievement);
    m_remaining->setValue(c.remainingBar);
    update();
}

QColor StickyNoteWindow::colourOf(const StickyNoteContent::Content &c) const
{
    using Colour = StickyNoteContent::Colour;
    switch (c.colour) {
    case Colour::ButtonFace:
        return QGuiApplication::palette().color(QPalette::Button);
    case Colour::Setting:
        return m_colours.at(size_t(qBound(0, c.settingIndex, 5)));
    case Colour::Red:
        return QColor(255, 0, 0);
    case Colour::Yellow:
        return QColor(255, 255, 0);
    case Colour::Green:
        return QColor(0, 128, 0);
    case Colour::Blue:
        return QColor(0, 0, 255);
    case Colour::Silver:
        return QColor(192, 192, 192);
    case Colour::Tooltip:
        return QGuiApplication::palette().color(QPalette::ToolTipBase);
    }
    return QGuiApplication::palette().color(QPalette::Button);
}

QColor StickyNoteWindow::noteColour() const
{
    return palette().color(QPalette::Window);
}

void StickyNoteWindow::hideNote()
{
    hide();
}

void StickyNoteWindow::closeNote()
{
    hide();
    setPinned(false);
}

void StickyNoteWindow::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        m_dragging = true;
        m_moved = false;
        m_grab = event->globalPosition().toPoint() - frameGeometry().topLeft();
    }
    QWidget::mousePressEvent(event);
}

void StickyNoteWindow::mouseMoveEvent(QMouseEvent *event)
{
    if (m_dragging && (event->buttons() & Qt::LeftButton)) {
        move(event->globalPosition().toPoint() - m_grab);
        m_moved = true;
        setPinned(true);
    }
    QWidget::mouseMoveEvent(event);
}

void StickyNoteWindow::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && m_dragging && !m_moved) {
        // A click on the background reads the achievement line from its bar again.
        if (QLabel *l = m_lines.value(QStringLiteral("achievementLine")))
            l->setText(QStringLiteral("達成率: ") + QString::number(m_achievement->value()) +
                       QStringLiteral("％"));
    }
    m_dragging = false;
    QWidget::mouseReleaseEvent(event);
}

void StickyNoteWindow::contextMenuEvent(QContextMenuEvent *event)
{
    m_menu->popup(event->globalPos());
}

void StickyNoteWindow::paintEvent(QPaintEvent *event)
{
    QWidget::paintEvent(event);
    QPainter p(this);
    p.setPen(palette().color(QPalette::Mid));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

} // namespace kazari
