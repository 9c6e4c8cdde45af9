#pragma once

#include <QList>
#include <QString>

#include <functional>

class QAction;

namespace kazari
{

class MainWindow;

/// The main window's own commands by name: view styles, refresh, the tool bars, panes,
/// list colour and font, the storage modes and the generic switch handler that stores
/// a checkable command's mark. Parts of the program put their handlers in front.
class MainCommands
{
public:
    using Handler = std::function<bool(const QString &name, QAction *action)>;

    explicit MainCommands(MainWindow &window);

    void addHandler(Handler handler) { m_handlers.append(std::move(handler)); }
    /// Runs a command: the added handlers first, in order, then the window's own.
    void run(const QString &name, QAction *action);
    /// The generic switch handler: the command's mark has already been inverted.
    void MenuItem_Clicks(const QString &name);

private:
    bool runStoreCommand(const QString &name, QAction *action);

    MainWindow &m_w;
    QList<Handler> m_handlers;
};

} // namespace kazari
