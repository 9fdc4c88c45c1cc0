#include "richtext/RtfParser.h"

#include "richtext/CodePage.h"

#include <string_view>
#include <unordered_map>

enum RtfParser::Keyword : int {
    KwNone,
    // document
    KwRtf,
    KwAnsi,
    KwMac,
    KwPc,
    KwPca,
    KwAnsiCpg,
    KwDeff,
    KwUc,
    KwU,
    // destinations
    KwFontTbl,
    KwColorTbl,
    KwSkipDest,
    KwPict,
    KwObject,
    KwResult,
    KwShpPict,
    KwNonShpPict,
    KwPnText,
    KwPn,
    KwPnTxtA,
    KwPnTxtB,
    KwFldInst,
    KwFldRslt,
    KwQuilloPict,
    KwQuilloField,
    // font table
    KwFCharset,
    KwFontFamily,
    KwRed,
    KwGreen,
    KwBlue,
    // character
    // the underlines in the order of RtfCharState::UnderlineKind
    KwPlain,
    KwB,
    KwI,
    KwUl,
    KwUlDotted,
    KwUlDouble,
    KwUlWords,
    KwUlThick,
    KwUlWave,
    KwUlDash,
    KwUlDashDot,
    KwUlDashDotDot,
    KwUlNone,
    KwStrike,
    KwF,
    KwFs,
    KwCf,
    KwHighlight,
    KwCb,
    KwChcbpat,
    KwSuper,
    KwSub,
    KwNoSuperSub,
    // paragraph
    KwPard,
    KwQl,
    KwQc,
    KwQr,
    KwQj,
    KwFi,
    KwLi,
    KwRi,
    KwSb,
    KwSa,
    KwSl,
    KwSlMult,
    KwTx,
    KwTqr,
    KwTqc,
    KwTqDec,
    KwPar,
    KwLine,
    KwTab,
    KwCell,
    KwRow,
    KwNestCell,
    KwNestRow,
    // tables
    KwTrowd,
    KwCellx,
    KwIntbl,
    KwItap,
    KwTrGaph,
    KwCellBorder,
    KwParaBorder,
    KwBorderStyle,
    KwBorderNone,
    // numbering
    KwPnLvlBlt,
    KwPnLvlBody,
    KwPnLvlCont,
    KwPnDec,
    KwPnUcLtr,
    KwPnLcLtr,
    KwPnUcRm,
    KwPnLcRm,
    KwPnStart,
    // pictures and objects
    KwPngBlip,
    KwJpegBlip,
    KwWmetafile,
    KwEmfBlip,
    KwDibitmap,
    KwWbitmap,
    KwOtherBlip,
    KwPicW,
    KwPicH,
    KwPicWGoal,
    KwPicHGoal,
    KwPicScaleX,
    KwPicScaleY,
    KwObjW,
    KwObjH,
    KwObjScaleX,
    KwObjScaleY,
    KwBin,
    // characters
    KwEmDash,
    KwEnDash,
    KwEmSpace,
    KwEnSpace,
    KwQmSpace,
    KwBullet,
    KwLQuote,
    KwRQuote,
    KwLDblQuote,
    KwRDblQuote,
    KwZwj,
    KwZwnj,
    KwLtrMark,
    KwRtlMark,
    // fatal to a font table that never closed
    KwBodyStart,
};

