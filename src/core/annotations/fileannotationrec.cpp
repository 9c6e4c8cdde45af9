#include "core/annotations/fileannotationrec.h"

#include <array>

namespace kazari
{

namespace
{

using Member = QString FileAnnotationRec::*;

constexpr std::array<Member, FileAnnotationRec::FieldCount> Members = {
    &FileAnnotationRec::cmp,     &FileAnnotationRec::cmt,      &FileAnnotationRec::comp,
    &FileAnnotationRec::CVColor, &FileAnnotationRec::imp,      &FileAnnotationRec::impN,
    &FileAnnotationRec::label,   &FileAnnotationRec::oneColor, &FileAnnotationRec::p,
    &FileAnnotationRec::RGB,     &FileAnnotationRec::s,        &FileAnnotationRec::TE,
    &FileAnnotationRec::Text,    &FileAnnotationRec::TS,       &FileAnnotationRec::stp,
};

} // namespace

QString &FileAnnotationRec::field(std::size_t index)
{
    return this->*Members.at(index);
}

const QString &FileAnnotationRec::field(std::size_t index) const
{
    return this->*Members.at(index);
}

bool FileAnnotationRec::isEmpty() const
{
    for (Member m : Members) {
        if (!(this->*m).isEmpty())
            return false;
    }
    return true;
}

} // namespace kazari
