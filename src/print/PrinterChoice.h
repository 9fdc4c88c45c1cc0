#pragma once

#include <QPageLayout>
#include <QPrinter>
#include <QStringList>

// The choice of printer as it was before the printer set-up dialog, to
// put back when the dialog is cancelled: Qt's dialog applies the printer
// it shows at once, even the file output it falls back to while no print
// server answers.
class PrinterChoice
{
public:
    explicit PrinterChoice(QPrinter &printer);

    // The printer as it was. False when its queue could not be taken back
    // (no server answers now); queue() names it.
    bool restore() const;
    const QString &queue() const { return m_queue; }

    // Points the printer at `queue` again; false while no server has it.
    static bool attach(QPrinter &printer, const QString &queue);

private:
    QPrinter &m_printer;
    QString m_queue;
    QString m_file;
    QPageLayout m_layout;
    int m_copies = 1;
    bool m_collate = true;
    QPrinter::DuplexMode m_duplex = QPrinter::DuplexNone;
    QPrinter::ColorMode m_color = QPrinter::Color;
    QStringList m_cupsOptions;
};