RtfParser::Keyword RtfParser::lookup(std::string_view word)
{
    static const std::unordered_map<std::string_view, Keyword> table = {
        {"rtf", KwRtf},
        {"ansi", KwAnsi},
        {"mac", KwMac},
        {"pc", KwPc},
        {"pca", KwPca},
        {"ansicpg", KwAnsiCpg},
        {"deff", KwDeff},
        {"uc", KwUc},
        {"u", KwU},
        {"fonttbl", KwFontTbl},
        {"colortbl", KwColorTbl},
        {"stylesheet", KwSkipDest},
        {"info", KwSkipDest},
        {"header", KwSkipDest},
        {"headerl", KwSkipDest},
        {"headerr", KwSkipDest},
        {"headerf", KwSkipDest},
        {"footer", KwSkipDest},
        {"footerl", KwSkipDest},
        {"footerr", KwSkipDest},
        {"footerf", KwSkipDest},
        {"footnote", KwSkipDest},
        {"annotation", KwSkipDest},
        {"xe", KwSkipDest},
        {"tc", KwSkipDest},
        {"txe", KwSkipDest},
        {"listtext", KwSkipDest},
        {"objdata", KwSkipDest},
        {"objclass", KwSkipDest},
        {"objname", KwSkipDest},
        {"ftnsep", KwSkipDest},
        {"ftnsepc", KwSkipDest},
        {"ftncn", KwSkipDest},
        {"aftnsep", KwSkipDest},
        {"aftnsepc", KwSkipDest},
        {"aftncn", KwSkipDest},
        {"template", KwSkipDest},
        {"shpinst", KwSkipDest},
        {"picprop", KwSkipDest},
        {"blipuid", KwSkipDest},
        {"pgdsctbl", KwSkipDest},
        {"revtbl", KwSkipDest},
        {"rsidtbl", KwSkipDest},
        {"listtable", KwSkipDest},
        {"listoverridetable", KwSkipDest},
        {"filetbl", KwSkipDest},
        {"docvar", KwSkipDest},
        {"userprops", KwSkipDest},
        {"pnseclvl", KwSkipDest},
        {"do", KwSkipDest},
        {"generator", KwSkipDest},
        {"bkmkstart", KwSkipDest},
        {"bkmkend", KwSkipDest},
        {"private", KwSkipDest},
        {"pict", KwPict},
        {"object", KwObject},
        {"result", KwResult},
        {"shppict", KwShpPict},
        {"nonshppict", KwNonShpPict},
        {"pntext", KwPnText},
        {"pn", KwPn},
        {"pntxta", KwPnTxtA},
        {"pntxtb", KwPnTxtB},
        {"fldinst", KwFldInst},
        {"fldrslt", KwFldRslt},
        {"quillopict", KwQuilloPict},
        {"quillofield", KwQuilloField},
        {"fcharset", KwFCharset},
        {"fnil", KwFontFamily},
        {"froman", KwFontFamily},
        {"fswiss", KwFontFamily},
        {"fmodern", KwFontFamily},
        {"fscript", KwFontFamily},
        {"fdecor", KwFontFamily},
        {"ftech", KwFontFamily},
        {"fbidi", KwFontFamily},
        {"red", KwRed},
        {"green", KwGreen},
        {"blue", KwBlue},
        {"plain", KwPlain},
        {"b", KwB},
        {"i", KwI},
        {"ul", KwUl},
        {"ulnone", KwUlNone},
        {"uld", KwUlDotted},
        {"uldb", KwUlDouble},
        {"ulw", KwUlWords},
        {"ulth", KwUlThick},
        {"uldash", KwUlDash},
        {"uldashd", KwUlDashDot},
        {"uldashdd", KwUlDashDotDot},
        {"ulwave", KwUlWave},
        {"ulhwave", KwUlWave},
        {"ululdbwave", KwUlWave},
        {"ulldash", KwUlDash},
        {"ulthd", KwUlDotted},
        {"ulthdash", KwUlDash},
        {"ulthdashd", KwUlDashDot},
        {"ulthdashdd", KwUlDashDotDot},
        {"ulthldash", KwUlDash},
        {"strike", KwStrike},
        {"striked", KwStrike},
        {"f", KwF},
        {"fs", KwFs},
        {"cf", KwCf},
        {"highlight", KwHighlight},
        {"cb", KwCb},
        {"chcbpat", KwChcbpat},
        {"super", KwSuper},
        {"sub", KwSub},
        {"nosupersub", KwNoSuperSub},
        {"pard", KwPard},
        {"ql", KwQl},
        {"qc", KwQc},
        {"qr", KwQr},
        {"qj", KwQj},
        {"qd", KwQj},
        {"fi", KwFi},
        {"li", KwLi},
        {"ri", KwRi},
        {"sb", KwSb},
        {"sa", KwSa},
        {"sl", KwSl},
        {"slmult", KwSlMult},
        {"tx", KwTx},
        {"tqr", KwTqr},
        {"tqc", KwTqc},
        {"tqdec", KwTqDec},
        {"par", KwPar},
        {"line", KwLine},
        {"tab", KwTab},
        {"cell", KwCell},
        {"nestcell", KwNestCell},
        {"row", KwRow},
        {"nestrow", KwNestRow},
        {"trowd", KwTrowd},
        {"cellx", KwCellx},
        {"intbl", KwIntbl},
        {"itap", KwItap},
        {"trgaph", KwTrGaph},
        {"clbrdrt", KwCellBorder},
        {"clbrdrl", KwCellBorder},
        {"clbrdrb", KwCellBorder},
        {"clbrdrr", KwCellBorder},
        {"trbrdrt", KwCellBorder},
        {"trbrdrl", KwCellBorder},
        {"trbrdrb", KwCellBorder},
        {"trbrdrr", KwCellBorder},
        {"trbrdrh", KwCellBorder},
        {"trbrdrv", KwCellBorder},
        {"brdrt", KwParaBorder},
        {"brdrl", KwParaBorder},
        {"brdrb", KwParaBorder},
        {"brdrr", KwParaBorder},
        {"box", KwParaBorder},
        {"brdrs", KwBorderStyle},
        {"brdrth", KwBorderStyle},
        {"brdrsh", KwBorderStyle},
        {"brdrdb", KwBorderStyle},
        {"brdrdot", KwBorderStyle},
        {"brdrdash", KwBorderStyle},
        {"brdrhair", KwBorderStyle},
        {"brdrtriple", KwBorderStyle},
        {"brdrinset", KwBorderStyle},
        {"brdroutset", KwBorderStyle},
        {"brdrnone", KwBorderNone},
        {"pnlvlblt", KwPnLvlBlt},
        {"pnlvlbody", KwPnLvlBody},
        {"pnlvlcont", KwPnLvlCont},
        {"pndec", KwPnDec},
        {"pnucltr", KwPnUcLtr},
        {"pnlcltr", KwPnLcLtr},
        {"pnucrm", KwPnUcRm},
        {"pnlcrm", KwPnLcRm},
        {"pnstart", KwPnStart},
        {"pngblip", KwPngBlip},
        {"jpegblip", KwJpegBlip},
        {"wmetafile", KwWmetafile},
        {"emfblip", KwEmfBlip},
        {"dibitmap", KwDibitmap},
        {"wbitmap", KwWbitmap},
        {"macpict", KwOtherBlip},
        {"pmmetafile", KwOtherBlip},
        {"picw", KwPicW},
        {"pich", KwPicH},
        {"picwgoal", KwPicWGoal},
        {"pichgoal", KwPicHGoal},
        {"picscalex", KwPicScaleX},
        {"picscaley", KwPicScaleY},
        {"objw", KwObjW},
        {"objh", KwObjH},
        {"objscalex", KwObjScaleX},
        {"objscaley", KwObjScaleY},
        {"bin", KwBin},
        {"emdash", KwEmDash},
        {"endash", KwEnDash},
        {"emspace", KwEmSpace},
        {"enspace", KwEnSpace},
        {"qmspace", KwQmSpace},
        {"bullet", KwBullet},
        {"lquote", KwLQuote},
        {"rquote", KwRQuote},
        {"ldblquote", KwLDblQuote},
        {"rdblquote", KwRDblQuote},
        {"zwj", KwZwj},
        {"zwnj", KwZwnj},
        {"ltrmark", KwLtrMark},
        {"rtlmark", KwRtlMark},
        {"viewkind", KwBodyStart},
    };
    const auto it = table.find(word);
    return it == table.end() ? KwNone : it->second;
}

namespace {

// Bytes that end a run of plain text.
struct SpecialBytes
{
    bool special[256] = {};
    signed char hex[256] = {};
    constexpr SpecialBytes()
    {
        for (int c = 0; c < 32; ++c)
            special[c] = c != '\t';
        special[int('\\')] = special[int('{')] = special[int('}')] = true;
        for (int c = 0; c < 256; ++c)
            hex[c] = -1;
        for (int c = '0'; c <= '9'; ++c)
            hex[c] = static_cast<signed char>(c - '0');
        for (int c = 'a'; c <= 'f'; ++c)
            hex[c] = static_cast<signed char>(c - 'a' + 10);
        for (int c = 'A'; c <= 'F'; ++c)
            hex[c] = static_cast<signed char>(c - 'A' + 10);
    }
};
constexpr SpecialBytes kBytes;

inline bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
inline bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isSymbolFontName(const QString &name)
{
    return name.compare(QLatin1String("Symbol"), Qt::CaseInsensitive) == 0
        || name.startsWith(QLatin1String("Wingdings"), Qt::CaseInsensitive)
        || name.compare(QLatin1String("Webdings"), Qt::CaseInsensitive) == 0;
}

// Control characters (\'01, \u10) and U+FFFC, which stands for an object:
// no face holds them as text, and the writer leaves them out.
void dropUnwritable(QString &text)
{
    text.removeIf([](QChar c) { return (c.unicode() < 0x20 && c != QLatin1Char('\t')) || c.unicode() == 0xFFFC; });
}

} // namespace

RtfParser::RtfParser(QByteArrayView rtf, RtfSink &sink, bool readPictures)
    : m_in(rtf)
    , m_sink(sink)
    , m_readPictures(readPictures)
{
}

