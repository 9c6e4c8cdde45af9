#pragma once

#include <QString>

namespace kazari
{

/// Whether a path the program keeps a record of (an index entry, a favourite) is there.
///
/// A record may only be dropped when its path is known to be gone: the path itself is
/// missing (ENOENT) while its parent folder is there and can be listed. Anything else
/// (a disk that is not plugged in, a network mount that does not answer, a parent that
/// cannot be read or is not a folder) says nothing about the path, so its record stays.
class PathPresence
{
public:
    enum class State {
        /// Something of that name is there (a symbolic link counts, dangling or not).
        Present,
        /// Missing from a parent folder that is there and readable.
        Gone,
        /// Cannot be checked just now.
        Unreachable,
    };

    /// The state of a native absolute path (a trailing "/" is ignored).
    static State of(const QString &path);
};

} // namespace kazari
