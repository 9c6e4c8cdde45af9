#include "ui/tasks/detailwindow.h"

#include "core/annotations/annotationvalues.h"
#include "core/app/colorvalue.h"
#include "core/decoration/onecolourcode.h"
#include "core/itemlist/itemlist.h"
#include "core/tasks/commentediting.h"
#include "ui/app/mainwindow.h"
#include "ui/app/messagebox.h"
#include "ui/itemlist/deferreddisplay.h"
#include "ui/itemlist/itemiconsource.h"
#include "ui/itemlist/itemlistview.h"
#include "ui/viewer/selectiondetails.h"

#include <QAction>
#include <QCheckBox>
#include <QColorDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMimeDatabase>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace kazari
{

namespace
{

const QString CommentSuffix = QStringLiteral("_cmt");

QLabel *pictureLabel(QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setFixedSize(34, 34);
    label->setAlignment(Qt::AlignCenter);
    label->setFrameShape(QFrame::StyledPanel);
    return label;
}

QWidget *captioned(QLabel *picture, const QString &caption, QWidget *parent)
{
    auto *box = new QWidget(parent);
    auto *layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(picture, 0, Qt::AlignHCenter);
    auto *text = new QLabel(caption, box);
    text->setAlignment(Qt::AlignHCenter);
    layout->addWidget(text);
    return box;
}

// Black where the icon has its own pixels, white elsewhere.
QImage maskOf(const QImage &icon)
{
    if (icon.isNull())
        return QImage();
    const QImage argb = icon.convertToFormat(QImage::Format_ARGB32);
    QImage mask(argb.size(), QImage::Format_Mono);
    mask.setColor(0, qRgb(255, 255, 255));
    mask.setColor(1, qRgb(0, 0, 0));
    for (int y = 0; y < argb.height(); ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x)
            mask.setPixel(x, y, qAlpha(line[x]) >= 128 ? 1 : 0);
    }
    return mask;
}

} // namespace

DetailWindow *DetailWindow::install(MainWindow &form)
{
    if (auto *existing = form.findChild<DetailWindow *>())
        return existing;
    auto *window = new DetailWindow(form);
    QPointer<DetailWindow> self(window);
    form.addCommandHandler([self, &form](const QString &name, QAction *) {
        if (!self || name != openCommand())
            return false;
        // Opening it while it shows does nothing.
        if (self->isVisible())
            return true;
        // Without a selection nothing happens (the window would show whatever it showed
        // last, an item that may be gone).
        const QStringList paths = form.selectedPaths();
        if (paths.isEmpty())
            return true;
        self->fillFor(paths.first());
        self->show();
        self->raise();
        return true;
    });
    connect(SelectionDetails::install(form), &SelectionDetails::refreshComment, window,
            [self, &form](int row, bool selected) {
                if (!self || !self->isVisible() || !selected)
                    return;
                ItemList &list = form.itemListView()->list();
                if (row >= 0 && row < list.count())
                    self->fillFor(list.at(row).PATH);
            });
    return window;
}