const RtfFont *RtfParser::font(int number) const
{
    const auto it = m_fonts.constFind(number);
    return it == m_fonts.cend() ? nullptr : &*it;
}

QColor RtfParser::color(int index) const
{
    return index > 0 && index < m_colors.size() ? m_colors[index] : QColor();
}

int RtfParser::fontCodePage(int fontNumber) const
{
    const RtfFont *f = font(fontNumber);
    int cp = m_ansiCodePage;
    if (f) {
        if (f->charset >= 0)
            cp = CodePage::fromCharset(f->charset, m_ansiCodePage);
        else if (isSymbolFontName(f->name))
            cp = CodePage::Symbol;
        if (cp == CodePage::Symbol && f->name.compare(QLatin1String("Symbol"), Qt::CaseInsensitive) == 0)
            cp = CodePage::SymbolFont;
    }
    return cp;
}

int RtfParser::codePageOf(int fontNumber)
{
    if (fontNumber != m_cpFont) {
        m_cpFont = fontNumber;
        m_cpValue = fontCodePage(fontNumber);
    }
    return m_cpValue;
}

void RtfParser::run()
{
    const qsizetype start = m_in.indexOf(QByteArrayView("{\\rtf"));
    if (start < 0) {
        runPlainText();
        return;
    }
    m_stack.reserve(64);
    m_pos = start;
    const char *data = m_in.data();
    const qsizetype end = m_in.size();
    bool done = false;
    openGroup(m_pos);
    while (!done && m_pos < end) {
        if (m_stack.empty())
            break; // the document's group was closed (or skipped)
        const char c = data[m_pos];
        switch (c) {
        case '{':
            m_skip = 0;
            openGroup(m_pos);
            break;
        case '}':
            m_skip = 0;
            m_starred = false; // a "\*" that no word followed in its group
            closeGroup(m_pos);
            ++m_pos;
            done = m_stack.empty();
            break;
        case '\\': {
            if (m_pos + 1 >= end) {
                m_pos = end;
                break;
            }
            const char next = data[m_pos + 1];
            if (isLetter(next)) {
                readControlWord();
            } else if (next == '\'') {
                hexEscape();
            } else {
                m_pos += 2;
                if (m_skip > 0)
                    --m_skip;
                else
                    controlSymbol(next);
            }
            break;
        }
        case '\r':
        case '\n': ++m_pos; break;
        default:
            if (static_cast<unsigned char>(c) < 32 && c != '\t') {
                ++m_pos;
                if (c == '\x0b' && m_skip == 0)
                    lineBreak();
            } else {
                textRun();
            }
            break;
        }
    }
    // A missing closing brace: close what is open.
    while (!m_stack.empty())
        closeGroup(end);
    flushText();
    m_sink.documentEnd(m_para, m_textState);
}

void RtfParser::hexEscape()
{
    // \'hh; an invalid pair is consumed all the same
    const char *data = m_in.data();
    const qsizetype end = m_in.size();
    const qsizetype h = m_pos + 2;
    int value = -1;
    if (h + 1 < end) {
        const int hi = kBytes.hex[static_cast<unsigned char>(data[h])];
        const int lo = kBytes.hex[static_cast<unsigned char>(data[h + 1])];
        if (hi >= 0 && lo >= 0)
            value = hi * 16 + lo;
    }
    m_pos = qMin(end, m_pos + 4);
    if (m_skip > 0) {
        --m_skip;
    } else if (value >= 0) {
        const char byte = char(value);
        if (cur().dest == Pict)
            hexByte(value);
        else
            textBytes(&byte, 1);
    }
}

void RtfParser::readControlWord()
{
    const char *data = m_in.data();
    const qsizetype end = m_in.size();
    const qsizetype wordStart = m_pos + 1;
    qsizetype p = wordStart;
    while (p < end && isLetter(data[p]))
        ++p;
    const qsizetype wordEnd = p;
    bool hasParam = false;
    qint64 param = 0;
    bool negative = false;
    if (p + 1 < end && data[p] == '-' && isDigit(data[p + 1])) {
        negative = true;
        ++p;
    }
    while (p < end && isDigit(data[p])) {
        hasParam = true;
        if (param < 100000000000LL)
            param = param * 10 + (data[p] - '0');
        ++p;
    }
    if (negative)
        param = -param;
    param = qBound<qint64>(-2147483647LL, param, 2147483647LL);
    if (p < end && data[p] == ' ')
        ++p;
    m_pos = p;
    if (m_skip > 0) {
        --m_skip;
        // the raw bytes of a skipped \bin go with it
        if (std::string_view(data + wordStart, size_t(wordEnd - wordStart)) == "bin" && param > 0)
            m_pos = qMin(end, m_pos + qsizetype(param));
        return;
    }
    controlWord(wordStart, wordEnd, hasParam, int(param));
}

void RtfParser::textRun()
{
    // up to the next byte that ends plain text; \uN's fallback comes off first
    const char *data = m_in.data();
    const qsizetype end = m_in.size();
    qsizetype p = m_pos + 1;
    while (p < end && !kBytes.special[static_cast<unsigned char>(data[p])])
        ++p;
    const char *s = data + m_pos;
    qsizetype n = p - m_pos;
    m_pos = p;
    if (m_skip > 0) {
        const qsizetype k = qMin<qsizetype>(m_skip, n);
        m_skip -= int(k);
        s += k;
        n -= k;
    }
    if (n > 0)
        textBytes(s, n);
}

void RtfParser::runPlainText()
{
    // Not RTF at all: show the bytes as Windows-1252 text, one paragraph a line.
    QString text;
    CodePage::decode(1252, m_in, text);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString &line : lines)
        dropUnwritable(line);
    RtfCharState state;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i + 1 == lines.size() && lines[i].isEmpty())
            break;
        if (!lines[i].isEmpty())
            m_sink.text(lines[i], state);
        if (i + 1 < lines.size())
            m_sink.paragraphEnd(m_para, state);
    }
    m_sink.documentEnd(m_para, state);
}

void RtfParser::openGroup(qsizetype at)
{
    // inside a picture or an object counted from its group: its copy is
    // written back at another depth
    if (depth() >= (m_capture.kind == Capture::None ? MaxDepth : m_capture.depth + MaxDepth)) {
        m_pos = skipBalanced(at + 1, 1);
        return;
    }
    m_starred = false;
    if (m_stack.empty()) {
        Group g;
        g.chr.font = m_defaultFont;
        g.open = at;
        m_stack.push_back(g);
    } else {
        Group g = m_stack.back();
        g.open = at;
        if (at == m_fieldResultAt) {
            g.chr.field = int(m_fields.size());
            m_fieldResultAt = -1;
        }
        // a font entry's own sub-groups ({\*\panose}, {\*\falt}) are
        // skipped by their star; anything else stays in the entry
        m_stack.push_back(g);
    }
    ++m_pos;
}

