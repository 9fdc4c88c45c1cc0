#pragma once

#include "cardset/PrintOptions.h"

#include <QList>
#include <QString>

#include <functional>

class CardSet;
class QPainter;
class ProgramSettings;
class QPrinter;
class QWidget;
class TDruckForm;
class TPrintForm;

// One run of the print command on the program's printer: the print dialog,
// the front pass, the paper change and the back pass, each pass with its
// progress window. Output to a file holds both passes in that one file,
// without the paper change. While a pass runs the program's windows take
// no input but keep repainting.
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

    Outcome run(CardSet &set, PageOrientation orientation);
    // The printer's reason when the run failed.
    const QString &failure() const { return m_failure; }

    // Whether a pass is running in this program.
    static bool isPrinting();

    // "Testseite drucken", portrait, through the same metrics as the cards.
    bool printTestPage();

private:
    bool printToFile() const;
    // False when the user cancelled the choice of a file.
    bool chooseOutputFile(bool &chosenHere);
    // "Vorschau" in the print window; true for "Drucken".
    bool showPreview(const CardSet &set, const QList<int> &positions);
    bool runPass(const std::function<bool(QPainter &)> &pass);
    QString printerReason() const;

    QPrinter &m_printer;
    ProgramSettings &m_settings;
    Windows m_windows;
    QString m_failure;
};
