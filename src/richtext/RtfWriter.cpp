#include "richtext/RtfWriter.h"

#include "cardset/Windows1252.h"
#include "richtext/CodePage.h"
#include "richtext/FacePictures.h"
#include "richtext/PictureEncoder.h"
#include "richtext/RtfFormatProperties.h"
#include "richtext/RtfTypes.h"

#include <QBuffer>
#include <QCache>
#include <QHash>
#include <QImage>
#include <QMutex>
#include <QPixmap>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <QTextTable>
#include <QUrl>
#include <QVarLengthArray>

#include <algorithm>

namespace {

constexpr int DefaultListIndent = 360;
// twips shared by the columns of a table that gives no widths
constexpr int DefaultTableWidth = 6000;

struct CharStyle
{
    bool image = false;
    int font = -1;
    int halfPoints = -1;
    quint16 flags = 0;
    quint8 underline = RtfCharState::Single;
    int fg = 0;
    int bg = 0;
    bool symbol = false;
    bool symbolFont = false; // the font "Symbol"
    int field = 0;           // FieldNumber of a field's result text
    QByteArray fieldInstruction;
};

struct ParaSpec
{
    RtfParaState para;
    bool operator==(const ParaSpec &) const = default;
};

// The metafile written beside a PNG or JPEG costs a scaling and a DIB;
// faces are written at every card switch, so the result is kept.
class FallbackCache
{
public:
    QByteArray get(const QString &name, QSize shown, const QByteArray &original, const QImage &image)
    {
        const QString key = name + QLatin1Char(' ') + QString::number(shown.width()) + QLatin1Char('x') + QString::number(shown.height())
            + QLatin1Char(' ') + QString::number(qHash(original));
        {
            QMutexLocker lock(&m_mutex);
            if (const QByteArray *hit = m_cache.object(key))
                return *hit;
        }
        const QByteArray rtf = PictureEncoder::withFallback(original, image, shown);
        QMutexLocker lock(&m_mutex);
        m_cache.insert(key, new QByteArray(rtf), int(qMin<qsizetype>(rtf.size() / 1024 + 1, 1 << 20)));
        return rtf;
    }

private:
    QMutex m_mutex;
    QCache<QString, QByteArray> m_cache{32 * 1024}; // KB
};

FallbackCache &fallbackCache()
{
    static FallbackCache cache;
    return cache;
}

struct Output
{
    // None for text written without a document, which holds no pictures.
    const QTextDocument *doc;
    QByteArray out;
    bool needSpace = false;
    // Right after \uN?: pandoc and unrtf drop the character that follows
    // the fallback, so an empty group goes between (harmless to RichEdit).
    bool afterUnicode = false;
    CharStyle state;
    struct Font
    {
        QString name;
        bool symbol;
        int charset; // \fcharset of a script the text needs, else 0
    };
    QList<Font> fonts;
    QHash<QString, int> fontIndex; // key: name, '\1' for symbol fonts, 0x100 + the charset
    QList<QRgb> colors;
    QHash<QRgb, int> colorIndex;
    QHash<int, CharStyle> specs; // by the document's format index
    QFont defaultFont;
    // when valid: the colour of text without one of its own
    QColor textColour;

    Output(const QTextDocument *d, const QFont &font)
        : doc(d)
        , defaultFont(font)
    {
    }

    int font(QString name, bool symbol, int charset = 0)
    {
        QString key = symbol ? name + QChar(1) : name;
        if (charset)
            key += QChar(char16_t(0x100 + charset));
        auto it = fontIndex.constFind(key);
        if (it != fontIndex.cend())
            return *it;
        const int index = int(fonts.size());
        fonts.append({name, symbol, charset});
        fontIndex.insert(key, index);
        return index;
    }
    bool sameFamily(int a, int b) const { return a >= 0 && b >= 0 && fonts[a].symbol == fonts[b].symbol && fonts[a].name == fonts[b].name; }
    // The entry of the current font for another script, when text needs it.
    // font index * 256 + charset: that script's entry; a face has few
    QVarLengthArray<std::pair<int, int>, 8> scriptFonts;
    void switchCharset(int charset)
    {
        const int key = state.font * 256 + charset;
        const auto it = std::find_if(scriptFonts.cbegin(), scriptFonts.cend(), [key](const auto &e) { return e.first == key; });
        const int index = it != scriptFonts.cend() ? it->second : font(fonts[state.font].name, false, charset);
        if (it == scriptFonts.cend())
            scriptFonts.append({key, index});
        word("\\f", index);
        state.font = index;
    }
    // \uN with the character's byte in the code page of the font's charset,
    // which readers without \u show
    void unicodeWithByte(char16_t c, int byte)
    {
        out += "\\u";
        number(qint16(c));
        out += "\\'";
        static const char digits[] = "0123456789abcdef";
        out += digits[(byte >> 4) & 15];
        out += digits[byte & 15];
        needSpace = false;
        afterUnicode = true;
    }

