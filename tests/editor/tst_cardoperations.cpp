#include "editor/CardOperations.h"
#include "cardset/CardSet.h"
#include "ScriptedDialogs.h"
#include "editor/TMDIChild.h"
#include "editor/TMyRxRichEdit.h"

#include <QAction>
#include <QApplication>
#include <QListWidget>
#include <QPrinter>
#include <QTest>

namespace {

// Cards named by letters, each in a box of its own pattern.
CardSet lettered(int count)
{
    CardSet set;
    for (int i = 0; i < count; ++i) {
        set.Fronts.append(QByteArray(1, char('A' + i)));
        set.Backs.append(QByteArray(1, char('a' + i)));
        set.Boxes.append(1 + i % 4);
    }
    set.CurrentIndex = 0;
    return set;
}

QByteArray fronts(const CardSet &set)
{
    return set.Fronts.join();
}

} // namespace

class TestCardOperations : public QObject
{
    Q_OBJECT

private:
    CardSetFileContext context;
    QPrinter printer;
    ScriptedDialogs dialogs;

    // A set of `count` cards whose fronts read "Frage 1", "Frage 2", ...
    // and whose boxes are 1, 2, 3, 4, 1, ...
    std::unique_ptr<TMDIChild> makeWindow(int count)
    {
        dialogs = ScriptedDialogs();
        auto window = std::make_unique<TMDIChild>(context, &printer, &dialogs);
        window->prepareNewSet(QStringLiteral("/tmp/karten.ql3"));
        for (int i = 0; i < count; ++i) {
            if (i > 0)
                window->AddCard();
            window->Vorderseite()->setPlainText(QStringLiteral("Frage %1").arg(i + 1));
            window->Rueckseite()->setPlainText(QStringLiteral("Antwort %1").arg(i + 1));
        }
        window->StoreCurrentCard();
        for (int i = 0; i < count; ++i)
            window->Set().Boxes[i] = 1 + i % 4;
        window->setModified(false);
        return window;
    }
    static QStringList labels(const TMDIChild &window)
    {
        QStringList result;
        for (int i = 0; i < window.Kartenliste()->count(); ++i)
            result.append(window.Kartenliste()->item(i)->text());
        return result;
    }

private slots:
    void moveShiftsTheCardsBetween()
    {
        CardSet set = lettered(5);
        QVERIFY(CardOperations::moveCard(set, 1, 4));
        QCOMPARE(fronts(set), QByteArray("ACDEB"));
        QCOMPARE(set.Backs.join(), QByteArray("acdeb"));
        QCOMPARE(set.Boxes, (QList<qint32>{1, 3, 4, 1, 2}));
        QCOMPARE(set.CurrentIndex, 4);

        QVERIFY(CardOperations::moveCard(set, 4, 0));
        QCOMPARE(fronts(set), QByteArray("BACDE"));
        QCOMPARE(set.Boxes, (QList<qint32>{2, 1, 3, 4, 1}));

        const CardSet before = set;
        QVERIFY(!CardOperations::moveCard(set, 2, 2));
        QVERIFY(!CardOperations::moveCard(set, 2, 5));
        QVERIFY(!CardOperations::moveCard(set, -1, 0));
        QCOMPARE(fronts(set), fronts(before));
        QCOMPARE(set.CurrentIndex, before.CurrentIndex);
    }

    void removeTakesOneCardFromEveryList()
    {
        CardSet set = lettered(3);
        QVERIFY(!CardOperations::removeCard(set, 3));
        QVERIFY(CardOperations::removeCard(set, 1));
        QCOMPARE(fronts(set), QByteArray("AC"));
        QCOMPARE(set.Boxes, (QList<qint32>{1, 3}));
        QVERIFY(set.listsConsistent());
        QCOMPARE(set.CurrentIndex, -1);
    }

    void deletingTheOnlyCardLeavesAFreshOne()
    {
        auto window = makeWindow(1);
        window->Set().Boxes[0] = 3;
        QVERIFY(!window->DeleteCard());
        QCOMPARE(dialogs.questions, QStringList{QStringLiteral("Soll die Karteikarte wirklich gelöscht werden?")});
        QCOMPARE(window->Vorderseite()->toPlainText(), QStringLiteral("Frage 1"));
        QVERIFY(!window->Modified());

        dialogs.questionAnswers = {true};
        QVERIFY(window->DeleteCard());
        QCOMPARE(labels(*window), QStringList{QStringLiteral("Karte 1")});
        QCOMPARE(window->Set().Boxes, QList<qint32>{1});
        QCOMPARE(window->Set().CurrentIndex, 0);
        QVERIFY(window->Vorderseite()->toPlainText().isEmpty());
        window->StoreCurrentCard();
        QVERIFY(window->Modified());
        QVERIFY(!window->Set().Fronts.constFirst().contains("Frage"));
    }

