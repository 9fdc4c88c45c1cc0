#include "app/TMainForm.h"

#include "document/CardSetDocument.h"
#include "exchange/WordListCommands.h"
#include "program/BusyCursor.h"

#include "app/CommandStateRules.h"
#include "app/FileAssociation.h"
#include "app/HelpCommands.h"
#include "app/StartupSequence.h"
#include "app/TAboutBox.h"
#include "app/ToolbarIcons.h"
#include "app/WindowTiling.h"
#include "cardset/ScratchFile.h"
#include "editor/CardSearch.h"
#include "editor/FindDialog.h"
#include "editor/PackageObject.h"
#include "editor/TMDIChild.h"
#include "editor/TMyRxRichEdit.h"
#include "editor/TVerschieben.h"
#include "editor/UserDialogs.h"
#include "export/HtmlExportCommand.h"
#include "print/EditorFit.h"
#include "print/PrintRun.h"
#include "print/TAllgOpts.h"
#include "print/TDruckForm.h"
#include "print/TPrintForm.h"
#include "quiz/QuizCommand.h"
#include "richtext/FacePictures.h"
#include "richtext/RtfWriter.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDateTime>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QFontComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QSpinBox>
#include <QStatusBar>
#include <QStyle>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QFont arialPixels(int pixels, bool bold = false, bool italic = false)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

void applyHint(QAction *action, const QString &hint)
{
    if (hint.isEmpty())
        return;
    const qsizetype bar = hint.indexOf(QLatin1Char('|'));
    action->setToolTip(bar < 0 ? hint : hint.left(bar));
    action->setStatusTip(bar < 0 ? hint : hint.mid(bar + 1));
}

void applyHint(QWidget *widget, const QString &hint)
{
    const qsizetype bar = hint.indexOf(QLatin1Char('|'));
    widget->setToolTip(bar < 0 ? hint : hint.left(bar));
    widget->setStatusTip(bar < 0 ? hint : hint.mid(bar + 1));
}

QFrame *separator(QWidget *parent)
{
    auto *line = new QFrame(parent);
    line->setFrameShape(QFrame::VLine);
    line->setFrameShadow(QFrame::Sunken);
    line->setFixedWidth(8);
    return line;
}

bool hasSelection(QWidget *widget)
{
    if (auto *edit = qobject_cast<QLineEdit *>(widget))
        return edit->hasSelectedText();
    if (auto *edit = qobject_cast<QTextEdit *>(widget))
        return edit->textCursor().hasSelection();
    if (auto *edit = qobject_cast<QPlainTextEdit *>(widget))
        return edit->textCursor().hasSelection();
    return false;
}

// The text control that the edit commands act on.
QWidget *textControl(QWidget *focus)
{
    if (!focus)
        return nullptr;
    if (qobject_cast<QLineEdit *>(focus) || qobject_cast<QTextEdit *>(focus) || qobject_cast<QPlainTextEdit *>(focus))
        return focus;
    if (qobject_cast<QAbstractSpinBox *>(focus) || qobject_cast<QComboBox *>(focus))
        return focus->findChild<QLineEdit *>();
    // The viewport of a text editor can hold the focus proxy's place.
    if (auto *edit = qobject_cast<QTextEdit *>(focus->parentWidget()))
        return edit;
    return nullptr;
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
    makeMenus();
    makeToolBar();

    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) { watchFocus(now); });
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this, &TMainForm::updateClipboardCommands);
    connect(m_mdiArea, &QMdiArea::subWindowActivated, this, &TMainForm::updateClipboardCommands);
    connect(m_mdiArea, &QMdiArea::subWindowActivated, this, [this] { VorderseiteSelectionChange(ActiveFace()); });
    updateClipboardCommands();
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
}