    int color(const QColor &c)
    {
        const QRgb rgb = c.rgb() | 0xFF000000u;
        auto it = colorIndex.constFind(rgb);
        if (it != colorIndex.cend())
            return *it;
        colors.append(rgb);
        const int index = int(colors.size());
        colorIndex.insert(rgb, index);
        return index;
    }

    // The RTF style of a format of the document, computed once per format.
    template<typename FormatGetter>
    const CharStyle &style(int formatIndex, FormatGetter &&getFormat)
    {
        auto it = specs.constFind(formatIndex);
        if (it != specs.cend())
            return *it;
        const QTextCharFormat f = getFormat();
        CharStyle s;
        if (f.isImageFormat()) {
            s.image = true;
            return *specs.insert(formatIndex, s);
        }
        QString family = f.fontFamilies().toStringList().value(0);
        if (family.isEmpty())
            family = f.stringProperty(QTextFormat::FontFamily);
        if (family.isEmpty())
            family = defaultFont.family();
        if (family.isEmpty())
            family = QStringLiteral("Arial");
        s.symbol = f.boolProperty(RtfFormatProperties::SymbolFont);
        s.symbolFont = s.symbol && family.compare(QLatin1String("Symbol"), Qt::CaseInsensitive) == 0;
        s.font = font(family, s.symbol);
        qreal points = f.fontPointSize();
        if (points <= 0 && f.hasProperty(QTextFormat::FontPixelSize))
            points = f.intProperty(QTextFormat::FontPixelSize) * 0.75;
        if (points <= 0)
            points = defaultFont.pointSizeF() > 0 ? defaultFont.pointSizeF() : defaultFont.pixelSize() * 0.75;
        if (points <= 0)
            points = 12;
        s.halfPoints = qBound(1, qRound(points * 2), 3276);
        const bool bold = f.hasProperty(QTextFormat::FontWeight) ? f.fontWeight() >= QFont::DemiBold : defaultFont.bold();
        const bool italic = f.hasProperty(QTextFormat::FontItalic) ? f.fontItalic() : defaultFont.italic();
        const bool underline = f.hasProperty(QTextFormat::TextUnderlineStyle)
            ? f.underlineStyle() != QTextCharFormat::NoUnderline && f.underlineStyle() != QTextCharFormat::SpellCheckUnderline
            : f.hasProperty(QTextFormat::FontUnderline) ? f.boolProperty(QTextFormat::FontUnderline)
                                                        : defaultFont.underline();
        const bool strike = f.hasProperty(QTextFormat::FontStrikeOut) ? f.fontStrikeOut() : defaultFont.strikeOut();
        if (bold)
            s.flags |= RtfCharState::Bold;
        if (italic)
            s.flags |= RtfCharState::Italic;
        if (underline) {
            s.flags |= RtfCharState::Underline;
            switch (f.underlineStyle()) {
            case QTextCharFormat::DotLine: s.underline = RtfCharState::Dotted; break;
            case QTextCharFormat::WaveUnderline: s.underline = RtfCharState::Wave; break;
            case QTextCharFormat::DashUnderline: s.underline = RtfCharState::Dash; break;
            case QTextCharFormat::DashDotLine: s.underline = RtfCharState::DashDot; break;
            case QTextCharFormat::DashDotDotLine: s.underline = RtfCharState::DashDotDot; break;
            default:
                s.underline = quint8(qBound(0, f.intProperty(RtfFormatProperties::UnderlineKind), 8));
                if (s.underline != RtfCharState::Double && s.underline != RtfCharState::Words && s.underline != RtfCharState::Thick)
                    s.underline = RtfCharState::Single;
                break;
            }
        }
        if (strike)
            s.flags |= RtfCharState::Strike;
        s.fieldInstruction = f.property(RtfFormatProperties::FieldInstruction).toByteArray();
        if (!s.fieldInstruction.isEmpty())
            s.field = qMax(1, f.intProperty(RtfFormatProperties::FieldNumber));
        if (f.verticalAlignment() == QTextCharFormat::AlignSuperScript)
            s.flags |= RtfCharState::Super;
        else if (f.verticalAlignment() == QTextCharFormat::AlignSubScript)
            s.flags |= RtfCharState::Sub;
        if (f.hasProperty(QTextFormat::ForegroundBrush) && f.foreground().style() != Qt::NoBrush)
            s.fg = color(f.foreground().color());
        else if (textColour.isValid() && !f.hasProperty(QTextFormat::ForegroundBrush))
            s.fg = color(textColour);
        if (f.hasProperty(QTextFormat::BackgroundBrush) && f.background().style() != Qt::NoBrush)
            s.bg = color(f.background().color());
        return *specs.insert(formatIndex, s);
    }

