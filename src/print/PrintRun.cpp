#include "print/PrintRun.h"

#include "program/FileMessages.h"
#include "program/ProgramSettings.h"

#include "cardset/CardSet.h"
#include "cardset/CheckedFileWriter.h"
#include "print/PdfFileCheck.h"
#include "print/PdfPageSetup.h"
#include "print/PrintMessages.h"
#include "print/PrintOrder.h"
#include "print/PrintPasses.h"
#include "print/PrinterMetrics.h"
#include "print/SheetPreview.h"
#include "print/SheetRenderer.h"
#include "print/TDruckForm.h"
#include "print/TPrintForm.h"
#include "print/TVorschauForm.h"
#include "print/TWechselForm.h"
#include "print/TestPage.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QPainter>
#include <QPrinter>
#include <QScopeGuard>

namespace {

bool g_printing = false;

// For the length of a pass: the busy cursor, the windows without input.
class PassGuard
{
public:
    explicit PassGuard(QWidget *mainWindow)
        : m_mainWindow(mainWindow)
    {
        g_printing = true;
        QApplication::setOverrideCursor(Qt::WaitCursor);
        if (m_mainWindow)
            m_mainWindow->setEnabled(false);
    }
    ~PassGuard()
    {
        if (m_mainWindow)
            m_mainWindow->setEnabled(true);
        QApplication::restoreOverrideCursor();
        g_printing = false;
    }
    PassGuard(const PassGuard &) = delete;
    PassGuard &operator=(const PassGuard &) = delete;

private:
    QWidget *m_mainWindow;
};

} // namespace

PrintRun::PrintRun(QPrinter &printer, ProgramSettings &settings, Windows windows)
    : m_printer(printer)
    , m_settings(settings)
    , m_windows(windows)
{
    askPaperChange = [this](bool lastPrintedFirst) {
        TWechselForm prompt(lastPrintedFirst, m_windows.mainWindow);
        return prompt.exec() == QDialog::Accepted;
    };
}

bool PrintRun::isPrinting()
{
    return g_printing;
}

bool PrintRun::toFile() const
{
    return !m_jobs && printToFile();
}

bool PrintRun::printToFile() const
{
    return m_printer.outputFormat() == QPrinter::PdfFormat || !m_printer.outputFileName().isEmpty();
}

QString PrintRun::printerReason() const
{
    if (printToFile()) {
        const QFileInfo file(m_printer.outputFileName());
        if (m_printer.outputFileName().isEmpty())
            return QStringLiteral("Es ist keine Ausgabedatei angegeben.");
        return QStringLiteral("Die Datei %1 kann nicht geschrieben werden.").arg(QDir::toNativeSeparators(file.absoluteFilePath()));
    }
    return QStringLiteral("Der Drucker %1 meldet einen Fehler.").arg(m_printer.printerName());
}

bool PrintRun::chooseOutputFile(bool always)
{
    if (!printToFile() || (!always && !m_printer.outputFileName().isEmpty()))
        return true;
    const QString file = askOutputFile ? askOutputFile() : QString();
    if (file.isEmpty())
        return false;
    m_printer.setOutputFileName(file);
    return true;
}

void PrintRun::forgetOutputFile()
{
    // An empty name alone would switch to the default printer, once the
    // machine has one.
    if (!printToFile())
        return;
    m_printer.setOutputFileName(QString());
    m_printer.setOutputFormat(QPrinter::PdfFormat);
}

PrintRun::Ready PrintRun::prepareDestination()
{
    m_jobs.reset();
    const QString queue = destination ? destination() : DestinationJobs::destinationOf(m_printer);
    PrintDestinations *destinations = queue.isEmpty() || !server ? nullptr : server();
    if (!destinations)
        return Ready::Yes;
    m_jobs.emplace(*destinations, queue, DestinationJobs::pageOf(m_printer), DestinationJobs::optionsOf(m_printer));
    const DestinationJobs::Check check = m_jobs->check();
    switch (check.readiness) {
    case DestinationJobs::Readiness::Ready: return Ready::Yes;
    case DestinationJobs::Readiness::Paused: {
        const QString question = PrintMessages::pausedQuestion(m_jobs->name());
        if (askPrintWhilePaused ? askPrintWhilePaused(question)
                                : QMessageBox::question(m_windows.mainWindow, QStringLiteral("Drucken"), question) == QMessageBox::Yes)
            return Ready::Yes;
        return Ready::No;
    }
    case DestinationJobs::Readiness::NotReady: break;
    }
    m_failure = PrintMessages::detail(check.answer, m_jobs->name());
    return Ready::Failed;
}