TMainForm::~TMainForm()
{
    // The base destructor still moves focus and activation about; nothing
    // of this window may answer then.
    disconnect(qApp, nullptr, this, nullptr);
    disconnect(QApplication::clipboard(), nullptr, this, nullptr);
    disconnect(m_mdiArea, nullptr, this, nullptr);
    for (TMDIChild *document : std::as_const(m_documents))
        disconnect(document, nullptr, this, nullptr);
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

QAction *TMainForm::addEntry(QMenu *menu, MainCommand command, const QString &name, const QString &caption, const QKeySequence &keys,
                             const QString &hint, CommandRule rule)
{
    QAction *entry = menu->addAction(caption);
    entry->setObjectName(name);
    entry->setIconVisibleInMenu(false);
    if (!keys.isEmpty())
        entry->setShortcut(keys);
    applyHint(entry, hint);
    m_commands[size_t(command)].entry = entry;
    m_rules.append({entry, rule});
    return entry;
}

void TMainForm::makeMenus()
{
    const auto menu = [this](const QString &name, const QString &caption, const QString &hint) {
        QMenu *result = menuBar()->addMenu(caption);
        result->setObjectName(name);
        result->setToolTipsVisible(true);
        applyHint(result->menuAction(), hint);
        return result;
    };
    using C = MainCommand;

    QMenu *file = menu(QStringLiteral("File1"), QStringLiteral("&Datei"), QStringLiteral("Dateibefehle"));
    addEntry(file, C::FileNew, QStringLiteral("FileNew1"), QStringLiteral("&Neu"), QKeySequence(QKeySequence::New),
             QStringLiteral("Neu|Neue Datei erstellen"));
    addEntry(file, C::FileOpen, QStringLiteral("FileOpen1"), QStringLiteral("Ö&ffnen"), QKeySequence(QKeySequence::Open),
             QStringLiteral("Öffnen|Eine Datei öffnen"));
    addEntry(file, C::ImportWordList, QStringLiteral("Importieren1"), QStringLiteral("&Importieren…"), {},
             QStringLiteral("Importieren|Karten aus einer Wortliste (CSV, Text) übernehmen"));
    addEntry(file, C::ExportWordList, QStringLiteral("Exportieren1"), QStringLiteral("&Exportieren…"), {},
             QStringLiteral("Exportieren|Die Karten als Wortliste speichern"), CommandRule::NeedsDocument);
    addEntry(file, C::FileClose, QStringLiteral("FileClose1"), QStringLiteral("S&chließen"), {},
             QStringLiteral("Schließen|Aktuelle Datei schließen"));
    addEntry(file, C::Save, QStringLiteral("Speichern1"), QStringLiteral("Speichern"), QKeySequence(QKeySequence::Save), {},
             CommandRule::NeedsDocument);
    addEntry(file, C::SaveAs, QStringLiteral("Speichernunter1"), QStringLiteral("Speichern unter"), {}, {}, CommandRule::NeedsDocument);
    addEntry(file, C::Print, QStringLiteral("Drucken1"), QStringLiteral("Drucken"), QKeySequence(QKeySequence::Print));
    file->addSeparator();
    addEntry(file, C::Quiz, QStringLiteral("Quiz1"), QStringLiteral("Abfragen"), {}, {}, CommandRule::NeedsDocument);
    addEntry(file, C::ExportHtml, QStringLiteral("GeneriereHTMLDatei1"), QStringLiteral("Generiere HTML-Datei"))->setVisible(false);
    file->addSeparator();
    addEntry(file, C::Options, QStringLiteral("Optionen1"), QStringLiteral("Optionen"));
    file->addSeparator();
    addEntry(file, C::Exit, QStringLiteral("FileExit1"), QStringLiteral("&Beenden"), {}, QStringLiteral("Beenden|Das Programm beenden"));

    QMenu *edit = menu(QStringLiteral("Edit1"), QStringLiteral("B&earbeiten"), QStringLiteral("Anweisungen zur Bearbeitung"));
    addEntry(edit, C::Cut, QStringLiteral("EditCut1"), QStringLiteral("&Ausschneiden"), QKeySequence(Qt::CTRL | Qt::Key_X),
             QStringLiteral("Ausschneiden|Das markierte Objekt in die Zwischenablage verschieben"), CommandRule::NeedsSelection);
    addEntry(edit, C::Copy, QStringLiteral("EditCopy1"), QStringLiteral("&Kopieren"), QKeySequence(Qt::CTRL | Qt::Key_C),
             QStringLiteral("Kopieren|Das markierte Objekt in die Zwischenablage kopieren"), CommandRule::NeedsSelection);
    addEntry(edit, C::Paste, QStringLiteral("EditPaste1"), QStringLiteral("&Einfügen"), QKeySequence(Qt::CTRL | Qt::Key_V),
             QStringLiteral("Einfügen|Den Inhalt der Zwischenablage einfügen"), CommandRule::NeedsPastable);
    addEntry(edit, C::AsStandardFont, QStringLiteral("AlsStandardfont1"), QStringLiteral("Als Standardfont"));
    edit->addSeparator();
    addEntry(edit, C::InsertPicture, QStringLiteral("Bildeinfuegen1"), QStringLiteral("Bild einfügen"));
    addEntry(edit, C::InsertObject, QStringLiteral("Objekteinfuegen1"), QStringLiteral("Objekt einfügen"));
    edit->addSeparator();
    addEntry(edit, C::Find, QStringLiteral("Suchen1"), QStringLiteral("Suchen"), QKeySequence(QKeySequence::Find));
    connect(edit, &QMenu::aboutToShow, this, &TMainForm::updateClipboardCommands);

    QMenu *cards = menu(QStringLiteral("Karten1"), QStringLiteral("Karten"), QString());
    addEntry(cards, C::CopyCard, QStringLiteral("GanzeKartekopieren1"), QStringLiteral("Ganze Karte kopieren"));
    addEntry(cards, C::PasteCard, QStringLiteral("GanzeKarteeinfuegen1"), QStringLiteral("Ganze Karte einfügen"));
    addEntry(cards, C::MoveCard, QStringLiteral("PositionderKarteverschieben1"), QStringLiteral("Position der Karte verschieben"));

    m_windowMenu = menu(QStringLiteral("Window1"), QStringLiteral("&Fenster"), QStringLiteral("Fensterbezogene Anweisungen"));
    addEntry(m_windowMenu, C::Cascade, QStringLiteral("WindowCascade1"), QStringLiteral("Ü&berlappend"), {}, QStringLiteral("Überlappend"));
    addEntry(m_windowMenu, C::TileHorizontal, QStringLiteral("WindowTileHorizontal1"), QStringLiteral("Hori&zontal anordnen"), {},
             QStringLiteral("Horizontal anordnen"));
    addEntry(m_windowMenu, C::TileVertical, QStringLiteral("WindowTileVertical1"), QStringLiteral("&Vertikal anordnen"), {},
             QStringLiteral("Vertikal anordnen"));
    addEntry(m_windowMenu, C::MinimizeAll, QStringLiteral("WindowMinimizeAll1"), QStringLiteral("&Alle verkleinern"), {},
             QStringLiteral("Alle verkleinern"));
    addEntry(m_windowMenu, C::ArrangeAll, QStringLiteral("WindowArrangeAll1"), QStringLiteral("Alle an&ordnen"), {},
             QStringLiteral("Alle anordnen"));
    connect(m_windowMenu, &QMenu::aboutToShow, this, &TMainForm::fillWindowMenu);

    QMenu *help = menu(QStringLiteral("Help1"), QStringLiteral("&Hilfe"), QStringLiteral("Hilfethemen"));
    addEntry(help, C::About, QStringLiteral("HelpAbout1"), QStringLiteral("&Info..."));
    help->addSeparator();
    addEntry(help, C::Manual, QStringLiteral("AnleitungimPDFFormat1"), QStringLiteral("Anleitung"));
}

QToolButton *TMainForm::addButton(QHBoxLayout *row, MainCommand command, const QString &name, const QString &icon, const QString &hint,
                                  CommandRule rule)
{
    CommandControls &controls = m_commands[size_t(command)];
    const auto shared =
        std::find_if(m_rules.cbegin(), m_rules.cend(), [&controls](const auto &pair) { return pair.first == controls.entry; });
    if (controls.entry && shared != m_rules.cend() && shared->second == rule) {
        // Same rule as the menu entry: one action for both.
        controls.button = controls.entry;
        if (controls.entry->statusTip().isEmpty())
            applyHint(controls.entry, hint);
    } else {
        controls.button = new QAction(this);
        applyHint(controls.button, hint);
        m_rules.append({controls.button, rule});
        // The button runs its menu entry, which may itself be unavailable.
        if (controls.entry)
            connect(controls.button, &QAction::triggered, controls.entry, &QAction::trigger);
    }
    controls.button->setIcon(ToolbarIcons::icon(icon));

    auto *button = new QToolButton(m_toolBar);
    button->setObjectName(name);
    button->setDefaultAction(controls.button);
    button->setAutoRaise(true);
    button->setIconSize(QSize(24, 24));
    button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    button->setFocusPolicy(Qt::NoFocus);
    row->addWidget(button);
    controls.widget = button;
    return button;
}

QToolButton *TMainForm::addColourButton(QHBoxLayout *row, const QString &name, const QString &icon, const QColor &colour,
                                        const QString &hint)
{
    auto *button = new QToolButton(m_toolBar);
    button->setObjectName(name);
    button->setAutoRaise(true);
    button->setIcon(ToolbarIcons::icon(icon, colour));
    button->setIconSize(QSize(24, 24));
    button->setFocusPolicy(Qt::NoFocus);
    button->setProperty("color", colour);
    button->setProperty("iconName", icon);
    applyHint(button, hint);
    row->addWidget(button);
    m_documentControls.append(button);
    return button;
}

void TMainForm::makeToolBar()
{
    m_toolBar = new QToolBar(QStringLiteral("Werkzeugleiste"), this);
    m_toolBar->setObjectName(QStringLiteral("ToolBar2"));
    m_toolBar->setMovable(false);
    m_toolBar->setFloatable(false);
    m_toolBar->toggleViewAction()->setEnabled(false);
    // The toolbar is part of the window, not something to switch off.
    m_toolBar->setContextMenuPolicy(Qt::PreventContextMenu);
    addToolBar(Qt::TopToolBarArea, m_toolBar);
    auto *rows = new QWidget(m_toolBar);
    rows->setObjectName(QStringLiteral("ToolBarRows"));
    QPalette palette = rows->palette();
    palette.setColor(QPalette::Window, QColor(192, 208, 224));
    rows->setPalette(palette);
    rows->setAutoFillBackground(true);
    m_toolBar->setStyleSheet(QStringLiteral("QToolBar#ToolBar2 { background: rgb(192, 208, 224); border: none; }"));
    m_toolBar->addWidget(rows);
    auto *rowsLayout = new QVBoxLayout(rows);
    rowsLayout->setContentsMargins(2, 2, 2, 2);
    rowsLayout->setSpacing(2);
    auto *first = new QHBoxLayout;
    auto *second = new QHBoxLayout;
    first->setSpacing(1);
    second->setSpacing(1);
    rowsLayout->addLayout(first);
    rowsLayout->addLayout(second);
    using C = MainCommand;
    const CommandRule always = CommandRule::Always;

    auto *maker = new QLabel(QStringLiteral("Tallowby"), rows);
    maker->setObjectName(QStringLiteral("MakerLabel"));
    maker->setFont(arialPixels(16, true, true));
    maker->setCursor(Qt::PointingHandCursor);
    maker->setContentsMargins(4, 0, 4, 0);
    first->addWidget(maker);
    first->addWidget(separator(rows));
    addButton(first, C::FileNew, QStringLiteral("ToolButton9"), QStringLiteral("new"), QStringLiteral("Neu|Neue Datei erstellen"), always);
    addButton(first, C::FileOpen, QStringLiteral("ToolButton1"), QStringLiteral("open"), QStringLiteral("Öffnen|Eine Datei öffnen"),
              always);
    addButton(first, C::Save, QStringLiteral("ToolButton26"), QStringLiteral("save"), QStringLiteral("Speichern"));
    first->addWidget(separator(rows));
    addButton(first, C::NewCard, QStringLiteral("ToolButton12"), QStringLiteral("newcard"), QStringLiteral("Neue Karte"));
    addButton(first, C::DeleteCard, QStringLiteral("ToolButton28"), QStringLiteral("deletecard"), QStringLiteral("Karte löschen"));
    addButton(first, C::Print, QStringLiteral("ToolButton29"), QStringLiteral("print"), QStringLiteral("Drucken"));
    first->addWidget(separator(rows));
    addButton(first, C::Cut, QStringLiteral("ToolButton4"), QStringLiteral("cut"), QStringLiteral("Ausschneiden"));
    addButton(first, C::Copy, QStringLiteral("ToolButton5"), QStringLiteral("copy"), QStringLiteral("Kopieren"));
    addButton(first, C::Paste, QStringLiteral("ToolButton7"), QStringLiteral("paste"), QStringLiteral("Einfügen"));
    first->addWidget(separator(rows));
    addButton(first, C::Cascade, QStringLiteral("ToolButton8"), QStringLiteral("cascade"), QStringLiteral("Überlappend"));
    addButton(first, C::TileHorizontal, QStringLiteral("ToolButton10"), QStringLiteral("tileh"), QStringLiteral("Horizontal anordnen"));
    addButton(first, C::TileVertical, QStringLiteral("ToolButton11"), QStringLiteral("tilev"), QStringLiteral("Vertikal anordnen"));
    first->addWidget(separator(rows));
    addButton(first, C::Bold, QStringLiteral("ToolButton14"), QStringLiteral("bold"), QStringLiteral("Fett"));
    addButton(first, C::Underline, QStringLiteral("ToolButton16"), QStringLiteral("underline"), QStringLiteral("Unterstrichen"));
    addButton(first, C::Italic, QStringLiteral("ToolButton15"), QStringLiteral("italic"), QStringLiteral("Kursiv"));
    first->addStretch();

    m_fontCombo = new QFontComboBox(rows);
    m_fontCombo->setObjectName(QStringLiteral("FontCombo"));
    m_fontCombo->setFixedWidth(121);
    m_fontCombo->setFocusPolicy(Qt::ClickFocus);
    applyHint(m_fontCombo, QStringLiteral("Schriftart wählen"));
    second->addWidget(m_fontCombo);
    m_fontSize = new QSpinBox(rows);
    m_fontSize->setObjectName(QStringLiteral("FontSize"));
    m_fontSize->setRange(2, 2000);
    m_fontSize->setValue(12);
    m_fontSize->setFocusPolicy(Qt::ClickFocus);
    applyHint(m_fontSize, QStringLiteral("Schriftgrösse wählen"));
    second->addWidget(m_fontSize);
    m_documentControls << m_fontCombo << m_fontSize;
    m_textColorButton = addColourButton(second, QStringLiteral("ColorPickerButton1"), QStringLiteral("textcolor"), Qt::black,
                                        QStringLiteral("Schriftfarbe wählen"));
    m_backColorButton = addColourButton(second, QStringLiteral("ColorPickerButton2"), QStringLiteral("backcolor"), Qt::white,
                                        QStringLiteral("HIntergrundfarbe wählen"));
    addButton(second, C::TextColorDialog, QStringLiteral("ToolButton2"), QStringLiteral("textcolor"), QStringLiteral("Schriftfarbe wählen"))
        ->setVisible(false);
    addButton(second, C::BackColorDialog, QStringLiteral("ToolButton27"), QStringLiteral("backcolor"),
              QStringLiteral("Hintergrundfarbe wählen"))
        ->setVisible(false);
    second->addWidget(separator(rows));
    // The left button is not one of the numbered ones and stays usable.
    addButton(second, C::AlignLeft, QStringLiteral("AlignLeft"), QStringLiteral("alignleft"), QStringLiteral("Links zentrieren"), always)
        ->setProperty("tag", 0);
    addButton(second, C::AlignCenter, QStringLiteral("ToolButton20"), QStringLiteral("aligncenter"), QStringLiteral("Mittig zentrieren"))
        ->setProperty("tag", 2);
    addButton(second, C::AlignRight, QStringLiteral("ToolButton21"), QStringLiteral("alignright"), QStringLiteral("Rechts zentrieren"))
        ->setProperty("tag", 1);
    second->addWidget(separator(rows));
    addButton(second, C::InsertPicture, QStringLiteral("ToolButton19"), QStringLiteral("picture"), QStringLiteral("Bild einfügen"));
    addButton(second, C::InsertObject, QStringLiteral("ToolButton23"), QStringLiteral("object"), QStringLiteral("Objekt einfügen"));
    addButton(second, C::Bullets, QStringLiteral("ToolButton24"), QStringLiteral("numbering"), QStringLiteral("Nummerierung"));
    second->addWidget(separator(rows));
    addButton(second, C::Undo, QStringLiteral("ToolButton32"), QStringLiteral("undo"), QStringLiteral("Änderung rückgängig machen"));
    addButton(second, C::Redo, QStringLiteral("ToolButton33"), QStringLiteral("redo"), QStringLiteral("Änderung wiederherstellen"));
    second->addStretch();
}

QAction *TMainForm::action(MainCommand command) const
{
    const CommandControls &controls = m_commands[size_t(command)];
    return controls.entry ? controls.entry : controls.button;
}

QToolButton *TMainForm::button(MainCommand command) const
{
    return m_commands[size_t(command)].widget;
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
    on(C::Cut, &TMainForm::EditCut);
    on(C::Copy, &TMainForm::EditCopy);
    on(C::Paste, &TMainForm::EditPaste);
    on(C::InsertPicture, &TMainForm::Bildeinfuegen);
    on(C::InsertObject, &TMainForm::Objekteinfuegen);
    on(C::Find, &TMainForm::Suchen);
    on(C::CopyCard, &TMainForm::GanzeKartekopieren);
    on(C::PasteCard, &TMainForm::GanzeKarteeinfuegen);
    on(C::MoveCard, &TMainForm::PositionderKarteverschieben);
    on(C::Cascade, &TMainForm::WindowCascade);
    on(C::TileHorizontal, &TMainForm::WindowTileHorizontal);
    on(C::TileVertical, &TMainForm::WindowTileVertical);
    on(C::MinimizeAll, &TMainForm::WindowMinimizeAll);
    on(C::ArrangeAll, &TMainForm::WindowArrangeAll);
    connect(action(C::About), &QAction::triggered, m_aboutBox, &TAboutBox::showCentred);
    connect(action(C::Options), &QAction::triggered, m_allgOpts, &TAllgOpts::showOptions);
    on(C::Print, &TMainForm::Print);
    connect(m_allgOpts, &TAllgOpts::testPageRequested, this, &TMainForm::PrintTestPage);
    connect(m_printForm, &TPrintForm::printerSetupRequested, this, [this] {
        QPrintDialog dialog(m_printer.get(), m_printForm);
        dialog.setWindowTitle(QStringLiteral("Drucker einrichten"));
        dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
        dialog.exec();
    });
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

    connect(m_fontCombo, &QFontComboBox::currentFontChanged, this, [this](const QFont &font) {
        TMDIChild *document = ActiveDocument();
        if (!UpdatingToolbar && document)
            document->applyFontName(font.family());
    });
    connect(m_fontSize, &QSpinBox::valueChanged, this, [this](int points) {
        TMDIChild *document = ActiveDocument();
        if (!UpdatingToolbar && document)
            document->applyFontSize(points);
    });
    addColourMenu(m_textColorButton, [](TMDIChild *document, const QColor &color) { document->applyTextColor(color); });
    addColourMenu(m_backColorButton, [](TMDIChild *document, const QColor &color) { document->applyBackColor(color); });
}

void TMainForm::runRequest(TMDIChild::Request request)
{
    using R = TMDIChild::Request;
    using C = MainCommand;
    // Keys and context menu entries run the command as its toolbar button
    // or menu entry does.
    const auto run = [this](MainCommand command) {
        const CommandControls &controls = m_commands[size_t(command)];
        (controls.button ? controls.button : controls.entry)->trigger();
    };
    switch (request) {
    case R::NewCard: run(C::NewCard); break;
    case R::Bullets: run(C::Bullets); break;
    case R::Bold: run(C::Bold); break;
    case R::Italic: run(C::Italic); break;
    case R::Underline: run(C::Underline); break;
    case R::CopyCard: run(C::CopyCard); break;
    case R::PasteCard: run(C::PasteCard); break;
    case R::MoveCard: run(C::MoveCard); break;
    case R::AsStandardFont: run(C::AsStandardFont); break;
    case R::InsertPicture: run(C::InsertPicture); break;
    case R::InsertObject: run(C::InsertObject); break;
    }
}

void TMainForm::Quiz()
{
    TMDIChild *document = ActiveDocument();
    if (!document)
        return;
    // Edits not yet stored take part in the quiz.
    document->StoreCurrentCard();
    QuizCommand::run(document->Set(), this, document->Vorderseite()->size(), Random);
}

void TMainForm::Print()
{
    TMDIChild *document = ActiveDocument();
    if (!document)
        return;
    document->StoreCurrentCard();
    PrintRun run(*m_printer, Settings, {m_printForm, m_druckForm, this});
    run.selectCard = [document](int position) { document->selectCard(position); };
    run.askOutputFile = [this] { return askPrintFile(this); };
    if (run.run(document->Set(), document->PortraitFlag() ? PageOrientation::Portrait : PageOrientation::Landscape)
        == PrintRun::Outcome::Failed)
        m_dialogs->warning(this, printFailedMessage(), run.failure());
}

void TMainForm::PrintTestPage()
{
    PrintRun run(*m_printer, Settings, {m_printForm, m_druckForm, this});
    run.askOutputFile = [this] { return askPrintFile(m_allgOpts); };
    if (!run.printTestPage())
        m_dialogs->warning(m_allgOpts, printFailedMessage(), run.failure());
}

QString TMainForm::askPrintFile(QWidget *parent)
{
    return m_dialogs->saveFileName(parent, QStringLiteral("Drucken in Datei"),
                                   QStringLiteral("PDF - Dateien (*.pdf)|*.pdf|Alle Dateien (*.*)|*.*"), QStringLiteral("pdf"), QString());
}

QString TMainForm::printFailedMessage()
{
    return QStringLiteral("Beim Drucken trat ein Fehler auf.") + QChar(13) + QStringLiteral("Der Druck wurde abgebrochen.");
}

void TMainForm::UpdateCommandStates(bool closing)
{
    const bool enabled = CommandStateRules::documentCommandsEnabled(int(m_documents.size()), closing);
    for (const auto &[control, rule] : std::as_const(m_rules)) {
        if (rule == CommandRule::NeedsDocument)
            control->setEnabled(enabled);
    }
    for (QWidget *control : std::as_const(m_documentControls))
        control->setEnabled(enabled);
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

TMDIChild *TMainForm::createDocument()
{
    auto *document = new TMDIChild(m_context, m_printer.get(), m_dialogs);
    document->useSettings(&Settings);
    QMdiSubWindow *sub = m_mdiArea->addSubWindow(document);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->resize(sub->sizeHint().expandedTo(QSize(676, 483)));
    m_documents.append(document);
    connect(document, &TMDIChild::documentClosed, this, &TMainForm::documentClosed);
    connect(document, &TMDIChild::requested, this, &TMainForm::runRequest);
    connect(document, &TMDIChild::VorderseiteSelectionChange, this, &TMainForm::VorderseiteSelectionChange);
    sub->show();
    // Qt's own placement puts a third window partly below the work area.
    const int step = sub->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, sub);
    sub->setGeometry(WindowTiling::cascaded(m_mdiArea->viewport()->rect(), sub->size(), int(m_documents.size()) - 1, step));
    m_mdiArea->setActiveSubWindow(sub);
    return document;
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
        TMDIChild *document = createDocument();
        document->prepareNewSet(path);
        return document;
    }

    BusyCursor busy;
    TMDIChild *document = createDocument();
    document->setCaption(CardSetFile::fileNamePart(CardSetFile::changeExtension(name, QStringLiteral(".QL3"))));
    CardSet &set = document->Set();
    const FileResult result = CardSetFile::LoadCardSet(set, name, m_context);
    if (result.outcome == FileResult::Outcome::WrongExtension || result.outcome == FileResult::Outcome::FileMissing) {
        busy.restore();
        m_dialogs->information(this, FileMessages::forLoad(result, name));
        if (QMdiSubWindow *sub = subWindowOf(document))
            sub->close();
        return nullptr;
    }
    if (!result.ok()) {
        // The window stays with what was read.
        document->setCaption(FileMessages::loadFailedCaption());
        busy.restore();
        m_dialogs->warning(this, FileMessages::forLoad(result, name), result.reason);
        document->showLoadedSet();
        return document;
    }
    // On a file system that tells letter cases apart, "x.ql3" and "x.QL3"
    // are two files: a save must go back to the file opened.
    if (CardSetFile::upperExtension(name) == QLatin1String(".QL3"))
        set.setFileName(name);
    document->showLoadedSet();
    if (CardSetFile::isLegacyPath(name)) {
        busy.restore();
        m_dialogs->information(this, FileMessages::legacyImportedMessage());
    }
    return document;
}