void RtfParser::closeGroup(qsizetype at)
{
    if (m_stack.empty())
        return;
    const int d = depth();
    const Group &g = cur();
    const int parentDest = d >= 2 ? m_stack[size_t(d - 2)].dest : -1;
    switch (g.dest) {
    case FontEntry:
        if (parentDest != FontEntry)
            finishFontEntry();
        break;
    case PnTextAfter:
        if (parentDest != PnTextAfter) {
            dropUnwritable(m_pnText);
            m_para.numbering.textAfter = m_pnText;
        }
        break;
    case PnTextBefore:
        if (parentDest != PnTextBefore) {
            dropUnwritable(m_pnText);
            m_para.numbering.textBefore = m_pnText;
        }
        break;
    case FontTable:
        if (m_fontOpen)
            finishFontEntry();
        break;
    default: break;
    }
    const bool pictClosed = d == m_pictDepth;
    const bool captureClosed = m_capture.kind != Capture::None && d == m_capture.depth;
    m_stack.pop_back();
    if (d == m_wrapperDepth) {
        m_wrapperDepth = -1;
        m_capture = Capture();
        m_pictDepth = -1;
        if (m_haveWrapped) {
            // the original is the picture inside, byte for byte: what else
            // the group holds would be read as text beside it once written
            m_haveWrapped = false;
            m_pos = at; // the caller steps over the closing brace
            const qsizetype next = skipSpace(at + 1);
            if (startsWithGroup(next, "pict"))
                m_pos = skipBalanced(next + 1, 1) - 1;
            emitPicture(std::move(m_wrapped));
            m_wrapped = RtfPictureData();
        }
        return;
    }
    if (pictClosed) {
        m_pictDepth = -1;
        RtfPictureData pict = std::move(m_pict);
        m_pict = RtfPictureData();
        if (m_capture.kind != Capture::None && !m_capture.havePict) {
            m_capture.pict = std::move(pict);
            m_capture.havePict = true;
        }
    }
    if (!captureClosed)
        return;
    const qsizetype endPos = qMin(m_in.size(), at + 1);
    Capture capture = std::move(m_capture);
    m_capture = Capture();
    RtfPictureData pd = capture.havePict ? std::move(capture.pict) : RtfPictureData();
    switch (capture.kind) {
    case Capture::Pict:
        pd.original = closedCopy(capture.start, endPos);
        emitPicture(std::move(pd));
        break;
    case Capture::Object:
        pd.isObject = true;
        pd.objw = capture.object.objw;
        pd.objh = capture.object.objh;
        pd.objscalex = capture.object.objscalex;
        pd.objscaley = capture.object.objscaley;
        pd.original = closedCopy(capture.start, endPos);
        emitPicture(std::move(pd));
        break;
    case Capture::ShpPict: {
        qsizetype last = endPos;
        const qsizetype next = skipSpace(endPos);
        if (startsWithGroup(next, "nonshppict")) {
            last = skipBalanced(next + 1, 1);
            m_pos = last - 1; // the caller steps over the closing brace
        }
        pd.original = closedCopy(capture.start, last);
        emitPicture(std::move(pd));
        break;
    }
    }
}

qsizetype RtfParser::skipSpace(qsizetype from) const
{
    while (from < m_in.size() && (m_in[from] == ' ' || m_in[from] == '\r' || m_in[from] == '\n' || m_in[from] == '\t'))
        ++from;
    return from;
}

bool RtfParser::startsWithGroup(qsizetype at, QByteArrayView word) const
{
    // "{\word" or "{\*\word", not followed by another letter
    if (at >= m_in.size() || m_in[at] != '{')
        return false;
    QByteArrayView rest = m_in.sliced(at + 1);
    if (rest.startsWith("\\*"))
        rest = rest.sliced(2);
    if (!rest.startsWith('\\'))
        return false;
    rest = rest.sliced(1);
    return rest.startsWith(word) && (rest.size() == word.size() || !isLetter(rest[word.size()]));
}

qsizetype RtfParser::skipBalanced(qsizetype p, int depth) const
{
    const char *data = m_in.data();
    const qsizetype end = m_in.size();
    while (p < end) {
        const char c = data[p];
        if (c == '{') {
            ++depth;
            ++p;
        } else if (c == '}') {
            ++p;
            if (--depth == 0)
                return p;
        } else if (c == '\\') {
            if (p + 3 < end && data[p + 1] == 'b' && data[p + 2] == 'i' && data[p + 3] == 'n' && (p + 4 >= end || !isLetter(data[p + 4]))) {
                p += 4;
                qint64 n = 0;
                bool negative = false;
                if (p < end && data[p] == '-') {
                    negative = true;
                    ++p;
                }
                while (p < end && isDigit(data[p])) {
                    if (n < 100000000000LL)
                        n = n * 10 + (data[p] - '0');
                    ++p;
                }
                if (p < end && data[p] == ' ')
                    ++p;
                if (!negative)
                    p += qsizetype(qMin<qint64>(n, end - p));
            } else {
                p += p + 1 < end && data[p + 1] == '\'' ? 4 : 2; // as run() reads \'hh, whatever follows
            }
        } else {
            ++p;
            while (p < end && data[p] != '{' && data[p] != '}' && data[p] != '\\')
                ++p;
        }
    }
    return end;
}

QByteArray RtfParser::closedCopy(QByteArrayView rtf)
{
    const char *data = rtf.data();
    const qsizetype end = rtf.size();
    int depth = 0;
    qsizetype p = 0;
    qsizetype whole = end; // where the token the end cut short starts
    QByteArray binTail;
    while (p < end && whole == end) {
        const char c = data[p];
        if (c == '{' || c == '}') {
            depth = c == '{' ? depth + 1 : qMax(0, depth - 1);
            ++p;
        } else if (c != '\\') {
            ++p;
        } else if (p + 1 >= end || (data[p + 1] == '\'' && p + 4 > end)) {
            whole = p; // a lone "\" or a cut \'hh: read as nothing
        } else if (!isLetter(data[p + 1])) {
            p += data[p + 1] == '\'' ? 4 : 2;
        } else {
            const qsizetype word = p;
            ++p;
            while (p < end && isLetter(data[p]))
                ++p;
            const bool bin = std::string_view(data + word + 1, size_t(p - word - 1)) == "bin";
            const bool negative = p + 1 < end && data[p] == '-' && isDigit(data[p + 1]);
            if (negative)
                ++p;
            qint64 n = 0;
            for (; p < end && isDigit(data[p]); ++p)
                n = qMin<qint64>(n * 10 + (data[p] - '0'), 100000000000LL);
            if (p < end && data[p] == ' ')
                ++p;
            if (bin && !negative && n > end - p) {
                // \bin's data cut short: as many bytes as were read
                whole = word;
                if (p < end)
                    binTail = "\\bin" + QByteArray::number(end - p) + ' ' + rtf.sliced(p).toByteArray();
            } else if (bin && !negative) {
                p += n;
            }
        }
    }
    QByteArray copy = rtf.first(whole).toByteArray() + binTail;
    copy.append(depth, '}');
    return copy;
}

