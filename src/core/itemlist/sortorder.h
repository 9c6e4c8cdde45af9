#pragma once

#include "core/app/componentnames.h"
#include <QList>
#include <QString>

#include <optional>

namespace kazari
{

/// The six sort orders of the menu "整頓(&I)": which command marks each, the sort key it
/// sorts with and the value a folder's `.SortType` stores for it.
class SortOrder
{
public:
    enum Order : int {
        ByName = 0,
        ByIconColour = 1,
        ByCaptionColour = 2,
        ByComment = 3,
        BySize = 4,
        ByType = 5,
    };
    static constexpr int Count = 6;

    struct Entry {
        Order order;
        QString command;
        QString caption;
        int key;
    };

    /// The six orders in menu order (their index is their `.SortType` value).
    static const QList<Entry> &entries();
    /// "なし": unmarks the six orders without sorting again.
    static QString noneCommand() { return Component::ArrangeNone; }

    /// The order a command selects; nothing for any other command.
    static std::optional<Order> ofCommand(const QString &command);
    static int keyOf(Order order);
    static QString commandOf(Order order);

    /// The order a folder fixes with `.SortType`: only the integers 0 to 5 count.
    static std::optional<Order> ofFolderValue(const QString &sortType);

    /// The order in force when the marks (indexed by order) say several are marked: the
    /// first marked of type, size, comment, caption colour, icon colour and name.
    static std::optional<Order> effective(const QList<bool> &marked);
};

} // namespace kazari
