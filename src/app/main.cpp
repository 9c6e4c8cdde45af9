// Kazari: the program's entry. Chooses the program folder, shows the splash window,
// creates the main window, runs its start-up steps and the event loop. SIGTERM and
// SIGINT (sent by the desktop at logout) close the main window the orderly way.

#include "core/platform/programfolder.h"
#include "ui/app/mainwindow.h"
#include "ui/app/messagebox.h"
#include "ui/app/splashwindow.h"

#include <QApplication>
#include <QFileInfo>
#include <QPointer>
#include <QSocketNotifier>
#include <QStyleFactory>
#include <QTextStream>
#include <QTimer>

#include <csignal>
#include <cstdio>
#include <sys/socket.h>
#include <unistd.h>

namespace
{

int g_signalPipe[2] = {-1, -1};

void onSignal(int)
{
    const char c = 1;
    // Only async-signal-safe work here: wake the event loop.
    [[maybe_unused]] const ssize_t n = ::write(g_signalPipe[0], &c, 1);
}

bool installSignalHandlers()
{
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, g_signalPipe) != 0)
        return false;
    struct sigaction sa {
    };
    sa.sa_handler = onSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    return ::sigaction(SIGTERM, &sa, nullptr) == 0 && ::sigaction(SIGINT, &sa, nullptr) == 0;
}

// Closes the main window the orderly way. An open question is closed first (it reads as
// No or Cancel) and the window follows once the code that asked it has gone on, so the
// closing steps never run under a handler that is still waiting for an answer.
void closeOrderly(const QPointer<QWidget> &window)
{
    if (!window)
        return;
    if (QWidget *modal = QApplication::activeModalWidget()) {
        modal->close();
        QTimer::singleShot(50, window, [window]() { closeOrderly(window); });
        return;
    }
    window->close();
}

void printHelp()
{
    std::fputs("使い方: kazari [--program-folder DIR] [/ShowFoundList | FOLDER | LINK]\n"
               "  --program-folder DIR  settings and data are kept in DIR\n"
               "  /ShowFoundList        start with the found list\n"
               "  FOLDER                open this folder first\n",
               stdout);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kazari"));
    QApplication::setApplicationDisplayName(QStringLiteral("Kazari"));
    QApplication::setOrganizationName(QStringLiteral("kazari"));
    if (QStyle *style = QStyleFactory::create(QStringLiteral("Fusion")))
        QApplication::setStyle(style);

    QStringList arguments = QApplication::arguments().mid(1);
    if (arguments.contains(QStringLiteral("--help")) || arguments.contains(QStringLiteral("-h"))) {
        printHelp();
        return 0;
    }
    QString error;
    const QString folder =
        kazari::ProgramFolder::choose(arguments, QApplication::applicationDirPath(), &error);
    if (folder.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    kazari::ProgramFolder programFolder(folder);
    programFolder.setExecutableDir(QApplication::applicationDirPath());

    QPointer<kazari::SplashWindow> splash = new kazari::SplashWindow;
    if (qEnvironmentVariableIsEmpty("KAZARI_NO_SPLASH"))
        splash->show();
    QApplication::processEvents();

    kazari::MainWindow::Options options;
    options.programFolder = programFolder;
    options.arguments = kazari::ProgramFolder::withoutOption(arguments);
    options.splash = splash;
    kazari::MainWindow window(options);

    // Handled from before the start-up steps: a signal that arrives while they run (they
    // let events through for the splash and the store's questions) closes an open
    // question and then the window once it is complete, instead of ending the process on
    // the spot.
    bool created = false;
    bool closeWhenCreated = false;
    if (installSignalHandlers()) {
        auto *notifier = new QSocketNotifier(g_signalPipe[1], QSocketNotifier::Read, &app);
        QObject::connect(notifier, &QSocketNotifier::activated, &window,
                         [&window, &created, &closeWhenCreated]() {
                             char buffer[16];
                             [[maybe_unused]] const ssize_t n =
                                 ::read(g_signalPipe[1], buffer, sizeof buffer);
                             kazari::MessageBox::dismissAll();
                             if (created) {
                                 closeOrderly(&window);
                                 return;
                             }
                             closeWhenCreated = true;
                             if (QWidget *modal = QApplication::activeModalWidget())
                                 modal->close();
                         });
    }
    if (!qEnvironmentVariableIsEmpty("KAZARI_STARTED_NOTICE")) {
        std::fputs("kazari: starting\n", stdout);
        std::fflush(stdout);
    }
    window.FormCreate();
    created = true;

    window.show();
    if (closeWhenCreated)
        QTimer::singleShot(0, &window, &QWidget::close);
    if (splash)
        splash->close();
    if (!qEnvironmentVariableIsEmpty("KAZARI_STARTED_NOTICE")) {
        // For scripts and tests driving the program: the window is up and signals are
        // handled from here on.
        std::fputs("kazari: started\n", stdout);
        std::fflush(stdout);
    }
    const int rc = QApplication::exec();
    return rc;
}
