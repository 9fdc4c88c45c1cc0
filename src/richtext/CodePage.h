#pragma once

#include <QByteArrayView>
#include <QString>

// Windows code pages of RTF text: charset numbers to code pages, and
// decoding of byte runs. Single-byte pages go through a 256-entry table
// built once from glibc's iconv; double-byte pages (932, 936, 949, 950)
// are decoded run by run through iconv.
class CodePage
{
public:
    // The code page of a font's \fcharset; 0 and 1 (and unknown charsets)
    // follow the document's \ansicpg. Symbol fonts give Symbol.
    static int fromCharset(int charset, int ansiCodePage);
    static constexpr int Symbol = 2;
    // The font named "Symbol": its Greek letters and mathematical signs
    // are decoded to their Unicode characters.
    static constexpr int SymbolFont = 3;
    static bool isDoubleByte(int codePage);
    // Appends the decoded bytes to out. Unknown code pages decode as 1252;
    // a byte sequence the code page rejects becomes U+FFFD.
    static void decode(int codePage, QByteArrayView bytes, QString &out);
    // The byte of a character in a single-byte code page; -1 when the page
    // lacks it (and for double-byte and symbol pages).
    static int encode(int codePage, char16_t ch);
    // The \fcharset of the first single-byte Windows code page that has
    // the character (0, Western, first; then 238 Central European, 161
    // Greek, 204 Cyrillic, 162 Turkish, 186 Baltic, 177 Hebrew, 178 Arabic,
    // 163 Vietnamese, 222 Thai); -1 when none has it.
    static int charsetFor(char16_t ch);
    // The 256-entry table of a single-byte code page, or nullptr.
    static const char16_t *table(int codePage);
    // Symbol fonts: their bytes map to U+F000 + byte, as Windows does, so
    // that they come back as the same bytes; the font "Symbol" to Unicode
    // where Unicode has the character.
    static char16_t symbolChar(unsigned char byte) { return char16_t(0xF000 + byte); }
    static char16_t symbolFontChar(unsigned char byte);
    // The byte of a character in a symbol font, -1 if it has none.
    static int symbolByte(char16_t ch, bool symbolFont);
};
