#include "print/PrintMessages.h"

namespace {

QString withReason(const QString &text, const QString &reason)
{
    return reason.isEmpty() ? text + QLatin1Char('.') : text + QStringLiteral(": ") + reason;
}

} // namespace

QString PrintMessages::failed()
{
    return QStringLiteral("Beim Drucken trat ein Fehler auf.") + QChar(13) + QStringLiteral("Der Druck wurde abgebrochen.");
}

QString PrintMessages::detail(const PrintDestinations::Answer &answer, const QString &destination, int job)
{
    using Outcome = PrintDestinations::Outcome;
    switch (answer.outcome) {
    case Outcome::Done: break;
    case Outcome::Unreachable: return withReason(QStringLiteral("Der Druckserver ist nicht erreichbar"), answer.reason);
    case Outcome::Unknown:
        return destination.isEmpty() ? QStringLiteral("Es ist kein Standarddrucker eingerichtet.")
                                     : QStringLiteral("Den Drucker %1 gibt es nicht.").arg(destination);
    case Outcome::Refused: return withReason(QStringLiteral("Der Drucker %1 nimmt keine Aufträge an").arg(destination), answer.reason);
    case Outcome::JobFailed:
        return withReason(QStringLiteral("Der Auftrag %1 an den Drucker %2 wurde abgebrochen").arg(job).arg(destination), answer.reason);
    case Outcome::Unwritten: return withReason(QStringLiteral("Die Druckdatei konnte nicht geschrieben werden"), answer.reason);
    }
    return QString();
}

QString PrintMessages::pausedQuestion(const QString &destination)
{
    return QStringLiteral("Der Drucker %1 ist angehalten. Trotzdem drucken?").arg(destination);
}

QString PrintMessages::destinationLine(const PrintDestinations::Destination &destination)
{
    const QString state =
        destination.paused ? QStringLiteral("angehalten") : (destination.busy ? QStringLiteral("druckt") : QStringLiteral("bereit"));
    QString line = QStringLiteral("%1 %2  %3, %4")
                       .arg(destination.isDefault ? QStringLiteral("*") : QStringLiteral(" "), destination.name,
                            destination.accepting ? QStringLiteral("nimmt Aufträge an") : QStringLiteral("weist Aufträge ab"), state);
    if (!destination.stateMessage.isEmpty())
        line += QStringLiteral(" (%1)").arg(destination.stateMessage);
    return line;
}
