#include "ui/app/settingsdialog.h"

#include "core/app/componentnames.h"
#include "ui/app/fontcolourdialog.h"

#include "core/app/colorvalue.h"
#include "core/app/settings.h"
#include "core/decoration/builtinpictures.h"
#include "ui/app/messagebox.h"
#include "ui/app/settingshost.h"

#include <QAction>
#include <QCheckBox>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QShowEvent>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace kazari
{

namespace
{

/// The command "ヒントチップでコメントとタスクを表示": the dialog shows and sets its mark only.
const QString TipsCommand = QStringLiteral("cmdHintTips");
/// The tool button "背面に固定", whose pressed state is kept under its own name.
const QString WindowAtBackKey = Component::KeepAtBack;

const QString BitmapFilter = QStringLiteral(
    "ビットマップ (*.bmp);;画像 (*.bmp *.png *.gif *.jpg *.jpeg);;すべてのファイル (*)");

QLabel *plainLabel(const QString &text, QWidget *parent = nullptr)
{
    auto *label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setText(text);
    return label;
}

/// A tool tip that shows `text` as it stands, even when it looks like markup.
QString plainToolTip(const QString &text)
{
    if (text.isEmpty())
        return text;
    return QStringLiteral("<p style='white-space:pre'>") + text.toHtmlEscaped() +
           QStringLiteral("</p>");
}

QGroupBox *group(const QString &title, QLayout *layout)
{
    auto *box = new QGroupBox(title);
    layout->setSpacing(4);
    box->setLayout(layout);
    return box;
}

QFormLayout *formLayout()
{
    auto *form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    form->setFieldGrowthPolicy(QFormLayout::ExpandingFieldsGrow);
    return form;
}

QPixmap swatch(const QColor &color, int width, int height)
{
    QPixmap pixmap(width, height);
    pixmap.fill(color.isValid() ? color : QColor(Qt::transparent));
    QPainter painter(&pixmap);
    painter.setPen(QColor(96, 96, 96));
    painter.drawRect(0, 0, width - 1, height - 1);
    if (!color.isValid())
        painter.drawLine(0, height - 1, width - 1, 0);
    return pixmap;
}

/// A picture scaled down, when needed, to fit into width x height.
QPixmap fitted(const QImage &image, int width, int height)
{
    if (image.isNull())
        return QPixmap();
    QImage scaled = image;
    if (image.width() > width || image.height() > height)
        scaled = image.scaled(width, height, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    return QPixmap::fromImage(scaled);
}

/// The frame drawn where a seal has no picture file: the program's own seal is used then.
QPixmap builtinSealFrame(int seal)
{
    QPixmap pixmap(20, 20);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QColor(150, 150, 150));
    painter.setBrush(QColor(245, 245, 245));
    painter.drawRoundedRect(QRectF(0.5, 0.5, 19, 19), 3, 3);
    QFont font = painter.font();
    font.setPixelSize(10);
    painter.setFont(font);
    painter.setPen(QColor(90, 90, 90));
    painter.drawText(QRect(0, 0, 20, 20), Qt::AlignCenter, QString::number(seal));
    return pixmap;
}

QImage loadImage(const QString &path)
{
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return QImage();
    return QImage(path);
}

} // namespace

SettingsDialog::SettingsDialog(SettingsHost &host, QWidget *parent)
    : QDialog(parent)
    , m_host(host)
    , m_applications(host.settings().programFolder())
{
    setObjectName(QStringLiteral("SettingsDialog"));
    setWindowTitle(QStringLiteral("設定"));
    buildUi();
}

SettingsDialog::~SettingsDialog() = default;

QStringList SettingsDialog::pageTitles()
{
    return {QStringLiteral("基本の設定"),
            QStringLiteral("アイコンの設定"),
            QStringLiteral("マスクの設定"),
            QStringLiteral("シールの設定"),
            QStringLiteral("ラベルの設定"),
            QStringLiteral("文字の設定"),
            QStringLiteral("コメントとタスクの設定"),
            QStringLiteral("ファイルの設定"),
            QStringLiteral("アプリケーション"),
            QStringLiteral("基本設定のリスト"),
            QStringLiteral("監視するフォルダの一覧")};
}

// ---------------------------------------------------------------------------------------
// Building

void SettingsDialog::buildUi()
{
    m_nav = new QListWidget;
    m_nav->setObjectName(QStringLiteral("pageList"));
    m_nav->addItems(pageTitles());
    m_nav->setFixedWidth(m_nav->sizeHintForColumn(0) + 2 * m_nav->frameWidth() + 24);
    m_nav->setSpacing(1);

    m_pages = new QStackedWidget;
    const QStringList titles = pageTitles();
    m_pages->addWidget(makePage(titles.at(0), buildBasicPage()));
    m_pages->addWidget(makePage(titles.at(1), buildIconPage()));
    m_pages->addWidget(makePage(titles.at(2), buildMaskPage()));
    m_pages->addWidget(makePage(titles.at(3), buildSealPage()));
    m_pages->addWidget(makePage(titles.at(4), buildLabelPage()));
    m_pages->addWidget(makePage(titles.at(5), buildCaptionPage()));
    m_pages->addWidget(makePage(titles.at(6), buildCommentPage()));
    m_pages->addWidget(makePage(titles.at(7), buildFilePage()));
    m_pages->addWidget(makePage(
        QStringLiteral(
            "アプリケーションを右クリックメニューから\n簡単につかえるように登録出来ます。"),
        buildApplicationPage()));
    m_pages->addWidget(makePage(titles.at(9), buildSettingsListPage()));
    m_pages->addWidget(makePage(titles.at(10), buildWatchedPage()));
    connect(m_nav, &QListWidget::currentRowChanged, m_pages, &QStackedWidget::setCurrentIndex);
    m_nav->setCurrentRow(0);

    auto *applyButton = new QPushButton(QStringLiteral("設定"));
    applyButton->setObjectName(QStringLiteral("applyButton"));
    auto *saveCloseButton = new QPushButton(QStringLiteral("保存して閉じる"));
    saveCloseButton->setObjectName(QStringLiteral("saveCloseButton"));
    auto *closeButton = new QPushButton(QStringLiteral("閉じる"));
    closeButton->setObjectName(QStringLiteral("closeButton"));
    for (QPushButton *b : {applyButton, saveCloseButton, closeButton})
        b->setAutoDefault(false);
    connect(applyButton, &QPushButton::clicked, this, [this] { apply(); });
    connect(saveCloseButton, &QPushButton::clicked, this, [this] {
        hide();
        apply();
    });
    connect(closeButton, &QPushButton::clicked, this, &QWidget::hide);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(applyButton);
    buttons->addWidget(saveCloseButton);
    buttons->addWidget(closeButton);

    auto *body = new QHBoxLayout;
    body->addWidget(m_nav);
    body->addWidget(m_pages, 1);

    auto *line = new QFrame;
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);

    auto *main = new QVBoxLayout(this);
    main->addLayout(body, 1);
    main->addWidget(line);
    main->addLayout(buttons);

    resize(780, 640);
}

