#include "app/TMainForm.h"

#include "document/CardSetDocument.h"
#include "exchange/WordListCommands.h"
#include "history/TLernstandForm.h"
#include "program/BusyCursor.h"
#include "program/HistoryMessages.h"

#include "app/ClipboardCommands.h"
#include "app/FileAssociation.h"
#include "app/HelpCommands.h"
#include "app/MainActions.h"
#include "app/StartupSequence.h"
#include "app/TAboutBox.h"
#include "app/ToolbarIcons.h"
#include "app/WindowCommands.h"
#include "app/WindowTiling.h"
#include "cardset/ScratchFile.h"
#include "editor/CardSearch.h"
#include "editor/FaceInsertion.h"
#include "editor/FindDialog.h"
#include "editor/TMDIChild.h"
#include "editor/TMyRxRichEdit.h"
#include "editor/TVerschieben.h"
#include "editor/UserDialogs.h"
#include "export/HtmlExportCommand.h"
#include "print/DestinationJobs.h"
#include "print/PrintDestinations.h"
#include "print/PrintMessages.h"
#include "print/PrintRun.h"
#include "print/PrinterChoice.h"
#include "print/TAllgOpts.h"
#include "print/TDruckForm.h"
#include "print/TPrintForm.h"
#include "quiz/QuizCommand.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QFontComboBox>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMimeData>
#include <QPrinter>
#include <QSpinBox>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolButton>

namespace {

QFont arialPixels(int pixels)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixels);
    return font;
}

} // namespace

TMainForm::TMainForm(QWidget *parent)
    : QMainWindow(parent)
    , m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution))
    , m_dialogs(&UserDialogs::standard())
{
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(programCaption());
    setFont(arialPixels(13));
    setAcceptDrops(true);
    m_context.WorkFilePath = ScratchFile::makeWorkFilePath(QDir::tempPath());
    m_printer->setPageOrientation(QPageLayout::Portrait);

    m_mdiArea = new QMdiArea(this);
    m_mdiArea->setObjectName(QStringLiteral("MDIArea"));
    m_mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_mdiArea);

    statusBar()->setObjectName(QStringLiteral("StatusBar"));
    m_actions = new MainActions(this);

    m_clipboard = new ClipboardCommands(m_actions, m_mdiArea);
    connect(m_mdiArea, &QMdiArea::subWindowActivated, this, [this] { VorderseiteSelectionChange(ActiveFace()); });
    connect(m_mdiArea, &QMdiArea::subWindowActivated, this, &TMainForm::showModifiedMark);
    UpdateCommandStates(false);

    m_aboutBox = new TAboutBox(this);
    m_allgOpts = new TAllgOpts(Settings, this);
    m_printForm = new TPrintForm(this);
    m_druckForm = new TDruckForm(this);
    m_verschieben = new TVerschieben(this);
    m_findDialog = new FindDialog(this);
    connect(m_findDialog, &FindDialog::FindDialogFind, this, &TMainForm::FindDialogFind);
    connectCommands();
}

void TMainForm::startUp(const CommandLineArguments &arguments, const QString &settingsPath)
{
    m_arguments = arguments;
    FileAssociation::writeForRunningProgram();
    Random.setSeed(StartupSequence::randomSeed(QDateTime::currentDateTimeUtc().time()));
    Settings = ProgramSettings(settingsPath);
    Settings.read();
    if (!Settings.workFolder().isEmpty()) {
        QFile::remove(m_context.WorkFilePath);
        m_context.WorkFilePath = Settings.makeWorkFilePath();
    }
    UpdateCommandStates(false);
    UpdateCommandStates(false);
    CardClipboardFront.clear();
    CardClipboardBack.clear();
    m_startedUp = true;
}

void TMainForm::openStartupFiles()
{
    const QStringList files = m_arguments.takeStartupFiles();
    for (const QString &file : files)
        OpenDocument(file);
    if (!files.isEmpty())
        UpdateCommandStates(false);
}

