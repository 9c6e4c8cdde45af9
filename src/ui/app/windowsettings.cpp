#include "ui/app/windowsettings.h"

#include "core/app/colorvalue.h"
#include "core/decoration/builtinpictures.h"
#include "core/decoration/captionpalette.h"
#include "core/decoration/decorationflags.h"
#include "core/itemlist/sortorder.h"
#include "core/platform/textfile.h"
#include "ui/app/listbuilder.h"
#include "ui/app/mainwindow.h"
#include "ui/app/messagebox.h"
#include "ui/app/panelayout.h"
#include "ui/app/toolbararea.h"
#include "ui/decoration/decorationcommands.h"
#include "ui/itemlist/itemlistview.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSlider>
#include <QSplitter>
#include <QTabBar>
#include <QToolBar>
#include <QTreeWidget>

namespace kazari
{

WindowSettings::WindowSettings(MainWindow &window)
    : m_w(window)
{
}

void WindowSettings::applyWindowAttributes()
{
    m_w.m_treeType = m_w.m_settings.integer(QStringLiteral("GTree2Type"), 0);
    // FreeTreeName counts only when its tree file is there; it never leaves the program
    // folder. The tree is then read from the file it is saved to at the exit.
    const QString treeName = m_w.m_settings.value(QStringLiteral("FreeTreeName"));
    if (ProgramFolder::isContainedName(treeName) && treeName != m_w.m_freeTreeFileName &&
        QFileInfo(m_w.m_options.programFolder.file(treeName + QStringLiteral(".txt"))).isFile()) {
        m_w.m_freeTreeFileName = treeName;
        m_w.readFreeTree();
    }
    const std::optional<int> h = m_w.m_settings.integer(QStringLiteral("LastHeight"));
    const std::optional<int> w = m_w.m_settings.integer(QStringLiteral("LastWidth"));
    if (h || w)
        m_w.resize(qBound(200, w.value_or(m_w.width()), 10000),
                   qBound(150, h.value_or(m_w.height()), 10000));
    m_w.m_iconSizeSlider->setValue(
        m_w.m_settings.integer(QStringLiteral("IconSize"), DecorationFlags::DefaultLargeSize));
    const std::optional<int> top = m_w.m_settings.integer(QStringLiteral("LastTop"));
    const std::optional<int> left = m_w.m_settings.integer(QStringLiteral("LastLeft"));
    if (top || left)
        m_w.move(left.value_or(m_w.x()), top.value_or(m_w.y()));

    const int leftWidth = m_w.m_settings.integer(QStringLiteral("ShelltreeView1"), 100);
    const int listWidth = m_w.m_settings.integer(QStringLiteral("LVWidth"), 100);
    const int viewWidth = m_w.m_settings.integer(QStringLiteral("ViewWidth"), 100);
    m_w.m_panes->splitter()->setSizes(
        {qMax(40, leftWidth), qMax(40, listWidth), qMax(40, viewWidth)});
    const int leftHeight = m_w.m_settings.integer(QStringLiteral("ShelltreeView1Height"), 100);
    const int treeHeight = m_w.m_settings.integer(QStringLiteral("FreeTreeHeight"),
                                                  qMax(1, m_w.m_panes->freeTree()->height() / 2));
    m_w.m_panes->folderArea()->setSizes({qMax(40, leftHeight), qMax(20, treeHeight)});
    m_w.m_browserAddress = m_w.m_settings.value(QStringLiteral("WebLastPath"));
}

void WindowSettings::buildSettingsMenus()
{
    // The commands named in the settings go in front of each menu's fixed commands, in
    // the main menu and in the pop-up menu alike; choosing them is wired by the
    // decoration commands.
    auto fill = [this](const QString &menuName, const QString &commandPrefix, int first,
                       const QStringList &captions) {
        QList<QAction *> generated;
        for (int i = 0; i < captions.size(); ++i) {
            const QString name = commandPrefix + QString::number(first + i);
            QAction *a = m_w.m_commands.actionFor(MenuNode::command(name, captions.at(i)));
            a->setText(captions.at(i));
            generated.append(a);
        }
        for (QMenu *menu : m_w.m_commands.menus(menuName)) {
            for (QAction *a : std::as_const(generated))
                menu->removeAction(a);
            QAction *before = menu->actions().isEmpty() ? nullptr : menu->actions().first();
            menu->insertActions(before, generated);
        }
    };
    auto names = [this](const QString &prefix, int count, const QStringList &accelerators = {}) {
        QStringList out;
        for (int i = 0; i < count; ++i) {
            QString caption = m_w.m_settings.value(prefix + QString::number(i));
            if (i < accelerators.size())
                caption += QStringLiteral("(&") + accelerators.at(i) + QLatin1Char(')');
            out.append(caption);
        }
        return out;
    };
    fill(QStringLiteral("CaptionColourMenu"), QStringLiteral("cmdCaptionColour"), 0,
         names(QStringLiteral("Tx_CaptionMaskName"), 7));
    fill(QStringLiteral("SealMenu"), QStringLiteral("cmdSeal"), 0,
         names(QStringLiteral("Seal_N"), 15));
    fill(QStringLiteral("MaskMenu"), QStringLiteral("cmdMaskColour"), 1,
         names(QStringLiteral("1Color_N"), 7));
    fill(QStringLiteral("LabelMenu"), QStringLiteral("cmdLabel"), 0,
         names(
             QStringLiteral("Label_List0"), 4,
             {QStringLiteral("R"), QStringLiteral("Y"), QStringLiteral("G"), QStringLiteral("B")}));
    DecorationCommands::install(m_w);
}

void WindowSettings::applyMarksAndDisplay()
{
    // Every checkable command shows its stored mark; commands without a key keep their
    // designed mark. Setting a mark does not trigger the command (only a click does), and
    // exclusive groups must see the change, so signals stay on.
    for (const QString &name : m_w.m_commands.checkableNames()) {
        // The sort order is not kept across runs: its keys in exe.ini have no effect.
        if (!m_w.m_settings.contains(name) || SortOrder::ofCommand(name))
            continue;
        QAction *a = m_w.m_commands.action(name);
        a->setChecked(m_w.m_settings.isOn(name));
    }
    if (QAction *atBack = m_w.m_commands.action(Component::KeepAtBack))
        m_w.setWindowAtBack(atBack->isChecked());

    QFont font = m_w.m_itemList->font();
    const QString fontName = m_w.m_settings.value(QStringLiteral("ListViewFontName"));
    if (!fontName.isEmpty())
        font.setFamily(fontName);
    const int fontSize = m_w.m_settings.integer(QStringLiteral("ListViewFontSize"), 0);
    if (fontSize > 0 && fontSize < 200)
        font.setPointSize(fontSize);
    m_w.m_itemList->setFont(font);
    m_w.m_panes->freeTree()->setFont(font);
    QFont nameOnly = m_w.m_pathBox->font();
    nameOnly.setFamily(font.family());
    m_w.m_pathBox->setFont(nameOnly);
    m_w.m_commentMemo->setFont(nameOnly);

    m_w.m_listColorNumber =
        m_w.m_settings.color(QStringLiteral("ListViewColor")).value_or(0xFFFFFF);
    m_w.m_listTextColorNumber = m_w.m_settings.color(QStringLiteral("ListViewFontColor"))
                                    .value_or(m_w.m_listTextColorNumber);
    m_w.m_listTextColor = ColorValue::isSystemColor(m_w.m_listTextColorNumber)
                              ? m_w.palette().color(QPalette::WindowText)
                              : ColorValue::toColor(m_w.m_listTextColorNumber);
    m_w.m_listColor = ColorValue::isSystemColor(m_w.m_listColorNumber)
                          ? m_w.palette().color(QPalette::Base)
                          : ColorValue::toColor(m_w.m_listColorNumber);
    applyListPalette();

    m_w.m_itemList->setEditTriggers(m_w.m_settings.isOn(Component::ProtectFileNames)
                                        ? QAbstractItemView::NoEditTriggers
                                        : QAbstractItemView::EditKeyPressed |
                                              QAbstractItemView::SelectedClicked);
    m_w.m_itemList->setViewsAcceptDrops(m_w.m_settings.isOn(Component::AcceptDrops));
    applyDecorationSwitches();
    m_w.m_titleFullPath = m_w.m_settings.isOn(QStringLiteral("TitleFullPath"));
    m_w.m_toolBars->setAreaVisible(m_w.m_settings.isOn(Component::WholeToolBar));
    m_w.m_folderTabs->setVisible(m_w.m_settings.isOn(Component::FolderTabs));
}

QPixmap WindowSettings::loadPicture(const QString &userKey, const QString &defaultKey,
                                    const QImage &builtin, int size) const
{
    const QString user = m_w.m_settings.value(userKey);
    if (!user.isEmpty() && QDir::isAbsolutePath(user) && QFileInfo(user).isFile()) {
        QPixmap p(user);
        if (!p.isNull())
            return p.scaled(size, size);
    }
    const QString name = m_w.m_settings.value(defaultKey);
    if (ProgramFolder::isContainedName(name)) {
        const QString path = m_w.m_options.programFolder.dataFile(QStringLiteral("icon/") + name);
        QPixmap p(path);
        if (!p.isNull())
            return p.scaled(size, size);
    }
    return QPixmap::fromImage(builtin);
}

void WindowSettings::loadPlaceholders()
{
    m_w.m_builder->forgetPictures();
    const bool simple = m_w.m_settings.isOn(Component::SimpleIcons);
    const QString stem = simple ? QStringLiteral("nilread") : QStringLiteral("reading");
    m_w.m_placeholderLarge =
        loadPicture(QStringLiteral("Iu_") + stem + QStringLiteral("32"),
                    QStringLiteral("Id_") + stem + QStringLiteral("32"),
                    simple ? BuiltinPictures::nilread(32) : BuiltinPictures::reading(32), 32);
    m_w.m_placeholderSmall =
        loadPicture(QStringLiteral("Iu_") + stem + QStringLiteral("16"),
                    QStringLiteral("Id_") + stem + QStringLiteral("16"),
                    simple ? BuiltinPictures::nilread(16) : BuiltinPictures::reading(16), 16);
}

void WindowSettings::applyDecorationSwitches()
{
    // The icon decorations and the caption decorations each have a master switch that
    // enables the commands depending on it.
    auto enable = [this](const QStringList &names, bool on) {
        for (const QString &n : names) {
            if (QAction *a = m_w.m_commands.action(n))
                a->setEnabled(on);
            for (QMenu *menu : m_w.m_commands.menus(n))
                menu->menuAction()->setEnabled(on);
        }
    };
    const bool icons = !m_w.m_settings.contains(Component::IconExtensions) ||
                       m_w.m_settings.isOn(Component::IconExtensions);
    enable({Component::EffectMask, Component::ShowSeals, Component::ShowLabels, Component::Contrast,
            Component::Monochrome, QStringLiteral("SealMenu"), QStringLiteral("LabelMenu"),
            QStringLiteral("MaskMenu"), Component::SimpleIcons, Component::HatchMask,
            Component::SingleColourMask, Component::TextLabels, Component::ShowStamps,
            Component::PictureContents, Component::ResizeIcons, QStringLiteral("cmdClearPosition"),
            QStringLiteral("cmdEffectIconMask"), Component::EasyMask},
           icons);
    const bool captions = !m_w.m_settings.contains(Component::CaptionExtensions) ||
                          m_w.m_settings.isOn(Component::CaptionExtensions);
    enable({Component::CaptionLabels, Component::TaskCaptionColours,
            QStringLiteral("CaptionColourMenu")},
           captions);
}

void WindowSettings::setListColor(const QColor &color)
{
    m_w.m_listColor = color;
    m_w.m_listColorNumber = ColorValue::fromColor(color);
    // The settings list holds the choice, so applying the settings keeps it.
    m_w.m_settings.setValue(QStringLiteral("ListViewColor"),
                            QString::number(m_w.m_listColorNumber));
    applyListPalette();
}

void WindowSettings::applyListPalette()
{
    QPalette pal = m_w.m_itemList->palette();
    pal.setColor(QPalette::Base, m_w.m_listColor);
    pal.setColor(QPalette::Text, m_w.m_listTextColor);
    m_w.m_itemList->setPalette(pal);
}

void WindowSettings::setListFont(const QFont &font, const QColor &textColor)
{
    QFont f = m_w.m_itemList->font();
    f.setFamily(font.family());
    f.setPointSize(font.pointSize());
    m_w.m_itemList->setFont(f);
    m_w.m_panes->freeTree()->setFont(f);
    QFont nameOnly = m_w.m_pathBox->font();
    nameOnly.setFamily(font.family());
    m_w.m_pathBox->setFont(nameOnly);
    m_w.m_commentMemo->setFont(nameOnly);
    m_w.m_listTextColor = textColor;
    m_w.m_listTextColorNumber = ColorValue::fromColor(textColor);
    m_w.m_settings.setValue(QStringLiteral("ListViewFontName"), f.family());
    m_w.m_settings.setValue(QStringLiteral("ListViewFontSize"), QString::number(f.pointSize()));
    m_w.m_settings.setValue(QStringLiteral("ListViewFontColor"),
                            QString::number(m_w.m_listTextColorNumber));
    applyListPalette();
}

} // namespace kazari