    void word(const char *w)
    {
        out += w;
        needSpace = true;
        afterUnicode = false;
    }
    void number(qint64 n)
    {
        char buffer[24];
        char *end = buffer + sizeof buffer;
        char *p = end;
        const bool negative = n < 0;
        quint64 v = negative ? quint64(-(n + 1)) + 1 : quint64(n);
        do {
            *--p = char('0' + v % 10);
            v /= 10;
        } while (v);
        if (negative)
            *--p = '-';
        out.append(p, end - p);
    }
    void word(const char *w, qint64 n)
    {
        out += w;
        number(n);
        needSpace = true;
        afterUnicode = false;
    }
    void literal()
    {
        if (afterUnicode) {
            out += "{}";
            afterUnicode = false;
        }
    }

    void switchTo(const CharStyle &s)
    {
        if (s.fg != state.fg)
            word("\\cf", s.fg);
        if (s.bg != state.bg)
            word("\\highlight", s.bg);
        const quint16 changed = s.flags ^ state.flags;
        if (changed & RtfCharState::Bold)
            word(s.flags & RtfCharState::Bold ? "\\b" : "\\b0");
        if (changed & RtfCharState::Italic)
            word(s.flags & RtfCharState::Italic ? "\\i" : "\\i0");
        if ((changed & RtfCharState::Underline) || ((s.flags & RtfCharState::Underline) && s.underline != state.underline)) {
            static const char *const kinds[] = {"\\ul",     "\\uld",    "\\uldb",    "\\ulw",     "\\ulth",
                                                "\\ulwave", "\\uldash", "\\uldashd", "\\uldashdd"};
            word(s.flags & RtfCharState::Underline ? kinds[qMin<int>(s.underline, 8)] : "\\ulnone");
        }
        if (changed & RtfCharState::Strike)
            word(s.flags & RtfCharState::Strike ? "\\strike" : "\\strike0");
        if (changed & (RtfCharState::Super | RtfCharState::Sub))
            word(s.flags & RtfCharState::Super ? "\\super" : s.flags & RtfCharState::Sub ? "\\sub" : "\\nosupersub");
        // a font's entry for another script serves its family as well
        int font = state.font;
        if (s.font != state.font && !sameFamily(s.font, state.font)) {
            word("\\f", s.font);
            font = s.font;
        }
        if (s.halfPoints != state.halfPoints)
            word("\\fs", s.halfPoints);
        state = s;
        state.font = font;
    }

    // A field's result (a hyperlink) is written as
    // {\*\quillofield{\*\fldinst ...}}{RESULT}: readers without fields
    // (unrtf, pandoc, Wine's RichEdit drop or garble a \field) show the
    // result as text, and Quillo gets the field back. The character
    // formatting inside ends with the group.
    int openField = 0;
    CharStyle stateBeforeField;
    void enterField(const CharStyle &s)
    {
        if (s.field == openField)
            return;
        leaveField();
        if (s.field == 0)
            return;
        stateBeforeField = state;
        out += "{\\*\\quillofield";
        const char first = s.fieldInstruction.front();
        if (first != '{' && first != '\\')
            out += ' '; // the word would end in the instruction's letters or digits
        out += s.fieldInstruction;
        out += "}{";
        needSpace = false;
        afterUnicode = false;
        openField = s.field;
    }
    void leaveField()
    {
        if (!openField)
            return;
        out += '}';
        state = stateBeforeField;
        needSpace = false;
        afterUnicode = false;
        openField = 0;
    }

    void hexByte(int b)
    {
        static const char digits[] = "0123456789abcdef";
        literal();
        out += "\\'";
        out += digits[(b >> 4) & 15];
        out += digits[b & 15];
        needSpace = false;
    }

    // Text read alike in every font: beyond ASCII all \uN?.
    void textInAnyFont(QStringView chars)
    {
        for (const QChar c : chars) {
            if (c.unicode() < 0x80) {
                text(QStringView(&c, 1), false);
            } else {
                out += "\\u";
                number(qint16(c.unicode()));
                out += '?';
                needSpace = false;
            }
        }
    }

