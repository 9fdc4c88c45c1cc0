#include "editor/FaceInsertion.h"

#include "program/FileMessages.h"

#include "editor/PackageObject.h"
#include "editor/TMyRxRichEdit.h"
#include "editor/UserDialogs.h"
#include "richtext/FacePictures.h"
#include "richtext/PictureFile.h"
#include "richtext/RtfWriter.h"

#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QMimeData>
#include <QTextCursor>
#include <QTextDocument>

void FaceInsertion::insertPicture(QWidget *parent, UserDialogs &dialogs, TMyRxRichEdit *face)
{
    const QString path = dialogs.openPictureFileName(parent, FacePictures::fileDialogFilter());
    if (path.isEmpty())
        return;
    const PictureFile::Result file = PictureFile::read(path);
    const QString name = QFileInfo(path).fileName();
    if (file.outcome == PictureFile::Outcome::TooLarge) {
        dialogs.warning(parent, FileMessages::pictureTooLargeMessage(name));
        return;
    }
    if (file.outcome != PictureFile::Outcome::Read) {
        dialogs.warning(parent, QStringLiteral("Die Datei \"%1\" kann nicht gelesen werden.").arg(name));
        return;
    }
    const QByteArray &bytes = file.bytes;
    // Wider pictures are shown at the width of the card.
    const qreal maxWidth = face ? face->viewport()->width() - 2 * face->document()->documentMargin() : 0;

    // Read once into a scratch face first: a file that is no picture is
    // reported before the clipboard or a face changes.
    QTextDocument picture;
    QTextCursor cursor(&picture);
    QString failure;
    if (!FacePictures::insertFile(cursor, bytes, path, maxWidth, &failure)) {
        dialogs.warning(parent, failure);
        return;
    }
    auto *data = new QMimeData;
    const QByteArray rtf = RtfWriter::write(picture);
    for (const QString &type : TMyRxRichEdit::rtfMimeTypes())
        data->setData(type, rtf);
    QTextCursor first(&picture);
    first.setPosition(1);
    const QVariant image = picture.resource(QTextDocument::ImageResource, QUrl(first.charFormat().toImageFormat().name()));
    if (image.canConvert<QImage>())
        data->setImageData(image);
    QApplication::clipboard()->setMimeData(data);

    if (!face)
        return;
    // Into the face from the file's bytes, which a photo keeps as they are;
    // the clipboard's picture would be a decoded copy.
    QTextCursor caret = face->textCursor();
    FacePictures::insertFile(caret, bytes, path, maxWidth, nullptr);
    face->setTextCursor(caret);
    face->ensureCursorVisible();
}

void FaceInsertion::insertObject(QWidget *parent, UserDialogs &dialogs, TMyRxRichEdit *face)
{
    const QString path = dialogs.openFileName(parent, QStringLiteral("Alle Dateien (*.*)|*.*"), QString());
    if (path.isEmpty())
        return;
    QTextCursor caret = face->textCursor();
    QString failure;
    if (!PackageObject::insertFile(caret, path, &failure)) {
        dialogs.warning(parent, failure);
        return;
    }
    face->setTextCursor(caret);
    face->ensureCursorVisible();
}
