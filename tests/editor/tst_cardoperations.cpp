#include "ScriptedDialogs.h"

#include "cardset/CardSet.h"
#include "cardset/ScratchFile.h"
#include "editor/TMDIChild.h"
#include "editor/TMyRxRichEdit.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QApplication>
#include <QListView>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>

class TestCardOperations : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir folder;
    CardSetFileContext context{ScratchFile::makeWorkFilePath(folder.path()), PageOrientation::Portrait};
    QPrinter printer;
    ScriptedDialogs dialogs;
    std::unique_ptr<QAbstractItemModelTester> modelTester;

    // A saved set of `count` cards whose fronts read "Frage 1", "Frage 2",
    // ... and whose boxes are 1, 2, 3, 4, 1, ...; its card list is checked
    // for every change it follows.
    std::unique_ptr<TMDIChild> makeWindow(int count)
    {
        dialogs = ScriptedDialogs();
        auto window = std::make_unique<TMDIChild>(context, &printer, &dialogs);
        const QString file = folder.filePath(QStringLiteral("karten.ql3"));
        window->prepareNewSet(file);
        for (int i = 0; i < count; ++i) {
            if (i > 0)
                window->AddCard();
            window->Vorderseite()->setPlainText(QStringLiteral("Frage %1").arg(i + 1));
            window->Rueckseite()->setPlainText(QStringLiteral("Antwort %1").arg(i + 1));
        }
        window->StoreCurrentCard();
        for (int i = 0; i < count; ++i)
            window->Set().setBox(i, 1 + i % 4);
        CardSetFile::SaveCardSet(window->Set(), file, context);
        modelTester = std::make_unique<QAbstractItemModelTester>(window->Kartenliste()->model(),
                                                                 QAbstractItemModelTester::FailureReportingMode::QtTest);
        return window;
    }
    static QStringList labels(const TMDIChild &window)
    {
        QStringList result;
        const QAbstractItemModel *model = window.Kartenliste()->model();
        for (int i = 0; i < model->rowCount(); ++i)
            result.append(model->index(i, 0).data().toString());
        return result;
    }
    static QList<qint32> boxes(const CardSet &set)
    {
        QList<qint32> result;
        for (int i = 0; i < set.count(); ++i)
            result.append(set.box(i));
        return result;
    }
    static Qt::CheckState mark(const TMDIChild &window, int row)
    {
        return window.Kartenliste()->model()->index(row, 0).data(Qt::CheckStateRole).value<Qt::CheckState>();
    }

private slots:
    void deletingTheOnlyCardLeavesAFreshOne()
    {
        auto window = makeWindow(1);
        QVERIFY(!window->DeleteCard());
        QCOMPARE(dialogs.questions, QStringList{QStringLiteral("Soll die Karteikarte wirklich gelöscht werden?")});
        QCOMPARE(window->Vorderseite()->toPlainText(), QStringLiteral("Frage 1"));
        QVERIFY(!window->Modified());

        dialogs.questionAnswers = {true};
        QVERIFY(window->DeleteCard());
        QCOMPARE(labels(*window), QStringList{QStringLiteral("Karte 1")});
        QCOMPARE(boxes(window->Set()), QList<qint32>{1});
        QCOMPARE(window->Set().CurrentIndex(), 0);
        QVERIFY(window->Vorderseite()->toPlainText().isEmpty());
        window->StoreCurrentCard();
        QVERIFY(window->Modified());
        QVERIFY(!window->Set().front(0).contains("Frage"));
    }

    void deletingRenumbersAndShowsTheFirstCard()
    {
        auto window = makeWindow(5);
        window->selectCard(2);
        // Typed into the card being deleted: discarded, stored nowhere.
        window->Vorderseite()->setPlainText(QStringLiteral("verworfen"));
        dialogs.questionAnswers = {true};
        QVERIFY(window->DeleteCard());
        QCOMPARE(labels(*window),
                 (QStringList{QStringLiteral("Karte 1"), QStringLiteral("Karte 2"), QStringLiteral("Karte 3"), QStringLiteral("Karte 4")}));
        QCOMPARE(boxes(window->Set()), (QList<qint32>{1, 2, 4, 1}));
        QCOMPARE(window->Set().CurrentIndex(), 0);
        QCOMPARE(window->selectedCard(), 0);
        QCOMPARE(window->Vorderseite()->toPlainText(), QStringLiteral("Frage 1"));
        QVERIFY(window->Modified());
        window->selectCard(2);
        QCOMPARE(window->Vorderseite()->toPlainText(), QStringLiteral("Frage 4"));
        QCOMPARE(window->Rueckseite()->toPlainText(), QStringLiteral("Antwort 4"));
        for (int i = 0; i < window->Set().count(); ++i)
            QVERIFY(!window->Set().front(i).contains("verworfen"));
    }

    void movingTakesFacesAndBoxAlong()
    {
        auto window = makeWindow(5);
        window->selectCard(1);
        window->moveCurrentCardTo(1);
        QVERIFY(!window->Modified());

        window->moveCurrentCardTo(4);
        QVERIFY(window->Modified());
        QCOMPARE(window->Set().CurrentIndex(), 4);
        QCOMPARE(window->selectedCard(), 4);
        QCOMPARE(window->Vorderseite()->toPlainText(), QStringLiteral("Frage 2"));
        QCOMPARE(boxes(window->Set()), (QList<qint32>{1, 3, 4, 1, 2}));
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
        QVERIFY(!target->Modified());
        target->pasteWholeCard(front, back);
        QVERIFY(target->Modified());
        QCOMPARE(target->Vorderseite()->toPlainText(), QStringLiteral("ungespeichert"));
        QCOMPARE(target->Rueckseite()->toPlainText(), QStringLiteral("Antwort 2"));
        target->selectCard(0);
        target->selectCard(1);
        QCOMPARE(target->Vorderseite()->toPlainText(), QStringLiteral("ungespeichert"));
        QCOMPARE(target->Set().count(), 3);
        QCOMPARE(target->Set().box(1), 2);
    }

    void marksAndBrowsingLeaveModifiedAlone()
    {
        auto window = makeWindow(3);
        QVERIFY(window->Kartenliste()->model()->setData(window->Kartenliste()->model()->index(1, 0), Qt::Checked, Qt::CheckStateRole));
        QCOMPARE(window->Set().markedCards(), QList<int>{1});
        window->ShowCurrentCard();
        window->StoreCurrentCard();
        window->showPage(TMDIChild::OptionsPage);
        window->selectCard(2);
        window->findChild<QAction *>(QStringLiteral("KeinenEintragselektieren1"))->trigger();
        window->findChild<QAction *>(QStringLiteral("Vonhierabselektieren1"))->trigger();
        QCOMPARE(mark(*window, 1), Qt::Unchecked);
        QCOMPARE(mark(*window, 2), Qt::Checked);
        window->findChild<QAction *>(QStringLiteral("AlleEintraegeselektieren1"))->trigger();
        window->selectCard(1);
        window->findChild<QAction *>(QStringLiteral("Vonhieramdeselektieren1"))->trigger();
        QCOMPARE(window->Set().markedCards(), QList<int>{0});
        QVERIFY(!window->Modified());
    }
};

QTEST_MAIN(TestCardOperations)
#include "tst_cardoperations.moc"
