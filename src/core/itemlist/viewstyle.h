#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace kazari
{

class Settings;

/// The four ways the item list lays out its items. The numbers are those a folder's
/// `.ViewStyle` stores.
enum class ListStyle : int {
    LargeIcons = 0,
    SmallIcons = 1,
    List = 2,
    Details = 3,
};

/// The view style commands: "アイコン" (`N28`), "小アイコン" (`N27`), "一覧" (`N78`),
/// "リスト" (`Detail1`), "タスク情報" (`N79`), "ツリーリスト" (`N90`), "コメント
/// Professional 詳細" (`N369`) and "縮小版" (`N385`). They exclude each other; the marked
/// one is stored as "1", the others as "0".
class ViewStyle
{
public:
    static const QStringList &commands();
    static bool isViewCommand(const QString &name) { return commands().contains(name); }

    /// The list style a command shows: large icons for `N28` and `N385`, small icons for
    /// `N27`, the list for `N78`, details for the others.
    static ListStyle listStyleOf(const QString &command);

    /// The marked command in the settings: the first that is on; `N28` when none is.
    static QString marked(const Settings &settings);

    /// The next command of the "表示" tool button's cycle ("アイコン", "小アイコン",
    /// "一覧", "リスト", "コメント Professional 詳細", back to "アイコン"); empty when
    /// `command` is not one of the five.
    static QString nextInCycle(const QString &command);

    /// A folder's `.ViewStyle` value: 0 to 3 fix the style, anything else does not.
    static std::optional<ListStyle> folderStyle(const QString &value);

    /// The command that stands for a list style fixed by a folder.
    static QString commandOf(ListStyle style);
};

} // namespace kazari
