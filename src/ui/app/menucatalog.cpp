#include "ui/app/menucatalog.h"
#include "core/app/componentnames.h"

#include <QStringList>

using namespace Qt::StringLiterals;

namespace kazari
{

namespace
{

// Shortcuts belong to a command's entry in the main menu; its repeats in the pop-up menu
// and on the tool bars leave them empty, so one key never names two actions.

using Node = MenuNode;

Node cmd(const QString &name, const QString &caption, const QString &shortcut = QString())
{
    return Node::command(name, caption, shortcut);
}

Node toggle(const QString &name, const QString &caption, const QString &shortcut = QString())
{
    return Node::toggle(name, caption, shortcut);
}

Node sep()
{
    return Node::separator();
}

Node sub(const QString &name, const QString &caption, QList<Node> children)
{
    return Node::submenu(name, caption, std::move(children));
}

Node hinted(Node n, const QString &hint)
{
    n.hint = hint;
    return n;
}

Node hiddenNode(Node n)
{
    n.hidden = true;
    return n;
}

Node grouped(Node n, const QString &group)
{
    n.exclusiveGroup = group;
    return n;
}

Node disabledNode(Node n)
{
    n.disabledByDesign = true;
    for (Node &child : n.children)
        child = disabledNode(std::move(child));
    return n;
}

Node runTime(Node n)
{
    n.filledAtRunTime = true;
    return n;
}

// A tool button that only has a hint shows it as its text as well.
Node button(const QString &name, const QString &hint, bool checkable = false)
{
    Node n = checkable ? Node::toggle(name, hint) : Node::command(name, hint);
    n.hint = hint;
    return n;
}

// --- Submenus shared by the main menu and the item list's pop-up menu ---------------

Node sealMenu()
{
    return runTime(
        sub(u"SealMenu"_s, u"シール(&S)"_s, {sep(), cmd(u"cmdSealNone"_s, u"なし(&N)"_s)}));
}

Node labelMenu()
{
    return runTime(
        sub(u"LabelMenu"_s, u"ラベル(&L)"_s, {sep(), cmd(u"cmdLabelNone"_s, u"なし(&N)"_s)}));
}

Node effectIconMask()
{
    return hiddenNode(cmd(u"cmdEffectIconMask"_s, u"エフェクトアイコンマスク(&E)"_s));
}

// --- Main menu ---------------------------------------------------------------------

Node fileMenu()
{
    return sub(
        u"FileMenu"_s, u"ファイル(&F)"_s,
        {
            cmd(u"cmdOpen"_s, u"普通に開く"_s, u"Ctrl+O"_s),
            cmd(u"cmdOpenWithRegisteredApp"_s, u"登録アプリケーションから開く"_s, u"Ctrl+Alt+O"_s),
            cmd(u"cmdOpenWithApp"_s, u"アプリケーションから開く"_s, u"Ctrl+Alt+A"_s),
            cmd(u"cmdOpenInBrowser"_s, u"ブラウザで開く"_s, u"Ctrl+W"_s),
            cmd(u"cmdShellMenu"_s, u"エクスプローラのメニュー(&E)"_s, u"F10"_s),
            sep(),
            sub(u"CreateMenu"_s, u"作成(&W)"_s,
                {
                    cmd(u"cmdNewFolder"_s, u"新しいフォルダの作成"_s, u"Ctrl+D"_s),
                    cmd(u"cmdNewFile"_s, u"新しいファイルの作成"_s, u"Ctrl+F"_s),
                    sep(),
                    cmd(u"cmdBatchFolders"_s, u"フォルダ複数作成"_s, u"Ctrl+Alt+D"_s),
                    cmd(u"cmdBatchFiles"_s, u"ファイル複数作成"_s, u"Ctrl+Alt+F"_s),
                }),
            sep(),
            cmd(u"cmdRename"_s, u"名前の変更(&M)"_s, u"F2"_s),
            cmd(u"cmdDelete"_s, u"ごみ箱に入れる(&D)"_s, u"Ctrl+Del"_s),
            cmd(u"cmdCopyToFolder"_s, u"フォルダへコピー(&F)"_s, u"Ctrl+Alt+C"_s),
            cmd(u"cmdMoveToFolder"_s, u"フォルダへ移動(&V)"_s, u"Ctrl+G"_s),
            cmd(u"cmdCreateLink"_s, u"リンクの作成(&S)"_s),
            sep(),
            cmd(u"cmdCommentInput"_s, u"コメント入力(&C)"_s),
            cmd(u"cmdCommentProEdit"_s, u"コメント Professional の編集(&P)"_s),
            cmd(u"cmdCommentTaskEdit"_s, u"コメント/タスクの編集"_s),
            cmd(u"cmdTaskEdit"_s, u"タスクの編集(&T)"_s),
            sep(),
            cmd(u"cmdShowDetails"_s, u"情報をみる"_s, u"Ctrl+E"_s),
            cmd(u"cmdProperties"_s, u"プロパティ(&R)"_s),
            cmd(u"cmdAddToFavourites"_s, u"よく使う項目に追加"_s),
            sep(),
            runTime(sub(u"DirHistoryMenu"_s, u"フォルダ履歴"_s, {})),
            runTime(sub(u"AppHistoryMenu"_s, u"アプリケーション履歴"_s, {})),
            runTime(sub(u"FileHistoryMenu"_s, u"ファイル履歴"_s, {})),
        });
}

Node editMenu()
{
    return sub(u"EditMenu"_s, u"編集(&E)"_s,
               {
                   cmd(u"cmdUndo"_s, u"元に戻す"_s),
                   sep(),
                   cmd(u"cmdCut"_s, u"切り取り(&T)"_s),
                   cmd(u"cmdCopy"_s, u"コピー(&C)"_s),
                   cmd(u"cmdPaste"_s, u"貼り付け(&P)"_s),
                   sep(),
                   cmd(u"cmdSelectAll"_s, u"すべて選択(&A)"_s, u"Ctrl+A"_s),
                   cmd(u"cmdInvertSelection"_s, u"選択を反転する(&I)"_s),
                   cmd(u"cmdSelectNone"_s, u"選択を解除する"_s),
                   sep(),
                   cmd(u"cmdShellFolderColour"_s, u"エクスプローラのフォルダも色を変える"_s),
                   cmd(u"cmdShellFolderColourClear"_s, u"エクスプローラのフォルダの設定解除"_s),
               });
}

Node toolBarMenu()
{
    return sub(u"ToolBarMenu"_s, u"ツールバー(&T)"_s,
               {
                   toggle(Component::WholeToolBar, u"ツールバー全体"_s, u"Shift+F1"_s),
                   sep(),
                   toggle(u"cmdToolBarFile"_s, u"ファイル"_s),
                   toggle(u"cmdToolBarIcon"_s, u"アイコン"_s),
                   toggle(u"cmdToolBarCaption"_s, u"キャプション"_s),
                   toggle(u"cmdToolBarComment"_s, u"コメント"_s),
                   toggle(u"cmdToolBarIconSize"_s, u"アイコンサイズ"_s),
                   toggle(u"cmdToolBarDrive"_s, u"ドライブ"_s),
                   toggle(u"cmdToolBarDirectory"_s, u"ディレクトリ"_s),
                   toggle(u"cmdToolBarSystemFolder"_s, u"システムフォルダ"_s),
               });
}

Node paneMenu()
{
    return sub(u"PaneMenu"_s, u"ウインドウ"_s,
               {
                   toggle(Component::FilePane, u"ファイル"_s),
                   hinted(toggle(Component::FolderPane, u"フォルダ"_s, u"Ctrl+5"_s),
                          u"フォルダビューの表示"_s),
                   toggle(Component::FreeTreePane, u"自由にツリー"_s, u"Ctrl+6"_s),
                   toggle(Component::HalfTreeView, u"半分普通のツリービュー"_s),
                   toggle(Component::PointlessCheckBoxes, u"無意味なチェックボックス"_s),
                   sep(),
                   toggle(Component::SimpleFileView, u"簡易ファイルビュー"_s),
                   hinted(toggle(Component::BrowserPage, u"ブラウザ"_s), u"ブラウザビューの表示"_s),
                   toggle(Component::OpenTasksPage, u"タスク未完了の一覧"_s),
                   toggle(Component::FavouritesPage, u"よく使う項目"_s),
                   toggle(Component::ComputerPage, u"コンピュータ"_s),
                   toggle(Component::FavouritesAtStartup, u"スタートアップでお気に入りの表示"_s),
                   sep(),
                   toggle(Component::WindowShading, u"ウインドウシェーディングを使う"_s),
                   toggle(Component::KeepAtBack, u"背面に固定"_s),
                   cmd(Component::WindowArrangement, u"ウインドウの配置"_s),
                   cmd(u"cmdBlackScreen"_s, u"黒い画面に切り替え"_s),
               });
}

Node viewStyle(const QString &name, const QString &caption)
{
    return grouped(toggle(name, caption), u"ViewStyle"_s);
}

Node viewMenu()
{
    return sub(
        u"ViewMenu"_s, u"表示"_s,
        {
            toolBarMenu(),
            paneMenu(),
            sep(),
            viewStyle(Component::ViewIcons, u"アイコン"_s),
            viewStyle(Component::ViewSmallIcons, u"小アイコン"_s),
            viewStyle(Component::ViewList, u"一覧"_s),
            viewStyle(Component::ViewDetails, u"リスト"_s),
            viewStyle(Component::ViewTaskDetails, u"タスク情報"_s),
            viewStyle(Component::ViewTreeList, u"ツリーリスト"_s),
            viewStyle(Component::ViewExtendedComments, u"コメント Professional 詳細"_s),
            viewStyle(Component::ViewThumbnails, u"縮小版"_s),
            sep(),
            sub(u"IconDisplayMenu"_s, u"アイコン表示の設定"_s,
                {
                    toggle(Component::IconExtensions, u"アイコン表示拡張機能 使用"_s),
                    sep(),
                    toggle(Component::SingleColourMask, u"マスク(単一カラー)"_s),
                    toggle(Component::EffectMask, u"マスク(エフェクト)"_s),
                    toggle(Component::HatchMask, u"マスク(網かけ)"_s),
                    sep(),
                    toggle(Component::SimpleIcons, u"シンプルアイコン"_s),
                    toggle(Component::Contrast, u"コントラスト"_s),
                    toggle(Component::Monochrome, u"モノクロ"_s),
                    toggle(Component::PictureContents, u"画像内容を表示"_s),
                    toggle(Component::ResizeIcons, u"アイコンの大きさを変える"_s),
                    sep(),
                    toggle(Component::ShowSeals, u"シール"_s),
                    toggle(Component::ShowLabels, u"ラベル"_s),
                    toggle(Component::TextLabels, u"文字ラベル"_s),
                    toggle(Component::ShowStamps, u"スタンプ"_s),
                }),
            sub(u"CaptionDisplayMenu"_s, u"文字表示の設定"_s,
                {
                    toggle(Component::CaptionExtensions, u"文字表示拡張機能 使用"_s),
                    sep(),
                    toggle(Component::CaptionLabels, u"キャプションラベル"_s),
                    toggle(Component::TaskCaptionColours, u"タスク情報でキャプション色変化"_s),
                }),
            sub(u"ListDisplayMenu"_s, u"リスト表示の設定"_s,
                {
                    toggle(Component::GridLines, u"グリッドライン"_s),
                    toggle(Component::ShowHiddenFiles, u"隠しファイルの表示"_s),
                    toggle(Component::ShowSystemFiles, u"システムファイルの表示"_s),
                    toggle(Component::ShowFolderSizes, u"フォルダ容量の表示"_s),
                    toggle(Component::ShowFolderInfo, u"フォルダ情報の表示"_s),
                    sep(),
                    toggle(Component::NewListEngine, u"新ファイルリストエンジンを使用（高速）"_s),
                    toggle(Component::NamespaceEngine, u"NameSpaceエンジンを使用（高速）"_s),
                }),
            sub(u"FileSettingsMenu"_s, u"ファイルの設定"_s,
                {
                    toggle(Component::ProtectFileNames, u"ファイル名の保護"_s),
                    toggle(Component::AcceptDrops, u"ドロップ可能"_s),
                    toggle(Component::DropOntoFolders, u"フォルダに直接ドロップ可能"_s,
                           u"Ctrl+U"_s),
                }),
            sep(),
            toggle(Component::ShowComments, u"コメントの表示"_s),
            hiddenNode(toggle(Component::QuickComment, u"クイックコメント"_s)),
            toggle(u"cmdHintTips"_s, u"ヒントチップでコメントとタスクを表示"_s),
            toggle(Component::CommentTips, u"コメントのみふきだし表示"_s),
            toggle(Component::TaskAndCommentTips, u"タスクとコメントをふきだし表示"_s),
            toggle(Component::AutomaticTaskCheck, u"タスクの自動チェック"_s),
            cmd(u"cmdCheckTasks"_s, u"タスクのチェック"_s),
            sep(),
            cmd(u"cmdUp"_s, u"上へ移動(&U)"_s, u"Backspace"_s),
            cmd(u"cmdProgramFolder"_s, u"プログラムのフォルダを開く(&F)"_s, u"Ctrl+Shift+F1"_s),
            cmd(u"cmdRefresh"_s, u"更新(&R)"_s, u"F5"_s),
        });
}

Node sortOrder(const QString &name, const QString &caption)
{
    return grouped(toggle(name, caption), u"SortOrder"_s);
}

Node arrangeMenu()
{
    return sub(u"ArrangeMenu"_s, u"整頓(&I)"_s,
               {
                   sortOrder(Component::SortByName, u"名前順"_s),
                   sortOrder(Component::SortByIconColour, u"アイコン色順"_s),
                   sortOrder(Component::SortByCaptionColour, u"キャプション色順"_s),
                   sortOrder(Component::SortByComment, u"コメント順"_s),
                   sortOrder(Component::SortBySize, u"サイズ順"_s),
                   sortOrder(Component::SortByType, u"種類順"_s),
                   cmd(Component::ArrangeNone, u"なし"_s),
                   sep(),
                   toggle(Component::KeepPositions, u"位置設定"_s),
                   cmd(u"cmdClearPosition"_s, u"位置設定解除"_s),
               });
}

Node mainMaskMenu()
{
    return runTime(sub(u"MaskMenu"_s, u"マスク(&M)"_s,
                       {
                           sep(),
                           cmd(u"cmdOneColourMask"_s, u"単一色アイコンマスク(&O)"_s, u"F8"_s),
                           cmd(u"cmdIconMaskNone"_s, u"アイコンマスク なし(&N)"_s, u"Ctrl+F8"_s),
                           sep(),
                           cmd(Component::EasyMask, u"簡単マスク(&A)"_s),
                           hiddenNode(cmd(Component::EasyMaskHidden, u"簡単マスク(&A)"_s)),
                           effectIconMask(),
                       }));
}

Node mainCaptionColourMenu()
{
    return runTime(
        sub(u"CaptionColourMenu"_s, u"文字(&A)"_s,
            {
                sep(),
                cmd(u"cmdCaptionMaskChoose"_s, u"キャプションマスク 選択カラー(&O)"_s, u"F9"_s),
                cmd(u"cmdCaptionMaskNone"_s, u"キャプションマスク なし(&N)"_s, u"Ctrl+F9"_s),
            }));
}

Node stampMenu()
{
    return hiddenNode(sub(u"StampMenu"_s, u"スタンプ"_s,
                          {
                              cmd(u"cmdStampNone"_s, u"なし"_s),
                              cmd(u"cmdStamp0"_s, u"スタンプ0"_s),
                          }));
}

Node searchMenu()
{
    return sub(u"SearchMenu"_s, u"検索(&K)"_s,
               {
                   cmd(u"cmdSearch"_s, u"検索(&F)"_s, u"F3"_s),
                   sep(),
                   cmd(u"cmdFilterSettings"_s, u"フィルタの設定"_s, u"Shift+F"_s),
                   cmd(u"cmdFilterSameExtension"_s, u"選択ファイルと同じ拡張子"_s, u"Ctrl+K"_s),
                   cmd(u"cmdFilterSameName"_s, u"選択ファイルと同じ名前"_s, u"Ctrl+N"_s),
                   sep(),
                   disabledNode(cmd(u"cmdListFileMode"_s, u"リストファイルモード(&O)"_s)),
                   disabledNode(cmd(u"cmdListFileSave"_s, u"リストファイル保存(&S)"_s)),
                   hiddenNode(disabledNode(
                       cmd(u"cmdBuildFromListFile"_s, u"リストファイルでBuildListView"_s))),
                   hiddenNode(disabledNode(cmd(u"cmdMarkTree"_s, u"しるしツリー"_s))),
                   hiddenNode(disabledNode(cmd(u"cmdMarkList"_s, u"しるしリスト"_s))),
                   hiddenNode(disabledNode(cmd(u"cmdMarkTreeManage"_s, u"しるしツリーの管理"_s))),
                   hiddenNode(disabledNode(cmd(u"cmdSmartFolder"_s, u"スマートフォルダ"_s))),
               });
}

Node toolsMenu()
{
    return sub(
        u"ToolsMenu"_s, u"ツール(&T)"_s,
        {
            disabledNode(sub(u"RuleMenu"_s, u"ルール(&R)"_s,
                             {
                                 cmd(u"cmdEditRules"_s, u"ルールの編集"_s),
                                 cmd(u"cmdApplyRules"_s, u"ルールの適用"_s),
                             })),
            disabledNode(sub(u"ScriptMenu"_s, u"スクリプト(&S)"_s,
                             {
                                 cmd(u"cmdEditScript"_s, u"スクリプトの編集"_s),
                                 cmd(u"cmdRunScript"_s, u"スクリプトの実行"_s),
                             })),
            hiddenNode(disabledNode(cmd(u"cmdScript"_s, u"スクリプト"_s))),
            sep(),
            cmd(Component::SavePlaceAsPicture, u"開いている場所を画像で保管(&P)"_s, u"Ctrl+P"_s),
            cmd(Component::SavePlaceAsList, u"開いている場所をリストで保管(&L)"_s),
            cmd(Component::CreateTreeList, u"ツリーリストを作成(&T)"_s),
            hiddenNode(cmd(Component::FolderImage, u"フォルダイメージ"_s)),
            sep(),
            cmd(Component::SynchronisedFolders, u"シンクロフォルダ(&F)"_s),
            hiddenNode(cmd(Component::FolderWatch, u"フォルダの監視"_s)),
            hiddenNode(cmd(Component::ArtificialIntelligence, u"人工知能"_s)),
            hiddenNode(
                disabledNode(cmd(u"cmdAutoOrganise"_s, u"フォルダを分析して全自動で整理する"_s))),
            sep(),
            sub(u"StorageModeMenu"_s, u"ファイル拡張情報の管理方法"_s,
                {
                    grouped(
                        toggle(Component::CentralManagement, u"プログラムの一括管理機能を使う"_s),
                        u"StorageMode"_s),
                    grouped(
                        toggle(Component::PerFolderFiles, u"設定ファイルを個々のフォルダに作る"_s),
                        u"StorageMode"_s),
                    toggle(Component::CheckFolderFilesAutomatically,
                           u"設定ファイルを自動にチェックする"_s),
                    toggle(Component::TemporaryPerFolderFiles,
                           u"一時的に個々の設定ファイルを使用する"_s),
                    sep(),
                    cmd(Component::WriteCurrentFolderFile, u"現在のフォルダ設定を書き出す"_s),
                    cmd(Component::EditCurrentFolderFile, u"現在の設定を直接に編集"_s),
                    cmd(u"cmdMaintainIndex"_s, u"管理情報整備"_s),
                }),
            sep(),
            cmd(u"cmdSettings"_s, u"設定(&O)"_s),
        });
}

Node helpMenu()
{
    return sub(u"HelpMenu"_s, u"ヘルプ(&H)"_s, {cmd(u"cmdAbout"_s, u"バージョン情報(&A)"_s)});
}

QList<Node> buildMainMenu()
{
    return {
        fileMenu(),    editMenu(),     viewMenu(),
        arrangeMenu(), mainMaskMenu(), mainCaptionColourMenu(),
        sealMenu(),    labelMenu(),    stampMenu(),
        searchMenu(),  toolsMenu(),    helpMenu(),
    };
}

// --- Item list pop-up menu ---------------------------------------------------------

Node popupOpenMenu()
{
    return sub(u"OpenMenu"_s, u"開く(&O)"_s,
               {
                   cmd(u"cmdOpen"_s, u"普通に開く(&O)"_s),
                   cmd(u"cmdOpenWithRegisteredApp"_s, u"登録アプリケーションから開く(&T)"_s),
                   cmd(u"cmdOpenWithApp"_s, u"アプリケーションから開く(&A)"_s),
                   cmd(u"cmdOpenInBrowser"_s, u"ブラウザで開く(&B)"_s),
               });
}

QList<Node> buildItemListPopup()
{
    return {
        popupOpenMenu(),
        runTime(sub(u"AppListMenu"_s, u"アプリ一覧"_s, {})),
        cmd(u"cmdShellMenu"_s, u"エクスプローラのメニュー(&E)"_s),
        sep(),
        cmd(u"cmdUp"_s, u"上へ移動(&U)"_s),
        sep(),
        sub(u"FileOperationsMenu"_s, u"ファイル操作(&F)"_s,
            {
                cmd(u"cmdNewFolder"_s, u"新しいフォルダの作成(&N)"_s),
                sep(),
                cmd(u"cmdCopyToFolder"_s, u"コピーの作成(&F)"_s),
                cmd(u"cmdMoveToFolder"_s, u"フォルダに移動(&V)"_s),
                cmd(u"cmdRename"_s, u"名前の変更(&M)"_s),
                cmd(u"cmdDelete"_s, u"ごみ箱に入れる(&D)"_s),
                cmd(u"cmdRestoreFromTrash"_s, u"元の場所に戻す"_s),
            }),
        sep(),
        cmd(u"cmdCommentInput"_s, u"コメント入力(&K)"_s),
        cmd(u"cmdCommentProEdit"_s, u"コメント Professional の編集(&P)"_s),
        cmd(u"cmdTaskEdit"_s, u"タスクの編集(&T)"_s),
        cmd(u"cmdShowDetails"_s, u"情報をみる(&R)"_s),
        hinted(cmd(Component::FolderInformation, u"フォルダの情報(&I)"_s),
               u"フォルダ容量の計算(容量・ファイル数・フォルダ数)"_s),
        cmd(u"cmdAddToFavourites"_s, u"よく使う項目に追加"_s),
        sep(),
        cmd(u"cmdCopyAnnotations"_s, u"設定をコピー(&C)"_s),
        cmd(u"cmdPasteAnnotations"_s, u"設定を貼り付け(&V)"_s),
        sep(),
        runTime(sub(u"MaskMenu"_s, u"マスク(&M)"_s,
                    {
                        sep(),
                        cmd(u"cmdOneColourMask"_s, u"単一色アイコンマスク(&O)"_s),
                        cmd(u"cmdIconMaskNone"_s, u"なし(&N)"_s),
                        sep(),
                        cmd(Component::EasyMask, u"簡単マスク(&A)"_s),
                        effectIconMask(),
                    })),
        runTime(sub(u"CaptionColourMenu"_s, u"キャプションマスク(&A)"_s,
                    {
                        sep(),
                        cmd(u"cmdCaptionMaskChoose"_s, u"キャプションマスク 選択カラー(&O)"_s),
                        cmd(u"cmdCaptionMaskNone"_s, u"なし(&N)"_s),
                    })),
        sealMenu(),
        labelMenu(),
        sub(u"PositionMenu"_s, u"位置(&P)"_s,
            {
                cmd(u"cmdClearPosition"_s, u"位置設定解除(&N)"_s),
                hinted(cmd(u"cmdAlignSpacing"_s, u"間隔の整理(&P)"_s),
                       u"ファイル同士の間隔をそろえます"_s),
            }),
        sep(),
        sub(u"ListWindowMenu"_s, u"ウインドウ(&W)"_s,
            {
                cmd(u"cmdListColour"_s, u"ファイルウインドウの色"_s),
                cmd(u"cmdListFont"_s, u"ファイルウインドウのフォント"_s),
                sep(),
                cmd(Component::FreeTreeWindow, u"自由にツリー"_s),
                cmd(Component::ComputerWindow, u"コンピュータ"_s),
            }),
    };
}

QList<Node> buildListFilePopup()
{
    return {
        popupOpenMenu(),
        sep(),
        cmd(u"cmdUp"_s, u"上へ移動(&U)"_s),
        sep(),
        cmd(u"cmdCommentInput"_s, u"コメント入力(&K)"_s),
        cmd(u"cmdCommentProEdit"_s, u"コメント Professional の編集(&P)"_s),
        cmd(u"cmdTaskEdit"_s, u"タスクの編集(&T)"_s),
        cmd(u"cmdShowDetails"_s, u"情報をみる(&R)"_s),
        cmd(u"cmdAddToFavourites"_s, u"よく使う項目に追加"_s),
    };
}

// --- Tool bars -----------------------------------------------------------------------

using ToolBarDesign = MenuCatalog::ToolBarDesign;

ToolBarDesign toolBar(const QString &name, const QString &caption, QList<Node> buttons,
                      bool visible = true)
{
    ToolBarDesign bar;
    bar.name = name;
    bar.caption = caption;
    bar.buttons = std::move(buttons);
    bar.visible = visible;
    return bar;
}

QList<ToolBarDesign> buildToolBars()
{
    // The seven mask colour buttons, by `_oneColor` code 1 to 7; their hints are the colour
    // names from the settings.
    const QStringList maskColourButtons = {u"単一赤"_s, u"単一緑"_s, u"単一青"_s, u"単一黄"_s,
                                           u"単一水"_s, u"単一紫"_s, u"単一灰"_s};
    QList<Node> iconButtons;
    for (int code = 1; code <= 7; ++code)
        iconButtons << cmd(u"cmdMaskColour"_s + QString::number(code),
                           maskColourButtons.at(code - 1));
    iconButtons << cmd(u"cmdOneColourMask"_s, u"単一色選択"_s)
                << cmd(u"cmdOneColourDelete"_s, u"単一色削除"_s)
                << hiddenNode(cmd(u"cmdEffectIconMask"_s, u"アイコンマスク設定"_s));

    // The preset buttons take their hints and pictures from the settings at start-up.
    QList<Node> captionButtons;
    for (int preset = 0; preset <= 6; ++preset)
        captionButtons << cmd(u"cmdCaptionColour"_s + QString::number(preset),
                              QString::number(preset));
    captionButtons << cmd(u"cmdCaptionMaskChoose"_s, u"キャプションマスク設定"_s)
                   << cmd(u"cmdCaptionMaskNone"_s, u"キャプションマスクなし"_s);

    return {
        toolBar(u"ToolBarFile"_s, u"ファイル"_s,
                {
                    cmd(u"cmdUp"_s, u"上へ"_s),
                    cmd(u"cmdProgramFolder"_s, u"このプログラムのフォルダを開く"_s),
                    cmd(u"cmdMyComputer"_s, u"マイ　コンピュータ"_s),
                    sep(),
                    cmd(u"cmdCycleViewStyle"_s, u"表示"_s),
                    toggle(u"cmdFilter"_s, u"フィルタ"_s),
                    cmd(u"cmdShellMenu"_s, u"シェルポップアップ"_s),
                    cmd(u"cmdSearch"_s, u"検索"_s),
                    sep(),
                    toggle(Component::FolderTabs, u"前に開いたフォルダをタブ表示"_s),
                    toggle(Component::KeepAtBack, u"背面に固定"_s),
                    button(Component::FloatingWindows, u"ウインドウフローティング"_s, true),
                    button(Component::FolderPaneButton, u"フォルダ"_s, true),
                    toggle(Component::FreeTreePane, u"自由にツリー"_s),
                    toggle(u"cmdHintTips"_s, u"言"_s),
                    toggle(Component::NextIdea, u"次期構想"_s),
                    hiddenNode(hinted(cmd(Component::AutomaticComments, u"自動コメント"_s),
                                      u"自動コメント(人工知能)"_s)),
                    hiddenNode(cmd(Component::FolderImage, u"フォルダイメージツール"_s)),
                    hiddenNode(disabledNode(cmd(u"cmdApplyRules"_s, u"ルールの適用"_s))),
                    hiddenNode(disabledNode(cmd(u"cmdRunScript"_s, u"スクリプトの実行"_s))),
                }),
        toolBar(u"ToolBarIcon"_s, u"アイコン"_s, iconButtons),
        toolBar(u"ToolBarCaption"_s, u"キャプション"_s, captionButtons),
        // The comment box sits in front of these buttons.
        toolBar(u"ToolBarComment"_s, u"コメント"_s,
                {
                    cmd(u"cmdCommentSet"_s, u"コメントセット"_s),
                    hiddenNode(toggle(u"cmdHiragana"_s, u"ひらがな入力"_s)),
                }),
        // Holds the icon size slider only.
        toolBar(u"ToolBarIconSize"_s, u"アイコンサイズ"_s, {}),
        // One button per ready volume, built at start-up.
        toolBar(u"ToolBarDrive"_s, u"ドライブ"_s, {}),
        // The path box sits in front of the button.
        toolBar(u"ToolBarDirectory"_s, u"ディレクトリ"_s,
                {hiddenNode(cmd(u"cmdOpenPathBox"_s, u"開く"_s))}),
        toolBar(u"ToolBarSystemFolder"_s, u"システムフォルダ"_s,
                {
                    cmd(u"cmdSystemFolderDesktop"_s, u"デスクトップ"_s),
                    cmd(u"cmdSystemFolderPrograms"_s, u"プログラム"_s),
                    cmd(u"cmdSystemFolderDocuments"_s, u"マイドキュメント"_s),
                    cmd(u"cmdSystemFolderFavourites"_s, u"お気に入り"_s),
                    cmd(u"cmdSystemFolderStartMenu"_s, u"スタートメニュー"_s),
                    cmd(u"cmdSystemFolderTemplates"_s, u"テンプレート"_s),
                    cmd(u"cmdSystemFolderRecent"_s, u"最近使ったファイル"_s),
                    cmd(u"cmdSystemFolderSendTo"_s, u"送るのフォルダ"_s),
                    cmd(u"cmdSystemFolderNetwork"_s, u"ネットワーク"_s),
                },
                false),
    };
}

} // namespace

const QList<MenuNode> &MenuCatalog::mainMenu()
{
    static const QList<MenuNode> menu = buildMainMenu();
    return menu;
}

const QList<MenuNode> &MenuCatalog::itemListPopup()
{
    static const QList<MenuNode> menu = buildItemListPopup();
    return menu;
}

const QList<MenuNode> &MenuCatalog::listFilePopup()
{
    static const QList<MenuNode> menu = buildListFilePopup();
    return menu;
}

const QList<MenuCatalog::ToolBarDesign> &MenuCatalog::toolBars()
{
    static const QList<ToolBarDesign> bars = buildToolBars();
    return bars;
}

} // namespace kazari
