#include "ui/settings/applicationpage.h"

#include "core/app/settings.h"
#include "ui/settings/settingscontext.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace kazari
{

ApplicationPage::ApplicationPage(SettingsContext &context)
    : m_context(context)
    , m_applications(context.settings().programFolder())
{
}

QWidget *ApplicationPage::build()
{
    m_grid = new QTableWidget(0, 2);
    m_grid->setObjectName(QStringLiteral("applicationGrid"));
    m_grid->setHorizontalHeaderLabels(
        {QStringLiteral("プログラム名"), QStringLiteral("プログラムの場所")});
    m_grid->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Interactive);
    m_grid->horizontalHeader()->setStretchLastSection(true);
    m_grid->setColumnWidth(0, 150);
    m_grid->verticalHeader()->setDefaultSectionSize(m_grid->fontMetrics().height() + 8);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setAlternatingRowColors(true);
    m_grid->verticalHeader()->hide();

    auto *add = new QPushButton(QStringLiteral("追加"));
    add->setObjectName(QStringLiteral("addApplication"));
    auto *remove = new QPushButton(QStringLiteral("削除"));
    remove->setObjectName(QStringLiteral("removeApplication"));
    auto *overwrite = new QPushButton(QStringLiteral("上書き"));
    overwrite->setObjectName(QStringLiteral("saveApplications"));
    for (QPushButton *b : {add, remove, overwrite})
        b->setAutoDefault(false);
    connect(add, &QPushButton::clicked, this, &ApplicationPage::addApplication);
    connect(remove, &QPushButton::clicked, this, &ApplicationPage::removeApplication);
    connect(overwrite, &QPushButton::clicked, this, [this] { save(); });

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(add);
    buttons->addWidget(remove);
    buttons->addStretch(1);
    buttons->addWidget(overwrite);

    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(m_grid, 1);
    layout->addLayout(buttons);
    return page;
}

void ApplicationPage::fill()
{
    QString error;
    if (!m_applications.load(&error))
        m_context.warn(QStringLiteral("%1 を読み込めませんでした。\n%2")
                           .arg(m_applications.filePath(), error));
    m_grid->setRowCount(0);
    for (const ApplicationList::Entry &entry : m_applications.entries()) {
        const int row = m_grid->rowCount();
        m_grid->insertRow(row);
        m_grid->setItem(row, 0, new QTableWidgetItem(entry.name));
        m_grid->setItem(row, 1, new QTableWidgetItem(entry.program));
    }
}

void ApplicationPage::addApplication()
{
    const QString path = m_context.pickFile(QStringLiteral("アプリケーションの追加"),
                                            QStringLiteral("すべてのファイル (*)"));
    if (path.isEmpty())
        return;
    const QFileInfo info(path);
    const int row = m_grid->rowCount();
    m_grid->insertRow(row);
    m_grid->setItem(row, 0, new QTableWidgetItem(info.completeBaseName()));
    m_grid->setItem(row, 1, new QTableWidgetItem(info.absoluteFilePath()));
    m_grid->setCurrentCell(row, 0);
}

void ApplicationPage::removeApplication()
{
    const int row = m_grid->currentRow();
    if (row >= 0)
        m_grid->removeRow(row);
}

bool ApplicationPage::save()
{
    auto cell = [this](int row, int column) {
        const QTableWidgetItem *item = m_grid->item(row, column);
        return item ? item->text() : QString();
    };
    // Read the file again just before writing, so lines that are not entries are kept as
    // they are now; a file that exists but cannot be read is never overwritten.
    QString error;
    if (!m_applications.load(&error)) {
        m_context.warn(QStringLiteral("%1 を読み込めませんでした。\n%2")
                           .arg(m_applications.filePath(), error));
        return false;
    }
    QList<ApplicationList::Entry> entries;
    for (int row = 0; row < m_grid->rowCount(); ++row) {
        const ApplicationList::Entry entry{cell(row, 0), cell(row, 1)};
        if (entry.name.trimmed().isEmpty() || entry.program.trimmed().isEmpty())
            continue;
        if (!ApplicationList::isWritable(entry)) {
            m_grid->setCurrentCell(row, 0);
            m_context.warn(
                QStringLiteral("プログラム名に「=」や改行は使えません: %1").arg(entry.name));
            return false;
        }
        entries.append(entry);
    }
    if (!m_applications.setEntries(entries, &error) || !m_applications.save(&error)) {
        m_context.warn(QStringLiteral("%1 を保存できませんでした。\n%2")
                           .arg(m_applications.filePath(), error));
        return false;
    }
    fill();
    return true;
}

} // namespace kazari