    // scripts: text of the body in its font, which may switch to the
    // font's entry for the script a character needs
    void text(QStringView text, bool symbol, bool symbolFont = false, bool scripts = false)
    {
        for (const QChar qc : text) {
            const char16_t c = qc.unicode();
            if (symbol && c >= 0x20) {
                // a symbol font's characters go back to their bytes
                const int b = CodePage::symbolByte(c, symbolFont);
                if (b >= 0x20 && b < 0x80 && b == c && b != '\\' && b != '{' && b != '}') {
                    literal();
                    if (needSpace) {
                        out += ' ';
                        needSpace = false;
                    }
                    out += char(b);
                } else if (b >= 0) {
                    hexByte(b);
                } else {
                    out += "\\u";
                    number(qint16(c));
                    out += '?';
                    needSpace = false;
                    afterUnicode = true;
                }
                continue;
            }
            if (c >= 0x20 && c < 0x80) {
                literal();
                if (c == '\\' || c == '{' || c == '}') {
                    out += '\\';
                    out += char(c);
                    needSpace = false;
                    continue;
                }
                if (needSpace) {
                    out += ' ';
                    needSpace = false;
                }
                out += char(c);
                continue;
            }
            switch (c) {
            case '\t': word("\\tab"); continue;
            case 0x2028: word("\\line"); continue;
            case 0x00A0:
                literal();
                out += "\\~";
                needSpace = false;
                continue;
            case 0x00AD:
                literal();
                out += "\\-";
                needSpace = false;
                continue;
            case 0x2011:
                literal();
                out += "\\_";
                needSpace = false;
                continue;
            case 0xFFFC: continue; // an object without a picture
            default: break;
            }
            if (c < 0x20)
                continue;
            const int charset = scripts && state.font >= 0 ? fonts[state.font].charset : 0;
            if (charset) {
                const int inScript = CodePage::encode(CodePage::fromCharset(charset, 1252), c);
                if (inScript >= 0x80) {
                    unicodeWithByte(c, inScript);
                    continue;
                }
            }
            const int b = c < 0x100 || (c >= 0x152 && c <= 0x2122) ? Windows1252::byteFor(c) : -1;
            if (b >= 0x80) {
                if (charset)
                    switchCharset(0);
                hexByte(b);
                continue;
            }
            const int script = scripts && state.font >= 0 ? CodePage::charsetFor(c) : -1;
            if (script > 0) {
                switchCharset(script);
                unicodeWithByte(c, CodePage::encode(CodePage::fromCharset(script, 1252), c));
                continue;
            }
            out += "\\u";
            number(qint16(c));
            out += '?';
            needSpace = false;
            afterUnicode = true;
        }
    }

