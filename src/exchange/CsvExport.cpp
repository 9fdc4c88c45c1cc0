#include "exchange/CsvExport.h"

#include "exchange/DelimitedText.h"
#include "exchange/HtmlFace.h"

#include "cardset/CheckedFileWriter.h"
#include "cardset/Windows1252.h"
#include "richtext/RtfReader.h"

#include <QStringList>

namespace {

QString faceText(const QByteArray &rtf, bool html)
{
    if (html)
        return HtmlFace::fromRtf(rtf);
    // A picture leaves an empty line; a field does not end in empty lines.
    QStringList lines = RtfReader::textLines(rtf);
    while (!lines.isEmpty() && lines.constLast().isEmpty())
        lines.removeLast();
    return lines.join(u'\n');
}

} // namespace

CsvExport::Text CsvExport::text(const CardSet &set, const Options &options)
{
    const bool tab = options.format == Format::Tab;
    const QChar delimiter = tab ? u'\t' : u';';
    const QString end = tab ? QStringLiteral("\n") : QStringLiteral("\r\n");
    QString out;
    if (tab)
        out += QStringLiteral("#separator:tab") + end;
    if (tab || options.html)
        out += (options.html ? QStringLiteral("#html:true") : QStringLiteral("#html:false")) + end;
    // The columns are named, so that a first card that reads like column
    // names ("Frage", "Antwort") is not taken for a header when read back.
    QStringList names = {QStringLiteral("Vorderseite"), QStringLiteral("Rückseite")};
    if (options.boxes)
        names.append(QStringLiteral("Kasten"));
    out += (tab ? QStringLiteral("#columns:") : QString()) + names.join(delimiter) + end;
    for (int i = 0; i < set.count(); ++i) {
        out += DelimitedText::field(faceText(set.front(i), options.html), delimiter);
        out += delimiter;
        out += DelimitedText::field(faceText(set.back(i), options.html), delimiter);
        if (options.boxes) {
            out += delimiter;
            out += QString::number(set.box(i));
        }
        out += end;
    }
    Text text;
    if (tab) {
        text.bytes = out.toUtf8();
    } else if (Windows1252::canEncode(out)) {
        text.bytes = Windows1252::encode(out);
    } else {
        text.bytes = "\xEF\xBB\xBF" + out.toUtf8();
        text.utf8Instead = true;
    }
    return text;
}

FileResult CsvExport::write(const QString &path, const QByteArray &bytes)
{
    return CheckedFileWriter::writeFile(path, bytes);
}

QString CsvExport::fileFilter(Format format)
{
    return format == Format::Tab ? QStringLiteral("Textdateien (*.txt;*.tsv)|*.txt;*.tsv|Alle Dateien (*.*)|*.*")
                                 : QStringLiteral("CSV-Dateien (*.csv)|*.csv|Alle Dateien (*.*)|*.*");
}

QString CsvExport::fileSuffix(Format format)
{
    return format == Format::Tab ? QStringLiteral("txt") : QStringLiteral("csv");
}
