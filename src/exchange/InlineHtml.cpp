#include "exchange/InlineHtml.h"

#include <QColor>
#include <QVarLengthArray>

#include <algorithm>
#include <array>

namespace {

enum class Tag { B, Strong, I, Em, U, Span, Font, Br, Div, Other };

Tag tagNamed(QStringView name)
{
    static const std::array<std::pair<QLatin1StringView, Tag>, 9> tags = {{{QLatin1StringView("div"), Tag::Div},
                                                                           {QLatin1StringView("b"), Tag::B},
                                                                           {QLatin1StringView("strong"), Tag::Strong},
                                                                           {QLatin1StringView("i"), Tag::I},
                                                                           {QLatin1StringView("em"), Tag::Em},
                                                                           {QLatin1StringView("u"), Tag::U},
                                                                           {QLatin1StringView("span"), Tag::Span},
                                                                           {QLatin1StringView("font"), Tag::Font},
                                                                           {QLatin1StringView("br"), Tag::Br}}};
    for (const auto &[text, tag] : tags) {
        if (name.compare(text, Qt::CaseInsensitive) == 0)
            return tag;
    }
    return Tag::Other;
}

// Entities of HTML 4 that word lists of German users hold; Qt's reader
// knows these and many more.
char16_t namedEntity(QStringView name)
{
    static const std::array<std::pair<QLatin1StringView, char16_t>, 36> entities = {{
        {QLatin1StringView("amp"), u'&'},     {QLatin1StringView("lt"), u'<'},       {QLatin1StringView("gt"), u'>'},
        {QLatin1StringView("quot"), u'"'},    {QLatin1StringView("apos"), u'\''},    {QLatin1StringView("nbsp"), 0xA0},
        {QLatin1StringView("auml"), 0xE4},    {QLatin1StringView("ouml"), 0xF6},     {QLatin1StringView("uuml"), 0xFC},
        {QLatin1StringView("Auml"), 0xC4},    {QLatin1StringView("Ouml"), 0xD6},     {QLatin1StringView("Uuml"), 0xDC},
        {QLatin1StringView("szlig"), 0xDF},   {QLatin1StringView("euro"), 0x20AC},   {QLatin1StringView("copy"), 0xA9},
        {QLatin1StringView("reg"), 0xAE},     {QLatin1StringView("shy"), 0xAD},      {QLatin1StringView("ndash"), 0x2013},
        {QLatin1StringView("mdash"), 0x2014}, {QLatin1StringView("hellip"), 0x2026}, {QLatin1StringView("laquo"), 0xAB},
        {QLatin1StringView("raquo"), 0xBB},   {QLatin1StringView("bdquo"), 0x201E},  {QLatin1StringView("ldquo"), 0x201C},
        {QLatin1StringView("rdquo"), 0x201D}, {QLatin1StringView("lsquo"), 0x2018},  {QLatin1StringView("rsquo"), 0x2019},
        {QLatin1StringView("sbquo"), 0x201A}, {QLatin1StringView("deg"), 0xB0},      {QLatin1StringView("middot"), 0xB7},
        {QLatin1StringView("times"), 0xD7},   {QLatin1StringView("divide"), 0xF7},   {QLatin1StringView("eacute"), 0xE9},
        {QLatin1StringView("egrave"), 0xE8},  {QLatin1StringView("agrave"), 0xE0},   {QLatin1StringView("ccedil"), 0xE7},
    }};
    for (const auto &[text, c] : entities) {
        if (name == text)
            return c;
    }
    return 0;
}

// &#128; to &#159; mean the characters of code page 1252 there.
constexpr std::array<char16_t, 32> Windows1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

bool isAsciiLetter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

bool isAsciiBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r';
}