QWidget *SettingsDialog::makePage(const QString &description, QWidget *body)
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(8, 0, 0, 0);
    QLabel *heading = plainLabel(description);
    heading->setObjectName(QStringLiteral("description"));
    QFont font = heading->font();
    font.setBold(true);
    if (font.pointSizeF() > 0)
        font.setPointSizeF(font.pointSizeF() * 1.15);
    heading->setFont(font);
    auto *line = new QFrame;
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    layout->addWidget(heading);
    layout->addWidget(line);

    auto *scroll = new QScrollArea;
    scroll->setWidget(body);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    layout->addWidget(scroll, 1);
    return page;
}

QCheckBox *SettingsDialog::addSwitch(const QString &key, const QString &caption, bool rebuilds)
{
    auto *box = new QCheckBox(caption);
    box->setObjectName(key);
    m_switches.append({key, box, rebuilds, false});
    return box;
}

QLineEdit *SettingsDialog::addText(const QString &key)
{
    auto *edit = new QLineEdit;
    edit->setObjectName(key);
    m_texts.insert(key, edit);
    return edit;
}

QPushButton *SettingsDialog::addColor(const QString &key)
{
    auto *button = new QPushButton;
    button->setObjectName(key);
    button->setAutoDefault(false);
    button->setIconSize(QSize(44, 14));
    button->setFixedWidth(72);
    m_colors.append({key, button});
    connect(button, &QPushButton::clicked, this, [this, key] { chooseColor(key); });
    return button;
}

QWidget *SettingsDialog::pictureBrowser(const QString &key, QLineEdit **edit)
{
    auto *row = new QWidget;
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    *edit = new QLineEdit;
    (*edit)->setObjectName(key);
    auto *browse = new QPushButton(QStringLiteral("参照..."));
    browse->setObjectName(key + QStringLiteral("Browse"));
    browse->setAutoDefault(false);
    connect(browse, &QPushButton::clicked, this, [this, key] { chooseLabelPicture(key); });
    layout->addWidget(*edit, 1);
    layout->addWidget(browse);
    return row;
}

QWidget *SettingsDialog::buildBasicPage()
{
    auto *display = new QVBoxLayout;
    display->addWidget(addSwitch(Component::IconExtensions,
                                 QStringLiteral("アイコン表示拡張機能を使用する"), true));
    display->addWidget(addSwitch(Component::CaptionExtensions,
                                 QStringLiteral("文字表示拡張機能を使用する"), true));

    auto *files = new QVBoxLayout;
    files->addWidget(
        addSwitch(Component::ProtectFileNames, QStringLiteral("ファイル名の保護をする"), true));
    files->addWidget(
        addSwitch(Component::AcceptDrops, QStringLiteral("ドロップ受け入れ可能にする"), false));

    auto *window = new QVBoxLayout;
    m_windowAtBack = new QCheckBox(QStringLiteral("ウインドウを最背面で固定"));
    m_windowAtBack->setObjectName(QStringLiteral("windowAtBack"));
    window->addWidget(m_windowAtBack);
    window->addWidget(addSwitch(QStringLiteral("TitleFullPath"),
                                QStringLiteral("タイトルバーにパスを表示する"), false));
    window->addWidget(addSwitch(QStringLiteral("DoubleBuffered"),
                                QStringLiteral("リストビューのちらつきを抑える"), false));

    auto *paths = formLayout();
    m_lastPath = new QLineEdit;
    m_lastPath->setObjectName(QStringLiteral("LastPath"));
    m_webLastPath = new QLineEdit;
    m_webLastPath->setObjectName(QStringLiteral("WebLastPath"));
    paths->addRow(QStringLiteral("最後に開いたフォルダ:"), m_lastPath);
    paths->addRow(QStringLiteral("ブラウザのアドレス:"), m_webLastPath);

    auto *mode = new QVBoxLayout;
    m_centralMode = new QRadioButton(QStringLiteral("プログラムの一括管理機能を使う"));
    m_perFolderMode = new QRadioButton(QStringLiteral("設定ファイルを個々のフォルダに作る"));
    m_centralMode->setObjectName(QStringLiteral("centralMode"));
    m_perFolderMode->setObjectName(QStringLiteral("perFolderMode"));
    mode->addWidget(m_centralMode);
    mode->addWidget(m_perFolderMode);
    QGroupBox *modeBox = group(QStringLiteral("ファイル拡張情報の管理方法"), mode);
    // The mode is changed from its menu commands, which move the annotation files too.
    modeBox->setEnabled(false);

    auto *page = new QWidget;
    auto *layout = new QGridLayout(page);
    layout->addWidget(group(QStringLiteral("表示"), display), 0, 0);
    layout->addWidget(group(QStringLiteral("ファイル"), files), 0, 1);
    layout->addWidget(group(QStringLiteral("ウインドウ"), window), 1, 0);
    layout->addWidget(modeBox, 1, 1);
    layout->addWidget(group(QStringLiteral("パス"), paths), 2, 0, 1, 2);
    layout->setColumnStretch(0, 1);
    layout->setColumnStretch(1, 1);
    layout->setRowStretch(3, 1);
    return page;
}

