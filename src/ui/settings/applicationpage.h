#pragma once

#include "core/app/applicationlist.h"

#include <QObject>

class QTableWidget;
class QWidget;

namespace kazari
{

class SettingsContext;

/// The page "アプリケーション": the programs offered in the item list's context menu,
/// kept in myappli.ini and written only by the page's own "上書き" button.
class ApplicationPage : public QObject
{
    Q_OBJECT

public:
    explicit ApplicationPage(SettingsContext &context);

    QWidget *build();
    /// Reads myappli.ini into the grid.
    void fill();
    /// Writes the grid to myappli.ini, one line per row with both cells filled.
    /// Returns whether the file was written.
    bool save();

private:
    void addApplication();
    void removeApplication();

    SettingsContext &m_context;
    ApplicationList m_applications;
    QTableWidget *m_grid = nullptr;
};

} // namespace kazari
