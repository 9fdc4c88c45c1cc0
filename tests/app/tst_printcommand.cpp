#include "../print/PrintTestSupport.h"
#include "MainFormFixture.h"

#include "print/EditorFit.h"
#include "print/PdfCardPrinter.h"
#include "print/PrintDestinations.h"
#include "print/PrintRun.h"
#include "print/TAllgOpts.h"
#include "print/TDruckForm.h"
#include "print/TPrintForm.h"
#include "print/TVorschauForm.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QPdfWriter>
#include <QPrinter>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include <cerrno>
#include <cstring>

// A print server in the test: its one queue's state and what becomes of
// the jobs it takes, which it keeps as their page counts.
class FakeDestinations : public PrintDestinations
{
public:
    Answer answer;
    Destination queue{QStringLiteral("Karten"), true, true, false, false, {}};
    JobState jobState = JobState::Completed;
    QList<int> jobs;

    Listing list() override { return {answer, {queue}}; }
    Lookup find(const QString &) override { return {answer, queue}; }
    Submitted submit(const QString &, const QString &pdf, const QString &, const Options &) override
    {
        if (!queue.accepting)
            return {{Outcome::Refused, QStringLiteral("not accepting")}, 0};
        jobs.append(pdfPageCount(pdf));
        return {{}, int(jobs.size())};
    }
    Job job(int) override
    {
        const bool failed = jobState == JobState::Aborted || jobState == JobState::Cancelled;
        return {{failed ? Outcome::JobFailed : Outcome::Done, QStringLiteral("filter failed")}, jobState};
    }
};