QWidget *SettingsDialog::buildIconPage()
{
    auto *icons = new QVBoxLayout;
    icons->addWidget(addSwitch(Component::SimpleIcons, QStringLiteral("シンプルアイコン"), true));
    icons->addWidget(addSwitch(Component::Contrast, QStringLiteral("コントラスト"), true));
    icons->addWidget(addSwitch(Component::Monochrome, QStringLiteral("モノクロ"), true));
    icons->addWidget(
        addSwitch(Component::ResizeIcons, QStringLiteral("アイコンの大きさを変える"), true));
    icons->addWidget(
        addSwitch(Component::PictureContents, QStringLiteral("画像内容を表示する"), true));

    m_iconSize = new QSpinBox;
    m_iconSize->setObjectName(QStringLiteral("IconSize"));
    m_iconSize->setRange(8, 480);
    m_iconSize->setSuffix(QStringLiteral(" ピクセル"));
    auto *size = formLayout();
    size->addRow(QStringLiteral("アイコンの大きさ:"), m_iconSize);
    icons->addLayout(size);

    // Placeholder pictures: rows "読み込み中", "未読", "戻る"; columns 32 and 16 pixels.
    auto *pictures = new QGridLayout;
    pictures->setHorizontalSpacing(18);
    pictures->addWidget(plainLabel(QStringLiteral("32 ピクセル")), 0, 1, Qt::AlignCenter);
    pictures->addWidget(plainLabel(QStringLiteral("16 ピクセル")), 0, 2, Qt::AlignCenter);
    const QStringList rows{QStringLiteral("読み込み中"), QStringLiteral("未読"),
                           QStringLiteral("戻る")};
    for (int r = 0; r < rows.size(); ++r) {
        pictures->addWidget(plainLabel(rows.at(r)), r + 1, 0, Qt::AlignRight | Qt::AlignVCenter);
        for (int c = 0; c < 2; ++c) {
            auto *picture = new QLabel;
            picture->setFixedSize(40, 40);
            picture->setAlignment(Qt::AlignCenter);
            picture->setFrameShape(QFrame::StyledPanel);
            pictures->addWidget(picture, r + 1, c + 1, Qt::AlignCenter);
            m_placeholders.append(picture);
        }
    }
    pictures->setColumnStretch(3, 1);

    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(group(QStringLiteral("アイコン"), icons));
    layout->addWidget(group(QStringLiteral("システムが使うアイコン"), pictures));
    layout->addStretch(1);
    return page;
}

QWidget *SettingsDialog::buildMaskPage()
{
    auto *masks = new QVBoxLayout;
    masks->addWidget(
        addSwitch(Component::SingleColourMask, QStringLiteral("マスク(単一カラー)"), true));
    masks->addWidget(addSwitch(Component::EffectMask, QStringLiteral("マスク(エフェクト)"), true));
    masks->addWidget(addSwitch(Component::HatchMask, QStringLiteral("マスク(網かけ)"), true));

    // The fixed colours of the seven single-colour masks, as colour numbers.
    static const qint32 MaskColors[7] = {255, 32768, 16711680, 65535, 16776960, 16711935, 8421504};
    auto *names = formLayout();
    for (int i = 0; i < 7; ++i) {
        auto *row = new QHBoxLayout;
        auto *color = new QLabel;
        color->setPixmap(swatch(ColorValue::toColor(MaskColors[i]), 28, 16));
        row->addWidget(color);
        row->addWidget(addText(QStringLiteral("1Color_N%1").arg(i)), 1);
        names->addRow(QStringLiteral("マスク %1:").arg(i + 1), row);
    }

    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(group(QStringLiteral("マスク"), masks));
    layout->addWidget(group(QStringLiteral("マスクの名前"), names));
    layout->addStretch(1);
    return page;
}

QWidget *SettingsDialog::buildSealPage()
{
    auto *seals = new QGridLayout;
    seals->setHorizontalSpacing(6);
    for (int i = 0; i < 15; ++i) {
        const int row = i % 8;
        const int column = (i / 8) * 5;
        QLabel *number = plainLabel(QString::number(i));
        auto *picture = new QLabel;
        picture->setFixedSize(24, 24);
        picture->setAlignment(Qt::AlignCenter);
        m_sealPictures.append(picture);
        auto *browse = new QPushButton(QStringLiteral("参照..."));
        browse->setObjectName(QStringLiteral("Seal_P%1").arg(i));
        browse->setAutoDefault(false);
        connect(browse, &QPushButton::clicked, this, [this, i] { chooseSealPicture(i); });
        seals->addWidget(number, row, column, Qt::AlignRight | Qt::AlignVCenter);
        seals->addWidget(picture, row, column + 1);
        seals->addWidget(addText(QStringLiteral("Seal_N%1").arg(i)), row, column + 2);
        seals->addWidget(browse, row, column + 3);
    }
    seals->setColumnMinimumWidth(4, 16);
    seals->setColumnStretch(2, 1);
    seals->setColumnStretch(7, 1);

    auto *show = new QVBoxLayout;
    show->addWidget(addSwitch(Component::ShowSeals, QStringLiteral("シールを表示する"), true));

    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(group(QStringLiteral("表示"), show));
    layout->addWidget(group(QStringLiteral("シールの名前と画像"), seals));
    QLabel *note = plainLabel(
        QStringLiteral("画像を選ぶとすぐに保存されます。名前と画像は次回の起動から使われます。"));
    note->setWordWrap(true);
    layout->addWidget(note);
    layout->addStretch(1);
    return page;
}

