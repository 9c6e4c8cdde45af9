#include "ui/navigation/programchooser.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace kazari
{

namespace
{

QIcon iconOf(const DesktopEntry &e)
{
    if (e.icon.isEmpty())
        return QIcon::fromTheme(QStringLiteral("application-x-executable"));
    if (QFileInfo(e.icon).isAbsolute())
        return QFileInfo(e.icon).isFile() ? QIcon(e.icon) : QIcon();
    return QIcon::fromTheme(e.icon, QIcon::fromTheme(QStringLiteral("application-x-executable")));
}

} // namespace

ProgramChooser::ProgramChooser(const QString &path,
                               const QList<DesktopApplications::Choice> &choices, QWidget *parent)
    : QDialog(parent)
    , m_path(path)
    , m_choices(choices)
{
    setObjectName(QStringLiteral("ProgramChooser"));
    setWindowTitle(QStringLiteral("アプリケーションから開く"));
    resize(420, 460);
    auto *layout = new QVBoxLayout(this);

    auto *file = new QLabel(this);
    file->setTextFormat(Qt::PlainText);
    file->setWordWrap(true);
    file->setText(QStringLiteral("次のファイルを開くプログラムを選んでください:\n") + path);
    layout->addWidget(file);

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("ProgramList"));
    m_list->setIconSize(QSize(24, 24));
    int previousRank = -1;
    for (int i = 0; i < m_choices.size(); ++i) {
        const DesktopApplications::Choice &c = m_choices.at(i);
        if (previousRank >= 0 && (previousRank < 2) != (c.rank < 2)) {
            // A line between the applications made for this type and the others.
            auto *line = new QListWidgetItem(QStringLiteral("その他のプログラム"), m_list);
            line->setFlags(Qt::NoItemFlags);
        }
        previousRank = c.rank;
        auto *item = new QListWidgetItem(iconOf(c.entry), c.entry.name, m_list);
        item->setData(Qt::UserRole, i);
        item->setToolTip(c.entry.exec);
        if (c.rank < 2) {
            QFont bold = item->font();
            bold.setBold(true);
            item->setFont(bold);
        }
    }
    if (m_list->count() > 0)
        m_list->setCurrentRow(0);
    layout->addWidget(m_list, 1);

    auto *commandLabel = new QLabel(QStringLiteral("ほかのコマンド(&C):"), this);
    m_command = new QLineEdit(this);
    m_command->setObjectName(QStringLiteral("CommandField"));
    m_command->setPlaceholderText(QStringLiteral("例: program --option"));
    commandLabel->setBuddy(m_command);
    layout->addWidget(commandLabel);
    layout->addWidget(m_command);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("開く"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_list, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem *item) {
        if (item->data(Qt::UserRole).isValid())
            accept();
    });
    auto updateOk = [this, buttons]() {
        buttons->button(QDialogButtonBox::Ok)->setEnabled(chosenEntry() || !command().isEmpty());
    };
    connect(m_list, &QListWidget::currentRowChanged, this, updateOk);
    connect(m_command, &QLineEdit::textChanged, this, updateOk);
    updateOk();
}

std::optional<DesktopEntry> ProgramChooser::chosenEntry() const
{
    if (!command().isEmpty())
        return std::nullopt;
    const QListWidgetItem *item = m_list->currentItem();
    if (!item || !item->data(Qt::UserRole).isValid())
        return std::nullopt;
    const int index = item->data(Qt::UserRole).toInt();
    if (index < 0 || index >= m_choices.size())
        return std::nullopt;
    return m_choices.at(index).entry;
}

QString ProgramChooser::command() const
{
    return m_command->text().trimmed();
}

} // namespace kazari
