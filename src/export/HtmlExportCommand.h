#pragma once

#include <QString>

#include <functional>

class CardSet;
class QWidget;
class UserDialogs;

// "Generiere HTML-Datei", and the web page of "Exportieren…": the checked
// cards of a set as a page, from the visit of the cards to the message.
class HtmlExportCommand
{
public:
    // How the page's name is asked for.
    struct SaveDialog
    {
        QString title = QStringLiteral("Speichern unter");
        QString suggested;
    };

    // `selectCard` shows a card as a click on it does, which stores the card
    // shown before: the page holds what the editors show. The scripts are
    // copied beside a written page.
    static void run(QWidget *parent, UserDialogs &dialogs, const CardSet &set, const std::function<void(int)> &selectCard,
                    const SaveDialog &saveDialog);
    static void run(QWidget *parent, UserDialogs &dialogs, const CardSet &set, const std::function<void(int)> &selectCard);
};
