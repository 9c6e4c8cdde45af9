#include "core/viewer/selectionrules.h"

namespace kazari
{

QList<SelectionRules::Step> SelectionRules::steps(const State &state)
{
    QList<Step> out{Step::ShowComment};
    if (state.listFileMode) {
        out << Step::ShowPathInField;
        return out;
    }
    out << Step::HourglassCursor << Step::DisableSave << Step::ShowPath;
    if (state.extendedCommentEditorVisible)
        out << Step::RefreshExtendedCommentEditor;
    out << Step::RefreshCommentBox;
    if (state.quickCommentOn)
        out << Step::RefreshQuickComment;
    if (state.viewerPageOn)
        out << Step::FillViewerPage;
    if (state.detailWindowVisible)
        out << Step::RefreshDetailWindow;
    if (state.balloonOn)
        out << Step::PlaceBalloon;
    if (state.iconColourToolVisible)
        out << Step::RefreshIconColourTool;
    out << Step::NormalCursor;
    return out;
}

int SelectionRules::pathWidth(bool listFileMode, int fieldWidth, int statusBarWidth)
{
    return qMax(0, listFileMode ? fieldWidth - 4 : statusBarWidth - 526);
}

QString SelectionRules::caption(Command command)
{
    switch (command) {
    case Command::SelectAll:
        return QStringLiteral("すべて選択(&A)");
    case Command::Invert:
        return QStringLiteral("選択を反転する(&I)");
    case Command::Clear:
        break;
    }
    return QStringLiteral("選択を解除する");
}

QString SelectionRules::shortcut(Command command)
{
    return command == Command::SelectAll ? QStringLiteral("Ctrl+A") : QString();
}

QList<bool> SelectionRules::apply(Command command, const QList<bool> &selected)
{
    QList<bool> out(selected.size());
    for (qsizetype i = 0; i < selected.size(); ++i) {
        switch (command) {
        case Command::SelectAll:
            out[i] = true;
            break;
        case Command::Invert:
            out[i] = !selected[i];
            break;
        case Command::Clear:
            out[i] = false;
            break;
        }
    }
    return out;
}

} // namespace kazari
