#pragma once

#include "core/annotations/annotationindex.h"
#include "core/annotations/annotationlist.h"
#include "core/annotations/fileannotationrec.h"
#include "core/annotations/indexmaintenance.h"
#include "core/platform/programfolder.h"

#include <QHash>
#include <QPoint>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>

namespace kazari
{

class Settings;

/// Where annotation files live: centrally in the program folder (`ini/index.ini` and
/// numbered files, "プログラムの一括管理機能を使う", `InIManagement2`) or in each folder
/// (`_m.ini`, "設定ファイルを個々のフォルダに作る", `min1`).
enum class StorageMode { Central, PerFolder };

/// Status bar fields the store writes to.
enum class StoreStatusField {
    IniNo,         ///< "ini No": "-" while loading, then the folder stem
    SystemMessage, ///< "Sys msg": maintenance progress
};

/// The questions the store asks; the user interface answers them with its message box
/// wrapper, tests and the command-line tool answer them in advance.
enum class StoreQuestion {
    /// "このプログラムで使うファイルがありません\n作っていいですか？" (central mode, no index)
    CreateIndex,
    /// "このフォルダに情報があります。読み込みますか？" (`SaveCurrent`, automatic check):
    /// Yes saves into the folder's `_m.ini`, No into its central file.
    SaveIntoFolderFile,
};

/// What happened to an item's task, for the task list file `task.ini`.
enum class TaskListChange { Open, Finished, Cleared };

/// Operation codes of `AnnotationOp`. Every other code only loads.
enum AnnotationOpCode : int {
    OpSetLabelSeal = 0,
    OpRemoveLabelSeal = 1,
    OpSetPosition = 2,
    OpRemovePosition = 3,
    OpSetColourShift = 4,
    OpLoad = 5,
    OpRemoveIconMasks = 6,
    OpSetCompletion = 7,
    OpClearTask = 8,
    OpSetCaptionColour = 9,
    OpRemoveCaptionColour = 10,
    OpRemoveItem = 11,
    OpRenameItem = 12,
    OpSetComment = 13,
    OpSetOneColour = 14,
    OpMaintenance = 15,
    OpCarryItem = 19,
    OpCopyRecord = 20,
    OpPasteRecord = 21,
    OpSave = 22,
};

/// The inputs of `AnnotationOp` that the main window takes from its controls.
struct AnnotationOpInput {
    /// Op 12: the item's current name (the new one is `name`). Op 19: the item's name in
    /// `folder` (default: the last component of `name`).
    QString oldName;
    /// Op 9: the caption colour text; op 13: the comment.
    QString text;
    /// Op 4: the red, green and blue slider positions.
    std::array<int, 3> rgb{};
    /// Op 7: the task is finished.
    bool completed = false;
};

/// One annotation file as the store resolved it.
struct AnnotationFileRef {
    enum class Kind {
        None,        ///< no file (central mode without index, a location without files)
        FolderFile,  ///< the folder's own `_m.ini`
        CentralFile, ///< `ini/<number>.ini`
        ListFile,    ///< `vtl/vdiscimg.ini` in list-file mode
    };
    Kind kind = Kind::None;
    QString path;
    /// The folder stem: the number, or "_m".
    QString stem;
    /// Never written (per-folder files in shell namespace mode).
    bool readOnly = false;

    bool isFile() const { return kind != Kind::None; }
};

/// The outcome of a store operation. `ok` is false when the operation was refused or
/// failed; `error` then says why in words for the user. `written` tells whether a file
/// was written; `changed` whether an annotation changed.
struct StoreResult {
    bool ok = true;
    bool changed = false;
    bool written = false;
    /// A question was answered No, so nothing was created or written.
    bool declined = false;
    QString error;
    explicit operator bool() const { return ok; }