QByteArray RtfParser::closedCopy(qsizetype from, qsizetype to) const
{
    // a copy from a word in the middle of its group gets the group's brace
    if (m_in[from] == '{')
        return closedCopy(m_in.sliced(from, to - from));
    return closedCopy('{' + m_in.sliced(from, to - from).toByteArray());
}

void RtfParser::skipGroup()
{
    // the current group is dropped with everything in it
    m_pos = skipBalanced(m_pos, 1);
    if (m_stack.empty())
        return;
    const int d = depth();
    if (d != m_pictDepth && d != m_wrapperDepth && (m_capture.kind == Capture::None || d != m_capture.depth)) {
        m_stack.pop_back();
        return;
    }
    // a picture's or object's own group: it ends here all the same
    m_pos = qMax<qsizetype>(0, m_pos - 1);
    closeGroup(m_pos);
    ++m_pos;
}

void RtfParser::textBytes(const char *s, qsizetype n)
{
    switch (cur().dest) {
    case Text: {
        beginText();
        const int cp = codePageOf(cur().chr.font);
        if (!m_bytes.isEmpty() && cp != m_bytesCodePage)
            decodePending();
        m_bytesCodePage = cp;
        m_bytes.append(s, n);
        break;
    }
    case FontTable:
    case FontEntry:
        for (qsizetype i = 0; i < n; ++i) {
            if (s[i] == ';')
                finishFontEntry();
            else if (m_fontOpen)
                m_fontName.append(s[i]);
        }
        break;
    case ColorTable:
        for (qsizetype i = 0; i < n; ++i) {
            if (s[i] != ';')
                continue;
            if (m_red < 0 && m_green < 0 && m_blue < 0)
                m_colors.append(QColor());
            else
                m_colors.append(QColor(qMax(0, m_red), qMax(0, m_green), qMax(0, m_blue)));
            m_red = m_green = m_blue = -1;
        }
        break;
    case Pict:
        for (qsizetype i = 0; i < n; ++i) {
            const int v = kBytes.hex[static_cast<unsigned char>(s[i])];
            if (v < 0)
                continue;
            if (m_hexHigh < 0) {
                m_hexHigh = v;
            } else {
                m_pict.data.append(char(m_hexHigh * 16 + v));
                m_hexHigh = -1;
            }
        }
        break;
    case PnTextAfter:
    case PnTextBefore: CodePage::decode(codePageOf(cur().chr.font), QByteArrayView(s, n), m_pnText); break;
    default: break;
    }
}

void RtfParser::hexByte(int value)
{
    // \'hh inside picture data is a byte of the data
    m_pict.data.append(char(value));
}

void RtfParser::beginText()
{
    if ((!m_text.isEmpty() || !m_bytes.isEmpty()) && !(m_textState == cur().chr))
        flushText();
    m_textState = cur().chr;
}

void RtfParser::decodePending()
{
    if (m_bytes.isEmpty())
        return;
    CodePage::decode(m_bytesCodePage, m_bytes, m_text);
    m_bytes.clear();
}

void RtfParser::flushText()
{
    decodePending();
    dropUnwritable(m_text);
    if (m_text.isEmpty())
        return;
    m_sink.text(m_text, m_textState);
    m_text.clear();
}

void RtfParser::addChar(char32_t ch)
{
    switch (cur().dest) {
    case Text:
        beginText();
        decodePending();
        if (ch > 0xFFFF) {
            m_text += QChar::highSurrogate(ch);
            m_text += QChar::lowSurrogate(ch);
        } else {
            m_text += QChar(char16_t(ch));
        }
        break;
    case PnTextAfter:
    case PnTextBefore:
        if (ch <= 0xFFFF)
            m_pnText += QChar(char16_t(ch));
        break;
    case FontTable:
    case FontEntry:
        // a font name written with \uN: what came before it as bytes first
        if (m_fontOpen && ch <= 0xFFFF) {
            CodePage::decode(fontEntryCodePage(), m_fontName, m_fontNameText);
            m_fontName.clear();
            m_fontNameText += QChar(char16_t(ch));
        }
        break;
    default: break;
    }
}

void RtfParser::addUnicode(int value)
{
    if (value < 0)
        value += 65536;
    if (value < 0)
        value = 0xFFFD;
    if (value > 0x10FFFF)
        value = 0xFFFD;
    addChar(char32_t(value));
    m_skip = cur().uc;
}

void RtfParser::paragraphEnd()
{
    if (cur().dest != Text)
        return;
    flushText();
    m_sink.paragraphEnd(m_para, cur().chr);
}

void RtfParser::cellEnd()
{
    if (cur().dest != Text)
        return;
    flushText();
    m_sink.cellEnd(m_para, cur().chr);
}

void RtfParser::rowEnd()
{
    if (cur().dest != Text)
        return;
    flushText();
    m_sink.rowEnd(m_row);
}

void RtfParser::lineBreak()
{
    if (cur().dest != Text)
        return;
    flushText();
    m_sink.lineBreak(cur().chr);
}

void RtfParser::finishFontEntry()
{
    if (!m_fontOpen)
        return;
    RtfFont f;
    f.charset = m_fontCharset;
    f.codePage = m_fontCharset >= 0 ? CodePage::fromCharset(m_fontCharset, m_ansiCodePage) : m_ansiCodePage;
    f.name = m_fontNameText;
    CodePage::decode(fontEntryCodePage(), m_fontName, f.name);
    // what a written font table cannot hold: a ";" would end the name
    f.name.removeIf([](QChar c) { return c.unicode() < 0x20 || c == QChar::LineSeparator || c.unicode() == 0xFFFC; });
    f.name = f.name.replace(QLatin1Char(';'), QLatin1Char(' ')).trimmed();
    m_fonts.insert(m_fontNumber, f);
    m_fontOpen = false;
    m_fontName.clear();
    m_fontNameText.clear();
    m_cpFont = -1;
}

int RtfParser::fontEntryCodePage() const
{
    // the name is in the font's own code page; a symbol font's in Windows-1252
    const int cp = m_fontCharset >= 0 ? CodePage::fromCharset(m_fontCharset, m_ansiCodePage) : m_ansiCodePage;
    return cp == CodePage::Symbol ? 1252 : cp;
}

