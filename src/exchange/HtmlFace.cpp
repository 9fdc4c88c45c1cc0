#include "exchange/HtmlFace.h"

#include "exchange/HtmlLimits.h"
#include "exchange/MediaFiles.h"

#include "richtext/FacePictures.h"
#include "richtext/PictureBytes.h"
#include "richtext/PictureFile.h"
#include "richtext/RtfReader.h"

#include <QDir>
#include <QFileInfo>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QUrl>

namespace {

// Qt's HTML reader asks its document for the style sheets and pictures
// that the markup names; a field of a foreign file may name any file.
// This document hands out none: pictures come from the picture folder
// only.
class FieldDocument : public QTextDocument
{
public:
    FieldDocument() = default;
    explicit FieldDocument(const QString &html) { setHtml(html); }

protected:
    QVariant loadResource(int, const QUrl &) override { return QVariant(); }
};

struct Picture
{
    int position = 0;
    QString source;
};

QList<Picture> picturesOf(const QTextDocument &document)
{
    QList<Picture> pictures;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.charFormat().isImageFormat())
                continue;
            for (int i = 0; i < fragment.length(); ++i)
                pictures.append({fragment.position() + i, fragment.charFormat().toImageFormat().name()});
        }
    }
    return pictures;
}

// "data:image/png;base64,...": the bytes, and a file name whose ending
// tells the picture's kind.
bool fromDataUrl(const QString &source, QByteArray &bytes, QString &name)
{
    static const QList<std::pair<QString, QString>> kinds = {{QStringLiteral("image/png"), QStringLiteral("bild.png")},
                                                             {QStringLiteral("image/jpeg"), QStringLiteral("bild.jpg")},
                                                             {QStringLiteral("image/gif"), QStringLiteral("bild.gif")},
                                                             {QStringLiteral("image/bmp"), QStringLiteral("bild.bmp")}};
    if (!source.startsWith(QLatin1String("data:"), Qt::CaseInsensitive))
        return false;
    const qsizetype comma = source.indexOf(u',');
    const QString head = source.mid(5, comma - 5).toLower();
    if (comma < 0 || !head.endsWith(QLatin1String(";base64")))
        return false;
    for (const auto &[type, file] : kinds) {
        if (head.startsWith(type)) {
            name = file;
            bytes = QByteArray::fromBase64(source.mid(comma + 1).toLatin1());
            return !bytes.isEmpty();
        }
    }
    return false;
}

// Blanks that HTML would fold into one or drop: tabs, runs of spaces,
// spaces at the start or end of a line.
bool hasFoldingBlanks(const QTextDocument &document)
{
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QString text = block.text();
        for (const QString &line : text.split(QChar(0x2028))) {
            if (line.contains(u'\t') || line.contains(QLatin1String("  ")) || line.startsWith(u' ') || line.endsWith(u' '))
                return true;
        }
    }
    return false;
}

QString escaped(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        switch (c.unicode()) {
        case u'&': out += QLatin1String("&amp;"); break;
        case u'<': out += QLatin1String("&lt;"); break;
        case u'>': out += QLatin1String("&gt;"); break;
        case u'"': out += QLatin1String("&quot;"); break;
        case 0x2028: out += QLatin1String("<br>"); break;
        case 0xFFFC: break;
        default: out += c; break;
        }
    }
    return out;
}

// Line and paragraph ends at the end of a face, and the pictures there
// when they are left out, would end the field in empty lines.
void dropEmptyEnd(QTextDocument &document, bool keepPictures)
{
    document.setUndoRedoEnabled(false);
    QTextCursor cursor(&document);
    cursor.movePosition(QTextCursor::End);
    while (cursor.position() > 0) {
        const QChar last = document.characterAt(cursor.position() - 1);
        if (last != QChar::ParagraphSeparator && last != QChar::LineSeparator
            && (keepPictures || last != QChar::ObjectReplacementCharacter))
            break;
        cursor.deletePreviousChar();
    }
}

