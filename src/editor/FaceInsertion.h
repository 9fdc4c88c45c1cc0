#pragma once

class QWidget;
class TMyRxRichEdit;
class UserDialogs;

// "Bild einfügen" and "Objekt einfügen": a file the user chooses, into a
// face at its caret.
class FaceInsertion
{
public:
    // The picture also goes on the clipboard; without a face that is all.
    // A file that is no picture changes neither.
    static void insertPicture(QWidget *parent, UserDialogs &dialogs, TMyRxRichEdit *face);
    // The file embedded whole as a packaged object.
    static void insertObject(QWidget *parent, UserDialogs &dialogs, TMyRxRichEdit *face);
};
