#pragma once

#include "core/annotations/fileannotationrec.h"
#include "core/itemlist/columnsets.h"
#include "core/itemlist/itemrecord.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

namespace kazari
{

/// The texts of an item's details columns (the sub-items after the name).
class DetailsColumns
{
public:
    struct Item {
        /// The item's record (path, name, whether it is a folder, its `Size`).
        const ItemRecord *record = nullptr;
        FileAnnotationRec annotation;
        /// The item's `_cmtEx`.
        QString extendedComment;
        /// "フォルダ容量の表示": a folder shows its computed size (`Size`).
        bool folderSizes = false;
    };

    /// The sub-items of an item for a set: one text per column after the name.
    static QStringList texts(ColumnSets::Set set, const Item &item);

    /// The size column: the byte count; above 1024 bytes kilobytes with two decimals
    /// and "KB", above 1048576 "MB", above 1073741824 "GB".
    static QString sizeText(qint64 bytes);
    /// Six characters "A", "D", "H", "V", "R", "S", each a space when not set; "O" alone
    /// when the item cannot be read.
    static QString attributesText(const QString &path);
    /// The modification time "yyyy/MM/dd H:mm:ss"; empty for an invalid time.
    static QString timeText(const QDateTime &time);
};

} // namespace kazari
