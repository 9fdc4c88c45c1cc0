#pragma once

#include "cardset/FontRecord.h"

#include <QByteArray>
#include <QList>
#include <QString>

// Size adjustments of the header line, in pixels.
struct HeaderMarginSet
{
    qint32 Top = 0;
    qint32 Bottom = 0;
    qint32 Right = 0;
    qint32 Left = 0;

    bool operator==(const HeaderMarginSet &) const = default;
};

// The program-wide printer orientation; a card set file carries the one in
// force when it was saved.
enum class PageOrientation { Portrait, Landscape };

// The data of one open card set. Card i is entry i of Fronts, Backs and
// Boxes; the three lists always have the same length when control returns
// to the user. Faces are the editor's RTF bytes, kept opaque here.
class CardSet
{
public:
    QList<QByteArray> Fronts;
    QList<QByteArray> Backs;
    QList<qint32> Boxes;
    qint32 CurrentIndex = -1;
    bool Modified = false;
    QString FileName;
    QString ErrorLine;

    QString HeaderText;
    qint32 HeaderColor = StoredColor::SystemWindow;
    FontRecord HeaderFont;
    HeaderMarginSet HeaderMargins;

    qint32 AktPrintCards = 4;
    qint32 RandAbstand = 30;
    qint32 TextAbstand = 20;
    qint32 titelProzent = 10;
    bool PrintNummer = true;
    bool PrintKopfZeile = false;
    bool PrintFadenkreuz = true;
    bool WebStyle = true;
    bool PrintCR = false;
    QString Copyright;

    FontRecord StandardFontFront;
    FontRecord StandardFontBack;

    int count() const { return int(Fronts.size()); }
    bool listsConsistent() const { return Fronts.size() == Backs.size() && Fronts.size() == Boxes.size(); }

    // Appends an empty card in box 1 and makes it current.
    int AddCard();
    void clearCards();

    // "Karte " and the number counted from 1.
    static QString cardCaption(int index);
};
