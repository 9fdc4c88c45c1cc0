#pragma once

#include "print/PrintDestinations.h"

// The CUPS server that libcups finds (CUPS_SERVER, client.conf, the local
// socket). Nothing is asked before a method is called.
class CupsDestinations : public PrintDestinations
{
public:
    Listing list() override;
    Lookup find(const QString &name) override;
    Submitted submit(const QString &name, const QString &pdfFile, const QString &title, const Options &options) override;
    Job job(int jobId) override;
};
