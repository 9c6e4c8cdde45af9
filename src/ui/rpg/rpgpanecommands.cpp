#include "ui/rpg/rpgpanecommands.h"
#include "core/app/componentnames.h"

#include <QAction>
#include <QEvent>
#include <QSplitter>

namespace kazari
{

RpgPaneCommands::RpgPaneCommands(QWidget *pane, QWidget *itemList, QObject *parent)
    : QObject(parent)
    , m_pane(pane)
    , m_itemList(itemList)
{
    m_paneAction = new QAction(QStringLiteral(u"フォルダビューの表示"), this);
    m_paneAction->setObjectName(Component::FolderPane);
    m_paneAction->setShortcut(QKeySequence(QStringLiteral("Ctrl+5")));
    m_paneAction->setStatusTip(QStringLiteral(u"フォルダビューの表示"));
    m_paneAction->setCheckable(true);
    m_paneAction->setChecked(pane && !pane->isHidden());
    connect(m_paneAction, &QAction::triggered, this, &RpgPaneCommands::setPaneShown);

    m_blackAction = new QAction(QStringLiteral(u"黒い画面"), this);
    m_blackAction->setCheckable(true);
    connect(m_blackAction, &QAction::triggered, this, [this] { toggleBlackPicture(); });

    if (m_itemList) {
        // A child of the item list, so it always fills exactly its place.
        m_black = new QWidget(m_itemList);
        m_black->setObjectName(QStringLiteral("Image8"));
        m_black->setAutoFillBackground(true);
        QPalette palette = m_black->palette();
        palette.setColor(QPalette::Window, Qt::black);
        m_black->setPalette(palette);
        m_black->hide();
        m_itemList->installEventFilter(this);
    }
}

RpgPaneCommands::~RpgPaneCommands()
{
    if (m_itemList)
        m_itemList->removeEventFilter(this);
}

void RpgPaneCommands::togglePane()
{
    if (m_pane)
        setPaneShown(m_pane->isHidden());
}

void RpgPaneCommands::setPaneShown(bool shown)
{
    if (!m_pane)
        return;
    m_pane->setVisible(shown);
    m_paneAction->setChecked(shown);
    if (!shown)
        return;
    // Place the splitter just right of the pane: give it a width when it has none.
    giveRoom(m_pane);
}

void RpgPaneCommands::giveRoom(QWidget *pane)
{
    auto *splitter = pane ? qobject_cast<QSplitter *>(pane->parentWidget()) : nullptr;
    if (!splitter)
        return;
    const int index = splitter->indexOf(pane);
    QList<int> sizes = splitter->sizes();
    if (index < 0 || index >= sizes.size() || sizes.at(index) > 0)
        return;
    const bool across = splitter->orientation() == Qt::Horizontal;
    const QSize hint = pane->sizeHint().expandedTo(pane->minimumSizeHint());
    const int want = qMax(across ? hint.width() : hint.height(), 40);
    const int other = index + 1 < sizes.size() ? index + 1 : index - 1;
    if (other < 0)
        return;
    sizes[other] = qMax(0, sizes.at(other) - want);
    sizes[index] = want;
    splitter->setSizes(sizes);
}

bool RpgPaneCommands::blackPictureShown() const
{
    return m_black && !m_black->isHidden();
}

void RpgPaneCommands::toggleBlackPicture()
{
    if (!m_black || !m_itemList)
        return;
    const bool cover = m_black->isHidden();
    if (cover) {
        m_black->setGeometry(m_itemList->rect());
        m_black->raise();
        m_black->show();
    } else {
        m_black->hide();
    }
    m_black->update();
    m_blackAction->setChecked(cover);
}

bool RpgPaneCommands::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_itemList && m_black && event->type() == QEvent::Resize)
        m_black->setGeometry(m_itemList->rect());
    return QObject::eventFilter(watched, event);
}

} // namespace kazari
