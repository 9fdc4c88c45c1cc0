#include "richtext/CodePage.h"

#include <QHash>
#include <QMutex>

#include <array>
#include <cerrno>
#include <iconv.h>
#include <memory>

namespace {

QByteArray iconvName(int codePage)
{
    switch (codePage) {
    case 932: return "CP932";
    case 936: return "GBK";
    case 949: return "CP949";
    case 950: return "BIG5";
    case 10000: return "MACINTOSH";
    default: return "CP" + QByteArray::number(codePage);
    }
}

using Table = std::array<char16_t, 256>;

// Decodes one byte into `out`; the number of UTF-16 units written, 0 where
// the code page leaves the byte undefined.
int decodeByte(iconv_t cd, int b, char16_t (&out)[4])
{
    char in = char(b);
    char *inPtr = &in;
    size_t inLeft = 1;
    char *outPtr = reinterpret_cast<char *>(out);
    size_t outLeft = sizeof out;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == size_t(-1))
        return 0;
    return int((sizeof out - outLeft) / sizeof(char16_t));
}

std::unique_ptr<Table> buildTable(int codePage)
{
    iconv_t cd = iconv_open("UTF-16LE", iconvName(codePage).constData());
    if (cd == iconv_t(-1))
        return nullptr;
    auto table = std::make_unique<Table>();
    for (int b = 0; b < 256; ++b) {
        char16_t out[4] = {};
        // Bytes the code page leaves undefined keep their Latin-1 value, as
        // Windows' MultiByteToWideChar does for most of them.
        (*table)[b] = decodeByte(cd, b, out) == 0 ? char16_t(b) : out[0];
    }
    iconv_close(cd);
    return table;
}

struct Tables
{
    QMutex mutex;
    QHash<int, std::shared_ptr<Table>> byPage;
};

Tables &tables()
{
    static Tables t;
    return t;
}

// The bytes of a single-byte code page by character; bytes it leaves
// undefined are not in it.
using Reverse = QHash<char16_t, uchar>;

std::shared_ptr<const Reverse> buildReverse(int codePage)
{
    iconv_t cd = iconv_open("UTF-16LE", iconvName(codePage).constData());
    if (cd == iconv_t(-1))
        return nullptr;
    auto reverse = std::make_shared<Reverse>();
    for (int b = 0x80; b < 256; ++b) {
        char16_t out[4] = {};
        if (decodeByte(cd, b, out) == 1 && out[0] >= 0x80)
            reverse->insert(out[0], uchar(b));
    }
    iconv_close(cd);
    return reverse;
}

// One converter per thread and code page: iconv_open is too slow to call per run.
struct Converters
{
    QHash<int, iconv_t> byPage;
    ~Converters()
    {
        for (iconv_t cd : std::as_const(byPage))
            if (cd != iconv_t(-1))
                iconv_close(cd);
    }
};

iconv_t converterFor(int codePage)
{
    thread_local Converters converters;
    auto it = converters.byPage.find(codePage);
    if (it == converters.byPage.end())
        it = converters.byPage.insert(codePage, iconv_open("UTF-16LE", iconvName(codePage).constData()));
    return *it;
}

