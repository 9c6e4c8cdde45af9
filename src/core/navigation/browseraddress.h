#pragma once

#include <QString>
#include <QUrl>

namespace kazari
{

/// What the browser page of the right pane does with an address: local pages, text
/// files and folders are shown in the page itself, web addresses go to the desktop's
/// browser, anything else shows the blank page ("about:blank").
///
/// Nothing shown here runs: pages are displayed as documents without scripts, and a
/// folder is shown as a listing made by the program.
class BrowserAddress
{
public:
    enum Kind {
        Blank,  ///< "about:blank"
        Folder, ///< an existing folder: its listing
        File,   ///< an existing file
        Web,    ///< an "http" or "https" address, for the desktop's browser
    };

    struct Target {
        Kind kind = Blank;
        /// The local path (Folder, File) or the web address (Web).
        QString location;
        bool operator==(const Target &) const = default;
    };

    /// How a file is shown.
    enum Content {
        Html,      ///< loaded as a page from its own location
        PlainText, ///< its text
        Generated, ///< a page made by the program (folder listing, picture, file facts)
    };

    struct Page {
        Content content = Generated;
        /// The page's or the file's text.
        QString text;
        /// Where relative links of the page lead from.
        QUrl base;
    };

    static QString blank() { return QStringLiteral("about:blank"); }

    /// What a typed address or an item's path names. Blanks around it are ignored.
    static Target resolve(const QString &address);
    /// The text of the address field for a target.
    static QString addressOf(const Target &target);

    /// The page for a local folder or file. Text files larger than `textLimit` bytes show
    /// their first `textLimit` bytes.
    static Page page(const Target &target, qint64 textLimit = 4 * 1024 * 1024);
    /// A folder's listing: its parent, then its sub-folders and files by name, each a
    /// link to itself; names are shown as text, never as markup.
    static QString folderListing(const QString &folder);
};

} // namespace kazari
