#pragma once

#include <QString>

#include <cstddef>

namespace kazari
{

/// The record form of one item's annotation: one text per annotation key suffix, in
/// the order of `AnnotationSuffixes`; an empty text is an absent field. The store keeps
/// one as the clipboard of "設定をコピー" and "設定を貼り付け".
struct FileAnnotationRec {
    QString cmp;
    QString cmt;
    QString comp;
    QString CVColor;
    QString imp;
    QString impN;
    QString label;
    QString oneColor;
    QString p;
    QString RGB;
    QString s;
    QString TE;
    QString Text;
    QString TS;
    QString stp;

    static constexpr std::size_t FieldCount = 15;

    /// The field at a position of `AnnotationSuffixes`.
    QString &field(std::size_t index);
    const QString &field(std::size_t index) const;

    bool isEmpty() const;
    void clear() { *this = FileAnnotationRec(); }
    bool operator==(const FileAnnotationRec &) const = default;
};

} // namespace kazari
