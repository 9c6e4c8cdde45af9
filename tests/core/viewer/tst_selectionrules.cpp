#include "core/viewer/selectionrules.h"

#include <QTest>

using namespace kazari;
using namespace Qt::StringLiterals;

using Step = SelectionRules::Step;

class TestSelectionRules : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void steps_data();
    void steps();
    void pathWidth();
    void commands();
};

void TestSelectionRules::steps_data()
{
    QTest::addColumn<SelectionRules::State>("state");
    QTest::addColumn<QList<Step>>("steps");
    SelectionRules::State all;
    all.extendedCommentEditorVisible = all.quickCommentOn = all.viewerPageOn =
        all.detailWindowVisible = all.balloonOn = all.iconColourToolVisible = true;
    SelectionRules::State listFile = all;
    listFile.listFileMode = true;
    QTest::newRow("list-file mode: status fields only")
        << listFile << QList<Step>{Step::ShowComment, Step::ShowPathInField};
    QTest::newRow("nothing showing")
        << SelectionRules::State{}
        << QList<Step>{Step::ShowComment, Step::HourglassCursor,   Step::DisableSave,
                       Step::ShowPath,    Step::RefreshCommentBox, Step::NormalCursor};
    QTest::newRow("everything showing") << all
                                        << QList<Step>{Step::ShowComment,
                                                       Step::HourglassCursor,
                                                       Step::DisableSave,
                                                       Step::ShowPath,
                                                       Step::RefreshExtendedCommentEditor,
                                                       Step::RefreshCommentBox,
                                                       Step::RefreshQuickComment,
                                                       Step::FillViewerPage,
                                                       Step::RefreshDetailWindow,
                                                       Step::PlaceBalloon,
                                                       Step::RefreshIconColourTool,
                                                       Step::NormalCursor};
}

void TestSelectionRules::steps()
{
    QFETCH(SelectionRules::State, state);
    QFETCH(QList<Step>, steps);
    QCOMPARE(SelectionRules::steps(state), steps);
}

void TestSelectionRules::pathWidth()
{
    QCOMPARE(SelectionRules::pathWidth(true, 200, 1000), 196);
    QCOMPARE(SelectionRules::pathWidth(false, 200, 1000), 474);
    QCOMPARE(SelectionRules::pathWidth(false, 200, 400), 0);
}

void TestSelectionRules::commands()
{
    const QList<bool> before{true, false, false, true};
    using C = SelectionRules::Command;
    QCOMPARE(SelectionRules::apply(C::SelectAll, before), QList<bool>(4, true));
    QCOMPARE(SelectionRules::apply(C::Invert, before), (QList<bool>{false, true, true, false}));
    QCOMPARE(SelectionRules::apply(C::Clear, before), QList<bool>(4, false));
    QCOMPARE(SelectionRules::caption(C::Invert), u"選択を反転する(&I)"_s);
    QCOMPARE(SelectionRules::shortcut(C::SelectAll), u"Ctrl+A"_s);
}

QTEST_GUILESS_MAIN(TestSelectionRules)
#include "tst_selectionrules.moc"
