#include "program/HistoryMessages.h"

QString HistoryMessages::damage(LearningHistory::Damage damage)
{
    switch (damage) {
    case LearningHistory::Damage::None: break;
    case LearningHistory::Damage::Checksum: return QStringLiteral("die Prüfsumme stimmt nicht");
    case LearningHistory::Damage::Truncated: return QStringLiteral("die Daten brechen vorzeitig ab");
    case LearningHistory::Damage::CardCount: return QStringLiteral("die Zahl der Karten stimmt nicht");
    case LearningHistory::Damage::Identity: return QStringLiteral("eine Karte ist doppelt oder ungültig verzeichnet");
    case LearningHistory::Damage::Count: return QStringLiteral("die Zahl der Antworten ist unmöglich");
    case LearningHistory::Damage::Time: return QStringLiteral("eine Antwort trägt ein unmögliches Datum");
    case LearningHistory::Damage::Entry: return QStringLiteral("eine Antwort nennt keine Karte oder keinen gültigen Kasten");
    }
    return QString();
}

QString HistoryMessages::notRecording(const LearningHistory &history)
{
    switch (history.state()) {
    case LearningHistory::State::Recording: break;
    case LearningHistory::State::Foreign:
        return QStringLiteral("Diese Kartei enthält Zusatzdaten eines anderen Programms; sie bleiben unverändert, "
                              "ein Lernverlauf wird nicht aufgezeichnet.");
    case LearningHistory::State::Damaged: {
        const QString why = damage(history.damage());
        return QStringLiteral("Der Lernverlauf dieser Kartei ist beschädigt%1 und wird nicht verwendet; er bleibt unverändert, "
                              "Antworten werden nicht aufgezeichnet. Die Karten sind vollständig.")
            .arg(why.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(why));
    }
    case LearningHistory::State::Later:
        return QStringLiteral("Der Lernverlauf dieser Kartei stammt aus einer neueren Version; er bleibt unverändert, "
                              "Antworten werden nicht aufgezeichnet.");
    }
    return QString();
}

QString HistoryMessages::refusedOnOpen(const LearningHistory &history, const QString &path)
{
    if (history.state() != LearningHistory::State::Damaged && history.state() != LearningHistory::State::Later)
        return QString();
    return QStringLiteral("%1: %2").arg(path, notRecording(history));
}
