#pragma once

#include "exchange/CsvExport.h"
#include "exchange/CsvReader.h"

#include <QString>
#include <QStringList>

// The arguments of
//   "import-csv IN OUT.ql3 [--delimiter tab|semicolon|comma]
//    [--encoding utf-8|windows-1252] [--header yes|no] [--html yes|no]
//    [--media DIR]" and
//   "export-csv SET.ql3 OUT [--format tab|semicolon] [--boxes] [--html]".
struct CsvArguments
{
    QString inPath;
    QString outPath;
    // import-csv: an option not given is detected from the file.
    CsvImportSettings import;
    // import-csv: the pictures' folder; the one of IN without --media.
    QString mediaFolder;
    CsvExport::Options exportOptions;

    // What is wrong with them, in German; empty when they are usable.
    QString error;

    // The arguments after the subcommand's name.
    static CsvArguments parseImport(const QStringList &arguments);
    static CsvArguments parseExport(const QStringList &arguments);
};
