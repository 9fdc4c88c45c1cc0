#include "cli/CliCommands.h"

#include "cardset/CardSetFile.h"
#include "cardset/FileError.h"
#include "export/HtmlExport.h"
#include "richtext/RtfReader.h"
#include "cardset/ScratchFile.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QFileInfo>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#ifndef QUILLO_DATA_FROM_BIN
#define QUILLO_DATA_FROM_BIN "../share/quillo"
#endif

namespace {

QJsonObject fontJson(const FontRecord &font)
{
    return QJsonObject{
        {QStringLiteral("Name"), font.Name},
        {QStringLiteral("Size"), font.Size},
        {QStringLiteral("Color"), font.Color},
        {QStringLiteral("Bold"), font.Bold},
        {QStringLiteral("Italic"), font.Italic},
        {QStringLiteral("UnderLine"), font.UnderLine},
        {QStringLiteral("StrikeOut"), font.StrikeOut},
    };
}

QJsonArray facesJson(const QList<QByteArray> &faces)
{
    QJsonArray array;
    for (const QByteArray &face : faces) {
        array.append(QJsonObject{
            {QStringLiteral("Size"), face.size()},
            {QStringLiteral("SHA256"), QString::fromLatin1(QCryptographicHash::hash(face, QCryptographicHash::Sha256).toHex())},
        });
    }
    return array;
}

// A set loaded by one command, with a scratch file of this run that is
// removed however the command ends.
struct CommandSet
{
    CardSet set;
    CardSetFileContext context{ScratchFile::makeWorkFilePath(QDir::tempPath()), PageOrientation::Portrait};
    CommandSet() = default;
    CommandSet(const CommandSet &) = delete;
    ~CommandSet() { QFile::remove(context.WorkFilePath); }
};

QString singleLine(QString text)
{
    return text.replace(QChar(13), QLatin1Char('\n'));
}

} // namespace

CliCommands::CliCommands(QTextStream &out, QTextStream &err)
    : m_out(out)
    , m_err(err)
{
}

int CliCommands::usage()
{
    m_err << "Aufruf: quillo-cli info DATEI.ql3\n"
             "        quillo-cli convert ALT.qla NEU.ql3\n"
             "        quillo-cli export-html DATEI.ql3 SEITE.html\n"
             "        quillo-cli cat DATEI.ql3\n"
             "  info     gibt alle Angaben des Kartensatzes als JSON aus\n"
             "  convert  speichert einen Kartensatz (auch im Format 2.5) als .ql3\n"
             "  export-html  schreibt alle Karten als Webseite mit den Antworten als Tooltip\n"
             "  cat      gibt den Text jeder Karte aus, Vorder- und Rückseite\n";
    m_err.flush();
    return 2;
}

int CliCommands::run(const QStringList &arguments)
{
    if (arguments.size() == 2 && arguments.at(0) == QLatin1String("info"))
        return info(arguments.at(1));
    if (arguments.size() == 3 && arguments.at(0) == QLatin1String("convert"))
        return convert(arguments.at(1), arguments.at(2));
    if (arguments.size() == 3 && arguments.at(0) == QLatin1String("export-html"))
        return exportHtml(arguments.at(1), arguments.at(2));
    if (arguments.size() == 2 && arguments.at(0) == QLatin1String("cat"))
        return cat(arguments.at(1));
    return usage();
}

int CliCommands::exportHtml(const QString &path, const QString &page)
{
    CommandSet loaded;
    CardSet &set = loaded.set;
    if (!load(set, path, loaded.context))
        return 1;
    // A file has no check marks: every card is exported.
    QList<HtmlExport::Card> cards;
    cards.reserve(set.count());
    for (int i = 0; i < set.count(); ++i)
        cards.append({RtfReader::textLines(set.Fronts.at(i)), RtfReader::textLines(set.Backs.at(i))});
    const QStringList lines = HtmlExport::buildPage(set.FileName, cards);
    if (lines.isEmpty()) {
        m_err << singleLine(HtmlExport::noCardsMessage()) << '\n';
        m_err.flush();
        return 1;
    }
    const QString failure = HtmlExport::writePage(page, lines);
    if (!failure.isEmpty()) {
        m_err << singleLine(failure) << '\n';
        m_err.flush();
        return 1;
    }
    // Beside the program in a build, in the data folder once installed.
    QString scripts = QCoreApplication::applicationDirPath();
    const QString installed = QDir(scripts).filePath(QStringLiteral(QUILLO_DATA_FROM_BIN));
    if (!QFileInfo::exists(QDir(scripts).filePath(QStringLiteral("overlib.js"))))
        scripts = installed;
    HtmlExport::copyLibraryFiles(scripts, QFileInfo(page).absolutePath());
    m_out << singleLine(HtmlExport::noticeMessage()) << '\n';
    m_out.flush();
    return 0;
}

