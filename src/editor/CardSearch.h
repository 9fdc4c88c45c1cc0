#pragma once

#include <QByteArrayView>
#include <QString>

#include <functional>

// One step of "Suchen": the cards after the current one in list order,
// front then back, and at the end the question whether to start again
// from the first card. The current card comes last, after a Yes; when it
// does not hold the text either, no card does, and the step ends there
// instead of asking again and again.
//
// The faces are read as plain text straight from their RTF, so that a
// search over thousands of cards does not load each into the editors; the
// window then switches once, to the card the step ends on.
class CardSearch
{
public:
    enum class Face { None, Front, Back };
    struct Result
    {
        // The card the step ends on: the one found, or after No the last.
        int index = -1;
        // Where the text was found; None after No.
        Face face = Face::None;
        // Every card was examined once, and none holds the text.
        bool nowhere = false;
    };

    // `examine` tells where card i holds the text; `askRestart` asks the
    // question at the end of the set, true for Yes.
    static Result step(int currentIndex, int count, const std::function<Face(int)> &examine, const std::function<bool()> &askRestart);

    // Case-insensitive, anywhere inside words. The back wins when both
    // faces hold the text: its page is the one shown.
    static Face examineCard(QByteArrayView front, QByteArrayView back, const QString &text);
    static bool faceContains(QByteArrayView rtf, const QString &text);
};
