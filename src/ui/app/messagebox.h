#pragma once

#include <QMessageBox>
#include <QString>
#include <QStringList>

namespace kazari
{

/// Every message box of the program goes through here, so tests can answer in advance.
///
/// With scripted answers queued, a call takes the next answer instead of showing a
/// window, and every call is logged, so a test can check what the user would have been
/// told or asked.
class MessageBox
{
public:
    /// A message with a single OK button (the program's failure messages).
    static void information(QWidget *parent, const QString &text, const QString &title = QString());
    static void warning(QWidget *parent, const QString &text, const QString &title = QString());
    /// A warning with an OK button instead of Yes (the task announcement).
    static void warningOk(QWidget *parent, const QString &text, const QString &title = QString());
    /// A question with Yes and No; true for Yes.
    static bool question(QWidget *parent, const QString &text, const QString &title = QString());
    /// A question with the given buttons; returns the button chosen.
    static QMessageBox::StandardButton ask(QWidget *parent, const QString &text,
                                           QMessageBox::StandardButtons buttons,
                                           QMessageBox::StandardButton defaultButton,
                                           const QString &title = QString());

    /// Queues answers for the next calls (tests). Messages without a choice consume an
    /// answer too (any value).
    static void script(const QList<QMessageBox::StandardButton> &answers);
    /// Answer every call with `answer` without showing anything (headless runs).
    static void answerAllWith(QMessageBox::StandardButton answer);
    static void reset();
    /// The program is being closed by a signal: from now on nothing is shown and every
    /// call reads as dismissed (Cancel, else No, else the only button).
    static void dismissAll();
    /// The texts shown or asked since the last reset.
    static QStringList log();
};

} // namespace kazari
