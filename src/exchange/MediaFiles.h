#pragma once

#include <QByteArray>
#include <QList>
#include <QSet>
#include <QString>

// The picture files that go along with exported faces. Each picture is
// kept once, under a bare name made from its bytes ("quillo-<hash>.png"):
// the same picture on many cards is one file, and it keeps its name from
// one export to the next.
class MediaFiles
{
public:
    struct File
    {
        QString name;
        QByteArray bytes;
    };

    // The name the picture is kept under; `suffix` without the dot.
    QString add(const QByteArray &bytes, const QString &suffix);
    // In the order they were first added.
    const QList<File> &files() const { return m_files; }

private:
    QList<File> m_files;
    QSet<QString> m_names;
};
