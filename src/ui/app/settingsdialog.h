#pragma once

#include "ui/settings/settingscontext.h"

#include <QDialog>

#include <memory>

class QListWidget;
class QPlainTextEdit;
class QStackedWidget;
class QTreeWidget;

namespace kazari
{

class ApplicationPage;
class BasicPage;
class CaptionPage;
class CommentPage;
class DecorationPages;
class FilePage;
class SettingsHost;
class SettingsOptions;

/// The settings dialog "設定": eleven pages of options, each option tied to its key in
/// the settings list and, for switches, to the main window's command of the same name.
///
/// Showing the dialog fills every page from the current state. "設定" applies: every
/// option goes to its key and its command's check mark (set, never triggered), the
/// whole settings list is written to exe.ini (created when missing) and the host is told.
/// "保存して閉じる" hides and applies; closing only hides. Colours, seal pictures and
/// the application list are the exceptions that are stored at the moment they are
/// chosen (colours and seal pictures) or on their own button (the application list).
///
/// The pages live in ui/settings/, each owning its widgets and state; the dialog lays
/// them out, fills them, and applies and saves them in one go.
class SettingsDialog : public QDialog
{
    Q_OBJECT

public:
    using ColorPicker = SettingsContext::ColorPicker;
    using FilePicker = SettingsContext::FilePicker;
    using FontPicker = SettingsContext::FontPicker;

    explicit SettingsDialog(SettingsHost &host, QWidget *parent = nullptr);
    ~SettingsDialog() override;

    /// Replace the system colour and file dialogs (tests answer them in advance).
    void setColorPicker(ColorPicker picker) { m_context.setColorPicker(std::move(picker)); }
    void setFilePicker(FilePicker picker) { m_context.setFilePicker(std::move(picker)); }
    void setFontPicker(FontPicker picker) { m_context.setFontPicker(std::move(picker)); }

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
    void buildUi();
    QWidget *buildSettingsListPage();
    QWidget *buildWatchedPage();
    void fillSettingsList();
    void fillWatched();

    SettingsContext m_context;
    std::unique_ptr<SettingsOptions> m_options;
    std::unique_ptr<BasicPage> m_basic;
    std::unique_ptr<DecorationPages> m_decoration;
    std::unique_ptr<CaptionPage> m_caption;
    std::unique_ptr<CommentPage> m_comments;
    std::unique_ptr<FilePage> m_files;
    std::unique_ptr<ApplicationPage> m_applications;

    QListWidget *m_nav = nullptr;
    QStackedWidget *m_pages = nullptr;
    // 基本設定のリスト
    QPlainTextEdit *m_settingsText = nullptr;
    // 監視するフォルダの一覧
    QTreeWidget *m_watched = nullptr;
};

} // namespace kazari
