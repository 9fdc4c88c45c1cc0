#include "exchange/CsvCards.h"

#include "cardset/CardSetFile.h"
#include "cardset/ScratchFile.h"
#include "richtext/FontRecordMapping.h"
#include "richtext/RtfWriter.h"

#include <QFileInfo>

QTextCharFormat CsvCards::standardFormat(const FontRecord &font)
{
    QTextCharFormat format;
    format.setFont(FontRecordMapping::toQFont(font));
    format.setForeground(FontRecordMapping::toQColor(font.Color));
    return format;
}

CsvCards CsvCards::build(const CsvTable &table, const FontRecord &front, const FontRecord &back, const HtmlFace::Pictures &pictures)
{
    CsvCards result;
    const QTextCharFormat frontFormat = standardFormat(front);
    const QTextCharFormat backFormat = standardFormat(back);
    HtmlFace frontHtml(frontFormat, pictures);
    HtmlFace backHtml(backFormat, pictures);
    const auto face = [&](const QString &field, CsvProblem::Side side, int line) {
        if (!table.html)
            return RtfWriter::writePlainText(field, side == CsvProblem::Side::Front ? frontFormat : backFormat);
        return (side == CsvProblem::Side::Front ? frontHtml : backHtml).toRtf(field, line, side, result.problems);
    };
    result.cards.reserve(table.rows.size());
    for (const CsvRow &row : table.rows) {
        Card card;
        card.Front = face(row.front, CsvProblem::Side::Front, row.line);
        card.Back = face(row.back, CsvProblem::Side::Back, row.line);
        card.Box = row.box > 0 ? row.box : 1;
        result.cards.append(std::move(card));
    }
    return result;
}

QString CsvCards::savePathFor(const QString &listPath)
{
    const QString path = CardSetFile::changeExtension(QFileInfo(listPath).absoluteFilePath(), QStringLiteral(".ql3"));
    return QFileInfo::exists(path) ? ScratchFile::UniqueFileName(path) : path;
}
