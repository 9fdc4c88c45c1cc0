#include "exchange/ZipBuilder.h"

#include <zip.h>

ZipBuilder::ZipBuilder()
{
    zip_error_t error;
    zip_error_init(&error);
    m_buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
    if (m_buffer) {
        // The archive frees its source when closed; the bytes are read after that.
        zip_source_keep(m_buffer);
        m_archive = zip_open_from_source(m_buffer, ZIP_TRUNCATE, &error);
    }
    if (!m_archive)
        failWith(zip_error_strerror(&error));
    zip_error_fini(&error);
}

ZipBuilder::~ZipBuilder()
{
    if (m_archive)
        zip_discard(m_archive);
    if (m_buffer)
        zip_source_free(m_buffer);
}

void ZipBuilder::failWith(const char *message)
{
    if (m_error.isEmpty())
        m_error = QString::fromUtf8(message && *message ? message : "zip");
}

bool ZipBuilder::add(const QString &name, const QByteArray &bytes, Method method)
{
    if (!ok())
        return false;
    m_members.append(bytes);
    const QByteArray &kept = m_members.constLast();
    zip_source_t *source = zip_source_buffer(m_archive, kept.constData(), zip_uint64_t(kept.size()), 0);
    if (!source) {
        failWith(zip_strerror(m_archive));
        return false;
    }
    const zip_int64_t index = zip_file_add(m_archive, name.toUtf8().constData(), source, ZIP_FL_ENC_UTF_8);
    if (index < 0) {
        zip_source_free(source);
        failWith(zip_strerror(m_archive));
        return false;
    }
    // The fastest level: the higher ones take several times as long for a
    // few percent less.
    if (zip_set_file_compression(m_archive, zip_uint64_t(index), method == Method::Store ? ZIP_CM_STORE : ZIP_CM_DEFLATE, 1) != 0) {
        failWith(zip_strerror(m_archive));
        return false;
    }
    return true;
}

QByteArray ZipBuilder::finish()
{
    if (!ok())
        return QByteArray();
    if (zip_close(m_archive) != 0) {
        failWith(zip_strerror(m_archive));
        return QByteArray();
    }
    m_archive = nullptr;
    m_members.clear();
    QByteArray bytes;
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_source_stat(m_buffer, &stat) != 0 || !(stat.valid & ZIP_STAT_SIZE) || zip_source_open(m_buffer) != 0) {
        failWith(zip_error_strerror(zip_source_error(m_buffer)));
        return QByteArray();
    }
    bytes.resize(qsizetype(stat.size));
    const zip_int64_t read = zip_source_read(m_buffer, bytes.data(), stat.size);
    zip_source_close(m_buffer);
    if (read != zip_int64_t(stat.size)) {
        failWith(zip_error_strerror(zip_source_error(m_buffer)));
        return QByteArray();
    }
    return bytes;
}
