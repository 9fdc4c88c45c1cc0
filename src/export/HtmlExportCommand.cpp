#include "export/HtmlExportCommand.h"

#include "program/FileMessages.h"
#include "program/ProgramFolder.h"

#include "cardset/CardSet.h"
#include "editor/UserDialogs.h"
#include "export/HtmlExport.h"
#include "richtext/RtfReader.h"

#include <QFileInfo>

void HtmlExportCommand::run(QWidget *parent, UserDialogs &dialogs, const CardSet &set, const std::function<void(int)> &selectCard,
                            const SaveDialog &saveDialog)
{
    QList<HtmlExport::Card> cards;
    for (int i : set.markedCards()) {
        selectCard(i);
        cards.append({RtfReader::textLines(set.front(i)), RtfReader::textLines(set.back(i))});
    }
    const QStringList page = HtmlExport::buildPage(set.FileName(), cards);
    if (page.isEmpty()) {
        dialogs.warning(parent, HtmlExport::noCardsMessage());
        return;
    }
    const QString path =
        dialogs.saveFileName(parent, saveDialog.title, HtmlExport::pageFilter(), QStringLiteral("html"), saveDialog.suggested);
    if (path.isEmpty())
        return;
    const FileResult written =
        HtmlExport::writePage(path, page, QFileInfo(ProgramFolder::filePath(QStringLiteral("overlib.js"))).absolutePath());
    if (!written.ok()) {
        dialogs.warning(parent, FileMessages::pageNotWritten(path), FileMessages::reason(written));
        return;
    }
    dialogs.information(parent, HtmlExport::noticeMessage());
}

void HtmlExportCommand::run(QWidget *parent, UserDialogs &dialogs, const CardSet &set, const std::function<void(int)> &selectCard)
{
    run(parent, dialogs, set, selectCard, SaveDialog());
}
