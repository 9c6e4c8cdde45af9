#include "ui/tasks/commentcommands.h"
#include "core/app/componentnames.h"

#include "core/app/settings.h"
#include "core/itemlist/itemlist.h"
#include "core/navigation/navigation.h"
#include "core/tasks/commentediting.h"
#include "core/viewer/selectionrules.h"
#include "ui/app/mainwindow.h"
#include "ui/app/messagebox.h"
#include "ui/itemlist/itemdelegate.h"
#include "ui/itemlist/itemlistmodel.h"
#include "ui/itemlist/itemlistview.h"
#include "ui/viewer/selectiondetails.h"

#include <QAction>
#include <QEvent>
#include <QHeaderView>
#include <QHelpEvent>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QToolTip>
#include <QTreeView>

namespace kazari
{

namespace
{

const QString CommentSuffix = QStringLiteral("_cmt");
const QString QuickCommentCommand = Component::QuickComment;
const QString ShowCommentsCommand = Component::ShowComments;
const QString TipsCommand = QStringLiteral("cmdHintTips");

// A comment is one line.
QString oneLine(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String(" "));
    text.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

} // namespace

CommentCommands *CommentCommands::install(MainWindow &form)
{
    if (auto *existing = form.findChild<CommentCommands *>(QString(), Qt::FindDirectChildrenOnly))
        return existing;
    return new CommentCommands(form);
}

CommentCommands::CommentCommands(MainWindow &form)
    : QObject(&form)
    , m_form(form)
    , m_box(form.commentMemo())
{
    setObjectName(QStringLiteral("CommentCommands"));
    m_askText = [](QWidget *parent, const QString &caption, const QString &prompt,
                   const QString &preset) -> std::optional<QString> {
        bool ok = false;
        const QString text =
            QInputDialog::getText(parent, caption, prompt, QLineEdit::Normal, preset, &ok);
        if (!ok)
            return std::nullopt;
        return text;
    };

    if (m_box) {
        m_box->setToolTip(boxHint());
        m_box->installEventFilter(this);
        m_box->viewport()->installEventFilter(this);
    }

    ItemListView *view = form.itemListView();
    view->iconView()->viewport()->installEventFilter(this);
    view->detailsView()->viewport()->installEventFilter(this);
    // A new list: an edit goes to the item it was typed for (by path, when it is still
    // there); then the box belongs to no item until the new list selects one, so nothing
    // typed afterwards can reach an item that is gone.
    connect(view->model(), &QAbstractItemModel::modelAboutToBeReset, this, [this]() {
        commitBox();
        hideQuickField();
        m_boxPath.clear();
        m_boxShown.clear();
        if (m_box)
            m_box->clear();
    });

    SelectionDetails *details = SelectionDetails::install(form);
    connect(details, &SelectionDetails::refreshComment, this, &CommentCommands::onSelection);

    QPointer<CommentCommands> self(this);
    form.addCommandHandler([self](const QString &name, QAction *action) {
        return self && self->onCommand(name, action);
    });
}

bool CommentCommands::onCommand(const QString &name, QAction *action)
{
    if (name == QLatin1String("cmdCommentSet")) {
        commitBox();
        return true;
    }
    if (name == QLatin1String("cmdCommentInput")) {
        commitBox();
        inputComment();
        return true;
    }
    if (name == QLatin1String("cmdCommentTaskEdit")) {
        if (!m_form.settings().isOn(ShowCommentsCommand) &&
            m_form.settings().contains(ShowCommentsCommand))
            MessageBox::information(&m_form, notAllowedText());
        return true;
    }
    if (name == QLatin1String("cmdHiragana")) {
        // Down: the input method is on for the box; up: closed.
        if (m_box) {
            const bool on = action && action->isChecked();
            m_box->setAttribute(Qt::WA_InputMethodEnabled, on);
            m_box->setInputMethodHints(on ? Qt::ImhPreferLowercase : Qt::ImhNone);
        }
        return true;
    }
    if (name == TipsCommand)
        return true; // its mark is the switch
    return false;
}

bool CommentCommands::tipsOn() const
{
    const QAction *a = m_form.commands().action(TipsCommand);
    return a && a->isChecked();
}

void CommentCommands::onSelection(int row, bool selected)
{
    ItemList &list = m_form.itemListView()->list();
    if (row < 0 || row >= list.count() || !selected) {
        bindBox(QString());
        hideQuickField();
        return;
    }
    bindBox(list.at(row).PATH);
    const QAction *quick = m_form.commands().action(QuickCommentCommand);
    if (quick ? quick->isChecked() : m_form.settings().isOn(QuickCommentCommand))
        placeQuickField(row);
    else
        hideQuickField();
}

void CommentCommands::hideQuickField()
{
    if (!m_quick || !m_quick->isVisible())
        return;
    commitQuickField();
    m_quick->hide();
    m_quickPath.clear();
}

void CommentCommands::bindBox(const QString &path)
{
    // What was typed for the item the box showed goes to that item, before it shows
    // another.
    commitBox();
    m_boxPath = path;
    m_boxShown.clear();
    if (!path.isEmpty()) {
        ItemList &list = m_form.itemListView()->list();
        const int row = list.rowOfPath(path);
        m_boxShown =
            row >= 0 ? list.annotationOf(row).cmt : m_form.store().GetByPath(path, CommentSuffix);
    }
    if (m_box)
        m_box->setPlainText(m_boxShown);
}

bool CommentCommands::commitBox()
{
    if (!m_box || m_boxPath.isEmpty())
        return false;
    const QString text = oneLine(m_box->toPlainText());
    if (text == m_boxShown)
        return false;
    if (!write({m_boxPath}, text))
        return false;
    m_boxShown = text;
    return true;
}

void CommentCommands::commentChanged(const QString &path)
{
    if (path.isEmpty() || path != m_boxPath || !m_box)
        return;
    if (oneLine(m_box->toPlainText()) != m_boxShown)
        return;
    m_boxShown = m_form.store().GetByPath(path, CommentSuffix);
    m_box->setPlainText(m_boxShown);
}

bool CommentCommands::write(const QStringList &paths, const QString &text)
{
    const StoreResult r = CommentEditing::setComments(m_form.store(), paths, text);
    if (!r.ok) {
        if (!r.declined && !r.error.isEmpty())
            MessageBox::warning(&m_form, r.error);
        return false;
    }
    reshow(paths);
    Q_EMIT commentsWritten(paths);
    return true;
}

void CommentCommands::reshow(const QStringList &paths)
{
    ItemListView *view = m_form.itemListView();
    ItemList &list = view->list();
    const QString current = view->currentPath();
    for (const QString &path : paths) {
        const int row = list.rowOfPath(path);
        if (row < 0)
            continue;
        view->reshowRow(row);
        if (path == current) {
            if (QLabel *field =
                    m_form.statusField(MainWindow::StatusField(SelectionRules::CommentField)))
                field->setText(list.annotationOf(row).cmt);
        }
    }
}

void CommentCommands::inputComment()
{
    const QStringList paths = m_form.selectedPaths();
    const QString caption = QStringLiteral(" コメント");
    const QString prompt = QStringLiteral("コメント");
    // Say so before asking when the answer could not be kept.
    QString why;
    for (const QString &path : paths) {
        if (!CommentEditing::canWrite(m_form.store(), path, &why)) {
            MessageBox::warning(&m_form, why);
            return;
        }
    }
    if (!paths.isEmpty()) {
        const std::optional<QString> answer = m_askText(&m_form, caption, prompt, QString());
        if (!answer)
            return;
        if (write(paths, oneLine(*answer)) && paths.contains(m_boxPath)) {
            m_boxShown = m_form.store().GetByPath(m_boxPath, CommentSuffix);
            if (m_box)
                m_box->setPlainText(m_boxShown);
        }
        return;
    }
    // Nothing selected: the comment of the folder itself, kept in its parent's file.
    const QString folder = m_form.currentFolder();
    if (folder.isEmpty())
        return;
    if (!CommentEditing::canWrite(m_form.store(), Navigation::withoutTrailingSeparator(folder),
                                  &why)) {
        MessageBox::warning(&m_form, why);
        return;
    }
    const QString preset = CommentEditing::folderComment(m_form.store(), folder);
    const std::optional<QString> answer = m_askText(&m_form, caption, prompt, preset);
    if (!answer)
        return;
    const StoreResult r =
        CommentEditing::setFolderComment(m_form.store(), folder, oneLine(*answer));
    if (!r.ok && !r.declined)
        MessageBox::warning(&m_form, r.error);
}

void CommentCommands::placeQuickField(int row)
{
    ItemListView *view = m_form.itemListView();
    QAbstractItemView *current = view->currentView();
    ItemList &list = view->list();
    // What was typed for the item the field was over goes to that item.
    commitQuickField();
    if (!m_quick || m_quick->parent() != current->viewport()) {
        delete m_quick;
        m_quick = new QLineEdit(current->viewport());
        m_quick->setObjectName(QStringLiteral("QuickComment"));
        m_quick->setFrame(false);
        connect(m_quick, &QLineEdit::editingFinished, this, &CommentCommands::commitQuickField);
    }
    const QString text = list.annotationOf(row).cmt;
    m_quick->setText(text);
    m_quick->setGeometry(quickFieldRect(row));
    m_quickPath = list.at(row).PATH;
    m_quickShown = text;
    m_quick->show();
    m_quick->raise();
}

QRect CommentCommands::quickFieldRect(int row) const
{
    ItemListView *view = m_form.itemListView();
    QAbstractItemView *current = view->currentView();
    const QModelIndex index = view->model()->index(row, 0);
    const QString text = view->list().annotationOf(row).cmt;
    // Ten pixels for every character, and room for the whole text where its characters are
    // wider (Japanese ones are).
    const int textWidth =
        qMax(10 * int(text.size()), current->fontMetrics().horizontalAdvance(text) + 2 * 6);
    const int height = m_quick ? m_quick->sizeHint().height() : current->fontMetrics().height();
    if (auto *tree = qobject_cast<QTreeView *>(current)) {
        // Over the second column: from the end of the first to the end of the second.
        const QRect cell = tree->visualRect(index);
        const int left = tree->columnViewportPosition(0) + tree->columnWidth(0);
        const int second = view->model()->columnCount() > 1 ? tree->columnWidth(1) : cell.width();
        return QRect(left, cell.top(), second, qMax(cell.height(), height));
    }
    const QRect cell = current->visualRect(index);
    QRect area = cell;
    switch (view->look().style) {
    case ListStyle::LargeIcons:
        area = view->delegate()->geometry(cell, index).picture;
        break;
    case ListStyle::SmallIcons:
        area = view->delegate()->geometry(cell, index).caption;
        break;
    default:
        break; // the list style: where the item is drawn selected
    }
    // Never narrower than the item.
    return QRect(area.left(), area.top(), qMax(area.width(), textWidth),
                 qMax(area.height(), height));
}

void CommentCommands::commitQuickField()
{
    if (!m_quick || m_quickPath.isEmpty())
        return;
    const QString text = oneLine(m_quick->text());
    if (text == m_quickShown)
        return;
    const QString path = m_quickPath;
    if (!write({path}, text))
        return;
    m_quickShown = text;
    if (path == m_boxPath && m_box) {
        m_boxShown = text;
        m_box->setPlainText(text);
    }
}

QString CommentCommands::tipText(int row) const
{
    ItemList &list = m_form.itemListView()->list();
    if (row < 0 || row >= list.count())
        return QString();
    return CommentEditing::toolTipText(list.at(row).Name, list.annotationOf(row));
}

bool CommentCommands::eventFilter(QObject *watched, QEvent *event)
{
    if (m_box && (watched == m_box || watched == m_box->viewport())) {
        switch (event->type()) {
        case QEvent::KeyPress: {
            auto *key = static_cast<QKeyEvent *>(event);
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
                commitBox();
                return true;
            }
            break;
        }
        case QEvent::MouseButtonDblClick:
            commitBox();
            break;
        case QEvent::FocusOut:
            commitBox();
            break;
        default:
            break;
        }
        return QObject::eventFilter(watched, event);
    }
    if (event->type() == QEvent::ToolTip && tipsOn()) {
        auto *viewport = qobject_cast<QWidget *>(watched);
        auto *view =
            viewport ? qobject_cast<QAbstractItemView *>(viewport->parentWidget()) : nullptr;
        if (view) {
            auto *help = static_cast<QHelpEvent *>(event);
            const QModelIndex index = view->indexAt(help->pos());
            if (index.isValid()) {
                // Comments are shown as written, never read as markup.
                const QString tip = QStringLiteral("<p style='white-space:pre'>") +
                                    tipText(index.row())
                                        .toHtmlEscaped()
                                        .replace(QLatin1Char('\n'), QLatin1String("<br>")) +
                                    QStringLiteral("</p>");
                QToolTip::showText(help->globalPos(), tip, viewport);
                return true;
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace kazari
