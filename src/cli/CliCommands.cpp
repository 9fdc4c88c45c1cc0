#include "cli/CliCommands.h"

#include "document/CardSetDocument.h"
#include "exchange/CsvCards.h"
#include "exchange/CsvExport.h"
#include "program/FileMessages.h"
#include "program/ProgramFolder.h"

#include "cardset/CardSetFile.h"
#include "cardset/ScratchFile.h"
#include "cli/CliHelp.h"
#include "cli/CsvArguments.h"
#include "cli/PrintPdfArguments.h"
#include "cli/PrintSettingsFile.h"
#include "export/HtmlExport.h"
#include "print/PdfCardPrinter.h"
#include "print/PrintOrder.h"
#include "richtext/RtfReader.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

QJsonObject fontJson(const FontRecord &font)
{
    return QJsonObject{
        {QStringLiteral("Name"), font.Name},           {QStringLiteral("Size"), font.Size},
        {QStringLiteral("Color"), font.Color},         {QStringLiteral("Bold"), font.Bold},
        {QStringLiteral("Italic"), font.Italic},       {QStringLiteral("UnderLine"), font.UnderLine},
        {QStringLiteral("StrikeOut"), font.StrikeOut},
    };
}

QJsonArray facesJson(const CardSet &set, const QByteArray &(CardSet::*face)(int) const)
{
    QJsonArray array;
    for (int i = 0; i < set.count(); ++i) {
        const QByteArray &bytes = (set.*face)(i);
        array.append(QJsonObject{
            {QStringLiteral("Size"), bytes.size()},
            {QStringLiteral("SHA256"), QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex())},
        });
    }
    return array;
}

} // namespace

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
    if (!arguments.isEmpty() && arguments.at(0) == QLatin1String("export-csv"))
        return exportCsv(arguments.mid(1));
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
    const FileResult written = HtmlExport::writePage(page, lines);
    if (!written.ok()) {
        m_err << FileMessages::pageNotWritten(page) << '\n' << written.reason << '\n';
        m_err.flush();
        return 1;
    }
    HtmlExport::copyLibraryFiles(QFileInfo(ProgramFolder::filePath(QStringLiteral("overlib.js"))).absolutePath(),
                                 QFileInfo(page).absolutePath());
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

bool CliCommands::load(CommandSet &loaded, const QString &path)
{
    CardSetDocument::Opened opened = CardSetDocument::open(path, loaded.context);
    loaded.document = std::move(opened.document);
    const FileResult &result = opened.result;
    m_loadResult = result;
    if (result.ok())
        return true;
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
    if (result.ok()) {
        m_out << set.count() << " Karten gespeichert in " << to << '\n';
        m_out.flush();
        return 0;
    }
    m_err << singleLine(FileMessages::forSave(result, to, FileMessages::SaveCommand::Save)) << '\n';
    if (!result.reason.isEmpty())
        m_err << result.reason << '\n';
    m_err.flush();
    return 1;
}

int CliCommands::info(const QString &path)
{
    CommandSet loaded;
    if (!load(loaded, path))
        return 1;
    CardSet &set = loaded.document->set();

    QJsonArray boxes;
    for (int i = 0; i < set.count(); ++i)
        boxes.append(set.box(i));
    const PrintOptions &options = set.printOptions();

    const QJsonObject object{
        {QStringLiteral("FileName"), set.FileName()},
        {QStringLiteral("CurrentIndex"), set.CurrentIndex()},
        {QStringLiteral("Modified"), set.Modified()},
        {QStringLiteral("ErrorLine"), m_loadResult.ErrorLine},
        {QStringLiteral("HeaderText"), options.HeaderText},
        {QStringLiteral("HeaderColor"), options.HeaderColor},
        {QStringLiteral("HeaderFont"), fontJson(options.HeaderFont)},
        {QStringLiteral("HeaderMargins"),
         QJsonObject{
             {QStringLiteral("Top"), options.HeaderMargins.Top},
             {QStringLiteral("Bottom"), options.HeaderMargins.Bottom},
             {QStringLiteral("Right"), options.HeaderMargins.Right},
             {QStringLiteral("Left"), options.HeaderMargins.Left},
         }},
        {QStringLiteral("AktPrintCards"), options.AktPrintCards},
        {QStringLiteral("RandAbstand"), options.RandAbstand},
        {QStringLiteral("TextAbstand"), options.TextAbstand},
        {QStringLiteral("titelProzent"), options.titelProzent},
        {QStringLiteral("PrintNummer"), options.PrintNummer},
        {QStringLiteral("PrintKopfZeile"), options.PrintKopfZeile},
        {QStringLiteral("PrintFadenkreuz"), options.PrintFadenkreuz},
        {QStringLiteral("WebStyle"), options.WebStyle},
        {QStringLiteral("PrintCR"), options.PrintCR},
        {QStringLiteral("Copyright"), options.Copyright},
        {QStringLiteral("StandardFontFront"), fontJson(set.StandardFontFront())},
        {QStringLiteral("StandardFontBack"), fontJson(set.StandardFontBack())},
        {QStringLiteral("PrinterOrientation"),
         loaded.context.PrinterOrientation == PageOrientation::Landscape ? QStringLiteral("landscape") : QStringLiteral("portrait")},
        {QStringLiteral("CardCount"), set.count()},
        {QStringLiteral("Boxes"), boxes},
        {QStringLiteral("Fronts"), facesJson(set, &CardSet::front)},
        {QStringLiteral("Backs"), facesJson(set, &CardSet::back)},
    };
    m_out << QJsonDocument(object).toJson(QJsonDocument::Indented);
    m_out.flush();
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
    if (!result.ok) {
        m_err << "Die PDF-Datei konnte nicht geschrieben werden: " << a.pdfPath << '\n' << result.reason << '\n';
        m_err.flush();
        return 1;
    }
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
    if (!result.ok()) {
        m_err << singleLine(FileMessages::forSave(result, a.outPath, FileMessages::SaveCommand::Save)) << '\n';
        if (!result.reason.isEmpty())
            m_err << result.reason << '\n';
        m_err.flush();
        return 1;
    }
    m_err.flush();
    m_out << counted(set.count(), "Karte", "Karten") << " gespeichert in " << a.outPath << '\n';
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
    if (!written.ok()) {
        m_err << FileMessages::pageNotWritten(a.outPath) << '\n' << written.reason << '\n';
        m_err.flush();
        return 1;
    }
    if (text.utf8Instead)
        m_err << singleLine(FileMessages::exportedInUtf8Message()) << '\n';
    m_err.flush();
    m_out << counted(set.count(), "Karte", "Karten") << " exportiert nach " << a.outPath << '\n';
    m_out.flush();
    return 0;
}
