#pragma once

#include "core/decoration/captioncolours.h"

#include <QString>

namespace kazari
{

/// The file attributes that have no counterpart in the file system's own bits.
///
/// Hidden is a name starting with "."; read-only is a missing write permission of the
/// owner. The system mark is kept in the extended attribute `user.kazari.system` ("1" =
/// system) where the file system has extended attributes; elsewhere it is always off.
/// Volume labels and the archive mark do not exist here.
class FileAttributes
{
public:
    static const char *systemAttributeName() { return "user.kazari.system"; }

    /// Whether the entry carries the system mark (the link itself for a link).
    static bool isSystem(const QString &path);
    /// Sets or clears the system mark; false when the file system refuses it.
    static bool setSystem(const QString &path, bool on);
    /// The attributes of an entry for caption drawing; nothing is set for a path that
    /// cannot be read.
    static CaptionAttributes captionAttributes(const QString &path);
};

} // namespace kazari
