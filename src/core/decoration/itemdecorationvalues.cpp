#include "core/decoration/itemdecorationvalues.h"

#include "core/annotations/fileannotationrec.h"

namespace kazari
{

std::optional<QDateTime> ItemDecorationValues::toDateTime(const TaskDateTime &value)
{
    if (!value.date.isValid())
        return std::nullopt;
    const QTime time = value.time.isValid() ? value.time : QTime(0, 0);
    return QDateTime(value.date, time);
}

ItemDecorationValues ItemDecorationValues::fromRecord(const FileAnnotationRec &record)
{
    ItemDecorationValues v;
    v.oneColour = AnnotationValues::parseOneColour(record.oneColor);
    v.shift = AnnotationValues::parseColourShift(record.RGB);
    v.label = AnnotationValues::parseLabel(record.label);
    v.seal = AnnotationValues::parseSeal(record.s);
    v.captionColour = AnnotationValues::parseCaptionColour(record.CVColor);
    v.hasComment = !record.cmt.isEmpty();
    v.completed = AnnotationValues::parseCompletion(record.comp);
    if (const auto start = AnnotationValues::parseTaskDateTime(record.TS))
        v.taskStart = toDateTime(*start);
    if (const auto end = AnnotationValues::parseTaskDateTime(record.TE))
        v.taskEnd = toDateTime(*end);
    return v;
}

} // namespace kazari
