#pragma once

#include <QList>
#include <QString>

namespace kazari
{

/// What the main window does when an item of the item list is selected or deselected,
/// and the selection commands of the edit menu, as data for the window to carry out.
class SelectionRules
{
public:
    /// The status bar fields a selection writes (counted from 0: the sixth and the
    /// seventh field).
    static constexpr int CommentField = 5;
    static constexpr int PathField = 6;

    enum class Step {
        ShowComment,     ///< the item's comment (`_cmt`) in `CommentField`
        ShowPathInField, ///< list-file mode: the path elided to the field's width - 4
        HourglassCursor, ///< the busy cursor
        DisableSave,     ///< "保存" of the viewer page off
        ShowPath,        ///< the path elided to the status bar's width - 526
        RefreshExtendedCommentEditor,
        RefreshCommentBox,
        RefreshQuickComment,
        FillViewerPage,
        RefreshDetailWindow,
        PlaceBalloon,
        RefreshIconColourTool,
        NormalCursor,
    };

    /// What is on or showing when the selection changes.
    struct State {
        bool listFileMode = false;
        bool extendedCommentEditorVisible = false;
        /// "クイックコメント"
        bool quickCommentOn = false;
        /// "簡易ファイルビュー"
        bool viewerPageOn = false;
        bool detailWindowVisible = false;
        /// "コメントのみふきだし表示" or "タスクとコメントをふきだし表示"
        bool balloonOn = false;
        bool iconColourToolVisible = false;
    };

    /// The steps of a selection change, in the order they run.
    static QList<Step> steps(const State &state);

    /// The width the item's path is elided to in `PathField`.
    static int pathWidth(bool listFileMode, int fieldWidth, int statusBarWidth);

    enum class Command {
        SelectAll, ///< "すべて選択(&A)", Ctrl+A
        Invert,    ///< "選択を反転する(&I)"
        Clear,     ///< "選択を解除する"
    };
    static QString caption(Command command);
    /// The key sequence text, empty when the command has none.
    static QString shortcut(Command command);
    /// The selection of every entry, in list order, after the command.
    static QList<bool> apply(Command command, const QList<bool> &selected);
};

} // namespace kazari
