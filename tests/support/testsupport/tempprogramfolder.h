#pragma once

#include "core/platform/programfolder.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace kazari::test
{

/// A fresh, empty program folder for one test, removed afterwards.
class TempProgramFolder
{
public:
    TempProgramFolder();
    bool isValid() const { return m_dir.isValid(); }
    QString path() const { return m_dir.path(); }
    ProgramFolder folder() const { return ProgramFolder(m_dir.path()); }
    QString file(const QString &relative) const { return m_dir.filePath(relative); }

    /// Writes raw bytes to a file inside the folder, creating sub-folders.
    bool writeBytes(const QString &relative, const QByteArray &bytes) const;
    QByteArray readBytes(const QString &relative) const;
    bool exists(const QString &relative) const;

private:
    QTemporaryDir m_dir;
};

} // namespace kazari::test