// The colours both of Qt's readers (CSS and <font color>) give the same:
// #rgb, #rrggbb and names; rgb(r, g, b) for CSS only.
bool colourOf(QStringView value, bool css, QRgb &rgb)
{
    value = value.trimmed();
    if (value.startsWith(u'#')) {
        if (value.size() != 4 && value.size() != 7)
            return false;
        for (QChar c : value.sliced(1)) {
            if (!c.isDigit() && !((c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F')))
                return false;
        }
    } else if (css && value.startsWith(QLatin1StringView("rgb("), Qt::CaseInsensitive) && value.endsWith(u')')) {
        const QList<QStringView> parts = value.sliced(4, value.size() - 5).split(u',');
        if (parts.size() != 3)
            return false;
        int channels[3];
        for (int i = 0; i < 3; ++i) {
            const QStringView part = parts[i].trimmed();
            bool ok = !part.isEmpty() && std::all_of(part.begin(), part.end(), [](QChar c) { return c.isDigit() && c.unicode() < 0x80; });
            channels[i] = ok ? part.toInt(&ok) : 0;
            if (!ok || channels[i] > 255)
                return false;
        }
        rgb = qRgb(channels[0], channels[1], channels[2]);
        return true;
    } else if (value.isEmpty() || !std::all_of(value.begin(), value.end(), [](QChar c) { return c >= u'a' && c <= u'z'; })
               || value == QLatin1StringView("transparent")) {
        return false;
    }
    const QColor colour = QColor::fromString(value);
    if (!colour.isValid())
        return false;
    rgb = colour.rgb();
    return true;
}

// style="color: X" and nothing else.
bool styleColour(QStringView style, QRgb &rgb)
{
    style = style.trimmed();
    if (style.endsWith(u';'))
        style.chop(1);
    const qsizetype colon = style.indexOf(u':');
    if (colon < 0 || style.left(colon).trimmed() != QLatin1StringView("color"))
        return false;
    const QStringView value = style.sliced(colon + 1);
    if (value.contains(u';') || value.contains(u'!'))
        return false;
    return colourOf(value, true, rgb);
}

} // namespace

InlineHtml::Entity InlineHtml::entity(QStringView html, qsizetype &at, QString &decoded)
{
    // Qt's reader looks at most nine characters ahead for the ';', and
    // takes the rest of the field as the name when it ends before one.
    qsizetype pos = at;
    qsizetype length = 0;
    while (pos < html.size()) {
        const QChar c = html[pos++];
        if (c.isSpace() || pos - at > 9)
            return Entity::Literal;
        if (c == u';')
            break;
        ++length;
    }
    if (length == 0)
        return Entity::Literal;
    const QStringView name = html.sliced(at, length);
    if (const char16_t c = namedEntity(name)) {
        decoded = QChar(c);
        at = pos;
        return Entity::Decoded;
    }
    if (name.size() < 2 || name[0] != u'#')
        return Entity::Unknown;
    QStringView digits = name.sliced(1);
    int base = 10;
    if (digits[0] == u'x' || digits[0] == u'X') {
        digits = digits.sliced(1);
        base = 16;
    }
    const auto isDigit = [base](QChar c) {
        return (c >= u'0' && c <= u'9') || (base == 16 && ((c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F')));
    };
    if (digits.isEmpty() || !std::all_of(digits.begin(), digits.end(), isDigit))
        return digits.isEmpty() ? Entity::Literal : Entity::Unknown;
    bool ok = false;
    uint code = digits.toUInt(&ok, base);
    if (!ok)
        return Entity::Literal;
    if (code >= 0x80 && code < 0xA0)
        code = Windows1252High[code - 0x80];
    if (code == 0 || (code >= 0xD800 && code < 0xE000) || code > 0x10FFFF)
        return Entity::Unknown;
    decoded = QString::fromUcs4(reinterpret_cast<const char32_t *>(&code), 1);
    at = pos;
    return Entity::Decoded;
}

bool InlineHtml::read(QStringView html, Face &face)
{
    face.text.clear();
    face.runs.clear();
    face.paragraphs.clear();
    face.text.reserve(html.size());
    struct Open
    {
        Tag tag;
        Style style;
    };
    QVarLengthArray<Open, 16> open;
    Style style;
    // Qt's reader drops blanks at the start and after a line break, and
    // folds the others into one space.
    bool dropBlanks = true;
    // <div>s: each one paragraph, with text, nothing between or after
    // them; the text before the first one is a paragraph of its own.
    enum class Lines { None, InDiv, AfterDiv } lines = Lines::None;
    qsizetype paragraphStart = 0;
    const auto append = [&](QChar c) {
        if (lines == Lines::AfterDiv)
            return false;
        if (face.runs.size() > paragraphStart && face.runs.constLast().style.key() == style.key())
            ++face.runs.last().length;
        else
            face.runs.append({face.text.size(), 1, style});
        face.text += c;
        return true;
    };
    const auto put = [&](QChar c) {
        if (c.isSpace() && c != QChar::Nbsp) {
            if (dropBlanks)
                return lines != Lines::AfterDiv;
            dropBlanks = true;
            c = u' ';
        } else {
            dropBlanks = false;
        }
        return append(c);
    };

    const qsizetype size = html.size();
    qsizetype pos = 0;
    QString decoded;
    while (pos < size) {
        const QChar c = html[pos++];
        if (c == u'&') {
            switch (entity(html, pos, decoded)) {
            case Entity::Decoded:
                for (QChar d : std::as_const(decoded)) {
                    if (!put(d))
                        return false;
                }
                break;
            case Entity::Literal:
                if (!put(c))
                    return false;
                break;
            case Entity::Unknown: return false;
            }
            continue;
        }
        if (c == QChar::LineSeparator || c == QChar::ParagraphSeparator || c == QChar::ObjectReplacementCharacter)
            return false;
        if (c != u'<') {
            if (!put(c))
                return false;
            continue;
        }
        // A tag: its name, then the attributes this reader knows.
        const bool closing = pos < size && html[pos] == u'/';
        if (closing)
            ++pos;
        const qsizetype nameStart = pos;
        while (pos < size && (isAsciiLetter(html[pos]) || (pos > nameStart && html[pos].isDigit())))
            ++pos;
        const Tag tag = tagNamed(html.sliced(nameStart, pos - nameStart));
        if (tag == Tag::Other)
            return false;
        if (closing) {
            while (pos < size && isAsciiBlank(html[pos]))
                ++pos;
            if (pos >= size || html[pos] != u'>' || tag == Tag::Br)
                return false;
            ++pos;
            if (tag == Tag::Div) {
                if (lines != Lines::InDiv || !open.isEmpty() || face.runs.size() == paragraphStart)
                    return false;
                lines = Lines::AfterDiv;
                continue;
            }
            if (lines == Lines::AfterDiv)
                return false;
            // Closes the innermost element of that name and all inside it;
            // Qt ignores one that is not open.
            for (qsizetype i = open.size() - 1; i >= 0; --i) {
                if (open[i].tag == tag) {
                    open.resize(i);
                    style = open.isEmpty() ? Style() : open.back().style;
                    break;
                }
            }
            continue;
        }
        if (lines == Lines::AfterDiv && tag != Tag::Div)
            return false;
        Style inner = style;
        bool closed = false;
        bool colourGiven = false;
        for (;;) {
            const qsizetype blanks = pos;
            while (pos < size && isAsciiBlank(html[pos]))
                ++pos;
            if (pos >= size)
                return false;
            if (html[pos] == u'>') {
                ++pos;
                break;
            }
            if (html[pos] == u'/') {
                if (pos + 1 >= size || html[pos + 1] != u'>')
                    return false;
                pos += 2;
                closed = true;
                break;
            }
            if (pos == blanks || colourGiven)
                return false;
            const qsizetype keyStart = pos;
            while (pos < size && isAsciiLetter(html[pos]))
                ++pos;
            const QStringView key = html.sliced(keyStart, pos - keyStart);
            while (pos < size && isAsciiBlank(html[pos]))
                ++pos;
            if (pos >= size || html[pos] != u'=')
                return false;
            ++pos;
            while (pos < size && isAsciiBlank(html[pos]))
                ++pos;
            if (pos >= size)
                return false;
            QStringView value;
            const QChar quote = html[pos];
            if (quote == u'"' || quote == u'\'') {
                const qsizetype end = html.indexOf(quote, pos + 1);
                if (end < 0)
                    return false;
                value = html.sliced(pos + 1, end - pos - 1);
                pos = end + 1;
            } else {
                const qsizetype valueStart = pos;
                while (pos < size && (isAsciiLetter(html[pos]) || html[pos].isDigit() || html[pos] == u'#'))
                    ++pos;
                value = html.sliced(valueStart, pos - valueStart);
            }
            if (value.contains(u'&') || value.contains(u'\\') || value.contains(u'<') || value.contains(u'>'))
                return false;
            QRgb rgb = 0;
            if (tag == Tag::Span && key.compare(QLatin1StringView("style"), Qt::CaseInsensitive) == 0)
                colourGiven = styleColour(value, rgb);
            else if (tag == Tag::Font && key.compare(QLatin1StringView("color"), Qt::CaseInsensitive) == 0)
                colourGiven = colourOf(value, false, rgb);
            if (!colourGiven)
                return false;
            inner.coloured = true;
            inner.colour = rgb;
        }
        switch (tag) {
        case Tag::B:
        case Tag::Strong: inner.bold = true; break;
        case Tag::I:
        case Tag::Em: inner.italic = true; break;
        case Tag::U: inner.underline = true; break;
        case Tag::Br:
            if (colourGiven)
                return false;
            append(QChar::LineSeparator);
            dropBlanks = true;
            continue;
        case Tag::Div:
            if (colourGiven || closed || lines == Lines::InDiv || !open.isEmpty()
                || (lines == Lines::None && (face.text.endsWith(u' ') || face.text.endsWith(QChar::LineSeparator))))
                return false;
            if (!face.runs.isEmpty()) {
                paragraphStart = face.runs.size();
                face.paragraphs.append(paragraphStart);
            }
            lines = Lines::InDiv;
            dropBlanks = true;
            continue;
        default: break;
        }
        // <b/> is an element without content.
        if (!closed) {
            open.append({tag, inner});
            style = inner;
        }
    }
    return lines != Lines::InDiv;
}
