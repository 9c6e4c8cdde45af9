#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace kazari
{

/// The folder tabs' history: at most ten folder paths without trailing separator,
/// oldest first. The tab strip mirrors it entry for entry, so the tab at an index
/// always stands for the history entry at that index.
class TabHistory
{
public:
    static constexpr int MaxEntries = 10;
    /// The width a tab caption may take, in pixels.
    static constexpr int CaptionWidth = 64;

    /// What a list build did to the history, for the tab strip to follow.
    struct Visit {
        /// The index of the tab to select.
        int selected = -1;
        /// The oldest entry (the first tab) was removed to make room.
        bool removedFirst = false;
        /// A new entry (and tab) was appended at the end.
        bool appended = false;
        bool operator==(const Visit &) const = default;
    };

    /// At every list build: a folder already in the history selects its tab; otherwise
    /// it is appended, dropping the oldest entry when ten are held.
    Visit visit(const QString &folder);

    const QStringList &entries() const { return m_entries; }
    int size() const { return int(m_entries.size()); }
    /// The entry behind the tab at `index`; empty when there is none.
    QString entry(int index) const { return m_entries.value(index); }
    int indexOf(const QString &folder) const;
    void clear() { m_entries.clear(); }

    /// A tab's caption: the path shortened with "..." to fit `maxWidth` as measured by
    /// `textWidth`, or the whole path for a root. Leading folders give way first
    /// ("/.../c/name"), then the root (".../name"), then the end of the name.
    static QString caption(const QString &path,
                           const std::function<int(const QString &)> &textWidth,
                           int maxWidth = CaptionWidth);

private:
    QStringList m_entries;
};

} // namespace kazari
