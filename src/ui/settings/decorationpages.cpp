#include "ui/settings/decorationpages.h"

#include "core/app/colorvalue.h"
#include "core/app/componentnames.h"
#include "core/app/settings.h"
#include "core/decoration/builtinpictures.h"
#include "ui/app/settingshost.h"
#include "ui/settings/settingscontext.h"
#include "ui/settings/settingsoptions.h"
#include "ui/settings/settingswidgets.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace kazari
{

namespace
{

using W = SettingsWidgets;

const QString BitmapFilter = QStringLiteral(
    "ビットマップ (*.bmp);;画像 (*.bmp *.png *.gif *.jpg *.jpeg);;すべてのファイル (*)");

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

// ---------------------------------------------------------------------------------------
// Building

QWidget *DecorationPages::buildIconPage()
{
    auto *icons = new QVBoxLayout;
    icons->addWidget(
        m_options.addSwitch(Component::SimpleIcons, QStringLiteral("シンプルアイコン"), true));
    icons->addWidget(
        m_options.addSwitch(Component::Contrast, QStringLiteral("コントラスト"), true));
    icons->addWidget(m_options.addSwitch(Component::Monochrome, QStringLiteral("モノクロ"), true));
    icons->addWidget(m_options.addSwitch(Component::ResizeIcons,
                                         QStringLiteral("アイコンの大きさを変える"), true));
    icons->addWidget(m_options.addSwitch(Component::PictureContents,
                                         QStringLiteral("画像内容を表示する"), true));

    m_iconSize = new QSpinBox;
    m_iconSize->setObjectName(QStringLiteral("IconSize"));
    m_iconSize->setRange(8, 480);
    m_iconSize->setSuffix(QStringLiteral(" ピクセル"));
    auto *size = W::formLayout();
    size->addRow(QStringLiteral("アイコンの大きさ:"), m_iconSize);
    icons->addLayout(size);

    // Placeholder pictures: rows "読み込み中", "未読", "戻る"; columns 32 and 16 pixels.
    auto *pictures = new QGridLayout;
    pictures->setHorizontalSpacing(18);
    pictures->addWidget(W::plainLabel(QStringLiteral("32 ピクセル")), 0, 1, Qt::AlignCenter);
    pictures->addWidget(W::plainLabel(QStringLiteral("16 ピクセル")), 0, 2, Qt::AlignCenter);
    const QStringList rows{QStringLiteral("読み込み中"), QStringLiteral("未読"),
                           QStringLiteral("戻る")};
    for (int r = 0; r < rows.size(); ++r) {
        pictures->addWidget(W::plainLabel(rows.at(r)), r + 1, 0, Qt::AlignRight | Qt::AlignVCenter);
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
    layout->addWidget(W::group(QStringLiteral("アイコン"), icons));
    layout->addWidget(W::group(QStringLiteral("システムが使うアイコン"), pictures));
    layout->addStretch(1);
    return page;
}

QWidget *DecorationPages::buildMaskPage()
{
    auto *masks = new QVBoxLayout;
    masks->addWidget(m_options.addSwitch(Component::SingleColourMask,
                                         QStringLiteral("マスク(単一カラー)"), true));
    masks->addWidget(
        m_options.addSwitch(Component::EffectMask, QStringLiteral("マスク(エフェクト)"), true));
    masks->addWidget(
        m_options.addSwitch(Component::HatchMask, QStringLiteral("マスク(網かけ)"), true));

    // The fixed colours of the seven single-colour masks, as colour numbers.
    static const qint32 MaskColors[7] = {255, 32768, 16711680, 65535, 16776960, 16711935, 8421504};
    auto *names = W::formLayout();
    for (int i = 0; i < 7; ++i) {
        auto *row = new QHBoxLayout;
        auto *color = new QLabel;
        color->setPixmap(W::swatch(ColorValue::toColor(MaskColors[i]), 28, 16));
        row->addWidget(color);
        row->addWidget(m_options.addText(QStringLiteral("1Color_N%1").arg(i)), 1);
        names->addRow(QStringLiteral("マスク %1:").arg(i + 1), row);
    }

    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(W::group(QStringLiteral("マスク"), masks));
    layout->addWidget(W::group(QStringLiteral("マスクの名前"), names));
    layout->addStretch(1);
    return page;
}

QWidget *DecorationPages::buildSealPage()
{
    auto *seals = new QGridLayout;
    seals->setHorizontalSpacing(6);
    for (int i = 0; i < 15; ++i) {
        const int row = i % 8;
        const int column = (i / 8) * 5;
        QLabel *number = W::plainLabel(QString::number(i));
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
        seals->addWidget(m_options.addText(QStringLiteral("Seal_N%1").arg(i)), row, column + 2);
        seals->addWidget(browse, row, column + 3);
    }
    seals->setColumnMinimumWidth(4, 16);
    seals->setColumnStretch(2, 1);
    seals->setColumnStretch(7, 1);

    auto *show = new QVBoxLayout;
    show->addWidget(
        m_options.addSwitch(Component::ShowSeals, QStringLiteral("シールを表示する"), true));

    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(W::group(QStringLiteral("表示"), show));
    layout->addWidget(W::group(QStringLiteral("シールの名前と画像"), seals));
    QLabel *note = W::plainLabel(
        QStringLiteral("画像を選ぶとすぐに保存されます。名前と画像は次回の起動から使われます。"));
    note->setWordWrap(true);
    layout->addWidget(note);
    layout->addStretch(1);
    return page;
}

QWidget *DecorationPages::buildLabelPage()
{
    auto *show = new QVBoxLayout;
    show->addWidget(
        m_options.addSwitch(Component::ShowLabels, QStringLiteral("ラベルを表示する"), true));
    show->addWidget(
        m_options.addSwitch(Component::TextLabels, QStringLiteral("文字ラベルを表示する"), true));

    auto *names = W::formLayout();
    for (int i = 0; i < 4; ++i)
        names->addRow(QStringLiteral("ラベル %1:").arg(i),
                      m_options.addText(QStringLiteral("Label_List0%1").arg(i)));

    auto *pictures = W::formLayout();
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
    layout->addWidget(W::group(QStringLiteral("表示"), show));
    layout->addWidget(W::group(QStringLiteral("ラベルの名前"), names));
    layout->addWidget(W::group(QStringLiteral("ラベルの画像"), pictures));
    layout->addStretch(1);
    return page;
}

QWidget *DecorationPages::pictureBrowser(const QString &key, QLineEdit **edit)
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

// ---------------------------------------------------------------------------------------
// Filling

void DecorationPages::fill()
{
    const Settings &settings = m_context.settings();
    m_iconSize->setValue(settings.integer(QStringLiteral("IconSize"), m_context.host().iconSize()));
    m_labelPicture16->setText(settings.value(QStringLiteral("Iu_Label_List16")));
    m_labelPicture32->setText(settings.value(QStringLiteral("Iu_Label_List32")));
    fillPictures();
}

void DecorationPages::fillPictures()
{
    const Settings &settings = m_context.settings();
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
                              : W::plainToolTip(settings.value(QStringLiteral("Seal_P%1").arg(i))));
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

// ---------------------------------------------------------------------------------------
// Choosing pictures

void DecorationPages::chooseSealPicture(int seal)
{
    const QString path =
        m_context.pickFile(QStringLiteral("シール %1 の画像").arg(seal), BitmapFilter);
    if (path.isEmpty())
        return;
    m_context.storeAtOnce(QStringLiteral("Seal_P%1").arg(seal), QFileInfo(path).absoluteFilePath());
    fillPictures();
}

void DecorationPages::chooseLabelPicture(const QString &key)
{
    const QString path = m_context.pickFile(QStringLiteral("ラベルの画像"), BitmapFilter);
    if (path.isEmpty())
        return;
    QLineEdit *edit = key.endsWith(QLatin1String("16")) ? m_labelPicture16 : m_labelPicture32;
    edit->setText(QFileInfo(path).absoluteFilePath());
    fillPictures();
}

// ---------------------------------------------------------------------------------------
// Applying

void DecorationPages::applyLabelPictures()
{
    Settings &settings = m_context.settings();
    for (QLineEdit *edit : {m_labelPicture16, m_labelPicture32}) {
        const QString path = edit->text();
        if (path != settings.value(edit->objectName()) && QFileInfo(path).isFile())
            settings.setValue(edit->objectName(), path);
    }
}

bool DecorationPages::applyIconSize()
{
    Settings &settings = m_context.settings();
    SettingsHost &host = m_context.host();
    bool rebuild = false;
    const int iconSize = m_iconSize->value();
    if (iconSize != settings.integer(QStringLiteral("IconSize"), -1)) {
        settings.setInteger(QStringLiteral("IconSize"), iconSize);
        rebuild = true;
    }
    if (iconSize != host.iconSize())
        host.setIconSize(iconSize);
    return rebuild;
}

} // namespace kazari
