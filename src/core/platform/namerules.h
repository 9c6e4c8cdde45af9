#pragma once

#include <QByteArray>
#include <QString>

namespace kazari
{

/// Why a name operation did not happen.
enum class NameError {
    None,
    /// The name is not one acceptable item name (see NameRules::checkName).
    Invalid,
    /// Something of that exact name already exists; nothing was replaced.
    Exists,
    /// The item to rename, or the folder to create in, does not exist.
    Missing,
    /// The file system refused (permissions, read-only volume, no space, ...).
    System,
};

/// The outcome of creating or renaming one item.
struct NameResult {
    NameError error = NameError::None;
    /// The full path of the created or renamed item (also set when `Exists`: the taken path).
    QString path;
    /// A message for the user; empty on success.
    QString message;

    bool ok() const { return error == NameError::None; }
};

/// The rules every name typed by the user or taken from a batch, rule or script line obeys,
/// and the few operations that create or rename one item without ever replacing another.
///
/// A name is one name: not empty, not "." or "..", without "/" or NUL, and at most 255 bytes
/// once encoded (UTF-8). Letter case matters: "a.txt" and "A.txt" are two different items
/// on Linux, so creating "A.txt" beside "a.txt" succeeds, and renaming "b" to "A.txt" beside
/// "a.txt" succeeds and leaves "a.txt" alone. The no-replace guarantee is about the exact
/// target name; on a file system that folds case the kernel itself reports the other
/// spelling as taken, and nothing is replaced there either.
class NameRules
{
public:
    static constexpr int MaxNameBytes = 255;

    /// Empty when `name` is one acceptable item name, otherwise the reason for the user.
    static QString checkName(const QString &name);
    static bool isValidName(const QString &name) { return checkName(name).isEmpty(); }

    /// Creates the folder `name` inside `folder`; fails with `Exists` when anything of that
    /// name is there (a folder, a file, a dangling link).
    static NameResult createFolder(const QString &folder, const QString &name);
    /// Creates the empty file `name` inside `folder` (exclusive create: never truncates or
    /// follows anything already there).
    static NameResult createFile(const QString &folder, const QString &name);
    /// Renames the item at `path` to `newName` in the same folder, never replacing an
    /// existing target. The same name is a successful no-op. On a case-folding file system a
    /// change of letter case only goes through a temporary name.
    static NameResult renameItem(const QString &path, const QString &newName);

    /// Renames `from` to `to` without replacing anything at `to`. Returns 0 or an errno value
    /// (EEXIST when `to` is taken, EXDEV across file systems).
    ///
    /// Uses renameat2(RENAME_NOREPLACE). Where the file system lacks that flag, a file or
    /// link is moved by link(2) + unlink(2) (atomic: link fails on an existing name); a folder
    /// is renamed after checking that the target is free, which leaves a tiny window in
    /// which a concurrently created target could be replaced on such file systems only.
    static int renameNoReplace(const QByteArray &from, const QByteArray &to);

    /// The name to try for the `number`-th candidate when `name` is taken: the name itself
    /// for 1 or less, otherwise "stem (n).ext" for files ("report (2).txt") and "name (n)"
    /// for folders ("photos (2)", "v1.0 (2)"). The extension is the part after the last dot
    /// unless that dot starts the name (".bashrc (2)", ".config (2).json") or ends it
    /// ("name. (2)"); "a.tar.gz" becomes "a.tar (2).gz". When the result would exceed
    /// `maxBytes`, the stem is shortened (whole characters) so it fits.
    static QString numberedName(const QString &name, int number, bool isFolder,
                                int maxBytes = MaxNameBytes);
};

} // namespace kazari
