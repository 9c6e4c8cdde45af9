#pragma once

#include <QObject>

namespace kazari
{

class SettingsContext;
class SettingsOptions;

/// A part of the settings dialog that builds one or more of its pages. It shares the
/// dialog's context and the table of options tied to keys, and keeps the rest of its
/// state itself.
class SettingsPage : public QObject
{
    Q_OBJECT

public:
    SettingsPage(SettingsContext &context, SettingsOptions &options)
        : m_context(context)
        , m_options(options)
    {
    }

protected:
    SettingsContext &m_context;
    SettingsOptions &m_options;
};

} // namespace kazari
