#include "exchange/MediaFiles.h"

#include <QCryptographicHash>

QString MediaFiles::add(const QByteArray &bytes, const QString &suffix)
{
    // 64 bits of the hash: two different pictures of one set never meet
    // under one name in practice.
    const QByteArray hash = QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).left(8).toHex();
    const QString name = QLatin1String("quillo-") + QLatin1String(hash) + u'.' + suffix;
    if (!m_names.contains(name)) {
        m_names.insert(name);
        m_files.append({name, bytes});
    }
    return name;
}