// The font "Symbol" from 0x20 to 0xFF; 0 where Unicode has no plain
// equivalent (glyph pieces, the second ®©™) and U+F000 + byte is kept.
const char16_t kSymbolFont[224] = {
    0x0020, 0x0021, 0x2200, 0x0023, 0x2203, 0x0025, 0x0026, 0x220B, 0x0028, 0x0029, 0x2217, 0x002B, 0x002C, 0x2212, 0x002E, 0x002F,
    0x0030, 0x0031, 0x0032, 0x0033, 0x0034, 0x0035, 0x0036, 0x0037, 0x0038, 0x0039, 0x003A, 0x003B, 0x003C, 0x003D, 0x003E, 0x003F,
    0x2245, 0x0391, 0x0392, 0x03A7, 0x0394, 0x0395, 0x03A6, 0x0393, 0x0397, 0x0399, 0x03D1, 0x039A, 0x039B, 0x039C, 0x039D, 0x039F,
    0x03A0, 0x0398, 0x03A1, 0x03A3, 0x03A4, 0x03A5, 0x03C2, 0x03A9, 0x039E, 0x03A8, 0x0396, 0x005B, 0x2234, 0x005D, 0x22A5, 0x005F,
    0,      0x03B1, 0x03B2, 0x03C7, 0x03B4, 0x03B5, 0x03C6, 0x03B3, 0x03B7, 0x03B9, 0x03D5, 0x03BA, 0x03BB, 0x03BC, 0x03BD, 0x03BF,
    0x03C0, 0x03B8, 0x03C1, 0x03C3, 0x03C4, 0x03C5, 0x03D6, 0x03C9, 0x03BE, 0x03C8, 0x03B6, 0x007B, 0x007C, 0x007D, 0x223C, 0,
    0,      0,      0,      0,      0,      0,      0,      0,      0,      0,      0,      0,      0,      0,      0,      0,
    0,      0,      0,      0,      0,      0,      0,      0,      0,      0,      0,      0,      0,      0,      0,      0,
    0x20AC, 0x03D2, 0x2032, 0x2264, 0x2044, 0x221E, 0x0192, 0x2663, 0x2666, 0x2665, 0x2660, 0x2194, 0x2190, 0x2191, 0x2192, 0x2193,
    0x00B0, 0x00B1, 0x2033, 0x2265, 0x00D7, 0x221D, 0x2202, 0x2022, 0x00F7, 0x2260, 0x2261, 0x2248, 0x2026, 0,      0,      0x21B5,
    0x2135, 0x2111, 0x211C, 0x2118, 0x2297, 0x2295, 0x2205, 0x2229, 0x222A, 0x2283, 0x2287, 0x2284, 0x2282, 0x2286, 0x2208, 0x2209,
    0x2220, 0x2207, 0x00AE, 0x00A9, 0x2122, 0x220F, 0x221A, 0x22C5, 0x00AC, 0x2227, 0x2228, 0x21D4, 0x21D0, 0x21D1, 0x21D2, 0x21D3,
    0x25CA, 0x2329, 0,      0,      0,      0x2211, 0,      0,      0,      0,      0,      0,      0,      0,      0,      0,
    0,      0x232A, 0x222B, 0x2320, 0,      0x2321, 0,      0,      0,      0,      0,      0,      0,      0,      0,      0,
};

} // namespace

char16_t CodePage::symbolFontChar(unsigned char byte)
{
    if (byte < 0x20)
        return byte;
    const char16_t c = kSymbolFont[byte - 0x20];
    return c ? c : symbolChar(byte);
}

int CodePage::symbolByte(char16_t ch, bool symbolFont)
{
    // in the font "Symbol" only where its byte reads as it again
    if (ch >= 0xF020 && ch <= 0xF0FF && (!symbolFont || symbolFontChar(ch & 0xFF) == ch))
        return ch & 0xFF;
    if (!symbolFont)
        return -1;
    for (int b = 0; b < 224; ++b)
        if (kSymbolFont[b] == ch)
            return b + 0x20;
    return -1;
}

int CodePage::fromCharset(int charset, int ansiCodePage)
{
    switch (charset) {
    case 2: return Symbol;
    case 77: return 10000;
    case 128: return 932;
    case 129: return 949;
    case 134: return 936;
    case 136: return 950;
    case 161: return 1253;
    case 162: return 1254;
    case 163: return 1258;
    case 177: return 1255;
    case 178: return 1256;
    case 186: return 1257;
    case 204: return 1251;
    case 222: return 874;
    case 238: return 1250;
    case 255: return 437;
    default: return ansiCodePage;
    }
}

bool CodePage::isDoubleByte(int codePage)
{
    return codePage == 932 || codePage == 936 || codePage == 949 || codePage == 950;
}

namespace {

// The single-byte pages of \fcharset, in the order charsetFor tries them
constexpr int kScriptCharsets[] = {0, 238, 161, 204, 162, 186, 177, 178, 163, 222};
constexpr int kScriptPages[] = {1252, 1250, 1253, 1251, 1254, 1257, 1255, 1256, 1258, 874};
constexpr int kScripts = int(std::size(kScriptPages));

const Reverse *scriptReverse(int index)
{
    static const std::array<std::shared_ptr<const Reverse>, kScripts> pages = [] {
        std::array<std::shared_ptr<const Reverse>, kScripts> built;
        for (int i = 0; i < kScripts; ++i)
            built[size_t(i)] = buildReverse(kScriptPages[i]);
        return built;
    }();
    return pages[size_t(index)].get();
}

int lookup(const Reverse *reverse, char16_t ch)
{
    if (!reverse)
        return -1;
    const auto found = reverse->constFind(ch);
    return found == reverse->cend() ? -1 : int(*found);
}

} // namespace

