#include "ui/app/messagebox.h"

#include <QApplication>

namespace kazari
{

namespace
{

struct Script {
    QList<QMessageBox::StandardButton> answers;
    bool answerAll = false;
    QMessageBox::StandardButton allAnswer = QMessageBox::NoButton;
    bool dismissAll = false;
    QStringList log;
};

Script &scriptState()
{
    static Script s;
    return s;
}

QString titleOr(const QString &title)
{
    return title.isEmpty() ? QApplication::applicationDisplayName() : title;
}

QMessageBox::StandardButton show(QWidget *parent, QMessageBox::Icon icon, const QString &text,
                                 const QString &title, QMessageBox::StandardButtons buttons,
                                 QMessageBox::StandardButton defaultButton)
{
    Script &s = scriptState();
    s.log.append(text);
    if (!s.answers.isEmpty())
        return s.answers.takeFirst();
    if (s.answerAll)
        return s.allAnswer;
    if (s.dismissAll) {
        if (buttons & QMessageBox::Cancel)
            return QMessageBox::Cancel;
        if (buttons & QMessageBox::No)
            return QMessageBox::No;
        return defaultButton;
    }
    QMessageBox box(icon, titleOr(title), text, buttons, parent);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(defaultButton);
    return QMessageBox::StandardButton(box.exec());
}

} // namespace

void MessageBox::information(QWidget *parent, const QString &text, const QString &title)
{
    show(parent, QMessageBox::Information, text, title, QMessageBox::Yes, QMessageBox::Yes);
}

void MessageBox::warning(QWidget *parent, const QString &text, const QString &title)
{
    show(parent, QMessageBox::Warning, text, title, QMessageBox::Yes, QMessageBox::Yes);
}

void MessageBox::warningOk(QWidget *parent, const QString &text, const QString &title)
{
    show(parent, QMessageBox::Warning, text, title, QMessageBox::Ok, QMessageBox::Ok);
}

bool MessageBox::question(QWidget *parent, const QString &text, const QString &title)
{
    return show(parent, QMessageBox::Question, text, title, QMessageBox::Yes | QMessageBox::No,
                QMessageBox::Yes) == QMessageBox::Yes;
}

QMessageBox::StandardButton MessageBox::ask(QWidget *parent, const QString &text,
                                            QMessageBox::StandardButtons buttons,
                                            QMessageBox::StandardButton defaultButton,
                                            const QString &title)
{
    return show(parent, QMessageBox::Question, text, title, buttons, defaultButton);
}

void MessageBox::script(const QList<QMessageBox::StandardButton> &answers)
{
    scriptState().answers.append(answers);
}

void MessageBox::answerAllWith(QMessageBox::StandardButton answer)
{
    scriptState().answerAll = true;
    scriptState().allAnswer = answer;
}

void MessageBox::dismissAll()
{
    scriptState().dismissAll = true;
}

void MessageBox::reset()
{
    scriptState() = Script();
}

QStringList MessageBox::log()
{
    return scriptState().log;
}

} // namespace kazari
