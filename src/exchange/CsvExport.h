#pragma once

#include "cardset/CardSet.h"
#include "cardset/FileResult.h"

#include <QByteArray>
#include <QString>

// A card set as a word list: front and back of every card, optionally the
// box as a third column, as plain text or as simple HTML.
class CsvExport
{
public:
    enum class Format {
        Tab,       // tab-separated UTF-8 with "#separator:tab": what flash-card programs import
        Semicolon, // semicolon-separated Windows-1252 with CR LF: what a German spreadsheet opens
    };
    struct Options
    {
        Format format = Format::Tab;
        bool boxes = false;
        // The faces as simple HTML, declared by "#html:true".
        bool html = false;
    };
    struct Text
    {
        QByteArray bytes;
        // A semicolon list holds characters Windows-1252 lacks (Greek,
        // Cyrillic ...): it is written in UTF-8 with a byte order mark,
        // which spreadsheets read too, so that none of them is lost.
        bool utf8Instead = false;
    };

    static Text text(const CardSet &set, const Options &options);
    // Writes the whole file or, failing, leaves an older one as it was.
    static FileResult write(const QString &path, const QByteArray &bytes);

    // Filter and ending of the save dialog for a format.
    static QString fileFilter(Format format);
    static QString fileSuffix(Format format);
};