void RtfParser::controlSymbol(char c)
{
    switch (c) {
    case '\\':
    case '{':
    case '}': textBytes(&c, 1); break;
    case '~': addChar(0x00A0); break;
    case '-': addChar(0x00AD); break;
    case '_': addChar(0x2011); break;
    case '*': m_starred = true; return;
    case '\r':
    case '\n': paragraphEnd(); break;
    case '\t': addChar('\t'); break;
    default: break;
    }
    m_starred = false;
}

void RtfParser::pictureStarts(int kind)
{
    Group &g = cur();
    g.dest = Pict;
    m_pict = RtfPictureData();
    m_pictDepth = depth();
    m_hexHigh = -1;
    captureStarts(kind);
}

void RtfParser::captureStarts(int kind)
{
    // The outermost picture or object keeps the original bytes; inner ones
    // are part of it.
    if (m_capture.kind == Capture::None) {
        m_capture.kind = kind;
        m_capture.depth = depth();
        m_capture.start = cur().open;
        cur().uc = 1; // as where its copy is written back
        // A word in the middle of its group: the copy starts with it, as
        // what came before it was read as text.
        for (qsizetype p = m_capture.start + 1; p < m_wordAt; ++p) {
            const char c = m_in[p];
            if (c == '\\' && p + 1 < m_wordAt && m_in[p + 1] == '*')
                ++p;
            else if (c != ' ' && c != '\r' && c != '\n' && c != '\t')
                m_capture.start = m_wordAt;
        }
    }
}

void RtfParser::skippedPicture()
{
    // Pictures are not read, but the paragraph still has one.
    skipGroup();
    if (!m_stack.empty() && cur().dest == Text && m_capture.kind == Capture::None) {
        flushText();
        m_sink.picture(RtfPictureData(), cur().chr);
    }
}

void RtfParser::skipFallback()
{
    const qsizetype next = skipSpace(m_pos);
    if (startsWithGroup(next, "pict"))
        m_pos = skipBalanced(next + 1, 1);
}

void RtfParser::emitPicture(RtfPictureData picture)
{
    if (m_stack.empty())
        return;
    if (m_wrapperDepth >= 0) {
        if (!m_haveWrapped) {
            m_wrapped = std::move(picture);
            m_haveWrapped = true;
        }
        return;
    }
    // Pictures inside skipped or dropped parts (a shape's alternative, a
    // header) are not part of the text.
    if (cur().dest != Text)
        return;
    flushText();
    m_sink.picture(picture, cur().chr);
}

void RtfParser::controlWord(qsizetype wordStart, qsizetype wordEnd, bool hasParam, int param)
{
    const std::string_view word(m_in.data() + wordStart, size_t(wordEnd - wordStart));
    const Keyword kw = lookup(word);
    m_wordAt = wordStart - 1;
    const bool starred = m_starred;
    m_starred = false;

    if (starred) {
        switch (kw) {
        case KwPn:
        case KwShpPict:
        case KwQuilloPict:
        case KwQuilloField:
        case KwFldInst: break;
        default: skipGroup(); return;
        }
    }

    // words that mean the same in every destination
    switch (kw) {
    case KwNone:
    case KwRtf: return;
    case KwAnsi:
    case KwMac:
    case KwPc:
    case KwPca:
    case KwAnsiCpg:
    case KwDeff:
    case KwUc:
    case KwU: documentWord(kw, hasParam, param); return;
    case KwFldInst:
    case KwFldRslt:
    case KwQuilloField: fieldWord(kw); return;
    case KwSkipDest:
    case KwPnText:
    case KwFontTbl:
    case KwColorTbl: destinationWord(kw); return;
    case KwPict:
    case KwQuilloPict:
    case KwObject:
    case KwShpPict:
    case KwNonShpPict:
    case KwResult:
    case KwObjW:
    case KwObjH:
    case KwObjScaleX:
    case KwObjScaleY:
    case KwBin: pictureWord(kw, hasParam, param); return;
    default: break;
    }

    switch (cur().dest) {
    case FontTable:
    case FontEntry:
        if (fontTableWord(kw, param))
            return;
        break; // a font table that never closed: this word starts the body
    case ColorTable: colorTableWord(kw, param); return;
    case Pict: pictPropertyWord(kw, param); return;
    case Pn: numberingWord(kw, param); return;
    case PnTextAfter:
    case PnTextBefore: numberingTextWord(kw, param); return;
    case Drop: return;
    default: break;
    }

    // body text
    if (!charFormatWord(kw, hasParam, param) && !paraFormatWord(kw, hasParam, param))
        textWord(kw);
}

void RtfParser::documentWord(Keyword kw, bool hasParam, int param)
{
    // Inside a picture or object, which is written back as it is, these
    // would change the text written after it.
    if (kw != KwUc && kw != KwU && (m_capture.kind != Capture::None || m_wrapperDepth >= 0))
        return;
    switch (kw) {
    case KwAnsi:
        m_ansiCodePage = 1252;
        m_cpFont = -1;
        return;
    case KwMac:
        m_ansiCodePage = 10000;
        m_cpFont = -1;
        return;
    case KwPc:
        m_ansiCodePage = 437;
        m_cpFont = -1;
        return;
    case KwPca:
        m_ansiCodePage = 850;
        m_cpFont = -1;
        return;
    case KwAnsiCpg:
        if (hasParam && param > 0 && param < 100000) {
            m_ansiCodePage = param;
            m_cpFont = -1;
        }
        return;
    case KwDeff:
        if (hasParam) {
            m_defaultFont = param;
            if (depth() == 1)
                cur().chr.font = param;
        }
        return;
    case KwUc: cur().uc = quint8(qBound(0, param, 10)); return;
    case KwU:
        if (hasParam)
            addUnicode(param);
        return;
    default: break;
    }
}

void RtfParser::fieldWord(Keyword kw)
{
    Group &g = cur();
    switch (kw) {
    case KwFldInst:
        // kept whole: the field is written back around its result
        if (m_readPictures && g.dest == Text && m_fields.size() < 10000) {
            const qsizetype open = g.open;
            skipGroup();
            m_fieldInstruction = m_in.sliced(open, m_pos - open).toByteArray();
        } else {
            skipGroup();
        }
        return;
    case KwQuilloField: {
        // {\*\quillofield INSTRUCTION}{RESULT}: a field as Quillo writes it,
        // so that readers without fields show its result all the same
        const qsizetype inner = m_pos;
        skipGroup();
        if (m_readPictures && !m_stack.empty() && cur().dest == Text && m_fields.size() < 10000) {
            const qsizetype close = qMax(inner, m_pos - 1);
            const QByteArray instruction = closedCopy(m_in.sliced(inner, close - inner).trimmed());
            const qsizetype next = skipSpace(m_pos);
            if (!instruction.isEmpty() && next < m_in.size() && m_in[next] == '{') {
                m_fields.append(instruction);
                m_fieldResultAt = next;
            }
        }
        return;
    }
    case KwFldRslt:
        if (!m_fieldInstruction.isEmpty() && g.dest == Text) {
            m_fields.append(std::move(m_fieldInstruction));
            m_fieldInstruction.clear();
            g.chr.field = int(m_fields.size());
        }
        return;
    default: break;
    }
}