class TestPrintCommand
    : public QObject
    , MainFormFixture
{
    Q_OBJECT

private:
    // A new set of `cards` cards whose fronts read "Frage 1", ..., printed `perSheet` to a sheet.
    TMDIChild *printSet(int cards, int perSheet)
    {
        QList<QStringList> faces;
        for (int i = 1; i <= cards; ++i)
            faces.append({QStringLiteral("Frage %1").arg(i)});
        TMDIChild *document = newSet(QStringLiteral("druck.ql3"), faces);
        auto *combo = document->findChild<QComboBox *>(QStringLiteral("AnzahlCombo"));
        combo->setCurrentIndex(PrintOptions::cardsPerSheetIndex(perSheet));
        emit combo->activated(combo->currentIndex());
        return document;
    }

    // What the pages of a PDF as Qt writes it draw: their content streams,
    // inflated (the fonts follow in no fixed order).
    static QList<QByteArray> pdfPages(const QString &file)
    {
        QFile pdf(file);
        const QByteArray bytes = pdf.open(QIODevice::ReadOnly) ? pdf.readAll() : QByteArray();
        QList<QByteArray> pages;
        for (qsizetype at = bytes.indexOf(">>\nstream\n"); at >= 0; at = bytes.indexOf(">>\nstream\n", at)) {
            const qsizetype dictionary = bytes.lastIndexOf("<<", at);
            const bool page = !bytes.mid(dictionary, at - dictionary).contains("/Length1");
            at += 10;
            const QByteArray data = bytes.mid(at, bytes.indexOf("\nendstream", at) - at);
            // zlib data behind the size qUncompress starts from
            if (page && bytes.mid(at - 31, 21) == "/Filter /FlateDecode\n")
                pages.append(qUncompress(QByteArray(4, '\0').append(data)));
        }
        return pages;
    }

private Q_SLOTS:
    void init() { makeForm(); }

    void editorsTakeTheSizeOfThePrintedCard()
    {
        TMDIChild *document = printSet(1, 1);
        const QSize one = document->Vorderseite()->size();
        printSet(1, 8);
        const QSize eight = form->ActiveDocument()->Vorderseite()->size();
        QVERIFY(eight.width() < one.width() && eight.height() < one.height());
        QCOMPARE(form->ActiveDocument()->Rueckseite()->size(), eight);

        // Header, number and footer take their lines and distances off the
        // text area; only the header counts when both header and number are on.
        QPdfWriter device(path(QStringLiteral("maß.pdf")));
        device.setResolution(600);
        const PrinterMetrics metrics = PrinterMetrics::fromPageLayout(device.pageLayout(), 600);
        PrintOptions plain;
        plain.PrintNummer = false;
        const QSize area = EditorFit::textArea(plain, {}, metrics, &device);
        PrintOptions header = plain;
        header.PrintKopfZeile = true;
        header.PrintNummer = true;
        const int line = QFontMetrics(QFont(QStringLiteral("Arial"), 10), &device).height();
        QCOMPARE(EditorFit::textArea(header, {}, metrics, &device).height(), area.height() - line - 2 * plain.RandAbstand);
        PrintOptions footer = plain;
        footer.PrintCR = true;
        QCOMPARE(EditorFit::textArea(footer, {}, metrics, &device).height(), area.height() - line - plain.TextAbstand);

        // A header that leaves the card no text area: a small editor, no division by zero.
        PrintOptions crowded = header;
        crowded.AktPrintCards = 8;
        crowded.RandAbstand = 200;
        crowded.HeaderFont.Size = 400;
        QVERIFY(EditorFit::textArea(crowded, {}, metrics, &device).height() <= 0);
        QCOMPARE(EditorFit::clientSize(crowded, {}, metrics, &device, document), EditorFit::Minimum);
    }

    void dialogCountsCardsAndSheets()
    {
        TMDIChild *document = printSet(5, 4);
        QString shown;
        whenModal<TPrintForm>([&](TPrintForm *dialog) {
            shown = dialog->Insgesamt->text() + QLatin1Char('/') + dialog->Seiten->text() + (dialog->OkButton->isEnabled() ? " OK" : "");
            dialog->Abbruch->click();
        });
        form->button(MainCommand::Print)->click();
        QCOMPARE(shown, QStringLiteral("5/2 OK"));
        // None was checked: all are, and stay so.
        QCOMPARE(document->Set().markedCards(), (QList<int>{0, 1, 2, 3, 4}));
        QCOMPARE(form->printForm()->KartImg->property("picture").toString(), QStringLiteral("4.bmp"));

        // One card a sheet keeps the picture; no sheet, no OK.
        form->printForm()->prepare(0, 0, 1);
        QVERIFY(form->printForm()->KartImg->property("picture").toString() == QLatin1String("4.bmp")
                && !form->printForm()->OkButton->isEnabled());
    }

    void aRunToAFileHoldsBothPassesWithoutAPaperChange()
    {
        TMDIChild *document = printSet(5, 4);
        for (int card : {1, 3, 4})
            document->Set().setMarked(card, true);
        // Without a printer the output goes to a file the user names.
        printToPdf(*form->printer());
        const QString pdf = path(QStringLiteral("karten.pdf"));
        dialogs.saveAnswers = {pdf};
        whenModal<TPrintForm>([](TPrintForm *dialog) { dialog->OkButton->click(); });
        form->action(MainCommand::Print)->trigger();
        QCOMPARE(dialogs.saveTitles.constLast(), QStringLiteral("Drucken in Datei"));
        // Forgetting the file keeps the file output: never the default printer.
        QVERIFY(form->printer()->outputFileName().isEmpty());
        QCOMPARE(form->printer()->outputFormat(), QPrinter::PdfFormat);
        // Three cards at four a sheet: one front sheet, one back sheet.
        QCOMPARE(pdfPageCount(pdf), 2);
        QCOMPARE(document->Vorderseite()->toPlainText() + QString::number(document->selectedCard()), QStringLiteral("Frage 54"));
        QVERIFY(!form->progressForm()->isVisible() && !QApplication::overrideCursor() && dialogs.warnings.isEmpty());

        // Thumb down: the fronts alone.
        dialogs.saveAnswers = {pdf};
        whenModal<TPrintForm>([](TPrintForm *dialog) {
            dialog->ThumbImg->click();
            QCOMPARE(dialog->ThumbImg->property("picture").toString(), QStringLiteral("thumbdown.bmp"));
            dialog->OkButton->click();
        });
        form->action(MainCommand::Print)->trigger();
        QCOMPARE(pdfPageCount(pdf), 1);
        form->printForm()->BothSides = true;
    }

    void thePreviewShowsTheRunAndGoesOnToPrint()
    {
        printSet(5, 4);
        QStringList seen;
        whenModal<TPrintForm>([&](TPrintForm *dialog) {
            whenModal<TVorschauForm>([&](TVorschauForm *preview) {
                seen.append(preview->Seite->text() + u' ' + preview->Blatt->text());
                QImage paper = preview->Bild->pixmap().toImage();
                const QImage page = paper;
                paper.fill(Qt::white);
                QVERIFY(page != paper);
                preview->action(TVorschauForm::Command::LastPage)->trigger();
                seen.append(preview->Seite->text() + u' ' + preview->Blatt->text());
                preview->Schliessen->click();
            });
            dialog->VorschauButton->click();
            QVERIFY(dialog->isVisible() && QFileInfo(path(QStringLiteral("drucker.pdf"))).size() == 0);
            whenModal<TVorschauForm>([](TVorschauForm *preview) { preview->Drucken->click(); });
            dialog->VorschauButton->click();
        });
        form->action(MainCommand::Print)->trigger();
        // the backs in feed order: the sheet printed last first
        QCOMPARE(seen,
                 (QStringList{QStringLiteral("Seite 1 von 4 Blatt 1, Vorderseite: Karten 1–4"),
                              QStringLiteral("Seite 4 von 4 Blatt 1, Rückseite: Karten 1–4")}));
        QCOMPARE(pdfPageCount(path(QStringLiteral("drucker.pdf"))), 4);
    }

    void aFileOfTheWindowIsTheFileOfQuilloCli()
    {
        // a paragraph that wraps on its card, header and number lines, two sheets
        TMDIChild *document = printSet(5, 4);
        document->Vorderseite()->setPlainText(
            QStringLiteral("Die Zellatmung gewinnt in den Mitochondrien aus Glucose und Sauerstoff "
                           "Energie in Form von ATP; dabei entstehen Kohlendioxid und Wasser.\nZweite Zeile"));
        document->findChild<QCheckBox *>(QStringLiteral("TitelDrucken"))->click();
        whenModal<TPrintForm>([](TPrintForm *dialog) { dialog->OkButton->click(); });
        form->action(MainCommand::Print)->trigger();

        PdfCardPrinter::Job job;
        job.paper = form->printer()->pageLayout().pageSize();
        const QString cli = path(QStringLiteral("cli.pdf"));
        QVERIFY(PdfCardPrinter::print(cli, document->Set(), document->Set().markedCards(), job).written.ok());
        const QList<QByteArray> window = pdfPages(path(QStringLiteral("drucker.pdf")));
        QVERIFY(window.size() == 4 && window.first().contains(" Tj\n"));
        // every position and every line break alike
        QCOMPARE(pdfPages(cli), window);
    }

    void aPrinterErrorEndsThePassAndSaysWhy()
    {
        printSet(2, 4);
        form->printer()->setOutputFileName(path(QStringLiteral("fehlt/karten.pdf")));
        whenModal<TPrintForm>([](TPrintForm *dialog) { dialog->OkButton->click(); });
        form->action(MainCommand::Print)->trigger();
        QCOMPARE(dialogs.warnings, QStringList{TMainForm::printFailedMessage()});
        QVERIFY(dialogs.warningDetails.constFirst().contains(QStringLiteral("karten.pdf")));
        QVERIFY(!form->progressForm()->isVisible() && !QApplication::overrideCursor() && form->isEnabled() && !PrintRun::isPrinting());

        // A loop of links is no file to print into, and stays a loop.
        const QString loop = path(QStringLiteral("schleife.pdf"));
        QVERIFY(QFile::link(loop, loop));
        form->printer()->setOutputFileName(loop);
        whenModal<TPrintForm>([](TPrintForm *dialog) { dialog->OkButton->click(); });
        form->action(MainCommand::Print)->trigger();
        QVERIFY(dialogs.warningDetails.constLast().endsWith(QString::fromLocal8Bit(strerror(ELOOP))));
        QVERIFY(QFileInfo(loop).isSymLink());
    }

    void aQueueSaysWhatBecameOfEveryJob()
    {
        TMDIChild *document = printSet(5, 4);
        FakeDestinations server;
        int paperChanges = 0;
        const auto printed = [&](bool paused = false) {
            PrintRun run(*form->printer(), form->Settings, {form->printForm(), form->progressForm(), form.get()});
            run.server = [&server] { return &server; };
            run.destination = [] { return QStringLiteral("Karten"); };
            run.askPaperChange = [&paperChanges](bool) { return ++paperChanges > 0; };
            run.askPrintWhilePaused = [&](const QString &question) {
                dialogs.questions.append(question);
                return paused;
            };
            server.jobs.clear();
            whenModal<TPrintForm>([](TPrintForm *dialog) { dialog->OkButton->click(); });
            const PrintRun::Outcome outcome = run.run(document->Set(), PageOrientation::Portrait);
            return QStringLiteral("%1 %2 %3").arg(int(outcome)).arg(paperChanges).arg(run.failure());
        };
        const auto outcome = [](PrintRun::Outcome o, int prompts, const QString &failure) {
            return QStringLiteral("%1 %2 %3").arg(int(o)).arg(prompts).arg(failure);
        };
        // Each pass a job of its own, the paper change between them.
        QCOMPARE(printed(), outcome(PrintRun::Outcome::BothSides, 1, {}));
        QCOMPARE(server.jobs, (QList<int>{2, 2}));

        // A queue that refuses jobs, a server that does not answer: nothing is sent.
        server.queue.accepting = false;
        server.queue.stateMessage = QStringLiteral("Rejecting Jobs");
        QCOMPARE(printed(), outcome(PrintRun::Outcome::Failed, 1, "Der Drucker Karten nimmt keine Aufträge an: Rejecting Jobs"));
        server.answer = {PrintDestinations::Outcome::Unreachable, QStringLiteral("No such file or directory")};
        QCOMPARE(printed(), outcome(PrintRun::Outcome::Failed, 1, "Der Druckserver ist nicht erreichbar: No such file or directory"));
        QVERIFY(server.jobs.isEmpty() && dialogs.questions.isEmpty());

        // A job thrown out after the fronts: no paper change, no backs.
        server.answer = {};
        server.queue.accepting = true;
        server.jobState = PrintDestinations::JobState::Aborted;
        QCOMPARE(printed(), outcome(PrintRun::Outcome::Failed, 1, "Der Auftrag 1 an den Drucker Karten wurde abgebrochen: filter failed"));
        QCOMPARE(server.jobs, QList<int>{2});

        // A stopped queue asks first.
        server.jobState = PrintDestinations::JobState::Waiting;
        server.queue.paused = true;
        QCOMPARE(printed(false), outcome(PrintRun::Outcome::Cancelled, 1, {}));
        QVERIFY(server.jobs.isEmpty());
        QCOMPARE(dialogs.questions, QStringList{"Der Drucker Karten ist angehalten. Trotzdem drucken?"});
        QVERIFY(!form->progressForm()->isVisible() && !QApplication::overrideCursor() && form->isEnabled());
    }

    void theChoiceOfPrinterOutlivesACancelledSetUp()
    {
        printSet(2, 4);
        const qsizetype asked = dialogs.saveTitles.size();
        const QString chosen = path(QStringLiteral("drucker.pdf"));
        // Qt's dialog applies what it shows, even when cancelled.
        dialogs.printerSetups = {[](QPrinter &printer) {
                                     printToPdf(printer);
                                     return false;
                                 },
                                 [this](QPrinter &printer) {
                                     printToPdf(printer, path(QStringLiteral("gewählt.pdf")));
                                     return true;
                                 }};
        QString afterCancel;
        whenModal<TPrintForm>([&](TPrintForm *dialog) {
            dialog->SetupButton->click();
            afterCancel = form->printer()->outputFileName();
            dialog->SetupButton->click();
            dialog->OkButton->click();
        });
        form->action(MainCommand::Print)->trigger();
        QCOMPARE(afterCancel, chosen);
        QCOMPARE(pdfPageCount(path(QStringLiteral("gewählt.pdf"))), 2);
        // The file chosen there served that run; the next asks again.
        QVERIFY(form->printer()->outputFileName().isEmpty() && dialogs.saveTitles.size() == asked);
    }

    void optionsTakeEffectAtOnceAndStay()
    {
        form->Settings.HUX = 1;
        form->Settings.QUY = 9;
        form->Settings.ZuZuE = true;
        // The test page never goes over a file unasked.
        const QString pdf = path(QStringLiteral("test.pdf"));
        dialogs.saveAnswers = {pdf};
        whenModal<TAllgOpts>([](TAllgOpts *dialog) {
            QCOMPARE(dialog->HUserX->value(), 1);
            QVERIFY(dialog->PrintFolge->button(1)->isChecked());
            dialog->HUserY->setValue(-4);
            dialog->HUserX->setValue(3);
            dialog->PrintFolge->button(0)->click();
            QCOMPARE(dialog->AbstandSpins[3]->value(), 14);
            dialog->AbstandSpins[1]->setValue(5);
            dialog->AbstandSpins[3]->setValue(400);
            dialog->KantenSpin->setValue(900);
            QCOMPARE(dialog->KantenSpin->value(), 500);
            dialog->SpeedButton1->click();
            dialog->close(); // the window's close box: no cancel
        });
        form->action(MainCommand::Options)->trigger();
        const ProgramSettings &taken = form->Settings;
        QCOMPARE(QString::asprintf("%d %d %d %d %d", taken.HUX, taken.HUY, taken.QUY, int(taken.ZuZuE), int(taken.Schnittkante)),
                 QStringLiteral("3 -4 3 0 500"));
        QVERIFY(taken.Abstand == (std::array<qint32, 4>{1, 5, 7, 365}));
        QCOMPARE(pdfPageCount(pdf), 1);
    }
};

QUILLO_GUI_TEST_MAIN(TestPrintCommand)
#include "tst_printcommand.moc"
