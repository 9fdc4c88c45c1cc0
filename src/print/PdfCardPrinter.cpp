#include "print/PdfCardPrinter.h"

#include "cardset/CardSet.h"
#include "cardset/CheckedFileWriter.h"
#include "print/PdfFileCheck.h"
#include "print/PdfPageSetup.h"
#include "print/PrintPasses.h"
#include "print/PrinterMetrics.h"
#include "print/SheetRenderer.h"

#include <QPainter>
#include <QPdfWriter>

PdfCardPrinter::Result PdfCardPrinter::print(const QString &path, const CardSet &set, const QList<int> &positions, const Job &job)
{
    Result result;
    if (positions.isEmpty()) {
        result.written = FileResult::failed(QString(), QStringLiteral("Keine Karte zu drucken."));
        return result;
    }
    CheckedFileWriter file(path);
    if (!file.ok()) {
        result.written = file.result();
        return result;
    }
    QPdfWriter writer(file.device());
    writer.setTitle(QStringLiteral("Quillo 3.0"));
    writer.setCreator(QStringLiteral("Quillo"));
    PdfPageSetup::apply(writer, job.paper, job.orientation);

    QPainter painter;
    if (!painter.begin(&writer)) {
        result.written =
            file.ok() ? FileResult::failed(QString(), QStringLiteral("Die PDF-Ausgabe ließ sich nicht beginnen.")) : file.result();
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
    // The device fails on a failed write; a file that still lacks its end
    // was not written whole.
    if (file.finish().ok() && !PdfFileCheck::isComplete(file.filePath()))
        file.failIncomplete();
    result.written = file.commit();
    if (!result.written.ok())
        return result;
    result.pages = passes.sheets();
    return result;
}
