#include "core/app/componentnames.h"
#include "ui/app/menucatalog.h"

#include <QHash>
#include <QKeySequence>
#include <QSet>
#include <QTest>

using namespace kazari;
using namespace Qt::StringLiterals;

namespace
{

void collect(const QList<MenuNode> &nodes, QList<const MenuNode *> &out)
{
    for (const MenuNode &node : nodes) {
        out << &node;
        collect(node.children, out);
    }
}

QList<const MenuNode *> flatten(const QList<MenuNode> &nodes)
{
    QList<const MenuNode *> out;
    collect(nodes, out);
    return out;
}

QList<const MenuNode *> allButtons()
{
    QList<const MenuNode *> out;
    for (const MenuCatalog::ToolBarDesign &bar : MenuCatalog::toolBars())
        collect(bar.buttons, out);
    return out;
}

// The first command of the main menu, then of the tool bars, with that name.
const MenuNode *findByName(const QString &name)
{
    for (const MenuNode *node : flatten(MenuCatalog::mainMenu()) + allButtons()) {
        if (node->kind == MenuNode::Command && node->name == name)
            return node;
    }
    return nullptr;
}

const MenuNode *findMainByCaption(const QString &caption)
{
    for (const MenuNode *node : flatten(MenuCatalog::mainMenu())) {
        if (node->caption == caption)
            return node;
    }
    return nullptr;
}

} // namespace

class TestMenuCatalog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyNodeIsNamedOnceInItsMenu();
    void repeatedCommandsAgreeWithTheMainMenu();
    void menuSwitchesAreCheckable_data();
    void menuSwitchesAreCheckable();
    void exclusiveGroups();
    void captionsAndShortcuts_data();
    void captionsAndShortcuts();
    void shortcutsAreValidAndUsedOnce();
    void rulesAndScriptsAreDisabled();
    void toolBars();
};

void TestMenuCatalog::everyNodeIsNamedOnceInItsMenu()
{
    const auto check = [](const QList<const MenuNode *> &nodes, const QString &where) {
        QSet<QString> seen;
        for (const MenuNode *node : nodes) {
            if (node->kind == MenuNode::Separator)
                continue;
            QVERIFY2(!node->name.isEmpty(), qPrintable(where + u": "_s + node->caption));
            QVERIFY2(!node->caption.isEmpty(), qPrintable(where + u": "_s + node->name));
            QVERIFY2(!seen.contains(node->name), qPrintable(where + u": "_s + node->name));
            seen.insert(node->name);
        }
    };
    check(flatten(MenuCatalog::mainMenu()), u"main menu"_s);
    if (QTest::currentTestFailed())
        return;
    check(flatten(MenuCatalog::itemListPopup()), u"pop-up menu"_s);
    if (QTest::currentTestFailed())
        return;
    for (const MenuCatalog::ToolBarDesign &bar : MenuCatalog::toolBars()) {
        check(flatten(bar.buttons), bar.name);
        if (QTest::currentTestFailed())
            return;
    }

    for (const MenuNode &top : MenuCatalog::mainMenu())
        QCOMPARE(top.kind, MenuNode::Submenu);
}

void TestMenuCatalog::repeatedCommandsAgreeWithTheMainMenu()
{
    QHash<QString, const MenuNode *> main;
    for (const MenuNode *node : flatten(MenuCatalog::mainMenu()))
        main.insert(node->name, node);

    for (const MenuNode *node : flatten(MenuCatalog::itemListPopup()) + allButtons()) {
        const MenuNode *original = main.value(node->name);
        if (node->kind == MenuNode::Separator || !original)
            continue;
        QVERIFY2(original->kind == node->kind, qPrintable(node->name));
        QVERIFY2(original->checkable == node->checkable, qPrintable(node->name));
        QVERIFY2(original->exclusiveGroup == node->exclusiveGroup, qPrintable(node->name));
        QVERIFY2(original->disabledByDesign == node->disabledByDesign, qPrintable(node->name));
        QVERIFY2(original->filledAtRunTime == node->filledAtRunTime, qPrintable(node->name));
        // One key is given once; the repeats share the main menu's command.
        QVERIFY2(node->shortcut.isEmpty(), qPrintable(node->name));
    }
}