PrintRun::Outcome PrintRun::run(CardSet &set, PageOrientation orientation)
{
    m_failure.clear();
    // A file chosen under "Drucker einrichten" serves this run alone.
    const auto forgetFile = qScopeGuard([this] { forgetOutputFile(); });
    m_printer.setPageOrientation(orientation == PageOrientation::Landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    const PrintOptions options = set.printOptions().printable();
    const QList<int> positions = PrintOrder::selectCards(set);
    const int sheets = PrintOrder::sheetCount(int(positions.size()), options.AktPrintCards);
    m_windows.printForm->prepare(int(positions.size()), sheets, options.AktPrintCards);
    // "Vorschau" shows this run's sheets; "Drucken" there is OK here.
    const QMetaObject::Connection preview =
        QObject::connect(m_windows.printForm, &TPrintForm::previewRequested, m_windows.printForm, [this, &set, &positions] {
            if (showPreview(set, positions))
                m_windows.printForm->accept();
        });
    const bool accepted = m_windows.printForm->exec() == QDialog::Accepted;
    QObject::disconnect(preview);
    if (!accepted || sheets < 1)
        return Outcome::Cancelled;
    switch (prepareDestination()) {
    case Ready::Yes: break;
    case Ready::No: return Outcome::Cancelled;
    case Ready::Failed: return Outcome::Failed;
    }
    if (!m_jobs && !chooseOutputFile(false))
        return Outcome::Cancelled;
    if (toFile())
        PdfPageSetup::apply(m_printer);

    m_printer.setDocName(QStringLiteral("Quillo 3.0"));
    const bool bothSides = m_windows.printForm->BothSides;
    const PrintOrder::BackOrder backOrder = PrintOrder::backOrder(m_settings.ZuZuE);
    QStringList pageCardList;

    const auto renderer = [this, &set](QPagedPaintDevice &device) {
        const PrinterMetrics metrics = PrinterMetrics::fromPageLayout(device.pageLayout(), device.logicalDpiX(), device.logicalDpiY());
        return SheetRenderer(set, set.printOptions(), m_settings.calibration(), metrics, &device);
    };
    const auto passHooks = [this](QPagedPaintDevice &device, bool &firstSheet) {
        return PrintPasses::Hooks{[this, &device, &firstSheet] {
                                      const bool begun = firstSheet || device.newPage();
                                      firstSheet = false;
                                      return begun && m_printer.printerState() != QPrinter::Error;
                                  },
                                  [this](const QString &text) { m_windows.progress->showProgress(text); },
                                  [this](int position) {
                                      if (selectCard)
                                          selectCard(position);
                                  }};
    };

    if (toFile()) {
        // Both passes into the one file: a second job would replace it.
        const bool ok = runFilePass([&](QPainter &painter, QPagedPaintDevice &device) {
            const SheetRenderer sheet = renderer(device);
            bool firstSheet = true;
            PrintPasses passes(sheet, passHooks(device, firstSheet));
            pageCardList = passes.printFronts(painter, positions);
            if (bothSides)
                passes.printBacks(painter, pageCardList, backOrder);
            m_settings.SX = sheet.page().SX;
            m_settings.SY = sheet.page().SY;
            return !passes.failed();
        });
        if (!ok)
            return Outcome::Failed;
        return bothSides ? Outcome::BothSides : Outcome::FrontsOnly;
    }

    const bool frontsPrinted = runPass([&](QPainter &painter, QPagedPaintDevice &device) {
        const SheetRenderer sheet = renderer(device);
        bool firstSheet = true;
        PrintPasses passes(sheet, passHooks(device, firstSheet));
        pageCardList = passes.printFronts(painter, positions);
        m_settings.SX = sheet.page().SX;
        m_settings.SY = sheet.page().SY;
        return !passes.failed();
    });
    if (!frontsPrinted)
        return Outcome::Failed;
    if (!bothSides || !askPaperChange(m_settings.ZuZuE))
        return Outcome::FrontsOnly;
    const bool backsPrinted = runPass([&](QPainter &painter, QPagedPaintDevice &device) {
        const SheetRenderer sheet = renderer(device);
        bool firstSheet = true;
        PrintPasses passes(sheet, passHooks(device, firstSheet));
        passes.printBacks(painter, pageCardList, backOrder);
        return !passes.failed();
    });
    return backsPrinted ? Outcome::BothSides : Outcome::Failed;
}

bool PrintRun::showPreview(const CardSet &set, const QList<int> &positions)
{
    // the page the run will print on
    if (printToFile())
        PdfPageSetup::apply(m_printer);
    const PrinterMetrics metrics = PrinterMetrics::fromPageLayout(m_printer.pageLayout(), m_printer.resolution());
    const SheetPreview pages(set, m_settings.calibration(), metrics, &m_printer,
                             PrintOrder::runSheets(positions, set.printOptions().printable().AktPrintCards, m_windows.printForm->BothSides,
                                                   PrintOrder::backOrder(m_settings.ZuZuE)));
    TVorschauForm window(pages, m_windows.printForm);
    return window.exec() == QDialog::Accepted;
}

bool PrintRun::runPass(const Pass &pass)
{
    PassGuard guard(m_windows.mainWindow);
    m_windows.progress->show();
    const bool ok = print(pass);
    m_windows.progress->hide();
    return ok;
}

bool PrintRun::runFilePass(const Pass &pass)
{
    return intoFile([&] { return runPass(pass); });
}

bool PrintRun::intoFile(const std::function<bool()> &write)
{
    // The printer writes a file of its own beside the target, which takes
    // the target's place only when written whole: the printer tells of no
    // failed write, a file cut short does.
    const QString target = m_printer.outputFileName();
    CheckedFileWriter file(target);
    bool printed = false;
    if (file.ok()) {
        m_printer.setOutputFileName(file.pathForOtherWriter());
        printed = write();
        m_printer.setOutputFileName(target);
        // A printer that gave up says no more why than one that did not.
        if (!printed || (file.finish().ok() && !PdfFileCheck::isComplete(file.filePath())))
            file.failIncomplete();
        file.commit();
    }
    if (!file.ok())
        m_failure = printerReason() + QLatin1Char('\n') + FileMessages::reason(file.result());
    return file.ok();
}

bool PrintRun::print(const Pass &pass)
{
    if (m_jobs) {
        const PrintDestinations::Answer answer = m_jobs->send(pass);
        if (!answer.ok())
            m_failure = PrintMessages::detail(answer, m_jobs->name(), m_jobs->lastJob());
        return answer.ok();
    }
    QPainter painter;
    bool ok = painter.begin(&m_printer);
    if (ok) {
        ok = pass(painter, m_printer) && m_printer.printerState() != QPrinter::Error;
        if (ok) {
            ok = painter.end();
        } else {
            m_printer.abort();
            painter.end();
        }
    }
    if (!ok)
        m_failure = printerReason();
    return ok;
}

bool PrintRun::printTestPage()
{
    m_failure.clear();
    const auto forgetFile = qScopeGuard([this] { forgetOutputFile(); });
    m_printer.setPageOrientation(QPageLayout::Portrait);
    switch (prepareDestination()) {
    case Ready::Yes: break;
    case Ready::No: return true;
    case Ready::Failed: return false;
    }
    // Never over a file unasked, not even one chosen for the cards.
    if (!m_jobs && !chooseOutputFile(true))
        return true;
    if (toFile())
        PdfPageSetup::apply(m_printer);
    m_printer.setDocName(QStringLiteral("Quillo 3.0"));
    const Pass testPage = [this](QPainter &painter, QPagedPaintDevice &device) {
        const PrinterMetrics metrics = PrinterMetrics::fromPageLayout(device.pageLayout(), device.logicalDpiX(), device.logicalDpiY());
        const SheetGeometry::PageRectResult page = TestPage::draw(painter, metrics, m_settings.calibration());
        m_settings.SX = page.SX;
        m_settings.SY = page.SY;
        return true;
    };
    return toFile() ? intoFile([&] { return print(testPage); }) : print(testPage);
}
