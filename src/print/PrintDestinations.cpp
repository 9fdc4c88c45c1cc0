#include "print/PrintDestinations.h"

#if QUILLO_HAVE_CUPS
#include "print/CupsDestinations.h"
#endif

std::unique_ptr<PrintDestinations> PrintDestinations::system()
{
#if QUILLO_HAVE_CUPS
    return std::make_unique<CupsDestinations>();
#else
    return nullptr;
#endif
}