TMDIChild *TMainForm::importWordList(const QString &path)
{
    std::unique_ptr<CardSetDocument> imported = WordListCommands::importList(this, *m_dialogs, path, newSetPictureWidth());
    TMDIChild *document = imported ? showImported(std::move(imported)) : nullptr;
    UpdateCommandStates(false);
    return document;
}

qreal TMainForm::newSetPictureWidth() const
{
    QPageLayout layout = m_printer->pageLayout();
    layout.setOrientation(CardSetDocument::newSetOrientation() == PageOrientation::Portrait ? QPageLayout::Portrait
                                                                                            : QPageLayout::Landscape);
    const PrinterMetrics metrics = PrinterMetrics::fromPageLayout(layout, m_printer->resolution());
    const QSize client = EditorFit::clientSize(CardSetDocument::newSetOptions(), Settings.calibration(), metrics, m_printer.get(), this);
    // Less the margin QTextDocument keeps on either side.
    return client.width() - 2 * 4;
}

TMDIChild *TMainForm::showImported(std::unique_ptr<CardSetDocument> document)
{
    BusyCursor busy;
    TMDIChild *window = createDocument();
    window->prepareNewSet(document->fileName());
    const CardSet &imported = document->set();
    QList<Card> cards;
    for (int i = 0; i < imported.count(); ++i)
        cards.append(imported.card(i));
    window->Set().replaceCards(std::move(cards));
    window->selectCard(0);
    return window;
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
    const FileResult result = CardSetFile::SaveCardSet(set, path, m_context, [document] { document->StoreCurrentCard(); });
    if (result.ok())
        return;
    busy.restore();
    m_dialogs->warning(this, FileMessages::forSave(result, set.FileName(), command), result.reason);
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
    const int entry = m_fontCombo->findText(font.family());
    m_fontCombo->setCurrentIndex(entry);
    // A font that is only substituted here (Arial by Liberation Sans) has
    // no entry, but the user still learns its name.
    if (entry < 0)
        m_fontCombo->setEditText(font.family());
    if (font.pointSizeF() > 0)
        m_fontSize->setValue(qRound(font.pointSizeF()));
    UpdatingToolbar = false;
}

