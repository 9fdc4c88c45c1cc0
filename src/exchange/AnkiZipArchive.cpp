#include "exchange/AnkiZipArchive.h"

#include "exchange/AnkiUnpackBudget.h"

#include <QFile>

#include <memory>
#include <zip.h>

namespace {

QString zipErrorText(zip_error_t *error)
{
    return QString::fromLocal8Bit(zip_error_strerror(error));
}

struct MemberCloser
{
    void operator()(zip_file_t *file) const { zip_fclose(file); }
};

} // namespace

AnkiZipArchive::~AnkiZipArchive()
{
    if (m_archive)
        zip_discard(m_archive);
}

AnkiProblem AnkiZipArchive::open(const QString &path)
{
    int code = 0;
    m_archive = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &code);
    if (m_archive)
        return {};
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    const QString reason = zipErrorText(&error);
    zip_error_fini(&error);
    switch (code) {
    case ZIP_ER_NOENT:
    case ZIP_ER_OPEN:
    case ZIP_ER_READ:
    case ZIP_ER_SEEK:
    case ZIP_ER_MEMORY: return {AnkiProblem::Kind::Unreadable, reason, 0};
    default:
        // No end record, a damaged directory, several disks.
        return {AnkiProblem::Kind::NotZip, reason, 0};
    }
}

qint64 AnkiZipArchive::indexOf(const QString &member) const
{
    return m_archive ? zip_name_locate(m_archive, member.toUtf8().constData(), 0) : -1;
}

bool AnkiZipArchive::contains(const QString &member) const
{
    return indexOf(member) >= 0;
}

AnkiProblem AnkiZipArchive::extract(const QString &member, AnkiUnpackBudget &budget, const AnkiByteSink &sink) const
{
    const qint64 index = indexOf(member);
    if (index < 0)
        return {AnkiProblem::Kind::Unreadable, member, 0};
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(m_archive, zip_uint64_t(index), 0, &stat) != 0)
        return {AnkiProblem::Kind::Unreadable, member + QStringLiteral(": ") + zipErrorText(zip_get_error(m_archive)), 0};
    const bool sizeKnown = stat.valid & ZIP_STAT_SIZE;
    if (sizeKnown && stat.size > zip_uint64_t(budget.left()))
        return {AnkiProblem::Kind::TooLarge, member, 0};

    std::unique_ptr<zip_file_t, MemberCloser> file(zip_fopen_index(m_archive, zip_uint64_t(index), 0));
    if (!file)
        return {AnkiProblem::Kind::Unreadable, member + QStringLiteral(": ") + zipErrorText(zip_get_error(m_archive)), 0};
    QByteArray chunk(64 * 1024, Qt::Uninitialized);
    zip_uint64_t total = 0;
    for (;;) {
        const zip_int64_t count = zip_fread(file.get(), chunk.data(), zip_uint64_t(chunk.size()));
        if (count < 0)
            return {AnkiProblem::Kind::Unreadable, member + QStringLiteral(": ") + zipErrorText(zip_file_get_error(file.get())), 0};
        if (count == 0)
            return {};
        total += zip_uint64_t(count);
        // More than declared is a member built to deceive the check above.
        if ((sizeKnown && total > stat.size) || !budget.take(count))
            return {AnkiProblem::Kind::TooLarge, member, 0};
        if (AnkiProblem problem = sink(QByteArrayView(chunk.constData(), qsizetype(count))); problem.kind != AnkiProblem::Kind::None)
            return problem;
    }
}

AnkiProblem AnkiZipArchive::readAll(const QString &member, AnkiUnpackBudget &budget, QByteArray &out) const
{
    out.clear();
    return extract(member, budget, [&out, &member](QByteArrayView bytes) {
        if (bytes.size() > AnkiUnpackBudget::inMemoryLimit - out.size())
            return AnkiProblem{AnkiProblem::Kind::TooLarge, member, 0};
        out.append(bytes);
        return AnkiProblem{};
    });
}
