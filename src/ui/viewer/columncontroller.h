#pragma once

#include "core/itemlist/columnsets.h"

#include <QObject>

#include <optional>

namespace kazari
{

class LabelColumnDelegate;
class MainWindow;

/// The details view's columns: after every list build it chooses the column set for the
/// view, gives the list its captions and texts and, when the set changed, the stored
/// widths (`ColumnsWidth0`). The widths are stored back at exit and before the view
/// switches to "リスト" or "コメント Professional 詳細" while columns are shown.
class ColumnController : public QObject
{
    Q_OBJECT

public:
    static ColumnController *install(MainWindow &form);
    explicit ColumnController(MainWindow &form);

    /// The set the list shows now; nothing before the first build.
    std::optional<ColumnSets::Set> currentSet() const { return m_set; }
    /// The set for the view as it is now.
    ColumnSets::Set chooseSet() const;
    /// Writes the current columns' widths into the settings list.
    void storeWidths();

private:
    void onListBuilt();
    QStringList textsOf(int row) const;

    MainWindow &m_form;
    std::optional<ColumnSets::Set> m_set;
    bool m_fixed = false;
    LabelColumnDelegate *m_labelColumn = nullptr;
};

} // namespace kazari
