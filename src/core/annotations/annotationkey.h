#pragma once

#include <QLatin1String>
#include <QString>
#include <QStringView>

#include <array>

namespace kazari
{

/// The fifteen annotation key suffixes, in the fixed order every whole-item operation
/// walks and in which `FileAnnotationRec` holds its fields.
inline constexpr std::array<QLatin1String, 15> AnnotationSuffixes = {
    QLatin1String("_cmp"),     QLatin1String("_cmt"),      QLatin1String("_comp"),
    QLatin1String("_CVColor"), QLatin1String("_imp"),      QLatin1String("_impN"),
    QLatin1String("_label"),   QLatin1String("_oneColor"), QLatin1String("_p"),
    QLatin1String("_RGB"),     QLatin1String("_s"),        QLatin1String("_TE"),
    QLatin1String("_Text"),    QLatin1String("_TS"),       QLatin1String("_stp"),
};

/// Positions of the suffixes in `AnnotationSuffixes`.
enum class AnnotationField : int {
    Cmp,
    Cmt,
    Comp,
    CVColor,
    Imp,
    ImpN,
    Label,
    OneColor,
    P,
    RGB,
    S,
    TE,
    Text,
    TS,
    Stp,
};

inline QLatin1String suffixOf(AnnotationField field)
{
    return AnnotationSuffixes[static_cast<std::size_t>(field)];
}

/// The extended comment. Not one of the fifteen, but it follows its item through
/// rename, copy, move and delete like them, so no orphaned line can attach itself to a
/// later item of the same name.
inline constexpr QLatin1String CmtExSuffix("_cmtEx");

/// Keys of the folder itself (empty item name).
inline constexpr QLatin1String FolderViewStyleKey(".ViewStyle");
inline constexpr QLatin1String FolderSortTypeKey(".SortType");
inline constexpr QLatin1String FolderImageKey(".FolderImage");

/// The suffixes a whole-item operation (delete, rename, copy, move) carries: the fifteen
/// followed by `_cmtEx`.
inline constexpr std::size_t WholeItemSuffixCount = AnnotationSuffixes.size() + 1;
QLatin1String wholeItemSuffix(std::size_t index);

/// The key of one annotation field: the item name immediately followed by the suffix.
QString AnnotationKey(const QString &name, QStringView suffix);

/// Position of a suffix among `AnnotationSuffixes` (letter case ignored), or -1.
int annotationFieldIndex(QStringView suffix);
/// Position among the whole-item suffixes (the fifteen, then `_cmtEx` as 15), or -1.
int wholeItemSuffixIndex(QStringView suffix);
/// The program's spelling of a known suffix or folder key ("_cvcolor" gives
/// "_CVColor"), or a null string for anything else.
QString canonicalAnnotationSuffix(QStringView suffix);

/// Whether an item name can be annotated: a name containing "=", CR or LF would be cut
/// or split by the line format. The empty name is allowed; it addresses folder keys.
bool isAnnotatableName(QStringView name);
/// Whether a suffix can form a key: not empty, no "=", CR or LF.
bool isValidAnnotationSuffix(QStringView suffix);
/// A value as it is stored: every line break (CRLF, CR or LF) becomes one space.
QString sanitizeAnnotationValue(const QString &value);

} // namespace kazari
