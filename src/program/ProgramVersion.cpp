#include "program/ProgramVersion.h"

QString ProgramVersion::number()
{
    return QStringLiteral(QUILLO_VERSION);
}