void TMainForm::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    // Later, once this activation has been handled: a failed load shows a
    // message box, which must not open inside the activation itself.
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && m_arguments.startupPending())
        QTimer::singleShot(0, this, &TMainForm::openStartupFiles);
    // A maximised document that closes clears the mark of the title the
    // next one takes over.
    if (event->type() == QEvent::ModifiedChange || event->type() == QEvent::WindowTitleChange)
        showModifiedMark();
}

TMainForm::~TMainForm()
{
    // The base destructor still moves focus and activation about; nothing
    // of this window may answer then.
    delete m_clipboard;
    disconnect(qApp, nullptr, this, nullptr);
    disconnect(m_mdiArea, nullptr, this, nullptr);
    for (TMDIChild *document : std::as_const(m_documents)) {
        disconnect(document, nullptr, this, nullptr);
        disconnect(&document->Set(), nullptr, this, nullptr);
    }
    QFile::remove(m_context.WorkFilePath);
}

QString TMainForm::programCaption()
{
    return QStringLiteral("Quillo 3.2b (Vista/Win7)");
}

QString TMainForm::openFilter()
{
    return QStringLiteral("Quillo - Dateien (*.ql3;*.qla)|*.ql3;*.qla|Alle Dateien (*.*)|*.*");
}

QString TMainForm::saveFilter()
{
    return QStringLiteral("Quillo 3.0 - Dateien (*.ql3)|*.ql3|Alle Dateien (*.*)|*.*");
}

void TMainForm::setDialogs(UserDialogs *dialogs)
{
    m_dialogs = dialogs ? dialogs : &UserDialogs::standard();
}

QAction *TMainForm::action(MainCommand command) const
{
    return m_actions->action(command);
}

QToolButton *TMainForm::button(MainCommand command) const
{
    return m_actions->button(command);
}

QFontComboBox *TMainForm::fontCombo() const
{
    return m_actions->fontCombo();
}

QSpinBox *TMainForm::fontSizeBox() const
{
    return m_actions->fontSizeBox();
}

QToolButton *TMainForm::textColorButton() const
{
    return m_actions->textColorButton();
}

QToolButton *TMainForm::backColorButton() const
{
    return m_actions->backColorButton();
}

void TMainForm::onDocument(MainCommand command, const std::function<void(TMDIChild *)> &handler)
{
    connect(action(command), &QAction::triggered, this, [this, handler] {
        if (TMDIChild *document = ActiveDocument())
            handler(document);
    });
}

