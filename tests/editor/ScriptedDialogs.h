#pragma once

#include "editor/UserDialogs.h"

#include <QStringList>

#include <functional>

// Answers the windows' dialogs from a script and records their messages.
class ScriptedDialogs : public UserDialogs
{
public:
    QStringList saveAnswers;
    QStringList openAnswers;
    QStringList saveTitles;
    QList<bool> closeAnswers;
    int closeQuestions = 0;
    QStringList warnings;
    QStringList warningDetails;
    QStringList informations;
    // Yes/No questions: asked in order, answered No once the script ends.
    QStringList questions;
    QList<bool> questionAnswers;
    QStringList pictureAnswers;
    QList<QColor> colorAnswers;
    // "Drucker einrichten", in order: what each does to the printer, and
    // whether it is accepted; cancelled once the script ends.
    QList<std::function<bool(QPrinter &)>> printerSetups;

    QString saveFileName(QWidget *, const QString &title, const QString &, const QString &, const QString &) override
    {
        saveTitles.append(title);
        return saveAnswers.isEmpty() ? QString() : saveAnswers.takeFirst();
    }
    QString openFileName(QWidget *, const QString &, const QString &) override
    {
        return openAnswers.isEmpty() ? QString() : openAnswers.takeFirst();
    }
    void warning(QWidget *, const QString &text, const QString &detail) override
    {
        warnings.append(text);
        warningDetails.append(detail);
    }
    void information(QWidget *, const QString &text) override { informations.append(text); }
    bool confirmClose(QWidget *) override
    {
        ++closeQuestions;
        return closeAnswers.isEmpty() ? false : closeAnswers.takeFirst();
    }
    bool question(QWidget *, const QString &text, bool) override
    {
        questions.append(text);
        return questionAnswers.isEmpty() ? false : questionAnswers.takeFirst();
    }
    QString openPictureFileName(QWidget *, const QString &) override
    {
        return pictureAnswers.isEmpty() ? QString() : pictureAnswers.takeFirst();
    }
    QColor chooseColor(QWidget *, const QColor &) override { return colorAnswers.isEmpty() ? QColor() : colorAnswers.takeFirst(); }
    bool printerSetup(QWidget *, QPrinter &printer) override { return !printerSetups.isEmpty() && printerSetups.takeFirst()(printer); }
};
