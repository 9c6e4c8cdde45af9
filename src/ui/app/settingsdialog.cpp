#include "ui/app/settingsdialog.h"

#include "core/app/settings.h"
#include "ui/app/settingshost.h"
#include "ui/settings/applicationpage.h"
#include "ui/settings/basicpage.h"
#include "ui/settings/captionpage.h"
#include "ui/settings/commentpage.h"
#include "ui/settings/decorationpages.h"
#include "ui/settings/filepage.h"
#include "ui/settings/settingsoptions.h"
#include "ui/settings/settingswidgets.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QStackedWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace kazari
{

SettingsDialog::SettingsDialog(SettingsHost &host, QWidget *parent)
    : QDialog(parent)
    , m_context(host, this)
    , m_options(std::make_unique<SettingsOptions>(m_context))
    , m_basic(std::make_unique<BasicPage>(m_context, *m_options))
    , m_decoration(std::make_unique<DecorationPages>(m_context, *m_options))
    , m_caption(std::make_unique<CaptionPage>(m_context, *m_options))
    , m_comments(std::make_unique<CommentPage>(m_context, *m_options))
    , m_files(std::make_unique<FilePage>(m_context, *m_options))
    , m_applications(std::make_unique<ApplicationPage>(m_context))
{
    setObjectName(QStringLiteral("SettingsDialog"));
    setWindowTitle(QStringLiteral("設定"));
    m_context.setStoredListener([this] { fillSettingsList(); });
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

    using W = SettingsWidgets;
    m_pages = new QStackedWidget;
    const QStringList titles = pageTitles();
    m_pages->addWidget(W::page(titles.at(0), m_basic->build()));
    m_pages->addWidget(W::page(titles.at(1), m_decoration->buildIconPage()));
    m_pages->addWidget(W::page(titles.at(2), m_decoration->buildMaskPage()));
    m_pages->addWidget(W::page(titles.at(3), m_decoration->buildSealPage()));
    m_pages->addWidget(W::page(titles.at(4), m_decoration->buildLabelPage()));
    m_pages->addWidget(W::page(titles.at(5), m_caption->build()));
    m_pages->addWidget(W::page(titles.at(6), m_comments->build()));
    m_pages->addWidget(W::page(titles.at(7), m_files->build()));
    m_pages->addWidget(
        W::page(QStringLiteral(
                    "アプリケーションを右クリックメニューから\n簡単につかえるように登録出来ます。"),
                m_applications->build()));
    m_pages->addWidget(W::page(titles.at(9), buildSettingsListPage()));
    m_pages->addWidget(W::page(titles.at(10), buildWatchedPage()));
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
    m_options->fill();
    m_basic->fill();
    m_comments->fill();
    m_caption->fill();
    m_files->fill();
    fillWatched();
    m_decoration->fill();
    m_applications->fill();
    fillSettingsList();
}

void SettingsDialog::fillWatched()
{
    m_watched->clear();
    for (const SettingsHost::WatchedFolder &w : m_context.host().watchedFolders()) {
        // An emptied entry keeps its row until the main window closes.
        const bool emptied = w.path.isEmpty();
        QString state = w.state;
        if (state.isEmpty())
            state = emptied ? QStringLiteral("停止中") : QStringLiteral("実行中");
        new QTreeWidgetItem(m_watched, {emptied ? QStringLiteral("削除中") : w.path, state});
    }
}

void SettingsDialog::fillSettingsList()
{
    m_settingsText->setPlainText(m_context.settings().lines().join(QLatin1Char('\n')));
}

// ---------------------------------------------------------------------------------------
// Applying

bool SettingsDialog::apply()
{
    // Keys missing from the settings list are appended in this order.
    bool rebuild = m_options->apply();
    m_decoration->applyLabelPictures();
    m_basic->apply();
    m_comments->apply();
    if (m_decoration->applyIconSize())
        rebuild = true;
    if (m_caption->apply())
        rebuild = true;

    Settings &settings = m_context.settings();
    QString error;
    const bool saved = settings.save(&error);
    fillSettingsList();
    m_context.host().settingsApplied(rebuild);
    if (!saved)
        m_context.warn(QStringLiteral("%1 に設定を保存できませんでした。\n%2")
                           .arg(settings.filePath(), error));
    return saved;
}

bool SettingsDialog::saveApplications()
{
    return m_applications->save();
}

} // namespace kazari
