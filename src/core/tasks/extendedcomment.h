#pragma once

#include "core/annotations/annotationstore.h"

#include <QString>
#include <QStringList>

namespace kazari
{

class Settings;

/// The extended comment (`_cmtEx`, "コメント Professional"): eleven text fields of an
/// item, stored as one comma-separated list in which every field is quoted (a quote
/// inside a field is doubled), so commas and quotes in a field survive. The first ten
/// fields are named by the settings `CmtName1` to `CmtName10`; the eleventh has no name
/// and is carried along unchanged.
class ExtendedComment
{
public:
    static constexpr int FieldCount = 11;
    static constexpr int NamedCount = 10;
    static QString suffix() { return QStringLiteral("_cmtEx"); }
    static QString notSelectedText()
    {
        return QStringLiteral("コメントを設定する項目が未選択です。");
    }

    /// The ten field names from the settings ("コメント1" ... when a name is absent).
    static QStringList names(const Settings &settings);
    /// Stores the ten names (`storeSetting`, written to `exe.ini` when it exists).
    static void storeNames(Settings &settings, const QStringList &names);

    /// The eleven fields of a stored value, empty ones added at the end.
    static QStringList fields(const QString &value);
    /// The stored value of eleven fields; empty when every field is empty (no extended
    /// comment).
    static QString value(const QStringList &fields);

    /// The fields of the item at a path.
    static QStringList read(AnnotationStore &store, const QString &path);
    /// Writes the fields of the item at a path into the file of the folder that holds it.
    static StoreResult write(AnnotationStore &store, const QString &path,
                             const QStringList &fields);
};

} // namespace kazari
