#include "../editor/ScriptedDialogs.h"

#include "app/TMainForm.h"
#include "editor/TMDIChild.h"
#include "editor/TMyRxRichEdit.h"
#include "editor/TextFormatRules.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QFontComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextList>
#include <QToolButton>

class TestFormatting : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir folder;
    ScriptedDialogs dialogs;
    std::unique_ptr<TMainForm> form;
    TMDIChild *document = nullptr;

    // A new set whose front reads "Hallo Welt" and back "Antwort", not
    // modified, the front page shown.
    void open()
    {
        dialogs = ScriptedDialogs();
        form = std::make_unique<TMainForm>();
        form->setDialogs(&dialogs);
        form->resize(1200, 800);
        form->show();
        dialogs.saveAnswers.append(folder.filePath(QStringLiteral("format.ql3")));
        form->action(MainCommand::FileNew)->trigger();
        document = form->ActiveDocument();
        document->Vorderseite()->setPlainText(QStringLiteral("Hallo Welt"));
        document->Rueckseite()->setPlainText(QStringLiteral("Antwort"));
        save();
    }
    // Saving is what makes the set unmodified again.
    void save()
    {
        form->action(MainCommand::Save)->trigger();
        QVERIFY(!document->Modified());
    }
    // Selects characters [from, to) of the face.
    static void select(TMyRxRichEdit *face, int from, int to)
    {
        QTextCursor cursor = face->textCursor();
        cursor.setPosition(from);
        cursor.setPosition(to, QTextCursor::KeepAnchor);
        face->setTextCursor(cursor);
    }
    static QTextCharFormat formatAt(TMyRxRichEdit *face, int position)
    {
        QTextCursor cursor(face->document());
        cursor.setPosition(position + 1);
        return cursor.charFormat();
    }
    void click(MainCommand command) { form->button(command)->click(); }
    QFontComboBox *fontCombo() const { return form->fontCombo(); }
    QSpinBox *fontSize() const { return form->fontSizeBox(); }
    QString otherFamily() const
    {
        for (int i = 0; i < fontCombo()->count(); ++i) {
            if (fontCombo()->itemText(i) != QLatin1String("Arial"))
                return fontCombo()->itemText(i);
        }
        return QString();
    }

