#include "ui/settings/settingsoptions.h"

#include "core/app/colorvalue.h"
#include "core/app/settings.h"
#include "ui/app/settingshost.h"
#include "ui/settings/settingscontext.h"
#include "ui/settings/settingswidgets.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

#include <optional>

namespace kazari
{

SettingsOptions::SettingsOptions(SettingsContext &context)
    : m_context(context)
{
}

QCheckBox *SettingsOptions::addSwitch(const QString &key, const QString &caption, bool rebuilds)
{
    auto *box = new QCheckBox(caption);
    box->setObjectName(key);
    m_switches.append({key, box, rebuilds, false});
    return box;
}

QLineEdit *SettingsOptions::addText(const QString &key)
{
    auto *edit = new QLineEdit;
    edit->setObjectName(key);
    m_texts.insert(key, edit);
    return edit;
}

QPushButton *SettingsOptions::addColor(const QString &key)
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

void SettingsOptions::fill()
{
    const Settings &settings = m_context.settings();
    for (SwitchOption &option : m_switches) {
        option.shown = settings.isOn(option.key);
        option.box->setChecked(option.shown);
    }
    for (auto it = m_texts.cbegin(); it != m_texts.cend(); ++it)
        it.value()->setText(settings.value(it.key()));
    for (const ColorOption &option : m_colors)
        updateColorButton(option);
    m_colorsChanged = false;
}

bool SettingsOptions::apply()
{
    Settings &settings = m_context.settings();
    bool rebuild = m_colorsChanged;
    m_colorsChanged = false;

    for (SwitchOption &option : m_switches) {
        const bool on = option.box->isChecked();
        if (on != option.shown && option.rebuilds)
            rebuild = true;
        option.shown = on;
        settings.setSwitch(option.key, on);
        if (QAction *action = m_context.host().command(option.key); action && action->isCheckable())
            action->setChecked(on);
    }

    for (auto it = m_texts.cbegin(); it != m_texts.cend(); ++it) {
        // Untouched texts stay as they are, so an empty default line is not dropped.
        if (it.value()->text() != settings.value(it.key()))
            settings.setValue(it.key(), it.value()->text());
    }
    return rebuild;
}

void SettingsOptions::chooseColor(const QString &key)
{
    const std::optional<qint32> current = m_context.settings().color(key);
    const QColor chosen =
        m_context.pickColor(current ? ColorValue::toColor(*current) : QColor(Qt::white));
    if (!chosen.isValid())
        return;
    m_context.storeAtOnce(key, QString::number(ColorValue::fromColor(chosen)));
    m_colorsChanged = true;
    for (const ColorOption &option : m_colors) {
        if (option.key == key)
            updateColorButton(option);
    }
}

void SettingsOptions::updateColorButton(const ColorOption &option)
{
    const QString text = m_context.settings().value(option.key);
    const std::optional<qint32> number = ColorValue::parse(text);
    const QColor color = number ? ColorValue::toColor(*number) : QColor();
    option.button->setIcon(SettingsWidgets::swatch(color, 44, 14));
    option.button->setToolTip(SettingsWidgets::plainToolTip(text));
}

} // namespace kazari
