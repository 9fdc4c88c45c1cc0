#include "print/PrinterChoice.h"

#include "print/DestinationJobs.h"

#include <QPrintEngine>

namespace {

// Where Qt's CUPS engine keeps the print dialog's further options.
constexpr auto cupsOptionsKey = QPrintEngine::PrintEnginePropertyKey(0xfe00);

} // namespace

PrinterChoice::PrinterChoice(QPrinter &printer)
    : m_printer(printer)
    , m_queue(DestinationJobs::destinationOf(printer))
    , m_file(printer.outputFileName())
    , m_layout(printer.pageLayout())
    , m_copies(printer.copyCount())
    , m_collate(printer.collateCopies())
    , m_duplex(printer.duplex())
    , m_color(printer.colorMode())
{
    if (QPrintEngine *engine = printer.printEngine())
        m_cupsOptions = engine->property(cupsOptionsKey).toStringList();
}

bool PrinterChoice::attach(QPrinter &printer, const QString &queue)
{
    printer.setOutputFileName(QString());
    printer.setOutputFormat(QPrinter::NativeFormat);
    if (printer.outputFormat() == QPrinter::NativeFormat)
        printer.setPrinterName(queue);
    return DestinationJobs::destinationOf(printer) == queue;
}

bool PrinterChoice::restore() const
{
    bool restored = true;
    if (m_queue.isEmpty()) {
        // The name first: an empty one switches back to the native format.
        m_printer.setOutputFileName(m_file);
        m_printer.setOutputFormat(QPrinter::PdfFormat);
    } else {
        restored = attach(m_printer, m_queue);
    }
    m_printer.setPageLayout(m_layout);
    m_printer.setCopyCount(m_copies);
    m_printer.setCollateCopies(m_collate);
    m_printer.setDuplex(m_duplex);
    m_printer.setColorMode(m_color);
    if (QPrintEngine *engine = m_printer.printEngine(); engine && restored && !m_queue.isEmpty())
        engine->setProperty(cupsOptionsKey, m_cupsOptions);
    return restored;
}
