#pragma once

#include "program/PrintCalibration.h"

#include "cardset/FileResult.h"
#include "cardset/PrintOptions.h"
#include "print/PrintOrder.h"

#include <QList>
#include <QPageSize>
#include <QString>
#include <QStringList>

class CardSet;

// Prints cards of a set into one PDF file: the front sheets and then the
// back sheets, or each front sheet followed by its back, on the page the
// window prints a PDF file on (PdfPageSetup). The file appears complete or
// not at all; an old file of that name stays until then.
class PdfCardPrinter
{
public:
    enum class Sides {
        FrontsThenBacks, // for a one-sided printer: print the fronts, feed the sheets again, print the backs
        FrontsOnly,
        Interleaved, // for a printer that prints both sides
    };

    struct Job
    {
        QPageSize paper{QPageSize::A4};
        PageOrientation orientation = PageOrientation::Portrait;
        Sides sides = Sides::FrontsThenBacks;
        PrintOrder::BackOrder backOrder = PrintOrder::BackOrder::Reverse;
        PrintCalibration calibration;
    };

    struct Result
    {
        FileResult written;
        int pages = 0;
        QStringList pageCardList;
    };

    // positions: the cards to print, in card order.
    static Result print(const QString &path, const CardSet &set, const QList<int> &positions, const Job &job);
};