QWidget *SettingsDialog::buildLabelPage()
{
    auto *show = new QVBoxLayout;
    show->addWidget(addSwitch(Component::ShowLabels, QStringLiteral("ラベルを表示する"), true));
    show->addWidget(addSwitch(Component::TextLabels, QStringLiteral("文字ラベルを表示する"), true));

    auto *names = formLayout();
    for (int i = 0; i < 4; ++i)
        names->addRow(QStringLiteral("ラベル %1:").arg(i),
                      addText(QStringLiteral("Label_List0%1").arg(i)));

    auto *pictures = formLayout();
    pictures->addRow(QStringLiteral("16 ピクセル:"),
                     pictureBrowser(QStringLiteral("Iu_Label_List16"), &m_labelPicture16));
    m_labelStrip16 = new QLabel;
    m_labelStrip16->setMinimumHeight(20);
    pictures->addRow(QString(), m_labelStrip16);
    pictures->addRow(QStringLiteral("32 ピクセル:"),
                     pictureBrowser(QStringLiteral("Iu_Label_List32"), &m_labelPicture32));
    m_labelStrip32 = new QLabel;
    m_labelStrip32->setMinimumHeight(36);
    pictures->addRow(QString(), m_labelStrip32);

    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(group(QStringLiteral("表示"), show));
    layout->addWidget(group(QStringLiteral("ラベルの名前"), names));
    layout->addWidget(group(QStringLiteral("ラベルの画像"), pictures));
    layout->addStretch(1);
    return page;
}

QWidget *SettingsDialog::buildCaptionPage()
{
    auto *show = new QVBoxLayout;
    show->addWidget(
        addSwitch(Component::CaptionLabels, QStringLiteral("キャプションラベルを表示する"), true));
    show->addWidget(addSwitch(Component::TaskCaptionColours,
                              QStringLiteral("タスク情報でキャプション色を変化する"), true));

    auto *masks = new QGridLayout;
    for (int i = 0; i < 7; ++i) {
        const int row = i / 2;
        const int column = (i % 2) * 4;
        masks->addWidget(plainLabel(QStringLiteral("%1:").arg(i)), row, column,
                         Qt::AlignRight | Qt::AlignVCenter);
        masks->addWidget(addText(QStringLiteral("Tx_CaptionMaskName%1").arg(i)), row, column + 1);
        masks->addWidget(addColor(QStringLiteral("cl_CaptionMask%1").arg(i)), row, column + 2);
    }
    masks->setColumnMinimumWidth(3, 16);
    masks->setColumnStretch(1, 1);
    masks->setColumnStretch(5, 1);

    struct Attribute {
        const char *key;
        const char *caption;
    };
    static const Attribute Attributes[] = {
        {"cl_Hidden", "隠しファイル"},      {"cl_ReadOnly", "読み取り専用"},
        {"cl_SysFile", "システムファイル"}, {"cl_VolumeID", "ボリュームラベル"},
        {"cl_Directory", "フォルダ"},       {"cl_Ycomp", "タスク完了"},
        {"cl_Ncomp", "タスク未完了"},
    };
    // Two columns; the bold switch sits beside the folder colour it goes with.
    auto *attributes = new QGridLayout;
    int n = 0;
    for (const Attribute &a : Attributes) {
        const int row = n / 2;
        const int column = (n % 2) * 4;
        const QString key = QString::fromLatin1(a.key);
        attributes->addWidget(plainLabel(QString::fromUtf8(a.caption) + QStringLiteral(":")), row,
                              column, Qt::AlignRight | Qt::AlignVCenter);
        attributes->addWidget(addColor(key), row, column + 1);
        if (key == QLatin1String("cl_Directory")) {
            attributes->addWidget(
                addSwitch(QStringLiteral("fs_Directory"), QStringLiteral("太文字"), true), row,
                column + 2);
            ++n; // the folder row keeps its second column for the switch
        }
        ++n;
    }
    attributes->setColumnMinimumWidth(3, 24);
    attributes->setColumnStretch(2, 1);
    attributes->setColumnStretch(6, 1);

    auto *list = new QHBoxLayout;
    auto *colorButton = new QPushButton(QStringLiteral("リストビューの色"));
    colorButton->setObjectName(QStringLiteral("listColorButton"));
    auto *fontButton = new QPushButton(QStringLiteral("フォントの設定"));
    fontButton->setObjectName(QStringLiteral("listFontButton"));
    for (QPushButton *b : {colorButton, fontButton})
        b->setAutoDefault(false);
    connect(colorButton, &QPushButton::clicked, this, &SettingsDialog::chooseListColor);
    connect(fontButton, &QPushButton::clicked, this, &SettingsDialog::chooseListFont);
    m_listSample = plainLabel(QStringLiteral("Aa あア亜 123"));
    m_listSample->setObjectName(QStringLiteral("listSample"));
    m_listSample->setAutoFillBackground(true);
    m_listSample->setFrameShape(QFrame::StyledPanel);
    m_listSample->setMinimumSize(150, 32);
    m_listSample->setAlignment(Qt::AlignCenter);
    list->addWidget(colorButton);
    list->addWidget(fontButton);
    list->addWidget(m_listSample, 1);

    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(group(QStringLiteral("表示"), show));
    layout->addWidget(group(QStringLiteral("キャプションマスクの名前と色"), masks));
    layout->addWidget(group(QStringLiteral("ファイル属性とタスクの色"), attributes));
    layout->addWidget(group(QStringLiteral("リストビュー"), list));
    layout->addStretch(1);
    return page;
}