void TestMenuCatalog::menuSwitchesAreCheckable_data()
{
    QTest::addColumn<QString>("caption");
    const QList<std::pair<const char *, QString>> rows = {
        {"Detail1", u"リスト"_s},
        {"N27", u"小アイコン"_s},
        {"N28", u"アイコン"_s},
        {"N78", u"一覧"_s},
        {"N79", u"タスク情報"_s},
        {"N90", u"ツリーリスト"_s},
        {"N369", u"コメント Professional 詳細"_s},
        {"N385", u"縮小版"_s},
        {"InIManagement2", u"プログラムの一括管理機能を使う"_s},
        {"min1", u"設定ファイルを個々のフォルダに作る"_s},
        {"N278", u"設定ファイルを自動にチェックする"_s},
        {"N75", u"アイコン表示拡張機能 使用"_s},
        {"N113", u"マスク(単一カラー)"_s},
        {"N30", u"マスク(エフェクト)"_s},
        {"N111", u"マスク(網かけ)"_s},
        {"N104", u"シンプルアイコン"_s},
        {"N70", u"コントラスト"_s},
        {"N74", u"モノクロ"_s},
        {"N118", u"画像内容を表示"_s},
        {"N119", u"アイコンの大きさを変える"_s},
        {"N31", u"シール"_s},
        {"N32", u"ラベル"_s},
        {"N116", u"文字ラベル"_s},
        {"N29", u"スタンプ"_s},
        {"N91", u"文字表示拡張機能 使用"_s},
        {"N77", u"キャプションラベル"_s},
        {"N117", u"タスク情報でキャプション色変化"_s},
        {"N88", u"コメントの表示"_s},
        {"N350", u"クイックコメント"_s},
        {"N23", u"タスクの自動チェック"_s},
        {"N33", u"コメントのみふきだし表示"_s},
        {"N34", u"タスクとコメントをふきだし表示"_s},
        {"N76", u"位置設定"_s},
        {"N92", u"グリッドライン"_s},
        {"N106", u"ファイル名の保護"_s},
        {"N107", u"ドロップ可能"_s},
        {"N217", u"フォルダに直接ドロップ可能"_s},
        {"N306", u"隠しファイルの表示"_s},
        {"N380", u"システムファイルの表示"_s},
        {"N356", u"フォルダ容量の表示"_s},
        {"N358", u"フォルダ情報の表示"_s},
        {"N325", u"新ファイルリストエンジンを使用（高速）"_s},
        {"N212", u"無意味なチェックボックス"_s},
        {"N301", u"半分普通のツリービュー"_s},
        {"N310", u"自由にツリー"_s},
        {"File3", u"ファイル"_s},
        {"path1", u"フォルダ"_s},
        {"N114", u"簡易ファイルビュー"_s},
        {"WebBrowser2", u"ブラウザ"_s},
        {"N60", u"タスク未完了の一覧"_s},
        {"N123", u"よく使う項目"_s},
        {"N200", u"コンピュータ"_s},
        {"N124", u"スタートアップでお気に入りの表示"_s},
        {"N54", u"ウインドウシェーディングを使う"_s},
        {"Toolbar5", u"ツールバー全体"_s},
        {"ToolButton39", u"前に開いたフォルダをタブ表示"_s},
        {"ToolButton6", u"背面に固定"_s},
        {"SpeedButton1", u"次期構想"_s},
    };
    for (const auto &[key, caption] : rows)
        QTest::newRow(key) << caption;
}

void TestMenuCatalog::menuSwitchesAreCheckable()
{
    QFETCH(QString, caption);
    const QString key = QString::fromLatin1(QTest::currentDataTag());
    const MenuNode *node = findByName(key);
    QVERIFY2(node, qPrintable(key));
    QVERIFY(node->checkable);
    QCOMPARE(node->caption, caption);
}

void TestMenuCatalog::exclusiveGroups()
{
    const QString views = findByName(Component::ViewIcons)->exclusiveGroup;
    QVERIFY(!views.isEmpty());
    for (const QString &name :
         {Component::ViewDetails, Component::ViewSmallIcons, Component::ViewList,
          Component::ViewTreeList, Component::ViewTaskDetails, Component::ViewExtendedComments,
          Component::ViewThumbnails})
        QCOMPARE(findByName(name)->exclusiveGroup, views);

    const QString modes = findByName(Component::CentralManagement)->exclusiveGroup;
    QVERIFY(!modes.isEmpty());
    QVERIFY(modes != views);
    QCOMPARE(findByName(Component::PerFolderFiles)->exclusiveGroup, modes);

    // Every group member is a checkable command; no other switch joined the two groups.
    for (const MenuNode *node : flatten(MenuCatalog::mainMenu())) {
        if (node->exclusiveGroup.isEmpty())
            continue;
        QVERIFY2(node->checkable, qPrintable(node->name));
        if (node->exclusiveGroup == modes)
            QVERIFY(node->name == Component::CentralManagement ||
                    node->name == Component::PerFolderFiles);
    }
}

