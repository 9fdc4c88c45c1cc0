#include "cli/FaceHashes.h"

#include <QCryptographicHash>

#include <cstring>

namespace {

std::vector<FaceHashes::Hash> hashed(const QList<QByteArray> &faces)
{
    std::vector<FaceHashes::Hash> hashes(size_t(faces.size()));
    QCryptographicHash sha(QCryptographicHash::Sha256);
    for (qsizetype i = 0; i < faces.size(); ++i) {
        sha.reset();
        sha.addData(faces.at(i));
        hashes[size_t(i)].size = qint32(faces.at(i).size());
        std::memcpy(hashes[size_t(i)].sha256.data(), sha.resultView().data(), hashes[size_t(i)].sha256.size());
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
