#pragma once

#include "cardset/Card.h"
#include "cardset/FontRecord.h"
#include "cardset/LearningHistory.h"
#include "cardset/PrintOptions.h"

#include <QList>
#include <QObject>
#include <QString>

// The data of one open card set. The set keeps its own rules: every card
// has both faces and a box (1 to 4 for every card it makes or changes),
// CurrentIndex is -1 or a card, and every change goes through an operation
// here, which marks the set modified. Only a completed save or load (and starting a new set) clears
// the mark; check marks and the current card are no change of the set.
class CardSet : public QObject
{
    Q_OBJECT

public:
    explicit CardSet(QObject *parent = nullptr);

    int count() const { return int(m_cards.size()); }
    bool isValidIndex(int index) const { return index >= 0 && index < count(); }
    const Card &card(int index) const { return m_cards.at(index); }
    const QByteArray &front(int index) const { return m_cards.at(index).Front; }
    const QByteArray &back(int index) const { return m_cards.at(index).Back; }
    qint32 box(int index) const { return m_cards.at(index).Box; }
    bool marked(int index) const { return m_cards.at(index).Marked; }
    // Cards whose box is exactly `box`.
    int boxCount(int box) const;
    // Positions of the checked cards, in card order.
    QList<int> markedCards() const;

    int CurrentIndex() const { return m_currentIndex; }
    // -1 or a card; anything else leaves it as it was.
    void setCurrentIndex(int index);
    bool Modified() const { return m_modified; }
    const QString &FileName() const { return m_fileName; }
    void setFileName(const QString &fileName) { m_fileName = fileName; }

    const PrintOptions &printOptions() const { return m_options; }
    void setPrintOptions(const PrintOptions &options);
    const FontRecord &StandardFontFront() const { return m_standardFontFront; }
    const FontRecord &StandardFontBack() const { return m_standardFontBack; }
    void setStandardFontFront(const FontRecord &font);
    void setStandardFontBack(const FontRecord &font);

    // Replaces everything by one empty card in box 1, the given layout and
    // fonts: a set nothing has been done with yet, not modified. Extra data
    // of the file that this program cannot read as its history stays; only
    // clearHistory drops it.
    void startNew(const PrintOptions &options, const FontRecord &front, const FontRecord &back);

    // Puts `cards` in place of all cards, boxes brought into 1 to 4: a set
    // filled from elsewhere, which counts as changed until it is saved. No
    // card is current afterwards. The cards are new ones: the answers given
    // on the cards they replace go.
    void replaceCards(QList<Card> cards);
    // Appends a card (an empty one in box 1 by default) and makes it current.
    // It is a new card, with an identity of its own and no answers, also
    // when it is a copy of another.
    int AddCard(const Card &card = Card());
    // The card at `index` goes, with the answers given on it; no card is
    // current afterwards. False for an index outside the set.
    bool removeCard(int index);
    // Takes the card out at `from` and inserts it at `to`; the cards between
    // shift by one towards `from`, and the moved card becomes current. False,
    // changing nothing, when the two are equal or outside the set.
    bool moveCard(int from, int to);
    void setFront(int index, const QByteArray &face);
    void setBack(int index, const QByteArray &face);
    // Boxes outside 1 to 4 are brought to the nearest.
    void setBox(int index, int box);
    void setAllBoxes(int box);
    void setMarked(int index, bool marked);
    // The card at `first` and every card after it.
    void setMarkedFrom(int first, bool marked);

    // Every answer given in a quiz, with the cards' identities.
    const LearningHistory &history() const { return m_history; }
    // The identity the history knows the card at `index` by: it stays with
    // the card through moves, saves and loads. Unique within the set and
    // never given again to another card of it.
    quint32 cardId(int index) const { return m_ids.at(index); }
    // The position of the card with identity `id`; -1 when it has gone.
    int indexOfCard(quint32 id) const { return int(m_ids.indexOf(id)); }
    // Records a verdict on the card at `index` given at `time` (seconds
    // since 1970 UTC), when the history records; marks the set. Boxes are
    // taken as the box counts see them, 1 to 4. A time before 1990, which
    // only a clock not yet set gives, is not recorded: no file could hold it.
    void recordAnswer(int index, LearningAnswer::Mode mode, bool known, int boxBefore, int boxAfter, qint64 time);
    // "Lernverlauf löschen": no answer is kept afterwards, and extra data
    // the history could not read goes too. Marks the set when anything went.
    void clearHistory();

    // A change the set does not hold yet, as the text being typed into a
    // face editor, or one that counts as a change by itself, as a completed
    // quiz.
    void markChanged();

    // "Karte " and the number counted from 1.
    static QString cardCaption(int index);
    static int clampBox(int box);
    // The standard font of both faces of a new set: Arial 12, black.
    static FontRecord newSetFont();

signals:
    // After every change of the set's content.
    void changed();
    void modifiedChanged(bool modified);
    // The card list follows these in step.
    void cardsAboutToBeReset();
    void cardsReset();
    void cardAboutToBeInserted(int index);
    void cardInserted(int index);
    void cardAboutToBeRemoved(int index);
    void cardRemoved(int index);
    void cardMoved(int from, int to);
    void marksChanged(int first, int last);
    // After an answer was recorded, or answers or the history's state went.
    void historyChanged();

private:
    friend class CardSetFile;
    friend class LegacyCardSetImport;

    // A load's result, complete or not. Box numbers stay as the file has
    // them, also outside 1 to 4: the box counts leave those out, a verdict
    // brings them back into range, and a save writes them as they were.
    void replaceContent(QList<Card> cards, const PrintOptions &options, const FontRecord &front, const FontRecord &back);
    // After replaceContent, the history a load read: with Recording, `ids`
    // holds one identity per card and `nextId` is beyond all of them.
    void replaceHistory(LearningHistory history, QList<quint32> ids, quint32 nextId);
    quint32 nextId() const { return m_nextId; }
    void setModified(bool modified);
    // Identities from the counter on for every card, as a set just made has.
    void giveNewIdentities();
    quint32 takeNewId();
    // Empty and recording again; true when that was a change.
    bool resetHistory();

    QList<Card> m_cards;
    // The identity of each card, in card order.
    QList<quint32> m_ids;
    quint32 m_nextId = 1;
    LearningHistory m_history;
    int m_currentIndex = -1;
    bool m_modified = false;
    QString m_fileName;
    PrintOptions m_options;
    FontRecord m_standardFontFront;
    FontRecord m_standardFontBack;
};
