#pragma once

#include <QByteArray>
#include <QTextEdit>

// The editor of one card face. Its content travels as RTF through the
// face codec; Tab is a character, not a focus move.
class TMyRxRichEdit : public QTextEdit
{
    Q_OBJECT

public:
    explicit TMyRxRichEdit(QWidget *parent = nullptr);

    // Replaces the whole content; the undo history starts afresh, since
    // undoing past a card switch would show another card's text.
    void loadRtf(const QByteArray &rtf);
    QByteArray saveRtf() const;
    // True while the editor still shows exactly what the last loadRtf gave
    // it, so that storing it back could only re-encode the same face.
    bool holdsLoaded(const QByteArray &rtf) const;
    // The face's RTF: the bytes last loaded while the text is untouched,
    // else written anew.
    QByteArray currentRtf() const;

    // RTF of the selection, for the clipboard.
    static QStringList rtfMimeTypes();
    // The same RTF once more under a type only Quillo reads: a copy from one
    // face to another keeps pictures and objects byte for byte.
    static QString ownFaceMimeType();

    // Puts the picture at the caret as part of the face.
    void insertPicture(const QImage &image);
    // Inserts RTF at the caret, pictures with their images.
    void pasteRtf(const QByteArray &rtf);

protected:
    QMimeData *createMimeDataFromSelection() const override;
    bool canInsertFromMimeData(const QMimeData *source) const override;
    void insertFromMimeData(const QMimeData *source) override;
    QVariant loadResource(int type, const QUrl &name) override;

private:
    QByteArray m_loaded;
    bool m_hasLoaded = false;
    bool m_touched = false;
};
