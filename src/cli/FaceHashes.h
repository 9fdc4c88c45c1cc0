#pragma once

#include <QByteArray>
#include <QList>

#include <array>
#include <deque>
#include <future>
#include <vector>

// Size and SHA-256 of faces handed in one by one, as a load reads them:
// hashed in batches on two threads beside the one that reads, without
// keeping the faces.
class FaceHashes
{
public:
    struct Hash
    {
        qint32 size = 0;
        std::array<char, 32> sha256{};
    };

    FaceHashes() = default;
    FaceHashes(const FaceHashes &) = delete;
    FaceHashes &operator=(const FaceHashes &) = delete;
    ~FaceHashes();

    void add(const QByteArray &face);
    qsizetype count() const { return m_added; }
    // Waits for the batches still being hashed; then at() holds every face.
    void finish();
    const Hash &at(qsizetype index) const { return m_hashes.at(size_t(index)); }

private:
    void collectOldest();

    QList<QByteArray> m_batch;
    qsizetype m_batchBytes = 0;
    qsizetype m_added = 0;
    std::deque<std::future<std::vector<Hash>>> m_running;
    std::deque<Hash> m_hashes;
};
