#include "document/CardSetDocument.h"

#include "exchange/CsvCards.h"

CardSetDocument::CardSetDocument() = default;

CardSetDocument::~CardSetDocument() = default;

PrintOptions CardSetDocument::newSetOptions()
{
    PrintOptions options;
    options.AktPrintCards = 8;
    return options;
}

CardSetDocument::Opened CardSetDocument::open(const QString &path, CardSetFileContext &context,
                                              const std::function<void(const QByteArray &)> &faces)
{
    std::unique_ptr<CardSetDocument> document(new CardSetDocument);
    CardSet &set = document->set();
    // What the file does not say stays as a fresh set has it.
    set.startNew(PrintOptions(), FontRecord(), FontRecord());
    const FileResult result = CardSetFile::LoadCardSet(set, path, context, faces);
    if (result.outcome == FileResult::Outcome::WrongExtension || result.outcome == FileResult::Outcome::FileMissing)
        return {nullptr, result};
    // On a file system that tells letter cases apart, "x.ql3" and "x.QL3"
    // are two files: a save must go back to the file opened.
    if (result.ok() && CardSetFile::upperExtension(path) == QLatin1String(".QL3"))
        set.setFileName(path);
    return {std::move(document), result};
}

std::unique_ptr<CardSetDocument> CardSetDocument::createNew(const QString &fileName)
{
    std::unique_ptr<CardSetDocument> document(new CardSetDocument);
    document->m_new = true;
    document->set().startNew(newSetOptions(), CardSet::newSetFont(), CardSet::newSetFont());
    document->set().setFileName(fileName);
    return document;
}

CardSetDocument::Imported CardSetDocument::fromWordList(const CsvTable &table, const QString &fileName, const HtmlFace::Pictures &pictures)
{
    Imported imported{createNew(fileName), {}};
    CardSet &set = imported.document->set();
    CsvCards cards = CsvCards::build(table, set.StandardFontFront(), set.StandardFontBack(), pictures);
    imported.problems = std::move(cards.problems);
    set.replaceCards(std::move(cards.cards));
    return imported;
}

std::unique_ptr<CardSetDocument> CardSetDocument::fromAnki(QList<Card> cards, const QString &fileName)
{
    std::unique_ptr<CardSetDocument> document = createNew(fileName);
    document->set().replaceCards(std::move(cards));
    return document;
}

FileResult CardSetDocument::save(const QString &path, CardSetFileContext &context, const std::function<void()> &storeEdits)
{
    return CardSetFile::SaveCardSet(m_set, path, context, storeEdits);
}