QString pictureTags(const QTextDocument &document, const QTextImageFormat &format, int count, MediaFiles &media)
{
    const PictureBytes::File file = PictureBytes::of(document, format);
    if (file.bytes.isEmpty())
        return QString();
    // Bare names of letters, digits and dots: nothing to escape.
    return QLatin1String("<img src=\"%1\">").arg(media.add(file.bytes, file.suffix)).repeated(count);
}

} // namespace

QString HtmlFace::picturePath(const QString &folder, const QString &source)
{
    if (folder.isEmpty() || source.isEmpty())
        return QString();
    const QDir dir(folder);
    const QString root = dir.canonicalPath();
    for (const QString &name : {source, QUrl::fromPercentEncoding(source.toUtf8())}) {
        // Web addresses, absolute paths and "../" lead out of the folder.
        if (name.contains(QLatin1String("://")) || QDir::isAbsolutePath(name) || name.startsWith(u'\\'))
            continue;
        const QFileInfo file(dir.filePath(name));
        if (file.isFile() && !root.isEmpty() && file.canonicalFilePath().startsWith(root + u'/'))
            return file.canonicalFilePath();
    }
    return QString();
}

HtmlFace::HtmlFace(const QTextCharFormat &standard, const Pictures &pictures)
    : m_standard(standard)
    , m_colour(standard.foreground().color())
    , m_pictures(pictures)
{
}

HtmlFace::~HtmlFace() = default;

QByteArray HtmlFace::toRtf(const QString &html, int line, CsvProblem::Side side, QList<CsvProblem> &problems)
{
    const HtmlLimits::Result limited = HtmlLimits::check(html);
    switch (limited.outcome) {
    case HtmlLimits::Outcome::TooLarge:
        problems.append({CsvProblem::Kind::FieldTooLarge, line, QString(), side});
        return RtfWriter::writePlainText(limited.text, m_standard);
    case HtmlLimits::Outcome::TooDeep:
        problems.append({CsvProblem::Kind::FieldTooDeep, line, QString(), side});
        return documentRtf(limited.text, line, side, problems);
    case HtmlLimits::Outcome::Within: break;
    }
    if (InlineHtml::read(html, m_face))
        return inlineRtf(m_face);
    return documentRtf(html, line, side, problems);
}

int HtmlFace::formatOf(const InlineHtml::Style &style)
{
    const auto it = m_formatIndex.constFind(style.key());
    if (it != m_formatIndex.cend())
        return *it;
    // The properties Qt's HTML reader sets for these styles.
    QTextCharFormat format;
    if (style.bold)
        format.setFontWeight(QFont::Bold);
    if (style.italic)
        format.setFontItalic(true);
    if (style.underline)
        format.setFontUnderline(true);
    if (style.coloured)
        format.setForeground(QColor::fromRgb(style.colour));
    m_formats.append(format);
    return *m_formatIndex.insert(style.key(), int(m_formats.size() - 1));
}

QByteArray HtmlFace::inlineRtf(const InlineHtml::Face &face)
{
    m_paragraphs.resize(face.paragraphs.size() + 1);
    const int mark = formatOf(InlineHtml::Style());
    qsizetype run = 0;
    for (qsizetype i = 0; i < m_paragraphs.size(); ++i) {
        RtfWriter::Paragraph &paragraph = m_paragraphs[i];
        paragraph.spans.clear();
        const qsizetype end = i < face.paragraphs.size() ? face.paragraphs[i] : face.runs.size();
        for (; run < end; ++run) {
            const InlineHtml::Run &r = face.runs[run];
            paragraph.spans.append({QStringView(face.text).sliced(r.start, r.length), formatOf(r.style)});
        }
        paragraph.markFormat = mark;
    }
    return RtfWriter::writeParagraphs(m_paragraphs, m_formats, m_standard.font(), m_colour);
}

