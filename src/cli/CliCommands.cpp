#include "cli/CliCommands.h"

#include "document/CardSetDocument.h"
#include "exchange/AnkiCards.h"
#include "exchange/AnkiPackageReader.h"
#include "exchange/AnkiPackageWriter.h"
#include "exchange/CsvCards.h"
#include "exchange/CsvExport.h"
#include "program/AnkiMessages.h"
#include "program/FileMessages.h"
#include "program/HistoryMessages.h"
#include "program/ProgramFolder.h"

#include "cardset/CardSetFile.h"
#include "cardset/ScratchFile.h"
#include "cli/CliHelp.h"
#include "cli/CommandLineOptions.h"
#include "cli/CsvArguments.h"
#include "cli/InfoJson.h"
#include "cli/LearnArguments.h"
#include "cli/PrintArguments.h"
#include "cli/PrintPdfArguments.h"
#include "cli/PrintSettingsFile.h"
#include "cli/StatsJson.h"
#include "cli/TerminalQuiz.h"
#include "export/HtmlExport.h"
#include "print/DestinationJobs.h"
#include "print/PdfCardPrinter.h"
#include "print/PrintMessages.h"
#include "print/PrintOrder.h"
#include "print/PrintPasses.h"
#include "print/PrinterChoice.h"
#include "print/PrinterMetrics.h"
#include "print/SheetRenderer.h"
#include "quiz/BoxChoice.h"
#include "quiz/DueCards.h"
#include "quiz/LearningSummary.h"
#include "quiz/QuizRun.h"
#include "quiz/RandomGenerator.h"
#include "richtext/RtfReader.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPagedPaintDevice>
#include <QPrinter>
#include <QRandomGenerator>

#include <unistd.h>

// A set loaded by one command, with a scratch file of this run that is
// removed however the command ends.
struct CommandSet
{
    std::unique_ptr<CardSetDocument> document;
    CardSetFileContext context{ScratchFile::makeWorkFilePath(QDir::tempPath()), PageOrientation::Portrait};
    CommandSet() = default;
    CommandSet(const CommandSet &) = delete;
    ~CommandSet() { QFile::remove(context.WorkFilePath); }
};

namespace {

QString singleLine(QString text)
{
    return text.replace(QChar(13), QLatin1Char('\n'));
}

QString pageRange(qsizetype first, qsizetype last)
{
    return first == last ? QStringLiteral("Seite %1").arg(first) : QStringLiteral("Seite %1 bis %2").arg(first).arg(last);
}

int tell(QTextStream &out, QTextStream &err, const CliHelp::Answer &answer)
{
    out << answer.out;
    out.flush();
    err << answer.err;
    err.flush();
    return answer.status;
}

QString counted(qsizetype n, const char *one, const char *many)
{
    return QString::number(n) + QLatin1Char(' ') + QLatin1String(n == 1 ? one : many);
}

} // namespace

CliCommands::CliCommands(QTextStream &out, QTextStream &err)
    : m_out(out)
    , m_err(err)
{
}

int CliCommands::usage()
{
    m_err << CliHelp::hint() << '\n';
    m_err.flush();
    return 2;
}