DetailWindow::DetailWindow(MainWindow &form)
    : QWidget(&form, Qt::Tool | Qt::WindowStaysOnTopHint)
    , m_form(form)
{
    setObjectName(QStringLiteral("DetailWindow"));
    setWindowTitle(QStringLiteral("詳細情報"));
    m_chooseColour = [](QWidget *parent) -> std::optional<QColor> {
        const QColor c = QColorDialog::getColor(Qt::white, parent);
        if (!c.isValid())
            return std::nullopt;
        return c;
    };

    auto *layout = new QVBoxLayout(this);
    m_heading = new QLabel(this);
    m_heading->setTextFormat(Qt::PlainText);
    layout->addWidget(m_heading);

    auto *attributes = new QGroupBox(QStringLiteral("属性"), this);
    auto *attributeGrid = new QGridLayout(attributes);
    m_readOnly = new QCheckBox(QStringLiteral("読み出し専用ファイル"), attributes);
    m_hidden = new QCheckBox(QStringLiteral("非表示ファイル"), attributes);
    m_system = new QCheckBox(QStringLiteral("システムファイル"), attributes);
    m_volume = new QCheckBox(QStringLiteral("ボリュームファイル"), attributes);
    m_folder = new QCheckBox(QStringLiteral("ディレクトリファイル"), attributes);
    m_archive = new QCheckBox(QStringLiteral("アーカイブファイル"), attributes);
    m_all = new QCheckBox(QStringLiteral("すべてのファイル"), attributes);
    m_all->setEnabled(false);
    m_all->hide();
    // Hidden is a name starting with a dot: shown, not changed here (that is a rename).
    // Volume labels and the archive mark do not exist on this system.
    m_hidden->setEnabled(false);
    m_volume->setEnabled(false);
    m_folder->setEnabled(false);
    m_archive->setEnabled(false);
    attributeGrid->addWidget(m_readOnly, 0, 0);
    attributeGrid->addWidget(m_hidden, 0, 1);
    attributeGrid->addWidget(m_system, 1, 0);
    attributeGrid->addWidget(m_volume, 1, 1);
    attributeGrid->addWidget(m_folder, 2, 0);
    attributeGrid->addWidget(m_archive, 2, 1);
    layout->addWidget(attributes);

    auto *propertyBox = new QGroupBox(QStringLiteral("プロパティ"), this);
    auto *propertyLayout = new QVBoxLayout(propertyBox);
    m_properties = new QTableWidget(5, 2, propertyBox);
    m_properties->horizontalHeader()->hide();
    m_properties->verticalHeader()->hide();
    m_properties->horizontalHeader()->setStretchLastSection(true);
    const QStringList names{QStringLiteral("コメント"), QStringLiteral("サイズ"),
                            QStringLiteral("タイプ"), QStringLiteral("説明"),
                            QStringLiteral("場所")};
    for (int row = 0; row < names.size(); ++row) {
        auto *name = new QTableWidgetItem(names.at(row));
        name->setFlags(Qt::ItemIsEnabled);
        m_properties->setItem(row, 0, name);
        auto *value = new QTableWidgetItem;
        value->setFlags(row == 0 ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable
                                 : Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        m_properties->setItem(row, 1, value);
    }
    m_properties->setColumnWidth(0, 70);
    m_properties->setFixedHeight(m_properties->rowHeight(0) * 5 + 4);
    propertyLayout->addWidget(m_properties);
    layout->addWidget(propertyBox);

    auto *icons = new QGroupBox(QStringLiteral("アイコン"), this);
    auto *iconRow = new QHBoxLayout(icons);
    m_picture = pictureLabel(icons);
    m_picture->setToolTip(QStringLiteral("クリックで単一色"));
    m_picture->setContextMenuPolicy(Qt::CustomContextMenu);
    m_swatch = pictureLabel(icons);
    m_swatch->setToolTip(QStringLiteral("ダブルクリックでキャプションの色"));
    m_seal = pictureLabel(icons);
    m_label = pictureLabel(icons);
    m_mask = pictureLabel(icons);
    iconRow->addWidget(captioned(m_picture, QString(), icons));
    iconRow->addWidget(captioned(m_swatch, QStringLiteral("キャプション"), icons));
    iconRow->addWidget(captioned(m_seal, QStringLiteral("シール"), icons));
    iconRow->addWidget(captioned(m_label, QStringLiteral("ラベル"), icons));
    iconRow->addWidget(captioned(m_mask, QString(), icons));
    layout->addWidget(icons);
    m_picture->installEventFilter(this);
    m_swatch->installEventFilter(this);

    m_popup = new QMenu(this);
    for (const QString &caption :
         {QStringLiteral("コピー"), QStringLiteral("ペースト"), QStringLiteral("解除")})
        m_popup->addAction(caption)->setEnabled(false);
    m_popup->addSeparator();
    m_shellColour = m_popup->addAction(QStringLiteral("エクスプローラのフォルダの色を変える"));
    m_shellColourClear = m_popup->addAction(QStringLiteral("エクスプローラのフォルダの設定解除"));
    auto forward = [this](const QString &command) {
        if (QAction *a = m_form.commands().action(command))
            a->trigger();
    };
    connect(m_shellColour, &QAction::triggered, this,
            [forward]() { forward(QStringLiteral("cmdShellFolderColour")); });
    connect(m_shellColourClear, &QAction::triggered, this,
            [forward]() { forward(QStringLiteral("cmdShellFolderColourClear")); });
    connect(m_picture, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &at) { m_popup->popup(m_picture->mapToGlobal(at)); });

    auto *buttons = new QHBoxLayout;
    m_apply = new QPushButton(QStringLiteral("設定"), this);
    buttons->addStretch(1);
    buttons->addWidget(m_apply);
    layout->addLayout(buttons);
    connect(m_apply, &QPushButton::clicked, this, &DetailWindow::applySettings);
}