QWidget *SettingsDialog::buildCommentPage()
{
    auto *show = new QVBoxLayout;
    show->addWidget(addSwitch(Component::ShowComments, QStringLiteral("コメントを表示する"), true));
    show->addWidget(addSwitch(Component::AutomaticTaskCheck,
                              QStringLiteral("タスクの自動チェックする"), false));
    QCheckBox *commentBalloon =
        addSwitch(Component::CommentTips, QStringLiteral("コメントのみふきだしを表示する"), false);
    QCheckBox *taskBalloon =
        addSwitch(Component::TaskAndCommentTips,
                  QStringLiteral("タスクとコメントをふきだしを表示する"), false);
    // The two balloons exclude each other, as their menu commands do.
    connect(commentBalloon, &QCheckBox::toggled, this, [taskBalloon](bool on) {
        if (on)
            taskBalloon->setChecked(false);
    });
    connect(taskBalloon, &QCheckBox::toggled, this, [commentBalloon](bool on) {
        if (on)
            commentBalloon->setChecked(false);
    });
    show->addWidget(commentBalloon);
    show->addWidget(taskBalloon);
    m_tips = new QCheckBox(QStringLiteral("ヒントチップでコメントとタスクを表示する"));
    m_tips->setObjectName(QStringLiteral("tips"));
    show->addWidget(m_tips);

    static const char *const Importance[] = {"なし", "低", "普通", "高", "至急", "その他"};
    auto *colors = new QGridLayout;
    for (int i = 0; i < 6; ++i) {
        const int row = i / 3;
        const int column = (i % 3) * 3;
        colors->addWidget(
            plainLabel(QStringLiteral("重要度 %1:").arg(QString::fromUtf8(Importance[i]))), row,
            column, Qt::AlignRight | Qt::AlignVCenter);
        colors->addWidget(addColor(QStringLiteral("cl_FusenFormColor%1").arg(i)), row, column + 1);
    }
    colors->setColumnMinimumWidth(2, 16);
    colors->setColumnMinimumWidth(5, 16);
    colors->setColumnStretch(8, 1);

    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(group(QStringLiteral("表示"), show));
    layout->addWidget(group(QStringLiteral("付箋の色"), colors));
    layout->addStretch(1);
    return page;
}

QWidget *SettingsDialog::buildFilePage()
{
    auto *list = new QVBoxLayout;
    list->addWidget(addSwitch(Component::KeepPositions, QStringLiteral("位置設定"), true));
    list->addWidget(addSwitch(Component::GridLines, QStringLiteral("グリッドライン"), true));

    // Shown only: these follow their own commands in the main window.
    auto *state = new QVBoxLayout;
    m_freeTreeShown = new QCheckBox(QStringLiteral("自由にツリー"));
    m_freeTreeShown->setObjectName(Component::FreeTreePane);
    m_hiddenShown = new QCheckBox(QStringLiteral("隠しファイル表示"));
    m_hiddenShown->setObjectName(Component::ShowHiddenFiles);
    m_layout = new QListWidget;
    m_layout->setObjectName(QStringLiteral("layoutSummary"));
    m_layout->setSelectionMode(QAbstractItemView::NoSelection);
    m_layout->setFocusPolicy(Qt::NoFocus);
    m_layout->setMinimumHeight(140);
    auto *flags = new QHBoxLayout;
    flags->addWidget(m_freeTreeShown);
    flags->addWidget(m_hiddenShown);
    flags->addStretch(1);
    for (QCheckBox *b : {m_freeTreeShown, m_hiddenShown}) {
        b->setAttribute(Qt::WA_TransparentForMouseEvents);
        b->setFocusPolicy(Qt::NoFocus);
    }
    state->addLayout(flags);
    state->addWidget(plainLabel(QStringLiteral("ペイン・ツールバー・表示形式:")));
    state->addWidget(m_layout, 1);

    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(group(QStringLiteral("リスト"), list));
    layout->addWidget(group(QStringLiteral("現在の表示"), state), 1);
    return page;
}

QWidget *SettingsDialog::buildApplicationPage()
{
    m_appGrid = new QTableWidget(0, 2);
    m_appGrid->setObjectName(QStringLiteral("applicationGrid"));
    m_appGrid->setHorizontalHeaderLabels(
        {QStringLiteral("プログラム名"), QStringLiteral("プログラムの場所")});
    m_appGrid->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Interactive);
    m_appGrid->horizontalHeader()->setStretchLastSection(true);
    m_appGrid->setColumnWidth(0, 150);
    m_appGrid->verticalHeader()->setDefaultSectionSize(m_appGrid->fontMetrics().height() + 8);
    m_appGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_appGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_appGrid->setAlternatingRowColors(true);
    m_appGrid->verticalHeader()->hide();

    auto *add = new QPushButton(QStringLiteral("追加"));
    add->setObjectName(QStringLiteral("addApplication"));
    auto *remove = new QPushButton(QStringLiteral("削除"));
    remove->setObjectName(QStringLiteral("removeApplication"));
    auto *overwrite = new QPushButton(QStringLiteral("上書き"));
    overwrite->setObjectName(QStringLiteral("saveApplications"));
    for (QPushButton *b : {add, remove, overwrite})
        b->setAutoDefault(false);
    connect(add, &QPushButton::clicked, this, &SettingsDialog::addApplication);
    connect(remove, &QPushButton::clicked, this, &SettingsDialog::removeApplication);
    connect(overwrite, &QPushButton::clicked, this, [this] { saveApplications(); });

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(add);
    buttons->addWidget(remove);
    buttons->addStretch(1);
    buttons->addWidget(overwrite);

    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(m_appGrid, 1);
    layout->addLayout(buttons);
    return page;
}

