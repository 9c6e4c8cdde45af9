#pragma once

#include "core/app/applicationlist.h"

#include <QColor>
#include <QDialog>
#include <QFont>
#include <QHash>
#include <QList>

#include <functional>
#include <optional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QStackedWidget;
class QTableWidget;
class QTreeWidget;

namespace kazari
{

class SettingsHost;

/// The settings dialog "設定": eleven pages of options, each option tied to its key in
/// the settings list and, for switches, to the main window's command of the same name.
///
/// Showing the dialog fills every page from the current state. "設定" applies: every
/// option goes to its key and its command's check mark (set, never triggered), the
/// whole settings list is written to exe.ini (created when missing) and the host is told.
/// "保存して閉じる" hides and applies; closing only hides. Colours, seal pictures and
/// the application list are the exceptions that are stored at the moment they are
/// chosen (colours and seal pictures) or on their own button (the application list).
class SettingsDialog : public QDialog
{
    Q_OBJECT

public:
    /// Asks for a colour; an invalid colour means the user cancelled.
    using ColorPicker = std::function<QColor(QWidget *parent, const QColor &initial)>;
    /// Asks for an existing file; an empty string means the user cancelled.
    using FilePicker =
        std::function<QString(QWidget *parent, const QString &title, const QString &filter)>;
    /// Asks for the list's font and text colour; nothing when the user cancelled.
    using FontPicker = std::function<std::optional<std::pair<QFont, QColor>>(
        QWidget *parent, const QFont &font, const QColor &colour)>;

    explicit SettingsDialog(SettingsHost &host, QWidget *parent = nullptr);
    ~SettingsDialog() override;

    /// Replace the system colour and file dialogs (tests answer them in advance).
    void setColorPicker(ColorPicker picker) { m_pickColor = std::move(picker); }
    void setFilePicker(FilePicker picker) { m_pickFile = std::move(picker); }
    void setFontPicker(FontPicker picker) { m_pickFont = std::move(picker); }

    /// Fills every page from the settings and the main window (done on every show).
    void fill();
    /// Copies every option to its key and command, writes exe.ini and tells the host.
    /// Returns whether exe.ini was written.
    bool apply();
    /// Writes the application grid to myappli.ini, one line per row with both cells
    /// filled. Returns whether the file was written.
    bool saveApplications();

    /// The page names in the order of the navigation list.
    static QStringList pageTitles();

protected:
    void showEvent(QShowEvent *event) override;

private:
    struct SwitchOption {
        QString key;
        QCheckBox *box = nullptr;
        /// Whether a change of this switch needs the item list rebuilt.
        bool rebuilds = true;
        /// The state shown when the dialog was filled.
        bool shown = false;
    };
    struct ColorOption {
        QString key;
        QPushButton *button = nullptr;
    };

    void buildUi();
    QWidget *makePage(const QString &description, QWidget *body);
    QWidget *buildBasicPage();
    QWidget *buildIconPage();
    QWidget *buildMaskPage();
    QWidget *buildSealPage();
    QWidget *buildLabelPage();
    QWidget *buildCaptionPage();
    QWidget *buildCommentPage();
    QWidget *buildFilePage();
    QWidget *buildApplicationPage();
    QWidget *buildSettingsListPage();
    QWidget *buildWatchedPage();

    QCheckBox *addSwitch(const QString &key, const QString &caption, bool rebuilds);
    QLineEdit *addText(const QString &key);
    QPushButton *addColor(const QString &key);
    QWidget *pictureBrowser(const QString &key, QLineEdit **edit);

    void chooseColor(const QString &key);
    void chooseSealPicture(int seal);
    void chooseLabelPicture(const QString &key);
    void chooseListColor();
    void chooseListFont();
    void addApplication();
    void removeApplication();

    void fillApplications();
    void fillSettingsList();
    void fillPictures();
    void updateColorButton(const ColorOption &option);
    void updateListSample();
    /// Stores one key at once (written to exe.ini when it exists); reports a failure.
    void storeAtOnce(const QString &key, const QString &value);
    void warn(const QString &text);

    QColor pickColor(const QColor &initial);
    QString pickFile(const QString &title, const QString &filter);

    SettingsHost &m_host;
    ApplicationList m_applications;
    ColorPicker m_pickColor;
    FilePicker m_pickFile;
    FontPicker m_pickFont;

    QListWidget *m_nav = nullptr;
    QStackedWidget *m_pages = nullptr;

    QList<SwitchOption> m_switches;
    QHash<QString, QLineEdit *> m_texts;
    QList<ColorOption> m_colors;
    bool m_colorsChanged = false;

    // 基本の設定
    QCheckBox *m_windowAtBack = nullptr;
    QLineEdit *m_lastPath = nullptr;
    QLineEdit *m_webLastPath = nullptr;
    QRadioButton *m_centralMode = nullptr;
    QRadioButton *m_perFolderMode = nullptr;
    // アイコンの設定
    QSpinBox *m_iconSize = nullptr;
    QList<QLabel *> m_placeholders;
    // シールの設定
    QList<QLabel *> m_sealPictures;
    // ラベルの設定
    QLineEdit *m_labelPicture16 = nullptr;
    QLineEdit *m_labelPicture32 = nullptr;
    QLabel *m_labelStrip16 = nullptr;
    QLabel *m_labelStrip32 = nullptr;
    // 文字の設定
    QLabel *m_listSample = nullptr;
    QColor m_listColor;
    QColor m_listTextColor;
    QFont m_listFont;
    bool m_listLookChanged = false;
    // コメントとタスクの設定
    QCheckBox *m_tips = nullptr;
    // ファイルの設定
    QListWidget *m_layout = nullptr;
    QCheckBox *m_freeTreeShown = nullptr;
    QCheckBox *m_hiddenShown = nullptr;
    // application page
    QTableWidget *m_appGrid = nullptr;
    // 基本設定のリスト
    QPlainTextEdit *m_settingsText = nullptr;
    // 監視するフォルダの一覧
    QTreeWidget *m_watched = nullptr;
};

} // namespace kazari
