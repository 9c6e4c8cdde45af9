#pragma once

#include "ui/settings/settingspage.h"
#include <QList>

class QLabel;
class QLineEdit;
class QSpinBox;
class QString;
class QWidget;

namespace kazari
{

/// The pages of the pictures an item is decorated with: "アイコンの設定" (icon switches,
/// icon size, the placeholder pictures), "マスクの設定" (mask switches and names),
/// "シールの設定" (seal names and pictures) and "ラベルの設定" (label switches, names and
/// picture strips). Each picture is shown as the item list would find it: the user's
/// file, else the program's own.
class DecorationPages : public SettingsPage
{
    Q_OBJECT

public:
    using SettingsPage::SettingsPage;

    QWidget *buildIconPage();
    QWidget *buildMaskPage();
    QWidget *buildSealPage();
    QWidget *buildLabelPage();

    void fill();
    /// Takes the label pictures whose named file exists.
    void applyLabelPictures();
    /// Stores the icon size and moves the main window's slider; returns whether the
    /// stored size changed, which needs the item list rebuilt.
    bool applyIconSize();

private:
    QWidget *pictureBrowser(const QString &key, QLineEdit **edit);
    void chooseSealPicture(int seal);
    void chooseLabelPicture(const QString &key);
    void fillPictures();

    QSpinBox *m_iconSize = nullptr;
    /// "読み込み中", "未読" and "戻る", each at 32 and 16 pixels.
    QList<QLabel *> m_placeholders;
    QList<QLabel *> m_sealPictures;
    QLineEdit *m_labelPicture16 = nullptr;
    QLineEdit *m_labelPicture32 = nullptr;
    QLabel *m_labelStrip16 = nullptr;
    QLabel *m_labelStrip32 = nullptr;
};

} // namespace kazari
