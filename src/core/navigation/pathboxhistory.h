#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace kazari
{

/// The entries of the path box: every folder opened since start-up, the latest on top,
/// without duplicates and without an upper bound, each without trailing separator.
class PathBoxHistory
{
public:
    /// At start-up: the folders of `vtl/DirList.img` in file order, leaving out those
    /// that are not existing folders (`isFolder` decides for native paths; Windows paths
    /// and virtual locations never count as existing) and repeated ones.
    void loadStartup(const QStringList &dirListLines,
                     const std::function<bool(const QString &)> &isFolder);

    /// At every list build: the folder moves (or is inserted) to the top. Returns the
    /// index it had before, or -1 when it is new; either way it is at index 0 now
    /// (the empty path, no location, is not kept).
    int visit(const QString &folder);

    const QStringList &entries() const { return m_entries; }
    int indexOf(const QString &folder) const;

private:
    QStringList m_entries;
};

} // namespace kazari
