#pragma once

#include "program/PrintCalibration.h"

#include "cardset/FileResult.h"
#include "cardset/PrintOptions.h"
#include "print/PrintOrder.h"

#include <QList>
#include <QMarginsF>
#include <QPageSize>
#include <QString>
#include <QStringList>

class CardSet;

// Prints cards of a set into one PDF file: the front sheets and then the
// back sheets, or each front sheet followed by its back. The file appears
// complete or not at all; an old file of that name stays until then.
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
        // A usual printer's: the layout's distances are its pixels.
        int resolution = 600;
        // Equal on all sides, as a printer's unprintable border that the
        // sheet is centred in; millimetres.
        QMarginsF margins{5, 5, 5, 5};
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
