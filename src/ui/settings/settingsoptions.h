#pragma once

#include <QHash>
#include <QList>
#include <QObject>
#include <QString>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace kazari
{

class SettingsContext;

/// The options of the settings dialog that stand one to one for a key of the settings
/// list, whatever page shows them: switches (also the check mark of the main window's
/// command of the same name), texts, and colours, which are stored the moment they are
/// chosen.
class SettingsOptions : public QObject
{
    Q_OBJECT

public:
    explicit SettingsOptions(SettingsContext &context);

    /// A switch for `key`; `rebuilds` says whether a change of it needs the item list
    /// rebuilt.
    QCheckBox *addSwitch(const QString &key, const QString &caption, bool rebuilds);
    QLineEdit *addText(const QString &key);
    /// A colour button for `key`: pressing it asks for a colour and stores it at once.
    QPushButton *addColor(const QString &key);

    /// Shows every option as the settings list has it.
    void fill();
    /// Copies every switch to its key and command and every edited text to its key.
    /// Returns whether a change since `fill()` needs the item list rebuilt.
    bool apply();

private:
    struct SwitchOption {
        QString key;
        QCheckBox *box = nullptr;
        bool rebuilds = true;
        /// The state shown when the dialog was filled.
        bool shown = false;
    };
    struct ColorOption {
        QString key;
        QPushButton *button = nullptr;
    };

    void chooseColor(const QString &key);
    void updateColorButton(const ColorOption &option);

    SettingsContext &m_context;
    QList<SwitchOption> m_switches;
    QHash<QString, QLineEdit *> m_texts;
    QList<ColorOption> m_colors;
    bool m_colorsChanged = false;
};

} // namespace kazari
