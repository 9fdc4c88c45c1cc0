#pragma once

#include "cardset/CardSet.h"

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
// the box list, every front and every back. Failures of file and container
// steps raise FileError; the set's ErrorLine then tells the step reached.
class CardSetFile
{
public:
    enum class SaveResult {
        Saved,
        TargetNotReplaceable, // message M1; nothing written
        SettingsNotWritable,  // message M2; nothing written
    };
    enum class LoadResult {
        Loaded,
        WrongExtension, // message M3; the caller closes the window
    };

    // `storeCurrentCard` is the window's step that writes the editors back
    // into the current card before anything is written.
    static SaveResult SaveCardSet(CardSet &set, const QString &path, CardSetFileContext &context,
                                  const std::function<void()> &storeCurrentCard = {});
    // Fills a freshly created set. Leaves CurrentIndex at -1: the window then
    // selects and shows the first card.
    static LoadResult LoadCardSet(CardSet &set, const QString &path, CardSetFileContext &context);

    static void WriteFontSection(const QString &iniPath, const QString &section, const FontRecord &font);
    static void ReadFontSection(const QString &iniPath, const QString &section, FontRecord &font);
    static void ReadFontSection(const IniText &ini, const QString &section, FontRecord &font);

    // "RandAbstand" to "PrintCR" of section "Data", alike in both formats.
    static void ReadPrintOptions(const IniText &ini, CardSet &set);

    // One line per card, its box number and CR LF.
    static QByteArray boxListText(const CardSet &set);

    // ".QL3" for "Datei.ql3"; empty when the name has no extension.
    static QString upperExtension(const QString &path);
    // A 2.5 set: the window shows LegacyCardSetImport::importedMessage()
    // after loading it.
    static bool isLegacyPath(const QString &path) { return upperExtension(path) == QLatin1String(".QLA"); }
    static QString changeExtension(const QString &path, const QString &extension);
    static QString fileNamePart(const QString &path);

    static QString defaultCopyright();
    static QString messageM1(const QString &fileName);
    static QString messageM2();
    static QString messageM3(const QString &path);
    static QString saveFailedMessage(const QString &errorLine);
    static QString saveAsFailedMessage();
    static QString loadFailedMessage();
    static QString loadFailedMessageWithCode(const QString &errorLine);
    static QString loadFailedCaption();
};
