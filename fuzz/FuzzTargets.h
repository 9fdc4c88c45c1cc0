#pragma once

#include <QByteArrayView>
#include <QString>

// The entry points of the fuzz targets: each takes one input, hands it to
// the reader it is named after and checks what must hold for any input.
// They return an empty text when all held, otherwise what did not; a crash
// or sanitizer report is a finding too. The libFuzzer programs and the
// regression test both call them, so a kept input replays the same code.
class FuzzTargets
{
public:
    // The RTF reader (document and plain text), the writer on its result
    // and the reader again: the face must come back the same, text and
    // formatting as the rich text tests describe them (RtfTestSupport).
    // Needs a QGuiApplication.
    static QString rtfReader(QByteArrayView input);
    // The input as a ".ql3" file. A set that loads must be exactly what the
    // file holds, it must save, and the saved file must load as the same set.
    static QString cardSetLoad(QByteArrayView input);
    // The input as settings text, read; every value line written again into
    // a new text, which must read back each value at once and, after the
    // round trip through its file, line for line.
    static QString iniText(QByteArrayView input);
    // The input cut at `legacyCut` into the ".qlt", ".qla" and ".qli" files
    // of a 2.5 set (fewer pieces: the later files are missing), imported
    // like the native load, with the same save check.
    static QString legacyImport(QByteArrayView input);
    // The input as a word list, every choice detected. A list that reads
    // becomes cards, and those exported and read again must come back as
    // many, in the same boxes.
    static QString wordList(QByteArrayView input);

    static constexpr QByteArrayView legacyCut{"--8<--"};
};
