#pragma once

#include "core/annotations/annotationvalues.h"

#include <QDateTime>

#include <optional>

namespace kazari
{

struct FileAnnotationRec;

/// One item's annotations as picture and caption building use them, already parsed.
///
/// Every field is optional: a value that is absent and a value that does not parse
/// (a malformed `_RGB`, a `_oneColor` out of range, label "9", seal "99") are the same
/// thing here. `fromRecord` does that validation; callers that fill the fields
/// themselves must put in only valid values.
struct ItemDecorationValues {
    std::optional<qint32> oneColour;     ///< `_oneColor`
    std::optional<ColourShift> shift;    ///< `_RGB`
    std::optional<int> label;            ///< `_label`, 0 to 3
    std::optional<int> seal;             ///< `_s`, 0 to 14
    std::optional<qint32> captionColour; ///< `_CVColor`, a colour number
    bool hasComment = false;             ///< `_cmt` present and not empty
    std::optional<bool> completed;       ///< `_comp`: true "1" (finished), false "0"
    std::optional<QDateTime> taskStart;  ///< `_TS`
    std::optional<QDateTime> taskEnd;    ///< `_TE`

    /// Parses the fields of an annotation record; anything that does not parse is
    /// left absent. A task time without its time of day starts at midnight.
    static ItemDecorationValues fromRecord(const FileAnnotationRec &record);

    /// A task date and time as a local date-time (midnight when the time is missing),
    /// nothing when the date is not valid.
    static std::optional<QDateTime> toDateTime(const TaskDateTime &value);
};

} // namespace kazari