int CliCommands::run(const QStringList &arguments)
{
    if (const std::optional<CliHelp::Answer> answer = CliHelp::answer(arguments))
        return tell(m_out, m_err, *answer);
    if (arguments.size() == 2 && arguments.at(0) == QLatin1String("info"))
        return info(arguments.at(1));
    if (arguments.size() == 3 && arguments.at(0) == QLatin1String("convert"))
        return convert(arguments.at(1), arguments.at(2));
    if (arguments.size() == 3 && arguments.at(0) == QLatin1String("export-html"))
        return exportHtml(arguments.at(1), arguments.at(2));
    if (arguments.size() == 2 && arguments.at(0) == QLatin1String("cat"))
        return cat(arguments.at(1));
    if (!arguments.isEmpty() && arguments.at(0) == QLatin1String("print-pdf"))
        return printPdf(arguments.mid(1));
    if (!arguments.isEmpty() && arguments.at(0) == QLatin1String("import-csv"))
        return importCsv(arguments.mid(1));
    if (!arguments.isEmpty() && arguments.at(0) == QLatin1String("import-apkg"))
        return importApkg(arguments.mid(1));
    if (!arguments.isEmpty() && arguments.at(0) == QLatin1String("export-csv"))
        return exportCsv(arguments.mid(1));
    if (arguments.size() == 3 && arguments.at(0) == QLatin1String("export-apkg"))
        return exportApkg(arguments.at(1), arguments.at(2));
    if (!arguments.isEmpty() && arguments.at(0) == QLatin1String("print"))
        return print(arguments.mid(1));
    if (arguments.size() == 1 && arguments.at(0) == QLatin1String("printers"))
        return printers();
    if (!arguments.isEmpty() && arguments.at(0) == QLatin1String("learn"))
        return learn(arguments.mid(1));
    if (!arguments.isEmpty() && arguments.at(0) == QLatin1String("stats"))
        return stats(arguments.mid(1));
    return tell(m_out, m_err, CliHelp::rejected(arguments));
}

int CliCommands::exportHtml(const QString &path, const QString &page)
{
    CommandSet loaded;
    if (!load(loaded, path))
        return 1;
    CardSet &set = loaded.document->set();
    // A file has no check marks: every card is exported.
    QList<HtmlExport::Card> cards;
    cards.reserve(set.count());
    for (int i = 0; i < set.count(); ++i)
        cards.append({RtfReader::textLines(set.front(i)), RtfReader::textLines(set.back(i))});
    const QStringList lines = HtmlExport::buildPage(set.FileName(), cards);
    if (lines.isEmpty()) {
        m_err << singleLine(HtmlExport::noCardsMessage()) << '\n';
        m_err.flush();
        return 1;
    }
    const FileResult written =
        HtmlExport::writePage(page, lines, QFileInfo(ProgramFolder::filePath(QStringLiteral("overlib.js"))).absolutePath());
    if (!written.ok())
        return notWritten(written, page);
    m_out << singleLine(HtmlExport::noticeMessage()) << '\n';
    m_out.flush();
    return 0;
}

int CliCommands::cat(const QString &path)
{
    CommandSet loaded;
    if (!load(loaded, path))
        return 1;
    CardSet &set = loaded.document->set();
    for (int i = 0; i < set.count(); ++i) {
        if (i > 0)
            m_out << '\n';
        m_out << CardSet::cardCaption(i) << " (Kasten " << set.box(i) << ")\n";
        m_out << "Vorderseite:\n";
        for (const QString &line : RtfReader::textLines(set.front(i)))
            m_out << "  " << line << '\n';
        m_out << "Rückseite:\n";
        for (const QString &line : RtfReader::textLines(set.back(i)))
            m_out << "  " << line << '\n';
    }
    m_out.flush();
    return 0;
}

bool CliCommands::load(CommandSet &loaded, const QString &path, const std::function<void(const QByteArray &)> &faces)
{
    CardSetDocument::Opened opened = CardSetDocument::open(path, loaded.context, faces);
    loaded.document = std::move(opened.document);
    const FileResult &result = opened.result;
    m_loadResult = result;
    if (result.ok()) {
        if (const QString refused = HistoryMessages::refusedOnOpen(loaded.document->set().history(), path); !refused.isEmpty()) {
            m_err << refused << '\n';
            m_err.flush();
        }
        return true;
    }
    m_err << singleLine(FileMessages::forLoad(result, path)) << '\n';
    if (!result.reason.isEmpty())
        m_err << result.reason << '\n';
    m_err.flush();
    return false;
}

int CliCommands::convert(const QString &from, const QString &to)
{
    if (CardSetFile::upperExtension(to) != QLatin1String(".QL3")) {
        m_err << "Die Zieldatei muss die Endung .ql3 haben: " << to << '\n';
        m_err.flush();
        return 1;
    }
    CommandSet loaded;
    if (!load(loaded, from))
        return 1;
    CardSet &set = loaded.document->set();
    CardSetFileContext &context = loaded.context;
    const FileResult result = loaded.document->save(to, context);
    if (!result.ok())
        return notWritten(result, to);
    m_out << set.count() << " Karten gespeichert in " << to << '\n';
    m_out.flush();
    return 0;
}

