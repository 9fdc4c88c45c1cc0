#pragma once

#include "exchange/CsvProblem.h"
#include "exchange/HtmlFace.h"

#include "cardset/Card.h"
#include "cardset/CardSet.h"
#include "cardset/CardSetFile.h"
#include "cardset/FileResult.h"

#include <QList>
#include <QString>

#include <functional>
#include <memory>

struct CsvTable;

// A card set with its file, without a window: the one way a set is opened,
// created and saved by the program, quillo-cli and the tools. The set keeps
// its name and modified mark; a window only shows and edits it.
class CardSetDocument
{
public:
    struct Opened
    {
        // None when nothing was read: not a card set's name, or no such file.
        std::unique_ptr<CardSetDocument> document;
        FileResult result;
    };
    struct Imported
    {
        std::unique_ptr<CardSetDocument> document;
        // Pictures that did not come along, by line.
        QList<CsvProblem> problems;
    };

    CardSetDocument(const CardSetDocument &) = delete;
    CardSetDocument &operator=(const CardSetDocument &) = delete;
    ~CardSetDocument();

    // The file at `path` read into a fresh set. After a failure the document
    // holds what was read before it (the settings, no cards) and keeps no
    // name, so that a save never goes over the damaged file unasked.
    // `faces` as CardSetFile::LoadCardSet takes it.
    static Opened open(const QString &path, CardSetFileContext &context, const std::function<void(const QByteArray &)> &faces = {});
    // A set not yet saved that is to be called `fileName`: one empty card in
    // the new set's layout and fonts, not modified.
    static std::unique_ptr<CardSetDocument> createNew(const QString &fileName);
    // A new set holding the word list's cards, each face in the new set's
    // standard fonts; it counts as changed until it is saved.
    static Imported fromWordList(const CsvTable &table, const QString &fileName, const HtmlFace::Pictures &pictures);
    // A new set holding the cards of an Anki package (AnkiCards, made in the
    // new set's standard fonts); it counts as changed until it is saved.
    static std::unique_ptr<CardSetDocument> fromAnki(QList<Card> cards, const QString &fileName);

    // The layout of a new set: 8 cards per sheet, portrait; Arial 12 on both
    // faces.
    static PrintOptions newSetOptions();
    static PageOrientation newSetOrientation() { return PageOrientation::Portrait; }

    CardSet &set() { return m_set; }
    const CardSet &set() const { return m_set; }
    const QString &fileName() const { return m_set.FileName(); }
    bool isModified() const { return m_set.Modified(); }
    // Made here rather than read from a file: a window shows it in the new
    // set's fonts.
    bool isNew() const { return m_new; }

    // `storeEdits` writes what a window holds back into the set before
    // anything is written. A completed save clears the modified mark.
    FileResult save(const QString &path, CardSetFileContext &context, const std::function<void()> &storeEdits = {});

private:
    CardSetDocument();

    CardSet m_set;
    bool m_new = false;
};
