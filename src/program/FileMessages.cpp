#include "program/FileMessages.h"

#include "exchange/HtmlLimits.h"

#include "cardset/CardSetFile.h"

#include <QLocale>

#include <algorithm>
#include <cerrno>

namespace {
const QChar kBreak = QChar(13);

QString sideName(CsvProblem::Side side)
{
    return side == CsvProblem::Side::Back ? QStringLiteral("Rückseite") : QStringLiteral("Vorderseite");
}
} // namespace

QString FileMessages::forSave(const FileResult &result, const QString &fileName, SaveCommand command)
{
    switch (result.outcome) {
    case FileResult::Outcome::Done: return QString();
    case FileResult::Outcome::TargetNotReplaceable: return messageM1(CardSetFile::fileNamePart(fileName));
    case FileResult::Outcome::WrongExtension:
    case FileResult::Outcome::FileMissing:
    case FileResult::Outcome::Failed: break;
    }
    return command == SaveCommand::Save ? saveFailedMessage(result.ErrorLine) : saveAsFailedMessage();
}

QString FileMessages::forLoad(const FileResult &result, const QString &path)
{
    switch (result.outcome) {
    case FileResult::Outcome::Done: return QString();
    case FileResult::Outcome::WrongExtension: return messageM3(path);
    case FileResult::Outcome::FileMissing: return fileMissingMessage(path);
    default: return loadFailedMessageWithCode(result.ErrorLine);
    }
}

QString FileMessages::messageM1(const QString &fileName)
{
    return QStringLiteral("Die Datei ") + fileName + QStringLiteral(" konnte zum Zwecke") + kBreak
        + QStringLiteral("der Speicherung nicht gelöscht werden!") + kBreak
        + QStringLiteral("Bitte versuchen Sie einen erneuten Speichervorgang,") + kBreak
        + QStringLiteral("Löschen Sie den eventuell gesetzten Schreibschutz oder") + kBreak
        + QStringLiteral("Speichern Sie die Datei unter einem anderen Namen.");
}

QString FileMessages::fileMissingMessage(const QString &path)
{
    return QStringLiteral("Die Datei ") + kBreak + path + kBreak + QStringLiteral("existiert nicht.");
}

QString FileMessages::messageM3(const QString &path)
{
    return QStringLiteral("Die Datei ") + kBreak + path + kBreak + QStringLiteral("hat nicht die richtige Endung und kann") + kBreak
        + QStringLiteral("daher nicht geladen werden.");
}

QString FileMessages::saveFailedMessage(const QString &errorLine)
{
    return QStringLiteral("Beim Speichern trat ein Fehler auf.") + kBreak
        + QStringLiteral("Wenn Sie einen Quillo 2.5-Karteikartensatz geladen haben,") + kBreak
        + QStringLiteral("wählen Sie bitte Datei-Speichern unter, um diesen zu speichern.") + kBreak + kBreak
        + QStringLiteral("ErrorLine: ") + errorLine;
}

QString FileMessages::saveAsFailedMessage()
{
    return QStringLiteral("Beim Speichern trat ein Fehler auf.");
}

QString FileMessages::loadFailedMessage()
{
    return QStringLiteral("Beim Laden trat ein Fehler auf.") + kBreak + QStringLiteral("Möglicherweise ist die Datei fehlerhaft.");
}

QString FileMessages::loadFailedMessageWithCode(const QString &errorLine)
{
    return loadFailedMessage() + kBreak + kBreak + QStringLiteral("Fehlercode: ") + errorLine;
}

QString FileMessages::loadFailedCaption()
{
    return QStringLiteral("Es kam zu einem Fehler beim Laden.");
}

QString FileMessages::legacyImportedMessage()
{
    return QStringLiteral("Es wurde ein Kartensatz im Quillo 2.5 Format geladen.") + kBreak
        + QStringLiteral("Kontrollieren Sie bitte den Font der Titelzeile und die Optionen.");
}

QString FileMessages::pageNotWritten(const QString &path)
{
    return QStringLiteral("Die Datei ") + path + QStringLiteral(" konnte nicht geschrieben werden.");
}

QString FileMessages::reason(const FileResult &result)
{
    switch (result.systemError) {
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return QStringLiteral("Auf dem Datenträger ist nicht genügend Speicherplatz frei.");
    default: return result.reason;
    }
}

