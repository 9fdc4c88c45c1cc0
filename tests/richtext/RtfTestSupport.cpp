#include "RtfTestSupport.h"

#include "richtext/RtfFormatProperties.h"

#include <QCryptographicHash>
#include <QDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <QTextTable>

QStringList RtfTestSupport::sampleNames()
{
    return QDir(QStringLiteral(QUILLO_TEST_DATA "/rtf")).entryList({QStringLiteral("*.rtf")}, QDir::Files, QDir::Name);
}

namespace {

QString charDescription(const QTextCharFormat &f)
{
    if (f.isImageFormat()) {
        const QTextImageFormat i = f.toImageFormat();
        const QByteArray original = i.property(RtfFormatProperties::PictureOriginal).toByteArray();
        return QStringLiteral("image %1x%2 %3")
            .arg(i.width())
            .arg(i.height())
            .arg(QString::fromLatin1(QCryptographicHash::hash(original, QCryptographicHash::Sha1).toHex()));
    }
    const QByteArray field = f.property(RtfFormatProperties::FieldInstruction).toByteArray();
    return QStringLiteral("%1 %2pt w%3 i%4 u%5 s%6 v%7 fg%8 bg%9 sym%10 field[%11 %12]")
        .arg(f.fontFamilies().toStringList().join(QLatin1Char(',')))
        .arg(f.fontPointSize())
        .arg(f.fontWeight())
        .arg(f.fontItalic())
        .arg(int(f.underlineStyle()) * 100 + f.intProperty(RtfFormatProperties::UnderlineKind))
        .arg(f.fontStrikeOut())
        .arg(int(f.verticalAlignment()))
        .arg(f.hasProperty(QTextFormat::ForegroundBrush) ? f.foreground().color().name() : QStringLiteral("auto"))
        .arg(f.hasProperty(QTextFormat::BackgroundBrush) ? f.background().color().name() : QStringLiteral("none"))
        .arg(f.boolProperty(RtfFormatProperties::SymbolFont))
        .arg(QString::fromLatin1(QCryptographicHash::hash(field, QCryptographicHash::Sha1).toHex().left(8)), f.anchorHref());
}

QString blockDescription(const QTextBlock &block)
{
    const QTextBlockFormat f = block.blockFormat();
    QString cell;
    if (const QTextTable *table = QTextCursor(block).currentTable()) {
        const QTextTableCell c = table->cellAt(block.position());
        cell = QStringLiteral(" cell[%1,%2 of %3x%4]").arg(c.row()).arg(c.column()).arg(table->rows()).arg(table->columns());
    }
    QString tabs;
    for (const QTextOption::Tab &t : f.tabPositions())
        tabs += QStringLiteral("%1:%2 ").arg(t.position).arg(int(t.type));
    QString list = QStringLiteral("-");
    if (const QTextList *l = block.textList())
        list = QStringLiteral("%1 '%2' '%3' %4 #%5")
                   .arg(int(l->format().style()))
                   .arg(l->format().numberPrefix(), l->format().numberSuffix())
                   .arg(l->format().intProperty(RtfFormatProperties::ListStart))
                   .arg(l->itemNumber(block));
    return QStringLiteral("block a%1 l%2 r%3 fi%4 t%5 b%6 lh%7/%8 tabs[%9] list[%10] li%11 fi%12 mark[%13]%14")
        .arg(int(f.alignment() & Qt::AlignHorizontal_Mask))
        .arg(f.leftMargin())
        .arg(f.rightMargin())
        .arg(f.textIndent())
        .arg(f.topMargin())
        .arg(f.bottomMargin())
        .arg(f.lineHeight())
        .arg(f.lineHeightType())
        .arg(tabs, list)
        .arg(f.intProperty(RtfFormatProperties::ListLeftIndent))
        .arg(f.intProperty(RtfFormatProperties::ListFirstIndent))
        .arg(charDescription(block.charFormat()), cell);
}

} // namespace

QStringList RtfTestSupport::describe(const QTextDocument &document)
{
    QStringList out;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        out << blockDescription(block);
        QString runText;
        QString runFormat;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QString format = charDescription(fragment.charFormat());
            if (format != runFormat && !runText.isEmpty()) {
                out << runFormat + QStringLiteral(" |") + runText + QLatin1Char('|');
                runText.clear();
            }
            runFormat = format;
            runText += fragment.text();
        }
        if (!runText.isEmpty())
            out << runFormat + QStringLiteral(" |") + runText + QLatin1Char('|');
    }
    return out;
}

namespace {

// The empty block Qt keeps before a table that starts a document and after
// one that ends it.
bool besideTable(const QTextBlock &b)
{
    const QTextDocument *doc = b.document();
    if (b.length() != 1 || b.charFormat().hasProperty(QTextFormat::FontPointSize))
        return false;
    if (b == doc->firstBlock())
        return b.next().isValid() && QTextCursor(b.next()).currentTable();
    return b == doc->lastBlock() && b.previous().isValid() && QTextCursor(b.previous()).currentTable();
}

// Lines as RtfReader::textLines gives them: a table row is one line with a
// tab after each cell; the block Qt keeps after a last table is none.
void frameLines(const QTextFrame *frame, QStringList &lines, QString &line, bool &open)
{
    // join: the block goes on the open line (a cell after another)
    const auto add = [&](const QTextBlock &block, bool join) {
        QString text = block.text();
        text.remove(QChar(0xFFFC));
        const QStringList parts = text.split(QChar::LineSeparator);
        if (join) {
            line += parts.first();
        } else {
            if (open)
                lines.append(line);
            line = parts.first();
        }
        for (qsizetype i = 1; i < parts.size(); ++i) {
            lines.append(line);
            line = parts[i];
        }
        open = true;
    };
    for (auto it = frame->begin(); !it.atEnd(); ++it) {
        const QTextFrame *child = it.currentFrame();
        const auto *table = qobject_cast<const QTextTable *>(child);
        if (!table) {
            if (child)
                frameLines(child, lines, line, open);
            else if (!besideTable(it.currentBlock()))
                add(it.currentBlock(), false);
            continue;
        }
        for (int r = 0; r < table->rows(); ++r) {
            if (open)
                lines.append(line);
            line.clear();
            open = false;
            int given = table->columns(); // a row shorter than the table as read
            while (given > 1 && table->cellAt(r, given - 1).format().boolProperty(RtfFormatProperties::CellNotGiven))
                --given;
            for (int c = 0; c < given; ++c) {
                const QTextTableCell cell = table->cellAt(r, c);
                const QTextBlock first = cell.firstCursorPosition().block();
                for (QTextBlock b = first; b.isValid(); b = b.next()) {
                    add(b, b == first && c > 0);
                    if (b == cell.lastCursorPosition().block())
                        break;
                }
                line += QLatin1Char('\t');
                open = true;
            }
        }
    }
}

} // namespace

QStringList RtfTestSupport::documentLines(const QTextDocument &document)
{
    if (document.isEmpty())
        return {};
    QStringList lines;
    QString line;
    bool open = false;
    frameLines(document.rootFrame(), lines, line, open);
    if (open)
        lines.append(line);
    return lines;
}