void TMainForm::connectCommands()
{
    using C = MainCommand;
    const auto on = [this](MainCommand command, void (TMainForm::*handler)()) {
        connect(action(command), &QAction::triggered, this, handler);
    };
    on(C::FileNew, &TMainForm::FileNew);
    on(C::FileOpen, &TMainForm::FileOpen);
    on(C::FileClose, &TMainForm::FileClose);
    connect(action(C::ImportWordList), &QAction::triggered, this, [this] {
        const QString path = m_dialogs->openFileName(this, WordListCommands::importFilter(), QStringLiteral("csv"));
        if (!path.isEmpty())
            importWordList(path);
    });
    onDocument(C::ExportWordList, [this](TMDIChild *document) {
        WordListCommands::exportSet(
            this, *m_dialogs, document->Set(), [document] { document->StoreCurrentCard(); },
            [document](int i) { document->selectCard(i); });
    });
    on(C::Save, &TMainForm::Save);
    on(C::SaveAs, &TMainForm::SaveAs);
    on(C::Quiz, &TMainForm::Quiz);
    onDocument(C::ExportHtml, [this](TMDIChild *document) {
        HtmlExportCommand::run(this, *m_dialogs, document->Set(), [document](int i) { document->selectCard(i); });
    });
    connect(action(C::Exit), &QAction::triggered, this, &QWidget::close);
    connect(action(C::Cut), &QAction::triggered, m_clipboard, &ClipboardCommands::cut);
    connect(action(C::Copy), &QAction::triggered, m_clipboard, &ClipboardCommands::copy);
    connect(action(C::Paste), &QAction::triggered, m_clipboard, &ClipboardCommands::paste);
    on(C::InsertPicture, &TMainForm::Bildeinfuegen);
    on(C::InsertObject, &TMainForm::Objekteinfuegen);
    on(C::Find, &TMainForm::Suchen);
    on(C::CopyCard, &TMainForm::GanzeKartekopieren);
    on(C::PasteCard, &TMainForm::GanzeKarteeinfuegen);
    on(C::MoveCard, &TMainForm::PositionderKarteverschieben);
    on(C::Lernstand, &TMainForm::Lernstand);
    on(C::ClearHistory, &TMainForm::Lernverlaufloeschen);
    m_windows = new WindowCommands(
        m_mdiArea, m_actions->windowMenu(), [this] { return m_documents; }, [this] { return ActiveDocument(); });
    connect(action(C::Cascade), &QAction::triggered, m_windows, &WindowCommands::cascade);
    connect(action(C::TileHorizontal), &QAction::triggered, m_windows, &WindowCommands::tileHorizontal);
    connect(action(C::TileVertical), &QAction::triggered, m_windows, &WindowCommands::tileVertical);
    connect(action(C::MinimizeAll), &QAction::triggered, m_windows, &WindowCommands::minimizeAll);
    connect(action(C::ArrangeAll), &QAction::triggered, m_windows, &WindowCommands::arrangeAll);
    connect(action(C::About), &QAction::triggered, m_aboutBox, &TAboutBox::showCentred);
    connect(action(C::Options), &QAction::triggered, m_allgOpts, &TAllgOpts::showOptions);
    on(C::Print, &TMainForm::Print);
    connect(m_allgOpts, &TAllgOpts::testPageRequested, this, &TMainForm::PrintTestPage);
    connect(m_printForm, &TPrintForm::printerSetupRequested, this, &TMainForm::setUpPrinter);
    connect(action(C::Manual), &QAction::triggered, this, [] { HelpCommands::openManual(); });
    on(C::NewCard, &TMainForm::NewCard);
    on(C::DeleteCard, &TMainForm::DeleteCard);
    on(C::Undo, &TMainForm::Undo);
    on(C::Redo, &TMainForm::Redo);

    onDocument(C::AsStandardFont, [](TMDIChild *document) { document->AlsStandardfont(); });
    onDocument(C::Bold, [](TMDIChild *document) { document->toggleStyle(TextFormatRules::Style::Bold); });
    onDocument(C::Italic, [](TMDIChild *document) { document->toggleStyle(TextFormatRules::Style::Italic); });
    onDocument(C::Underline, [](TMDIChild *document) { document->toggleStyle(TextFormatRules::Style::Underline); });
    onDocument(C::Bullets, [](TMDIChild *document) { document->toggleBullets(); });
    for (const auto &[command, tag] : {std::pair{C::AlignLeft, 0}, std::pair{C::AlignCenter, 2}, std::pair{C::AlignRight, 1}})
        onDocument(command, [tag = tag](TMDIChild *document) { document->applyAlignment(tag); });
    onDocument(C::TextColorDialog,
               [this](TMDIChild *document) { document->applyTextColor(m_dialogs->chooseColor(this, document->targetTextColor())); });
    onDocument(C::BackColorDialog, [this](TMDIChild *document) {
        // The header line's own colour has its button; this one is the faces'.
        if (document->ActiveFace())
            document->applyBackColor(m_dialogs->chooseColor(this, document->faceBackColor()));
    });

    connect(m_actions->fontCombo(), &QFontComboBox::currentFontChanged, this, [this](const QFont &font) {
        TMDIChild *document = ActiveDocument();
        if (!UpdatingToolbar && document)
            document->applyFontName(font.family());
    });
    connect(m_actions->fontSizeBox(), &QSpinBox::valueChanged, this, [this](int points) {
        TMDIChild *document = ActiveDocument();
        if (!UpdatingToolbar && document)
            document->applyFontSize(points);
    });
    addColourMenu(m_actions->textColorButton(), [](TMDIChild *document, const QColor &color) { document->applyTextColor(color); });
    addColourMenu(m_actions->backColorButton(), [](TMDIChild *document, const QColor &color) { document->applyBackColor(color); });
}

