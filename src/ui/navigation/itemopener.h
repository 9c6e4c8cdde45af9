#pragma once

#include "core/navigation/openplan.h"

#include <QObject>

class QAction;
class QMenu;

namespace kazari
{

class TForm1;

/// Opening items of the item list: the open action through the maze's gate, opening
/// with a registered application or a chosen one, the browser page, and the item
/// pop-up that stands for the desktop's own menu (open, open with, cut, copy, paste,
/// trash, copy path, properties).
class ItemOpener : public QObject
{
    Q_OBJECT

public:
    explicit ItemOpener(TForm1 &form);

    /// The open action: the selection is copied now and opened once the player of the
    /// folder pane's game has reached the goal of a new floor.
    void openSelection();
    /// The selection as it is now.
    QList<OpenItem> selectedItems() const;
    /// Carries out a plan now (what the gate releases) and records the opened paths.
    void execute(const OpenPlan &plan);

private:
    bool onCommand(const QString &name, QAction *action);

    TForm1 &m_form;
};

} // namespace kazari
