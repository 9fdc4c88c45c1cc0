// Gives a card set a learning history as a learner's would look after some
// weeks: a quiz on most evenings over its cards, each verdict recorded and
// moving the card as a quiz does. For the screenshots of the "Lernstand"
// window.
//
//   quillo-practise-example SET.ql3 [DAYS]

#include "document/CardSetDocument.h"

#include "cardset/ScratchFile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QRandomGenerator>

#include <algorithm>
#include <cstdio>

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "Aufruf: quillo-practise-example KARTEI.ql3 [TAGE]\n");
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    const int days = argc == 3 ? std::max(1, QByteArray(argv[2]).toInt()) : 45;

    CardSetFileContext context;
    context.WorkFilePath = ScratchFile::makeWorkFilePath(QDir::tempPath());
    CardSetDocument::Opened opened = CardSetDocument::open(path, context);
    if (!opened.document || !opened.result.ok()) {
        std::fprintf(stderr, "%s konnte nicht gelesen werden: %s\n", qPrintable(path), qPrintable(opened.result.reason));
        return 1;
    }
    CardSet &set = opened.document->set();
    // Everything starts over in the first box, as for a new learner.
    set.setAllBoxes(1);

    QRandomGenerator generator(2026);
    const QDate today = QDate::currentDate();
    int recorded = 0;
    for (int day = days - 1; day >= 0; --day) {
        // Some evenings pass without learning; on the others the learner
        // reviews the cards of one or two boxes, the lower ones more often.
        if (generator.bounded(10) < 3)
            continue;
        qint64 time = today.addDays(-day).startOfDay().toSecsSinceEpoch() + 18 * 3600 + generator.bounded(3 * 3600);
        const int highest = 1 + generator.bounded(4);
        for (int index = 0; index < set.count(); ++index) {
            const int box = set.box(index);
            if (box > highest || (box > 1 && generator.bounded(box) != 0))
                continue;
            const bool known = int(generator.bounded(100)) < 50 + 12 * box;
            const int after = known ? std::min(box + 1, 4) : std::max(box - 1, 1);
            time += 5 + generator.bounded(40);
            set.recordAnswer(index, LearningAnswer::Mode::Review, known, box, after, time);
            set.setBox(index, after);
            ++recorded;
        }
    }

    const FileResult result = opened.document->save(path, context);
    QFile::remove(context.WorkFilePath);
    if (!result.ok()) {
        std::fprintf(stderr, "%s konnte nicht geschrieben werden: %s\n", qPrintable(path), qPrintable(result.reason));
        return 1;
    }
    std::printf("%d Antworten in %s aufgezeichnet.\n", recorded, qPrintable(path));
    return 0;
}