void TMainForm::Quiz()
{
    TMDIChild *document = ActiveDocument();
    if (!document)
        return;
    // Edits not yet stored take part in the quiz.
    document->StoreCurrentCard();
    QuizCommand::run(document->Set(), this, document->Vorderseite()->size(), Random, Settings.Abstand);
}

void TMainForm::Lernstand()
{
    TMDIChild *document = ActiveDocument();
    if (!document)
        return;
    for (TLernstandForm *open : findChildren<TLernstandForm *>(Qt::FindDirectChildrenOnly)) {
        if (open->set() == &document->Set()) {
            open->raise();
            open->activateWindow();
            return;
        }
    }
    auto *form = new TLernstandForm(document->Set(), document->caption(), this);
    form->setAttribute(Qt::WA_DeleteOnClose);
    form->show();
}

void TMainForm::Print()
{
    TMDIChild *document = ActiveDocument();
    if (!document)
        return;
    document->StoreCurrentCard();
    PrintRun run(*m_printer, Settings, {m_printForm, m_druckForm, this});
    preparePrintRun(run, this);
    run.selectCard = [document](int position) { document->selectCard(position); };
    if (run.run(document->Set(), document->PortraitFlag() ? PageOrientation::Portrait : PageOrientation::Landscape)
        == PrintRun::Outcome::Failed)
        m_dialogs->warning(this, printFailedMessage(), run.failure());
}

void TMainForm::PrintTestPage()
{
    PrintRun run(*m_printer, Settings, {m_printForm, m_druckForm, this});
    preparePrintRun(run, m_allgOpts);
    if (!run.printTestPage())
        m_dialogs->warning(m_allgOpts, printFailedMessage(), run.failure());
}

void TMainForm::preparePrintRun(PrintRun &run, QWidget *parent)
{
    if (!m_lostQueue.isEmpty() && PrinterChoice::attach(*m_printer, m_lostQueue))
        m_lostQueue.clear();
    run.askOutputFile = [this, parent] { return askPrintFile(parent); };
    run.askPrintWhilePaused = [this, parent](const QString &question) { return m_dialogs->question(parent, question, true); };
    run.server = [this] {
        if (!m_printServer)
            m_printServer = PrintDestinations::system();
        return m_printServer.get();
    };
    run.destination = [this] { return m_lostQueue.isEmpty() ? DestinationJobs::destinationOf(*m_printer) : m_lostQueue; };
}

void TMainForm::setUpPrinter()
{
    const PrinterChoice before(*m_printer);
    if (m_dialogs->printerSetup(m_printForm, *m_printer)) {
        m_lostQueue.clear();
        return;
    }
    if (!before.restore())
        m_lostQueue = before.queue();
}

QString TMainForm::askPrintFile(QWidget *parent)
{
    return m_dialogs->saveFileName(parent, QStringLiteral("Drucken in Datei"),
                                   QStringLiteral("PDF - Dateien (*.pdf)|*.pdf|Alle Dateien (*.*)|*.*"), QStringLiteral("pdf"), QString());
}

QString TMainForm::printFailedMessage()
{
    return PrintMessages::failed();
}

void TMainForm::UpdateCommandStates(bool closing)
{
    m_actions->setDocumentCommandsEnabled(CommandStateRules::documentCommandsEnabled(int(m_documents.size()), closing));
}

