#pragma once

#include "print/PrintDestinations.h"

#include <QString>

// The German words for what a print server answered, for the windows and
// quillo-cli alike.
class PrintMessages
{
public:
    // "Beim Drucken trat ein Fehler auf.", CR, "Der Druck wurde abgebrochen."
    static QString failed();
    // The detail below it: what went wrong, with the server's own reason.
    // `job` is the job's number when one was sent.
    static QString detail(const PrintDestinations::Answer &answer, const QString &destination, int job = 0);
    // "Der Drucker … ist angehalten. Trotzdem drucken?"
    static QString pausedQuestion(const QString &destination);
    // One line of `quillo-cli printers`.
    static QString destinationLine(const PrintDestinations::Destination &destination);
};
