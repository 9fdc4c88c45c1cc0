#pragma once

class QTextDocument;

// "Ganze Karte einfügen" replaces both faces of a card as one step of each
// face's undo history. Undoing or redoing it in either face does the same
// in the other, as long as the other face has the paste as its next step
// (after new typing there it keeps that typing).
class WholeCardReplace
{
public:
    static void replace(QTextDocument &front, const QTextDocument &newFront, QTextDocument &back, const QTextDocument &newBack);

    // Makes `target` hold what `source` holds: text, formats of every
    // paragraph and its mark, lists and pictures.
    static void copyContent(const QTextDocument &source, QTextDocument &target);
};