    /// A result that did not succeed, with the reason.
    static StoreResult failure(const QString &error)
    {
        StoreResult r;
        r.ok = false;
        r.error = error;
        return r;
    }
};

/// The annotation store: storage modes, the central index, the current annotation list
/// and every read and write of annotation files.
///
/// Paths: a folder key is a clean absolute path with a trailing "/" (`folderKey`).
/// Shell locations ("::{…}") and Windows paths from old files are identifiers: they are
/// registered in the index like folders but never reach the file system.
///
/// One resolver decides the file of a folder for loading, saving and the operations by
/// path: per-folder mode uses `_m.ini`; central mode uses `_m.ini` when the automatic
/// check (`N278`) is on and the folder has one, `vtl/vdiscimg.ini` in list-file mode,
/// otherwise the folder's numbered file, registering the folder and creating the file
/// when it writes. Folder files are read and written only when they are regular files.
///
/// The current annotation list is the file of the folder shown in the item list. It
/// remembers the file it came from; `SaveCurrent` writes it back there. `AnnotationOp`
/// works on it when the folder given resolves to that file (and always for loads);
/// operations on items of other folders use a private list and leave it alone. When an
/// operation by path writes the current list's file, the list gets the same change.
///
/// Wiring for the main window:
/// - list build: `loadForListBuild(folder)` (op 5, then ends the temporary per-folder
///   mode); the item list reads `current()` / `currentValue()`; set the list modes with
///   `setListFileMode`, `setSearchResultMode`, `setShellNamespaceMode` first.
/// - "プログラムの一括管理機能を使う" / "設定ファイルを個々のフォルダに作る": `chooseMode`,
///   rebuild the list when it returns true.
/// - "一時的に個々の設定ファイルを使用する" (`N202`): `toggleTemporaryPerFolder`, rebuild when
///   it returns true; its check mark is `isTemporaryPerFolder()`.
/// - "現在のフォルダ設定を書き出す" (`N194`): `writeCurrentToFolderFile` (show its error).
/// - "現在の設定を直接に編集" (`N352`): open `centralFileForEditing()` when not empty.
/// - "管理情報整備": `AnnotationOp(..., OpMaintenance)` with the hourglass cursor; the
///   texts go to the status handler (`SystemMessage`).
/// - "設定をコピー" / "設定を貼り付け": ops 20 and 21 with the item's folder.
/// - the status field "ini No": `setStatusHandler`; questions: `setQuestionHandler`;
///   "let pending messages run" before creating the index: `setEventPump`; the task list
///   file: `setTaskListHandler` (ops 7 and 8).
/// File errors come back in `StoreResult::error` for the user interface to show.
class AnnotationStore
{
public:
    using QuestionHandler = std::function<bool(StoreQuestion, const QString &text)>;
    using StatusHandler = std::function<void(StoreStatusField, const QString &text)>;
    using TaskListHandler = std::function<void(const QString &itemPath, TaskListChange)>;

    AnnotationStore(ProgramFolder folder, Settings &settings);

    static QString createIndexQuestion()
    {
        return QStringLiteral("このプログラムで使うファイルがありません\n作っていいですか？");
    }
    static QString saveIntoFolderFileQuestion()
    {
        return QStringLiteral("このフォルダに情報があります。読み込みますか？");
    }
    static QString noFolderFileText()
    {
        return QStringLiteral("このフォルダには設定ファイルを保存できません。");
    }
    /// "現在のフォルダ設定を書き出す" refused: the folder's file is there but cannot be read.
    static QString unreadFolderFileText(const QString &path, const QString &error)
    {
        return QStringLiteral("このフォルダの設定ファイルを読めないため、書き出しを中止しました。\n"
                              "%1: %2")
            .arg(path, error);
    }

    /// Unanswered questions read as No.
    void setQuestionHandler(QuestionHandler handler) { m_ask = std::move(handler); }
    void setStatusHandler(StatusHandler handler) { m_status = std::move(handler); }
    void setEventPump(std::function<void()> pump) { m_pump = std::move(pump); }
    void setTaskListHandler(TaskListHandler handler) { m_taskList = std::move(handler); }

    const ProgramFolder &programFolder() const { return m_folder; }

    // --- Modes -----------------------------------------------------------------------

    /// The mode in effect (per-folder while the temporary per-folder mode is on).
    StorageMode mode() const;
    /// The mode chosen in the settings.
    StorageMode chosenMode() const { return m_mode; }
    /// Reads the mode from `InIManagement2` (on: central) and `min1`; per-folder
    /// otherwise, as in the built-in defaults.
    void reloadModeFromSettings();
    /// Uses a mode for this session without storing it (the command-line `--mode`).
    void setSessionMode(StorageMode mode) { m_mode = mode; }
    /// The two menu commands: choosing the marked one does nothing (false); otherwise
    /// stores the other as 0 and the chosen one as 1 and returns true (rebuild the list).
    bool chooseMode(StorageMode mode);
    /// "一時的に個々の設定ファイルを使用する": when off, turns on the per-folder mode for the
    /// next folder load without storing it and returns true (rebuild the list); when
    /// on, switches back at once and returns false.
    bool toggleTemporaryPerFolder();
    bool isTemporaryPerFolder() const { return m_temporaryPerFolder; }
    void endTemporaryPerFolder() { m_temporaryPerFolder = false; }
    /// "設定ファイルを自動にチェックする" (`N278`), read from the settings each time.
    bool automaticCheck() const;

