#include "core/itemlist/columnsets.h"

#include "core/annotations/annotationvalues.h"

namespace kazari
{

namespace
{

constexpr int MaxWidth = 10000;

} // namespace

ColumnSets::Set ColumnSets::choose(bool listFileMode, bool details, bool task, bool extendedComment)
{
    if (extendedComment)
        return ExtendedComment;
    if (task)
        return Task;
    if (details)
        return Details;
    if (listFileMode)
        return ListFile;
    return Plain;
}

QStringList ColumnSets::captions(Set set, const QStringList &commentNames)
{
    QStringList out{QStringLiteral("名前"), QStringLiteral("コメント")};
    switch (set) {
    case ListFile:
        out << QStringLiteral("フルパス");
        break;
    case Plain:
        out << QStringLiteral("フルパス") << QStringLiteral("サイズ");
        break;
    case Details:
        out << QStringLiteral("サイズ") << QStringLiteral("種類") << QStringLiteral("更新日時")
            << QStringLiteral("属性");
        break;
    case Task:
        out << QStringLiteral("ラベル") << QStringLiteral("シール") << QStringLiteral("タスク開始")
            << QStringLiteral("タスク期日") << QStringLiteral("重要度") << QStringLiteral("通知")
            << QStringLiteral("通知日") << QStringLiteral("属性") << QStringLiteral("完了")
            << QStringLiteral("マスク");
        break;
    case ExtendedComment:
        for (int i = 0; i < 10; ++i)
            out << commentNames.value(i);
        break;
    }
    return out;
}

QString ColumnSets::defaultWidths0()
{
    return QStringLiteral("200,200,100,100,100,100,100,100,100,100,100,100");
}

QString ColumnSets::defaultWidths1()
{
    return QStringLiteral("200,100,100,100,100,100,100,100,100,100,100,100");
}

QList<int> ColumnSets::widths(const QString &setting)
{
    const QStringList fields = AnnotationValues::splitCommaText(setting);
    QList<int> out;
    out.reserve(MaxColumns);
    for (int i = 0; i < MaxColumns; ++i) {
        const std::optional<int> w = AnnotationValues::parseIntegerIn(fields.value(i), 0, MaxWidth);
        out.append(w.value_or(DefaultWidth));
    }
    return out;
}

QString ColumnSets::storedWidths(const QString &previous, const QList<int> &current)
{
    // The entries kept are copied as they were written.
    const QStringList fields = previous.split(QLatin1Char(','));
    QStringList out;
    for (int i = 0; i < MaxColumns; ++i) {
        if (i < current.size())
            out << QLatin1Char('"') + QString::number(current.at(i)) + QLatin1Char('"');
        else if (i < fields.size() && !fields.at(i).trimmed().isEmpty())
            out << fields.at(i);
        else
            out << QString::number(DefaultWidth);
    }
    return out.join(QLatin1Char(','));
}

} // namespace kazari