void RtfParser::destinationWord(Keyword kw)
{
    Group &g = cur();
    // a table inside a picture or object: see documentWord
    const bool inCopy = m_capture.kind != Capture::None || m_wrapperDepth >= 0;
    switch (kw) {
    case KwSkipDest:
    case KwPnText: skipGroup(); return;
    case KwFontTbl:
        if (inCopy) {
            skipGroup();
            return;
        }
        g.dest = FontTable;
        m_fontOpen = false;
        return;
    case KwColorTbl:
        if (inCopy) {
            skipGroup();
            return;
        }
        g.dest = ColorTable;
        m_colors.clear();
        m_red = m_green = m_blue = -1;
        return;
    default: break;
    }
}

void RtfParser::pictureWord(Keyword kw, bool hasParam, int param)
{
    Group &g = cur();
    switch (kw) {
    case KwPict:
        if (!m_readPictures) {
            skippedPicture();
            return;
        }
        pictureStarts(Capture::Pict);
        return;
    case KwQuilloPict:
        // {\*\quillopict ORIGINAL}{\pict FALLBACK}: Quillo's own picture
        // with the metafile it wrote for other programs beside it
        if (!m_readPictures || m_wrapperDepth >= 0 || m_capture.kind != Capture::None) {
            if (m_readPictures)
                skipGroup();
            else
                skippedPicture();
            skipFallback();
            return;
        }
        g.dest = Drop;
        m_wrapperDepth = depth();
        m_haveWrapped = false;
        return;
    case KwObject:
        if (!m_readPictures) {
            skippedPicture();
            return;
        }
        g.dest = Drop;
        captureStarts(Capture::Object);
        return;
    case KwShpPict:
        if (!m_readPictures) {
            skippedPicture();
            return;
        }
        g.dest = Drop;
        captureStarts(Capture::ShpPict);
        return;
    case KwNonShpPict:
        if (!m_readPictures) {
            skipGroup();
            return;
        }
        g.dest = Drop;
        captureStarts(Capture::ShpPict);
        return;
    case KwResult: g.dest = Drop; return;
    case KwObjW: m_capture.object.objw = param; return;
    case KwObjH: m_capture.object.objh = param; return;
    case KwObjScaleX: m_capture.object.objscalex = param; return;
    case KwObjScaleY: m_capture.object.objscaley = param; return;
    case KwBin: {
        const qsizetype n = hasParam && param > 0 ? qMin<qsizetype>(param, m_in.size() - m_pos) : 0;
        if (g.dest == Pict)
            m_pict.data.append(m_in.data() + m_pos, n);
        m_pos += n;
        return;
    }
    default: break;
    }
}

bool RtfParser::fontTableWord(Keyword kw, int param)
{
    Group &g = cur();
    switch (kw) {
    case KwF:
        if (m_fontOpen)
            finishFontEntry();
        m_fontOpen = true;
        m_fontNumber = param;
        m_fontCharset = -1;
        m_fontName.clear();
        m_fontNameText.clear();
        if (g.dest == FontTable && depth() >= 2 && m_stack[size_t(depth() - 2)].dest == FontTable)
            g.dest = FontEntry;
        return true;
    case KwFCharset: m_fontCharset = param; return true;
    case KwBodyStart:
    case KwPard:
    case KwPar:
    case KwPlain:
        // A font table that never closed: the body starts here.
        if (g.dest == FontTable) {
            if (m_fontOpen)
                finishFontEntry();
            g.dest = Text;
            return false;
        }
        return true;
    default: return true;
    }
}

void RtfParser::colorTableWord(Keyword kw, int param)
{
    if (kw == KwRed)
        m_red = qBound(0, param, 255);
    else if (kw == KwGreen)
        m_green = qBound(0, param, 255);
    else if (kw == KwBlue)
        m_blue = qBound(0, param, 255);
}

void RtfParser::pictPropertyWord(Keyword kw, int param)
{
    switch (kw) {
    case KwPngBlip: m_pict.type = RtfPictureData::Png; return;
    case KwJpegBlip: m_pict.type = RtfPictureData::Jpeg; return;
    case KwWmetafile: m_pict.type = RtfPictureData::Wmf; return;
    case KwEmfBlip: m_pict.type = RtfPictureData::Emf; return;
    case KwDibitmap: m_pict.type = RtfPictureData::Dib; return;
    case KwWbitmap: m_pict.type = RtfPictureData::Ddb; return;
    case KwOtherBlip: m_pict.type = RtfPictureData::Unknown; return;
    case KwPicW: m_pict.picw = param; return;
    case KwPicH: m_pict.pich = param; return;
    case KwPicWGoal: m_pict.goalw = param; return;
    case KwPicHGoal: m_pict.goalh = param; return;
    case KwPicScaleX: m_pict.scalex = param; return;
    case KwPicScaleY: m_pict.scaley = param; return;
    default: return;
    }
}

void RtfParser::numberingWord(Keyword kw, int param)
{
    switch (kw) {
    case KwPnLvlBlt: m_para.numbering.kind = RtfNumbering::Bullet; return;
    case KwPnLvlBody:
        if (m_para.numbering.kind == RtfNumbering::None || m_para.numbering.kind == RtfNumbering::Bullet)
            m_para.numbering.kind = RtfNumbering::Decimal;
        return;
    case KwPnLvlCont: m_para.numbering.kind = RtfNumbering::None; return;
    case KwPnDec: m_para.numbering.kind = RtfNumbering::Decimal; return;
    case KwPnUcLtr: m_para.numbering.kind = RtfNumbering::UpperAlpha; return;
    case KwPnLcLtr: m_para.numbering.kind = RtfNumbering::LowerAlpha; return;
    case KwPnUcRm: m_para.numbering.kind = RtfNumbering::UpperRoman; return;
    case KwPnLcRm: m_para.numbering.kind = RtfNumbering::LowerRoman; return;
    case KwPnStart: m_para.numbering.start = qBound(0, param, 32767); return;
    case KwPnTxtA:
        cur().dest = PnTextAfter;
        m_pnText.clear();
        return;
    case KwPnTxtB:
        cur().dest = PnTextBefore;
        m_pnText.clear();
        return;
    default: return;
    }
}

void RtfParser::numberingTextWord(Keyword kw, int param)
{
    if (kw == KwF)
        cur().chr.font = param;
    else if (kw == KwTab)
        addChar('\t');
}