TMDIChild *TMainForm::ActiveDocument() const
{
    if (QMdiSubWindow *sub = m_mdiArea->currentSubWindow()) {
        auto *document = qobject_cast<TMDIChild *>(sub->widget());
        if (document && m_documents.contains(document))
            return document;
    }
    return m_documents.isEmpty() ? nullptr : m_documents.constLast();
}

TMyRxRichEdit *TMainForm::ActiveFace() const
{
    TMDIChild *document = ActiveDocument();
    return document ? document->ActiveFace() : nullptr;
}

QMdiSubWindow *TMainForm::subWindowOf(TMDIChild *document) const
{
    return document ? qobject_cast<QMdiSubWindow *>(document->parentWidget()) : nullptr;
}

TMDIChild *TMainForm::createDocument(std::unique_ptr<CardSetDocument> set, const QString &caption)
{
    auto *document = new TMDIChild(std::move(set), m_context, m_printer.get(), m_dialogs);
    if (!caption.isEmpty())
        document->setCaption(caption);
    document->useSettings(&Settings);
    QMdiSubWindow *sub = m_mdiArea->addSubWindow(document);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->resize(sub->sizeHint().expandedTo(QSize(676, 483)));
    m_documents.append(document);
    connect(document, &TMDIChild::documentClosed, this, &TMainForm::documentClosed);
    document->useCommands(m_actions->faceMenuGroups(), m_actions->faceKeyActions());
    connect(document, &TMDIChild::VorderseiteSelectionChange, this, &TMainForm::VorderseiteSelectionChange);
    connect(&document->Set(), &CardSet::modifiedChanged, this, &TMainForm::showModifiedMark);
    sub->show();
    // Qt's own placement puts a third window partly below the work area.
    const int step = sub->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, sub);
    sub->setGeometry(WindowTiling::cascaded(m_mdiArea->viewport()->rect(), sub->size(), int(m_documents.size()) - 1, step));
    m_mdiArea->setActiveSubWindow(sub);
    document->showDocument();
    return document;
}

void TMainForm::showModifiedMark()
{
    // A maximised document's title is part of this one, whose mark Qt
    // follows only while that document's mark changes.
    if (!windowTitle().contains(QLatin1String("[*]")))
        return;
    const TMDIChild *document = ActiveDocument();
    const bool modified = document && document->Modified();
    if (isWindowModified() != modified)
        setWindowModified(modified);
}

void TMainForm::documentClosed(TMDIChild *document)
{
    // The closing window still counts: with it the last one, nothing is left.
    UpdateCommandStates(true);
    m_documents.removeAll(document);
}

TMDIChild *TMainForm::OpenDocument(const QString &name)
{
    if (name == QLatin1String("*")) {
        const QString path = m_dialogs->saveFileName(this, QStringLiteral("Wie soll die Datei später heißen?"), saveFilter(),
                                                     QStringLiteral("ql3"), QString());
        if (path.isEmpty())
            return nullptr;
        BusyCursor busy;
        return createDocument(CardSetDocument::createNew(path));
    }

    BusyCursor busy;
    CardSetDocument::Opened opened = CardSetDocument::open(name, m_context);
    const FileResult &result = opened.result;
    if (!opened.document) {
        busy.restore();
        m_dialogs->information(this, FileMessages::forLoad(result, name));
        return nullptr;
    }
    // A failed load still shows what was read, under a caption that says so.
    TMDIChild *document = createDocument(std::move(opened.document),
                                         result.ok() ? CardSetFile::fileNamePart(CardSetFile::changeExtension(name, QStringLiteral(".QL3")))
                                                     : FileMessages::loadFailedCaption());
    if (!result.ok()) {
        busy.restore();
        m_dialogs->warning(this, FileMessages::forLoad(result, name), result.reason);
    } else if (CardSetFile::isLegacyPath(name)) {
        busy.restore();
        m_dialogs->information(this, FileMessages::legacyImportedMessage());
    } else if (const QString refused = HistoryMessages::refusedOnOpen(document->Set().history(), name); !refused.isEmpty()) {
        busy.restore();
        m_dialogs->warning(this, refused);
    }
    return document;
}

