// Typesets Quillo's manual from its Markdown source into the PDF file that
// the Help menu opens.
//
//   quillo-make-manual SOURCE.md TARGET.pdf
//
// Pictures named in the source are looked up relative to it; SVG pictures
// are drawn from their source.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgRenderer>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <QUrl>

#include <cstdio>

namespace {

// Each chapter starts a new page; headings stay with their text.
void formatChapters(QTextDocument &document)
{
    bool first = true;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const int level = block.blockFormat().headingLevel();
        if (level == 0)
            continue;
        QTextCursor cursor(block);
        QTextBlockFormat format = block.blockFormat();
        format.setPageBreakPolicy(level == 1 && !first ? QTextFormat::PageBreak_AlwaysBefore : QTextFormat::PageBreak_Auto);
        format.setTopMargin(level == 1 ? 0 : 14);
        format.setBottomMargin(6);
        format.setNonBreakableLines(true);
        cursor.setBlockFormat(format);
        QTextCharFormat chars;
        chars.setForeground(QColor(31, 58, 96));
        cursor.select(QTextCursor::BlockUnderCursor);
        cursor.mergeCharFormat(chars);
        first = false;
    }
}

// About the text width of an A4 page as the document lays it out.
constexpr int MostPictureWidth = 600;

// Pictures come from the program's SVG sources, drawn sharp for print and
// shown at their own size.
void loadPictures(QTextDocument &document, const QDir &sourceFolder)
{
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.charFormat().isImageFormat())
                continue;
            QTextImageFormat format = fragment.charFormat().toImageFormat();
            const QString name = format.name();
            const QString path = sourceFolder.filePath(name);
            QSize size;
            QImage image;
            if (name.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive)) {
                QSvgRenderer svg(path);
                size = svg.defaultSize();
                image = QImage(size * 4, QImage::Format_ARGB32_Premultiplied);
                image.fill(Qt::transparent);
                QPainter painter(&image);
                painter.setRenderHint(QPainter::Antialiasing);
                svg.render(&painter);
            } else {
                image.load(path);
                // A screenshot keeps its pixels for print but fits the text width.
                size = image.size().width() > MostPictureWidth ? image.size().scaled(MostPictureWidth, image.height(), Qt::KeepAspectRatio)
                                                               : image.size();
            }
            if (image.isNull()) {
                std::fprintf(stderr, "%s: picture missing\n", qPrintable(path));
                continue;
            }
            document.addResource(QTextDocument::ImageResource, QUrl(name), image);
            format.setWidth(size.width());
            format.setHeight(size.height());
            QTextCursor cursor(&document);
            cursor.setPosition(fragment.position());
            cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
            cursor.setCharFormat(format);
        }
    }
}

// Tables with thin rules and some air, across the text width.
void formatTables(QTextDocument &document)
{
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        QTextCursor cursor(block);
        QTextTable *table = cursor.currentTable();
        if (!table || table->format().cellPadding() == 4)
            continue;
        QTextTableFormat format = table->format();
        format.setBorder(0.5);
        format.setBorderBrush(QColor(120, 130, 150));
        format.setBorderCollapse(true);
        format.setCellPadding(4);
        format.setCellSpacing(0);
        format.setWidth(QTextLength(QTextLength::PercentageLength, 80));
        table->setFormat(format);
    }
}

} // namespace

int main(int argc, char *argv[])
{
    // Qt's own notes about the missing display would only clutter the build.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &message) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            std::fprintf(stderr, "%s\n", qPrintable(message));
    });
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: quillo-make-manual SOURCE.md TARGET.pdf\n");
        return 2;
    }
    QFile source(args.at(1));
    if (!source.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "%s: cannot be read\n", qPrintable(args.at(1)));
        return 1;
    }
    const QString markdown = QString::fromUtf8(source.readAll());

    QTextDocument document;
    document.setBaseUrl(QUrl::fromLocalFile(QFileInfo(args.at(1)).absolutePath() + QLatin1Char('/')));
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSizeF(10.5);
    document.setDefaultFont(font);
    document.setMarkdown(markdown, QTextDocument::MarkdownDialectGitHub);
    formatChapters(document);
    loadPictures(document, QFileInfo(args.at(1)).absoluteDir());
    formatTables(document);
    document.setMetaInformation(QTextDocument::DocumentTitle, QStringLiteral("Quillo – Anleitung"));

    QPdfWriter pdf(args.at(2));
    pdf.setTitle(QStringLiteral("Quillo – Anleitung"));
    pdf.setCreator(QStringLiteral("Quillo"));
    pdf.setResolution(300);
    // print() adds margins of 2 cm of its own, lays the text out on the
    // writer's pages and numbers them.
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(5, 5, 5, 5), QPageLayout::Millimeter));
    document.print(&pdf);
    if (!QFileInfo(args.at(2)).size()) {
        std::fprintf(stderr, "%s: cannot be written\n", qPrintable(args.at(2)));
        return 1;
    }
    return 0;
}
