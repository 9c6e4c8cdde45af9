#include "ui/app/toolbararea.h"

#include "ui/app/commandregistry.h"

#include <QAction>
#include <QMainWindow>
#include <QToolBar>
#include <QVariant>

namespace kazari
{

namespace
{

// A bar's own visibility while the whole area is hidden.
const char *const OwnHidden = "kazariHidden";

} // namespace

ToolBarArea::ToolBarArea(QMainWindow &window)
    : m_window(window)
{
}

void ToolBarArea::add(QToolBar *bar, bool designedVisible)
{
    m_window.addToolBar(Qt::TopToolBarArea, bar);
    m_bars.append(bar);
    ToolBarState s;
    s.name = bar->objectName();
    s.visible = designedVisible;
    m_designed.append(s);
}

QToolBar *ToolBarArea::bar(const QString &name) const
{
    for (QToolBar *b : m_bars) {
        if (b->objectName() == name)
            return b;
    }
    return nullptr;
}

void ToolBarArea::restore(const QString &file)
{
    QList<ToolBarState> states = m_designed;
    ToolBarLayout::load(file, states);
    arrange(ToolBarLayout::rows(states));
    for (const ToolBarState &s : std::as_const(states)) {
        if (QToolBar *b = bar(s.name)) {
            b->setVisible(s.visible && m_areaVisible);
            b->setProperty(OwnHidden, !s.visible);
        }
    }
}

void ToolBarArea::arrange(const QList<QStringList> &rows)
{
    if (rows.isEmpty())
        return;
    // Taken out and put back row by row; a bar taken out is hidden, `restore` shows it.
    for (QToolBar *b : std::as_const(m_bars))
        m_window.removeToolBar(b);
    for (qsizetype r = 0; r < rows.size(); ++r) {
        if (r > 0)
            m_window.addToolBarBreak(Qt::TopToolBarArea);
        for (const QString &name : rows.at(r)) {
            if (QToolBar *b = bar(name))
                m_window.addToolBar(Qt::TopToolBarArea, b);
        }
    }
}

void ToolBarArea::setAreaVisible(bool visible)
{
    const bool was = m_areaVisible;
    m_areaVisible = visible;
    if (visible == was)
        return;
    for (QToolBar *b : std::as_const(m_bars)) {
        if (visible) {
            b->setVisible(!ownHidden(b));
        } else {
            b->setProperty(OwnHidden, b->isHidden());
            b->hide();
        }
    }
}

bool ToolBarArea::ownHidden(const QToolBar *bar) const
{
    return bar->property(OwnHidden).toBool();
}

void ToolBarArea::syncMarks(CommandRegistry &commands) const
{
    for (QToolBar *b : m_bars) {
        if (QAction *a = commands.action(QStringLiteral("cmd") + b->objectName()))
            a->setChecked(!b->isHidden());
    }
}

QList<ToolBarState> ToolBarArea::states() const
{
    QList<ToolBarState> out;
    for (QToolBar *b : m_bars) {
        ToolBarState s;
        s.name = b->objectName();
        s.visible = m_areaVisible ? !b->isHidden() : !ownHidden(b);
        s.floating = b->isFloating();
        s.width = b->width();
        s.height = b->height();
        s.left = b->x();
        s.top = b->y();
        s.dockSiteName = QStringLiteral("ControlBar1");
        out.append(s);
    }
    return out;
}

} // namespace kazari
