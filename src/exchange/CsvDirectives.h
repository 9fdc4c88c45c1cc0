#pragma once

#include <QSet>
#include <QString>
#include <QStringView>

#include <optional>

// The lines "#key:value" at the top of the plain-text export of a
// flash-card program: "#separator:tab", "#html:true", "#columns:Front	Back",
// "#tags column:3" and others, and the line "sep=;" with which spreadsheets
// begin a list. The ones that say how to read the file are kept; the rest
// are skipped.
struct CsvDirectives
{
    std::optional<QChar> separator;
    std::optional<bool> html;
    // The column names of "#columns:", not yet split by the separator.
    std::optional<QString> columns;
    // Columns (from 0) that "#deck column:2" and the like give to the other
    // program's own data: no face or box is taken from them. A set, as a
    // file may name thousands and each column asks whether it is one.
    QSet<int> otherColumns;
    // Where the lines after the directives start, and their line number.
    qsizetype bodyStart = 0;
    int bodyLine = 1;

    static CsvDirectives read(QStringView text);
    // "tab", "semicolon", "comma", "space", "pipe", "colon" in any case, or
    // the character itself.
    static std::optional<QChar> separatorNamed(QStringView name);
};
