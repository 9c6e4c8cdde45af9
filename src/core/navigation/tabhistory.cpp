#include "core/navigation/tabhistory.h"

#include "core/navigation/navigation.h"

namespace kazari
{

int TabHistory::indexOf(const QString &folder) const
{
    for (int i = 0; i < m_entries.size(); ++i) {
        if (Navigation::samePath(m_entries.at(i), folder))
            return i;
    }
    return -1;
}

TabHistory::Visit TabHistory::visit(const QString &folder)
{
    Visit v;
    const QString p = Navigation::withoutTrailingSeparator(folder);
    if (p.isEmpty())
        return v;
    const int at = indexOf(p);
    if (at >= 0) {
        v.selected = at;
        return v;
    }
    if (m_entries.size() >= MaxEntries) {
        m_entries.removeFirst();
        v.removedFirst = true;
    }
    m_entries.append(p);
    v.appended = true;
    v.selected = int(m_entries.size()) - 1;
    return v;
}

QString TabHistory::caption(const QString &path,
                            const std::function<int(const QString &)> &textWidth, int maxWidth)
{
    const QString p = Navigation::withoutTrailingSeparator(path);
    auto fits = [&](const QString &text) { return textWidth(text) <= maxWidth; };
    if (Navigation::isRoot(p) || fits(p))
        return p;

    const QChar sep = Navigation::isWindowsPath(p) ? QLatin1Char('\\') : QLatin1Char('/');
    const QString ellipsis = QStringLiteral("...");
    // The root part stays in front while folders give way: "/", "C:\" or "\\".
    QString root;
    if (p.startsWith(QLatin1String("\\\\")))
        root = QStringLiteral("\\\\");
    else if (Navigation::isWindowsPath(p))
        root = p.left(3);
    else if (p.startsWith(QLatin1Char('/')))
        root = QStringLiteral("/");
    const QString rest = p.mid(root.size());
    QStringList parts = rest.split(sep);
    const QString name = parts.takeLast();

    while (!parts.isEmpty()) {
        parts.removeFirst();
        QStringList shown{ellipsis};
        shown += parts;
        shown.append(name);
        const QString candidate = root + shown.join(sep);
        if (fits(candidate))
            return candidate;
    }
    const QString bare = ellipsis + sep + name;
    if (fits(bare))
        return bare;
    for (qsizetype n = name.size() - 1; n > 0; --n) {
        const QString cut = name.left(n) + ellipsis;
        if (fits(cut))
            return cut;
    }
    return ellipsis;
}

} // namespace kazari
