#include "core/itemlist/sortorder.h"
#include "core/app/componentnames.h"

#include "core/annotations/annotationvalues.h"

namespace kazari
{

const QList<SortOrder::Entry> &SortOrder::entries()
{
    static const QList<Entry> table{
        {ByName, Component::SortByName, QStringLiteral("名前順"), 13},
        {ByIconColour, Component::SortByIconColour, QStringLiteral("アイコン色順"), 14},
        {ByCaptionColour, Component::SortByCaptionColour, QStringLiteral("キャプション色順"), 15},
        {ByComment, Component::SortByComment, QStringLiteral("コメント順"), 16},
        {BySize, Component::SortBySize, QStringLiteral("サイズ順"), 17},
        {ByType, Component::SortByType, QStringLiteral("種類順"), 18},
    };
    return table;
}

std::optional<SortOrder::Order> SortOrder::ofCommand(const QString &command)
{
    for (const Entry &e : entries()) {
        if (e.command == command)
            return e.order;
    }
    return std::nullopt;
}

int SortOrder::keyOf(Order order)
{
    return entries().at(int(order)).key;
}

QString SortOrder::commandOf(Order order)
{
    return entries().at(int(order)).command;
}

std::optional<SortOrder::Order> SortOrder::ofFolderValue(const QString &sortType)
{
    const std::optional<int> v = AnnotationValues::parseSortType(sortType);
    if (!v || *v < 0 || *v >= Count)
        return std::nullopt;
    return Order(*v);
}

std::optional<SortOrder::Order> SortOrder::effective(const QList<bool> &marked)
{
    for (Order o : {ByType, BySize, ByComment, ByCaptionColour, ByIconColour, ByName}) {
        if (int(o) < marked.size() && marked.at(int(o)))
            return o;
    }
    return std::nullopt;
}

} // namespace kazari