void DetailWindow::fillFor(const QString &path)
{
    if (path.isEmpty())
        return;
    m_path = path;
    const QFileInfo info(path);
    m_read = ItemAttributes::read(path);
    m_readOnly->setChecked(m_read.readOnly);
    m_hidden->setChecked(m_read.hidden);
    m_system->setChecked(m_read.system);
    m_volume->setChecked(m_read.volume);
    m_folder->setChecked(m_read.folder);
    m_archive->setChecked(m_read.archive);
    // Read-only is the owner's write permission, which this window changes for files only.
    m_readOnly->setEnabled(m_read.readable && !m_read.folder);
    m_system->setEnabled(m_read.readable);

    m_heading->setText(info.fileName() + QStringLiteral(" の属性"));
    const bool folder = m_read.folder;
    m_shownComment = m_form.store().GetByPath(path, CommentSuffix);
    m_properties->item(0, 1)->setText(m_shownComment);
    m_properties->item(1, 1)->setText(
        ItemAttributes::sizeText(m_read.readable && !folder ? info.size() : 0));
    m_properties->item(2, 1)->setText(folder ? QStringLiteral("ファイル フォルダ")
                                             : QMimeDatabase().mimeTypeForFile(info).comment());
    m_properties->item(3, 1)->setText(QString());
    m_properties->item(4, 1)->setText(path);

    fillPictures(m_form.itemListView()->list().rowOfPath(path), folder);
    m_shellColour->setEnabled(folder);
    m_shellColourClear->setEnabled(folder);
}

void DetailWindow::fillPictures(int row, bool folder)
{
    ItemListView *view = m_form.itemListView();
    const bool large = view->look().largeIcons();
    const int size = large ? 32 : 16;
    const FileAnnotationRec rec =
        row >= 0 ? view->list().annotationOf(row) : m_form.store().recordByPath(m_path);

    const QImage icon = view->icons().iconOfPath(m_path, size);
    const ShownItem *shown = row >= 0 ? view->display().lookup(row) : nullptr;
    QPixmap picture = shown && !shown->picture.isNull() ? shown->picture : QPixmap::fromImage(icon);
    if (!picture.isNull() && picture.width() > size)
        picture = picture.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    m_picture->setPixmap(picture);
    Q_UNUSED(folder);

    QPixmap swatch(size, size);
    const std::optional<qint32> caption = ColorValue::parse(rec.CVColor);
    swatch.fill(caption && !ColorValue::isSystemColor(*caption) ? ColorValue::toColor(*caption)
                                                                : QColor(Qt::white));
    m_swatch->setPixmap(swatch);

    const std::optional<int> seal = AnnotationValues::parseInteger(rec.s);
    const QList<QPixmap> &seals = view->look().seals;
    m_seal->setPixmap(seal && *seal >= 0 && *seal < seals.size()
                          ? seals.at(*seal).scaled(size, size, Qt::KeepAspectRatio)
                          : QPixmap());
    const std::optional<int> label = AnnotationValues::parseInteger(rec.label);
    const QList<QPixmap> &labels = view->look().labels();
    m_label->setPixmap(label && *label >= 0 && *label < labels.size()
                           ? labels.at(*label).scaled(size, size, Qt::KeepAspectRatio)
                           : QPixmap());
    const QImage mask = maskOf(icon);
    m_mask->setPixmap(mask.isNull() ? QPixmap() : QPixmap::fromImage(mask));
}

