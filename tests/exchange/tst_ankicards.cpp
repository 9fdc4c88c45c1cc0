#include "../TestFiles.h"
#include "exchange/AnkiCards.h"
#include "exchange/AnkiCloze.h"
#include "exchange/AnkiTemplateRenderer.h"

#include "cardset/CardSet.h"
#include "richtext/RtfReader.h"

#include <QTest>
#include <QTextDocument>

namespace {

using Side = AnkiTemplateRenderer::Side;

QString rendered(const QString &format, Side side, const QStringList &fields, bool *showsField = nullptr)
{
    const QStringList names = {QStringLiteral("Vorne"), QStringLiteral("Hinten"), QStringLiteral("Extra")};
    const QStringList tags = {QStringLiteral("verben")};
    return AnkiTemplateRenderer(format, side, names).render({fields, tags, {}, QStringLiteral("Sprachen::Latein"), {}, 0}, showsField);
}

AnkiNoteType basic()
{
    return {
        1,
        QStringLiteral("Einfach (mit Rückrichtung)"),
        AnkiNoteType::Kind::Standard,
        {QStringLiteral("Vorderseite"), QStringLiteral("Rückseite")},
        {{QStringLiteral("Karte 1"), 0, QStringLiteral("{{Vorderseite}}"), QStringLiteral("{{FrontSide}}<hr id=answer>{{Rückseite}}")},
         {QStringLiteral("Karte 2"), 1, QStringLiteral("{{Rückseite}}"), QStringLiteral("{{FrontSide}}<hr id=answer>{{Vorderseite}}")}}};
}

// The face's lines, an object as U+FFFC.
QString text(const QByteArray &face)
{
    QTextDocument document;
    RtfReader::read(face, document);
    return document.toPlainText().replace(u'\n', u'|');
}

} // namespace

class TestAnkiCards : public QObject
{
    Q_OBJECT

private:
    // Two decks and a sub-deck, and one whose name only begins alike.
    static AnkiCollection collection()
    {
        AnkiCollection c;
        c.noteTypes = {basic()};
        c.decks = {{10, QStringLiteral("Sprachen")}, {11, QStringLiteral("Sprachen::Latein")}, {12, QStringLiteral("Sprachenkurs")}};
        c.notes = {{100, 1, {QStringLiteral("amo"), QStringLiteral("ich liebe")}, {}},
                   {101, 1, {QStringLiteral("<b>video</b>"), QStringLiteral("ich sehe")}, {QStringLiteral("kasten::4")}},
                   {102, 1, {QStringLiteral("<br>"), QStringLiteral("leer vorne")}, {}}};
        c.cards = {{1, 100, 11, 0, 0, 0, 0},  {2, 100, 11, 1, 2, 2, 6}, {3, 101, 10, 0, 2, -1, 29},
                   {4, 101, 12, 1, 2, 0, 30}, {5, 102, 10, 0, 0, 0, 0}, {6, 102, 10, 1, 1, 1, 0}};
        return c;
    }

private slots:
    void templatesRenderAsOnPaper()
    {
        const QStringList full = {QStringLiteral("Frage"), QStringLiteral("<i>Antwort</i>"), QStringLiteral(" <br>&nbsp;")};
        QCOMPARE(rendered(QStringLiteral("{{#Extra}}E{{/Extra}}{{^Extra}}kein {{ Vorne }}{{/Extra}}"), Side::Question, full),
                 QStringLiteral("kein Frage"));
        QCOMPARE(rendered(QStringLiteral("{{#Hinten}}[{{#Vorne}}{{Vorne}}{{/Vorne}}]{{/Hinten}}"), Side::Question, full),
                 QStringLiteral("[Frage]"));
        QCOMPARE(rendered(QStringLiteral("{{#Extra}}x{{/Extra}}"), Side::Question, {{}, {}, QStringLiteral("<img src=a.png>")}),
                 QStringLiteral("x"));
        // The answer side leaves out the question and the line after it.
        for (const char *line : {"<hr id=answer>", "\n<HR id=\"answer\">", " <hr  id='answer' />"}) {
            QCOMPARE(rendered(QStringLiteral("{{FrontSide}}%1\n{{Hinten}}").arg(QLatin1String(line)), Side::Answer, full),
                     QStringLiteral("\n<i>Antwort</i>"));
        }
        QCOMPARE(rendered(QStringLiteral("{{FrontSide}}<hr id=answer>"), Side::Question, full), QStringLiteral("<hr id=answer>"));
        QCOMPARE(rendered(QStringLiteral("A<hr id=answer>{{Hinten}}"), Side::Answer, full),
                 QStringLiteral("A<hr id=answer><i>Antwort</i>"));
        // Filters: text without markup, nothing to type on the question side.
        QCOMPARE(rendered(QStringLiteral("{{text:Hinten}}/{{hint:Hinten}}/{{type:Hinten}}/{{Tags}}/{{Subdeck}}"), Side::Question, full),
                 QStringLiteral("Antwort/<i>Antwort</i>//verben/Latein"));
        QCOMPARE(rendered(QStringLiteral("{{type:Hinten}}"), Side::Answer, full), QStringLiteral("Antwort"));
        // A question showing no field that is filled, and markup left open.
        bool shows = false;
        QCOMPARE(rendered(QStringLiteral("Text {{Extra}}"), Side::Question, full, &shows), QStringLiteral("Text  <br>&nbsp;"));
        QVERIFY(!shows);
        QCOMPARE(rendered(QStringLiteral("{{#Vorne}}a{{/Hinten}}{{Vorne"), Side::Question, full), QStringLiteral("a{{Vorne"));

        const AnkiTemplateRenderer unknown(QStringLiteral("{{Vorne}} {{#Bild}}{{/Bild}} {{Wort}}"), Side::Question, {"Vorne"});
        QCOMPARE(unknown.unknownField(), QStringLiteral("Bild"));
    }

