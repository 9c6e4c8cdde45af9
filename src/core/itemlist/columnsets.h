#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace kazari
{

/// The column sets of the item list's details view and their stored widths.
class ColumnSets
{
public:
    enum Set {
        ListFile,        ///< a list file: "フルパス"
        Plain,           ///< none of the others: "フルパス", "サイズ"
        Details,         ///< "リスト", or a folder fixing the details style
        Task,            ///< "タスク情報"
        ExtendedComment, ///< "コメント Professional 詳細"
    };

    /// The most columns a set has, and the number of stored widths.
    static constexpr int MaxColumns = 12;
    static constexpr int DefaultWidth = 100;

    /// The set for the view: a later set wins over an earlier one (extended comment over
    /// task over details over list file).
    static Set choose(bool listFileMode, bool details, bool task, bool extendedComment);

    /// The column captions of a set, "名前" first. `commentNames` are the settings
    /// `CmtName1` to `CmtName10` (missing names give empty captions).
    static QStringList captions(Set set, const QStringList &commentNames = {});

    /// The first setting of `ColumnsWidth0` and `ColumnsWidth1`.
    static QString defaultWidths0();
    static QString defaultWidths1();

    /// The twelve widths of a `ColumnsWidth0` value; an entry that is missing, no
    /// integer or outside 0 to 10000 gives 100. Entries may be in double quotes.
    static QList<int> widths(const QString &setting);

    /// The value stored for the current columns' widths over the stored `previous` value:
    /// the current widths in double quotes replace the first entries, the rest of the
    /// stored entries stay, and the list is filled to twelve with "100".
    static QString storedWidths(const QString &previous, const QList<int> &current);
};

} // namespace kazari