int CliCommands::cat(const QString &path)
{
    CommandSet loaded;
    CardSet &set = loaded.set;
    if (!load(set, path, loaded.context))
        return 1;
    for (int i = 0; i < set.count(); ++i) {
        if (i > 0)
            m_out << '\n';
        m_out << CardSet::cardCaption(i) << " (Kasten " << set.Boxes.value(i, 1) << ")\n";
        m_out << "Vorderseite:\n";
        for (const QString &line : RtfReader::textLines(set.Fronts.at(i)))
            m_out << "  " << line << '\n';
        m_out << "Rückseite:\n";
        for (const QString &line : RtfReader::textLines(set.Backs.at(i)))
            m_out << "  " << line << '\n';
    }
    m_out.flush();
    return 0;
}

bool CliCommands::load(CardSet &set, const QString &path, CardSetFileContext &context)
{
    try {
        if (CardSetFile::LoadCardSet(set, path, context) == CardSetFile::LoadResult::WrongExtension) {
            m_err << singleLine(CardSetFile::messageM3(path)) << '\n';
            m_err.flush();
            return false;
        }
    } catch (const FileError &error) {
        m_err << singleLine(CardSetFile::loadFailedMessageWithCode(set.ErrorLine)) << '\n'
              << error.message() << '\n';
        m_err.flush();
        return false;
    }
    return true;
}

int CliCommands::convert(const QString &from, const QString &to)
{
    if (CardSetFile::upperExtension(to) != QLatin1String(".QL3")) {
        m_err << "Die Zieldatei muss die Endung .ql3 haben: " << to << '\n';
        m_err.flush();
        return 1;
    }
    CommandSet loaded;
    CardSet &set = loaded.set;
    CardSetFileContext &context = loaded.context;
    if (!load(set, from, context))
        return 1;
    try {
        switch (CardSetFile::SaveCardSet(set, to, context)) {
        case CardSetFile::SaveResult::Saved:
            m_out << set.count() << " Karten gespeichert in " << to << '\n';
            m_out.flush();
            return 0;
        case CardSetFile::SaveResult::TargetNotReplaceable:
            m_err << singleLine(CardSetFile::messageM1(CardSetFile::fileNamePart(to))) << '\n';
            break;
        case CardSetFile::SaveResult::SettingsNotWritable:
            m_err << singleLine(CardSetFile::messageM2()) << '\n';
            break;
        }
    } catch (const FileError &error) {
        m_err << singleLine(CardSetFile::saveFailedMessage(set.ErrorLine)) << '\n' << error.message() << '\n';
    }
    m_err.flush();
    return 1;
}

int CliCommands::info(const QString &path)
{
    CommandSet loaded;
    CardSet &set = loaded.set;
    if (!load(set, path, loaded.context))
        return 1;

    QJsonArray boxes;
    for (qint32 box : std::as_const(set.Boxes))
        boxes.append(box);

    const QJsonObject object{
        {QStringLiteral("FileName"), set.FileName},
        {QStringLiteral("CurrentIndex"), set.CurrentIndex},
        {QStringLiteral("Modified"), set.Modified},
        {QStringLiteral("ErrorLine"), set.ErrorLine},
        {QStringLiteral("HeaderText"), set.HeaderText},
        {QStringLiteral("HeaderColor"), set.HeaderColor},
        {QStringLiteral("HeaderFont"), fontJson(set.HeaderFont)},
        {QStringLiteral("HeaderMargins"), QJsonObject{
                                              {QStringLiteral("Top"), set.HeaderMargins.Top},
                                              {QStringLiteral("Bottom"), set.HeaderMargins.Bottom},
                                              {QStringLiteral("Right"), set.HeaderMargins.Right},
                                              {QStringLiteral("Left"), set.HeaderMargins.Left},
                                          }},
        {QStringLiteral("AktPrintCards"), set.AktPrintCards},
        {QStringLiteral("RandAbstand"), set.RandAbstand},
        {QStringLiteral("TextAbstand"), set.TextAbstand},
        {QStringLiteral("titelProzent"), set.titelProzent},
        {QStringLiteral("PrintNummer"), set.PrintNummer},
        {QStringLiteral("PrintKopfZeile"), set.PrintKopfZeile},
        {QStringLiteral("PrintFadenkreuz"), set.PrintFadenkreuz},
        {QStringLiteral("WebStyle"), set.WebStyle},
        {QStringLiteral("PrintCR"), set.PrintCR},
        {QStringLiteral("Copyright"), set.Copyright},
        {QStringLiteral("StandardFontFront"), fontJson(set.StandardFontFront)},
        {QStringLiteral("StandardFontBack"), fontJson(set.StandardFontBack)},
        {QStringLiteral("PrinterOrientation"),
         loaded.context.PrinterOrientation == PageOrientation::Landscape ? QStringLiteral("landscape") : QStringLiteral("portrait")},
        {QStringLiteral("CardCount"), set.count()},
        {QStringLiteral("Boxes"), boxes},
        {QStringLiteral("Fronts"), facesJson(set.Fronts)},
        {QStringLiteral("Backs"), facesJson(set.Backs)},
    };
    m_out << QJsonDocument(object).toJson(QJsonDocument::Indented);
    m_out.flush();
    return 0;
}
