#include "ui/app/splashwindow.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>
#include <QScreen>
#include <QVBoxLayout>

namespace kazari
{

SplashWindow::SplashWindow(QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , m_status(new QLabel(this))
{
    setObjectName(QStringLiteral("SplashWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(242, 42);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 4, 10, 4);
    layout->setSpacing(0);
    auto *title = new QLabel(QStringLiteral("Kazari"), this);
    QFont f = title->font();
    f.setBold(true);
    title->setFont(f);
    QPalette light = palette();
    light.setColor(QPalette::WindowText, Qt::white);
    title->setPalette(light);
    m_status->setPalette(light);
    m_status->setTextFormat(Qt::PlainText);
    m_status->setObjectName(QStringLiteral("SplashStatus"));
    layout->addWidget(title);
    layout->addWidget(m_status);
    if (QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
}

void SplashWindow::setStatus(const QString &text)
{
    m_history.append(text);
    m_status->setText(text);
    if (isVisible())
        m_status->repaint();
}

QString SplashWindow::status() const
{
    return m_status->text();
}

void SplashWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::ActivationChange) {
        if (isActiveWindow())
            m_wasActive = true;
        else if (m_wasActive)
            close();
    }
    QWidget::changeEvent(event);
}

void SplashWindow::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    QLinearGradient g(0, 0, width(), 0);
    g.setColorAt(0, QColor(40, 60, 110));
    g.setColorAt(1, QColor(90, 130, 190));
    p.fillRect(rect(), g);
    p.setPen(QColor(20, 30, 60));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

} // namespace kazari
