#pragma once

// Annotated folders for the file operation tests: a store in either mode over a temporary
// data folder, and the engine run with the annotations following.

#include "core/annotations/annotationstore.h"
#include "core/app/componentnames.h"
#include "core/app/settings.h"
#include "core/fileops/annotationfollower.h"
#include "core/platform/fileoperationengine.h"
#include "core/platform/trash.h"

#include "testsupport/tempprogramfolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace kazari::test
{

inline void touch(const QString &path, const QByteArray &content = "x")
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(content);
}

inline QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A store in either mode over a temporary data folder; central mode starts with an index.
struct AnnotatedFolders {
    explicit AnnotatedFolders(StorageMode mode)
    {
        settings.setSwitch(Component::CentralManagement, mode == StorageMode::Central);
        settings.setSwitch(Component::PerFolderFiles, mode == StorageMode::PerFolder);
        store.reloadModeFromSettings();
        store.setQuestionHandler([](StoreQuestion, const QString &) { return true; });
        if (mode == StorageMode::Central)
            pf.writeBytes(QStringLiteral("ini/index.ini"), QByteArray());
    }
    QString path(const QString &relative) const { return data.path() + u'/' + relative; }
    QString dir(const QString &relative) const
    {
        QDir().mkpath(path(relative));
        return path(relative);
    }
    void annotate(const QString &relative, const QString &comment)
    {
        QVERIFY(store.SetByPath(path(relative), QStringLiteral("_cmt"), comment).ok);
        QVERIFY(store
                    .SetByPath(path(relative), QStringLiteral("_cmtEx"),
                               comment + QStringLiteral(" ex"))
                    .ok);
    }
    QString comment(const QString &relative)
    {
        return store.GetByPath(path(relative), QStringLiteral("_cmt"));
    }
    QString extended(const QString &relative)
    {
        return store.GetByPath(path(relative), QStringLiteral("_cmtEx"));
    }
    // Runs the engine and lets annotations follow, answering questions with `answer`.
    FileOperationResult run(FileOperationCode code, const QStringList &relatives,
                            const QString &destination,
                            OverwriteAnswer answer = OverwriteAnswer::No)
    {
        FileOperationRequest request;
        request.code = code;
        for (const QString &r : relatives)
            request.sources.append(path(r));
        request.destination = destination.isEmpty() ? QString() : path(destination);
        FileOperationEngine engine;
        engine.setTrash(&trash);
        engine.setOverwriteCallback([answer](const OverwriteQuestion &) { return answer; });
        const FileOperationResult result = engine.run(request);
        followed = AnnotationFollower(store).follow(request, result);
        return result;
    }

    TempProgramFolder pf;
    QTemporaryDir data;
    QTemporaryDir trashDir;
    Trash trash{trashDir.path() + QStringLiteral("/Trash")};
    Settings settings{pf.folder()};
    AnnotationStore store{pf.folder(), settings};
    AnnotationFollower::Outcome followed;
};

} // namespace kazari::test
