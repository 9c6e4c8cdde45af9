#include "core/app/shelllocation.h"

namespace kazari
{

QString ShellLocation::normalized(const QString &text)
{
    QString t = text.trimmed();
    while (t.endsWith(QLatin1Char('\\')) || t.endsWith(QLatin1Char('/')))
        t.chop(1);
    return t.toUpper();
}

bool ShellLocation::isWindowsPath(const QString &text)
{
    if (text.startsWith(QLatin1String("\\\\")))
        return true;
    return text.size() >= 3 && text.at(0).isLetter() && text.at(0).unicode() < 128 &&
           text.at(1) == QLatin1Char(':') &&
           (text.at(2) == QLatin1Char('\\') || text.at(2) == QLatin1Char('/'));
}

} // namespace kazari
