#include "richtext/FontRecordMapping.h"

#include <QGuiApplication>
#include <QPalette>

QFont FontRecordMapping::toQFont(const FontRecord &record)
{
    QFont font(record.Name);
    if (record.Size > 0)
        font.setPointSize(record.Size);
    font.setBold(record.Bold);
    font.setItalic(record.Italic);
    font.setUnderline(record.UnderLine);
    font.setStrikeOut(record.StrikeOut);
    return font;
}

FontRecord FontRecordMapping::fromQFont(const QFont &font, qint32 color)
{
    FontRecord record;
    record.Name = font.family();
    record.Size = font.pointSize() > 0 ? font.pointSize() : qRound(font.pointSizeF());
    record.Color = color;
    record.Bold = font.bold();
    record.Italic = font.italic();
    record.UnderLine = font.underline();
    record.StrikeOut = font.strikeOut();
    return record;
}

QColor FontRecordMapping::toQColor(qint32 stored)
{
    if (!StoredColor::isSystem(stored))
        return QColor(StoredColor::red(stored), StoredColor::green(stored), StoredColor::blue(stored));
    const QPalette palette = QGuiApplication::palette();
    // The Windows system colour indices that occur in card sets.
    switch (quint32(stored) & 0xFFu) {
    case 5: return palette.color(QPalette::Base);        // window background
    case 8: return palette.color(QPalette::Text);        // window text
    case 15: return palette.color(QPalette::Button);     // button face
    case 18: return palette.color(QPalette::ButtonText); // button text
    case 13: return palette.color(QPalette::Highlight);
    case 14: return palette.color(QPalette::HighlightedText);
    case 4: return palette.color(QPalette::Window);     // menu
    case 7: return palette.color(QPalette::WindowText); // menu text
    case 16: return palette.color(QPalette::Dark);      // button shadow
    case 20: return palette.color(QPalette::Light);     // button highlight
    case 17: return palette.color(QPalette::Disabled, QPalette::Text);
    case 23: return palette.color(QPalette::ToolTipText);
    case 24: return palette.color(QPalette::ToolTipBase);
    default: return palette.color(QPalette::Window);
    }
}

qint32 FontRecordMapping::fromQColor(const QColor &color)
{
    const QColor rgb = color.toRgb();
    return StoredColor::fromRgb(rgb.red(), rgb.green(), rgb.blue());
}
