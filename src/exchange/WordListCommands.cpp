#include "exchange/WordListCommands.h"

#include "document/CardSetDocument.h"
#include "exchange/AnkiPackageReader.h"
#include "exchange/AnkiPackageWriter.h"
#include "exchange/CsvCards.h"
#include "exchange/TAnkiImportDialog.h"
#include "exchange/TExportDialog.h"
#include "exchange/TImportDialog.h"
#include "program/AnkiMessages.h"
#include "program/BusyCursor.h"
#include "program/FileMessages.h"

#include "cardset/CardSetFile.h"
#include "editor/UserDialogs.h"
#include "export/HtmlExportCommand.h"

#include <QFile>
#include <QFileInfo>

bool WordListCommands::isWordList(const QString &path)
{
    const QString extension = CardSetFile::upperExtension(path);
    return extension == QLatin1String(".CSV") || extension == QLatin1String(".TSV") || extension == QLatin1String(".TXT");
}

bool WordListCommands::isAnkiPackage(const QString &path)
{
    return CardSetFile::upperExtension(path) == QLatin1String(".APKG");
}

QString WordListCommands::importFilter()
{
    // Both kinds at first: a package is not hidden behind a second filter.
    return QStringLiteral("Wortlisten und Anki-Pakete (*.csv;*.tsv;*.txt;*.apkg)|*.csv;*.tsv;*.txt;*.apkg|"
                          "Wortlisten (*.csv;*.tsv;*.txt)|*.csv;*.tsv;*.txt|Anki-Paket (*.apkg)|*.apkg|Alle Dateien (*.*)|*.*");
}

std::unique_ptr<CardSetDocument> WordListCommands::importList(QWidget *parent, UserDialogs &dialogs, const QString &path,
                                                              qreal pictureWidth)
{
    if (isAnkiPackage(path))
        return importPackage(parent, dialogs, path, pictureWidth);
    QFile file(path);
    const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    if (!file.isOpen() || file.error() != QFileDevice::NoError) {
        dialogs.warning(parent, FileMessages::importFailedMessage({CsvProblem::Kind::Unreadable, 0, QString()}, path), file.errorString());
        return nullptr;
    }
    TImportDialog preview(bytes, QFileInfo(path).absolutePath(), parent);
    // No other choice makes cards of an empty file or of one that holds no
    // text: no preview for those.
    const std::optional<CsvProblem> &problem = preview.table().problem;
    if (problem && (problem->kind == CsvProblem::Kind::Empty || problem->kind == CsvProblem::Kind::NotText)) {
        dialogs.warning(parent, FileMessages::importFailedMessage(*problem, path));
        return nullptr;
    }
    if (preview.exec() != QDialog::Accepted)
        return nullptr;
    const CsvTable &table = preview.table();
    if (!table.ok()) {
        dialogs.warning(parent, FileMessages::importFailedMessage(*table.problem, path));
        return nullptr;
    }

    BusyCursor busy;
    CardSetDocument::Imported imported =
        CardSetDocument::fromWordList(table, CsvCards::savePathFor(path), {preview.pictureFolder(), pictureWidth});
    if (!imported.problems.isEmpty()) {
        busy.restore();
        dialogs.information(parent, FileMessages::importPicturesMessage(imported.problems));
    }
    return std::move(imported.document);
}

namespace {

void exportPackage(QWidget *parent, UserDialogs &dialogs, const CardSet &set, const std::function<void()> &storeEdits,
                   const QString &suggestedPath)
{
    const QString path =
        dialogs.saveFileName(parent, QStringLiteral("Exportieren"), QStringLiteral("Anki-Pakete (*.apkg)|*.apkg|Alle Dateien (*.*)|*.*"),
                             QStringLiteral("apkg"), suggestedPath);
    if (path.isEmpty())
        return;
    storeEdits();
    BusyCursor busy;
    const FileResult written = AnkiPackageWriter::write(path, set, AnkiPackageWriter::deckName(set, path));
    busy.restore();
    if (!written.ok())
        dialogs.warning(parent, FileMessages::pageNotWritten(path), FileMessages::reason(written));
}

} // namespace

std::unique_ptr<CardSetDocument> WordListCommands::importPackage(QWidget *parent, UserDialogs &dialogs, const QString &path,
                                                                 qreal pictureWidth)
{
    BusyCursor busy;
    const AnkiPackageReader::Result read = AnkiPackageReader::read(path);
    busy.restore();
    if (!read.collection) {
        dialogs.warning(parent, AnkiMessages::failed(read.problem, path));
        return nullptr;
    }
    TAnkiImportDialog preview(*read.collection, path, pictureWidth, parent);
    // Without another deck to choose, no preview of a package that makes
    // no cards.
    if (!preview.cards().ok() && !preview.hasChoice()) {
        dialogs.warning(parent, AnkiMessages::failed(preview.cards().error, path));
        return nullptr;
    }
    if (preview.exec() != QDialog::Accepted)
        return nullptr;
    if (!preview.cards().ok()) {
        dialogs.warning(parent, AnkiMessages::failed(preview.cards().error, path));
        return nullptr;
    }
    const QString fileName = AnkiCards::savePathFor(path, preview.setName());
    AnkiCards cards = preview.takeCards();
    std::unique_ptr<CardSetDocument> document = CardSetDocument::fromAnki(std::move(cards.cards), fileName);
    if (!cards.warnings.isEmpty())
        dialogs.information(parent, AnkiMessages::warningsMessage(cards.warnings));
    return document;
}

void WordListCommands::exportSet(QWidget *parent, UserDialogs &dialogs, const CardSet &set, const std::function<void()> &storeEdits,
                                 const std::function<void(int)> &selectCard)
{
    TExportDialog choice(parent);
    if (choice.exec() != QDialog::Accepted)
        return;
    const auto suggestedPath = [&set](const QString &suffix) {
        return set.FileName().isEmpty() ? QString() : CardSetFile::changeExtension(set.FileName(), QLatin1Char('.') + suffix);
    };
    if (choice.webPage()) {
        HtmlExportCommand::run(parent, dialogs, set, selectCard, {QStringLiteral("Exportieren"), suggestedPath(QStringLiteral("html"))});
        return;
    }
    if (choice.ankiPackage()) {
        exportPackage(parent, dialogs, set, storeEdits, suggestedPath(QStringLiteral("apkg")));
        return;
    }
    const CsvExport::Options options = choice.options();
    const QString suffix = CsvExport::fileSuffix(options.format);
    const QString path =
        dialogs.saveFileName(parent, QStringLiteral("Exportieren"), CsvExport::fileFilter(options.format), suffix, suggestedPath(suffix));
    if (path.isEmpty())
        return;
    storeEdits();
    BusyCursor busy;
    const CsvExport::Text text = CsvExport::text(set, options);
    const FileResult written = CsvExport::write(path, text.bytes);
    busy.restore();
    if (!written.ok())
        dialogs.warning(parent, FileMessages::pageNotWritten(path), FileMessages::reason(written));
    else if (text.utf8Instead)
        dialogs.information(parent, FileMessages::exportedInUtf8Message());
}
