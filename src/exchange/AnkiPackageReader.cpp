#include "exchange/AnkiPackageReader.h"

AnkiPackageReader::Result AnkiPackageReader::read(const QString &path)
{
    Q_UNUSED(path);
    Result result;
    result.problem.kind = AnkiProblem::Kind::Unreadable;
    return result;
}