TMDIChild *TMainForm::importWordList(const QString &path)
{
    std::unique_ptr<CardSetDocument> imported =
        WordListCommands::importList(this, *m_dialogs, path, TMDIChild::newSetPictureWidth(m_printer.get(), &Settings, this));
    TMDIChild *document = imported ? createDocument(std::move(imported)) : nullptr;
    UpdateCommandStates(false);
    return document;
}

void TMainForm::FileNew()
{
    OpenDocument(QStringLiteral("*"));
    UpdateCommandStates(false);
}

void TMainForm::FileOpen()
{
    setSaveControlsEnabled(false);
    const QString path = m_dialogs->openFileName(this, openFilter(), QStringLiteral("ql3"));
    if (!path.isEmpty())
        OpenDocument(path);
    setSaveControlsEnabled(true);
    UpdateCommandStates(false);
}

void TMainForm::FileClose()
{
    if (QMdiSubWindow *sub = subWindowOf(ActiveDocument()))
        sub->close();
}

void TMainForm::setSaveControlsEnabled(bool enabled)
{
    // The button shares the entry's action.
    action(MainCommand::Save)->setEnabled(enabled);
    action(MainCommand::SaveAs)->setEnabled(enabled);
}

void TMainForm::saveTo(TMDIChild *document, const QString &path, FileMessages::SaveCommand command)
{
    BusyCursor busy;
    CardSet &set = document->Set();
    document->setCaption(CardSetFile::fileNamePart(path));
    const FileResult result = document->document().save(path, m_context, [document] { document->StoreCurrentCard(); });
    if (result.ok())
        return;
    busy.restore();
    m_dialogs->warning(this, FileMessages::forSave(result, set.FileName(), command), FileMessages::reason(result));
}

void TMainForm::Save()
{
    TMDIChild *document = ActiveDocument();
    if (!document)
        return;
    // A set whose load failed early has no name yet; saving it must not
    // guess one.
    if (document->Set().FileName().isEmpty()) {
        SaveAs();
        return;
    }
    setSaveControlsEnabled(false);
    saveTo(document, document->Set().FileName(), FileMessages::SaveCommand::Save);
    setSaveControlsEnabled(true);
}

void TMainForm::SaveAs()
{
    TMDIChild *document = ActiveDocument();
    if (!document)
        return;
    const QString path =
        m_dialogs->saveFileName(this, QStringLiteral("Speichern unter"), saveFilter(), QStringLiteral("ql3"), document->Set().FileName());
    if (path.isEmpty())
        return;
    setSaveControlsEnabled(false);
    saveTo(document, path, FileMessages::SaveCommand::SaveAs);
    setSaveControlsEnabled(true);
}

void TMainForm::NewCard()
{
    TMDIChild *document = ActiveDocument();
    if (!document)
        return;
    document->AddCard();
    document->showPage(TMDIChild::FrontPage);
    // The next thing typed is the new card's question, also when the card
    // list had the focus (Space there would tick the card instead).
    document->Vorderseite()->setFocus();
}

void TMainForm::DeleteCard()
{
    if (TMDIChild *document = ActiveDocument())
        document->DeleteCard();
}

void TMainForm::GanzeKartekopieren()
{
    if (TMDIChild *document = ActiveDocument())
        document->copyWholeCard(CardClipboardFront, CardClipboardBack);
}

void TMainForm::GanzeKarteeinfuegen()
{
    TMDIChild *document = ActiveDocument();
    // Before the first copy there is nothing to paste: emptying both faces
    // would only destroy the card's text.
    if (!document || (CardClipboardFront.isEmpty() && CardClipboardBack.isEmpty()))
        return;
    document->pasteWholeCard(CardClipboardFront, CardClipboardBack);
}

