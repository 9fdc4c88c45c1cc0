#pragma once

#include <QString>

// Whether a PDF file was written to its end. The PDF writers of Qt do not
// report failed writes; a file they could not write whole lacks its end, or
// its cross-reference table is not where the end says, because every byte
// missing before it moves it.
class PdfFileCheck
{
public:
    static bool isComplete(const QString &path);
};
