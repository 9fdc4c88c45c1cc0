#pragma once

#include <QPrinter>

// Points a printer at this PDF file, or with no file at none, so that a
// print run asks for one as on a computer without printers. Either way no
// test reaches the machine's printers, whatever it has set up.
inline void printToPdf(QPrinter &printer, const QString &file = QString())
{
    // The name first: an empty one switches back to the native format.
    printer.setOutputFileName(file);
    printer.setOutputFormat(QPrinter::PdfFormat);
}
