#include "app/TMainForm.h"

#include "editor/CardSearch.h"
#include "app/CommandStateRules.h"
#include "app/FileAssociation.h"
#include "richtext/FacePictures.h"
#include "cardset/FileError.h"
#include "editor/FindDialog.h"
#include "app/HelpCommands.h"
#include "export/HtmlExport.h"
#include "cardset/LegacyCardSetImport.h"
#include "editor/PackageObject.h"
#include "app/ProgramFolder.h"
#include "editor/ProgramPictures.h"
#include "quiz/QuizCommand.h"
#include "richtext/RtfReader.h"
#include "richtext/RtfWriter.h"
#include "cardset/ScratchFile.h"
#include "app/StartupSequence.h"
#include "app/TAboutBox.h"
#include "editor/TMDIChild.h"
#include "editor/TMyRxRichEdit.h"
#include "editor/TVerschieben.h"
#include "app/ToolbarIcons.h"
#include "editor/UserDialogs.h"
#include "app/WindowTiling.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QSpinBox>
#include <QStatusBar>
#include <QTextEdit>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// The busy cursor of a command, taken back before any message and at the end.
class BusyCursor
{
public:
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { restore(); }
    void restore()
    {
        if (m_active)
            QApplication::restoreOverrideCursor();
        m_active = false;
    }

private:
    bool m_active = true;
};

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
    , m_printer(std::make_unique<QPrinter>())
    , m_dialogs(&UserDialogs::standard())
{
    setObjectName(QStringLiteral("MainForm"));
    ProgramPictures::setLocator([](const QString &name) { return ProgramFolder::filePath(name); });
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
    updateClipboardCommands();
    UpdateCommandStates(false);

    m_aboutBox = new TAboutBox(this);
    m_verschieben = new TVerschieben(this);
    m_findDialog = new FindDialog(this);
    connect(m_findDialog, &FindDialog::FindDialogFind, this, &TMainForm::FindDialogFind);
    wireFormatting();
    connect(action(QStringLiteral("HelpAbout1")), &QAction::triggered, m_aboutBox, &TAboutBox::showCentred);
    connect(action(QStringLiteral("AnleitungimPDFFormat1")), &QAction::triggered, this, [] { HelpCommands::openManual(); });
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

QAction *TMainForm::addEntry(QMenu *menu, const QString &name, const QString &caption, const QKeySequence &keys,
                             const QString &hint)
{
    QAction *entry = menu->addAction(caption);
    entry->setObjectName(name);
    if (!keys.isEmpty())
        entry->setShortcut(keys);
    applyHint(entry, hint);
    m_actions.insert(name, entry);
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

    QMenu *file = menu(QStringLiteral("File1"), QStringLiteral("&Datei"), QStringLiteral("Dateibefehle"));
    connect(addEntry(file, QStringLiteral("FileNew1"), QStringLiteral("&Neu"), QKeySequence(Qt::CTRL | Qt::Key_N),
                     QStringLiteral("Neu|Neue Datei erstellen")),
            &QAction::triggered, this, &TMainForm::FileNew);
    connect(addEntry(file, QStringLiteral("FileOpen1"), QStringLiteral("Ö&ffnen"), QKeySequence(Qt::CTRL | Qt::Key_O),
                     QStringLiteral("Öffnen|Eine Datei öffnen")),
            &QAction::triggered, this, &TMainForm::FileOpen);
    connect(addEntry(file, QStringLiteral("FileClose1"), QStringLiteral("S&chließen"), {},
                     QStringLiteral("Schließen|Aktuelle Datei schließen")),
            &QAction::triggered, this, &TMainForm::FileClose);
    // The menu entry clicks the toolbar button, so both share one state.
    connect(addEntry(file, QStringLiteral("Speichern1"), QStringLiteral("Speichern")), &QAction::triggered, this,
            [this] { runCommand(QStringLiteral("ToolButton26")); });
    connect(addEntry(file, QStringLiteral("Speichernunter1"), QStringLiteral("Speichern unter")), &QAction::triggered, this,
            &TMainForm::SaveAs);
    addEntry(file, QStringLiteral("Drucken1"), QStringLiteral("Drucken"));
    file->addSeparator();
    connect(addEntry(file, QStringLiteral("Quiz1"), QStringLiteral("Abfragen")), &QAction::triggered, this, &TMainForm::Quiz);
    QAction *html = addEntry(file, QStringLiteral("GeneriereHTMLDatei1"), QStringLiteral("Generiere HTML-Datei"));
    html->setVisible(false);
    connect(html, &QAction::triggered, this, &TMainForm::GeneriereHTMLDatei);
    file->addSeparator();
    addEntry(file, QStringLiteral("Optionen1"), QStringLiteral("Optionen"));
    file->addSeparator();
    connect(addEntry(file, QStringLiteral("FileExit1"), QStringLiteral("&Beenden"), {}, QStringLiteral("Beenden|Das Programm beenden")),
            &QAction::triggered, this, &QWidget::close);

    QMenu *edit = menu(QStringLiteral("Edit1"), QStringLiteral("B&earbeiten"), QStringLiteral("Anweisungen zur Bearbeitung"));
    connect(addEntry(edit, QStringLiteral("EditCut1"), QStringLiteral("&Ausschneiden"), QKeySequence(Qt::CTRL | Qt::Key_X),
                     QStringLiteral("Ausschneiden|Das markierte Objekt in die Zwischenablage verschieben")),
            &QAction::triggered, this, &TMainForm::EditCut);
    connect(addEntry(edit, QStringLiteral("EditCopy1"), QStringLiteral("&Kopieren"), QKeySequence(Qt::CTRL | Qt::Key_C),
                     QStringLiteral("Kopieren|Das markierte Objekt in die Zwischenablage kopieren")),
            &QAction::triggered, this, &TMainForm::EditCopy);
    connect(addEntry(edit, QStringLiteral("EditPaste1"), QStringLiteral("&Einfügen"), QKeySequence(Qt::CTRL | Qt::Key_V),
                     QStringLiteral("Einfügen|Den Inhalt der Zwischenablage einfügen")),
            &QAction::triggered, this, &TMainForm::EditPaste);
    addEntry(edit, QStringLiteral("AlsStandardfont1"), QStringLiteral("Als Standardfont"));
    edit->addSeparator();
    connect(addEntry(edit, QStringLiteral("Bildeinfuegen1"), QStringLiteral("Bild einfügen")), &QAction::triggered, this,
            &TMainForm::Bildeinfuegen);
    connect(addEntry(edit, QStringLiteral("Objekteinfuegen1"), QStringLiteral("Objekt einfügen")), &QAction::triggered, this,
            &TMainForm::Objekteinfuegen);
    edit->addSeparator();
    connect(addEntry(edit, QStringLiteral("Suchen1"), QStringLiteral("Suchen"), QKeySequence(Qt::CTRL | Qt::Key_F)),
            &QAction::triggered, this, &TMainForm::Suchen);
    connect(edit, &QMenu::aboutToShow, this, &TMainForm::updateClipboardCommands);

    QMenu *cards = menu(QStringLiteral("Karten1"), QStringLiteral("Karten"), QString());
    connect(addEntry(cards, QStringLiteral("GanzeKartekopieren1"), QStringLiteral("Ganze Karte kopieren")), &QAction::triggered, this,
            &TMainForm::GanzeKartekopieren);
    connect(addEntry(cards, QStringLiteral("GanzeKarteeinfuegen1"), QStringLiteral("Ganze Karte einfügen")), &QAction::triggered, this,
            &TMainForm::GanzeKarteeinfuegen);
    connect(addEntry(cards, QStringLiteral("PositionderKarteverschieben1"), QStringLiteral("Position der Karte verschieben")),
            &QAction::triggered, this, &TMainForm::PositionderKarteverschieben);

    m_windowMenu = menu(QStringLiteral("Window1"), QStringLiteral("&Fenster"), QStringLiteral("Fensterbezogene Anweisungen"));
    connect(addEntry(m_windowMenu, QStringLiteral("WindowCascade1"), QStringLiteral("Ü&berlappend"), {}, QStringLiteral("Überlappend")),
            &QAction::triggered, this, &TMainForm::WindowCascade);
    connect(addEntry(m_windowMenu, QStringLiteral("WindowTileHorizontal1"), QStringLiteral("Hori&zontal anordnen"), {},
                     QStringLiteral("Horizontal anordnen")),
            &QAction::triggered, this, &TMainForm::WindowTileHorizontal);
    connect(addEntry(m_windowMenu, QStringLiteral("WindowTileVertical1"), QStringLiteral("&Vertikal anordnen"), {},
                     QStringLiteral("Vertikal anordnen")),
            &QAction::triggered, this, &TMainForm::WindowTileVertical);
    connect(addEntry(m_windowMenu, QStringLiteral("WindowMinimizeAll1"), QStringLiteral("&Alle verkleinern"), {},
                     QStringLiteral("Alle verkleinern")),
            &QAction::triggered, this, &TMainForm::WindowMinimizeAll);
    connect(addEntry(m_windowMenu, QStringLiteral("WindowArrangeAll1"), QStringLiteral("Alle an&ordnen"), {},
                     QStringLiteral("Alle anordnen")),
            &QAction::triggered, this, &TMainForm::WindowArrangeAll);
    connect(m_windowMenu, &QMenu::aboutToShow, this, &TMainForm::fillWindowMenu);

    QMenu *help = menu(QStringLiteral("Help1"), QStringLiteral("&Hilfe"), QStringLiteral("Hilfethemen"));
    addEntry(help, QStringLiteral("HelpAbout1"), QStringLiteral("&Info..."));
    help->addSeparator();
    addEntry(help, QStringLiteral("AnleitungimPDFFormat1"), QStringLiteral("Anleitung"));
}

QAbstractButton *TMainForm::addButton(QHBoxLayout *row, const QString &name, const QString &icon, const QString &hint)
{
    auto *button = new QToolButton(m_toolBar);
    button->setObjectName(name);
    button->setAutoRaise(true);
    button->setIcon(ToolbarIcons::icon(icon));
    button->setIconSize(QSize(24, 24));
    button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    button->setFocusPolicy(Qt::NoFocus);
    applyHint(button, hint);
    row->addWidget(button);
    m_buttons.insert(name, button);
    if (CommandStateRules::isRuledToolButton(name))
        m_ruledControls.append(button);
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

    auto *maker = new QLabel(QStringLiteral("Tallowby"), rows);
    maker->setObjectName(QStringLiteral("MakerLabel"));
    maker->setFont(arialPixels(16, true, true));
    maker->setCursor(Qt::PointingHandCursor);
    maker->setContentsMargins(4, 0, 4, 0);
    first->addWidget(maker);
    first->addWidget(separator(rows));
    connect(addButton(first, QStringLiteral("ToolButton9"), QStringLiteral("new"), QStringLiteral("Neu|Neue Datei erstellen")),
            &QAbstractButton::clicked, this, &TMainForm::FileNew);
    connect(addButton(first, QStringLiteral("ToolButton1"), QStringLiteral("open"), QStringLiteral("Öffnen|Eine Datei öffnen")),
            &QAbstractButton::clicked, this, &TMainForm::FileOpen);
    connect(addButton(first, QStringLiteral("ToolButton26"), QStringLiteral("save"), QStringLiteral("Speichern")),
            &QAbstractButton::clicked, this, &TMainForm::Save);
    first->addWidget(separator(rows));
    connect(addButton(first, QStringLiteral("ToolButton12"), QStringLiteral("newcard"), QStringLiteral("Neue Karte")),
            &QAbstractButton::clicked, this, &TMainForm::NewCard);
    connect(addButton(first, QStringLiteral("ToolButton28"), QStringLiteral("deletecard"), QStringLiteral("Karte löschen")),
            &QAbstractButton::clicked, this, &TMainForm::DeleteCard);
    addButton(first, QStringLiteral("ToolButton29"), QStringLiteral("print"), QStringLiteral("Drucken"));
    first->addWidget(separator(rows));
    connect(addButton(first, QStringLiteral("ToolButton4"), QStringLiteral("cut"), QStringLiteral("Ausschneiden")),
            &QAbstractButton::clicked, this, [this] { runCommand(QStringLiteral("EditCut1")); });
    connect(addButton(first, QStringLiteral("ToolButton5"), QStringLiteral("copy"), QStringLiteral("Kopieren")),
            &QAbstractButton::clicked, this, [this] { runCommand(QStringLiteral("EditCopy1")); });
    connect(addButton(first, QStringLiteral("ToolButton7"), QStringLiteral("paste"), QStringLiteral("Einfügen")),
            &QAbstractButton::clicked, this, [this] { runCommand(QStringLiteral("EditPaste1")); });
    first->addWidget(separator(rows));
    connect(addButton(first, QStringLiteral("ToolButton8"), QStringLiteral("cascade"), QStringLiteral("Überlappend")),
            &QAbstractButton::clicked, this, &TMainForm::WindowCascade);
    connect(addButton(first, QStringLiteral("ToolButton10"), QStringLiteral("tileh"), QStringLiteral("Horizontal anordnen")),
            &QAbstractButton::clicked, this, &TMainForm::WindowTileHorizontal);
    connect(addButton(first, QStringLiteral("ToolButton11"), QStringLiteral("tilev"), QStringLiteral("Vertikal anordnen")),
            &QAbstractButton::clicked, this, &TMainForm::WindowTileVertical);
    first->addWidget(separator(rows));
    addButton(first, QStringLiteral("ToolButton14"), QStringLiteral("bold"), QStringLiteral("Fett"));
    addButton(first, QStringLiteral("ToolButton16"), QStringLiteral("underline"), QStringLiteral("Unterstrichen"));
    addButton(first, QStringLiteral("ToolButton15"), QStringLiteral("italic"), QStringLiteral("Kursiv"));
    first->addStretch();

    auto *fontCombo = new QFontComboBox(rows);
    fontCombo->setObjectName(QStringLiteral("FontCombo"));
    fontCombo->setFixedWidth(121);
    fontCombo->setFocusPolicy(Qt::ClickFocus);
    applyHint(fontCombo, QStringLiteral("Schriftart wählen"));
    second->addWidget(fontCombo);
    auto *fontSize = new QSpinBox(rows);
    fontSize->setObjectName(QStringLiteral("FontSize"));
    fontSize->setRange(2, 2000);
    fontSize->setValue(12);
    fontSize->setFocusPolicy(Qt::ClickFocus);
    applyHint(fontSize, QStringLiteral("Schriftgrösse wählen"));
    second->addWidget(fontSize);
    m_ruledControls << fontCombo << fontSize;
    const auto colourButton = [&](const QString &name, const QString &icon, const QColor &colour, const QString &hint) {
        auto *button = new QToolButton(rows);
        button->setObjectName(name);
        button->setAutoRaise(true);
        button->setIcon(ToolbarIcons::icon(icon, colour));
        button->setIconSize(QSize(24, 24));
        button->setFocusPolicy(Qt::NoFocus);
        button->setProperty("color", colour);
        button->setProperty("iconName", icon);
        applyHint(button, hint);
        second->addWidget(button);
        m_buttons.insert(name, button);
        m_ruledControls.append(button);
    };
    colourButton(QStringLiteral("ColorPickerButton1"), QStringLiteral("textcolor"), Qt::black, QStringLiteral("Schriftfarbe wählen"));
    colourButton(QStringLiteral("ColorPickerButton2"), QStringLiteral("backcolor"), Qt::white, QStringLiteral("HIntergrundfarbe wählen"));
    addButton(second, QStringLiteral("ToolButton2"), QStringLiteral("textcolor"), QStringLiteral("Schriftfarbe wählen"))->setVisible(false);
    addButton(second, QStringLiteral("ToolButton27"), QStringLiteral("backcolor"), QStringLiteral("Hintergrundfarbe wählen"))->setVisible(false);
    second->addWidget(separator(rows));
    addButton(second, QStringLiteral("AlignLeft"), QStringLiteral("alignleft"), QStringLiteral("Links zentrieren"))->setProperty("tag", 0);
    addButton(second, QStringLiteral("ToolButton20"), QStringLiteral("aligncenter"), QStringLiteral("Mittig zentrieren"))->setProperty("tag", 2);
    addButton(second, QStringLiteral("ToolButton21"), QStringLiteral("alignright"), QStringLiteral("Rechts zentrieren"))->setProperty("tag", 1);
    second->addWidget(separator(rows));
    connect(addButton(second, QStringLiteral("ToolButton19"), QStringLiteral("picture"), QStringLiteral("Bild einfügen")),
            &QAbstractButton::clicked, this, &TMainForm::Bildeinfuegen);
    connect(addButton(second, QStringLiteral("ToolButton23"), QStringLiteral("object"), QStringLiteral("Objekt einfügen")),
            &QAbstractButton::clicked, this, &TMainForm::Objekteinfuegen);
    addButton(second, QStringLiteral("ToolButton24"), QStringLiteral("numbering"), QStringLiteral("Nummerierung"));
    second->addWidget(separator(rows));
    connect(addButton(second, QStringLiteral("ToolButton32"), QStringLiteral("undo"), QStringLiteral("Änderung rückgängig machen")),
            &QAbstractButton::clicked, this, &TMainForm::Undo);
    connect(addButton(second, QStringLiteral("ToolButton33"), QStringLiteral("redo"), QStringLiteral("Änderung wiederherstellen")),
            &QAbstractButton::clicked, this, &TMainForm::Redo);
    second->addStretch();
}

QAction *TMainForm::action(const QString &name) const
{
    return m_actions.value(name);
}

QAbstractButton *TMainForm::toolButton(const QString &name) const
{
    return m_buttons.value(name);
}

void TMainForm::Quiz()
{
    TMDIChild *document = ActiveDocument();
    if (!document)
        return;
    // Edits not yet stored take part in the quiz.
    document->StoreCurrentCard();
    if (QuizCommand::run(document->Set(), this, document->Vorderseite()->size(), Random))
        document->setModified(true);
}

void TMainForm::GeneriereHTMLDatei()
{
    TMDIChild *document = ActiveDocument();
    if (!document)
        return;
    QList<HtmlExport::Card> cards;
    const QListWidget *list = document->Kartenliste();
    for (int i = 0; i < list->count(); ++i) {
        if (list->item(i)->checkState() != Qt::Checked)
            continue;
        // As a click does: the card shown so far is stored first.
        document->selectCard(i);
        const CardSet &set = document->Set();
        cards.append({RtfReader::textLines(set.Fronts.value(i)), RtfReader::textLines(set.Backs.value(i))});
    }
    const QStringList page = HtmlExport::buildPage(document->Set().FileName, cards);
    if (page.isEmpty()) {
        m_dialogs->warning(this, HtmlExport::noCardsMessage());
        return;
    }
    const QString path = m_dialogs->saveFileName(this, QStringLiteral("Speichern unter"), HtmlExport::pageFilter(),
                                                 QStringLiteral("html"), QString());
    if (path.isEmpty())
        return;
    const QString failure = HtmlExport::writePage(path, page);
    if (!failure.isEmpty()) {
        m_dialogs->warning(this, failure);
        return;
    }
    HtmlExport::copyLibraryFiles(QFileInfo(ProgramFolder::filePath(QStringLiteral("overlib.js"))).absolutePath(),
                                 QFileInfo(path).absolutePath());
    m_dialogs->information(this, HtmlExport::noticeMessage());
}

void TMainForm::runCommand(const QString &name)
{
    if (QAction *entry = action(name)) {
        entry->trigger();
        return;
    }
    if (QAbstractButton *button = toolButton(name))
        button->click();
}

void TMainForm::UpdateCommandStates(bool closing)
{
    const bool enabled = CommandStateRules::documentCommandsEnabled(int(m_documents.size()), closing);
    for (QWidget *control : std::as_const(m_ruledControls))
        control->setEnabled(enabled || CommandStateRules::isAlwaysEnabledToolButton(control->objectName()));
    for (const char *name : {"Speichern1", "Speichernunter1", "Quiz1"})
        action(QString::fromLatin1(name))->setEnabled(enabled);
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
    // Adding the first card is no change the user made.
    document->setModified(false);
    QMdiSubWindow *sub = m_mdiArea->addSubWindow(document);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->resize(sub->sizeHint().expandedTo(QSize(676, 483)));
    m_documents.append(document);
    connect(document, &TMDIChild::documentClosed, this, &TMainForm::documentClosed);
    connect(document, &TMDIChild::commandRequested, this, &TMainForm::runCommand);
    connect(document, &TMDIChild::VorderseiteSelectionChange, this, &TMainForm::VorderseiteSelectionChange);
    sub->show();
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
    document->setWindowTitle(CardSetFile::fileNamePart(CardSetFile::changeExtension(name, QStringLiteral(".QL3"))));
    CardSet &set = document->Set();
    try {
        if (CardSetFile::LoadCardSet(set, name, m_context) == CardSetFile::LoadResult::WrongExtension) {
            busy.restore();
            m_dialogs->information(this, CardSetFile::messageM3(name));
            if (QMdiSubWindow *sub = subWindowOf(document))
                sub->close();
            return nullptr;
        }
        // On a file system that tells letter cases apart, "x.ql3" and
        // "x.QL3" are two files: a save must go back to the file opened.
        if (CardSetFile::upperExtension(name) == QLatin1String(".QL3"))
            set.FileName = name;
    } catch (const std::exception &) {
        document->setWindowTitle(CardSetFile::loadFailedCaption());
        busy.restore();
        m_dialogs->warning(this, CardSetFile::loadFailedMessageWithCode(set.ErrorLine));
        document->showLoadedSet();
        return document;
    }
    document->showLoadedSet();
    if (CardSetFile::isLegacyPath(name)) {
        busy.restore();
        m_dialogs->information(this, LegacyCardSetImport::importedMessage());
    }
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
    if (!path.isEmpty()) {
        try {
            OpenDocument(path);
        } catch (const std::exception &) {
            m_dialogs->warning(this, CardSetFile::loadFailedMessage());
        }
    }
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
    toolButton(QStringLiteral("ToolButton26"))->setEnabled(enabled);
    action(QStringLiteral("Speichern1"))->setEnabled(enabled);
    action(QStringLiteral("Speichernunter1"))->setEnabled(enabled);
}

void TMainForm::saveTo(TMDIChild *document, const QString &path, bool withErrorLine)
{
    BusyCursor busy;
    CardSet &set = document->Set();
    document->setWindowTitle(CardSetFile::fileNamePart(path));
    try {
        switch (CardSetFile::SaveCardSet(set, path, m_context, [document] { document->StoreCurrentCard(); })) {
        case CardSetFile::SaveResult::Saved:
            break;
        case CardSetFile::SaveResult::TargetNotReplaceable:
            busy.restore();
            m_dialogs->warning(this, CardSetFile::messageM1(CardSetFile::fileNamePart(set.FileName)));
            break;
        case CardSetFile::SaveResult::SettingsNotWritable:
            busy.restore();
            m_dialogs->warning(this, CardSetFile::messageM2());
            break;
        }
    } catch (const std::exception &) {
        busy.restore();
        m_dialogs->warning(this, withErrorLine ? CardSetFile::saveFailedMessage(set.ErrorLine) : CardSetFile::saveAsFailedMessage());
    }
}

void TMainForm::Save()
{
    TMDIChild *document = ActiveDocument();
    if (!document)
        return;
    // A set whose load failed early has no name yet; saving it must not
    // guess one.
    if (document->Set().FileName.isEmpty()) {
        SaveAs();
        return;
    }
    setSaveControlsEnabled(false);
    document->Set().ErrorLine.clear();
    saveTo(document, document->Set().FileName, true);
    setSaveControlsEnabled(true);
}

void TMainForm::SaveAs()
{
    TMDIChild *document = ActiveDocument();
    if (!document)
        return;
    const QString path = m_dialogs->saveFileName(this, QStringLiteral("Speichern unter"), saveFilter(), QStringLiteral("ql3"),
                                                 document->Set().FileName);
    if (path.isEmpty())
        return;
    setSaveControlsEnabled(false);
    saveTo(document, path, false);
    setSaveControlsEnabled(true);
}

void TMainForm::NewCard()
{
    TMDIChild *document = ActiveDocument();
    if (!document)
        return;
    document->AddCard();
    document->showPage(TMDIChild::FrontPage);
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
    m_verschieben->fill(document->Set().count(), document->Set().CurrentIndex);
    if (m_verschieben->exec() != QDialog::Accepted)
        return;
    document->moveCurrentCardTo(m_verschieben->chosenIndex());
}

void TMainForm::wireFormatting()
{
    const auto onDocument = [this](const char *name, auto command) {
        connect(toolButton(QString::fromLatin1(name)), &QAbstractButton::clicked, this, [this, command] {
            if (TMDIChild *document = ActiveDocument())
                command(document);
        });
    };
    onDocument("ToolButton14", [](TMDIChild *document) { document->toggleStyle(TextFormatRules::Style::Bold); });
    onDocument("ToolButton15", [](TMDIChild *document) { document->toggleStyle(TextFormatRules::Style::Italic); });
    onDocument("ToolButton16", [](TMDIChild *document) { document->toggleStyle(TextFormatRules::Style::Underline); });
    onDocument("ToolButton24", [](TMDIChild *document) { document->toggleBullets(); });
    for (const char *name : {"AlignLeft", "ToolButton20", "ToolButton21"}) {
        const int tag = toolButton(QString::fromLatin1(name))->property("tag").toInt();
        onDocument(name, [tag](TMDIChild *document) { document->applyAlignment(tag); });
    }
    connect(action(QStringLiteral("AlsStandardfont1")), &QAction::triggered, this, [this] {
        if (TMDIChild *document = ActiveDocument())
            document->AlsStandardfont();
    });

    auto *fontCombo = findChild<QFontComboBox *>(QStringLiteral("FontCombo"));
    connect(fontCombo, &QFontComboBox::currentFontChanged, this, [this](const QFont &font) {
        TMDIChild *document = ActiveDocument();
        if (!UpdatingToolbar && document)
            document->applyFontName(font.family());
    });
    auto *fontSize = findChild<QSpinBox *>(QStringLiteral("FontSize"));
    connect(fontSize, &QSpinBox::valueChanged, this, [this](int points) {
        TMDIChild *document = ActiveDocument();
        if (!UpdatingToolbar && document)
            document->applyFontSize(points);
    });

    const auto applyText = [](TMDIChild *document, const QColor &color) { document->applyTextColor(color); };
    const auto applyBack = [](TMDIChild *document, const QColor &color) { document->applyBackColor(color); };
    addColourMenu(toolButton(QStringLiteral("ColorPickerButton1")), applyText);
    addColourMenu(toolButton(QStringLiteral("ColorPickerButton2")), applyBack);
    onDocument("ToolButton2", [this](TMDIChild *document) {
        document->applyTextColor(m_dialogs->chooseColor(this, document->targetTextColor()));
    });
    onDocument("ToolButton27", [this](TMDIChild *document) {
        // The header line's own colour has its button; this one is the faces'.
        if (document->ActiveFace())
            document->applyBackColor(m_dialogs->chooseColor(this, document->faceBackColor()));
    });
}

void TMainForm::addColourMenu(QAbstractButton *button, const std::function<void(TMDIChild *, const QColor &)> &apply)
{
    auto *tool = qobject_cast<QToolButton *>(button);
    auto *menu = new QMenu(tool);
    menu->setObjectName(tool->objectName() + QStringLiteral("Palette"));
    // Plain colours only: a system colour would change with the desktop.
    const QList<std::pair<const char *, QColor>> palette = {
        {"Schwarz", QColor(0, 0, 0)},         {"Weiß", QColor(255, 255, 255)},    {"Dunkelrot", QColor(128, 0, 0)},
        {"Rot", QColor(255, 0, 0)},           {"Orange", QColor(255, 128, 0)},    {"Gelb", QColor(255, 255, 0)},
        {"Dunkelgrün", QColor(0, 128, 0)},    {"Grün", QColor(0, 255, 0)},        {"Oliv", QColor(128, 128, 0)},
        {"Türkis", QColor(0, 255, 255)},      {"Blaugrün", QColor(0, 128, 128)},  {"Blau", QColor(0, 0, 255)},
        {"Dunkelblau", QColor(0, 0, 128)},    {"Violett", QColor(128, 0, 128)},   {"Pink", QColor(255, 0, 255)},
        {"Grau", QColor(128, 128, 128)},      {"Hellgrau", QColor(192, 192, 192)}};
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
    if (!face)
        return;
    const QFont font = TextFormatRules::shownFont(TextFormatRules::selectionAttributes(face->textCursor()), face->font());
    auto *fontCombo = findChild<QFontComboBox *>(QStringLiteral("FontCombo"));
    auto *fontSize = findChild<QSpinBox *>(QStringLiteral("FontSize"));
    UpdatingToolbar = true;
    fontCombo->setCurrentIndex(fontCombo->findText(font.family()));
    if (font.pointSizeF() > 0)
        fontSize->setValue(qRound(font.pointSizeF()));
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
        set.CurrentIndex, set.count(),
        [&set, &text](int i) { return CardSearch::examineCard(set.Fronts.value(i), set.Backs.value(i), text); },
        [this] { return m_dialogs->question(this, QStringLiteral("Das Ende wurde erreicht, von vorne beginnen?."), false); });
    document->selectCard(result.index);
    if (result.face == CardSearch::Face::Front)
        document->showPage(TMDIChild::FrontPage);
    else if (result.face == CardSearch::Face::Back)
        document->showPage(TMDIChild::BackPage);
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
    action(QStringLiteral("EditCut1"))->setEnabled(selected);
    action(QStringLiteral("EditCopy1"))->setEnabled(selected);
    action(QStringLiteral("EditPaste1"))->setEnabled(pastable);
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
        QString title = document->windowTitle();
        title.replace(QLatin1Char('&'), QStringLiteral("&&"));
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

QStringList droppedCardSets(const QMimeData *data)
{
    QStringList files;
    for (const QUrl &url : data->urls()) {
        const QString extension = CardSetFile::upperExtension(url.toLocalFile());
        if (url.isLocalFile() && (extension == QLatin1String(".QL3") || extension == QLatin1String(".QLA")))
            files.append(url.toLocalFile());
    }
    return files;
}

} // namespace

void TMainForm::dragEnterEvent(QDragEnterEvent *event)
{
    if (!droppedCardSets(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void TMainForm::dropEvent(QDropEvent *event)
{
    const QStringList files = droppedCardSets(event->mimeData());
    if (files.isEmpty())
        return;
    event->acceptProposedAction();
    for (const QString &file : files)
        OpenDocument(file);
    UpdateCommandStates(false);
}

void TMainForm::closeEvent(QCloseEvent *event)
{
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
