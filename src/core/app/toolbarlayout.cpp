#include "core/app/toolbarlayout.h"

#include "core/app/settings.h"
#include "core/platform/textfile.h"

#include <algorithm>

namespace kazari
{

namespace
{

std::optional<int> fieldAt(const QStringList &lines, qsizetype index, qsizetype end)
{
    if (index >= end)
        return std::nullopt;
    const QString &line = lines.at(index);
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    if (eq < 0)
        return std::nullopt;
    return Settings::parseInteger(line.mid(eq + 1));
}

} // namespace

void ToolBarLayout::apply(const QStringList &lines, QList<ToolBarState> &bars)
{
    for (ToolBarState &bar : bars) {
        const QString heading = QLatin1Char('[') + bar.name + QLatin1Char(']');
        qsizetype at = -1;
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (lines.at(i).trimmed() == heading) {
                at = i;
                break;
            }
        }
        if (at < 0)
            continue;
        // A section cut short ends at the next heading: its fields keep their designed
        // values instead of taking the next bar's lines.
        qsizetype end = at + 1;
        while (end < lines.size() && end <= at + 6 &&
               !lines.at(end).trimmed().startsWith(QLatin1Char('[')))
            ++end;
        if (const auto v = fieldAt(lines, at + 1, end))
            bar.visible = *v == 1;
        // at + 2 is the floating state, which is not restored.
        if (const auto v = fieldAt(lines, at + 3, end))
            bar.width = *v;
        if (const auto v = fieldAt(lines, at + 4, end))
            bar.height = *v;
        if (const auto v = fieldAt(lines, at + 5, end))
            bar.left = *v;
        if (const auto v = fieldAt(lines, at + 6, end))
            bar.top = *v;
    }
}

QList<QStringList> ToolBarLayout::rows(const QList<ToolBarState> &bars)
{
    QList<ToolBarState> placed = bars;
    for (const ToolBarState &bar : placed) {
        if (bar.width <= 0 || bar.height <= 0)
            return {};
    }
    std::stable_sort(placed.begin(), placed.end(),
                     [](const ToolBarState &a, const ToolBarState &b) { return a.top < b.top; });
    QList<QList<ToolBarState>> grouped;
    for (const ToolBarState &bar : std::as_const(placed)) {
        if (grouped.isEmpty() ||
            bar.top >= grouped.last().first().top + grouped.last().first().height)
            grouped.append(QList<ToolBarState>());
        grouped.last().append(bar);
    }
    QList<QStringList> out;
    for (QList<ToolBarState> &row : grouped) {
        std::stable_sort(row.begin(), row.end(), [](const ToolBarState &a, const ToolBarState &b) {
            return a.left < b.left;
        });
        QStringList names;
        for (const ToolBarState &bar : std::as_const(row))
            names.append(bar.name);
        out.append(names);
    }
    return out;
}

QStringList ToolBarLayout::lines(const QList<ToolBarState> &bars)
{
    QStringList out;
    out.reserve(bars.size() * 8);
    for (const ToolBarState &bar : bars) {
        out << QLatin1Char('[') + bar.name + QLatin1Char(']')
            << QStringLiteral("Visible=%1").arg(bar.visible ? 1 : 0)
            << QStringLiteral("Floating=%1").arg(bar.floating ? 1 : 0)
            << QStringLiteral("Width=%1").arg(bar.width)
            << QStringLiteral("Height=%1").arg(bar.height)
            << QStringLiteral("Left=%1").arg(bar.left) << QStringLiteral("Top=%1").arg(bar.top)
            << QStringLiteral("DockSiteName=") + bar.dockSiteName;
    }
    return out;
}

bool ToolBarLayout::load(const QString &path, QList<ToolBarState> &bars)
{
    const TextFile::ReadResult r = TextFile::read(path);
    if (!r.found)
        return false;
    apply(r.document.lines, bars);
    return true;
}

bool ToolBarLayout::save(const QString &path, const QList<ToolBarState> &bars, QString *error)
{
    // Keep the encoding and line ends of an existing file.
    TextFile::ReadResult r = TextFile::read(path);
    TextDocument doc = r.found ? r.document : TextDocument();
    doc.lines = lines(bars);
    return TextFile::write(path, doc, error);
}

} // namespace kazari
