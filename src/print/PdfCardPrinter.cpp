#include "print/PdfCardPrinter.h"

#include "cardset/CardSet.h"
#include "print/PdfPageSetup.h"
#include "print/PrintPasses.h"
#include "print/PrinterMetrics.h"
#include "print/SheetRenderer.h"

#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

PdfCardPrinter::Result PdfCardPrinter::print(const QString &path, const CardSet &set, const QList<int> &positions, const Job &job)
{
    Result result;
    if (positions.isEmpty()) {
        result.reason = QStringLiteral("Keine Karte zu drucken.");
        return result;
    }
    // written beside the target and renamed over it once complete
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        result.reason = file.errorString();
        return result;
    }
    QPdfWriter writer(&file);
    writer.setTitle(QStringLiteral("Quillo 3.0"));
    writer.setCreator(QStringLiteral("Quillo"));
    PdfPageSetup::apply(writer, job.paper, job.orientation);

    QPainter painter;
    if (!painter.begin(&writer)) {
        file.cancelWriting();
        result.reason = QStringLiteral("Die PDF-Ausgabe ließ sich nicht beginnen.");
        return result;
    }
    const SheetRenderer renderer(set, set.printOptions(), job.calibration,
                                 PrinterMetrics::fromPageLayout(writer.pageLayout(), writer.resolution()), &writer);
    // The first page is open once painting began; both passes go into this
    // one file, so that the backs never replace the fronts.
    bool firstPage = true;
    PrintPasses passes(renderer,
                       {[&] {
                            const bool begun = firstPage || writer.newPage();
                            firstPage = false;
                            return begun;
                        },
                        {},
                        {}});
    switch (job.sides) {
    case Sides::Interleaved: result.pageCardList = passes.printBothSides(painter, positions); break;
    case Sides::FrontsOnly: result.pageCardList = passes.printFronts(painter, positions); break;
    case Sides::FrontsThenBacks:
        result.pageCardList = passes.printFronts(painter, positions);
        passes.printBacks(painter, result.pageCardList, job.backOrder);
        break;
    }
    painter.end();
    if (!file.commit()) {
        result.reason = file.errorString();
        return result;
    }
    result.ok = true;
    result.pages = passes.sheets();
    return result;
}
