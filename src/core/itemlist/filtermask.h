#pragma once

#include <QList>
#include <QPair>
#include <QString>

namespace kazari
{

/// The file mask and annotation filter of the item list as the filter dialog and the
/// commands "選択ファイルと同じ拡張子" and "選択ファイルと同じ名前" set them.
class FilterMask
{
public:
    /// The mask of the dialog's "ファイル名" and "タイプ" texts: the name (or "*"), ".",
    /// then the type (or "*").
    static QString fromDialog(const QString &name, const QString &type);

    /// What a command puts into a dialog field and the mask it sets.
    struct Pick {
        QString field;
        QString mask;
    };
    /// The item's extension without its dot for "タイプ"; the mask "*." and the
    /// extension, or "**" when the item has none.
    static Pick sameExtension(const QString &itemName);
    /// The item's name without its extension for "ファイル名"; the mask that name and
    /// "*", or "*" when it is empty.
    static Pick sameName(const QString &itemName);

    /// The options of "拡張情報" in order: caption and the annotation key suffix they
    /// filter by ("なし" none).
    static const QList<QPair<QString, QString>> &annotationOptions();
    /// The option of a suffix (compared without regard to case); 0 ("なし") when none.
    static int optionOf(const QString &suffix);

    /// An empty mask counts as "*".
    static QString effective(const QString &mask);
};

} // namespace kazari