    void deletingRenumbersAndShowsTheFirstCard()
    {
        auto window = makeWindow(5);
        window->selectCard(2);
        // Typed into the card being deleted: discarded, stored nowhere.
        window->Vorderseite()->setPlainText(QStringLiteral("verworfen"));
        dialogs.questionAnswers = {true};
        QVERIFY(window->DeleteCard());
        QCOMPARE(labels(*window), (QStringList{QStringLiteral("Karte 1"), QStringLiteral("Karte 2"), QStringLiteral("Karte 3"),
                                               QStringLiteral("Karte 4")}));
        QCOMPARE(window->Set().Boxes, (QList<qint32>{1, 2, 4, 1}));
        QCOMPARE(window->Set().CurrentIndex, 0);
        QCOMPARE(window->Kartenliste()->currentRow(), 0);
        QCOMPARE(window->Vorderseite()->toPlainText(), QStringLiteral("Frage 1"));
        QVERIFY(window->Modified());
        window->selectCard(2);
        QCOMPARE(window->Vorderseite()->toPlainText(), QStringLiteral("Frage 4"));
        QCOMPARE(window->Rueckseite()->toPlainText(), QStringLiteral("Antwort 4"));
        for (const QByteArray &face : window->Set().Fronts)
            QVERIFY(!face.contains("verworfen"));
    }

    void movingTakesFacesAndBoxAlong()
    {
        auto window = makeWindow(5);
        window->selectCard(1);
        window->moveCurrentCardTo(1);
        QVERIFY(!window->Modified());

        window->moveCurrentCardTo(4);
        QVERIFY(window->Modified());
        QCOMPARE(window->Set().CurrentIndex, 4);
        QCOMPARE(window->Kartenliste()->currentRow(), 4);
        QCOMPARE(window->Vorderseite()->toPlainText(), QStringLiteral("Frage 2"));
        QCOMPARE(window->Set().Boxes, (QList<qint32>{1, 3, 4, 1, 2}));
        QCOMPARE(labels(*window).last(), QStringLiteral("Karte 5"));
        window->selectCard(1);
        QCOMPARE(window->Vorderseite()->toPlainText(), QStringLiteral("Frage 3"));
        QCOMPARE(window->Rueckseite()->toPlainText(), QStringLiteral("Antwort 3"));
    }

    void wholeCardPasteReplacesBothFacesOnly()
    {
        auto source = makeWindow(2);
        source->Vorderseite()->setPlainText(QStringLiteral("ungespeichert"));
        QByteArray front;
        QByteArray back;
        source->copyWholeCard(front, back);

        auto target = makeWindow(3);
        target->selectCard(1);
        target->setModified(false);
        target->pasteWholeCard(front, back);
        QVERIFY(target->Modified());
        QCOMPARE(target->Vorderseite()->toPlainText(), QStringLiteral("ungespeichert"));
        QCOMPARE(target->Rueckseite()->toPlainText(), QStringLiteral("Antwort 2"));
        target->selectCard(0);
        target->selectCard(1);
        QCOMPARE(target->Vorderseite()->toPlainText(), QStringLiteral("ungespeichert"));
        QCOMPARE(target->Set().count(), 3);
        QCOMPARE(target->Set().Boxes.at(1), 2);
    }

    void marksFromTheLastItemOn()
    {
        auto window = makeWindow(3);
        window->selectCard(2);
        window->findChild<QAction *>(QStringLiteral("Vonhierabselektieren1"))->trigger();
        QCOMPARE(window->Kartenliste()->item(1)->checkState(), Qt::Unchecked);
        QCOMPARE(window->Kartenliste()->item(2)->checkState(), Qt::Checked);
        window->findChild<QAction *>(QStringLiteral("AlleEintraegeselektieren1"))->trigger();
        window->selectCard(1);
        window->findChild<QAction *>(QStringLiteral("Vonhieramdeselektieren1"))->trigger();
        QCOMPARE(window->Kartenliste()->item(0)->checkState(), Qt::Checked);
        QCOMPARE(window->Kartenliste()->item(1)->checkState(), Qt::Unchecked);
        QCOMPARE(window->Kartenliste()->item(2)->checkState(), Qt::Unchecked);
        QVERIFY(!window->Modified());
    }
};

QTEST_MAIN(TestCardOperations)
#include "tst_cardoperations.moc"