    void setListFileMode(bool on) { m_listFileMode = on; }
    bool listFileMode() const { return m_listFileMode; }
    void setSearchResultMode(bool on) { m_searchResultMode = on; }
    bool searchResultMode() const { return m_searchResultMode; }
    void setShellNamespaceMode(bool on) { m_shellNamespaceMode = on; }
    bool shellNamespaceMode() const { return m_shellNamespaceMode; }

    // --- Paths -----------------------------------------------------------------------

    /// The folder key of a folder path: clean, absolute, with a trailing "/". Shell
    /// locations and Windows paths keep their spelling and get a trailing separator.
    static QString folderKey(const QString &path);
    /// Splits an item's full path into its folder key and item name. False for the root
    /// and for empty paths.
    static bool splitItemPath(const QString &path, QString *folder, QString *name);
    QString indexPath() const { return m_folder.file(AnnotationIndex::relativePath()); }
    bool indexExists() const;
    /// The file a folder's annotations are read from now, without registering anything.
    AnnotationFileRef fileForFolder(const QString &folder);
    /// The annotation file of a folder as the store reads it (empty when there is none;
    /// `found` tells whether a file was read, `error` why it could not be).
    AnnotationList folderList(const QString &folder, bool *found = nullptr,
                              QString *error = nullptr);

    // --- The current annotation list -------------------------------------------------

    const AnnotationList &current() const { return m_current; }
    /// For callers that edit the list directly and then call `SaveCurrent`.
    AnnotationList &current() { return m_current; }
    const QString &currentFolder() const { return m_currentFolder; }
    const AnnotationFileRef &currentFile() const { return m_currentFile; }
    /// The folder stem of the current folder ("_m" or its number).
    const QString &folderStem() const { return m_stem; }
    /// What the status field "ini No" shows after a load.
    QString iniNoText() const;
    /// A value from the current list.
    QString currentValue(const QString &name, const QString &suffix) const
    {
        return m_current.value(name, suffix);
    }
    /// A companion file of the current folder (rules, script, folder image) named by the
    /// folder stem: in the folder itself for "_m", else in the program folder.
    QString companionFile(CompanionKind kind) const;

    /// The list build's load: op 5, then the temporary per-folder mode ends.
    StoreResult loadForListBuild(const QString &folder);

    /// The single entry for operations on an annotation list (see `AnnotationOpCode`).
    /// `name` is the item the operation acts on (the caption of the item at itemIndex
    /// or of the selected item; the caller passes the current folder as `folder` for
    /// items of the shell namespace engine), except: op 12, the new name (the old one in
    /// `input.oldName`); op 19, the full path the copied or moved item now has. seal and
    /// value are -1 for "none"; point is for op 2.
    StoreResult AnnotationOp(const QString &folder, const QString &name, const QPoint &point,
                             int seal, int value, int op, const AnnotationOpInput &input = {});

    /// One field of one item by its full path: the annotation file of its parent
    /// folder, key = last component + suffix. Empty when absent. In search result mode
    /// it falls back to the other mode's file when the first has no value.
    QString GetByPath(const QString &path, const QString &suffix);
    /// Sets one field by path in place (no sorting); an empty value removes it. Central
    /// mode registers the parent and creates its file as loading does. `written` tells
    /// whether the file was written.
    StoreResult SetByPath(const QString &path, const QString &suffix, const QString &value);
    /// Removes one field by path, sorts and saves; `changed` tells whether it was there.
    StoreResult DeleteByPath(const QString &path, const QString &suffix);
    /// Writes the current list, as edited by a caller, sorted, to the file it was loaded
    /// from (`folder` is used only when it came from no file).
    StoreResult SaveCurrent(const QString &folder = QString());
    /// Rewrites every whole-item line of oldName in the current list under newName
    /// (the caller saves). Returns the number of lines, -1 when a name is refused.
    int RenameKeys(const QString &oldName, const QString &newName);

    /// Whole items by full path, for the item list, rules, search and file operations.
    FileAnnotationRec recordByPath(const QString &path);
    /// Every field present, in whole-item order (the fifteen, then `_cmtEx`).
    QList<QPair<QString, QString>> fieldsByPath(const QString &path);
    /// Op 11 for the item at path.
    StoreResult removeItemByPath(const QString &path);
    /// Op 12: the item at path is now called newName (same folder).
    StoreResult renameItemByPath(const QString &path, const QString &newName);
    /// Op 19: carries the annotation of the item at fromPath to toPath (lines left
    /// under the target's name are replaced); with `removeSource` (a move) op 11 follows
    /// for fromPath.
    StoreResult carryItemByPath(const QString &fromPath, const QString &toPath,
                                bool removeSource = false);

