#pragma once

#include <QString>

namespace kazari
{

/// The file attributes the detail information window shows and changes.
///
/// Read-only is a missing write permission of the owner and can be changed for files
/// only; hidden is a name starting with "." and is shown, never changed (that would be a
/// rename); system is the extended attribute of `FileAttributes`; a volume label and the
/// archive mark do not exist here and are always off; folder is shown, never changed.
struct ItemAttributes {
    enum Bit { ReadOnly = 1, Hidden = 2, System = 4, Volume = 8, Folder = 16, Archive = 32 };

    /// False when the entry does not exist or cannot be examined.
    bool readable = false;
    bool readOnly = false;
    bool hidden = false;
    bool system = false;
    bool volume = false;
    bool folder = false;
    bool archive = false;

    /// The attribute bits (read-only 1, hidden 2, system 4, volume 8, folder 16,
    /// archive 32).
    int bits() const;

    static ItemAttributes read(const QString &path);

    /// Sets the changeable attributes of an existing entry to `wanted`: read-only (files
    /// only) and system. Every part is tried; false with `error` naming each part that
    /// failed.
    static bool apply(const QString &path, const ItemAttributes &wanted, QString *error = nullptr);

    /// A size as the window shows it: the byte count and " Byte".
    static QString sizeText(qint64 bytes);
};

} // namespace kazari
