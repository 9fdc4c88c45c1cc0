#include "quiz/QuizCommand.h"

#include "history/TLernstandForm.h"

#include "cardset/CardSet.h"
#include "quiz/TAbfrageForm.h"
#include "quiz/TKasten.h"

#include <optional>

bool QuizCommand::run(CardSet &set, QWidget *parent, QSize faceSize, RandomGenerator &random, const DueCards::Intervals &intervals)
{
    QuizRun::Mode mode = QuizRun::Review;
    int cramSize = BoxChoice::MinCramSize;
    int selectedBox = 0;
    std::optional<DueCards> due;
    {
        TKasten dialog(set, parent, intervals);
        QObject::connect(&dialog, &TKasten::lernstandRequested, &dialog, [&set, &dialog] {
            TLernstandForm progress(set, QString(), &dialog);
            progress.exec();
        });
        const int outcome = dialog.exec();
        if (outcome == TKasten::Cramming) {
            mode = QuizRun::Cramming;
            cramSize = dialog.CramSize();
        } else if (outcome != TKasten::Review) {
            return false;
        }
        dialog.choice().applyTo(set);
        selectedBox = dialog.choice().selectedBox();
        if (dialog.choice().dueOnly())
            due = dialog.choice().due();
    }

    TAbfrageForm form(set, random, mode, cramSize, parent);
    form.setFaceSize(faceSize);
    if (due)
        form.run().buildList(selectedBox, *due);
    else
        form.run().buildList(selectedBox);
    form.ShowNextCard();
    if (!form.ended())
        form.exec();
    // A completed quiz is a change of the set, whatever its verdicts.
    set.markChanged();
    return true;
}
