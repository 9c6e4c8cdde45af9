#pragma once

#include "core/platform/desktopapplications.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QListWidget;

namespace kazari
{

/// "アプリケーションから開く": the program chooser. Lists the desktop's applications for
/// a file, the ones that declare its type first, with a field for any other command.
/// The caller starts what was chosen (`chosenEntry` or `command`).
class ProgramChooser : public QDialog
{
    Q_OBJECT

public:
    ProgramChooser(const QString &path, const QList<DesktopApplications::Choice> &choices,
                   QWidget *parent = nullptr);

    const QString &path() const { return m_path; }
    QListWidget *list() const { return m_list; }
    QLineEdit *commandField() const { return m_command; }

    /// The chosen application, when one is selected and the command field is empty.
    std::optional<DesktopEntry> chosenEntry() const;
    /// The command typed in the field (empty when none).
    QString command() const;

private:
    QString m_path;
    QList<DesktopApplications::Choice> m_choices;
    QListWidget *m_list = nullptr;
    QLineEdit *m_command = nullptr;
};

} // namespace kazari
