#pragma once

#include "core/tasks/itemattributes.h"

#include <QColor>
#include <QString>
#include <QWidget>

#include <functional>
#include <optional>

class QCheckBox;
class QLabel;
class QMenu;
class QPushButton;
class QTableWidget;

namespace kazari
{

class MainWindow;

/// "詳細情報": a small always-on-top window with the selected item's attributes, comment
/// and basic properties and its decoration pictures. "設定" writes the attributes and the
/// comment; a double click on the caption colour swatch changes `_CVColor`, a click on
/// the item's picture its single colour (`_oneColor`). Opened by "情報をみる"; while it
/// shows it follows the selection.
///
/// The window is bound to the item it was filled for: "設定" and the colours go to that
/// item by its full path, and its comment is read by that path too, so an item of another
/// folder (search results, tree list) is never confused with one of the current folder.
/// Attribute changes that fail are reported.
class DetailWindow : public QWidget
{
    Q_OBJECT

public:
    static DetailWindow *install(MainWindow &form);
    explicit DetailWindow(MainWindow &form);

    static QString openCommand() { return QStringLiteral("cmdShowDetails"); }

    /// Picks a colour; nothing when cancelled. The colour dialog by default.
    using ColourChooser = std::function<std::optional<QColor>(QWidget *parent)>;
    void setColourChooser(ColourChooser chooser) { m_chooseColour = std::move(chooser); }

    /// Fills the window for the item at a path (empty: nothing happens).
    void fillFor(const QString &path);
    const QString &boundPath() const { return m_path; }
    /// "設定": false when something failed (after the message).
    bool applySettings();
    /// The swatch's double click and the picture's click.
    bool chooseCaptionColour();
    bool chooseOneColour();

    QLabel *heading() const { return m_heading; }
    QCheckBox *readOnlyBox() const { return m_readOnly; }
    QCheckBox *hiddenBox() const { return m_hidden; }
    QCheckBox *systemBox() const { return m_system; }
    QCheckBox *volumeBox() const { return m_volume; }
    QCheckBox *folderBox() const { return m_folder; }
    QCheckBox *archiveBox() const { return m_archive; }
    /// Rows 0 "コメント" (editable), 1 "サイズ", 2 "タイプ", 3 "説明", 4 "場所".
    QTableWidget *properties() const { return m_properties; }
    QLabel *picture() const { return m_picture; }
    QLabel *captionSwatch() const { return m_swatch; }
    QLabel *sealPicture() const { return m_seal; }
    QLabel *labelPicture() const { return m_label; }
    QLabel *maskPicture() const { return m_mask; }
    QMenu *picturePopup() const { return m_popup; }
    QPushButton *applyButton() const { return m_apply; }

Q_SIGNALS:
    /// The bound item's comment was written.
    void commentWritten(const QString &path);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void fillPictures(int row, bool folder);
    void reshow();
    /// False, after saying why, when the item's annotation cannot be written.
    bool writable();

    MainWindow &m_form;
    QString m_path;
    QString m_shownComment;
    ItemAttributes m_read;
    ColourChooser m_chooseColour;

    QLabel *m_heading = nullptr;
    QCheckBox *m_readOnly = nullptr;
    QCheckBox *m_hidden = nullptr;
    QCheckBox *m_system = nullptr;
    QCheckBox *m_volume = nullptr;
    QCheckBox *m_folder = nullptr;
    QCheckBox *m_archive = nullptr;
    QCheckBox *m_all = nullptr;
    QTableWidget *m_properties = nullptr;
    QLabel *m_picture = nullptr;
    QLabel *m_swatch = nullptr;
    QLabel *m_seal = nullptr;
    QLabel *m_label = nullptr;
    QLabel *m_mask = nullptr;
    QMenu *m_popup = nullptr;
    QAction *m_shellColour = nullptr;
    QAction *m_shellColourClear = nullptr;
    QPushButton *m_apply = nullptr;
};

} // namespace kazari
