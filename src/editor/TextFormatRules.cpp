#include "editor/TextFormatRules.h"

#include "richtext/FontRecordMapping.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

QTextCharFormat TextFormatRules::selectionAttributes(const QTextCursor &cursor)
{
    if (!cursor.hasSelection() || !cursor.document())
        return cursor.charFormat();
    // A cursor's format is that of the character before it.
    QTextCursor first(cursor.document());
    first.setPosition(cursor.selectionStart() + 1);
    return first.charFormat();
}

bool TextFormatRules::hasStyle(const QTextCharFormat &format, Style style)
{
    switch (style) {
    case Style::Bold: return format.fontWeight() >= QFont::Bold;
    case Style::Italic: return format.fontItalic();
    case Style::Underline: return format.fontUnderline();
    }
    return false;
}

QTextCharFormat TextFormatRules::toggled(const QTextCharFormat &format, Style style)
{
    const bool on = !hasStyle(format, style);
    QTextCharFormat change;
    switch (style) {
    case Style::Bold: change.setFontWeight(on ? QFont::Bold : QFont::Normal); break;
    case Style::Italic: change.setFontItalic(on); break;
    case Style::Underline: change.setFontUnderline(on); break;
    }
    return change;
}

void TextFormatRules::toggle(FontRecord &font, Style style)
{
    switch (style) {
    case Style::Bold: font.Bold = !font.Bold; break;
    case Style::Italic: font.Italic = !font.Italic; break;
    case Style::Underline: font.UnderLine = !font.UnderLine; break;
    }
}

void TextFormatRules::matchBulletsToText(const QTextCursor &cursor)
{
    QTextDocument *document = cursor.document();
    if (!document)
        return;
    QTextBlock block = document->findBlock(cursor.selectionStart());
    const QTextBlock last = document->findBlock(cursor.selectionEnd());
    for (; block.isValid(); block = block.next()) {
        if (block.textList()) {
            QTextCursor at(block);
            QTextCharFormat first = cursor.charFormat();
            if (block.length() > 1) {
                at.setPosition(block.position() + 1);
                first = at.charFormat();
            }
            QTextCharFormat font;
            for (int property : {int(QTextFormat::FontPointSize), int(QTextFormat::FontFamilies)}) {
                if (first.hasProperty(property) && block.charFormat().property(property) != first.property(property))
                    font.setProperty(property, first.property(property));
            }
            if (!font.properties().isEmpty())
                at.mergeBlockCharFormat(font);
        }
        if (block == last)
            break;
    }
}

Qt::Alignment TextFormatRules::alignmentForTag(int tag)
{
    switch (tag) {
    case 1: return Qt::AlignRight;
    case 2: return Qt::AlignHCenter;
    default: return Qt::AlignLeft;
    }
}

QFont TextFormatRules::shownFont(const QTextCharFormat &format, const QFont &base)
{
    return format.font().resolve(base);
}

FontRecord TextFormatRules::fontRecord(const QTextCharFormat &format, const QFont &base)
{
    const bool ownColour = format.hasProperty(QTextFormat::ForegroundBrush) && format.foreground().style() != Qt::NoBrush;
    const qint32 colour = ownColour ? FontRecordMapping::fromQColor(format.foreground().color()) : StoredColor::SystemWindowText;
    return FontRecordMapping::fromQFont(shownFont(format, base), colour);
}
