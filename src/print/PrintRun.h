#pragma once

#include "cardset/PrintOptions.h"
#include "print/DestinationJobs.h"

#include <QList>
#include <QString>

#include <functional>
#include <optional>

class CardSet;
class PrintDestinations;
class QPagedPaintDevice;
class QPainter;
class ProgramSettings;
class QPrinter;
class QWidget;
class TDruckForm;
class TPrintForm;

// One run of the print command on the program's printer: the print dialog,
// the front pass, the paper change and the back pass, each pass with its
// progress window. Output to a file holds both passes in that one file,
// without the paper change; the file is this run's, the next run asks for
// one again. A printer that is a queue of the print server gets each pass
// as a job of the run's own (DestinationJobs), so that a refused or
// aborted job ends the run with its reason before the paper change. While
// a pass runs the program's windows take no input but keep repainting.
class PrintRun
{
public:
    enum class Outcome {
        Cancelled,  // the print dialog was closed without printing
        FrontsOnly, // one-sided, or the paper change was cancelled
        BothSides,
        Failed, // the printer failed; the job was aborted
    };

    struct Windows
    {
        TPrintForm *printForm = nullptr;
        TDruckForm *progress = nullptr;
        // Held off while a pass runs.
        QWidget *mainWindow = nullptr;
    };

    PrintRun(QPrinter &printer, ProgramSettings &settings, Windows windows);

    // Selects a card in its document as a click would, before it is drawn.
    std::function<void(int position)> selectCard;
    // The paper change between the passes; true to go on with the backs.
    // By default the "Papierwechsel" prompt.
    std::function<bool(bool lastPrintedFirst)> askPaperChange;
    // The file to print into when the printer prints to a file and none is
    // chosen yet (as on a computer without printers); empty to cancel.
    std::function<QString()> askOutputFile;
    // "Der Drucker … ist angehalten. Trotzdem drucken?"; true to print.
    std::function<bool(const QString &question)> askPrintWhilePaused;
    // The print server, asked for only when the printer is one of its
    // queues; none leaves the printing to Qt's engine.
    std::function<PrintDestinations *()> server;
    // The queue the printer prints to, empty for a file; by default as
    // DestinationJobs::destinationOf finds it.
    std::function<QString()> destination;

    Outcome run(CardSet &set, PageOrientation orientation);
    // The printer's or the print server's reason when the run failed.
    const QString &failure() const { return m_failure; }

    // Whether a pass is running in this program.
    static bool isPrinting();

    // "Testseite drucken", portrait, through the same metrics as the cards.
    bool printTestPage();

private:
    using Pass = std::function<bool(QPainter &, QPagedPaintDevice &)>;
    enum class Ready { Yes, No, Failed };

    bool printToFile() const;
    // Into a file rather than to a queue or Qt's printer.
    bool toFile() const;
    // False when the user cancelled the choice of a file; `always` asks even
    // when the printer names one.
    bool chooseOutputFile(bool always);
    // The file output forgets its file; it stays a file output.
    void forgetOutputFile();
    // "Vorschau" in the print window; true for "Drucken".
    bool showPreview(const CardSet &set, const QList<int> &positions);
    // For a queue of the print server: whether it takes the run's jobs.
    Ready prepareDestination();
    // With the progress window, the windows held off.
    bool runPass(const Pass &pass);
    // As a job of the destination, or on the printer.
    bool print(const Pass &pass);
    // Runs `write` into the output file through a checked file.
    bool intoFile(const std::function<bool()> &write);
    bool runFilePass(const Pass &pass);
    QString printerReason() const;

    QPrinter &m_printer;
    ProgramSettings &m_settings;
    Windows m_windows;
    QString m_failure;
    std::optional<DestinationJobs> m_jobs;
};
