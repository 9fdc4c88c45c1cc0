#include "CodePage.h"

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

std::unique_ptr<Table> buildTable(int codePage)
{
    iconv_t cd = iconv_open("UTF-16LE", iconvName(codePage).constData());
    if (cd == iconv_t(-1))
        return nullptr;
    auto table = std::make_unique<Table>();
    for (int b = 0; b < 256; ++b) {
        char in = char(b);
        char16_t outBuf[4] = {};
        char *inPtr = &in;
        size_t inLeft = 1;
        char *outPtr = reinterpret_cast<char *>(outBuf);
        size_t outLeft = sizeof outBuf;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        const size_t r = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
        // Bytes the code page leaves undefined keep their Latin-1 value, as
        // Windows' MultiByteToWideChar does for most of them.
        (*table)[b] = (r == size_t(-1) || outLeft == sizeof outBuf) ? char16_t(b) : outBuf[0];
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

} // namespace

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

const char16_t *CodePage::table(int codePage)
{
    if (isDoubleByte(codePage) || codePage == Symbol)
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
    if (codePage == Symbol) {
        for (char c : bytes)
            out += QChar(symbolChar(static_cast<unsigned char>(c)));
        return;
    }
    if (!isDoubleByte(codePage)) {
        const char16_t *map = table(codePage);
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
