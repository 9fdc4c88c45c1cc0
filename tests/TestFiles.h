#pragma once

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// Whole files in and out, for the files the tests make and look at.
inline QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

inline void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

// A file of these bytes in `dir`, under a name not used before.
inline QString fileWith(const QTemporaryDir &dir, const QByteArray &bytes)
{
    static int counter = 0;
    const QString path = dir.filePath(QStringLiteral("file%1.ini").arg(++counter));
    writeFile(path, bytes);
    return path;
}
