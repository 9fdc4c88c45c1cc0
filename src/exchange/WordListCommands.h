#pragma once

#include <QString>

#include <functional>
#include <memory>

class CardSet;
class CardSetDocument;
class QWidget;
class UserDialogs;

// "Importieren…" and "Exportieren…" of the main window: word lists in and
// out, each as the user sees it, from the file dialog to the message.
class WordListCommands
{
public:
    // The word list or Anki package at `path`, after its preview, as a new
    // set not yet saved; none when the user cancels or the file cannot be
    // read. Its pictures are `pictureWidth` wide at most: as wide as the
    // new set's face editors.
    static std::unique_ptr<CardSetDocument> importList(QWidget *parent, UserDialogs &dialogs, const QString &path, qreal pictureWidth);
    // The Anki package at `path`, after its preview, likewise.
    static std::unique_ptr<CardSetDocument> importPackage(QWidget *parent, UserDialogs &dialogs, const QString &path, qreal pictureWidth);
    // Every card of `set` as a word list or an Anki package, or its
    // checked cards as a web page, as the user chooses. `storeEdits` writes what the editors show
    // back into the set; the page visits its cards with `selectCard` as a
    // click does.
    static void exportSet(QWidget *parent, UserDialogs &dialogs, const CardSet &set, const std::function<void()> &storeEdits,
                          const std::function<void(int)> &selectCard);

    // ".csv", ".tsv" and ".txt", in any case.
    static bool isWordList(const QString &path);
    // ".apkg", in any case.
    static bool isAnkiPackage(const QString &path);
    // Filter of the open dialog.
    static QString importFilter();
};
