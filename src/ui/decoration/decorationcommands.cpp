#include "ui/decoration/decorationcommands.h"

#include "core/annotations/annotationkey.h"
#include "core/annotations/annotationlist.h"
#include "core/app/colorvalue.h"
#include "core/decoration/builtinpictures.h"
#include "core/decoration/decorationpresets.h"
#include "core/decoration/onecolourcode.h"
#include "ui/app/mainwindow.h"
#include "ui/app/messagebox.h"
#include "ui/itemlist/itemlistlook.h"
#include "ui/itemlist/itemlistmodel.h"
#include "ui/itemlist/itemlistview.h"
#include "ui/itemlist/listpictures.h"

#include <QAction>
#include <QColorDialog>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QInputDialog>
#include <QItemSelectionModel>
#include <QLabel>
#include <QListView>
#include <QMouseEvent>
#include <QPointer>
#include <QToolBar>
#include <QToolButton>

namespace kazari
{

namespace
{

const QString OneColorSuffix = QStringLiteral("_oneColor");
const QString RgbSuffix = QStringLiteral("_RGB");
const QString CaptionSuffix = QStringLiteral("_CVColor");
const QString CommentSuffix = QStringLiteral("_cmt");
const QString StampSuffix = QStringLiteral("_stp");

// The colour dialog's custom colours, as colour numbers: red, green, blue, yellow, aqua
// and fuchsia.
constexpr qint32 CustomColours[] = {0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF, 0xFFFF00, 0xFF00FF};

std::optional<int> numberAfter(const QString &name, const QString &prefix, int first, int last)
{
    if (!name.startsWith(prefix))
        return std::nullopt;
    bool ok = false;
    const int n = name.mid(prefix.size()).toInt(&ok);
    if (!ok || n < first || n > last || QString::number(n) != name.mid(prefix.size()))
        return std::nullopt;
    return n;
}

QString withoutTrailingSlash(QString path)
{
    while (path.size() > 1 && path.endsWith(QLatin1Char('/')))
        path.chop(1);
    return path;
}

std::optional<QColor> colourDialog(QWidget *parent)
{
    for (int i = 0; i < int(std::size(CustomColours)); ++i)
        QColorDialog::setCustomColor(i, ColorValue::toColor(CustomColours[i]));
    const QColor c = QColorDialog::getColor(Qt::white, parent);
    if (!c.isValid())
        return std::nullopt;
    return c;
}

std::optional<QString> inputBox(QWidget *parent, const QString &caption, const QString &prompt,
                                const QString &preset)
{
    bool ok = false;
    const QString text =
        QInputDialog::getText(parent, caption, prompt, QLineEdit::Normal, preset, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

} // namespace

DecorationCommands *DecorationCommands::install(MainWindow &form)
{
    auto *commands = form.findChild<DecorationCommands *>(QString(), Qt::FindDirectChildrenOnly);
    if (!commands)
        commands = new DecorationCommands(form);
    commands->buildMenus();
    return commands;
}

DecorationCommands::DecorationCommands(MainWindow &form)
    : QObject(&form)
    , m_form(form)
    , m_chooseColour(colourDialog)
    , m_askText(inputBox)
{
    setObjectName(QStringLiteral("DecorationCommands"));
    QPointer<DecorationCommands> self(this);
    form.addCommandHandler(
        [self](const QString &name, QAction *) { return self && self->onCommand(name); });
    m_folderImage = form.folderImage();
    if (m_folderImage) {
        m_folderImage->setToolTip(folderImageHint());
        m_folderImage->installEventFilter(this);
    }
}

// ---------------------------------------------------------------------------------------
// Menus

void DecorationCommands::buildMenus()
{
    const Settings &settings = m_form.settings();
    CommandRegistry &commands = m_form.commands();

    // The pictures the item list uses: seal files or the built-in seals, the 16-pixel
    // label strip cut into its four squares.
    ItemListLook look;
    ListPictures::load(look, settings, m_form.programFolder());

    auto iconOnlyOnBars = [this](QAction *a) {
        for (const QString &bar :
             {QStringLiteral("ToolBarIcon"), QStringLiteral("ToolBarCaption")}) {
            QToolBar *toolBar = m_form.toolBar(bar);
            if (!toolBar)
                continue;
            if (auto *button = qobject_cast<QToolButton *>(toolBar->widgetForAction(a)))
                button->setToolButtonStyle(Qt::ToolButtonIconOnly);
        }
    };

    for (int k = 0; k < DecorationPresets::CaptionPresetCount; ++k) {
        QAction *a = commands.action(QStringLiteral("cmdCaptionColour") + QString::number(k));
        if (!a)
            continue;
        const CaptionPreset preset = DecorationPresets::captionPreset(settings, k);
        const QColor colour = ColorValue::toColor(preset.colour);
        QIcon icon(QPixmap::fromImage(BuiltinPictures::colourBarButton(colour)));
        a->setText(preset.name);
        a->setIcon(icon);
        a->setToolTip(preset.name);
        a->setStatusTip(preset.name);
        a->setIconVisibleInMenu(true);
        iconOnlyOnBars(a);
    }
    for (int i = 0; i < DecorationPresets::SealCount; ++i) {
        QAction *a = commands.action(QStringLiteral("cmdSeal") + QString::number(i));
        if (!a)
            continue;
        a->setText(DecorationPresets::sealName(settings, i));
        if (i < look.seals.size())
            a->setIcon(QIcon(look.seals.at(i)));
    }
    for (int i = 0; i < DecorationPresets::LabelCount; ++i) {
        QAction *a = commands.action(QStringLiteral("cmdLabel") + QString::number(i));
        if (a && i < look.labelsSmall.size())
            a->setIcon(QIcon(look.labelsSmall.at(i)));
    }
    for (int code = OneColourCode::FirstFixed; code <= OneColourCode::LastFixed; ++code) {
        QAction *a = commands.action(QStringLiteral("cmdMaskColour") + QString::number(code));
        if (!a)
            continue;
        const QString name = DecorationPresets::maskColourName(settings, code);
        const QColor colour =
            ColorValue::toColor(OneColourCode::folderColourNumber(code).value_or(0));
        a->setIcon(QIcon(QPixmap::fromImage(BuiltinPictures::maskColourButton(colour))));
        a->setToolTip(name);
        a->setStatusTip(name);
        iconOnlyOnBars(a);
    }
    // The buttons beside the colours: a colour from the dialog, and removal.
    const std::pair<const char *, QImage> others[] = {
        {"cmdOneColourMask", BuiltinPictures::maskChoiceButton()},
        {"cmdOneColourDelete", BuiltinPictures::maskRemovalButton()},
        {"cmdCaptionMaskChoose", BuiltinPictures::captionChoiceButton()},
        {"cmdCaptionMaskNone", BuiltinPictures::captionRemovalButton()},
    };
    for (const auto &[name, picture] : others) {
        QAction *a = commands.action(QLatin1String(name));
        if (!a)
            continue;
        a->setIcon(QIcon(QPixmap::fromImage(picture)));
        iconOnlyOnBars(a);
    }
}

// ---------------------------------------------------------------------------------------
// Commands

bool DecorationCommands::onCommand(const QString &name)
{
    if (const std::optional<int> code =
            numberAfter(name, QStringLiteral("cmdMaskColour"), OneColourCode::FirstFixed,
                        OneColourCode::LastFixed)) {
        maskCode(*code);
        return true;
    }
    if (const std::optional<int> k = numberAfter(name, QStringLiteral("cmdCaptionColour"), 0,
                                                 DecorationPresets::CaptionPresetCount - 1)) {
        setCaptionColour(DecorationPresets::captionPreset(m_form.settings(), *k).colourText);
        return true;
    }
    if (const std::optional<int> i =
            numberAfter(name, QStringLiteral("cmdSeal"), 0, DecorationPresets::SealCount - 1)) {
        SetLabelOrSeal(-1, *i);
        return true;
    }
    if (const std::optional<int> i =
            numberAfter(name, QStringLiteral("cmdLabel"), 0, DecorationPresets::LabelCount - 1)) {
        SetLabelOrSeal(*i, -1);
        return true;
    }
    if (name == QLatin1String("cmdSealNone")) {
        RemoveLabelOrSeal(0, -1);
        return true;
    }
    if (name == QLatin1String("cmdLabelNone")) {
        RemoveLabelOrSeal(-1, 0);
        return true;
    }
    if (name == QLatin1String("cmdOneColourMask")) {
        chooseMaskColour();
        return true;
    }
    if (name == QLatin1String("cmdOneColourDelete") || name == QLatin1String("cmdIconMaskNone")) {
        removeMasks();
        return true;
    }
    if (name == QLatin1String("cmdCaptionMaskChoose")) {
        if (const std::optional<QColor> c = chooseColour())
            setCaptionColour(QString::number(ColorValue::fromColor(*c)));
        return true;
    }
    if (name == QLatin1String("cmdCaptionMaskNone")) {
        removeCaptionColour();
        return true;
    }
    if (name == QLatin1String("cmdStampNone")) {
        setStamp(-1);
        return true;
    }
    if (name == QLatin1String("cmdStamp0")) {
        setStamp(0);
        return true;
    }
    if (name == QLatin1String("cmdCopyAnnotations")) {
        copyAnnotations();
        return true;
    }
    if (name == QLatin1String("cmdPasteAnnotations")) {
        pasteAnnotations();
        return true;
    }
    return false;
}

QList<DecorationCommands::Selected> DecorationCommands::snapshot() const
{
    QList<Selected> out;
    ItemListView *view = m_form.itemListView();
    const ItemList &list = view->list();
    for (int row : view->selectedRows()) {
        if (row < 0 || row >= list.count())
            continue;
        const ItemRecord &record = list.at(row);
        Selected s;
        s.id = record.id;
        if (record.ItemType == NamespaceItem) {
            // Items of a virtual location are kept under the location itself.
            s.target.folder = m_form.currentFolder();
            s.target.name = record.Name;
        } else {
            s.target = DecorationTarget::fromPath(record.PATH);
        }
        if (s.target.isValid())
            out.append(s);
    }
    return out;
}

QList<DecorationTarget> DecorationCommands::targetsOf(const QList<Selected> &items)
{
    QList<DecorationTarget> targets;
    targets.reserve(items.size());
    for (const Selected &s : items)
        targets.append(s.target);
    return targets;
}

bool DecorationCommands::apply(const QList<Selected> &items,
                               const DecorationBatch::ItemChange &change, bool mayCreate)
{
    const DecorationBatch::Result r =
        DecorationBatch::apply(m_form.store(), targetsOf(items), change, mayCreate);
    if (!r.ok)
        showError(r.error);
    return r.ok;
}

void DecorationCommands::reshow(const QList<Selected> &items)
{
    ItemListView *view = m_form.itemListView();
    for (const Selected &s : items) {
        const int row = view->list().rowOfId(s.id);
        if (row >= 0)
            view->reshowRow(row);
    }
}

void DecorationCommands::rebuild(const QList<Selected> &items)
{
    // A folder is listed again, keeping the selection; search results, list files and
    // expanded tree lists keep their rows and show the changed items again.
    ItemListView *view = m_form.itemListView();
    if (view->list().mode() == ItemListMode::Folder && !view->look().treeList)
        m_form.refreshList();
    else
        reshow(items);
}

void DecorationCommands::deselect(const QList<Selected> &items)
{
    ItemListView *view = m_form.itemListView();
    QItemSelectionModel *selection = view->iconView()->selectionModel();
    for (const Selected &s : items) {
        const int row = view->list().rowOfId(s.id);
        if (row >= 0)
            selection->select(view->model()->index(row, 0),
                              QItemSelectionModel::Deselect | QItemSelectionModel::Rows);
    }
}

void DecorationCommands::IconColorChange(qint32 value, const std::optional<ColourShift> &shift)
{
    changeIconColour(snapshot(), value, shift);
}

void DecorationCommands::IconColorDel()
{
    const QList<Selected> items = snapshot();
    if (deleteIconColour(items))
        reshow(items);
}

void DecorationCommands::changeIconColour(const QList<Selected> &items, qint32 value,
                                          const std::optional<ColourShift> &shift)
{
    if (items.isEmpty())
        return;
    if (shift)
        apply(items,
              DecorationBatch::setField(RgbSuffix, AnnotationValues::formatColourShift(*shift)),
              true);
    else
        apply(items, DecorationBatch::setField(OneColorSuffix, QString::number(value)), true);
    reshow(items);
}

bool DecorationCommands::deleteIconColour(const QList<Selected> &items)
{
    if (items.isEmpty())
        return false;
    apply(items, DecorationBatch::removeFields({RgbSuffix, OneColorSuffix}), false);
    return true;
}

void DecorationCommands::maskCode(int code)
{
    const QList<Selected> items = snapshot();
    if (!items.isEmpty()) {
        changeIconColour(items, code, std::nullopt);
        return;
    }
    if (const std::optional<qint32> number = OneColourCode::folderColourNumber(code))
        setFolderField(OneColorSuffix, QString::number(*number), true);
}

void DecorationCommands::chooseMaskColour()
{
    const QList<Selected> items = snapshot();
    const std::optional<QColor> colour = chooseColour();
    if (!colour)
        return;
    const qint32 value = OneColourCode::fromChosenColour(ColorValue::fromColor(*colour));
    if (!items.isEmpty())
        changeIconColour(items, value, std::nullopt);
    else
        setFolderField(OneColorSuffix, QString::number(value), true);
}

void DecorationCommands::removeMasks()
{
    const QList<Selected> items = snapshot();
    if (items.isEmpty()) {
        removeFolderField(RgbSuffix);
        removeFolderField(OneColorSuffix);
        return;
    }
    deleteIconColour(items);
    rebuild(items);
}

void DecorationCommands::SetLabelOrSeal(int label, int seal)
{
    const QList<Selected> items = snapshot();
    if (items.isEmpty())
        return;
    apply(items, DecorationBatch::setLabelOrSeal(label, seal), true);
    rebuild(items);
}

void DecorationCommands::RemoveLabelOrSeal(int label, int seal)
{
    const QList<Selected> items = snapshot();
    if (items.isEmpty())
        return;
    apply(items, DecorationBatch::removeLabelOrSeal(label, seal), false);
    rebuild(items);
}

void DecorationCommands::setCaptionColour(const QString &text)
{
    const QList<Selected> items = snapshot();
    if (items.isEmpty()) {
        setFolderField(CaptionSuffix, text, false);
        return;
    }
    apply(items, DecorationBatch::setField(CaptionSuffix, text), true);
    // Unselected, the item shows its new caption background.
    deselect(items);
    reshow(items);
}

void DecorationCommands::removeCaptionColour()
{
    const QList<Selected> items = snapshot();
    if (items.isEmpty()) {
        removeFolderField(CaptionSuffix);
        return;
    }
    apply(items, DecorationBatch::removeFields({CaptionSuffix}), false);
    deselect(items);
    reshow(items);
}

void DecorationCommands::setStamp(int tag)
{
    const QList<Selected> items = snapshot();
    if (items.isEmpty())
        return;
    const Selected &first = items.first();
    const StoreResult r = m_form.store().SetByPath(AnnotationStore::folderKey(first.target.folder) +
                                                       first.target.name,
                                                   StampSuffix, QString::number(tag));
    if (!r.ok && !r.declined)
        showError(r.error);
    reshow({first});
}

void DecorationCommands::copyAnnotations()
{
    const QList<Selected> items = snapshot();
    if (items.isEmpty())
        return;
    const DecorationTarget &t = items.first().target;
    QString error;
    const AnnotationList list = m_form.store().folderList(t.folder, nullptr, &error);
    if (!error.isEmpty()) {
        showError(error);
        return;
    }
    m_form.store().setClipboard(list.record(t.name));
    m_copied = true;
}

void DecorationCommands::pasteAnnotations()
{
    const QList<Selected> items = snapshot();
    if (items.isEmpty() || !m_copied)
        return;
    const FileAnnotationRec &record = m_form.store().clipboard();
    apply(items, DecorationBatch::pasteRecord(record), !record.isEmpty());
    rebuild(items);
}

// ---------------------------------------------------------------------------------------
// The current folder's own annotation

QString DecorationCommands::folderPath() const
{
    if (m_form.store().shellNamespaceMode())
        return QString();
    const QString folder = withoutTrailingSlash(m_form.currentFolder());
    if (folder.isEmpty() || !QDir::isAbsolutePath(folder) || !QFileInfo(folder).isDir())
        return QString();
    return folder;
}

bool DecorationCommands::folderFieldWritable(const QString &folder)
{
    AnnotationStore &store = m_form.store();
    if (store.mode() != StorageMode::PerFolder)
        return true;
    QString parent;
    QString name;
    if (!AnnotationStore::splitItemPath(folder, &parent, &name))
        return false;
    const AnnotationFileRef ref = store.fileForFolder(parent);
    return ref.isFile() && QFileInfo(ref.path).isFile();
}

void DecorationCommands::setFolderField(const QString &suffix, const QString &value,
                                        bool onlyIntoExisting)
{
    const QString folder = folderPath();
    if (folder.isEmpty())
        return;
    if (!onlyIntoExisting || folderFieldWritable(folder)) {
        const StoreResult r = m_form.store().SetByPath(folder, suffix, value);
        if (!r.ok && !r.declined)
            showError(r.error);
    }
    if (suffix == OneColorSuffix)
        repaintFolderImage();
}

void DecorationCommands::removeFolderField(const QString &suffix)
{
    const QString folder = folderPath();
    if (folder.isEmpty())
        return;
    const StoreResult r = m_form.store().DeleteByPath(folder, suffix);
    if (!r.ok && !r.declined)
        showError(r.error);
    if (suffix == OneColorSuffix)
        repaintFolderImage();
}

void DecorationCommands::repaintFolderImage()
{
    // Painted from what the store reads back, never from what was asked for.
    const QString folder = folderPath();
    if (folder.isEmpty())
        return;
    m_form.showFolderIcon(AnnotationStore::folderKey(folder));
    // The folder history shows the folder with the same picture.
    QComboBox *history = m_form.pathBox();
    const int entry = history ? history->findText(folder) : -1;
    if (entry >= 0)
        history->setItemIcon(entry, QIcon(m_form.folderImage()->pixmap()));
}

void DecorationCommands::folderImageClicked(Qt::MouseButton button)
{
    const QString folder = folderPath();
    if (folder.isEmpty())
        return;
    if (button == Qt::RightButton) {
        if (const std::optional<QColor> colour = chooseColour())
            setFolderField(
                OneColorSuffix,
                QString::number(OneColourCode::fromChosenColour(ColorValue::fromColor(*colour))),
                true);
        return;
    }
    if (button != Qt::LeftButton)
        return;
    const QString preset = m_form.store().GetByPath(folder, CommentSuffix);
    const std::optional<QString> text =
        m_askText(&m_form, QStringLiteral(" コメント"), QStringLiteral("コメント"), preset);
    if (text)
        setFolderField(CommentSuffix, *text, true);
}

bool DecorationCommands::eventFilter(QObject *watched, QEvent *event)
{
    if (m_folderImage && watched == m_folderImage && event->type() == QEvent::MouseButtonRelease) {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (m_folderImage->rect().contains(mouse->position().toPoint())) {
            folderImageClicked(mouse->button());
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

std::optional<QColor> DecorationCommands::chooseColour()
{
    return m_chooseColour ? m_chooseColour(&m_form) : std::nullopt;
}

void DecorationCommands::showError(const QString &error)
{
    if (!error.isEmpty())
        MessageBox::information(&m_form, error);
}

} // namespace kazari