private slots:
    void cleanup() { form.reset(); }

    void stylesToggleOnTheSelectionOrTheNextTyping()
    {
        open();
        TMyRxRichEdit *front = document->Vorderseite();
        select(front, 6, 10);
        click(MainCommand::Bold);
        QVERIFY(formatAt(front, 6).fontWeight() >= QFont::Bold);
        QVERIFY(formatAt(front, 0).fontWeight() < QFont::Bold);
        // Formatted text is a change of the face.
        QVERIFY(document->Modified());
        click(MainCommand::Bold);
        QVERIFY(formatAt(front, 6).fontWeight() < QFont::Bold);
        click(MainCommand::Italic);
        click(MainCommand::Underline);
        QVERIFY(formatAt(front, 8).fontItalic());
        QVERIFY(formatAt(front, 8).fontUnderline());

        // Nothing selected: only what is typed next, no change of the set.
        save();
        QTextCursor end = front->textCursor();
        end.movePosition(QTextCursor::End);
        front->setTextCursor(end);
        click(MainCommand::Bold);
        QVERIFY(!document->Modified());
        QCOMPARE(front->toPlainText(), QStringLiteral("Hallo Welt"));
        QTest::keyClicks(front, QStringLiteral("!"));
        QVERIFY(formatAt(front, 10).fontWeight() >= QFont::Bold);
        QVERIFY(document->Rueckseite()->toPlainText() == QStringLiteral("Antwort"));
    }

    void optionsPageFormatsTheHeaderLine()
    {
        open();
        const QByteArray frontBefore = document->Vorderseite()->saveRtf();
        document->showPage(TMDIChild::OptionsPage);
        click(MainCommand::Bold);
        QVERIFY(document->Set().printOptions().HeaderFont.Bold);
        QVERIFY(document->KopfZeile()->font().bold());
        // The header's look is saved with the set.
        QVERIFY(document->Modified());

        fontSize()->setValue(20);
        QCOMPARE(document->Set().printOptions().HeaderFont.Size, 20);
        QCOMPARE(document->CopyEdit()->font().pointSize(), 20);
        const QString family = otherFamily();
        fontCombo()->setCurrentFont(QFont(family));
        QCOMPARE(document->Set().printOptions().HeaderFont.Name, fontCombo()->currentFont().family());

        dialogs.colorAnswers = {QColor(0, 0, 255)};
        form->findChild<QAction *>(QStringLiteral("WeitereFarben"))->trigger();
        QCOMPARE(document->Set().printOptions().HeaderFont.Color, StoredColor::fromRgb(0, 0, 255));
        form->backColorButton()->click();
        QCOMPARE(document->Set().printOptions().HeaderColor, StoredColor::White);

        // Alignment, numbering and the back colour dialog have no header target.
        dialogs.colorAnswers = {QColor(1, 2, 3)};
        for (MainCommand command : {MainCommand::AlignLeft, MainCommand::AlignCenter, MainCommand::AlignRight, MainCommand::Bullets,
                                    MainCommand::BackColorDialog})
            click(command);
        QCOMPARE(dialogs.colorAnswers.size(), 1);
        QCOMPARE(document->Vorderseite()->saveRtf(), frontBefore);
    }

    void sizeMarksTheSetOnEveryPage()
    {
        open();
        fontSize()->setValue(30);
        QVERIFY(document->Modified());
        save();
        fontCombo()->setCurrentFont(QFont(otherFamily()));
        QVERIFY(!document->Modified());
    }

    void coloursFromPaletteButtonFaceAndDialog()
    {
        open();
        TMyRxRichEdit *front = document->Vorderseite();
        select(front, 0, 5);
        QToolButton *textButton = form->textColorButton();
        QAction *red = nullptr;
        for (QAction *entry : textButton->menu()->actions()) {
            if (entry->text() == QLatin1String("Rot"))
                red = entry;
        }
        QVERIFY(red);
        red->trigger();
        QCOMPARE(formatAt(front, 0).foreground().color(), QColor(255, 0, 0));
        QCOMPARE(textButton->property("color").value<QColor>(), QColor(255, 0, 0));
        select(front, 6, 10);
        textButton->click();
        QCOMPARE(formatAt(front, 6).foreground().color(), QColor(255, 0, 0));

        form->backColorButton()->click();
        QCOMPARE(formatAt(front, 6).background().color(), QColor(Qt::white));
        QVERIFY(!form->button(MainCommand::TextColorDialog)->isVisible());
        dialogs.colorAnswers = {QColor(0, 128, 0), QColor(255, 255, 0), QColor()};
        click(MainCommand::TextColorDialog);
        click(MainCommand::BackColorDialog);
        QCOMPARE(formatAt(front, 6).foreground().color(), QColor(0, 128, 0));
        QCOMPARE(formatAt(front, 6).background().color(), QColor(255, 255, 0));
        // A cancelled dialog changes nothing.
        click(MainCommand::TextColorDialog);
        QCOMPARE(formatAt(front, 6).foreground().color(), QColor(0, 128, 0));
    }

    void alignmentByTagAndBulletsOnTheFaceShown()
    {
        open();
        TMyRxRichEdit *front = document->Vorderseite();
        click(MainCommand::AlignRight);
        QCOMPARE(front->document()->firstBlock().blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
        click(MainCommand::AlignCenter);
        QCOMPARE(front->document()->firstBlock().blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
        click(MainCommand::AlignLeft);
        QCOMPARE(front->document()->firstBlock().blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);

        save();
        QTest::keyClick(front, Qt::Key_F3);
        QTextList *list = front->document()->firstBlock().textList();
        QVERIFY(list);
        QCOMPARE(list->format().style(), QTextListFormat::ListDisc);
        QVERIFY(list->format().indent() * front->document()->indentWidth() * 0.75 >= 10);
        QVERIFY(!document->Rueckseite()->document()->firstBlock().textList());
        // Stored and shown again, the bullet is still there.
        document->StoreCurrentCard();
        document->ShowCurrentCard();
        QVERIFY(front->document()->firstBlock().textList());
        click(MainCommand::Bullets);
        QVERIFY(!front->document()->firstBlock().textList());
        QCOMPARE(front->document()->firstBlock().blockFormat().indent(), 0);
        QCOMPARE(front->toPlainText(), QStringLiteral("Hallo Welt"));
    }

    void standardFontFromTheFaceOfThePage()
    {
        open();
        const FontRecord frontBefore = document->Set().StandardFontFront();
        TMyRxRichEdit *back = document->Rueckseite();
        select(back, 0, 7);
        const QString family = otherFamily();
        QTextCharFormat change;
        change.setFontFamilies({family});
        change.setFontPointSize(17);
        change.setFontItalic(true);
        change.setForeground(QColor(10, 20, 30));
        back->mergeCurrentCharFormat(change);
        save();

        document->showPage(TMDIChild::OptionsPage);
        form->action(MainCommand::AsStandardFont)->trigger();
        QVERIFY(document->Modified());
        QCOMPARE(document->Set().StandardFontFront(), frontBefore);
        const FontRecord font = document->Set().StandardFontBack();
        QCOMPARE(font.Name, family);
        QCOMPARE(font.Size, 17);
        QVERIFY(font.Italic && !font.Bold);
        QCOMPARE(font.Color, StoredColor::fromRgb(10, 20, 30));

        // The next card's back starts in it.
        click(MainCommand::NewCard);
        QTest::keyClicks(back, QStringLiteral("x"));
        QCOMPARE(formatAt(back, 0).font().family(), family);
    }

    void toolbarFollowsTheCaretWithoutChangingTheText()
    {
        open();
        TMyRxRichEdit *front = document->Vorderseite();
        const QString family = otherFamily();
        select(front, 6, 10);
        QTextCharFormat change;
        change.setFontFamilies({family});
        change.setFontPointSize(22);
        front->mergeCurrentCharFormat(change);
        save();
        const QByteArray before = front->saveRtf();

        QTextCursor caret = front->textCursor();
        caret.setPosition(8);
        front->setTextCursor(caret);
        QCOMPARE(fontCombo()->currentText(), family);
        QCOMPARE(fontSize()->value(), 22);
        caret.setPosition(2);
        front->setTextCursor(caret);
        // Arial may not be installed: then no entry is chosen.
        QCOMPARE(fontCombo()->currentIndex(), fontCombo()->findText(QStringLiteral("Arial")));
        QCOMPARE(fontSize()->value(), 12);
        QCOMPARE(front->saveRtf(), before);
        QVERIFY(!document->Modified());
        QVERIFY(!form->UpdatingToolbar);

        change = QTextCharFormat();
        change.setFontFamilies({QStringLiteral("Keine Solche Schrift")});
        select(front, 0, 2);
        front->mergeCurrentCharFormat(change);
        caret.setPosition(1);
        front->setTextCursor(caret);
        QCOMPARE(fontCombo()->currentIndex(), -1);
    }
};

QTEST_MAIN(TestFormatting)
#include "tst_formatting.moc"