    void clozeSidesForEachNumber()
    {
        const QString field = QStringLiteral("{{c1::Paris}} liegt an der {{c2::Seine::Fluss}}, {{c1::Lyon}} an der Rhône.");
        QCOMPARE(AnkiCloze::question(field, 1), QStringLiteral("[…] liegt an der Seine, […] an der Rhône."));
        QCOMPARE(AnkiCloze::question(field, 2), QStringLiteral("Paris liegt an der [Fluss], Lyon an der Rhône."));
        QCOMPARE(AnkiCloze::answer(field, 2), QStringLiteral("Paris liegt an der <b>Seine</b>, Lyon an der Rhône."));
        QCOMPARE(AnkiCloze::deletions(field, 1), (QStringList{"Paris", "Lyon"}));

        const QString nested = QStringLiteral("{{c1::Die {{c2::Hauptstadt}} Frankreichs}}");
        QCOMPARE(AnkiCloze::question(nested, 1), QStringLiteral("[…]"));
        QCOMPARE(AnkiCloze::question(nested, 2), QStringLiteral("Die […] Frankreichs"));
        QCOMPARE(AnkiCloze::answer(nested, 1), QStringLiteral("<b>Die Hauptstadt Frankreichs</b>"));
        // Markup that never closes is its own text; deep nesting neither
        // overflows the stack nor takes long.
        QCOMPARE(AnkiCloze::question(QStringLiteral("a {{c1::b::c {{c2::d}} e"), 2), QStringLiteral("a {{c1::b::c […] e"));
        QCOMPARE(AnkiCloze::question(QStringLiteral("}} {{c1:: x"), 1), QStringLiteral("}} {{c1:: x"));
        const QString deep = QStringLiteral("{{c1::").repeated(200000) + QStringLiteral("x") + QStringLiteral("}}").repeated(200000);
        QCOMPARE(AnkiCloze::answer(deep, 1).count(QStringLiteral("x")), 1);
        QVERIFY(AnkiCloze::question(QStringLiteral("{{c1::").repeated(100000), 1).size() > 0);
    }

