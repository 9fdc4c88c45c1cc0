// Loads a card set and saves it under another name, for the test that kills
// a save half way. Says "bereit" once the load is done and the save begins.
#include "cardset/CardSetFile.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() != 4) {
        std::fputs("usage: save_child SOURCE TARGET SCRATCH\n", stderr);
        return 2;
    }
    CardSetFileContext context{arguments.at(3), PageOrientation::Portrait};
    CardSet set;
    if (!CardSetFile::LoadCardSet(set, arguments.at(1), context).ok())
        return 1;
    std::fputs("bereit\n", stdout);
    std::fflush(stdout);
    return CardSetFile::SaveCardSet(set, arguments.at(2), context).ok() ? 0 : 1;
}
