#include "core/tasks/extendedcomment.h"

#include "core/annotations/annotationvalues.h"
#include "core/app/settings.h"
#include "core/tasks/commentediting.h"

namespace kazari
{

namespace
{

QString nameKey(int i)
{
    return QStringLiteral("CmtName") + QString::number(i + 1);
}

} // namespace

QStringList ExtendedComment::names(const Settings &settings)
{
    QStringList out;
    for (int i = 0; i < NamedCount; ++i) {
        const QString v = settings.value(nameKey(i));
        out.append(v.isEmpty() ? QStringLiteral("コメント") + QString::number(i + 1) : v);
    }
    return out;
}

void ExtendedComment::storeNames(Settings &settings, const QStringList &names)
{
    for (int i = 0; i < NamedCount && i < names.size(); ++i) {
        // A line break would end the settings line.
        QString v = names.at(i);
        v.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
        if (settings.value(nameKey(i)) != v)
            settings.storeSetting(nameKey(i), v, true);
    }
}

QStringList ExtendedComment::fields(const QString &value)
{
    QStringList out = AnnotationValues::parseExtendedComment(value);
    while (out.size() < FieldCount)
        out.append(QString());
    return out;
}

QString ExtendedComment::value(const QStringList &fields)
{
    QStringList f = fields.mid(0, FieldCount);
    while (f.size() < FieldCount)
        f.append(QString());
    bool any = false;
    for (QString &field : f) {
        field.replace(QLatin1Char('\r'), QLatin1Char(' '))
            .replace(QLatin1Char('\n'), QLatin1Char(' '));
        any = any || !field.isEmpty();
    }
    return any ? AnnotationValues::formatExtendedComment(f) : QString();
}

QStringList ExtendedComment::read(AnnotationStore &store, const QString &path)
{
    return fields(store.GetByPath(path, suffix()));
}

StoreResult ExtendedComment::write(AnnotationStore &store, const QString &path,
                                   const QStringList &values)
{
    QString why;
    if (!CommentEditing::canWrite(store, path, &why)) {
        StoreResult r;
        r.ok = false;
        r.error = why;
        return r;
    }
    return store.SetByPath(path, suffix(), value(values));
}

} // namespace kazari