    void picture(const QTextImageFormat &f)
    {
        QByteArray rtf = FacePictures::originalRtf(f);
        const bool fallback = rtf.isEmpty() || PictureEncoder::needsFallback(rtf);
        if (!fallback) {
            out += rtf;
            needSpace = false;
            afterUnicode = false;
            return;
        }
        const QVariant res = doc ? doc->resource(QTextDocument::ImageResource, QUrl(f.name())) : QVariant();
        QImage image = res.value<QImage>();
        if (image.isNull())
            image = res.value<QPixmap>().toImage();
        QSize shown(f.width() > 0 ? qRound(f.width()) : image.width(), f.height() > 0 ? qRound(f.height()) : image.height());
        shown = shown.expandedTo(QSize(1, 1));
        if (rtf.isEmpty()) {
            // a picture that came from elsewhere (an HTML paste): kept as PNG
            if (image.isNull())
                return;
            QByteArray png;
            QBuffer buffer(&png);
            buffer.open(QIODevice::WriteOnly);
            image.save(&buffer, "PNG");
            rtf = PictureEncoder::plainPictRtf(RtfPictureData::Png, png, shown, image.size());
        }
        if (!image.isNull())
            rtf = fallbackCache().get(f.name(), shown, rtf, image);
        out += rtf;
        needSpace = false;
        afterUnicode = false;
    }
};

// The characters with which QTextCursor::insertText starts a new paragraph
// (CR LF counts as one).
bool isParagraphBreak(QChar c)
{
    return c == u'\n' || c == u'\r' || c == QChar::ParagraphSeparator;
}

int twips(qreal pixels)
{
    return qRound(pixels * 15.0);
}

RtfParaState::Align alignOf(Qt::Alignment alignment)
{
    const Qt::Alignment a = alignment & Qt::AlignHorizontal_Mask;
    if (a & Qt::AlignHCenter)
        return RtfParaState::Center;
    if (a & Qt::AlignJustify)
        return RtfParaState::Justify;
    if (a & Qt::AlignRight)
        return RtfParaState::Right;
    return RtfParaState::Left;
}

RtfParaState paraState(const QTextBlock &block, const QTextDocument &doc)
{
    const QTextBlockFormat f = block.blockFormat();
    RtfParaState p;
    p.align = alignOf(f.alignment());
    p.rightIndent = twips(f.rightMargin());
    p.spaceBefore = twips(f.topMargin());
    p.spaceAfter = twips(f.bottomMargin());
    switch (f.lineHeightType()) {
    case QTextBlockFormat::ProportionalHeight:
        p.lineSpacing = qRound(f.lineHeight() * 2.4);
        p.lineMultiple = true;
        break;
    case QTextBlockFormat::MinimumHeight: p.lineSpacing = twips(f.lineHeight()); break;
    case QTextBlockFormat::FixedHeight: p.lineSpacing = -twips(f.lineHeight()); break;
    default: break;
    }
    const QList<QTextOption::Tab> tabs = f.hasProperty(QTextFormat::TabPositions) ? f.tabPositions() : QList<QTextOption::Tab>();
    for (const QTextOption::Tab &t : tabs) {
        RtfTabStop stop;
        stop.position = twips(t.position);
        switch (t.type) {
        case QTextOption::CenterTab: stop.kind = RtfTabStop::Center; break;
        case QTextOption::RightTab: stop.kind = RtfTabStop::Right; break;
        case QTextOption::DelimiterTab: stop.kind = RtfTabStop::Decimal; break;
        default: stop.kind = RtfTabStop::Left; break;
        }
        p.tabs.append(stop);
    }
    const int indentWidth = twips(doc.indentWidth());
    if (QTextList *list = block.textList()) {
        const QTextListFormat lf = list->format();
        switch (lf.style()) {
        case QTextListFormat::ListDecimal: p.numbering.kind = RtfNumbering::Decimal; break;
        case QTextListFormat::ListLowerAlpha: p.numbering.kind = RtfNumbering::LowerAlpha; break;
        case QTextListFormat::ListUpperAlpha: p.numbering.kind = RtfNumbering::UpperAlpha; break;
        case QTextListFormat::ListLowerRoman: p.numbering.kind = RtfNumbering::LowerRoman; break;
        case QTextListFormat::ListUpperRoman: p.numbering.kind = RtfNumbering::UpperRoman; break;
        default: p.numbering.kind = RtfNumbering::Bullet; break;
        }
        if (p.numbering.kind != RtfNumbering::Bullet) {
            p.numbering.textBefore = lf.numberPrefix();
            p.numbering.textAfter = lf.numberSuffix();
        }
        p.numbering.start = lf.hasProperty(RtfFormatProperties::ListStart) ? lf.intProperty(RtfFormatProperties::ListStart) : 1;
        const int shown = twips(f.leftMargin()) + (lf.indent() + f.indent()) * indentWidth;
        if (f.hasProperty(RtfFormatProperties::ListLeftIndent)
            && qMax(f.intProperty(RtfFormatProperties::ListLeftIndent), DefaultListIndent) == shown) {
            p.leftIndent = f.intProperty(RtfFormatProperties::ListLeftIndent);
            p.firstLineIndent = f.intProperty(RtfFormatProperties::ListFirstIndent);
        } else {
            // a list made in Quillo: the marker hangs left of the text
            p.leftIndent = qMax(shown, DefaultListIndent);
            p.firstLineIndent = -DefaultListIndent;
        }
    } else {
        p.leftIndent = twips(f.leftMargin()) + f.indent() * indentWidth;
        p.firstLineIndent = twips(f.textIndent());
    }
    return p;
}

QString roman(int n, bool upper)
{
    if (n <= 0 || n >= 4000)
        return QString::number(n);
    static const int values[] = {1000, 900, 500, 400, 100, 90, 50, 40, 10, 9, 5, 4, 1};
    static const char *const digits[] = {"m", "cm", "d", "cd", "c", "xc", "l", "xl", "x", "ix", "v", "iv", "i"};
    QString s;
    for (int i = 0; i < 13; ++i)
        while (n >= values[i]) {
            s += QLatin1String(digits[i]);
            n -= values[i];
        }
    return upper ? s.toUpper() : s;
}

QString alpha(int n, bool upper)
{
    if (n <= 0)
        return QString::number(n);
    QString s;
    while (n > 0) {
        --n;
        s.prepend(QChar(char16_t((upper ? 'A' : 'a') + n % 26)));
        n /= 26;
    }
    return s;
}

QString numberText(const RtfNumbering &n, int number)
{
    switch (n.kind) {
    case RtfNumbering::LowerAlpha: return alpha(number, false);
    case RtfNumbering::UpperAlpha: return alpha(number, true);
    case RtfNumbering::LowerRoman: return roman(number, false);
    case RtfNumbering::UpperRoman: return roman(number, true);
    default: return QString::number(number);
    }
}

void writeParagraphProperties(Output &o, const RtfParaState &p)
{
    if (p.align == RtfParaState::Center)
        o.word("\\qc");
    else if (p.align == RtfParaState::Right)
        o.word("\\qr");
    else if (p.align == RtfParaState::Justify)
        o.word("\\qj");
    if (p.firstLineIndent)
        o.word("\\fi", p.firstLineIndent);
    if (p.leftIndent)
        o.word("\\li", p.leftIndent);
    if (p.rightIndent)
        o.word("\\ri", p.rightIndent);
    if (p.spaceBefore)
        o.word("\\sb", p.spaceBefore);
    if (p.spaceAfter)
        o.word("\\sa", p.spaceAfter);
    if (p.lineSpacing) {
        o.word("\\sl", p.lineSpacing);
        o.word("\\slmult", p.lineMultiple ? 1 : 0);
    }
    for (const RtfTabStop &t : p.tabs) {
        if (t.kind == RtfTabStop::Center)
            o.word("\\tqc");
        else if (t.kind == RtfTabStop::Right)
            o.word("\\tqr");
        else if (t.kind == RtfTabStop::Decimal)
            o.word("\\tqdec");
        o.word("\\tx", t.position);
    }
}

void writeNumbering(Output &o, const RtfParaState &p, int number, bool definition, int symbolFont)
{
    const RtfNumbering &n = p.numbering;
    // the text RichEdit 1.0 and other readers without \pn show
    o.out += "{\\pntext";
    if (n.kind == RtfNumbering::Bullet) {
        o.out += "\\f" + QByteArray::number(symbolFont) + "\\'b7";
    } else {
        o.out += "\\f0 ";
        o.needSpace = false;
        o.text(n.textBefore + numberText(n, number) + n.textAfter, false);
    }
    o.out += "\\tab}";
    o.needSpace = false;
    if (!definition)
        return;
    if (n.kind == RtfNumbering::Bullet) {
        o.out += "{\\*\\pn\\pnlvlblt\\pnf" + QByteArray::number(symbolFont) + "\\pnindent0{\\pntxtb\\'b7}}";
        return;
    }
    o.out += "{\\*\\pn\\pnlvlbody\\pnf0\\pnindent0\\pnstart" + QByteArray::number(n.start);
    switch (n.kind) {
    case RtfNumbering::LowerAlpha: o.out += "\\pnlcltr"; break;
    case RtfNumbering::UpperAlpha: o.out += "\\pnucltr"; break;
    case RtfNumbering::LowerRoman: o.out += "\\pnlcrm"; break;
    case RtfNumbering::UpperRoman: o.out += "\\pnucrm"; break;
    default: o.out += "\\pndec"; break;
    }
    if (!n.textBefore.isEmpty()) {
        o.out += "{\\pntxtb ";
        o.needSpace = false;
        o.textInAnyFont(n.textBefore); // read in the font of the text around
        o.out += '}';
    }
    if (!n.textAfter.isEmpty()) {
        o.out += "{\\pntxta ";
        o.needSpace = false;
        o.textInAnyFont(n.textAfter);
        o.out += '}';
    }
    o.out += '}';
    o.needSpace = false;
}

// The paragraphs and tables of the document in order.
struct Body
{
    Body(Output &output, const QTextDocument &d, int symbol)
        : o(output)
        , document(d)
        , symbolFont(symbol)
    {
    }
    Output &o;
    const QTextDocument &document;
    int symbolFont;
    // paragraphs without space before and after
    bool flat = false;
    bool pardNeeded = true;
    QHash<int, RtfParaState> paraStates;
    RtfParaState previous;
    const QTextList *previousList = nullptr;