int CliCommands::notWritten(const FileResult &result, const QString &path)
{
    m_err << singleLine(FileMessages::notWrittenOnCommandLine(result, path)) << '\n';
    m_err.flush();
    return 1;
}

int CliCommands::info(const QString &path)
{
    CommandSet loaded;
    // A million cards: the faces are hashed as they are read, never held.
    FaceHashes faces;
    if (!load(loaded, path, [&faces](const QByteArray &face) { faces.add(face); }))
        return 1;
    m_out.flush();
    QIODevice *device = m_out.device();
    InfoJson::write(loaded.document->set(), m_loadResult.ErrorLine, loaded.context.PrinterOrientation, faces, [&](QByteArrayView bytes) {
        if (device)
            device->write(bytes.data(), bytes.size());
        else
            m_out << QString::fromUtf8(bytes);
    });
    if (auto *file = qobject_cast<QFileDevice *>(device))
        file->flush();
    return 0;
}

int CliCommands::printPdf(const QStringList &arguments)
{
    const PrintPdfArguments a = PrintPdfArguments::parse(arguments);
    if (!a.error.isEmpty()) {
        m_err << a.error << '\n';
        return usage();
    }
    CommandSet loaded;
    if (!load(loaded, a.setPath))
        return 1;
    CardSet &set = loaded.document->set();
    if (set.count() == 0) {
        m_err << "Der Kartensatz enthält keine Karten: " << a.setPath << '\n';
        m_err.flush();
        return 1;
    }
    for (int number : a.cards) {
        if (number > set.count()) {
            m_err << "Karte " << number << " gibt es nicht: der Kartensatz hat " << counted(set.count(), "Karte", "Karten") << ".\n";
            return usage();
        }
        set.setMarked(number - 1, true);
    }
    // a file keeps no check marks: without --cards every card is printed
    const QList<int> positions = PrintOrder::selectCards(set);

    const ProgramSettings settings = PrintSettingsFile::read(PrintSettingsFile::programSettingsPath());
    PdfCardPrinter::Job job;
    job.paper = QPageSize(a.paper);
    job.orientation = loaded.context.PrinterOrientation;
    job.calibration = settings.calibration();
    job.backOrder = a.backOrder.value_or(PrintOrder::backOrder(settings.ZuZuE));
    job.sides = a.duplex ? PdfCardPrinter::Sides::Interleaved
                         : (a.frontsOnly ? PdfCardPrinter::Sides::FrontsOnly : PdfCardPrinter::Sides::FrontsThenBacks);
    const PdfCardPrinter::Result result = PdfCardPrinter::print(a.pdfPath, set, positions, job);
    if (!result.written.ok())
        return notWritten(result.written, a.pdfPath);
    m_out << counted(positions.size(), "Karte", "Karten") << " auf " << counted(result.pages, "Seite", "Seiten") << " gedruckt in "
          << a.pdfPath << '\n';
    // for the second run through a one-sided printer
    const qsizetype fronts = result.pageCardList.size();
    if (job.sides == PdfCardPrinter::Sides::FrontsThenBacks)
        m_out << "Vorderseiten: " << pageRange(1, fronts) << ", Rückseiten: " << pageRange(fronts + 1, result.pages) << '\n';
    m_out.flush();
    return 0;
}

