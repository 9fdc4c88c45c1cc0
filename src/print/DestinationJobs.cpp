#include "print/DestinationJobs.h"

#include "print/PdfFileCheck.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintEngine>
#include <QPrinter>
#include <QTemporaryFile>
#include <QThread>

DestinationJobs::DestinationJobs(PrintDestinations &server, const QString &name, const Page &page,
                                 const PrintDestinations::Options &options)
    : m_server(server)
    , m_name(name)
    , m_page(page)
    , m_options(options)
{
}

DestinationJobs::Check DestinationJobs::check()
{
    Check check;
    const PrintDestinations::Lookup lookup = m_server.find(m_name);
    check.answer = lookup;
    if (!lookup.ok())
        return check;
    m_name = lookup.destination.name;
    if (!lookup.destination.accepting) {
        check.answer.outcome = PrintDestinations::Outcome::Refused;
        check.answer.reason = lookup.destination.stateMessage;
        return check;
    }
    check.answer.reason = lookup.destination.stateMessage;
    check.readiness = lookup.destination.paused ? Readiness::Paused : Readiness::Ready;
    return check;
}

PrintDestinations::Answer DestinationJobs::send(const Draw &draw)
{
    PrintDestinations::Answer failed{PrintDestinations::Outcome::Unwritten, QString()};
    QTemporaryFile file(QDir(QDir::tempPath()).filePath(QStringLiteral("quillo-XXXXXX.pdf")));
    if (!file.open()) {
        failed.reason = file.errorString();
        return failed;
    }
    {
        QPdfWriter writer(&file);
        writer.setResolution(m_page.resolution);
        writer.setPageLayout(m_page.layout);
        writer.setTitle(QStringLiteral("Quillo 3.0"));
        writer.setCreator(QStringLiteral("Quillo"));
        QPainter painter;
        if (!painter.begin(&writer))
            return failed;
        const bool drawn = draw(painter, writer);
        painter.end();
        if (!drawn)
            return failed;
    }
    if (!file.flush() || file.error() != QFileDevice::NoError) {
        failed.reason = file.errorString();
        return failed;
    }
    // The PDF writer tells of no failed write (a full temporary folder);
    // a job cut short would print part of the sheets.
    if (!PdfFileCheck::isComplete(file.fileName()))
        return failed;

    const PrintDestinations::Submitted submitted = m_server.submit(m_name, file.fileName(), QStringLiteral("Quillo 3.0"), m_options);
    m_lastJob = submitted.jobId;
    if (!submitted.ok())
        return submitted;
    // A job the server took can still be thrown out at once: a filter that
    // fails, a printer that cannot be reached.
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        const PrintDestinations::Job job = m_server.job(submitted.jobId);
        if (!job.ok())
            return job;
        if (job.state == PrintDestinations::JobState::Completed || clock.elapsed() >= settle.count())
            return {};
        QCoreApplication::processEvents();
        QThread::msleep(50);
    }
}

namespace {

std::pair<QByteArray, QByteArray> option(const QByteArray &name, const QByteArray &value)
{
    return {name, value};
}

} // namespace

QString DestinationJobs::destinationOf(const QPrinter &printer)
{
    if (printer.outputFormat() != QPrinter::NativeFormat || !printer.outputFileName().isEmpty())
        return QString();
    return printer.printerName();
}

DestinationJobs::Page DestinationJobs::pageOf(const QPrinter &printer)
{
    return {printer.pageLayout(), printer.resolution()};
}

PrintDestinations::Options DestinationJobs::optionsOf(const QPrinter &printer)
{
    const QPageLayout layout = printer.pageLayout();
    PrintDestinations::Options options{{"media", layout.pageSize().key().toUtf8()}};
    if (printer.copyCount() > 1) {
        options.append(option("copies", QByteArray::number(printer.copyCount())));
        if (printer.collateCopies())
            options.append(option("Collate", "True"));
    }
    const bool landscape = layout.orientation() == QPageLayout::Landscape;
    switch (printer.duplex()) {
    case QPrinter::DuplexNone: options.append(option("sides", "one-sided")); break;
    case QPrinter::DuplexAuto: options.append(option("sides", landscape ? "two-sided-short-edge" : "two-sided-long-edge")); break;
    case QPrinter::DuplexLongSide: options.append(option("sides", "two-sided-long-edge")); break;
    case QPrinter::DuplexShortSide: options.append(option("sides", "two-sided-short-edge")); break;
    }
    if (landscape)
        options.append(option("landscape", ""));
    // Qt's engine makes a grey PDF itself; the server is told instead.
    if (printer.colorMode() == QPrinter::GrayScale)
        options.append(option("print-color-mode", "monochrome"));
    // The print dialog's further choices (pages per sheet, banners, ...),
    // kept by Qt's CUPS engine as name/value pairs under this key.
    constexpr auto cupsOptionsKey = QPrintEngine::PrintEnginePropertyKey(0xfe00);
    if (QPrintEngine *engine = printer.printEngine()) {
        const QStringList pairs = engine->property(cupsOptionsKey).toStringList();
        for (qsizetype i = 0; i + 1 < pairs.size(); i += 2)
            options.append(option(pairs.at(i).toUtf8(), pairs.at(i + 1).toUtf8()));
    }
    return options;
}
