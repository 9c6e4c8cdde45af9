#pragma once

#include <QString>
#include <QStringList>

#include <memory>

class QMimeData;

namespace kazari
{

/// Items on the clipboard the way the desktop's file managers exchange them: a
/// "text/uri-list" of file URLs, the paths as plain text, and the desktop's marker that
/// tells a cut (the items are moved when pasted) from a copy.
///
/// Only local files are taken back; each path is used whole, whatever it contains.
class ClipboardPaths
{
public:
    QStringList paths;
    bool cut = false;

    /// The clipboard contents for `paths`.
    static std::unique_ptr<QMimeData> toMimeData(const QStringList &paths, bool cut);
    /// The local files of clipboard contents and whether they were cut. Empty paths
    /// when the contents name no local file.
    static ClipboardPaths fromMimeData(const QMimeData *data);

    /// The MIME types written besides "text/uri-list".
    static QString copiedFilesType() { return QStringLiteral("x-special/gnome-copied-files"); }
    static QString cutSelectionType() { return QStringLiteral("application/x-kde-cutselection"); }
};

} // namespace kazari
