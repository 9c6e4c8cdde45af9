#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>

namespace kazari
{

/// The command-line tool: reads and writes annotations through the annotation store,
/// exactly as the program does.
///
///   kazari-cli [--program-folder DIR] [--mode central|folder] [--yes] COMMAND …
///
/// Exit codes: 0 done, 1 not found, 2 refused or wrong usage. Messages go to the error
/// stream in plain words.
class KazariCli
{
public:
    enum ExitCode { Done = 0, NotFound = 1, Refused = 2 };

    KazariCli(QTextStream &out, QTextStream &err);

    /// `arguments` without the program name.
    int run(const QStringList &arguments, const QString &executableDir);

    static QString usage();

private:
    int fail(int code, const QString &message);

    QTextStream &m_out;
    QTextStream &m_err;
};

} // namespace kazari
