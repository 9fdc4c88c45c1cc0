#pragma once

#include "../ModalGuard.h"
#include "../TestFiles.h"
#include "../TestPrinter.h"
#include "../editor/ScriptedDialogs.h"

#include "app/TMainForm.h"
#include "editor/TMDIChild.h"
#include "editor/TMyRxRichEdit.h"

#include <QAction>
#include <QMimeData>
#include <QTemporaryDir>
#include <QToolButton>

// A shown main window whose dialogs answer from a script, its files, its
// settings and its printer's output in a folder of the test's own.
class MainFormFixture
{
protected:
    QTemporaryDir folder;
    ScriptedDialogs dialogs;
    std::unique_ptr<TMainForm> form;

    QString path(const QString &name) const { return folder.filePath(name); }
    // For each test function.
    void makeForm()
    {
        form.reset();
        dialogs = ScriptedDialogs();
        form = std::make_unique<TMainForm>();
        form->setDialogs(&dialogs);
        form->Settings = ProgramSettings(path(QStringLiteral("quillo.ini")));
        printToPdf(*form->printer(), path(QStringLiteral("drucker.pdf")));
        form->resize(1200, 800);
        form->show();
    }
    // A new set named `name` whose cards read as `cards` (front, back), the
    // last card shown and still in the editors.
    TMDIChild *newSet(const QString &name, const QList<QStringList> &cards = {})
    {
        dialogs.saveAnswers.append(path(name));
        form->action(MainCommand::FileNew)->trigger();
        TMDIChild *document = form->ActiveDocument();
        for (qsizetype i = 0; i < cards.size(); ++i) {
            if (i > 0)
                form->button(MainCommand::NewCard)->click();
            document->Vorderseite()->setPlainText(cards[i].value(0));
            document->Rueckseite()->setPlainText(cards[i].value(1));
        }
        return document;
    }
    // Drags these files onto the window, which must take them, and drops them.
    void drop(const QStringList &files)
    {
        QMimeData data;
        for (const QString &file : files)
            data.setUrls(data.urls() << QUrl::fromLocalFile(file));
        QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(form.get(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent dropped(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(form.get(), &dropped);
    }
    // A changed set becomes unmodified by saving it.
    void save()
    {
        form->action(MainCommand::Save)->trigger();
        QVERIFY(!form->ActiveDocument()->Modified());
    }
};
