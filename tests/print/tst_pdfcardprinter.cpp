#include "../TestFiles.h"
#include "PrintTestSupport.h"

#include "cardset/CardSet.h"
#include "cardset/CheckedFileWriter.h"
#include "print/PdfCardPrinter.h"
#include "print/PdfFileCheck.h"
#include "print/PrinterMetrics.h"

#include <QPdfWriter>
#include <QTest>

class TestPdfCardPrinter : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

private Q_SLOTS:
    void metricsAsTheDeviceReportsThem()
    {
        QPdfWriter writer(m_dir.filePath(QStringLiteral("metrics.pdf")));
        writer.setResolution(600);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(5, 7, 5, 3), QPageLayout::Millimeter));
        const PrinterMetrics m = PrinterMetrics::fromPageLayout(writer.pageLayout(), writer.resolution());
        QCOMPARE((QList<int>{m.PageWidth, m.PageHeight, m.PageWidthMM, m.PageHeightMM}),
                 (QList<int>{writer.width(), writer.height(), writer.widthMM(), writer.heightMM()}));
        // equal margins left and right: no centring shift across
        QCOMPARE(m.PaperWidth - m.PageWidth - 2 * m.OffsetX, 0);
        QVERIFY(m.PaperHeight - m.PageHeight - 2 * m.OffsetY < 0);
        QCOMPARE(m.Orientation, PageOrientation::Landscape);
    }

    void bothPassesInOneFile()
    {
        CardSet set;
        PrintOptions options;
        options.AktPrintCards = 4;
        set.startNew(options, FontRecord(), FontRecord());
        for (int i = 1; i < 5; ++i)
            set.AddCard({"{\\rtf1 Frage}", "{\\rtf1 Antwort}", 1, false});
        const QString path = m_dir.filePath(QStringLiteral("karten.pdf"));
        PdfCardPrinter::Job job;
        PdfCardPrinter::Result result = PdfCardPrinter::print(path, set, {0, 1, 2, 3, 4}, job);
        QVERIFY(result.written.ok());
        QCOMPARE((QList<int>{result.pages, pdfPageCount(path)}), (QList<int>{4, 4}));
        const QByteArray whole = readFile(path);

        // a full disk at any point leaves nothing behind, the old file stays
        for (qsizetype failAt : {qsizetype(0), whole.size() / 2, whole.size() - 1}) {
            CheckedFileWriter::setFailAfterBytesForTesting(failAt);
            result = PdfCardPrinter::print(path, set, {0, 1, 2, 3, 4}, job);
            CheckedFileWriter::setFailAfterBytesForTesting(-1);
            QVERIFY(!result.written.ok() && result.written.systemError == ENOSPC);
        }
        QVERIFY(!PdfCardPrinter::print(path, set, {}, job).written.ok());
        QCOMPARE(readFile(path), whole);
        QCOMPARE(QDir(m_dir.path()).entryList({QStringLiteral("karten*")}, QDir::Files), QStringList{QStringLiteral("karten.pdf")});

        // what a printer writing the file itself leaves cut short is seen
        QVERIFY(PdfFileCheck::isComplete(path));
        for (qsizetype cut : {qsizetype(0), whole.size() / 2, whole.size() - 3}) {
            writeFile(path, whole.left(cut) + whole.mid(cut + 1));
            QVERIFY(!PdfFileCheck::isComplete(path));
        }
    }
};

QTEST_MAIN(TestPdfCardPrinter)
#include "tst_pdfcardprinter.moc"
