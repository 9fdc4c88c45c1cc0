#pragma once

#include <QString>

#include <functional>
#include <memory>

class CardSetDocument;
class QWidget;
class TMDIChild;
class UserDialogs;

// "Importieren…" and "Exportieren…" of the main window: word lists in and
// out, each as the user sees it, from the file dialog to the message.
class WordListCommands
{
public:
    // The word list at `path`, after its preview, in a new document that
    // `createDocument` makes; none when the user cancels or the list cannot
    // be read, and then nothing is made.
    static TMDIChild *importList(QWidget *parent, UserDialogs &dialogs, const QString &path, qreal pictureWidth,
                                 const std::function<TMDIChild *(std::unique_ptr<CardSetDocument>)> &createDocument);
    // Every card of the document's set as a word list, in the format the
    // user chooses.
    static void exportSet(QWidget *parent, UserDialogs &dialogs, TMDIChild &document);

    // ".csv", ".tsv" and ".txt", in any case.
    static bool isWordList(const QString &path);
    // Filter of the open dialog.
    static QString importFilter();
};
