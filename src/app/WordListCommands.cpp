#include "app/WordListCommands.h"

#include "exchange/CsvCards.h"
#include "program/FileMessages.h"

#include "app/BusyCursor.h"
#include "app/TExportDialog.h"
#include "app/TImportDialog.h"
#include "cardset/CardSetFile.h"
#include "editor/TMDIChild.h"
#include "editor/TMyRxRichEdit.h"
#include "editor/UserDialogs.h"

#include <QFile>
#include <QFileInfo>

bool WordListCommands::isWordList(const QString &path)
{
    const QString extension = CardSetFile::upperExtension(path);
    return extension == QLatin1String(".CSV") || extension == QLatin1String(".TSV") || extension == QLatin1String(".TXT");
}

QString WordListCommands::importFilter()
{
    return QStringLiteral("Wortlisten (*.csv;*.tsv;*.txt)|*.csv;*.tsv;*.txt|Alle Dateien (*.*)|*.*");
}

TMDIChild *WordListCommands::importList(QWidget *parent, UserDialogs &dialogs, const QString &path,
                                        const std::function<TMDIChild *()> &createDocument)
{
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
    TMDIChild *document = createDocument();
    document->prepareNewSet(CsvCards::savePathFor(path));
    CardSet &set = document->Set();
    // Pictures as wide as the card at most, as "Bild einfügen" shows them.
    const TMyRxRichEdit *face = document->Vorderseite();
    const qreal width = face->contentsRect().width() - 2 * face->document()->documentMargin();
    CsvCards cards = CsvCards::build(table, set.StandardFontFront(), set.StandardFontBack(), {preview.pictureFolder(), width});
    set.replaceCards(std::move(cards.cards));
    document->selectCard(0);
    if (!cards.problems.isEmpty()) {
        busy.restore();
        dialogs.information(parent, FileMessages::importPicturesMessage(cards.problems));
    }
    return document;
}

void WordListCommands::exportSet(QWidget *parent, UserDialogs &dialogs, TMDIChild &document)
{
    TExportDialog choice(parent);
    if (choice.exec() != QDialog::Accepted)
        return;
    const CsvExport::Options options = choice.options();
    const QString suffix = CsvExport::fileSuffix(options.format);
    const QString suggested = document.Set().FileName().isEmpty()
        ? QString()
        : CardSetFile::changeExtension(document.Set().FileName(), QLatin1Char('.') + suffix);
    const QString path =
        dialogs.saveFileName(parent, QStringLiteral("Exportieren"), CsvExport::fileFilter(options.format), suffix, suggested);
    if (path.isEmpty())
        return;
    // What the editors show is part of the set.
    document.StoreCurrentCard();
    BusyCursor busy;
    const CsvExport::Text text = CsvExport::text(document.Set(), options);
    const FileResult written = CsvExport::write(path, text.bytes);
    busy.restore();
    if (!written.ok())
        dialogs.warning(parent, FileMessages::pageNotWritten(path), written.reason);
    else if (text.utf8Instead)
        dialogs.information(parent, FileMessages::exportedInUtf8Message());
}
