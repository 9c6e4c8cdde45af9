#include "core/navigation/pathboxhistory.h"

#include "core/navigation/navigation.h"

namespace kazari
{

void PathBoxHistory::loadStartup(const QStringList &dirListLines,
                                 const std::function<bool(const QString &)> &isFolder)
{
    for (const QString &line : dirListLines) {
        if (!Navigation::isNativePath(line))
            continue;
        const QString p = Navigation::withoutTrailingSeparator(line);
        if (indexOf(p) < 0 && isFolder(p))
            m_entries.append(p);
    }
}

int PathBoxHistory::indexOf(const QString &folder) const
{
    for (int i = 0; i < m_entries.size(); ++i) {
        if (Navigation::samePath(m_entries.at(i), folder))
            return i;
    }
    return -1;
}

int PathBoxHistory::visit(const QString &folder)
{
    const QString p = Navigation::withoutTrailingSeparator(folder);
    if (p.isEmpty())
        return -1;
    const int before = indexOf(p);
    if (before >= 0)
        m_entries.move(before, 0);
    else
        m_entries.prepend(p);
    return before;
}

} // namespace kazari