bool RtfParser::charFormatWord(Keyword kw, bool hasParam, int param)
{
    Group &g = cur();
    const int on = hasParam ? param : 1;
    switch (kw) {
    case KwFontFamily:
    case KwFCharset:
        // A font entry outside any font table (damaged files)
        if (depth() >= 2) {
            flushText();
            if (!m_fontOpen) {
                m_fontOpen = true;
                m_fontNumber = g.chr.font;
                m_fontCharset = -1;
                m_fontName.clear();
                m_fontNameText.clear();
            }
            if (kw == KwFCharset)
                m_fontCharset = param;
            g.dest = FontEntry;
        }
        return true;
    case KwPlain: {
        const int field = g.chr.field; // formatting, not the field, is reset
        g.chr = RtfCharState();
        g.chr.font = m_defaultFont;
        g.chr.field = field;
        return true;
    }
    case KwB: g.chr.flags = on ? (g.chr.flags | RtfCharState::Bold) : (g.chr.flags & ~RtfCharState::Bold); return true;
    case KwI: g.chr.flags = on ? (g.chr.flags | RtfCharState::Italic) : (g.chr.flags & ~RtfCharState::Italic); return true;
    case KwUl:
    case KwUlDotted:
    case KwUlDouble:
    case KwUlWords:
    case KwUlThick:
    case KwUlWave:
    case KwUlDash:
    case KwUlDashDot:
    case KwUlDashDotDot:
        g.chr.flags = on ? (g.chr.flags | RtfCharState::Underline) : (g.chr.flags & ~RtfCharState::Underline);
        g.chr.underline = quint8(kw - KwUl); // in the order of RtfCharState::UnderlineKind
        return true;
    case KwUlNone: g.chr.flags &= ~RtfCharState::Underline; return true;
    case KwStrike: g.chr.flags = on ? (g.chr.flags | RtfCharState::Strike) : (g.chr.flags & ~RtfCharState::Strike); return true;
    case KwSuper: g.chr.flags = (g.chr.flags & ~RtfCharState::Sub) | RtfCharState::Super; return true;
    case KwSub: g.chr.flags = (g.chr.flags & ~RtfCharState::Super) | RtfCharState::Sub; return true;
    case KwNoSuperSub: g.chr.flags &= ~(RtfCharState::Super | RtfCharState::Sub); return true;
    case KwF:
        if (hasParam)
            g.chr.font = param;
        return true;
    case KwFs: g.chr.halfPoints = hasParam && param > 0 ? qMin(param, 3276) : 24; return true;
    case KwCf: g.chr.foreground = qMax(0, param); return true;
    case KwHighlight:
    case KwCb:
    case KwChcbpat: g.chr.background = qMax(0, param); return true;
    default: return false;
    }
}

bool RtfParser::paraFormatWord(Keyword kw, bool hasParam, int param)
{
    const int on = hasParam ? param : 1;
    switch (kw) {
    case KwPn:
        cur().dest = Pn;
        m_para.numbering = RtfNumbering();
        m_para.numbering.kind = RtfNumbering::Decimal;
        return true;
    case KwPard: {
        m_para = RtfParaState();
        return true;
    }
    case KwIntbl: m_para.inTable = true; return true;
    case KwItap: m_para.inTable = param > 0; return true;
    case KwTrowd:
        m_row = RtfRowState();
        m_borderOfRow = false;
        return true;
    case KwCellx:
        if (m_row.cellRight.size() < MaxColumns)
            m_row.cellRight.append(qBound(-31680, param, 31680));
        return true;
    case KwTrGaph: m_row.gap = qBound(0, param, 1440); return true;
    case KwCellBorder:
    case KwParaBorder: m_borderOfRow = kw == KwCellBorder; return true;
    case KwBorderStyle: m_row.borders |= m_borderOfRow; return true;
    case KwBorderNone: return true;
    case KwQl: m_para.align = RtfParaState::Left; return true;
    case KwQc: m_para.align = RtfParaState::Center; return true;
    case KwQr: m_para.align = RtfParaState::Right; return true;
    case KwQj: m_para.align = RtfParaState::Justify; return true;
    case KwFi: m_para.firstLineIndent = qBound(-31680, param, 31680); return true;
    case KwLi: m_para.leftIndent = qBound(-31680, param, 31680); return true;
    case KwRi: m_para.rightIndent = qBound(-31680, param, 31680); return true;
    case KwSb: m_para.spaceBefore = qBound(0, param, 31680); return true;
    case KwSa: m_para.spaceAfter = qBound(0, param, 31680); return true;
    case KwSl: m_para.lineSpacing = qBound(-31680, param, 31680); return true;
    case KwSlMult: m_para.lineMultiple = on != 0; return true;
    case KwTqr:
    case KwTqc:
    case KwTqDec: {
        // the kind goes with the \tx that follows
        RtfTabStop stop;
        stop.position = -1;
        stop.kind = kw == KwTqr ? RtfTabStop::Right : kw == KwTqc ? RtfTabStop::Center : RtfTabStop::Decimal;
        if (m_para.tabs.size() < 64)
            m_para.tabs.append(stop);
        return true;
    }
    case KwTx: {
        const int pos = qBound(0, param, 31680);
        if (!m_para.tabs.isEmpty() && m_para.tabs.last().position < 0)
            m_para.tabs.last().position = pos;
        else if (m_para.tabs.size() < 64)
            m_para.tabs.append(RtfTabStop{pos, RtfTabStop::Left});
        return true;
    }
    default: return false;
    }
}

void RtfParser::textWord(Keyword kw)
{
    switch (kw) {
    case KwPar:
    case KwNestRow: paragraphEnd(); return; // a nested table's rows are paragraphs of its cell
    case KwCell: cellEnd(); return;
    case KwRow: rowEnd(); return;
    case KwLine: lineBreak(); return;
    case KwTab:
    case KwNestCell: addChar('\t'); return;
    case KwEmDash: addChar(0x2014); return;
    case KwEnDash: addChar(0x2013); return;
    case KwEmSpace: addChar(0x2003); return;
    case KwEnSpace: addChar(0x2002); return;
    case KwQmSpace: addChar(0x2005); return;
    case KwBullet: addChar(0x2022); return;
    case KwLQuote: addChar(0x2018); return;
    case KwRQuote: addChar(0x2019); return;
    case KwLDblQuote: addChar(0x201C); return;
    case KwRDblQuote: addChar(0x201D); return;
    case KwZwj: addChar(0x200D); return;
    case KwZwnj: addChar(0x200C); return;
    case KwLtrMark: addChar(0x200E); return;
    case KwRtlMark: addChar(0x200F); return;
    default: return;
    }
}
