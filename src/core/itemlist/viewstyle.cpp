#include "core/itemlist/viewstyle.h"
#include "core/app/componentnames.h"

#include "core/annotations/annotationvalues.h"
#include "core/app/settings.h"

namespace kazari
{

const QStringList &ViewStyle::commands()
{
    static const QStringList names{Component::ViewIcons,
                                   Component::ViewSmallIcons,
                                   Component::ViewList,
                                   Component::ViewDetails,
                                   Component::ViewTaskDetails,
                                   Component::ViewTreeList,
                                   Component::ViewExtendedComments,
                                   Component::ViewThumbnails};
    return names;
}

ListStyle ViewStyle::listStyleOf(const QString &command)
{
    if (command == Component::ViewIcons || command == Component::ViewThumbnails)
        return ListStyle::LargeIcons;
    if (command == Component::ViewSmallIcons)
        return ListStyle::SmallIcons;
    if (command == Component::ViewList)
        return ListStyle::List;
    return ListStyle::Details;
}

QString ViewStyle::marked(const Settings &settings)
{
    for (const QString &name : commands()) {
        if (settings.isOn(name))
            return name;
    }
    return Component::ViewIcons;
}

QString ViewStyle::nextInCycle(const QString &command)
{
    static const QStringList cycle{Component::ViewIcons, Component::ViewSmallIcons,
                                   Component::ViewList, Component::ViewDetails,
                                   Component::ViewExtendedComments};
    const qsizetype i = cycle.indexOf(command);
    if (i < 0)
        return QString();
    return cycle.at((i + 1) % cycle.size());
}

std::optional<ListStyle> ViewStyle::folderStyle(const QString &value)
{
    const std::optional<int> v = AnnotationValues::parseViewStyle(value);
    if (!v)
        return std::nullopt;
    return ListStyle(*v);
}

QString ViewStyle::commandOf(ListStyle style)
{
    switch (style) {
    case ListStyle::LargeIcons:
        return Component::ViewIcons;
    case ListStyle::SmallIcons:
        return Component::ViewSmallIcons;
    case ListStyle::List:
        return Component::ViewList;
    case ListStyle::Details:
        break;
    }
    return Component::ViewDetails;
}

} // namespace kazari