void TMainForm::PositionderKarteverschieben()
{
    TMDIChild *document = ActiveDocument();
    if (!document)
        return;
    document->StoreCurrentCard();
    m_verschieben->fill(document->Set().count(), document->Set().CurrentIndex());
    if (m_verschieben->exec() != QDialog::Accepted)
        return;
    document->moveCurrentCardTo(m_verschieben->chosenIndex());
}

void TMainForm::Lernverlaufloeschen()
{
    TMDIChild *document = ActiveDocument();
    if (!document || !document->Set().history().holdsData())
        return;
    if (m_dialogs->question(this, QStringLiteral("Soll der Lernverlauf dieser Kartei gelöscht werden? Die Karten bleiben erhalten."), true))
        document->Set().clearHistory();
}

void TMainForm::addColourMenu(QToolButton *tool, const std::function<void(TMDIChild *, const QColor &)> &apply)
{
    auto *menu = new QMenu(tool);
    menu->setObjectName(tool->objectName() + QStringLiteral("Palette"));
    // Plain colours only: a system colour would change with the desktop.
    const QList<std::pair<const char *, QColor>> palette = {
        {"Schwarz", QColor(0, 0, 0)},      {"Weiß", QColor(255, 255, 255)},    {"Dunkelrot", QColor(128, 0, 0)},
        {"Rot", QColor(255, 0, 0)},        {"Orange", QColor(255, 128, 0)},    {"Gelb", QColor(255, 255, 0)},
        {"Dunkelgrün", QColor(0, 128, 0)}, {"Grün", QColor(0, 255, 0)},        {"Oliv", QColor(128, 128, 0)},
        {"Türkis", QColor(0, 255, 255)},   {"Blaugrün", QColor(0, 128, 128)},  {"Blau", QColor(0, 0, 255)},
        {"Dunkelblau", QColor(0, 0, 128)}, {"Violett", QColor(128, 0, 128)},   {"Pink", QColor(255, 0, 255)},
        {"Grau", QColor(128, 128, 128)},   {"Hellgrau", QColor(192, 192, 192)}};
    const auto choose = [this, tool, apply](const QColor &color) {
        if (!color.isValid())
            return;
        setButtonColor(tool, color);
        if (TMDIChild *document = ActiveDocument())
            apply(document, color);
    };
    for (const auto &[name, color] : palette) {
        QPixmap swatch(16, 16);
        swatch.fill(color);
        QAction *entry = menu->addAction(QIcon(swatch), QString::fromUtf8(name));
        connect(entry, &QAction::triggered, this, [choose, color = color] { choose(color); });
    }
    menu->addSeparator();
    QAction *more = menu->addAction(QStringLiteral("Weitere Farben"));
    more->setObjectName(QStringLiteral("WeitereFarben"));
    connect(more, &QAction::triggered, this,
            [this, tool, choose] { choose(m_dialogs->chooseColor(this, tool->property("color").value<QColor>())); });
    tool->setMenu(menu);
    tool->setPopupMode(QToolButton::MenuButtonPopup);
    connect(tool, &QAbstractButton::clicked, this, [this, tool, apply] {
        if (TMDIChild *document = ActiveDocument())
            apply(document, tool->property("color").value<QColor>());
    });
}

void TMainForm::setButtonColor(QAbstractButton *button, const QColor &color)
{
    button->setProperty("color", color);
    button->setIcon(ToolbarIcons::icon(button->property("iconName").toString(), color));
}

void TMainForm::VorderseiteSelectionChange(TMyRxRichEdit *face)
{
    if (!face || face != ActiveFace())
        return;
    const QFont font = TextFormatRules::shownFont(TextFormatRules::selectionAttributes(face->textCursor()), face->font());
    UpdatingToolbar = true;
    const int entry = m_actions->fontCombo()->findText(font.family());
    m_actions->fontCombo()->setCurrentIndex(entry);
    // A font that is only substituted here (Arial by Liberation Sans) has
    // no entry, but the user still learns its name.
    if (entry < 0)
        m_actions->fontCombo()->setEditText(font.family());
    if (font.pointSizeF() > 0)
        m_actions->fontSizeBox()->setValue(qRound(font.pointSizeF()));
    UpdatingToolbar = false;
}