QString FileMessages::notWrittenOnCommandLine(const FileResult &result, const QString &path)
{
    const QString why = reason(result);
    return why.isEmpty() ? pageNotWritten(path) : pageNotWritten(path) + kBreak + why;
}

QString FileMessages::forImport(const CsvProblem &problem)
{
    const QString line = QStringLiteral("Zeile %1: ").arg(problem.line);
    switch (problem.kind) {
    case CsvProblem::Kind::Unreadable: return QStringLiteral("Die Datei kann nicht gelesen werden.");
    case CsvProblem::Kind::Empty: return QStringLiteral("Die Datei enthält keine Karten.");
    case CsvProblem::Kind::NotText: return line + QStringLiteral("Die Datei enthält Nullzeichen und ist keine Textdatei.");
    case CsvProblem::Kind::Undecodable:
        return line + QStringLiteral("Die Datei enthält Zeichen, die es im Zeichensatz %1 nicht gibt.").arg(problem.detail);
    case CsvProblem::Kind::UnclosedQuote: return line + QStringLiteral("Das Anführungszeichen am Anfang eines Felds wird nie geschlossen.");
    case CsvProblem::Kind::TooFewFields:
        return line + QStringLiteral("Die Zeile hat nur ein Feld; eine Karte braucht Vorder- und Rückseite.");
    case CsvProblem::Kind::MissingPicture: return line + QStringLiteral("Das Bild \"%1\" wurde nicht gefunden.").arg(problem.detail);
    case CsvProblem::Kind::UnreadablePicture: return line + QStringLiteral("\"%1\" ist kein gültiges Bild.").arg(problem.detail);
    case CsvProblem::Kind::PictureTooLarge: return line + pictureTooLargeMessage(problem.detail);
    case CsvProblem::Kind::FieldTooLarge:
        return line
            + QStringLiteral("Die %1 ist für HTML zu groß (über %2 Zeichen, %3 Tags oder %4 Bilder) und wurde als Text ohne "
                             "Formatierung übernommen.")
                  .arg(sideName(problem.side), QLocale(QLocale::German).toString(qlonglong(HtmlLimits::MaxLength)),
                       QLocale(QLocale::German).toString(HtmlLimits::MaxTags), QString::number(HtmlLimits::MaxPictures));
    case CsvProblem::Kind::FieldTooDeep:
        return line
            + QStringLiteral("Die %1 ist tiefer als %2 Ebenen verschachtelt; der tiefere Teil wurde als Text ohne Formatierung übernommen.")
                  .arg(sideName(problem.side))
                  .arg(HtmlLimits::MaxDepth);
    }
    return QString();
}

QString FileMessages::pictureTooLargeMessage(const QString &name)
{
    return QStringLiteral("Das Bild \"%1\" ist zu groß: Bilder dürfen höchstens 64 MB und 64 Millionen Bildpunkte (20000 je Seite) haben.")
        .arg(name);
}

QString FileMessages::importFailedMessage(const CsvProblem &problem, const QString &path)
{
    return QStringLiteral("Die Datei ") + path + QStringLiteral(" kann nicht importiert werden.") + kBreak + forImport(problem) + kBreak
        + QStringLiteral("Es wurden keine Karten angelegt.");
}

QString FileMessages::importPicturesMessage(const QList<CsvProblem> &problems)
{
    constexpr qsizetype shown = 10;
    const bool picturesOnly = std::all_of(problems.cbegin(), problems.cend(), [](const CsvProblem &p) {
        return p.kind == CsvProblem::Kind::MissingPicture || p.kind == CsvProblem::Kind::UnreadablePicture;
    });
    QString text = picturesOnly ? QStringLiteral("Die Karten wurden ohne diese Bilder angelegt:")
                                : QStringLiteral("Die Karten wurden mit diesen Einschränkungen angelegt:");
    for (qsizetype i = 0; i < std::min(problems.size(), shown); ++i)
        text += kBreak + forImport(problems.at(i));
    if (problems.size() > shown)
        text += kBreak + QStringLiteral("und %1 weitere.").arg(problems.size() - shown);
    return text;
}

QString FileMessages::exportedInUtf8Message()
{
    return QStringLiteral("Der Kartensatz enthält Zeichen, die es in Windows-1252 nicht gibt.") + kBreak
        + QStringLiteral("Die Datei wurde deshalb in UTF-8 geschrieben, das Tabellenkalkulationen ebenfalls lesen.");
}
