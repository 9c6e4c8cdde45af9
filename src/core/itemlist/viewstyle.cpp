#include "core/itemlist/viewstyle.h"

#include "core/annotations/annotationvalues.h"
#include "core/app/settings.h"

namespace kazari
{

const QStringList &ViewStyle::commands()
{
    static const QStringList names{QStringLiteral("N28"),  QStringLiteral("N27"),
                                   QStringLiteral("N78"),  QStringLiteral("Detail1"),
                                   QStringLiteral("N79"),  QStringLiteral("N90"),
                                   QStringLiteral("N369"), QStringLiteral("N385")};
    return names;
}

ListStyle ViewStyle::listStyleOf(const QString &command)
{
    if (command == QLatin1String("N28") || command == QLatin1String("N385"))
        return ListStyle::LargeIcons;
    if (command == QLatin1String("N27"))
        return ListStyle::SmallIcons;
    if (command == QLatin1String("N78"))
        return ListStyle::List;
    return ListStyle::Details;
}

QString ViewStyle::marked(const Settings &settings)
{
    for (const QString &name : commands()) {
        if (settings.isOn(name))
            return name;
    }
    return QStringLiteral("N28");
}

QString ViewStyle::nextInCycle(const QString &command)
{
    static const QStringList cycle{QStringLiteral("N28"), QStringLiteral("N27"),
                                   QStringLiteral("N78"), QStringLiteral("Detail1"),
                                   QStringLiteral("N369")};
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
        return QStringLiteral("N28");
    case ListStyle::SmallIcons:
        return QStringLiteral("N27");
    case ListStyle::List:
        return QStringLiteral("N78");
    case ListStyle::Details:
        break;
    }
    return QStringLiteral("Detail1");
}

} // namespace kazari
