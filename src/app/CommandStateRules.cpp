#include "app/CommandStateRules.h"

bool CommandStateRules::documentCommandsEnabled(int openDocuments, bool closing)
{
    if (openDocuments <= 0)
        return false;
    return !(closing && openDocuments == 1);
}
