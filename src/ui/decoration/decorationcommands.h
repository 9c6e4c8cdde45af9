#pragma once

#include "core/annotations/annotationvalues.h"
#include "core/decoration/decorationbatch.h"

#include <QColor>
#include <QLabel>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <optional>

class QAction;
class QWidget;

namespace kazari
{

class MainWindow;

/// The commands with which the user decorates items: the seven mask colours and a colour
/// from the colour dialog, removing the masks, the seven caption colours, the four labels
/// and fifteen seals, stamps, and copying and pasting a whole annotation. With items
/// selected they change the selected items; with nothing selected the mask and caption
/// colour commands change the current folder's own annotation, which lives in its parent's
/// file. The folder's picture in the title panel takes clicks: left for its comment, right
/// for its colour.
///
/// A command first takes a snapshot of the selected records, so nothing it does to the
/// selection can make it skip an item; it then writes every annotation file once and
/// shows the list again once.
class DecorationCommands : public QObject
{
    Q_OBJECT

public:
    /// Installs the commands on the main window the first time and (re)builds the menu
    /// captions, pictures and tool buttons from the settings.
    static DecorationCommands *install(MainWindow &form);

    explicit DecorationCommands(MainWindow &form);

    /// Picks a colour; nothing when cancelled. The colour dialog by default.
    using ColourChooser = std::function<std::optional<QColor>(QWidget *parent)>;
    /// Asks for a line of text (caption, prompt, preset); nothing when cancelled.
    using TextAsker = std::function<std::optional<QString>(
        QWidget *parent, const QString &caption, const QString &prompt, const QString &preset)>;
    void setColourChooser(ColourChooser chooser) { m_chooseColour = std::move(chooser); }
    void setTextAsker(TextAsker asker) { m_askText = std::move(asker); }

    /// The captions, pictures and hints of the seal, label, mask colour and caption colour
    /// commands and their tool buttons, from the settings.
    void buildMenus();

    /// `IconColorChange`: gives the selected items the single-colour mask `value` (a code
    /// 1 to 7 or a colour number), or, with `shift`, the colour shift `_RGB` instead, and
    /// shows them again. Nothing happens without a selection. The mask commands, the
    /// icon colour tool and the colour sample window all go through here.
    void IconColorChange(qint32 value, const std::optional<ColourShift> &shift = std::nullopt);
    /// `IconColorDel`: removes `_RGB` and `_oneColor` of the selected items and shows them
    /// again. Nothing happens without a selection.
    void IconColorDel();

    /// The hint of the folder's picture in the title panel.
    static QString folderImageHint()
    {
        return QStringLiteral("左クリックでコメント　右クリックで色");
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Selected {
        quint32 id = 0;
        DecorationTarget target;
    };

    bool onCommand(const QString &name);
    QList<Selected> snapshot() const;
    static QList<DecorationTarget> targetsOf(const QList<Selected> &items);
    bool apply(const QList<Selected> &items, const DecorationBatch::ItemChange &change,
               bool mayCreate);
    void reshow(const QList<Selected> &items);
    void rebuild(const QList<Selected> &items);
    void deselect(const QList<Selected> &items);

    void changeIconColour(const QList<Selected> &items, qint32 value,
                          const std::optional<ColourShift> &shift);
    bool deleteIconColour(const QList<Selected> &items);
    void SetLabelOrSeal(int label, int seal);
    void RemoveLabelOrSeal(int label, int seal);
    void setCaptionColour(const QString &text);
    void removeCaptionColour();
    void maskCode(int code);
    void chooseMaskColour();
    void removeMasks();
    void setStamp(int tag);
    void copyAnnotations();
    void pasteAnnotations();

    /// The current folder's own path, or empty when the list shows no folder.
    QString folderPath() const;
    /// Whether the folder's own mask and comment may be written: in per-folder mode only
    /// into an annotation file its parent already has.
    bool folderFieldWritable(const QString &folder);
    void setFolderField(const QString &suffix, const QString &value, bool onlyIntoExisting);
    void removeFolderField(const QString &suffix);
    void repaintFolderImage();
    void folderImageClicked(Qt::MouseButton button);

    std::optional<QColor> chooseColour();
    void showError(const QString &error);

    MainWindow &m_form;
    // The title panel's picture; compared by pointer, since its events also arrive while
    // the main window is being torn down.
    QPointer<QWidget> m_folderImage;
    ColourChooser m_chooseColour;
    TextAsker m_askText;
    /// "設定を貼り付け" pastes only what "設定をコピー" copied in this session.
    bool m_copied = false;
};

} // namespace kazari
