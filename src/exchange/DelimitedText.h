#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

// Records of delimited text, quoted as RFC 4180 describes: a field in
// double quotes may hold the delimiter, line breaks and doubled quotes.
// Records end with LF, CR LF or CR. Where spreadsheets are lenient, so is
// the reader: a quote inside an unquoted field is a character, and text
// after a closing quote belongs to the field.
class DelimitedText
{
public:
    struct Record
    {
        QStringList fields;
        // The line of the file the record starts on.
        int line = 0;

        // An empty line, or one whose fields hold nothing but blanks.
        bool isBlank() const;
    };

    struct Reading
    {
        QList<Record> records;
        // The line of a quote that the text never closes, whose field ends
        // the last record; 0 when all are closed.
        int unclosedQuoteLine = 0;
    };

    // The records of `text`, whose first line is line `firstLine` of the
    // file. A line break inside a quoted field becomes LF. Stops after
    // `maxRecords` records when that is not negative.
    static Reading read(QStringView text, QChar delimiter, int firstLine = 1, qsizetype maxRecords = -1);

    // The field as written: in quotes, with its quotes doubled, when it
    // holds the delimiter, a quote or a line break, or when it starts with
    // '#' and could be taken for a directive line.
    static QString field(const QString &text, QChar delimiter);

    // Tab, semicolon or comma: the one that splits the first records of
    // `text` into at least two fields each, and into as many in each
    // record; tab before semicolon before comma when several do.
    static QChar detectDelimiter(QStringView text);
    static constexpr qsizetype DetectionSample = 50;
};