int CodePage::encode(int codePage, char16_t ch)
{
    if (ch < 0x80)
        return ch;
    if (isDoubleByte(codePage) || codePage == Symbol || codePage == SymbolFont)
        return -1;
    for (int i = 0; i < kScripts; ++i)
        if (kScriptPages[i] == codePage)
            return lookup(scriptReverse(i), ch);
    thread_local QHash<int, std::shared_ptr<const Reverse>> pages;
    auto it = pages.find(codePage);
    if (it == pages.end())
        it = pages.insert(codePage, buildReverse(codePage));
    return lookup(it->get(), ch);
}

int CodePage::charsetFor(char16_t ch)
{
    // the page of the character's own script first, then all in order
    int likely = -1;
    if (ch >= 0x370 && ch < 0x400)
        likely = 2;
    else if (ch >= 0x400 && ch < 0x500)
        likely = 3;
    if (likely >= 0 && lookup(scriptReverse(likely), ch) >= 0)
        return kScriptCharsets[likely];
    for (int i = 0; i < kScripts; ++i)
        if (lookup(scriptReverse(i), ch) >= 0)
            return kScriptCharsets[i];
    return -1;
}

const char16_t *CodePage::table(int codePage)
{
    if (isDoubleByte(codePage) || codePage == Symbol || codePage == SymbolFont)
        return nullptr;
    Tables &t = tables();
    QMutexLocker lock(&t.mutex);
    auto it = t.byPage.find(codePage);
    if (it == t.byPage.end())
        it = t.byPage.insert(codePage, std::shared_ptr<Table>(buildTable(codePage)));
    return *it ? (*it)->data() : nullptr;
}

void CodePage::decode(int codePage, QByteArrayView bytes, QString &out)
{
    if (bytes.isEmpty())
        return;
    if (codePage == Symbol || codePage == SymbolFont) {
        for (char c : bytes) {
            const auto b = static_cast<unsigned char>(c);
            out += QChar(codePage == SymbolFont ? symbolFontChar(b) : b < 0x20 ? char16_t(b) : symbolChar(b));
        }
        return;
    }
    if (!isDoubleByte(codePage)) {
        // the same page run after run: skip the lock of table()
        thread_local int lastPage = -1;
        thread_local const char16_t *lastTable = nullptr;
        if (codePage != lastPage) {
            lastTable = table(codePage);
            lastPage = codePage;
        }
        const char16_t *map = lastTable;
        if (!map)
            map = table(1252);
        const qsizetype start = out.size();
        out.resize(start + bytes.size());
        char16_t *dst = reinterpret_cast<char16_t *>(out.data()) + start;
        for (char c : bytes)
            *dst++ = map ? map[static_cast<unsigned char>(c)] : char16_t(static_cast<unsigned char>(c));
        return;
    }
    iconv_t cd = converterFor(codePage);
    if (cd == iconv_t(-1)) {
        decode(1252, bytes, out);
        return;
    }
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    const qsizetype start = out.size();
    out.resize(start + bytes.size() + 1);
    char *inPtr = const_cast<char *>(bytes.data());
    size_t inLeft = size_t(bytes.size());
    char *outBase = reinterpret_cast<char *>(out.data() + start);
    char *outPtr = outBase;
    size_t outLeft = size_t(bytes.size() + 1) * 2;
    while (inLeft > 0) {
        const size_t r = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
        if (r != size_t(-1))
            break;
        if (errno == E2BIG || outLeft < 2)
            break; // cannot happen: every byte yields at most one UTF-16 unit
        // An invalid or cut-off sequence: one replacement character, go on
        // after its first byte.
        *reinterpret_cast<char16_t *>(outPtr) = 0xFFFD;
        outPtr += 2;
        outLeft -= 2;
        ++inPtr;
        --inLeft;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    out.resize(start + (outPtr - outBase) / 2);
}
