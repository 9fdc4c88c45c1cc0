#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

struct zip;
struct zip_source;

// A zip archive made in memory, member by member; no file is written on
// the way. After the first failure nothing more is added and error() says
// what libzip reported.
class ZipBuilder
{
public:
    ZipBuilder();
    ~ZipBuilder();
    ZipBuilder(const ZipBuilder &) = delete;
    ZipBuilder &operator=(const ZipBuilder &) = delete;

    // Compressed members shrink; pictures that are compressed already are
    // stored as they are.
    enum class Method { Deflate, Store };
    bool add(const QString &name, const QByteArray &bytes, Method method);
    // The whole archive; empty after a failure.
    QByteArray finish();

    bool ok() const { return m_error.isEmpty(); }
    const QString &error() const { return m_error; }

private:
    void failWith(const char *message);

    zip_source *m_buffer = nullptr;
    zip *m_archive = nullptr;
    // The members' bytes are read only when the archive is closed.
    QList<QByteArray> m_members;
    QString m_error;
};
