#pragma once

#include <QLabel>
#include <QStringList>
#include <QWidget>

namespace kazari
{

/// The small borderless window shown while the main window starts: 242 by 42 pixels,
/// centred, above other windows, with a status line into which every start-up step
/// writes its name. It goes away when it is deactivated or the main window is shown.
class SplashWindow : public QWidget
{
    Q_OBJECT

public:
    explicit SplashWindow(QWidget *parent = nullptr);

    void setStatus(const QString &text);
    QString status() const;
    /// Every status text written, in order.
    const QStringList &history() const { return m_history; }

protected:
    void changeEvent(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QLabel *m_status;
    QStringList m_history;
    bool m_wasActive = false;
};

} // namespace kazari