    /// Writes the fields `source` holds for `oldName` (lines read from another file) under
    /// the item at `toPath`, replacing whatever lines were left under its name.
    StoreResult carry(const AnnotationList &source, const QString &oldName, const QString &toPath);

    /// A folder was moved or renamed to `newFolder`: the index keys of it and of every
    /// folder below it follow, so their central files stay attached (nothing to do without
    /// an index). Does not touch the current list.
    StoreResult moveFolderKeys(const QString &oldFolder, const QString &newFolder);

    /// The folders registered in the central index that are `folder` or lie below it, as
    /// folder keys in index order (empty without an index).
    QStringList registeredFoldersBelow(const QString &folder);

    /// A batch on one folder's annotation file: loads it once, applies `change` (which
    /// returns whether it changed anything), sorts when asked, saves once, and applies the
    /// same change to the current list when that file is the current one. With
    /// `mayCreate` a missing file is created (central mode registers the folder, as
    /// `SetByPath` does); without it a missing file is left missing.
    StoreResult editFolder(const QString &folder,
                           const std::function<bool(AnnotationList &)> &change, bool sort,
                           bool mayCreate);

    /// Keys of a folder itself (".ViewStyle", ".SortType", ".FolderImage") in the
    /// folder's own annotation file.
    QString folderValue(const QString &folder, const QString &key);
    StoreResult setFolderValue(const QString &folder, const QString &key, const QString &value);

    /// The clipboard of "設定をコピー" / "設定を貼り付け".
    const FileAnnotationRec &clipboard() const { return m_clipboard; }
    void setClipboard(const FileAnnotationRec &record) { m_clipboard = record; }

    /// "現在のフォルダ設定を書き出す": the current list into the current folder's `_m.ini`,
    /// refused when that file is there but cannot be read.
    StoreResult writeCurrentToFolderFile();
    /// "現在の設定を直接に編集": `ini/<stem>.ini` of the current folder when it exists.
    QString centralFileForEditing() const;
    /// Index maintenance; texts go to `status`, or to the status handler's
    /// `SystemMessage` field. The current list is reloaded afterwards (never saved into a
    /// file that now belongs to another folder).
    IndexMaintenance::Result
    runMaintenance(const std::function<void(const QString &)> &status = {});

private:
    enum class Purpose { Read, Load, Write };
    struct Resolution {
        AnnotationFileRef ref;
        bool ok = true;
        bool declined = false;
        bool skipRead = false;
        QString error;
    };
    struct CachedFile {
        QByteArray stamp;
        AnnotationList list;
    };
    struct Loaded {
        bool ok = true;
        bool found = false;
        /// A folder file that is not a regular file: read as absent, never written.
        bool refused = false;
        QString error;
        AnnotationList list;
    };

    Resolution resolve(const QString &folderKey, Purpose purpose);
    const AnnotationIndex *index();
    bool saveIndex(const AnnotationIndex &index, QString *error);
    bool numberInUse(int number) const;
    /// With `take`, the list leaves the cache (for a change that is then written).
    Loaded load(const AnnotationFileRef &ref, const QString &folderKey, bool take = false);
    AnnotationList *cached(const QString &path, int options, bool *found, QString *error);
    bool write(const AnnotationFileRef &ref, const AnnotationList &list, QString *error);
    void forget(const QString &path);
    static int optionsFor(const AnnotationFileRef &ref);

    StoreResult loadCurrent(const QString &folderKey);
    bool isCurrentFile(const QString &folderKey);
    StoreResult writeByPath(const QString &folderKey,
                            const std::function<bool(AnnotationList &)> &change,
                            const std::function<void(AnnotationList &)> &sameOnCurrent, bool sort,
                            Purpose purpose);
    void say(StoreStatusField field, const QString &text);
    bool ask(StoreQuestion question, const QString &text);

    ProgramFolder m_folder;
    Settings &m_settings;
    StorageMode m_mode = StorageMode::PerFolder;
    bool m_temporaryPerFolder = false;
    bool m_listFileMode = false;
    bool m_searchResultMode = false;
    bool m_shellNamespaceMode = false;

    AnnotationList m_current;
    QString m_currentFolder;
    AnnotationFileRef m_currentFile;
    bool m_currentReadFailed = false;
    QString m_stem = QStringLiteral("_m");
    FileAnnotationRec m_clipboard;

    QByteArray m_indexStamp;
    AnnotationIndex m_index;
    bool m_indexLoaded = false;
    QHash<QString, CachedFile> m_cache;
    QStringList m_cacheOrder;
    AnnotationList m_uncached;

    QuestionHandler m_ask;
    StatusHandler m_status;
    std::function<void()> m_pump;
    TaskListHandler m_taskList;
};

} // namespace kazari
