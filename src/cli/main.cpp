#include "cli/kazaricli.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    kazari::KazariCli cli(out, err);
    const int code = cli.run(app.arguments().mid(1), QCoreApplication::applicationDirPath());
    out.flush();
    err.flush();
    return code;
}
