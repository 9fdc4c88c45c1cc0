#pragma once

#include "cardset/FileResult.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// The web page of a card set: one link line per exported card, its front as
// link text and its back in a tooltip box titled "Antwort" drawn by the
// scripts "overlib.js" and "overlib.css" copied beside the page.
class HtmlExport
{
public:
    struct Card
    {
        QStringList FrontLines;
        QStringList BackLines;
    };

    // The page's lines; empty when there is no card (nothing to write).
    static QStringList buildPage(const QString &cardSetFileName, const QList<Card> &cards);
    static QString cardLine(const Card &card);

    // Link text: the front's lines joined, safe as HTML text.
    static QString frontText(const QStringList &lines);
    // Tooltip: each back line and "<br>", safe inside the JavaScript string
    // of the onMouseOver attribute and again as the HTML the box shows.
    static QString backText(const QStringList &lines);

    // Code page 1252 with CR LF after each line; characters the code page
    // lacks become numeric character references, so no text is lost.
    static QByteArray encodePage(const QStringList &lines);

    // Writes the page and, beside it, the two script files from the
    // program folder, replacing older copies: all of them or, failing, none.
    // A script file missing from the program folder is left out.
    static FileResult writePage(const QString &path, const QStringList &lines, const QString &programFolder);

    static QString noCardsMessage();
    static QString noticeMessage();
    static QString pageFilter();
    static QString cardSetFilter();
};
