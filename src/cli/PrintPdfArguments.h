#pragma once

#include "print/PrintOrder.h"

#include <QList>
#include <QPageSize>
#include <QString>
#include <QStringList>

#include <optional>

// The arguments of "print-pdf SET.ql3 OUT.pdf [--cards LIST] [--fronts-only]
// [--back-order reverse|forward] [--duplex] [--paper A4|Letter]".
struct PrintPdfArguments
{
    QString setPath;
    QString pdfPath;
    // Card numbers counted from 1 as given, each once; empty without --cards.
    QList<int> cards;
    bool frontsOnly = false;
    bool duplex = false;
    // Unset: the program's feed order setting decides.
    std::optional<PrintOrder::BackOrder> backOrder;
    QPageSize::PageSizeId paper = QPageSize::A4;

    // What is wrong with them, in German; empty when they are usable.
    QString error;

    // The arguments after the subcommand's name.
    static PrintPdfArguments parse(const QStringList &arguments);
    // --cards, --back-order, --paper and --fronts-only, which `print` shares;
    // what is wrong with the value, or an empty text.
    static QString takeSheetOption(PrintPdfArguments &a, const QString &option, const QString &value);
};
