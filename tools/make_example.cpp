// Writes the example card set examples/Beispiel.ql3 through Quillo's own
// card set and face code: German cards with formatting, pictures drawn
// here, spread over the four boxes.
//
//   quillo-make-example examples/Beispiel.ql3

#include "document/CardSetDocument.h"

#include "cardset/CardSetFile.h"
#include "cardset/ScratchFile.h"
#include "richtext/RtfWriter.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <QUrl>

#include <cstdio>
#include <functional>
#include <memory>

namespace {

// One face built paragraph by paragraph.
class Face
{
public:
    Face()
        : m_cursor(&m_document)
    {
        m_base.setFontFamilies({QStringLiteral("Arial")});
        m_base.setFontPointSize(12);
        m_base.setForeground(Qt::black);
        m_cursor.setCharFormat(m_base);
    }

    Face &text(const QString &text)
    {
        m_cursor.insertText(text, m_base);
        return *this;
    }
    Face &bold(const QString &text)
    {
        return styled(text, [](QTextCharFormat &f) { f.setFontWeight(QFont::Bold); });
    }
    Face &italic(const QString &text)
    {
        return styled(text, [](QTextCharFormat &f) { f.setFontItalic(true); });
    }
    Face &underline(const QString &text)
    {
        return styled(text, [](QTextCharFormat &f) { f.setFontUnderline(true); });
    }
    Face &coloured(const QString &text, const QColor &colour, bool strong = false)
    {
        return styled(text, [&](QTextCharFormat &f) {
            f.setForeground(colour);
            if (strong)
                f.setFontWeight(QFont::Bold);
        });
    }
    Face &big(const QString &text, int points)
    {
        return styled(text, [&](QTextCharFormat &f) {
            f.setFontPointSize(points);
            f.setFontWeight(QFont::Bold);
        });
    }
    Face &paragraph(Qt::Alignment alignment = Qt::AlignLeft)
    {
        QTextBlockFormat block;
        block.setAlignment(alignment);
        m_cursor.insertBlock(block, m_base);
        return *this;
    }
    Face &centre()
    {
        QTextBlockFormat block = m_cursor.blockFormat();
        block.setAlignment(Qt::AlignHCenter);
        m_cursor.setBlockFormat(block);
        return *this;
    }
    Face &bullets(const QStringList &items)
    {
        QTextListFormat list;
        list.setStyle(QTextListFormat::ListDisc);
        list.setIndent(1);
        QTextBlockFormat block;
        m_cursor.insertBlock(block, m_base);
        m_cursor.createList(list);
        for (qsizetype i = 0; i < items.size(); ++i) {
            if (i > 0)
                m_cursor.insertBlock();
            m_cursor.insertText(items.at(i), m_base);
        }
        return *this;
    }
    Face &picture(const QImage &image, const QString &name)
    {
        const QUrl url(name);
        m_document.addResource(QTextDocument::ImageResource, url, image);
        QTextImageFormat format;
        format.setName(url.toString());
        format.setWidth(image.width());
        format.setHeight(image.height());
        m_cursor.insertImage(format);
        return *this;
    }

    QByteArray rtf() const { return RtfWriter::write(m_document); }

private:
    Face &styled(const QString &text, const std::function<void(QTextCharFormat &)> &change)
    {
        QTextCharFormat format = m_base;
        change(format);
        m_cursor.insertText(text, format);
        return *this;
    }

    QTextDocument m_document;
    QTextCursor m_cursor;
    QTextCharFormat m_base;
};

QImage flagOfGermany()
{
    QImage image(90, 54, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.fillRect(0, 0, 90, 18, QColor(0, 0, 0));
    painter.fillRect(0, 18, 90, 18, QColor(221, 0, 0));
    painter.fillRect(0, 36, 90, 18, QColor(255, 206, 0));
    return image;
}

QImage flagOfFrance()
{
    QImage image(90, 60, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.fillRect(0, 0, 30, 60, QColor(0, 85, 164));
    painter.fillRect(30, 0, 30, 60, Qt::white);
    painter.fillRect(60, 0, 30, 60, QColor(239, 65, 53));
    return image;
}

QImage rightTriangle()
{
    QImage image(160, 110, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(30, 60, 140), 2));
    painter.setBrush(QColor(220, 232, 250));
    const QPolygonF triangle({QPointF(20, 90), QPointF(140, 90), QPointF(20, 15)});
    painter.drawPolygon(triangle);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(20, 78, 12, 12));
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(15);
    font.setItalic(true);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QPointF(75, 106), QStringLiteral("a"));
    painter.drawText(QPointF(6, 58), QStringLiteral("b"));
    painter.drawText(QPointF(85, 48), QStringLiteral("c"));
    return image;
}