void TMainForm::Bildeinfuegen()
{
    const QString path = m_dialogs->openPictureFileName(this, FacePictures::fileDialogFilter());
    if (path.isEmpty())
        return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_dialogs->warning(this, QStringLiteral("Die Datei \"%1\" kann nicht gelesen werden.").arg(QFileInfo(path).fileName()));
        return;
    }
    const QByteArray bytes = file.readAll();
    TMyRxRichEdit *face = ActiveFace();
    // Wider pictures are shown at the width of the card.
    const qreal maxWidth = face ? face->viewport()->width() - 2 * face->document()->documentMargin() : 0;

    // Read once into a scratch face first: a file that is no picture is
    // reported before the clipboard or a face changes.
    QTextDocument picture;
    QTextCursor cursor(&picture);
    QString failure;
    if (!FacePictures::insertFile(cursor, bytes, path, maxWidth, &failure)) {
        m_dialogs->warning(this, failure);
        return;
    }
    auto *data = new QMimeData;
    const QByteArray rtf = RtfWriter::write(picture);
    for (const QString &type : TMyRxRichEdit::rtfMimeTypes())
        data->setData(type, rtf);
    QTextCursor first(&picture);
    first.setPosition(1);
    const QVariant image = picture.resource(QTextDocument::ImageResource, QUrl(first.charFormat().toImageFormat().name()));
    if (image.canConvert<QImage>())
        data->setImageData(image);
    QApplication::clipboard()->setMimeData(data);

    if (!face)
        return;
    // Into the face from the file's bytes, which a photo keeps as they are;
    // the clipboard's picture would be a decoded copy.
    QTextCursor caret = face->textCursor();
    FacePictures::insertFile(caret, bytes, path, maxWidth, nullptr);
    face->setTextCursor(caret);
    face->ensureCursorVisible();
}

