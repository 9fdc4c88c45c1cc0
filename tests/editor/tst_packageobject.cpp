#include "../ModalGuard.h"
#include "../TestFiles.h"

#include "editor/PackageObject.h"
#include "editor/TMyRxRichEdit.h"
#include "richtext/FacePictures.h"

#include <QTest>
#include <QtEndian>

namespace {

quint32 u32(const QByteArray &data, qsizetype at)
{
    return qFromLittleEndian<quint32>(data.constData() + at);
}

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
    void streamHoldsTheFileWithItsNames()
    {
        QByteArray bytes("Zeile 1\r\n");
        bytes.append('\0');
        bytes.append("\xff\x01 Ende", 7);
        const QByteArray stream =
            PackageObject::oleStream(PackageObject::nativeData(QStringLiteral("Übung.txt"), QStringLiteral("C:\\Kurs\\Übung.txt"), bytes));
        QCOMPARE(u32(stream, 0), 0x501u);
        QCOMPARE(u32(stream, 4), 2u);
        QCOMPARE(u32(stream, 8), 8u);
        QCOMPARE(stream.mid(12, 8), QByteArray("Package", 8));
        QCOMPARE(u32(stream, 20), 0u);
        QCOMPARE(u32(stream, 24), 0u);
        const QByteArray native = stream.mid(32, u32(stream, 28));
        QCOMPARE(stream.mid(32 + native.size()), QByteArray("\x01\x05\0\0\0\0\0\0", 8));

        QCOMPARE(qFromLittleEndian<quint16>(native.constData()), quint16(2));
        QCOMPARE(native.mid(2, 10),
                 QByteArray("\xdc"
                            "bung.txt\0",
                            10));
        qsizetype at = 12 + 18;
        QCOMPARE(native.mid(12, 18),
                 QByteArray("C:\\Kurs\\\xdc"
                            "bung.txt\0",
                            18));
        QCOMPARE(qFromLittleEndian<quint16>(native.constData() + at + 2), quint16(3));
        at += 4;
        at += 4 + u32(native, at);
        QCOMPARE(u32(native, at), quint32(bytes.size()));
        QCOMPARE(native.mid(at + 4), bytes);
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