    void frame(const QTextFrame *frame)
    {
        if (frame->childFrames().isEmpty()) { // no table: block after block
            const QTextBlock last = frame->lastCursorPosition().block();
            for (QTextBlock b = frame->firstCursorPosition().block(); b.isValid(); b = b.next()) {
                if (!besideTable(b))
                    block(b, false, "\\par\r\n");
                if (b == last)
                    break;
            }
            return;
        }
        for (auto it = frame->begin(); !it.atEnd(); ++it) {
            if (const QTextFrame *child = it.currentFrame()) {
                if (const auto *t = qobject_cast<const QTextTable *>(child))
                    table(*t);
                else
                    this->frame(child);
            } else if (!besideTable(it.currentBlock())) {
                block(it.currentBlock(), false, "\\par\r\n");
            }
        }
    }

    // The empty blocks Qt keeps (with no font size of their own) before a table
    // that starts the document and after one that ends it; RTF that starts or ends with the table reads
    // as the same.
    bool besideTable(const QTextBlock &b) const
    {
        if (b.length() != 1 || b.charFormat().hasProperty(QTextFormat::FontPointSize))
            return false;
        if (b == document.firstBlock())
            return b.next().isValid() && QTextCursor(b.next()).currentTable();
        return b == document.lastBlock() && b.previous().isValid() && QTextCursor(b.previous()).currentTable();
    }

    void block(const QTextBlock &block, bool inCell, const char *end)
    {
        // blocks of one format (list membership included) share one state
        auto cached = paraStates.constFind(block.blockFormatIndex());
        if (cached == paraStates.cend()) {
            RtfParaState state = paraState(block, document);
            if (flat)
                state.spaceBefore = state.spaceAfter = 0;
            cached = paraStates.insert(block.blockFormatIndex(), state);
        }
        const RtfParaState &para = *cached;
        const QTextList *list = block.textList();
        // a cell's paragraphs say so each, and the first after a table says nothing of it
        const bool pard = pardNeeded || inCell || !(para == previous) || list != previousList;
        if (pard) {
            o.out += "\r\n";
            o.word("\\pard");
            if (inCell)
                o.word("\\intbl");
        }
        if (list) {
            const int number = para.numbering.start + list->itemNumber(block);
            writeNumbering(o, para, number, pard, symbolFont);
        }
        if (pard)
            writeParagraphProperties(o, para);
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const CharStyle s = o.style(fragment.charFormatIndex(), [&] { return fragment.charFormat(); });
            const QString text = fragment.text();
            if (s.image) {
                const QTextImageFormat image = fragment.charFormat().toImageFormat();
                for (const QChar c : text)
                    if (c.unicode() == 0xFFFC)
                        o.picture(image);
                continue;
            }
            o.enterField(s);
            o.switchTo(s);
            o.text(text, s.symbol, s.symbolFont, true);
        }
        o.leaveField();
        const CharStyle mark = o.style(block.charFormatIndex(), [&] { return block.charFormat(); });
        if (!mark.image)
            o.switchTo(mark);
        o.out += end;
        o.needSpace = false;
        o.afterUnicode = false;
        previous = para;
        previousList = list;
        pardNeeded = inCell;
    }