bool DetailWindow::applySettings()
{
    if (m_path.isEmpty())
        return false;
    const ItemAttributes now = ItemAttributes::read(m_path);
    if (!now.readable) {
        MessageBox::warning(this, CommentEditing::missingItemText() + m_path);
        return false;
    }
    ItemAttributes wanted = now;
    wanted.readOnly = m_readOnly->isChecked();
    wanted.system = m_system->isChecked();
    bool ok = true;
    QString error;
    if (!ItemAttributes::apply(m_path, wanted, &error)) {
        MessageBox::warning(this, error);
        ok = false;
    }
    // The comment only when it was edited here: one written elsewhere since the window
    // was filled is not put back to what it showed.
    const QString comment = m_properties->item(0, 1)->text();
    if (comment != m_shownComment) {
        StoreResult r;
        QString why;
        if (CommentEditing::canWrite(m_form.store(), m_path, &why)) {
            r = m_form.store().SetByPath(m_path, CommentSuffix, comment);
        } else {
            r.ok = false;
            r.error = why;
        }
        if (!r.ok) {
            if (!r.declined)
                MessageBox::warning(this, r.error);
            ok = false;
        } else {
            Q_EMIT commentWritten(m_path);
        }
    }
    reshow();
    fillFor(m_path);
    return ok;
}

bool DetailWindow::chooseCaptionColour()
{
    if (m_path.isEmpty() || !m_chooseColour || !writable())
        return false;
    const std::optional<QColor> colour = m_chooseColour(this);
    if (!colour)
        return false;
    const StoreResult r = m_form.store().SetByPath(m_path, QStringLiteral("_CVColor"),
                                                   QString::number(ColorValue::fromColor(*colour)));
    if (!r.ok) {
        if (!r.declined)
            MessageBox::warning(this, r.error);
        return false;
    }
    // The list shows it at its next refresh.
    fillFor(m_path);
    return true;
}

bool DetailWindow::chooseOneColour()
{
    if (m_path.isEmpty() || !m_chooseColour || !writable())
        return false;
    const std::optional<QColor> colour = m_chooseColour(this);
    if (!colour)
        return false;
    // A chosen colour never reads as one of the fixed mask codes 1 to 7.
    const qint32 number = OneColourCode::fromChosenColour(ColorValue::fromColor(*colour));
    const StoreResult r =
        m_form.store().SetByPath(m_path, QStringLiteral("_oneColor"), QString::number(number));
    if (!r.ok) {
        if (!r.declined)
            MessageBox::warning(this, r.error);
        return false;
    }
    reshow();
    fillFor(m_path);
    return true;
}

bool DetailWindow::writable()
{
    QString why;
    if (CommentEditing::canWrite(m_form.store(), m_path, &why))
        return true;
    MessageBox::warning(this, why);
    return false;
}

void DetailWindow::reshow()
{
    ItemListView *view = m_form.itemListView();
    const int row = view->list().rowOfPath(m_path);
    if (row >= 0)
        view->reshowRow(row);
}

bool DetailWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_swatch && event->type() == QEvent::MouseButtonDblClick) {
        chooseCaptionColour();
        return true;
    }
    if (watched == m_picture && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        chooseOneColour();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace kazari
