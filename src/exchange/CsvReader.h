#pragma once

#include "exchange/CsvProblem.h"
#include "exchange/TextEncoding.h"

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// What the user or the command line chose; each choice left open is
// detected from the file.
struct CsvImportSettings
{
    std::optional<QChar> delimiter;
    std::optional<TextEncoding::Encoding> encoding;
    std::optional<bool> header;
    std::optional<bool> html;
};

// One card as the file gives it: the two fields as they stand (plain text
// or HTML) and the box, 0 when the file gives none.
struct CsvRow
{
    QString front;
    QString back;
    int box = 0;
    int line = 0;
};

// A whole word list read, with every choice made, or the first problem and
// no rows.
struct CsvTable
{
    QChar delimiter = u'\t';
    TextEncoding::Encoding encoding = TextEncoding::Encoding::Utf8;
    bool header = false;
    bool html = false;
    QList<CsvRow> rows;
    std::optional<CsvProblem> problem;

    bool ok() const { return !problem.has_value(); }
};

// Reads a word list: directives at the top, then one card per record:
// front, back and, when it is a whole number from 1 to 4, the box. A
// header row (or "#columns:") that names the columns decides which column
// is which.
class CsvReader
{
public:
    static CsvTable read(QByteArrayView bytes, const CsvImportSettings &settings = {});

    enum class Column { None, Front, Back, Box };
    // "Frage", "Vorderseite", "front", "question" ... in any case.
    static Column columnNamed(const QString &name);
    // Fields that name a front and a back column and nothing else: a header
    // row, not a card.
    static bool isHeader(const QStringList &fields);
};
