#pragma once

#include <QString>

/// Component names: the names under which the program's commands are known. They are
/// stored as they stand (the `exe.ini` key of a command's check mark, `ToolBar.ini`, the
/// menu catalogue), so their spelling never changes; code names them by these constants.
/// Each constant's comment gives the caption of the command it stands for.
namespace kazari::Component
{

/// "ツールバー全体"
inline const QString WholeToolBar = QStringLiteral("Toolbar5");
/// "ファイル"
inline const QString FilePane = QStringLiteral("File3");
/// "フォルダ"
inline const QString FolderPane = QStringLiteral("path1");
/// "自由にツリー"
inline const QString FreeTreePane = QStringLiteral("N310");
/// "半分普通のツリービュー"
inline const QString HalfTreeView = QStringLiteral("N301");
/// "無意味なチェックボックス"
inline const QString PointlessCheckBoxes = QStringLiteral("N212");
/// "簡易ファイルビュー"
inline const QString SimpleFileView = QStringLiteral("N114");
/// "ブラウザ"
inline const QString BrowserPage = QStringLiteral("WebBrowser2");
/// "タスク未完了の一覧"
inline const QString OpenTasksPage = QStringLiteral("N60");
/// "よく使う項目"
inline const QString FavouritesPage = QStringLiteral("N123");
/// "コンピュータ"
inline const QString ComputerPage = QStringLiteral("N200");
/// "スタートアップでお気に入りの表示"
inline const QString FavouritesAtStartup = QStringLiteral("N124");
/// "ウインドウシェーディングを使う"
inline const QString WindowShading = QStringLiteral("N54");
/// "背面に固定"
inline const QString KeepAtBack = QStringLiteral("ToolButton6");
/// "ウインドウの配置"
inline const QString WindowArrangement = QStringLiteral("N342");
/// "アイコン"
inline const QString ViewIcons = QStringLiteral("N28");
/// "小アイコン"
inline const QString ViewSmallIcons = QStringLiteral("N27");
/// "一覧"
inline const QString ViewList = QStringLiteral("N78");
/// "リスト"
inline const QString ViewDetails = QStringLiteral("Detail1");
/// "タスク情報"
inline const QString ViewTaskDetails = QStringLiteral("N79");
/// "ツリーリスト"
inline const QString ViewTreeList = QStringLiteral("N90");
/// "コメント Professional 詳細"
inline const QString ViewExtendedComments = QStringLiteral("N369");
/// "縮小版"
inline const QString ViewThumbnails = QStringLiteral("N385");
/// "アイコン表示拡張機能 使用"
inline const QString IconExtensions = QStringLiteral("N75");
/// "マスク(単一カラー)"
inline const QString SingleColourMask = QStringLiteral("N113");
/// "マスク(エフェクト)"
inline const QString EffectMask = QStringLiteral("N30");
/// "マスク(網かけ)"
inline const QString HatchMask = QStringLiteral("N111");
/// "シンプルアイコン"
inline const QString SimpleIcons = QStringLiteral("N104");
/// "コントラスト"
inline const QString Contrast = QStringLiteral("N70");
/// "モノクロ"
inline const QString Monochrome = QStringLiteral("N74");
/// "画像内容を表示"
inline const QString PictureContents = QStringLiteral("N118");
/// "アイコンの大きさを変える"
inline const QString ResizeIcons = QStringLiteral("N119");
/// "シール"
inline const QString ShowSeals = QStringLiteral("N31");
/// "ラベル"
inline const QString ShowLabels = QStringLiteral("N32");
/// "文字ラベル"
inline const QString TextLabels = QStringLiteral("N116");
/// "スタンプ"
inline const QString ShowStamps = QStringLiteral("N29");
/// "文字表示拡張機能 使用"
inline const QString CaptionExtensions = QStringLiteral("N91");
/// "キャプションラベル"
inline const QString CaptionLabels = QStringLiteral("N77");
/// "タスク情報でキャプション色変化"
inline const QString TaskCaptionColours = QStringLiteral("N117");
/// "グリッドライン"
inline const QString GridLines = QStringLiteral("N92");
/// "隠しファイルの表示"
inline const QString ShowHiddenFiles = QStringLiteral("N306");
/// "システムファイルの表示"
inline const QString ShowSystemFiles = QStringLiteral("N380");
/// "フォルダ容量の表示"
inline const QString ShowFolderSizes = QStringLiteral("N356");
/// "フォルダ情報の表示"
inline const QString ShowFolderInfo = QStringLiteral("N358");
/// "新ファイルリストエンジンを使用（高速）"
inline const QString NewListEngine = QStringLiteral("N325");
/// "NameSpaceエンジンを使用（高速）"
inline const QString NamespaceEngine = QStringLiteral("NameSpace1");
/// "ファイル名の保護"
inline const QString ProtectFileNames = QStringLiteral("N106");
/// "ドロップ可能"
inline const QString AcceptDrops = QStringLiteral("N107");
/// "フォルダに直接ドロップ可能"
inline const QString DropOntoFolders = QStringLiteral("N217");
/// "コメントの表示"
inline const QString ShowComments = QStringLiteral("N88");
/// "クイックコメント"
inline const QString QuickComment = QStringLiteral("N350");
/// "コメントのみふきだし表示"
inline const QString CommentTips = QStringLiteral("N33");
/// "タスクとコメントをふきだし表示"
inline const QString TaskAndCommentTips = QStringLiteral("N34");
/// "タスクの自動チェック"
inline const QString AutomaticTaskCheck = QStringLiteral("N23");
/// "名前順"
inline const QString SortByName = QStringLiteral("SortByName1");
/// "アイコン色順"
inline const QString SortByIconColour = QStringLiteral("N144");
/// "キャプション色順"
inline const QString SortByCaptionColour = QStringLiteral("N382");
/// "コメント順"
inline const QString SortByComment = QStringLiteral("N313");
/// "サイズ順"
inline const QString SortBySize = QStringLiteral("SortBySize1");
/// "種類順"
inline const QString SortByType = QStringLiteral("SortByType1");
/// "なし"
inline const QString ArrangeNone = QStringLiteral("N400");
/// "位置設定"
inline const QString KeepPositions = QStringLiteral("N76");
/// "簡単マスク(&A)"
inline const QString EasyMask = QStringLiteral("N155");
/// "簡単マスク(&A)"
inline const QString EasyMaskHidden = QStringLiteral("N156");
/// "開いている場所を画像で保管(&P)"
inline const QString SavePlaceAsPicture = QStringLiteral("N150");
/// "開いている場所をリストで保管(&L)"
inline const QString SavePlaceAsList = QStringLiteral("N368");
/// "ツリーリストを作成(&T)"
inline const QString CreateTreeList = QStringLiteral("N405");
/// "フォルダイメージ"
inline const QString FolderImage = QStringLiteral("N391");
/// "シンクロフォルダ(&F)"
inline const QString SynchronisedFolders = QStringLiteral("N409");
/// "フォルダの監視"
inline const QString FolderWatch = QStringLiteral("N353");
/// "人工知能"
inline const QString ArtificialIntelligence = QStringLiteral("N260");
/// "プログラムの一括管理機能を使う"
inline const QString CentralManagement = QStringLiteral("InIManagement2");
/// "設定ファイルを個々のフォルダに作る"
inline const QString PerFolderFiles = QStringLiteral("min1");
/// "設定ファイルを自動にチェックする"
inline const QString CheckFolderFilesAutomatically = QStringLiteral("N278");
/// "一時的に個々の設定ファイルを使用する"
inline const QString TemporaryPerFolderFiles = QStringLiteral("N202");
/// "現在のフォルダ設定を書き出す"
inline const QString WriteCurrentFolderFile = QStringLiteral("N194");
/// "現在の設定を直接に編集"
inline const QString EditCurrentFolderFile = QStringLiteral("N352");
/// "フォルダの情報(&I)"
inline const QString FolderInformation = QStringLiteral("N354");
/// "自由にツリー"
inline const QString FreeTreeWindow = QStringLiteral("N311");
/// "コンピュータ"
inline const QString ComputerWindow = QStringLiteral("N201");
/// "前に開いたフォルダをタブ表示"
inline const QString FolderTabs = QStringLiteral("ToolButton39");
/// "フォルダ" (the tool button beside "ウインドウフローティング")
inline const QString FolderPaneButton = QStringLiteral("ToolButton71");
/// "ウインドウフローティング"
inline const QString FloatingWindows = QStringLiteral("ToolButton5");
/// "次期構想"
inline const QString NextIdea = QStringLiteral("SpeedButton1");
/// "自動コメント"
inline const QString AutomaticComments = QStringLiteral("ToolButton13");
/// "位置固定 (付箋のポップアップメニュー)"
inline const QString StickyNotePinned = QStringLiteral("N1");

} // namespace kazari::Component
