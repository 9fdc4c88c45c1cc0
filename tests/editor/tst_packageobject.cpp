#include "../ModalGuard.h"
#include "../TestFiles.h"

#include "editor/PackageObject.h"
#include "editor/TMyRxRichEdit.h"
#include "richtext/FacePictures.h"
#include "richtext/PackagedFile.h"

#include <QTest>

namespace {

// The text between the object's \objdata and the end of its hex.
QByteArray objectData(const QByteArray &rtf)
{
    const qsizetype start = rtf.indexOf("\\objdata");
    const qsizetype end = rtf.indexOf('}', start);
    return QByteArray::fromHex(rtf.mid(start + 8, end - start - 8).simplified().replace(" ", ""));
}

} // namespace

class TestPackageObject : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir folder;

private slots:
    // The OLE package stream byte for byte: names in Windows-1252, the path
    // twice, then the file.
    void streamHoldsTheFileWithItsNames()
    {
        const QByteArray bytes("Zeile 1\r\n\0\xff\x01 Ende", 17);
        const QByteArray name = '\xdc' + QByteArray("bung.txt", 9);
        const QByteArray path = "C:\\Kurs\\" + name;
        const QByteArray native =
            QByteArray("\x02\0", 2) + name + path + QByteArray("\0\0\x03\0\x12\0\0\0", 8) + path + QByteArray("\x11\0\0\0", 4) + bytes;
        QCOMPARE(
            PackagedFile::oleStream(PackagedFile::nativeData(QStringLiteral("Übung.txt"), QStringLiteral("C:\\Kurs\\Übung.txt"), bytes)),
            QByteArray("\x01\x05\0\0\x02\0\0\0\x08\0\0\0Package\0\0\0\0\0\0\0\0\0\x4d\0\0\0", 32) + native
                + QByteArray("\x01\x05\0\0\0\0\0\0", 8));
    }

    void objectIsKeptByteForByteThroughStoreAndLoad()
    {
        QByteArray bytes;
        for (int i = 0; i < 700; ++i)
            bytes.append(char(i * 7));
        const QString path = folder.filePath(QStringLiteral("daten.bin"));
        writeFile(path, bytes);

        TMyRxRichEdit face;
        face.setPlainText(QStringLiteral("Anlage: "));
        face.moveCursor(QTextCursor::End);
        QTextCursor cursor = face.textCursor();
        QString failure;
        QVERIFY(PackageObject::insertFile(cursor, path, &failure));
        QCOMPARE(face.toPlainText(), QStringLiteral("Anlage: ") + QChar::ObjectReplacementCharacter);
        QTextCursor at(face.document());
        at.setPosition(9);
        const QByteArray original = FacePictures::originalRtf(at.charFormat());
        QVERIFY(original.startsWith("{\\object\\objemb{\\*\\objclass Package}"));
        QVERIFY(objectData(original).contains(bytes));

        const QByteArray stored = face.saveRtf();
        QVERIFY(stored.contains(original));
        TMyRxRichEdit again;
        again.loadRtf(stored);
        QVERIFY(again.saveRtf().contains(original));
        QCOMPARE(again.toPlainText(), face.toPlainText());

        QVERIFY(!PackageObject::insertFile(cursor, folder.filePath(QStringLiteral("fehlt.bin")), &failure));
        QCOMPARE(failure, QStringLiteral("Die Datei \"fehlt.bin\" kann nicht gelesen werden."));
    }
};

QUILLO_GUI_TEST_MAIN(TestPackageObject)
#include "tst_packageobject.moc"
