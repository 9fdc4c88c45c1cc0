#include "export/HtmlExport.h"

#include "cardset/CardSetFile.h"
#include "cardset/CheckedFileWriter.h"
#include "cardset/Windows1252.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <memory>
#include <vector>

namespace {

const QString kLibraryHome = QStringLiteral("http://www.bosrup.com/web/overlib/");

// The page's overlib.js is Quillo's own small file; only its calls are those
// of the library it is named after.
QString credit(const QString &libraryName)
{
    return QStringLiteral("Die Antworten erscheinen als Tooltip, gezeichnet von overlib.js: eine kleine eigene Datei von Quillo "
                          "mit denselben Aufrufen wie die Bibliothek %1 von Erik Bosrup.")
        .arg(libraryName);
}

QString escapeMarkup(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        switch (c.unicode()) {
        case '&': out += QLatin1String("&amp;"); break;
        case '<': out += QLatin1String("&lt;"); break;
        case '>': out += QLatin1String("&gt;"); break;
        default: out += c;
        }
    }
    return out;
}

// Both quote characters become the double-quote entity, as the pages of
// earlier versions have it.
QString replaceQuotes(QString text)
{
    text.replace(QLatin1Char('\''), QLatin1String("&quot;"));
    text.replace(QLatin1Char('"'), QLatin1String("&quot;"));
    return text;
}

} // namespace

QString HtmlExport::frontText(const QStringList &lines)
{
    return replaceQuotes(escapeMarkup(lines.join(QString())));
}

QString HtmlExport::backText(const QStringList &lines)
{
    // Inner layer: the HTML the tooltip box shows.
    QString html;
    for (const QString &line : lines)
        html += escapeMarkup(line) + QLatin1String("<br>");
    // Middle layer: a JavaScript string in single quotes. Line breaks cannot
    // occur (the lines are split), but a backslash would escape the next
    // character.
    html.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    // Outer layer: the attribute value; the browser decodes entities first.
    html.replace(QLatin1Char('&'), QLatin1String("&amp;"));
    return replaceQuotes(html);
}

QString HtmlExport::cardLine(const Card &card)
{
    return QLatin1String("<A HREF=\"#\" onMouseOver=\"drc('") + backText(card.BackLines)
        + QLatin1String("' ,'Antwort'); return true;\" onMouseOut=\"nd(); return true;\">") + frontText(card.FrontLines)
        + QLatin1String("</A><br><br>");
}

QStringList HtmlExport::buildPage(const QString &cardSetFileName, const QList<Card> &cards)
{
    if (cards.isEmpty())
        return QStringList();
    QStringList page = {
        QStringLiteral("<html>"),
        QStringLiteral("<head>"),
        QStringLiteral("<title>") + escapeMarkup(CardSetFile::fileNamePart(cardSetFileName)) + QStringLiteral("</title>"),
        QStringLiteral("<meta name=\"author\" content=\"Quillo\">"),
        QStringLiteral("<meta name=\"generator\" content=\"Quillo 3.1 Generator\">"),
        QStringLiteral("</head>"),
        QStringLiteral("<body text=\"#000000\" bgcolor=\"#FFFFFF\" link=\"#FF0000\" alink=\"#FF0000\" vlink=\"#FF0000\">"),
        QStringLiteral("<DIV ID=\"overDiv\" STYLE=\"position:absolute; visibility:hide; z-index:1;\"></DIV>"),
        QStringLiteral("<SCRIPT TYPE=\"\" LANGUAGE=\"JavaScript\">"),
        QStringLiteral("</SCRIPT>"),
        QStringLiteral("<SCRIPT LANGUAGE=\"JavaScript\" SRC=\"overlib.js\"></SCRIPT>"),
        QStringLiteral("<SCRIPT TYPE=\"\" LANGUAGE=\"JavaScript\">"),
        QStringLiteral("<!--"),
        QStringLiteral("var width = \"400\";"),
        QStringLiteral("// -->"),
        QStringLiteral("</SCRIPT>"),
        QStringLiteral("<small>") + credit(QStringLiteral("<a href=\"%1\">overLIB 3.33</a>").arg(kLibraryHome))
            + QStringLiteral("</small><br><br>"),
    };
    for (const Card &card : cards)
        page.append(cardLine(card));
    page.append(QStringLiteral("</body>"));
    page.append(QStringLiteral("</html>"));
    return page;
}

QByteArray HtmlExport::encodePage(const QStringList &lines)
{
    QByteArray out;
    for (const QString &line : lines) {
        const QList<uint> codePoints = line.toUcs4();
        for (uint cp : codePoints) {
            const int byte = cp <= 0xFFFF ? Windows1252::byteFor(char16_t(cp)) : -1;
            if (byte >= 0)
                out.append(char(byte));
            else
                out += "&#" + QByteArray::number(cp) + ';';
        }
        out += "\r\n";
    }
    return out;
}

FileResult HtmlExport::writePage(const QString &path, const QStringList &lines, const QString &programFolder)
{
    std::vector<std::unique_ptr<CheckedFileWriter>> files;
    files.push_back(std::make_unique<CheckedFileWriter>(path));
    if (!files.back()->write(encodePage(lines)))
        return files.back()->result();
    const QString pageFolder = QFileInfo(files.back()->target()).absolutePath();
    for (const char *name : {"overlib.js", "overlib.css"}) {
        const QString source = QDir(programFolder).filePath(QLatin1String(name));
        const QString target = QDir(pageFolder).filePath(QLatin1String(name));
        if (QDir::cleanPath(source) == QDir::cleanPath(target) || !QFile::exists(source))
            continue;
        QFile file(source);
        const bool read = file.open(QIODevice::ReadOnly);
        const QByteArray bytes = file.readAll();
        files.push_back(std::make_unique<CheckedFileWriter>(target));
        if (!read || file.error() != QFileDevice::NoError)
            files.back()->fail(file.errorString());
        files.back()->write(bytes);
    }
    // The page last: should a rename still fail, no page is without its scripts.
    QList<CheckedFileWriter *> all;
    for (auto file = files.rbegin(); file != files.rend(); ++file)
        all.append(file->get());
    return CheckedFileWriter::commitAll(all);
}

QString HtmlExport::noCardsMessage()
{
    return QStringLiteral("Sie haben keine Karten ausgewählt.") + QChar(13) + QStringLiteral("Es wird deshalb auch keine Datei erstellt.");
}

QString HtmlExport::noticeMessage()
{
    return credit(QStringLiteral("overLIB 3.33")) + QStringLiteral(" Mehr über overLIB erfahren Sie unter ") + kLibraryHome + QChar(13)
        + QChar(13)
        + QStringLiteral("Um die Datei korrekt anzeigen zu können, benötigen Sie neben der soeben generierten Datei noch die Datei "
                         "\"overlib.js\", die sich im selben Verzeichnis befinden muß.");
}

QString HtmlExport::pageFilter()
{
    return QStringLiteral("HTML - Dateien (*.html)|*.html;*.htm|Alle Dateien (*.*)|*.*");
}

QString HtmlExport::cardSetFilter()
{
    return QStringLiteral("Quillo 3.0 - Dateien (*.ql3)|*.ql3|Quillo 2.5 Dateien (*.qla)|*.qla|Alle Dateien (*.*)|*.*");
}
