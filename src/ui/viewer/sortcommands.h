#pragma once

#include "core/itemlist/sortorder.h"

#include <QObject>

#include <optional>

namespace kazari
{

class MainWindow;

/// The sort orders of the item list: the six commands of "整頓(&I)" and "なし", the
/// column headers of the details view, and the order applied after every list build (the
/// marked order, or the one a folder fixes with `.SortType`).
///
/// One direction flag serves all of them: it starts descending; every command and every
/// header click inverts it before sorting, a folder's fixed order sets it to descending,
/// and applying the order after a build leaves it as it is.
class SortCommands : public QObject
{
    Q_OBJECT

public:
    static SortCommands *install(MainWindow &form);
    explicit SortCommands(MainWindow &form);

    bool ascending() const { return m_ascending; }
    /// The order in force after the last build or command; nothing when none is.
    std::optional<SortOrder::Order> effectiveOrder() const { return m_effective; }

    /// Sorts the list with a sort key in the current direction.
    void sortWithKey(int key);

private:
    bool onCommand(const QString &name);
    void chooseOrder(SortOrder::Order order);
    void unmarkAll();
    void onHeaderClicked(int section);
    void applyAfterBuild();
    void markDefault(std::optional<SortOrder::Order> order);
    bool detailsColumnsShown() const;

    MainWindow &m_form;
    bool m_ascending = false;
    std::optional<SortOrder::Order> m_effective;
};

} // namespace kazari