void TMainForm::Bildeinfuegen()
{
    FaceInsertion::insertPicture(this, *m_dialogs, ActiveFace());
}

void TMainForm::Objekteinfuegen()
{
    if (TMyRxRichEdit *face = ActiveFace())
        FaceInsertion::insertObject(this, *m_dialogs, face);
}

void TMainForm::Suchen()
{
    m_findDialog->show();
    m_findDialog->raise();
    m_findDialog->activateWindow();
}

void TMainForm::FindDialogFind()
{
    TMDIChild *document = ActiveDocument();
    const QString text = m_findDialog->text();
    if (!document || text.isEmpty())
        return;
    // The card being left is stored first, as a switch would; the faces
    // are then read from the set, and only the card the step ends on is
    // loaded into the editors.
    document->StoreCurrentCard();
    const CardSet &set = document->Set();
    const CardSearch::Result result = CardSearch::step(
        set.CurrentIndex(), set.count(), [&set, &text](int i) { return CardSearch::examineCard(set.front(i), set.back(i), text); },
        [this] { return m_dialogs->question(this, QStringLiteral("Das Ende wurde erreicht, von vorne beginnen?."), false); });
    document->selectCard(result.index);
    if (result.face == CardSearch::Face::Front)
        document->showPage(TMDIChild::FrontPage);
    else if (result.face == CardSearch::Face::Back)
        document->showPage(TMDIChild::BackPage);
    else if (result.nowhere)
        m_dialogs->information(this, QStringLiteral("„%1“ wurde in keiner Karte gefunden.").arg(text));
}

void TMainForm::Undo()
{
    if (TMDIChild *document = ActiveDocument())
        document->undoInFace();
}

void TMainForm::Redo()
{
    if (TMDIChild *document = ActiveDocument())
        document->redoInFace();
}

namespace {

// The card sets, word lists and Anki packages among dropped files.
QStringList droppedFiles(const QMimeData *data)
{
    QStringList files;
    for (const QUrl &url : data->urls()) {
        const QString extension = CardSetFile::upperExtension(url.toLocalFile());
        if (url.isLocalFile()
            && (extension == QLatin1String(".QL3") || extension == QLatin1String(".QLA") || WordListCommands::isWordList(url.toLocalFile())
                || WordListCommands::isAnkiPackage(url.toLocalFile())))
            files.append(url.toLocalFile());
    }
    return files;
}

} // namespace

void TMainForm::dragEnterEvent(QDragEnterEvent *event)
{
    if (!droppedFiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void TMainForm::dropEvent(QDropEvent *event)
{
    const QStringList files = droppedFiles(event->mimeData());
    if (files.isEmpty())
        return;
    event->acceptProposedAction();
    for (const QString &file : files) {
        if (WordListCommands::isWordList(file) || WordListCommands::isAnkiPackage(file))
            importWordList(file);
        else
            OpenDocument(file);
    }
    UpdateCommandStates(false);
}

void TMainForm::closeEvent(QCloseEvent *event)
{
    // A print pass holds the document it prints.
    if (PrintRun::isPrinting()) {
        event->ignore();
        return;
    }
    // Every document's own close protocol: one "No" keeps the program open.
    for (TMDIChild *document : QList<TMDIChild *>(m_documents)) {
        if (QMdiSubWindow *sub = subWindowOf(document))
            sub->close();
    }
    if (!m_documents.isEmpty()) {
        event->ignore();
        return;
    }
    event->accept();
    if (m_startedUp) {
        ScratchFile::clear(m_context.WorkFilePath);
        Settings.write();
        CardClipboardFront.clear();
        CardClipboardBack.clear();
    }
}
