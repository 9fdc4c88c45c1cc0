// Typesets Quillo's manual from its Markdown source into the PDF file that
// the Help menu opens.
//
//   quillo-make-manual SOURCE.md TARGET.pdf
//
// Pictures named in the source are looked up beside it.

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
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
        format.setPageBreakPolicy(level == 1 && !first ? QTextFormat::PageBreak_AlwaysBefore
                                                       : QTextFormat::PageBreak_Auto);
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

} // namespace

int main(int argc, char *argv[])
{
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
    document.setMetaInformation(QTextDocument::DocumentTitle, QStringLiteral("Quillo – Anleitung"));

    QPdfWriter pdf(args.at(2));
    pdf.setTitle(QStringLiteral("Quillo – Anleitung"));
    pdf.setCreator(QStringLiteral("Quillo"));
    pdf.setResolution(300);
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(20, 18, 20, 18),
                                  QPageLayout::Millimeter));
    // print() lays the text out on the writer's pages and numbers them.
    document.print(&pdf);
    if (!QFileInfo(args.at(2)).size()) {
        std::fprintf(stderr, "%s: cannot be written\n", qPrintable(args.at(2)));
        return 1;
    }
    return 0;
}
