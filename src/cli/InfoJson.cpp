#include "cli/InfoJson.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <charconv>
#include <string_view>

namespace {

QJsonObject fontJson(const FontRecord &font)
{
    return QJsonObject{
        {QStringLiteral("Name"), font.Name},           {QStringLiteral("Size"), font.Size},
        {QStringLiteral("Color"), font.Color},         {QStringLiteral("Bold"), font.Bold},
        {QStringLiteral("Italic"), font.Italic},       {QStringLiteral("UnderLine"), font.UnderLine},
        {QStringLiteral("StrikeOut"), font.StrikeOut},
    };
}

// An array of the top object as Qt indents it: eight spaces, and a comma
// after all but the last.
QByteArray boxEntries(const CardSet &set)
{
    QByteArray out;
    for (int i = 0; i < set.count(); ++i) {
        out += "        ";
        out += QByteArray::number(set.box(i));
        out += i + 1 < set.count() ? ",\n" : "\n";
    }
    return out;
}

// Each face an object of "SHA256" and "Size", in the same way; written
// into one buffer per block, as a million faces make 280 MB of text.
void writeFaces(const FaceHashes &faces, qsizetype first, int count, const std::function<void(QByteArrayView)> &sink)
{
    static const char digits[] = "0123456789abcdef";
    constexpr int Block = 16384;
    constexpr qsizetype MostPerFace = 160;
    const auto put = [](char *to, std::string_view text) { return std::copy(text.begin(), text.end(), to); };
    QByteArray out(std::min(count, Block) * MostPerFace, Qt::Uninitialized);
    char *const start = out.data();
    char *p = start;
    for (int i = 0; i < count; ++i) {
        const FaceHashes::Hash &hash = faces.at(first + i);
        p = put(p, "        {\n            \"SHA256\": \"");
        for (const char byte : hash.sha256) {
            *p++ = digits[uchar(byte) >> 4];
            *p++ = digits[uchar(byte) & 15];
        }
        p = put(p, "\",\n            \"Size\": ");
        p = std::to_chars(p, p + 16, hash.size).ptr;
        p = put(p, i + 1 < count ? "\n        },\n" : "\n        }\n");
        if ((i + 1) % Block == 0 || i + 1 == count) {
            sink(QByteArrayView(start, p - start));
            p = start;
        }
    }
}

} // namespace

void InfoJson::write(const CardSet &set, const QString &errorLine, PageOrientation orientation, FaceHashes &faces,
                     const std::function<void(QByteArrayView)> &sink)
{
    if (faces.count() == 0) {
        for (int i = 0; i < set.count(); ++i)
            faces.add(set.front(i));
        for (int i = 0; i < set.count(); ++i)
            faces.add(set.back(i));
    }
    faces.finish();

    const PrintOptions &options = set.printOptions();
    // The arrays stand as null in Qt's text of the other members, and are
    // put in their place.
    const QJsonObject object{
        {QStringLiteral("FileName"), set.FileName()},
        {QStringLiteral("CurrentIndex"), set.CurrentIndex()},
        {QStringLiteral("Modified"), set.Modified()},
        {QStringLiteral("ErrorLine"), errorLine},
        {QStringLiteral("HeaderText"), options.HeaderText},
        {QStringLiteral("HeaderColor"), options.HeaderColor},
        {QStringLiteral("HeaderFont"), fontJson(options.HeaderFont)},
        {QStringLiteral("HeaderMargins"),
         QJsonObject{
             {QStringLiteral("Top"), options.HeaderMargins.Top},
             {QStringLiteral("Bottom"), options.HeaderMargins.Bottom},
             {QStringLiteral("Right"), options.HeaderMargins.Right},
             {QStringLiteral("Left"), options.HeaderMargins.Left},
         }},
        {QStringLiteral("AktPrintCards"), options.AktPrintCards},
        {QStringLiteral("RandAbstand"), options.RandAbstand},
        {QStringLiteral("TextAbstand"), options.TextAbstand},
        {QStringLiteral("titelProzent"), options.titelProzent},
        {QStringLiteral("PrintNummer"), options.PrintNummer},
        {QStringLiteral("PrintKopfZeile"), options.PrintKopfZeile},
        {QStringLiteral("PrintFadenkreuz"), options.PrintFadenkreuz},
        {QStringLiteral("WebStyle"), options.WebStyle},
        {QStringLiteral("PrintCR"), options.PrintCR},
        {QStringLiteral("Copyright"), options.Copyright},
        {QStringLiteral("StandardFontFront"), fontJson(set.StandardFontFront())},
        {QStringLiteral("StandardFontBack"), fontJson(set.StandardFontBack())},
        {QStringLiteral("PrinterOrientation"),
         orientation == PageOrientation::Landscape ? QStringLiteral("landscape") : QStringLiteral("portrait")},
        {QStringLiteral("CardCount"), set.count()},
        {QStringLiteral("Boxes"), QJsonValue()},
        {QStringLiteral("Fronts"), QJsonValue()},
        {QStringLiteral("Backs"), QJsonValue()},
    };
    const QByteArray text = QJsonDocument(object).toJson(QJsonDocument::Indented);

    // Members of the top object start a line with four spaces; strings
    // hold no line break, so each mark is found once.
    struct Array
    {
        qsizetype at;
        const char *key;
    };
    Array arrays[] = {{0, "Boxes"}, {0, "Fronts"}, {0, "Backs"}};
    for (Array &array : arrays)
        array.at = text.indexOf("\n    \"" + QByteArray(array.key) + "\": null") + qstrlen(array.key) + 9;
    std::sort(std::begin(arrays), std::end(arrays), [](const Array &a, const Array &b) { return a.at < b.at; });
    qsizetype done = 0;
    for (const Array &array : arrays) {
        sink(QByteArrayView(text).sliced(done, array.at - done));
        sink("[\n");
        const QByteArrayView key(array.key);
        if (key == "Boxes")
            sink(boxEntries(set));
        else
            writeFaces(faces, key == "Fronts" ? 0 : set.count(), set.count(), sink);
        sink("    ]");
        done = array.at + 4;
    }
    sink(QByteArrayView(text).sliced(done));
}