void TMainForm::Objekteinfuegen()
{
    TMyRxRichEdit *face = ActiveFace();
    if (!face)
        return;
    const QString path = m_dialogs->openFileName(this, QStringLiteral("Alle Dateien (*.*)|*.*"), QString());
    if (path.isEmpty())
        return;
    QTextCursor caret = face->textCursor();
    QString failure;
    if (!PackageObject::insertFile(caret, path, &failure)) {
        m_dialogs->warning(this, failure);
        return;
    }
    face->setTextCursor(caret);
    face->ensureCursorVisible();
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

void TMainForm::EditCut()
{
    if (QWidget *control = textControl(QApplication::focusWidget()))
        QMetaObject::invokeMethod(control, "cut");
}

void TMainForm::EditCopy()
{
    if (QWidget *control = textControl(QApplication::focusWidget()))
        QMetaObject::invokeMethod(control, "copy");
}

void TMainForm::EditPaste()
{
    if (QWidget *control = textControl(QApplication::focusWidget()))
        QMetaObject::invokeMethod(control, "paste");
}

void TMainForm::watchFocus(QWidget *focus)
{
    if (m_selectionConnection)
        disconnect(m_selectionConnection);
    QWidget *control = textControl(focus);
    m_watchedFocus = control;
    if (auto *edit = qobject_cast<QLineEdit *>(control))
        m_selectionConnection = connect(edit, &QLineEdit::selectionChanged, this, &TMainForm::updateClipboardCommands);
    else if (auto *edit = qobject_cast<QTextEdit *>(control))
        m_selectionConnection = connect(edit, &QTextEdit::selectionChanged, this, &TMainForm::updateClipboardCommands);
    else if (auto *edit = qobject_cast<QPlainTextEdit *>(control))
        m_selectionConnection = connect(edit, &QPlainTextEdit::selectionChanged, this, &TMainForm::updateClipboardCommands);
    updateClipboardCommands();
}

void TMainForm::updateClipboardCommands()
{
    QWidget *control = textControl(QApplication::focusWidget());
    const bool selected = control && hasSelection(control);
    bool pastable = false;
    if (control) {
        if (const QMimeData *data = QApplication::clipboard()->mimeData())
            pastable = data->hasText() || (qobject_cast<TMyRxRichEdit *>(control) && (data->hasImage() || data->hasHtml()));
    }
    for (const auto &[control, rule] : std::as_const(m_rules)) {
        if (rule == CommandRule::NeedsSelection)
            control->setEnabled(selected);
        else if (rule == CommandRule::NeedsPastable)
            control->setEnabled(pastable);
    }
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

QList<QMdiSubWindow *> TMainForm::shownSubWindows(bool minimised) const
{
    QList<QMdiSubWindow *> result;
    for (QMdiSubWindow *sub : m_mdiArea->subWindowList(QMdiArea::CreationOrder)) {
        auto *document = qobject_cast<TMDIChild *>(sub->widget());
        if (!document || !m_documents.contains(document) || sub->isHidden())
            continue;
        if (sub->isMinimized() == minimised)
            result.append(sub);
    }
    return result;
}

void TMainForm::WindowCascade()
{
    m_mdiArea->cascadeSubWindows();
}

void TMainForm::WindowTileHorizontal()
{
    const QList<QMdiSubWindow *> windows = shownSubWindows(false);
    const QList<QRect> places = WindowTiling::horizontal(m_mdiArea->viewport()->rect(), int(windows.size()));
    for (qsizetype i = 0; i < windows.size(); ++i) {
        windows.at(i)->showNormal();
        windows.at(i)->setGeometry(places.at(i));
    }
}

void TMainForm::WindowTileVertical()
{
    const QList<QMdiSubWindow *> windows = shownSubWindows(false);
    const QList<QRect> places = WindowTiling::vertical(m_mdiArea->viewport()->rect(), int(windows.size()));
    for (qsizetype i = 0; i < windows.size(); ++i) {
        windows.at(i)->showNormal();
        windows.at(i)->setGeometry(places.at(i));
    }
}

void TMainForm::WindowMinimizeAll()
{
    for (QMdiSubWindow *sub : shownSubWindows(false))
        sub->showMinimized();
}

void TMainForm::WindowArrangeAll()
{
    const QList<QMdiSubWindow *> icons = shownSubWindows(true);
    if (icons.isEmpty())
        return;
    const QList<QRect> places = WindowTiling::iconRow(m_mdiArea->viewport()->rect(), icons.constFirst()->size(), int(icons.size()));
    for (qsizetype i = 0; i < icons.size(); ++i)
        icons.at(i)->move(places.at(i).topLeft());
}

void TMainForm::fillWindowMenu()
{
    for (QAction *entry : std::as_const(m_windowListEntries)) {
        m_windowMenu->removeAction(entry);
        entry->deleteLater();
    }
    m_windowListEntries.clear();
    const QList<QMdiSubWindow *> windows = m_mdiArea->subWindowList(QMdiArea::CreationOrder);
    int number = 0;
    for (QMdiSubWindow *sub : windows) {
        auto *document = qobject_cast<TMDIChild *>(sub->widget());
        if (!document || !m_documents.contains(document))
            continue;
        if (number == 0)
            m_windowListEntries.append(m_windowMenu->addSeparator());
        ++number;
        QString title = document->caption();
        title.replace(QLatin1Char('&'), QStringLiteral("&&"));
        // The list marks unsaved sets as their windows' titles do.
        if (document->Modified())
            title += QLatin1Char('*');
        QAction *entry = m_windowMenu->addAction(number < 10 ? QStringLiteral("&%1 %2").arg(number).arg(title)
                                                             : QStringLiteral("%1 %2").arg(number).arg(title));
        entry->setObjectName(QStringLiteral("WindowListEntry%1").arg(number));
        entry->setCheckable(true);
        entry->setChecked(document == ActiveDocument());
        connect(entry, &QAction::triggered, this, [this, sub] {
            if (sub->isMinimized())
                sub->showNormal();
            m_mdiArea->setActiveSubWindow(sub);
        });
        m_windowListEntries.append(entry);
    }
}

namespace {

// The card sets and word lists among dropped files.
QStringList droppedFiles(const QMimeData *data)
{
    QStringList files;
    for (const QUrl &url : data->urls()) {
        const QString extension = CardSetFile::upperExtension(url.toLocalFile());
        if (url.isLocalFile()
            && (extension == QLatin1String(".QL3") || extension == QLatin1String(".QLA")
                || WordListCommands::isWordList(url.toLocalFile())))
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
        if (WordListCommands::isWordList(file))
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