void TestMenuCatalog::captionsAndShortcuts_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("shortcut");
    QTest::newRow("whole tool bar area") << u"ツールバー全体"_s << u"Shift+F1"_s;
    QTest::newRow("refresh") << u"更新(&R)"_s << u"F5"_s;
    QTest::newRow("up") << u"上へ移動(&U)"_s << u"Backspace"_s;
    QTest::newRow("program folder") << u"プログラムのフォルダを開く(&F)"_s << u"Ctrl+Shift+F1"_s;
    QTest::newRow("delete") << u"ごみ箱に入れる(&D)"_s << u"Ctrl+Del"_s;
    QTest::newRow("move") << u"フォルダへ移動(&V)"_s << u"Ctrl+G"_s;
    QTest::newRow("single colour") << u"単一色アイコンマスク(&O)"_s << u"F8"_s;
    QTest::newRow("no caption colour") << u"キャプションマスク なし(&N)"_s << u"Ctrl+F9"_s;
    QTest::newRow("drop on folders") << u"フォルダに直接ドロップ可能"_s << u"Ctrl+U"_s;
    QTest::newRow("picture snapshot") << u"開いている場所を画像で保管(&P)"_s << u"Ctrl+P"_s;
    QTest::newRow("search") << u"検索(&F)"_s << u"F3"_s;
    QTest::newRow("details") << u"情報をみる"_s << u"Ctrl+E"_s;
    QTest::newRow("rename") << u"名前の変更(&M)"_s << u"F2"_s;
}

void TestMenuCatalog::captionsAndShortcuts()
{
    QFETCH(QString, caption);
    QFETCH(QString, shortcut);
    const MenuNode *node = findMainByCaption(caption);
    QVERIFY2(node, qPrintable(caption));
    QCOMPARE(node->kind, MenuNode::Command);
    QCOMPARE(node->shortcut, shortcut);
}

void TestMenuCatalog::shortcutsAreValidAndUsedOnce()
{
    QHash<QString, QString> owner;
    for (const MenuNode *node : flatten(MenuCatalog::mainMenu())) {
        if (node->shortcut.isEmpty())
            continue;
        const QKeySequence keys = QKeySequence::fromString(node->shortcut);
        QVERIFY2(keys.count() == 1, qPrintable(node->shortcut));
        QCOMPARE(keys.toString(), node->shortcut);
        QVERIFY2(!owner.contains(node->shortcut),
                 qPrintable(node->shortcut + u" "_s + owner.value(node->shortcut)));
        owner.insert(node->shortcut, node->name);
    }
}

void TestMenuCatalog::rulesAndScriptsAreDisabled()
{
    for (const QString &caption :
         {u"ルール(&R)"_s, u"ルールの編集"_s, u"ルールの適用"_s, u"スクリプト(&S)"_s,
          u"スクリプトの編集"_s, u"スクリプトの実行"_s}) {
        const MenuNode *node = findMainByCaption(caption);
        QVERIFY2(node, qPrintable(caption));
        QVERIFY2(node->disabledByDesign, qPrintable(caption));
        QVERIFY2(!node->hidden, qPrintable(caption));
    }
    QVERIFY(!findMainByCaption(u"検索(&F)"_s)->disabledByDesign);
    QVERIFY(!findMainByCaption(u"ツール(&T)"_s)->disabledByDesign);
}

void TestMenuCatalog::toolBars()
{
    // Each tool bar of the area has a toggle in "ツールバー(&T)" named after it.
    QSet<QString> names;
    QStringList captions;
    for (const MenuCatalog::ToolBarDesign &bar : MenuCatalog::toolBars()) {
        QVERIFY2(!names.contains(bar.name), qPrintable(bar.name));
        names.insert(bar.name);
        captions << bar.caption;
        const MenuNode *toggle = findByName(u"cmd"_s + bar.name);
        QVERIFY2(toggle && toggle->checkable, qPrintable(bar.name));
        QCOMPARE(toggle->caption, bar.caption);
    }
    QCOMPARE(captions, (QStringList{u"ファイル"_s, u"アイコン"_s, u"キャプション"_s, u"コメント"_s,
                                    u"アイコンサイズ"_s, u"ドライブ"_s, u"ディレクトリ"_s,
                                    u"システムフォルダ"_s}));
}

QTEST_MAIN(TestMenuCatalog)
#include "tst_menucatalog.moc"
