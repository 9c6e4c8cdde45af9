#include "core/app/switchcommands.h"

namespace kazari
{

namespace
{

bool in(const QString &name, std::initializer_list<const char *> names)
{
    for (const char *n : names) {
        if (name == QLatin1String(n))
            return true;
    }
    return false;
}

} // namespace

bool SwitchCommands::isGeneric(const QString &name)
{
    return in(name, {"N106",
                     "N107",
                     "N217",
                     "N306",
                     "N380",
                     "N358",
                     "N356",
                     "N124",
                     "N119",
                     "N113",
                     "N30",
                     "N111",
                     "N70",
                     "N74",
                     "N118",
                     "N31",
                     "N32",
                     "N116",
                     "N29",
                     "N77",
                     "N117",
                     "N88",
                     "N350",
                     "N23",
                     "N76",
                     "N212",
                     "N54",
                     "N278",
                     "InIManagement2",
                     "min1",
                     "N325",
                     "NameSpace1"}) ||
           isRightPanePage(name) || name == QLatin1String("path1");
}

bool SwitchCommands::isRightPanePage(const QString &name)
{
    return in(name, {"N60", "N114", "N123", "WebBrowser2", "N200"});
}

bool SwitchCommands::rebuildsList(const QString &name)
{
    return !in(name, {"N60", "N114", "path1", "WebBrowser2", "N123", "N200"});
}

bool SwitchCommands::showsPageWhenOn(const QString &name)
{
    return in(name, {"N60", "N114", "N123"});
}

} // namespace kazari
