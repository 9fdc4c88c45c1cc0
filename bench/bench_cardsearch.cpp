// "Suchen" for a text that no card holds, in a set of 10,000 cards with
// typical formatted faces of about 1 KB: the step reads every face after
// the current one and reaches the question at the end of the set (answered
// No here). Measured through the main window's command, including the
// switch to the card the step ends on; the goal is under 0.3 s.
#include "app/TMainForm.h"
#include "editor/CardSearch.h"
#include "editor/FindDialog.h"
#include "editor/TMDIChild.h"
#include "editor/UserDialogs.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QLineEdit>

namespace {

constexpr int kCards = 10000;

QByteArray typicalFace(int n, const char *topic)
{
    QByteArray rtf = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1031{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}"
                     "{\\f1\\fnil\\fcharset2 Symbol;}}\r\n{\\colortbl ;\\red192\\green0\\blue0;\\red0\\green0\\blue255;}\r\n"
                     "\\viewkind4\\uc1\\pard\\qc\\b\\f0\\fs28 ";
    rtf += topic;
    rtf += ' ';
    rtf += QByteArray::number(n);
    rtf += "\\b0\\fs24\\par\r\n\\pard Ein \\i l\\'e4ngerer\\i0  Absatz mit \\cf1 farbigem\\cf0  Text, "
           "Umlauten wie \\'f6 und \\'fc und einem \\ul unterstrichenen\\ulnone  Wort, damit die Fl\\'e4che "
           "so voll ist wie eine echte Karte.\\par\r\n"
           "{\\pntext\\f1\\'b7\\tab}{\\*\\pn\\pnlvlblt\\pnf1\\pnindent0{\\pntxtb\\'b7}}\\fi-360\\li720 erster Punkt\\par\r\n"
           "{\\pntext\\f1\\'b7\\tab}zweiter Punkt mit \\cf2 Farbe\\cf0\\par\r\n"
           "\\pard\\fs20 Formel: 6 CO\\sub 2\\nosupersub  + 6 H\\sub 2\\nosupersub O \\u945?\\u946?\\par\r\n}\r\n";
    return rtf;
}

class AnswerNo : public UserDialogs
{
public:
    QString saveFileName(QWidget *, const QString &, const QString &, const QString &, const QString &) override
    {
        return QDir::temp().filePath(QStringLiteral("bench_cardsearch.ql3"));
    }
    bool question(QWidget *, const QString &, bool) override { return false; }
};

void BM_SearchFindingNothing(benchmark::State &state)
{
    AnswerNo dialogs;
    TMainForm form;
    form.setDialogs(&dialogs);
    const QString file = QDir::temp().filePath(QStringLiteral("bench_cardsearch.ql3"));
    {
        CardSet set;
        for (int i = 0; i < kCards; ++i)
            set.AddCard({typicalFace(i, "Frage"), typicalFace(i, "Antwort"), 1, false});
        CardSetFile::SaveCardSet(set, file, form.fileContext());
    }
    TMDIChild *document = form.OpenDocument(file);
    form.findDialog()->textEdit()->setText(QStringLiteral("Kilimandscharo"));
    for (auto _ : state) {
        state.PauseTiming();
        document->selectCard(0);
        state.ResumeTiming();
        form.FindDialogFind();
    }
    QFile::remove(file);
    if (document->Set().CurrentIndex() != kCards - 1)
        state.SkipWithError("the step did not end on the last card");
}
BENCHMARK(BM_SearchFindingNothing)->Unit(benchmark::kMillisecond)->Iterations(5);

// The face reading alone, without the windows.
void BM_ExamineAllCards(benchmark::State &state)
{
    QList<QByteArray> fronts;
    QList<QByteArray> backs;
    for (int i = 0; i < kCards; ++i) {
        fronts.append(typicalFace(i, "Frage"));
        backs.append(typicalFace(i, "Antwort"));
    }
    const QString text = QStringLiteral("Kilimandscharo");
    for (auto _ : state) {
        const CardSearch::Result result = CardSearch::step(
            -1, kCards, [&](int i) { return CardSearch::examineCard(fronts.at(i), backs.at(i), text); }, [] { return false; });
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_ExamineAllCards)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
