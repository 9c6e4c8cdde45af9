#include "core/decoration/decorationbatch.h"

#include "core/annotations/annotationkey.h"
#include "core/annotations/annotationlist.h"
#include "core/annotations/fileannotationrec.h"

#include <QHash>

namespace kazari
{

DecorationTarget DecorationTarget::fromPath(const QString &path)
{
    DecorationTarget t;
    if (!AnnotationStore::splitItemPath(path, &t.folder, &t.name))
        return DecorationTarget();
    return t;
}

QList<DecorationBatch::Group> DecorationBatch::group(const QList<DecorationTarget> &targets)
{
    QList<Group> groups;
    QHash<QString, qsizetype> byFolder;
    for (const DecorationTarget &t : targets) {
        if (!t.isValid())
            continue;
        const QString key = AnnotationStore::folderKey(t.folder);
        if (key.isEmpty())
            continue;
        auto it = byFolder.constFind(key);
        if (it == byFolder.cend()) {
            it = byFolder.insert(key, groups.size());
            groups.append(Group{key, {}});
        }
        groups[*it].names.append(t.name);
    }
    return groups;
}

DecorationBatch::Result DecorationBatch::apply(AnnotationStore &store,
                                               const QList<DecorationTarget> &targets,
                                               const ItemChange &change, bool mayCreate)
{
    Result result;
    for (const Group &g : group(targets)) {
        const StoreResult r = store.editFolder(
            g.folder,
            [&g, &change](AnnotationList &list) {
                bool changed = false;
                for (const QString &name : g.names)
                    changed = change(list, name) || changed;
                // Sorted here rather than by the store, so the current annotation list,
                // which gets the same change, ends up in the file's order too.
                if (changed)
                    list.sortLines();
                return changed;
            },
            false, mayCreate);
        if (r.written)
            ++result.written;
        if (r.declined) {
            result.declined = true;
            continue;
        }
        if (!r.ok && result.ok) {
            result.ok = false;
            result.error = r.error;
        }
    }
    return result;
}

DecorationBatch::Result DecorationBatch::setEach(AnnotationStore &store,
                                                 const QList<DecorationTarget> &targets,
                                                 const QStringList &values, const QString &suffix)
{
    // Each folder's items with their values; its file goes through `apply` once.
    QList<QList<DecorationTarget>> byFolder;
    QList<QHash<QString, QString>> valuesByFolder;
    QList<bool> createIn;
    QHash<QString, qsizetype> folders;
    for (qsizetype i = 0; i < targets.size() && i < values.size(); ++i) {
        const DecorationTarget &t = targets.at(i);
        const QString key = t.isValid() ? AnnotationStore::folderKey(t.folder) : QString();
        if (key.isEmpty())
            continue;
        auto it = folders.constFind(key);
        if (it == folders.cend()) {
            it = folders.insert(key, byFolder.size());
            byFolder.emplaceBack();
            valuesByFolder.emplaceBack();
            createIn.append(false);
        }
        byFolder[*it].append(t);
        valuesByFolder[*it].insert(t.name, sanitizeAnnotationValue(values.at(i)));
        // Only a folder that gets a value may get a new file; removals never make one.
        createIn[*it] = createIn.at(*it) || !values.at(i).isEmpty();
    }
    Result result;
    for (qsizetype g = 0; g < byFolder.size(); ++g) {
        const QHash<QString, QString> &valueOf = valuesByFolder.at(g);
        const Result r = apply(
            store, byFolder.at(g),
            [&valueOf, &suffix](AnnotationList &list, const QString &name) {
                bool changed = false;
                list.setValue(name, suffix, valueOf.value(name), &changed);
                return changed;
            },
            createIn.at(g));
        result.written += r.written;
        result.declined = result.declined || r.declined;
        if (!r.ok && result.ok) {
            result.ok = false;
            result.error = r.error;
        }
    }
    return result;
}

DecorationBatch::ItemChange DecorationBatch::setField(const QString &suffix, const QString &value)
{
    const QString v = sanitizeAnnotationValue(value);
    return [suffix, v](AnnotationList &list, const QString &name) {
        bool changed = false;
        list.setValue(name, suffix, v, &changed);
        return changed;
    };
}

DecorationBatch::ItemChange DecorationBatch::removeFields(const QStringList &suffixes)
{
    return [suffixes](AnnotationList &list, const QString &name) {
        bool changed = false;
        for (const QString &s : suffixes)
            changed = list.remove(name, s) || changed;
        return changed;
    };
}

DecorationBatch::ItemChange DecorationBatch::setLabelOrSeal(int label, int seal)
{
    return [label, seal](AnnotationList &list, const QString &name) {
        bool changed = false;
        bool c = false;
        if (label != -1) {
            list.setValue(name, suffixOf(AnnotationField::Label), QString::number(label), &c);
            changed = c;
        }
        if (seal != -1) {
            list.setValue(name, suffixOf(AnnotationField::S), QString::number(seal), &c);
            changed = changed || c;
        }
        return changed;
    };
}

DecorationBatch::ItemChange DecorationBatch::removeLabelOrSeal(int label, int seal)
{
    return [label, seal](AnnotationList &list, const QString &name) {
        bool changed = false;
        if (label == -1)
            changed = list.remove(name, suffixOf(AnnotationField::Label));
        if (seal == -1)
            changed = list.remove(name, suffixOf(AnnotationField::S)) || changed;
        return changed;
    };
}

DecorationBatch::ItemChange DecorationBatch::pasteRecord(const FileAnnotationRec &record)
{
    return [record](AnnotationList &list, const QString &name) {
        return list.applyRecord(name, record);
    };
}

} // namespace kazari
