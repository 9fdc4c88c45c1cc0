#pragma once

#include "print/PrintDestinations.h"

#include <QPageLayout>

#include <chrono>
#include <functional>

class QPagedPaintDevice;
class QPainter;
class QPrinter;

// Sends the passes of a print run to one destination of a print server,
// each pass as a job of its own. A pass is drawn into a PDF file with the
// page (paper, unprintable border, orientation) and resolution that the
// printer's driver gives, exactly as Qt's CUPS engine draws before it
// hands its file to CUPS, so the sheets come out the same; sending the file
// here gives the job's id, whose state then tells whether the job was taken.
class DestinationJobs
{
public:
    struct Page
    {
        QPageLayout layout;
        int resolution = 600;
    };

    DestinationJobs(PrintDestinations &server, const QString &name, const Page &page, const PrintDestinations::Options &options);

    enum class Readiness { Ready, Paused, NotReady };
    struct Check
    {
        Readiness readiness = Readiness::NotReady;
        // NotReady: why.
        PrintDestinations::Answer answer;
    };
    // Before the first pass: the destination exists, takes jobs and is not
    // stopped. An empty name is the default destination, named from then on.
    Check check();
    // The destination's name as the server gives it.
    const QString &name() const { return m_name; }

    // Draws a pass on the page's device (false: the pass failed, nothing is
    // sent) and sends it as the job "Quillo 3.0". Done once the server holds
    // the job and, within `settle`, neither aborted nor cancelled it.
    using Draw = std::function<bool(QPainter &, QPagedPaintDevice &)>;
    PrintDestinations::Answer send(const Draw &draw);
    int lastJob() const { return m_lastJob; }

    std::chrono::milliseconds settle{2000};

    // The CUPS queue a printer prints to; empty for a file.
    static QString destinationOf(const QPrinter &printer);
    static Page pageOf(const QPrinter &printer);
    // What the print dialog chose, as Qt's CUPS engine passes it on.
    static PrintDestinations::Options optionsOf(const QPrinter &printer);

private:
    PrintDestinations &m_server;
    QString m_name;
    Page m_page;
    PrintDestinations::Options m_options;
    int m_lastJob = 0;
};
