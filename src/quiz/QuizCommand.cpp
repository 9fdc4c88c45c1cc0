#include "quiz/QuizCommand.h"

#include "history/TLernstandForm.h"

#include "cardset/CardSet.h"
#include "quiz/TAbfrageForm.h"
#include "quiz/TKasten.h"

bool QuizCommand::run(CardSet &set, QWidget *parent, QSize faceSize, RandomGenerator &random)
{
    QuizRun::Mode mode = QuizRun::Review;
    int cramSize = BoxChoice::MinCramSize;
    int selectedBox = 0;
    {
        TKasten dialog(set, parent);
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
    }

    TAbfrageForm form(set, random, mode, cramSize, parent);
    form.setFaceSize(faceSize);
    form.run().buildList(selectedBox);
    form.ShowNextCard();
    if (!form.ended())
        form.exec();
    // A completed quiz is a change of the set, whatever its verdicts.
    set.markChanged();
    return true;
}