QWidget *SettingsDialog::buildSettingsListPage()
{
    m_settingsText = new QPlainTextEdit;
    m_settingsText->setObjectName(QStringLiteral("settingsList"));
    m_settingsText->setReadOnly(true);
    m_settingsText->setLineWrapMode(QPlainTextEdit::NoWrap);
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(m_settingsText, 1);
    return page;
}

QWidget *SettingsDialog::buildWatchedPage()
{
    m_watched = new QTreeWidget;
    m_watched->setObjectName(QStringLiteral("watchedFolders"));
    m_watched->setHeaderLabels({QStringLiteral("フォルダ"), QStringLiteral("状態")});
    m_watched->setRootIsDecorated(false);
    m_watched->setColumnWidth(0, 380);
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(m_watched, 1);
    return page;
}

// ---------------------------------------------------------------------------------------
// Filling

void SettingsDialog::showEvent(QShowEvent *event)
{
    // A window coming back from being minimised keeps what the user was editing.
    if (!event->spontaneous())
        fill();
    QDialog::showEvent(event);
}

void SettingsDialog::fill()
{
    const Settings &settings = m_host.settings();

    for (SwitchOption &option : m_switches) {
        option.shown = settings.isOn(option.key);
        option.box->setChecked(option.shown);
    }
    for (auto it = m_texts.cbegin(); it != m_texts.cend(); ++it)
        it.value()->setText(settings.value(it.key()));
    for (const ColorOption &option : m_colors)
        updateColorButton(option);
    m_colorsChanged = false;

    m_windowAtBack->setChecked(m_host.windowAtBack());
    QAction *tips = m_host.command(TipsCommand);
    m_tips->setEnabled(tips != nullptr);
    m_tips->setChecked(tips && tips->isChecked());

    m_lastPath->setText(m_host.currentFolder());
    m_webLastPath->setText(m_host.browserAddress());
    const bool central = settings.isOn(Component::CentralManagement);
    m_centralMode->setChecked(central);
    m_perFolderMode->setChecked(!central && settings.isOn(Component::PerFolderFiles));

    m_iconSize->setValue(settings.integer(QStringLiteral("IconSize"), m_host.iconSize()));

    m_labelPicture16->setText(settings.value(QStringLiteral("Iu_Label_List16")));
    m_labelPicture32->setText(settings.value(QStringLiteral("Iu_Label_List32")));

    m_listColor = m_host.listColor();
    m_listTextColor = m_host.listTextColor();
    m_listFont = m_host.listFont();
    m_listLookChanged = false;
    updateListSample();

    m_freeTreeShown->setChecked(settings.isOn(Component::FreeTreePane));
    m_hiddenShown->setChecked(settings.isOn(Component::ShowHiddenFiles));
    m_layout->clear();
    for (const QString &line : m_host.layoutSummary())
        m_layout->addItem(line);

    m_watched->clear();
    for (const SettingsHost::WatchedFolder &w : m_host.watchedFolders()) {
        // An emptied entry keeps its row until the main window closes.
        const bool emptied = w.path.isEmpty();
        QString state = w.state;
        if (state.isEmpty())
            state = emptied ? QStringLiteral("停止中") : QStringLiteral("実行中");
        new QTreeWidgetItem(m_watched, {emptied ? QStringLiteral("削除中") : w.path, state});
    }

    fillPictures();
    fillApplications();
    fillSettingsList();
}

void SettingsDialog::fillPictures()
{
    const Settings &settings = m_host.settings();
    const ProgramFolder &folder = settings.programFolder();
    // The user's file, else the default name in icon/, else the program's own picture.
    auto resolve = [&](const QString &suffix) {
        QImage image = loadImage(settings.value(QStringLiteral("Iu_") + suffix));
        if (image.isNull()) {
            const QString name = settings.value(QStringLiteral("Id_") + suffix);
            if (ProgramFolder::isContainedName(name))
                image = loadImage(folder.file(QStringLiteral("icon/") + name));
        }
        return image;
    };

    struct Placeholder {
        const char *suffix;
        QImage (*builtin)(int);
    };
    static const Placeholder Placeholders[] = {
        {"reading", &BuiltinPictures::reading},
        {"nilread", &BuiltinPictures::nilread},
        {"Re", &BuiltinPictures::returnPicture},
    };
    int slot = 0;
    for (const Placeholder &p : Placeholders) {
        for (int size : {32, 16}) {
            const QString suffix = QString::fromLatin1(p.suffix) + QString::number(size);
            QImage image = resolve(suffix);
            const bool own = image.isNull();
            if (own)
                image = p.builtin(size);
            QLabel *label = m_placeholders.at(slot++);
            label->setPixmap(fitted(image, 36, 36));
            label->setToolTip(own ? QStringLiteral("内蔵の画像") : QString());
        }
    }

    for (int i = 0; i < m_sealPictures.size(); ++i) {
        const QImage image = loadImage(settings.value(QStringLiteral("Seal_P%1").arg(i)));
        QLabel *label = m_sealPictures.at(i);
        label->setPixmap(image.isNull() ? builtinSealFrame(i) : fitted(image, 20, 20));
        label->setToolTip(image.isNull()
                              ? QStringLiteral("内蔵の画像")
                              : plainToolTip(settings.value(QStringLiteral("Seal_P%1").arg(i))));
    }

    auto strip = [&](QLabel *label, const QString &edited, int size) {
        QImage image = loadImage(edited);
        if (image.isNull())
            image = resolve(QStringLiteral("Label_List%1").arg(size));
        if (image.isNull())
            image = BuiltinPictures::labelStrip(size);
        image = image.convertToFormat(QImage::Format_ARGB32);
        // The strip's key colour is transparent, as in the item list.
        const QRgb key = BuiltinPictures::transparentKey().rgb();
        for (int y = 0; y < image.height(); ++y) {
            auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                if ((line[x] & 0xFFFFFFu) == (key & 0xFFFFFFu))
                    line[x] = qRgba(0, 0, 0, 0);
            }
        }
        label->setPixmap(fitted(image, size * 4, size));
    };
    strip(m_labelStrip16, m_labelPicture16->text(), 16);
    strip(m_labelStrip32, m_labelPicture32->text(), 32);
}

