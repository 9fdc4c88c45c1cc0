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

template<typename T>
QString text(T value)
{
    return QVariant(value).toString();
}

// A format without a font shows the document's (an empty face's mark).
QString charDescription(const QTextCharFormat &f, const QFont &font)
{
    if (f.isImageFormat()) {
        const QTextImageFormat i = f.toImageFormat();
        const QByteArray original = i.property(RtfFormatProperties::PictureOriginal).toByteArray();
        return QStringLiteral("image %1x%2 %3")
            .arg(text(i.width()), text(i.height()),
                 QString::fromLatin1(QCryptographicHash::hash(original, QCryptographicHash::Sha1).toHex()));
    }
    const QByteArray field = f.property(RtfFormatProperties::FieldInstruction).toByteArray();
    return QStringLiteral("%1 %2pt w%3 i%4 u%5 s%6 v%7 fg%8 bg%9 sym%10 field[%11 %12]")
        .arg(f.hasProperty(QTextFormat::FontFamilies) ? f.fontFamilies().toStringList().join(QLatin1Char(',')) : font.family(),
             text(f.hasProperty(QTextFormat::FontPointSize) ? f.fontPointSize() : font.pointSizeF()), text(f.fontWeight()),
             text(f.fontItalic()), text(int(f.underlineStyle()) * 100 + f.intProperty(RtfFormatProperties::UnderlineKind)),
             text(f.fontStrikeOut()), text(int(f.verticalAlignment())),
             f.hasProperty(QTextFormat::ForegroundBrush) ? f.foreground().color().name() : QStringLiteral("auto"),
             f.hasProperty(QTextFormat::BackgroundBrush) ? f.background().color().name() : QStringLiteral("none"))
        .arg(text(f.boolProperty(RtfFormatProperties::SymbolFont)),
             QString::fromLatin1(QCryptographicHash::hash(field, QCryptographicHash::Sha1).toHex().left(8)), f.anchorHref());
}

QString blockDescription(const QTextBlock &block, const QFont &font)
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
                   .arg(text(int(l->format().style())), l->format().numberPrefix(), l->format().numberSuffix(),
                        text(l->format().intProperty(RtfFormatProperties::ListStart)), text(l->itemNumber(block)));
    return QStringLiteral("block a%1 l%2 r%3 fi%4 t%5 b%6 lh%7/%8 tabs[%9] list[%10] li%11 fi%12 mark[%13]%14")
        .arg(text(int(f.alignment() & Qt::AlignHorizontal_Mask)), text(f.leftMargin()), text(f.rightMargin()), text(f.textIndent()),
             text(f.topMargin()), text(f.bottomMargin()), text(f.lineHeight()), text(f.lineHeightType()), tabs)
        .arg(list, text(f.intProperty(RtfFormatProperties::ListLeftIndent)), text(f.intProperty(RtfFormatProperties::ListFirstIndent)),
             charDescription(block.charFormat(), font), cell);
}

} // namespace

QStringList RtfTestSupport::describe(const QTextDocument &document)
{
    QStringList out;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        out << blockDescription(block, document.defaultFont());
        QString runText;
        QString runFormat;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QString format = charDescription(fragment.charFormat(), document.defaultFont());
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