    void table(const QTextTable &t)
    {
        const QTextTableFormat f = t.format();
        const int columns = t.columns();
        const QList<QTextLength> widths = f.columnWidthConstraints();
        const qreal total = document.textWidth() > 0 ? document.textWidth() * 15 : DefaultTableWidth;
        QList<int> right;
        int x = 0;
        for (int c = 0; c < columns; ++c) {
            const QTextLength w = widths.value(c);
            int width = qRound(total / columns);
            if (w.type() == QTextLength::FixedLength)
                width = twips(w.rawValue());
            else if (w.type() == QTextLength::PercentageLength)
                width = qRound(total * w.rawValue() / 100);
            x += qMax(width, 15);
            right.append(x);
        }
        const bool borders = f.border() > 0 && f.borderStyle() != QTextFrameFormat::BorderStyle_None;
        for (int r = 0; r < t.rows(); ++r) {
            o.out += "\r\n";
            o.word("\\trowd");
            o.word("\\trgaph", twips(f.cellPadding()));
            // a row shorter than the table as it was read
            int given = columns;
            while (given > 1 && t.cellAt(r, given - 1).format().boolProperty(RtfFormatProperties::CellNotGiven))
                --given;
            for (int c = 0; c < given; ++c) {
                const QTextTableCell cell = t.cellAt(r, c);
                if (cell.row() != r)
                    o.word("\\clvmrg");
                else if (cell.rowSpan() > 1)
                    o.word("\\clvmgf");
                if (cell.column() != c)
                    o.word("\\clmrg");
                else if (cell.columnSpan() > 1)
                    o.word("\\clmgf");
                if (borders)
                    o.word("\\clbrdrt\\brdrs\\brdrw10\\clbrdrl\\brdrs\\brdrw10\\clbrdrb\\brdrs\\brdrw10\\clbrdrr\\brdrs\\brdrw10");
                o.word("\\cellx", right[c]);
            }
            for (int c = 0; c < given; ++c) {
                const QTextTableCell cell = t.cellAt(r, c);
                if (cell.row() != r || cell.column() != c) {
                    // covered by a merged cell: an empty one
                    o.out += "\r\n";
                    o.word("\\pard");
                    o.word("\\intbl");
                    o.word("\\cell");
                    pardNeeded = true;
                    continue;
                }
                // a nested table's paragraphs are paragraphs of this cell
                const QTextBlock last = cell.lastCursorPosition().block();
                for (QTextBlock b = cell.firstCursorPosition().block(); b.isValid(); b = b.next()) {
                    block(b, true, b == last ? "\\cell" : "\\par\r\n");
                    if (b == last)
                        break;
                }
            }
            o.word("\\row");
            o.out += "\r\n";
            o.needSpace = false;
        }
        pardNeeded = true;
    }
};

// The fonts every face names: the default one when the text names none, the
// font of the bullet sign; gives the bullet font's number.
int prepareFonts(Output &o, bool bullets)
{
    if (o.fonts.isEmpty())
        o.font(o.defaultFont.family().isEmpty() ? QStringLiteral("Arial") : o.defaultFont.family(), false);
    return bullets ? o.font(QStringLiteral("Symbol"), true) : 0;
}

// The body is written first: text a script's code page carries (Greek,
// Cyrillic, Central European...) adds its font's entry for that script to
// the font table. The table goes into room left before the body.
qsizetype startBody(Output &o, qsizetype characters)
{
    qsizetype room = 256 + 40 * o.colors.size();
    for (const Output::Font &f : std::as_const(o.fonts))
        room += 32 + 2 * f.name.size();
    o.out.reserve(room + characters * 2 + 512);
    o.out.resize(room);
    return room;
}

