// libFuzzer target: the RTF reader (document and plain text paths) and the
// writer on whatever the reader made of the input.
#include "richtext/RtfReader.h"
#include "richtext/RtfWriter.h"

#include <QGuiApplication>
#include <QTextDocument>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // damaged pictures make the image plugins complain on every run
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView rtf(reinterpret_cast<const char *>(data), qsizetype(size));
    RtfReader::textLines(rtf);
    QTextDocument document;
    RtfReader::read(rtf, document);
    const QByteArray written = RtfWriter::write(document);
    QTextDocument again;
    RtfReader::read(written, again);
    return 0;
}
