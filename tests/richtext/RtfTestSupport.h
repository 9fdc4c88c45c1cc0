#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>

class QTextDocument;

// Helpers shared by the rich text tests.
class RtfTestSupport
{
public:
    static QByteArray sample(const QString &name)
    {
        QFile f(QStringLiteral(QUILLO_TEST_DATA "/rtf/") + name);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static QStringList sampleNames();
    // The document's text with its formats, one entry per run of equal
    // formatting and one per block: what a round trip must keep.
    static QStringList describe(const QTextDocument &document);
};