int CliCommands::importCsv(const QStringList &arguments)
{
    const CsvArguments a = CsvArguments::parseImport(arguments);
    if (!a.error.isEmpty()) {
        m_err << a.error << '\n';
        return usage();
    }
    if (CardSetFile::upperExtension(a.outPath) != QLatin1String(".QL3")) {
        m_err << "Die Zieldatei muss die Endung .ql3 haben: " << a.outPath << '\n';
        m_err.flush();
        return 1;
    }
    QFile file(a.inPath);
    const bool opened = file.open(QIODevice::ReadOnly);
    const QByteArray bytes = opened ? file.readAll() : QByteArray();
    CsvTable table;
    if (!opened || file.error() != QFileDevice::NoError)
        table.problem = CsvProblem{CsvProblem::Kind::Unreadable, 0, file.errorString()};
    else
        table = CsvReader::read(bytes, a.import);
    if (!table.ok()) {
        m_err << singleLine(FileMessages::importFailedMessage(*table.problem, a.inPath)) << '\n';
        if (table.problem->kind == CsvProblem::Kind::Unreadable)
            m_err << table.problem->detail << '\n';
        m_err.flush();
        return 1;
    }

    CommandSet made;
    CardSetDocument::Imported imported = CardSetDocument::fromWordList(table, a.outPath, {a.mediaFolder});
    made.document = std::move(imported.document);
    for (const CsvProblem &problem : std::as_const(imported.problems))
        m_err << "Warnung: " << FileMessages::forImport(problem) << '\n';
    const CardSet &set = made.document->set();
    const FileResult result = made.document->save(a.outPath, made.context);
    if (!result.ok())
        return notWritten(result, a.outPath);
    m_err.flush();
    m_out << counted(set.count(), "Karte", "Karten") << " gespeichert in " << a.outPath << '\n';
    m_out.flush();
    return 0;
}

int CliCommands::importApkg(const QStringList &arguments)
{
    QString deck;
    QStringList files;
    QString error = CommandLineOptions::walk(
        arguments, {QStringLiteral("--deck")}, {},
        [&deck](const QString &, const QString &value) {
            deck = value.trimmed();
            return deck.isEmpty() ? QStringLiteral("--deck braucht den Namen eines Stapels.") : QString();
        },
        files);
    if (error.isEmpty() && files.size() != 2)
        error = QStringLiteral("Anzugeben sind genau eine Eingabe- und eine Ausgabedatei.");
    if (!error.isEmpty()) {
        m_err << error << '\n';
        return usage();
    }
    const QString &inPath = files.at(0);
    const QString &outPath = files.at(1);
    if (CardSetFile::upperExtension(outPath) != QLatin1String(".QL3")) {
        m_err << "Die Zieldatei muss die Endung .ql3 haben: " << outPath << '\n';
        m_err.flush();
        return 1;
    }
    const AnkiPackageReader::Result read = AnkiPackageReader::read(inPath);
    AnkiCards cards;
    if (read.collection)
        cards = AnkiCards::build(*read.collection, deck, CardSet::newSetFont(), CardSet::newSetFont(), HtmlFace::Pictures().maxWidth);
    const AnkiProblem &problem = read.collection ? cards.error : read.problem;
    if (problem.kind != AnkiProblem::Kind::None) {
        m_err << singleLine(AnkiMessages::failed(problem, inPath)) << '\n';
        m_err.flush();
        return 1;
    }

    CommandSet made;
    made.document = CardSetDocument::fromAnki(std::move(cards.cards), outPath);
    for (const AnkiProblem &warning : std::as_const(cards.warnings))
        m_err << "Warnung: " << AnkiMessages::warning(warning) << '\n';
    const CardSet &set = made.document->set();
    const FileResult result = made.document->save(outPath, made.context);
    if (!result.ok())
        return notWritten(result, outPath);
    m_err.flush();
    m_out << counted(set.count(), "Karte", "Karten") << " gespeichert in " << outPath << '\n';
    m_out.flush();
    return 0;
}

int CliCommands::exportCsv(const QStringList &arguments)
{
    const CsvArguments a = CsvArguments::parseExport(arguments);
    if (!a.error.isEmpty()) {
        m_err << a.error << '\n';
        return usage();
    }
    CommandSet loaded;
    if (!load(loaded, a.inPath))
        return 1;
    CardSet &set = loaded.document->set();
    const CsvExport::Text text = CsvExport::text(set, a.exportOptions);
    const FileResult written = CsvExport::write(a.outPath, text.bytes);
    if (!written.ok())
        return notWritten(written, a.outPath);
    if (text.utf8Instead)
        m_err << singleLine(FileMessages::exportedInUtf8Message()) << '\n';
    m_err.flush();
    m_out << counted(set.count(), "Karte", "Karten") << " exportiert nach " << a.outPath << '\n';
    m_out.flush();
    return 0;
}