void SettingsDialog::fillApplications()
{
    QString error;
    if (!m_applications.load(&error))
        warn(QStringLiteral("%1 を読み込めませんでした。\n%2")
                 .arg(m_applications.filePath(), error));
    m_appGrid->setRowCount(0);
    for (const ApplicationList::Entry &entry : m_applications.entries()) {
        const int row = m_appGrid->rowCount();
        m_appGrid->insertRow(row);
        m_appGrid->setItem(row, 0, new QTableWidgetItem(entry.name));
        m_appGrid->setItem(row, 1, new QTableWidgetItem(entry.program));
    }
}

void SettingsDialog::fillSettingsList()
{
    m_settingsText->setPlainText(m_host.settings().lines().join(QLatin1Char('\n')));
}

void SettingsDialog::updateColorButton(const ColorOption &option)
{
    const QString text = m_host.settings().value(option.key);
    const std::optional<qint32> number = ColorValue::parse(text);
    const QColor color = number ? ColorValue::toColor(*number) : QColor();
    option.button->setIcon(swatch(color, 44, 14));
    option.button->setToolTip(plainToolTip(text));
}

void SettingsDialog::updateListSample()
{
    QPalette palette = m_listSample->palette();
    palette.setColor(QPalette::Window, m_listColor);
    palette.setColor(QPalette::WindowText, m_listTextColor);
    m_listSample->setPalette(palette);
    QFont font = m_listFont;
    if (font.pointSizeF() > 24)
        font.setPointSizeF(24);
    m_listSample->setFont(font);
    m_listSample->setToolTip(
        plainToolTip(QStringLiteral("%1, %2 pt")
                         .arg(m_listFont.family(), QString::number(m_listFont.pointSize()))));
}

// ---------------------------------------------------------------------------------------
// Choices stored at once

QColor SettingsDialog::pickColor(const QColor &initial)
{
    if (m_pickColor)
        return m_pickColor(this, initial);
    return QColorDialog::getColor(initial, this);
}

QString SettingsDialog::pickFile(const QString &title, const QString &filter)
{
    if (m_pickFile)
        return m_pickFile(this, title, filter);
    return QFileDialog::getOpenFileName(this, title, QString(), filter);
}

void SettingsDialog::storeAtOnce(const QString &key, const QString &value)
{
    QString error;
    m_host.settings().storeSetting(key, value, true, &error);
    if (!error.isEmpty())
        warn(QStringLiteral("設定を保存できませんでした。\n%1").arg(error));
    fillSettingsList();
}

void SettingsDialog::chooseColor(const QString &key)
{
    const std::optional<qint32> current = m_host.settings().color(key);
    const QColor chosen = pickColor(current ? ColorValue::toColor(*current) : QColor(Qt::white));
    if (!chosen.isValid())
        return;
    storeAtOnce(key, QString::number(ColorValue::fromColor(chosen)));
    m_colorsChanged = true;
    for (const ColorOption &option : m_colors) {
        if (option.key == key)
            updateColorButton(option);
    }
}

void SettingsDialog::chooseSealPicture(int seal)
{
    const QString path = pickFile(QStringLiteral("シール %1 の画像").arg(seal), BitmapFilter);
    if (path.isEmpty())
        return;
    storeAtOnce(QStringLiteral("Seal_P%1").arg(seal), QFileInfo(path).absoluteFilePath());
    fillPictures();
}

void SettingsDialog::chooseLabelPicture(const QString &key)
{
    const QString path = pickFile(QStringLiteral("ラベルの画像"), BitmapFilter);
    if (path.isEmpty())
        return;
    QLineEdit *edit = key.endsWith(QLatin1String("16")) ? m_labelPicture16 : m_labelPicture32;
    edit->setText(QFileInfo(path).absoluteFilePath());
    fillPictures();
}

void SettingsDialog::chooseListColor()
{
    const QColor chosen = pickColor(m_listColor);
    if (!chosen.isValid())
        return;
    m_listColor = chosen;
    // The text follows the background's brightness, as with the list's own colour command.
    m_listTextColor = ColorValue::brightness(chosen) >= 128 ? QColor(Qt::black) : QColor(Qt::white);
    m_listLookChanged = true;
    updateListSample();
}

