#include "ui/tasks/extendedcommenteditor.h"

#include "core/itemlist/itemlist.h"
#include "core/tasks/extendedcomment.h"
#include "ui/app/mainwindow.h"
#include "ui/app/messagebox.h"
#include "ui/itemlist/itemlistmodel.h"
#include "ui/itemlist/itemlistview.h"
#include "ui/viewer/columncontroller.h"
#include "ui/viewer/selectiondetails.h"

#include <QEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPointer>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace kazari
{

ExtendedCommentEditor *ExtendedCommentEditor::install(MainWindow &form)
{
    if (auto *existing = form.findChild<ExtendedCommentEditor *>())
        return existing;
    auto *editor = new ExtendedCommentEditor(form);
    QPointer<ExtendedCommentEditor> self(editor);
    form.addCommandHandler([self, &form](const QString &name, QAction *) {
        if (!self || name != editCommand())
            return false;
        const QStringList paths = form.selectedPaths();
        self->fillFor(paths.isEmpty() ? QString() : paths.first());
        self->show();
        self->raise();
        return true;
    });
    connect(SelectionDetails::install(form), &SelectionDetails::refreshComment, editor,
            [self, &form](int row, bool selected) {
                if (!self || !self->isVisible())
                    return;
                ItemList &list = form.itemListView()->list();
                self->fillFor(selected && row >= 0 && row < list.count() ? list.at(row).PATH
                                                                         : QString());
            });
    return editor;
}

ExtendedCommentEditor::ExtendedCommentEditor(MainWindow &form)
    : QWidget(&form, Qt::Tool)
    , m_form(form)
{
    setObjectName(QStringLiteral("ExtendedCommentEditor"));
    setWindowTitle(QStringLiteral("コメント Professional"));
    resize(420, 340);
    auto *layout = new QVBoxLayout(this);
    m_grid = new QTableWidget(ExtendedComment::FieldCount, 2, this);
    m_grid->setHorizontalHeaderLabels({QStringLiteral("コメント名"), QStringLiteral("コメント")});
    m_grid->horizontalHeader()->setStretchLastSection(false);
    for (int row = 0; row < ExtendedComment::FieldCount; ++row) {
        m_grid->setVerticalHeaderItem(row, new QTableWidgetItem(QString::number(row + 1)));
        m_grid->setItem(row, 0, new QTableWidgetItem);
        m_grid->setItem(row, 1, new QTableWidgetItem);
    }
    m_grid->viewport()->installEventFilter(this);
    // The eleventh field has no name and no row of its own.
    m_grid->setRowHidden(ExtendedComment::NamedCount, true);
    layout->addWidget(m_grid, 1);

    auto *buttons = new QHBoxLayout;
    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_save = new QPushButton(QStringLiteral("保存"), this);
    auto *close = new QPushButton(QStringLiteral("閉じる"), this);
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_save);
    buttons->addWidget(close);
    layout->addLayout(buttons);
    connect(m_ok, &QPushButton::clicked, this, [this]() {
        hide();
        save();
    });
    connect(m_save, &QPushButton::clicked, this, &ExtendedCommentEditor::save);
    connect(close, &QPushButton::clicked, this, &QWidget::hide);
}

void ExtendedCommentEditor::fillFor(const QString &path)
{
    m_path = path;
    const QStringList names = ExtendedComment::names(m_form.settings());
    const QStringList fields = path.isEmpty() ? ExtendedComment::fields(QString())
                                              : ExtendedComment::read(m_form.store(), path);
    setWindowTitle(path.isEmpty() ? QStringLiteral("コメント Professional")
                                  : QFileInfo(path).fileName() +
                                        QStringLiteral(" コメント Professional 編集"));
    for (int row = 0; row < ExtendedComment::FieldCount; ++row) {
        m_grid->item(row, 0)->setText(names.value(row));
        m_grid->item(row, 1)->setText(fields.value(row));
    }
}

bool ExtendedCommentEditor::save()
{
    if (m_path.isEmpty()) {
        MessageBox::information(&m_form, ExtendedComment::notSelectedText());
        return false;
    }
    QStringList names;
    QStringList fields;
    for (int row = 0; row < ExtendedComment::FieldCount; ++row) {
        if (row < ExtendedComment::NamedCount)
            names.append(m_grid->item(row, 0)->text());
        fields.append(m_grid->item(row, 1)->text());
    }
    ExtendedComment::storeNames(m_form.settings(), names);
    const StoreResult r = ExtendedComment::write(m_form.store(), m_path, fields);
    if (!r.ok) {
        if (!r.declined)
            MessageBox::warning(&m_form, r.error);
        return false;
    }
    ItemListView *view = m_form.itemListView();
    // "コメント Professional 詳細" shows the names as its column captions.
    const std::optional<ColumnSets::Set> set = ColumnController::install(m_form)->currentSet();
    if (set && *set == ColumnSets::ExtendedComment)
        view->model()->setColumnCaptions(
            ColumnSets::captions(*set, ExtendedComment::names(m_form.settings())));
    const int row = view->list().rowOfPath(m_path);
    if (row >= 0)
        view->reshowRow(row);
    return true;
}

bool ExtendedCommentEditor::eventFilter(QObject *watched, QEvent *event)
{
    // The grid's own width is known only once it is laid out in the shown window.
    if (watched == m_grid->viewport() && event->type() == QEvent::Resize)
        fitColumns();
    return QWidget::eventFilter(watched, event);
}

void ExtendedCommentEditor::fitColumns()
{
    const int width = m_grid->viewport()->width();
    m_grid->setColumnWidth(0, width / 3);
    m_grid->setColumnWidth(1, qMax(20, width * 2 / 3 - 12));
}

} // namespace kazari
