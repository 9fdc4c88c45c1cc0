#include "cli/FaceHashes.h"

#ifdef QUILLO_LIBCRYPTO
#include <openssl/evp.h>
#endif

#include <QCryptographicHash>

#include <cstring>
#include <memory>

namespace {

void qtSha256(const QByteArray &face, FaceHashes::Hash &hash)
{
    const QByteArray sum = QCryptographicHash::hash(face, QCryptographicHash::Sha256);
    std::memcpy(hash.sha256.data(), sum.constData(), hash.sha256.size());
}

std::vector<FaceHashes::Hash> hashed(const QList<QByteArray> &faces)
{
    std::vector<FaceHashes::Hash> hashes(size_t(faces.size()));
#ifdef QUILLO_LIBCRYPTO
    // libcrypto's SHA-256 is many times faster than Qt's; fetched once, as a
    // fetch per face takes locks and a name lookup.
    const std::unique_ptr<EVP_MD, decltype(&EVP_MD_free)> sha(EVP_MD_fetch(nullptr, "SHA256", nullptr), &EVP_MD_free);
    const std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)> context(EVP_MD_CTX_new(), &EVP_MD_CTX_free);
#endif
    for (qsizetype i = 0; i < faces.size(); ++i) {
        const QByteArray &face = faces.at(i);
        FaceHashes::Hash &hash = hashes[size_t(i)];
        hash.size = qint32(face.size());
#ifdef QUILLO_LIBCRYPTO
        unsigned int length = 0;
        if (sha && context && EVP_DigestInit_ex(context.get(), sha.get(), nullptr)
            && EVP_DigestUpdate(context.get(), face.constData(), size_t(face.size()))
            && EVP_DigestFinal_ex(context.get(), reinterpret_cast<unsigned char *>(hash.sha256.data()), &length)
            && length == hash.sha256.size())
            continue;
#endif
        qtSha256(face, hash);
    }
    return hashes;
}

} // namespace

FaceHashes::~FaceHashes()
{
    finish();
}

void FaceHashes::add(const QByteArray &face)
{
    m_batch.append(face);
    m_batchBytes += face.size();
    ++m_added;
    // Small batches keep the faces held at a few MB; two at a time keep
    // both cores busy while the file is read.
    if (m_batch.size() < 8192 && m_batchBytes < 4 * 1024 * 1024)
        return;
    if (m_running.size() >= 2)
        collectOldest();
    m_running.push_back(std::async(std::launch::async, [batch = std::move(m_batch)] { return hashed(batch); }));
    m_batch = {};
    m_batchBytes = 0;
}

void FaceHashes::collectOldest()
{
    const std::vector<Hash> hashes = m_running.front().get();
    m_running.pop_front();
    m_hashes.insert(m_hashes.end(), hashes.begin(), hashes.end());
}

void FaceHashes::finish()
{
    while (!m_running.empty())
        collectOldest();
    const std::vector<Hash> rest = hashed(m_batch);
    m_hashes.insert(m_hashes.end(), rest.begin(), rest.end());
    m_batch.clear();
    m_batchBytes = 0;
}
