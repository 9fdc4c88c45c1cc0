#pragma once

#include "cardset/CardSet.h"
#include "cardset/FileResult.h"

#include <QString>

#include <functional>

class IniText;

// What a save or load needs from the running program.
struct CardSetFileContext
{
    // The scratch file of this program; a save or load may move it on to a
    // free name when it cannot be deleted.
    QString WorkFilePath;
    // Written as "PO" on save, set from it on load.
    PageOrientation PrinterOrientation = PageOrientation::Portrait;
};

// The native card set file (".ql3"): a card archive with the settings text,
// the box list, every front and every back, and when answers were recorded
// the learning history (see LearningHistoryFormat) as one chunk more, which
// older versions skip. Save and load report what they came to, with the step
// reached and the platform's reason.
class CardSetFile
{
public:
    // `storeCurrentCard` is the window's step that writes the editors back
    // into the current card before anything is written. A completed save
    // clears the set's modified mark.
    static FileResult SaveCardSet(CardSet &set, const QString &path, CardSetFileContext &context,
                                  const std::function<void()> &storeCurrentCard = {});
    // Replaces the set's cards, layout and fonts by the file's and clears
    // the modified mark; no card is current afterwards. After a failure the
    // set has the settings read before it but no cards, and keeps its name.
    // A ".qla" file is read as a set of the 2.5 format. The file is only
    // read.
    // With `faces`, a native file's faces are not kept but handed to it as
    // they are read, in the file's order: every front, then every back (and
    // the chunk after them, which the history is read from all the same).
    // The cards then have empty faces.
    // The history chunk never fails a load: one that is damaged, of a later
    // version or another program's is kept as it is (see LearningHistory).
    static FileResult LoadCardSet(CardSet &set, const QString &path, CardSetFileContext &context,
                                  const std::function<void(const QByteArray &)> &faces = {});

    static void WriteFontSection(const QString &iniPath, const QString &section, const FontRecord &font);
    static void WriteFontSection(IniText &ini, const QString &section, const FontRecord &font);
    static void ReadFontSection(const QString &iniPath, const QString &section, FontRecord &font);
    static void ReadFontSection(const IniText &ini, const QString &section, FontRecord &font);

    // "RandAbstand" to "PrintCR" of section "Data", alike in both formats.
    static void ReadPrintOptions(const IniText &ini, PrintOptions &options);

    // The settings chunk of a saved set: the three font sections and "Data".
    static QByteArray settingsText(const CardSet &set, PageOrientation orientation);
    // One line per card, its box number and CR LF.
    static QByteArray boxListText(const CardSet &set);
    // The history chunk of a set whose history records.
    static QByteArray historyChunk(const CardSet &set);

    // ".QL3" for "Datei.ql3"; empty when the name has no extension.
    static QString upperExtension(const QString &path);
    static bool isLegacyPath(const QString &path) { return upperExtension(path) == QLatin1String(".QLA"); }
    static QString changeExtension(const QString &path, const QString &extension);
    static QString fileNamePart(const QString &path);

    // The footer text of a stored set that has none.
    static QString defaultCopyright();
};
