#include "richtext/PictureBytes.h"

#include "richtext/FacePictures.h"
#include "richtext/RtfParser.h"
#include "richtext/RtfSink.h"

#include <QBuffer>
#include <QImage>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QUrl>

namespace {

// Takes the first picture of an RTF snippet; the text around it does not matter.
class FirstPicture : public RtfSink
{
public:
    RtfPictureData first;
    bool found = false;

    void text(QStringView, const RtfCharState &) override {}
    void lineBreak(const RtfCharState &) override {}
    void paragraphEnd(const RtfParaState &, const RtfCharState &) override {}
    void cellEnd(const RtfParaState &, const RtfCharState &) override {}
    void rowEnd(const RtfRowState &) override {}
    void documentEnd(const RtfParaState &, const RtfCharState &) override {}
    void picture(const RtfPictureData &data, const RtfCharState &) override
    {
        if (found)
            return;
        first = data;
        found = true;
    }
};

} // namespace

PictureBytes::File PictureBytes::of(const QTextDocument &document, const QTextImageFormat &format)
{
    const QByteArray original = FacePictures::originalRtf(format);
    if (!original.isEmpty()) {
        // The original is a group of the face's RTF; the parser reads
        // groups inside a document only.
        const QByteArray rtf = "{\\rtf1 " + original + '}';
        FirstPicture sink;
        RtfParser parser(rtf, sink, true);
        parser.run();
        if (sink.found && !sink.first.data.isEmpty()) {
            if (sink.first.type == RtfPictureData::Png)
                return {sink.first.data, QStringLiteral("png")};
            if (sink.first.type == RtfPictureData::Jpeg)
                return {sink.first.data, QStringLiteral("jpg")};
        }
    }
    const QImage image = document.resource(QTextDocument::ImageResource, QUrl(format.name())).value<QImage>();
    if (image.isNull())
        return {};
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        return {};
    return {png, QStringLiteral("png")};
}
