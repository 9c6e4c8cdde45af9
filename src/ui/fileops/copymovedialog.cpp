#include "ui/fileops/copymovedialog.h"

#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace kazari
{

CopyMoveDialog::CopyMoveDialog(QWidget *parent)
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("CopyMoveDialog"));
    setModal(false);
    setMinimumSize(300, 150);
    resize(420, 360);

    m_copy = new QRadioButton(QStringLiteral("コピー"), this);
    m_copy->setObjectName(QStringLiteral("RadioCopy"));
    m_move = new QRadioButton(QStringLiteral("移動"), this);
    m_move->setObjectName(QStringLiteral("RadioMove"));
    m_copy->setChecked(true);
    m_overwrite = new QCheckBox(QStringLiteral("上書き"), this);
    m_overwrite->setObjectName(QStringLiteral("CheckOverwrite"));
    auto *choices = new QHBoxLayout;
    choices->addWidget(m_copy);
    choices->addWidget(m_move);
    choices->addStretch(1);
    choices->addWidget(m_overwrite);

    m_folders = new QFileSystemModel(this);
    m_folders->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    m_folders->setRootPath(QStringLiteral("/"));
    m_folders->setReadOnly(true);
    m_tree = new QTreeView(this);
    m_tree->setObjectName(QStringLiteral("FolderTree"));
    m_tree->setModel(m_folders);
    for (int c = 1; c < m_folders->columnCount(); ++c)
        m_tree->hideColumn(c);
    m_tree->setHeaderHidden(true);
    m_tree->setRootIndex(m_folders->index(QStringLiteral("/")));
    connect(m_tree->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &CopyMoveDialog::followTree);

    m_path = new QLineEdit(this);
    m_path->setObjectName(QStringLiteral("DestinationEdit"));
    m_path->setPlaceholderText(QStringLiteral("コピー先または移動先のフォルダ"));
    auto *browse = new QPushButton(QStringLiteral("参照…"), this);
    browse->setObjectName(QStringLiteral("BrowseButton"));
    connect(browse, &QPushButton::clicked, this, &CopyMoveDialog::chooseFolder);
    auto *pathRow = new QHBoxLayout;
    pathRow->addWidget(m_path, 1);
    pathRow->addWidget(browse);

    auto *close = new QPushButton(QStringLiteral("閉じる"), this);
    close->setObjectName(QStringLiteral("CloseButton"));
    auto *run = new QPushButton(QStringLiteral("実行"), this);
    run->setObjectName(QStringLiteral("ExecuteButton"));
    run->setAutoDefault(false);
    close->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, &QDialog::hide);
    connect(run, &QPushButton::clicked, this, &CopyMoveDialog::execute);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(run);
    buttons->addWidget(close);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(choices);
    layout->addWidget(m_tree, 1);
    layout->addLayout(pathRow);
    layout->addLayout(buttons);

    connect(m_move, &QRadioButton::toggled, this,
            [this](bool on) { setWindowTitle(captionFor(on)); });
    setWindowTitle(captionFor(false));
}

QString CopyMoveDialog::captionFor(bool move)
{
    return move ? QStringLiteral("移動先フォルダ選択") : QStringLiteral("コピー先フォルダ選択");
}

bool CopyMoveDialog::moveChosen() const
{
    return m_move->isChecked();
}

void CopyMoveDialog::setMoveChosen(bool move)
{
    (move ? m_move : m_copy)->setChecked(true);
    setWindowTitle(captionFor(move));
}

bool CopyMoveDialog::overwrite() const
{
    return m_overwrite->isChecked();
}

void CopyMoveDialog::setOverwrite(bool on)
{
    m_overwrite->setChecked(on);
}

QString CopyMoveDialog::destination() const
{
    return m_path->text().trimmed();
}

void CopyMoveDialog::setDestination(const QString &folder)
{
    m_path->setText(folder);
    if (!folder.isEmpty() && QDir::isAbsolutePath(folder)) {
        const QModelIndex index = m_folders->index(QDir::cleanPath(folder));
        if (index.isValid()) {
            const QSignalBlocker block(m_tree->selectionModel());
            m_tree->setCurrentIndex(index);
            m_tree->scrollTo(index);
        }
    }
}

void CopyMoveDialog::revealFolder(const QString &folder)
{
    if (folder.isEmpty() || !QDir::isAbsolutePath(folder))
        return;
    const QModelIndex index = m_folders->index(QDir::cleanPath(folder));
    if (!index.isValid())
        return;
    // Only the view moves: choosing in the tree is what sets the destination.
    const QSignalBlocker block(m_tree->selectionModel());
    m_tree->scrollTo(index, QAbstractItemView::PositionAtCenter);
    m_tree->expand(index);
}

void CopyMoveDialog::followTree()
{
    const QModelIndex index = m_tree->currentIndex();
    if (index.isValid())
        m_path->setText(m_folders->filePath(index));
}

void CopyMoveDialog::chooseFolder()
{
    const QString chosen = QFileDialog::getExistingDirectory(
        this, captionFor(moveChosen()), destination().isEmpty() ? QDir::homePath() : destination());
    if (!chosen.isEmpty())
        setDestination(chosen);
}

void CopyMoveDialog::execute()
{
    Q_EMIT executeRequested();
}

} // namespace kazari
