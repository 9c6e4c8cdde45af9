#pragma once

#include "core/platform/keyvaluelist.h"
#include "core/platform/textfile.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <optional>

namespace kazari
{

/// The files named by a folder stem: annotations, rules, script and folder image. In
/// central management mode they lie in sub-folders of the program folder ("ini/3.ini",
/// "rule/3.rule", "Script/3.Script", "img/3.bmp"); with the stem "_m" in the folder
/// itself ("_m.ini", "_m.rule", "_m.Script", "_m.bmp").
enum class CompanionKind { Annotations, Rules, Script, FolderImage };
inline constexpr std::array<CompanionKind, 4> CompanionKinds = {
    CompanionKind::Annotations, CompanionKind::Rules, CompanionKind::Script,
    CompanionKind::FolderImage};

/// The central index `ini/index.ini`: one line per registered folder, its folder key,
/// "=" and its number, in registration order.
///
/// Native folder keys compare exactly; Windows paths and shell locations ("::{…}")
/// without regard to case. A number belongs to the first line that names it: a later
/// line with the same number (a hand-edited index) counts as not registered, so two
/// folders never share a numbered file. A line whose number is not a non-negative
/// decimal integer counts as not registered too.
class AnnotationIndex
{
public:
    static QString relativePath() { return QStringLiteral("ini/index.ini"); }
    /// "ini/3.ini" and its companions, relative to the program folder.
    static QString companionRelativePath(CompanionKind kind, const QString &stem);
    /// "_m.ini" and its companions, inside a folder.
    static QString folderCompanionName(CompanionKind kind);

    AnnotationIndex() = default;
    static AnnotationIndex fromDocument(TextDocument document);
    TextDocument toDocument() const;

    const QStringList &lines() const { return m_list.lines(); }
    qsizetype lineCount() const { return m_list.size(); }

    /// Native paths start with "/"; everything else (Windows paths, shell locations)
    /// is an identifier that never reaches the file system.
    static bool isNativeKey(QStringView key) { return key.startsWith(QLatin1Char('/')); }
    static std::optional<int> parseNumber(const QString &text);

    /// The line of a folder key (first line wins), or -1.
    qsizetype lineOf(const QString &folderKey) const;
    /// The folder's number, when its line owns it.
    std::optional<int> numberOf(const QString &folderKey) const;
    /// The line owning a number, or -1.
    qsizetype ownerOf(int number) const { return m_owner.value(number, -1); }

    /// The number the next registration gets: the number of lines plus 1, unless that
    /// number is named in the index or `inUse` says its files exist; then the highest
    /// number plus 1 (and on while that is in use).
    int nextNumber(const std::function<bool(int)> &inUse) const;
    /// Registers a folder that has no number yet (a line without a usable number gets
    /// one in place; otherwise a line is appended) and returns its number. Registered
    /// folders keep theirs.
    int registerFolder(const QString &folderKey, const std::function<bool(int)> &inUse);
    /// The native keys of `folderKey` and of every folder below it that own their number,
    /// in index order.
    QStringList registeredBelow(const QString &folderKey) const;
    /// A folder was moved or renamed: the native keys of `oldKey` and of every folder below
    /// it are rewritten to the same place below `newKey`, keeping their numbers. Lines that
    /// already named one of the new keys (a folder that is gone) are dropped, so the moved
    /// folder owns its key. Returns the number of keys rewritten.
    int moveFolderKeys(const QString &oldKey, const QString &newKey);

private:
    void rebuildNumbers();

    KeyValueList m_list;
    TextFormat m_format;
    DamagedLines m_undecodable;
    QHash<int, qsizetype> m_owner;
    int m_max = -1;
};

} // namespace kazari