int CliCommands::exportApkg(const QString &path, const QString &package)
{
    CommandSet loaded;
    if (!load(loaded, path))
        return 1;
    const CardSet &set = loaded.document->set();
    const FileResult written = AnkiPackageWriter::write(package, set, AnkiPackageWriter::deckName(set, package));
    if (!written.ok())
        return notWritten(written, package);
    m_out << counted(set.count(), "Karte", "Karten") << " exportiert nach " << package << '\n';
    m_out.flush();
    return 0;
}

int CliCommands::printFailed(const QString &detail)
{
    m_err << singleLine(PrintMessages::failed()) << '\n' << detail << '\n';
    m_err.flush();
    return 1;
}

int CliCommands::printers()
{
    const std::unique_ptr<PrintDestinations> server = PrintDestinations::system();
    if (!server)
        return printFailed(QStringLiteral("Dieses quillo-cli ist ohne CUPS gebaut und kennt keine Drucker."));
    const PrintDestinations::Listing listing = server->list();
    if (!listing.ok())
        return printFailed(PrintMessages::detail(listing, QString()));
    if (listing.destinations.isEmpty())
        m_out << "Es ist kein Drucker eingerichtet.\n";
    for (const PrintDestinations::Destination &destination : listing.destinations)
        m_out << PrintMessages::destinationLine(destination) << '\n';
    m_out.flush();
    return 0;
}

