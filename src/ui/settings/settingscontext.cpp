#include "ui/settings/settingscontext.h"

#include "core/app/settings.h"
#include "ui/app/fontcolourdialog.h"
#include "ui/app/messagebox.h"
#include "ui/app/settingshost.h"

#include <QColorDialog>
#include <QFileDialog>

namespace kazari
{

SettingsContext::SettingsContext(SettingsHost &host, QWidget *dialog)
    : m_host(host)
    , m_dialog(dialog)
{
}

Settings &SettingsContext::settings() const
{
    return m_host.settings();
}

QColor SettingsContext::pickColor(const QColor &initial) const
{
    if (m_pickColor)
        return m_pickColor(m_dialog, initial);
    return QColorDialog::getColor(initial, m_dialog);
}

QString SettingsContext::pickFile(const QString &title, const QString &filter) const
{
    if (m_pickFile)
        return m_pickFile(m_dialog, title, filter);
    return QFileDialog::getOpenFileName(m_dialog, title, QString(), filter);
}

std::optional<std::pair<QFont, QColor>> SettingsContext::pickFont(const QFont &font,
                                                                  const QColor &colour) const
{
    if (m_pickFont)
        return m_pickFont(m_dialog, font, colour);
    if (const auto chosen = FontColourDialog::ask(m_dialog, font, colour))
        return std::make_pair(chosen->font, chosen->colour);
    return std::nullopt;
}

void SettingsContext::storeAtOnce(const QString &key, const QString &value) const
{
    QString error;
    m_host.settings().storeSetting(key, value, true, &error);
    if (!error.isEmpty())
        warn(QStringLiteral("設定を保存できませんでした。\n%1").arg(error));
    if (m_stored)
        m_stored();
}

void SettingsContext::warn(const QString &text) const
{
    MessageBox::warning(m_dialog, text, QStringLiteral("設定"));
}

} // namespace kazari