void SettingsDialog::chooseListFont()
{
    std::optional<std::pair<QFont, QColor>> chosen;
    if (m_pickFont) {
        chosen = m_pickFont(this, m_listFont, m_listTextColor);
    } else if (const auto c = FontColourDialog::ask(this, m_listFont, m_listTextColor)) {
        chosen = std::make_pair(c->font, c->colour);
    }
    if (!chosen)
        return;
    m_listFont = chosen->first;
    if (chosen->second.isValid())
        m_listTextColor = chosen->second;
    m_listLookChanged = true;
    updateListSample();
}

// ---------------------------------------------------------------------------------------
// Applying

bool SettingsDialog::apply()
{
    Settings &settings = m_host.settings();
    bool rebuild = m_colorsChanged;

    for (SwitchOption &option : m_switches) {
        const bool on = option.box->isChecked();
        if (on != option.shown && option.rebuilds)
            rebuild = true;
        option.shown = on;
        settings.setSwitch(option.key, on);
        if (QAction *action = m_host.command(option.key); action && action->isCheckable())
            action->setChecked(on);
    }

    for (auto it = m_texts.cbegin(); it != m_texts.cend(); ++it) {
        // Untouched texts stay as they are, so an empty default line is not dropped.
        if (it.value()->text() != settings.value(it.key()))
            settings.setValue(it.key(), it.value()->text());
    }

    // Label pictures are taken only when the named file exists.
    for (QLineEdit *edit : {m_labelPicture16, m_labelPicture32}) {
        const QString path = edit->text();
        if (path != settings.value(edit->objectName()) && QFileInfo(path).isFile())
            settings.setValue(edit->objectName(), path);
    }

    const bool atBack = m_windowAtBack->isChecked();
    if (atBack != m_host.windowAtBack())
        m_host.setWindowAtBack(atBack);
    settings.setSwitch(WindowAtBackKey, atBack);
    if (QAction *action = m_host.command(WindowAtBackKey); action && action->isCheckable())
        action->setChecked(atBack);
    if (QAction *tips = m_host.command(TipsCommand); tips && tips->isCheckable())
        tips->setChecked(m_tips->isChecked());

    if (m_lastPath->text() != settings.value(QStringLiteral("LastPath")))
        settings.setValue(QStringLiteral("LastPath"), m_lastPath->text());
    const QString address = m_webLastPath->text();
    if (address != settings.value(QStringLiteral("WebLastPath")))
        settings.setValue(QStringLiteral("WebLastPath"), address);
    if (address != m_host.browserAddress())
        m_host.setBrowserAddress(address);

    const int iconSize = m_iconSize->value();
    if (iconSize != settings.integer(QStringLiteral("IconSize"), -1)) {
        settings.setInteger(QStringLiteral("IconSize"), iconSize);
        rebuild = true;
    }
    if (iconSize != m_host.iconSize())
        m_host.setIconSize(iconSize);

    if (m_listLookChanged) {
        m_host.setListColor(m_listColor);
        m_host.setListFont(m_listFont, m_listTextColor);
        m_listLookChanged = false;
        rebuild = true;
    }
    m_colorsChanged = false;

    QString error;
    const bool saved = settings.save(&error);
    fillSettingsList();
    m_host.settingsApplied(rebuild);
    if (!saved)
        warn(QStringLiteral("%1 に設定を保存できませんでした。\n%2")
                 .arg(settings.filePath(), error));
    return saved;
}

// ---------------------------------------------------------------------------------------
// Applications

void SettingsDialog::addApplication()
{
    const QString path =
        pickFile(QStringLiteral("アプリケーションの追加"), QStringLiteral("すべてのファイル (*)"));
    if (path.isEmpty())
        return;
    const QFileInfo info(path);
    const int row = m_appGrid->rowCount();
    m_appGrid->insertRow(row);
    m_appGrid->setItem(row, 0, new QTableWidgetItem(info.completeBaseName()));
    m_appGrid->setItem(row, 1, new QTableWidgetItem(info.absoluteFilePath()));
    m_appGrid->setCurrentCell(row, 0);
}

void SettingsDialog::removeApplication()
{
    const int row = m_appGrid->currentRow();
    if (row >= 0)
        m_appGrid->removeRow(row);
}

bool SettingsDialog::saveApplications()
{
    auto cell = [this](int row, int column) {
        const QTableWidgetItem *item = m_appGrid->item(row, column);
        return item ? item->text() : QString();
    };
    // Read the file again just before writing, so lines that are not entries are kept as
    // they are now; a file that exists but cannot be read is never overwritten.
    QString error;
    if (!m_applications.load(&error)) {
        warn(QStringLiteral("%1 を読み込めませんでした。\n%2")
                 .arg(m_applications.filePath(), error));
        return false;
    }
    QList<ApplicationList::Entry> entries;
    for (int row = 0; row < m_appGrid->rowCount(); ++row) {
        const ApplicationList::Entry entry{cell(row, 0), cell(row, 1)};
        if (entry.name.trimmed().isEmpty() || entry.program.trimmed().isEmpty())
            continue;
        if (!ApplicationList::isWritable(entry)) {
            m_appGrid->setCurrentCell(row, 0);
            warn(QStringLiteral("プログラム名に「=」や改行は使えません: %1").arg(entry.name));
            return false;
        }
        entries.append(entry);
    }
    if (!m_applications.setEntries(entries, &error) || !m_applications.save(&error)) {
        warn(QStringLiteral("%1 を保存できませんでした。\n%2")
                 .arg(m_applications.filePath(), error));
        return false;
    }
    fillApplications();
    return true;
}

void SettingsDialog::warn(const QString &text)
{
    MessageBox::warning(this, text, QStringLiteral("設定"));
}

} // namespace kazari