int CliCommands::print(const QStringList &arguments)
{
    const PrintArguments a = PrintArguments::parse(arguments);
    if (!a.error.isEmpty()) {
        m_err << a.error << '\n';
        return usage();
    }
    CommandSet loaded;
    if (!load(loaded, a.sheets.setPath))
        return 1;
    CardSet &set = loaded.document->set();
    if (set.count() == 0) {
        m_err << "Der Kartensatz enthält keine Karten: " << a.sheets.setPath << '\n';
        m_err.flush();
        return 1;
    }
    for (int number : a.sheets.cards) {
        if (number > set.count()) {
            m_err << "Karte " << number << " gibt es nicht: der Kartensatz hat " << counted(set.count(), "Karte", "Karten") << ".\n";
            return usage();
        }
        set.setMarked(number - 1, true);
    }
    const QList<int> positions = PrintOrder::selectCards(set);

    const std::unique_ptr<PrintDestinations> server = PrintDestinations::system();
    if (!server)
        return printFailed(QStringLiteral("Dieses quillo-cli ist ohne CUPS gebaut und kann nur mit print-pdf drucken."));
    const PrintDestinations::Lookup lookup = server->find(a.printer);
    if (!lookup.ok())
        return printFailed(PrintMessages::detail(lookup, a.printer));
    const QString name = lookup.destination.name;
    // The page as the program gets it from the printer's driver: paper,
    // unprintable border and resolution are Qt's for this queue.
    QPrinter printer(QPrinter::HighResolution);
    if (!PrinterChoice::attach(printer, name))
        return printFailed(PrintMessages::detail({PrintDestinations::Outcome::Unknown, QString()}, name));
    printer.setPageSize(QPageSize(a.sheets.paper));
    printer.setPageOrientation(loaded.context.PrinterOrientation == PageOrientation::Landscape ? QPageLayout::Landscape
                                                                                               : QPageLayout::Portrait);
    printer.setCopyCount(a.copies);
    printer.setDuplex(QPrinter::DuplexNone);
    DestinationJobs jobs(*server, name, DestinationJobs::pageOf(printer), DestinationJobs::optionsOf(printer));
    const bool terminal = isatty(STDIN_FILENO) != 0;
    QTextStream in(stdin);
    const DestinationJobs::Check check = jobs.check();
    if (check.readiness == DestinationJobs::Readiness::NotReady)
        return printFailed(PrintMessages::detail(check.answer, name));
    if (check.readiness == DestinationJobs::Readiness::Paused) {
        if (!terminal) {
            m_err << "Der Drucker " << name << " ist angehalten: die Aufträge warten, bis er fortgesetzt wird.\n";
            m_err.flush();
        } else {
            m_out << PrintMessages::pausedQuestion(name) << " [j/N] ";
            m_out.flush();
            if (!in.readLine().trimmed().startsWith(QLatin1Char('j'), Qt::CaseInsensitive))
                return 1;
        }
    }

    const ProgramSettings settings = PrintSettingsFile::read(PrintSettingsFile::programSettingsPath());
    const PrintOrder::BackOrder backOrder = a.sheets.backOrder.value_or(PrintOrder::backOrder(settings.ZuZuE));
    QStringList pageCardList;
    int sheets = 0;
    const auto pass = [&](bool fronts) {
        return jobs.send([&](QPainter &painter, QPagedPaintDevice &device) {
            const PrinterMetrics metrics = PrinterMetrics::fromPageLayout(device.pageLayout(), device.logicalDpiX(), device.logicalDpiY());
            const SheetRenderer renderer(set, set.printOptions(), settings.calibration(), metrics, &device);
            bool firstSheet = true;
            PrintPasses passes(renderer,
                               {[&] {
                                    const bool begun = firstSheet || device.newPage();
                                    firstSheet = false;
                                    return begun;
                                },
                                {},
                                {}});
            if (fronts) {
                pageCardList = passes.printFronts(painter, positions);
            } else {
                if (pageCardList.isEmpty())
                    pageCardList = PrintOrder::pageCardList(PrintOrder::frontSheets(positions, renderer.cardsPerSheet()));
                passes.printBacks(painter, pageCardList, backOrder);
            }
            sheets = passes.sheets();
            return !passes.failed();
        });
    };
    const auto sent = [&](const char *side) {
        m_out << side << ": Auftrag " << jobs.lastJob() << " an " << name << ", " << sheets << (sheets == 1 ? " Blatt" : " Blätter")
              << '\n';
        m_out.flush();
    };

    if (!a.backsOnly) {
        const PrintDestinations::Answer answer = pass(true);
        if (!answer.ok())
            return printFailed(PrintMessages::detail(answer, name, jobs.lastJob()));
        sent("Vorderseiten");
        if (a.sheets.frontsOnly)
            return 0;
        if (terminal) {
            m_out << PrintOrder::paperChangeText(backOrder == PrintOrder::BackOrder::Reverse) << '\n'
                  << PrintOrder::paperChangeWarning() << '\n'
                  << "Weiter mit der Eingabetaste, Abbruch mit Strg+D.\n";
            m_out.flush();
            if (in.readLine().isNull()) {
                m_out << "Die Rückseiten werden nicht gedruckt.\n";
                return 0;
            }
        }
    }
    const PrintDestinations::Answer answer = pass(false);
    if (!answer.ok())
        return printFailed(PrintMessages::detail(answer, name, jobs.lastJob()));
    sent("Rückseiten");
    return 0;
}

QString CliCommands::notRecording(const CardSet &set) const
{
    return HistoryMessages::notRecording(set.history());
}