// The font and colour tables and the document's opening before the body.
QByteArray finishBody(Output &o, qsizetype room)
{
    o.out += "}\r\n";
    QByteArray text = std::move(o.out);
    o.out = QByteArray();
    o.out.reserve(room);
    o.out += "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1031{\\fonttbl";
    for (qsizetype i = 0; i < o.fonts.size(); ++i) {
        o.out += "{\\f";
        o.number(i);
        o.out += "\\fnil\\fcharset";
        o.number(o.fonts[i].symbol ? 2 : o.fonts[i].charset);
        o.out += ' ';
        o.needSpace = false;
        const QString name = QString(o.fonts[i].name).replace(QLatin1Char(';'), QLatin1Char(' ')); // ";" ends the name
        // a script's entry is read in the script's code page, where a byte means another character
        if (o.fonts[i].charset == 0 || o.fonts[i].symbol)
            o.text(name, false);
        else
            o.textInAnyFont(name);
        o.out += ";}";
    }
    o.out += "}\r\n";
    if (!o.colors.isEmpty()) {
        o.out += "{\\colortbl ;";
        for (QRgb c : std::as_const(o.colors))
            o.out += "\\red" + QByteArray::number(qRed(c)) + "\\green" + QByteArray::number(qGreen(c)) + "\\blue"
                + QByteArray::number(qBlue(c)) + ';';
        o.out += "}\r\n";
    }
    o.out += "{\\*\\generator Quillo;}\\viewkind4\\uc1";
    if (o.out.size() <= room) {
        text.remove(0, room - o.out.size()); // no copy: the front moves
        memcpy(text.data(), o.out.constData(), size_t(o.out.size()));
        return text;
    }
    o.out.append(QByteArrayView(text).sliced(room));
    return o.out;
}

} // namespace

namespace {

QByteArray writeDocument(const QTextDocument &document, const QColor &textColour, bool flat)
{
    Output o(&document, document.defaultFont());
    o.textColour = textColour;
    // First pass: the fonts and colours the text uses.
    bool bullets = false;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            o.style(fragment.charFormatIndex(), [&] { return fragment.charFormat(); });
        }
        o.style(block.charFormatIndex(), [&] { return block.charFormat(); });
        if (QTextList *list = block.textList())
            bullets |= list->format().style() >= QTextListFormat::ListSquare;
    }
    const int symbolFont = prepareFonts(o, bullets);
    const qsizetype room = startBody(o, document.characterCount());
    Body body(o, document, symbolFont);
    body.flat = flat;
    body.frame(document.rootFrame());
    return finishBody(o, room);
}

} // namespace

QByteArray RtfWriter::write(const QTextDocument &document)
{
    return writeDocument(document, QColor(), false);
}

QByteArray RtfWriter::writeImported(const QTextDocument &document, const QColor &textColour)
{
    return writeDocument(document, textColour, true);
}

QByteArray RtfWriter::writeParagraphs(const QList<Paragraph> &paragraphs, const QList<QTextCharFormat> &formats, const QFont &font,
                                      const QColor &textColour)
{
    // As write() goes through the document: its fragments are never empty.
    Output o(nullptr, font);
    o.textColour = textColour;
    const auto styleOf = [&](int format) -> const CharStyle & { return o.style(format, [&] { return formats.at(format); }); };
    qsizetype characters = 0;
    for (const Paragraph &paragraph : paragraphs) {
        for (const Span &span : paragraph.spans) {
            if (!span.text.isEmpty())
                styleOf(span.format);
            characters += span.text.size();
        }
        styleOf(paragraph.markFormat);
        ++characters;
    }
    prepareFonts(o, false);
    const qsizetype room = startBody(o, characters);
    RtfParaState previous;
    for (qsizetype i = 0; i < paragraphs.size(); ++i) {
        const Paragraph &paragraph = paragraphs[i];
        RtfParaState para;
        para.align = alignOf(paragraph.alignment);
        if (i == 0 || !(para == previous)) {
            o.out += "\r\n";
            o.word("\\pard");
            writeParagraphProperties(o, para);
        }
        for (const Span &span : paragraph.spans) {
            if (span.text.isEmpty())
                continue;
            const CharStyle s = styleOf(span.format);
            if (s.image)
                continue;
            o.enterField(s);
            o.switchTo(s);
            o.text(span.text, s.symbol, s.symbolFont, true);
        }
        o.leaveField();
        const CharStyle mark = styleOf(paragraph.markFormat);
        if (!mark.image)
            o.switchTo(mark);
        o.out += "\\par\r\n";
        o.needSpace = false;
        o.afterUnicode = false;
        previous = para;
    }
    return finishBody(o, room);
}

QByteArray RtfWriter::writePlainText(QStringView text, const QTextCharFormat &format)
{
    // As write() goes through such a document: one paragraph per line, text
    // and paragraph marks in the one format.
    Output o(nullptr, QFont());
    const CharStyle s = o.style(0, [&] { return format; });
    prepareFonts(o, false);
    const qsizetype room = startBody(o, text.size());
    o.out += "\r\n";
    o.word("\\pard");
    qsizetype start = 0;
    for (;;) {
        qsizetype end = start;
        while (end < text.size() && !isParagraphBreak(text[end]))
            ++end;
        if (end > start) {
            o.switchTo(s);
            o.text(text.mid(start, end - start), s.symbol, s.symbolFont, true);
        }
        o.switchTo(s);
        o.out += "\\par\r\n";
        o.needSpace = false;
        o.afterUnicode = false;
        if (end >= text.size())
            break;
        start = end + (text[end] == u'\r' && end + 1 < text.size() && text[end + 1] == u'\n' ? 2 : 1);
    }
    return finishBody(o, room);
}