    void decksBoxesAndMarks()
    {
        const AnkiCollection c = collection();
        const auto build = [&c](const QString &deck) { return AnkiCards::build(c, deck, CardSet::newSetFont(), CardSet::newSetFont(), 0); };
        const AnkiCards all = build(QString());
        QVERIFY(all.ok());
        // The card whose question shows no field is left out; its reverse is not.
        QCOMPARE(all.cards.size(), 5);
        QCOMPARE(text(all.cards.at(0).Front), QStringLiteral("amo"));
        QCOMPARE(text(all.cards.at(0).Back), QStringLiteral("ich liebe"));
        QCOMPARE(text(all.cards.at(1).Front), QStringLiteral("ich liebe"));
        QCOMPARE(text(all.cards.at(4).Front), QStringLiteral("leer vorne"));
        QList<int> boxes;
        QList<bool> marks;
        for (const Card &card : all.cards) {
            boxes.append(card.Box);
            marks.append(card.Marked);
        }
        QCOMPARE(boxes, (QList<int>{1, 2, 4, 4, 1}));
        QCOMPARE(marks, (QList<bool>{true, true, false, true, true}));
        QCOMPARE(AnkiCards::boxOf({3, 0, 0, 0, 2, 0, 29}, {}), 3);

        QCOMPARE(build(QStringLiteral("sprachen")).cards.size(), 4);
        QCOMPARE(build(QStringLiteral("Sprachen::Latein")).cards.size(), 2);
        QCOMPARE(build(QStringLiteral("Sprachen::Latein::Verben")).error,
                 (AnkiProblem{AnkiProblem::Kind::UnknownDeck, QStringLiteral("Sprachen::Latein::Verben"), 0}));
        AnkiCollection empty = collection();
        empty.decks.append({13, QStringLiteral("Leer")});
        QCOMPARE(AnkiCards::build(empty, QStringLiteral("Leer"), {}, {}, 0).error.kind, AnkiProblem::Kind::NoCards);

        QCOMPARE(AnkiCards::deckChoices(c), (QStringList{"Sprachen", "Sprachen::Latein", "Sprachenkurs"}));
        QCOMPARE(AnkiCards::setName(c, QString(), QStringLiteral("/x/paket.apkg")), QStringLiteral("paket"));
        QCOMPARE(AnkiCards::setName(c, QStringLiteral("sprachen::latein"), QString()), QStringLiteral("Sprachen::Latein"));
    }

    void templateNamingNoFieldStops()
    {
        AnkiCollection c = collection();
        c.noteTypes[0].templates[1].answerFormat = QStringLiteral("{{Vorderseite}} {{Bemerkung}}");
        const AnkiCards cards = AnkiCards::build(c, QString(), {}, {}, 0);
        QCOMPARE(cards.error, (AnkiProblem{AnkiProblem::Kind::UnknownField, QStringLiteral("Bemerkung"), 100}));
        QVERIFY(cards.cards.isEmpty());
    }

    void soundsBecomePackagedObjects()
    {
        AnkiCollection c;
        c.media = std::make_unique<QTemporaryDir>();
        const QByteArray sound("ID3 Ton\0\xff", 9);
        writeFile(c.mediaFolder() + QStringLiteral("/hallo.mp3"), sound);
        c.noteTypes = {basic()};
        c.noteTypes[0].kind = AnkiNoteType::Kind::Cloze;
        c.noteTypes[0].templates = {{QStringLiteral("Lückentext"), 0, QStringLiteral("{{cloze:Vorderseite}}<script>x()</script>"),
                                     QStringLiteral("{{cloze:Vorderseite}}<br>{{Rückseite}}")}};
        c.decks = {{1, QStringLiteral("Default")}};
        c.notes = {{7, 1, {QStringLiteral("{{c1::Hallo}} [sound:hallo.mp3] \\(x^2\\)"), QStringLiteral("[sound:fehlt.mp3] Gruß")}, {}}};
        c.cards = {{1, 7, 1, 0, 0, 0, 0}, {2, 7, 1, 0, 0, 0, 0}};
        const AnkiCards cards = AnkiCards::build(c, QString(), CardSet::newSetFont(), CardSet::newSetFont(), 0);
        QVERIFY(cards.ok());
        const Card &card = cards.cards.at(0);
        QCOMPARE(text(card.Front), QStringLiteral("[…] \uFFFC \\(x^2\\)"));
        QCOMPARE(text(card.Back), QStringLiteral("Hallo \uFFFC \\(x^2\\)| Gruß"));
        QVERIFY(card.Front.contains("{\\object\\objemb{\\*\\objclass Package}"));
        const qsizetype data = card.Front.indexOf("\\objdata");
        QVERIFY(QByteArray::fromHex(card.Front.mid(data + 8, card.Front.indexOf('}', data) - data - 8).simplified().replace(" ", ""))
                    .contains(sound));
        // Each kind once, however many cards have it.
        QCOMPARE(cards.warnings,
                 (QList<AnkiProblem>{{AnkiProblem::Kind::Script, {}, 7},
                                     {AnkiProblem::Kind::MathJax, {}, 7},
                                     {AnkiProblem::Kind::Sound, {}, 7},
                                     {AnkiProblem::Kind::MissingSound, QStringLiteral("fehlt.mp3"), 7}}));
    }
};

QTEST_MAIN(TestAnkiCards)
#include "tst_ankicards.moc"