int CliCommands::learn(const QStringList &arguments)
{
    const LearnArguments a = LearnArguments::parseLearn(arguments);
    if (!a.error.isEmpty()) {
        m_err << a.error << '\n';
        return usage();
    }
    // the answers are saved into the same file, which only .ql3 holds
    if (CardSetFile::upperExtension(a.setPath) != QLatin1String(".QL3")) {
        m_err << "Abgefragt werden nur Kartensätze mit der Endung .ql3: " << a.setPath << '\n';
        m_err.flush();
        return 1;
    }
    CommandSet loaded;
    if (!load(loaded, a.setPath))
        return 1;
    CardSet &set = loaded.document->set();
    if (set.count() == 0) {
        m_err << "Der Kartensatz enthält keine Karten: " << a.setPath << '\n';
        m_err.flush();
        return 1;
    }
    const QString unrecorded = notRecording(set);
    if (!unrecorded.isEmpty()) {
        m_err << "Warnung: " << unrecorded << '\n';
        m_err.flush();
    }

    RandomGenerator random(QRandomGenerator::global()->generate());
    QuizRun run(set, random, a.cramming ? QuizRun::Cramming : QuizRun::Review, BoxChoice::MinCramSize);
    if (a.box != 0 && set.boxCount(a.box) == 0)
        m_out << "Kasten " << a.box << " ist leer: abgefragt werden alle Kästen.\n";
    if (a.dueOnly) {
        const ProgramSettings settings = PrintSettingsFile::read(PrintSettingsFile::programSettingsPath());
        run.buildList(a.box, DueCards::of(set, settings.Abstand));
    } else {
        run.buildList(a.box);
    }
    if (run.remaining() == 0) {
        m_out << "In diesem Kasten ist keine Karte fällig.\n";
        m_out.flush();
        return 0;
    }
    m_out << (a.cramming ? "Pauken: " : "Abfragen: ") << counted(run.remaining(), "Karte", "Karten");
    if (a.cramming)
        m_out << ", je " << run.CramSize() << " zugleich";
    m_out << ".\n";

    QTextStream in(stdin);
    TerminalQuiz quiz(set, run, in, m_out, isatty(STDIN_FILENO) == 0);
    const TerminalQuiz::Outcome outcome = quiz.ask();
    if (!outcome.stopped)
        m_out << "\nEs wurden alle Karteikarten abgefragt.\n";
    m_out << "\nAbgefragt: " << outcome.asked() << ", gewusst: " << outcome.known << ", nicht gewusst: " << outcome.notKnown << '\n';
    m_out << "Kästen jetzt:";
    for (int box = 1; box <= BoxChoice::BoxNumberCount; ++box)
        m_out << (box > 1 ? "," : "") << " Kasten " << box << ": " << set.boxCount(box);
    m_out << '\n';
    m_out.flush();
    if (outcome.asked() == 0)
        return 0;
    const FileResult saved = loaded.document->save(a.setPath, loaded.context);
    if (!saved.ok())
        return notWritten(saved, a.setPath);
    m_out << "Gespeichert in " << a.setPath << '\n';
    m_out.flush();
    return 0;
}

int CliCommands::stats(const QStringList &arguments)
{
    const LearnArguments a = LearnArguments::parseStats(arguments);
    if (!a.error.isEmpty()) {
        m_err << a.error << '\n';
        return usage();
    }
    CommandSet loaded;
    if (!load(loaded, a.setPath))
        return 1;
    const CardSet &set = loaded.document->set();
    const ProgramSettings settings = PrintSettingsFile::read(PrintSettingsFile::programSettingsPath());
    const LearningSummary summary(set, settings.Abstand);
    if (a.json) {
        m_out << QString::fromUtf8(StatsJson::write(summary, settings.Abstand));
        m_out.flush();
        return 0;
    }
    m_out << "Karten: " << summary.cardCount << ", davon nie abgefragt: " << summary.neverAsked << '\n';
    for (int box = 1; box <= BoxChoice::BoxNumberCount; ++box) {
        m_out << "Kasten " << box << ": " << counted(summary.boxCounts[box - 1], "Karte", "Karten") << ", " << summary.dueCounts[box - 1]
              << " fällig (Abstand " << counted(settings.Abstand[box - 1], "Tag", "Tage") << ")\n";
    }
    m_out << "Fällig insgesamt: " << summary.dueTotal << '\n';
    m_out << "Antworten: " << summary.answers << " (gewusst: " << summary.known << ", nicht gewusst: " << summary.notKnown << ")\n";
    m_out << "Letzte " << LearningSummary::DayCount << " Tage:";
    bool any = false;
    for (const LearningSummary::Day &day : summary.days) {
        if (day.known + day.notKnown == 0)
            continue;
        m_out << "\n  " << day.date.toString(QStringLiteral("dd.MM.yyyy")) << ": gewusst " << day.known << ", nicht gewusst "
              << day.notKnown;
        any = true;
    }
    m_out << (any ? "\n" : " keine Antworten\n");
    const QString unrecorded = notRecording(set);
    if (!unrecorded.isEmpty())
        m_out << unrecorded << '\n';
    m_out.flush();
    return 0;
}