QByteArray HtmlFace::documentRtf(const QString &html, int line, CsvProblem::Side side, QList<CsvProblem> &problems)
{
    if (!m_document)
        m_document = std::make_unique<FieldDocument>();
    QTextDocument &document = *m_document;
    // Also drops the pictures of the field before.
    document.clear();
    document.setDefaultFont(m_standard.font());
    document.setHtml(html);
    const QList<Picture> found = picturesOf(document);
    // From the end, so that the positions before stay where they are; the
    // problems in the order of the field.
    const qsizetype firstProblem = problems.size();
    for (auto it = found.crbegin(); it != found.crend(); ++it) {
        QTextCursor cursor(&document);
        cursor.setPosition(it->position);
        cursor.setPosition(it->position + 1, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
        PictureFile::Result picture;
        QString name;
        if (!fromDataUrl(it->source, picture.bytes, name)) {
            name = picturePath(m_pictures.folder, it->source);
            picture = name.isEmpty() ? PictureFile::Result{PictureFile::Outcome::Unreadable, {}, {}} : PictureFile::read(name);
            if (picture.outcome == PictureFile::Outcome::Unreadable) {
                problems.insert(firstProblem, {CsvProblem::Kind::MissingPicture, line, it->source, side});
                continue;
            }
        } else if (!PictureFile::fits(picture.bytes)) {
            picture.outcome = PictureFile::Outcome::TooLarge;
        }
        if (picture.outcome == PictureFile::Outcome::TooLarge)
            problems.insert(firstProblem, {CsvProblem::Kind::PictureTooLarge, line, it->source.left(80), side});
        else if (!FacePictures::insertFile(cursor, picture.bytes, name, m_pictures.maxWidth, nullptr))
            problems.insert(firstProblem, {CsvProblem::Kind::UnreadablePicture, line, it->source.left(80), side});
    }
    // <p> and headings bring margins of a web page, not of a card.
    return RtfWriter::writeImported(document, m_colour);
}

QString HtmlFace::plainText(const QString &html)
{
    const HtmlLimits::Result limited = HtmlLimits::check(html);
    if (limited.outcome == HtmlLimits::Outcome::TooLarge)
        return limited.text;
    QString text = FieldDocument(limited.outcome == HtmlLimits::Outcome::TooDeep ? limited.text : html).toPlainText();
    text.remove(QChar(QChar::ObjectReplacementCharacter));
    return text;
}

QString HtmlFace::fromRtf(QByteArrayView rtf, MediaFiles *media)
{
    QTextDocument document;
    RtfReader::read(rtf, document);
    dropEmptyEnd(document, media != nullptr);
    QString html;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block != document.begin())
            html += QLatin1String("<br>");
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat format = fragment.charFormat();
            if (format.isImageFormat()) {
                if (media)
                    html += pictureTags(document, format.toImageFormat(), fragment.length(), *media);
                continue;
            }
            const QString text = escaped(fragment.text());
            if (text.isEmpty())
                continue;
            QString open;
            QString close;
            const auto wrap = [&](bool on, const char *tag) {
                if (!on)
                    return;
                open += QLatin1String("<%1>").arg(QLatin1String(tag));
                close.prepend(QLatin1String("</%1>").arg(QLatin1String(tag)));
            };
            const QColor colour = format.foreground().color();
            if (format.hasProperty(QTextFormat::ForegroundBrush) && colour.rgb() != qRgb(0, 0, 0)) {
                open += QLatin1String("<span style=\"color:%1\">").arg(colour.name());
                close = QLatin1String("</span>");
            }
            wrap(format.fontWeight() >= QFont::DemiBold, "b");
            wrap(format.fontItalic(), "i");
            wrap(format.fontUnderline(), "u");
            html += open + text + close;
        }
    }
    if (hasFoldingBlanks(document))
        html = QLatin1String("<span style=\"white-space:pre-wrap\">") + html + QLatin1String("</span>");
    return html;
}
