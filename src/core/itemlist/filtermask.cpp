#include "core/itemlist/filtermask.h"

namespace kazari
{

namespace
{

// The extension starts at the last dot of the name ("archive.tar.gz" has ".gz").
qsizetype dotOf(const QString &name)
{
    return name.lastIndexOf(QLatin1Char('.'));
}

} // namespace

QString FilterMask::fromDialog(const QString &name, const QString &type)
{
    return (name.isEmpty() ? QStringLiteral("*") : name) + QLatin1Char('.') +
           (type.isEmpty() ? QStringLiteral("*") : type);
}

FilterMask::Pick FilterMask::sameExtension(const QString &itemName)
{
    Pick p;
    const qsizetype dot = dotOf(itemName);
    p.field = dot < 0 ? QString() : itemName.mid(dot + 1);
    p.mask = p.field.isEmpty() ? QStringLiteral("**") : QStringLiteral("*.") + p.field;
    return p;
}

FilterMask::Pick FilterMask::sameName(const QString &itemName)
{
    Pick p;
    const qsizetype dot = dotOf(itemName);
    p.field = dot < 0 ? itemName : itemName.left(dot);
    p.mask = p.field + QLatin1Char('*');
    return p;
}

const QList<QPair<QString, QString>> &FilterMask::annotationOptions()
{
    static const QList<QPair<QString, QString>> options{
        {QStringLiteral("なし"), QString()},
        {QStringLiteral("コメント"), QStringLiteral("_cmt")},
        {QStringLiteral("ラベル"), QStringLiteral("_label")},
        {QStringLiteral("シール"), QStringLiteral("_s")},
        {QStringLiteral("単一マスク"), QStringLiteral("_oneColor")},
        {QStringLiteral("文字マスク"), QStringLiteral("_CVColor")},
        {QStringLiteral("エフェクト"), QStringLiteral("_RGB")},
        {QStringLiteral("位置"), QStringLiteral("_p")},
        {QStringLiteral("タスク"), QStringLiteral("_comp")},
    };
    return options;
}

int FilterMask::optionOf(const QString &suffix)
{
    if (suffix.isEmpty())
        return 0;
    const QList<QPair<QString, QString>> &options = annotationOptions();
    for (int i = 1; i < options.size(); ++i) {
        if (options.at(i).second.compare(suffix, Qt::CaseInsensitive) == 0)
            return i;
    }
    return 0;
}

QString FilterMask::effective(const QString &mask)
{
    return mask.isEmpty() ? QStringLiteral("*") : mask;
}

} // namespace kazari