QImage waterCycle()
{
    QImage image(180, 100, QImage::Format_RGB32);
    image.fill(QColor(200, 230, 255));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(0, 75, 180, 25, QColor(40, 110, 200));
    painter.setBrush(QColor(255, 210, 40));
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(QPointF(30, 25), 14, 14);
    painter.setBrush(Qt::white);
    painter.drawEllipse(QPointF(120, 25), 22, 12);
    painter.drawEllipse(QPointF(140, 20), 18, 12);
    painter.setPen(QPen(QColor(40, 110, 200), 2));
    for (int x = 115; x <= 150; x += 8)
        painter.drawLine(x, 40, x - 4, 55);
    painter.setPen(QPen(QColor(200, 60, 40), 2, Qt::DashLine));
    painter.drawLine(60, 72, 95, 35);
    return image;
}

QList<Card> cards()
{
    QList<Card> list;
    const auto add = [&](const Face &front, const Face &back, qint32 box) { list.append({front.rtf(), back.rtf(), box, false}); };

    add(Face().text(QStringLiteral("Wie heißt die Hauptstadt von ")).bold(QStringLiteral("Frankreich")).text(QStringLiteral("?")),
        Face().big(QStringLiteral("Paris"), 16).paragraph().picture(flagOfFrance(), QStringLiteral("frankreich.png")).centre(), 1);
    add(Face().text(QStringLiteral("Welche Farben hat die Flagge ")).bold(QStringLiteral("Deutschlands")).text(QStringLiteral("?")),
        Face()
            .coloured(QStringLiteral("Schwarz"), Qt::black, true)
            .text(QStringLiteral(", "))
            .coloured(QStringLiteral("Rot"), QColor(221, 0, 0), true)
            .text(QStringLiteral(", "))
            .coloured(QStringLiteral("Gold"), QColor(200, 150, 0), true)
            .paragraph()
            .picture(flagOfGermany(), QStringLiteral("deutschland.png")),
        2);
    add(Face().text(QStringLiteral("Hauptstadt von ")).bold(QStringLiteral("Italien")),
        Face().big(QStringLiteral("Rom"), 16).paragraph().italic(QStringLiteral("„Alle Wege führen nach Rom.“")), 1);
    add(Face().text(QStringLiteral("Hauptstadt von ")).bold(QStringLiteral("Spanien")), Face().big(QStringLiteral("Madrid"), 16), 3);
    add(Face().text(QStringLiteral("Hauptstadt von ")).bold(QStringLiteral("Österreich")), Face().big(QStringLiteral("Wien"), 16), 4);
    add(Face().text(QStringLiteral("Hauptstadt von ")).bold(QStringLiteral("Polen")), Face().big(QStringLiteral("Warschau"), 16), 2);

    add(Face().text(QStringLiteral("Englisch: ")).underline(QStringLiteral("der Hund")),
        Face().bold(QStringLiteral("the dog")).paragraph().italic(QStringLiteral("Plural: the dogs")), 1);
    add(Face().text(QStringLiteral("Englisch: ")).underline(QStringLiteral("die Katze")), Face().bold(QStringLiteral("the cat")), 2);
    add(Face().text(QStringLiteral("Englisch: ")).underline(QStringLiteral("das Eichhörnchen")),
        Face().bold(QStringLiteral("the squirrel")), 1);
    add(Face().text(QStringLiteral("Englisch: ")).underline(QStringLiteral("sich erinnern")),
        Face()
            .bold(QStringLiteral("to remember"))
            .paragraph()
            .text(QStringLiteral("Beispiel: "))
            .italic(QStringLiteral("I remember my first day at school.")),
        3);
    add(Face().text(QStringLiteral("Unregelmäßige Verben: ")).bold(QStringLiteral("to go")),
        Face().bullets({QStringLiteral("go"), QStringLiteral("went"), QStringLiteral("gone")}), 2);
    add(Face().text(QStringLiteral("Unregelmäßige Verben: ")).bold(QStringLiteral("to see")),
        Face().bullets({QStringLiteral("see"), QStringLiteral("saw"), QStringLiteral("seen")}), 4);

    add(Face()
            .text(QStringLiteral("Satz des "))
            .bold(QStringLiteral("Pythagoras"))
            .paragraph()
            .picture(rightTriangle(), QStringLiteral("dreieck.png")),
        Face()
            .big(QStringLiteral("a² + b² = c²"), 16)
            .centre()
            .paragraph()
            .text(QStringLiteral("c ist die Hypotenuse, die Seite gegenüber dem rechten Winkel.")),
        1);
    add(Face().text(QStringLiteral("Wie viel ist ")).bold(QStringLiteral("7 · 8")).text(QStringLiteral("?")),
        Face().big(QStringLiteral("56"), 18).centre(), 4);
    add(Face().text(QStringLiteral("Wie viele Grad hat die Winkelsumme im Dreieck?")), Face().big(QStringLiteral("180°"), 16), 3);
    add(Face().text(QStringLiteral("Was ist eine ")).bold(QStringLiteral("Primzahl")).text(QStringLiteral("?")),
        Face()
            .text(QStringLiteral("Eine natürliche Zahl größer als 1, die nur durch 1 und sich selbst teilbar ist."))
            .paragraph()
            .text(QStringLiteral("Beispiele: "))
            .coloured(QStringLiteral("2, 3, 5, 7, 11, 13"), QColor(0, 110, 0)),
        2);

    add(Face().text(QStringLiteral("Beschreibe den ")).bold(QStringLiteral("Wasserkreislauf")).text(QStringLiteral(".")),
        Face()
            .picture(waterCycle(), QStringLiteral("wasserkreislauf.png"))
            .paragraph()
            .bullets({QStringLiteral("Verdunstung"), QStringLiteral("Kondensation (Wolken)"), QStringLiteral("Niederschlag"),
                      QStringLiteral("Abfluss ins Meer")}),
        1);
    add(Face().text(QStringLiteral("Chemisches Zeichen für ")).bold(QStringLiteral("Gold")),
        Face()
            .big(QStringLiteral("Au"), 18)
            .text(QStringLiteral("  (lateinisch "))
            .italic(QStringLiteral("aurum"))
            .text(QStringLiteral(")")),
        3);
    add(Face().text(QStringLiteral("Wie heißt der größte Planet unseres Sonnensystems?")), Face().big(QStringLiteral("Jupiter"), 16), 2);
    add(Face().text(QStringLiteral("Wann fiel die ")).bold(QStringLiteral("Berliner Mauer")).text(QStringLiteral("?")),
        Face().coloured(QStringLiteral("9. November 1989"), QColor(180, 0, 0), true), 4);
    add(Face().text(QStringLiteral("Wer schrieb den ")).italic(QStringLiteral("„Faust“")).text(QStringLiteral("?")),
        Face().bold(QStringLiteral("Johann Wolfgang von Goethe")).text(QStringLiteral(" (1749–1832)")), 1);
    add(Face().text(QStringLiteral("Was bedeutet das Sprichwort:")).paragraph().italic(QStringLiteral("„Morgenstund hat Gold im Mund“")),
        Face().text(QStringLiteral("Wer früh aufsteht, schafft viel.")), 3);
    add(Face().text(QStringLiteral("Tipp zum Lernen mit Quillo")),
        Face()
            .text(QStringLiteral("Beim Abfragen wandern gewusste Karten einen "))
            .bold(QStringLiteral("Kasten"))
            .text(QStringLiteral(" weiter, nicht gewusste einen Kasten zurück; aus "))
            .underline(QStringLiteral("Kasten 1"))
            .text(QStringLiteral(" fallen sie nicht heraus.")),
        1);
    add(Face().text(QStringLiteral("Französisch: ")).underline(QStringLiteral("das Brot")), Face().bold(QStringLiteral("le pain")), 2);
    return list;
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "Aufruf: quillo-make-example ZIEL.ql3\n");
        return 2;
    }
    const QString target = QString::fromLocal8Bit(argv[1]);

    std::unique_ptr<CardSetDocument> document = CardSetDocument::createNew(target);
    CardSet &set = document->set();
    PrintOptions options = CardSetDocument::newSetOptions();
    options.HeaderText = QStringLiteral("Beispielkartei");
    options.HeaderColor = StoredColor::fromRgb(192, 208, 224);
    options.HeaderFont.Name = QStringLiteral("Arial");
    options.HeaderFont.Size = 10;
    options.HeaderFont.Bold = true;
    options.HeaderFont.Color = StoredColor::Black;
    options.PrintKopfZeile = true;
    options.PrintCR = true;
    options.Copyright = QStringLiteral("Beispielkartei von Quillo");
    set.setPrintOptions(options);
    set.removeCard(0);
    for (const Card &card : cards())
        set.AddCard(card);
    set.setCurrentIndex(0);

    CardSetFileContext context;
    context.WorkFilePath = ScratchFile::makeWorkFilePath(QDir::tempPath());
    context.PrinterOrientation = CardSetDocument::newSetOrientation();
    const FileResult result = document->save(target, context);
    const int status = result.ok() ? 0 : 1;
    if (!result.ok())
        std::fprintf(stderr, "%s konnte nicht geschrieben werden: %s\n", qPrintable(target), qPrintable(result.reason));
    QFile::remove(context.WorkFilePath);
    if (status == 0)
        std::printf("%d Karten nach %s geschrieben.\n", int(set.count()), qPrintable(target));
    return status;
}
