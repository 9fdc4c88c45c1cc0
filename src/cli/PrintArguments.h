#pragma once

#include "cli/PrintPdfArguments.h"

// The arguments of "print SET.ql3 [--printer NAME] [--cards LIST]
// [--fronts-only | --backs-only] [--back-order reverse|forward]
// [--paper A4|Letter] [--copies N]".
struct PrintArguments
{
    // The set, the cards, the paper and the order of the sheets, as
    // print-pdf takes them.
    PrintPdfArguments sheets;
    // Empty: the default printer.
    QString printer;
    bool backsOnly = false;
    int copies = 1;

    // What is wrong with them, in German; empty when they are usable.
    QString error;

    static PrintArguments parse(const QStringList &arguments);
};
