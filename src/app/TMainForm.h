#pragma once

#include "document/CardSetDocument.h"
#include "program/FileMessages.h"
#include "program/ProgramSettings.h"

#include "app/CommandLineArguments.h"
#include "app/CommandStateRules.h"
#include "app/MainCommand.h"
#include "cardset/CardSetFile.h"
#include "editor/TMDIChild.h"
#include "quiz/RandomGenerator.h"

#include <QByteArray>
#include <QList>
#include <QMainWindow>

#include <array>
#include <functional>
#include <memory>

class ClipboardCommands;
class FindDialog;
class MainActions;
class WindowCommands;
class QAbstractButton;
class QAction;
class QFontComboBox;
class QHBoxLayout;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class PrintDestinations;
class PrintRun;
class QPrinter;
class QSpinBox;
class QToolBar;
class QToolButton;
class TAboutBox;
class TAllgOpts;
class TDruckForm;
class TPrintForm;
class TMyRxRichEdit;
class TVerschieben;
class UserDialogs;

// The program's frame window: one document window per open card set, the
// menus, the two-row toolbar and the status bar. Every document command
// acts on the active document and does nothing without one. Each command is
// one action of MainActions, reached by its MainCommand; menu entry, toolbar
// button, F-key and context menu entry of a command run the same action.
class TMainForm : public QMainWindow
{
    Q_OBJECT

public:
    explicit TMainForm(QWidget *parent = nullptr);
    ~TMainForm() override;

    static QString programCaption();

    // The steps of the window's creation that reach beyond it, run by the
    // program entry only: the file association, the random seed, the
    // settings file and the scratch file it may move. The command line's
    // files open when the window first becomes active.
    void startUp(const CommandLineArguments &arguments, const QString &settingsPath);
    // Opens the command line's files, the first time only. Runs on the first
    // activation, and once the window is shown, since a desktop that keeps
    // new windows from taking the focus may never activate it.
    void openStartupFiles();
    static QString openFilter();
    static QString saveFilter();

    QMdiArea *mdiArea() const { return m_mdiArea; }
    // Tests answer the questions and dialogs; the window does not own it.
    void setDialogs(UserDialogs *dialogs);

    // "*" makes a new set after asking for its future file name; anything
    // else is a file to load. Returns the new window, or none when nothing
    // was opened.
    TMDIChild *OpenDocument(const QString &name);
    // "Importieren…" of a word list, also one dropped on the window: a new
    // document after the preview; none when nothing was made.
    TMDIChild *importWordList(const QString &path);
    void UpdateCommandStates(bool closing);
    TMDIChild *ActiveDocument() const;
    TMyRxRichEdit *ActiveFace() const;
    QList<TMDIChild *> documents() const { return m_documents; }

    // "Abfragen": the box dialog, then the quiz over the active set.
    void Quiz();
    // "Lernstand…" of the active set, beside the documents: one window per
    // set, brought forward when it is open already.
    void Lernstand();
    // "Drucken": the checked cards (all when none is) as cut-out cards.
    void Print();
    // "Testseite drucken" of the general options.
    void PrintTestPage();
    static QString printFailedMessage();
    TPrintForm *printForm() const { return m_printForm; }
    TDruckForm *progressForm() const { return m_druckForm; }
    TAllgOpts *optionsDialog() const { return m_allgOpts; }

    // The command's action: its menu entry, or its toolbar button's action
    // for a command without a menu entry.
    QAction *action(MainCommand command) const;
    // The command's toolbar button; none for a command that has only a menu
    // entry.
    QToolButton *button(MainCommand command) const;
    QFontComboBox *fontCombo() const;
    QSpinBox *fontSizeBox() const;
    QToolButton *textColorButton() const;
    QToolButton *backColorButton() const;

    CardSetFileContext &fileContext() { return m_context; }
    QPrinter *printer() const { return m_printer.get(); }

    // The program settings, in memory from start-up to shutdown.
    ProgramSettings Settings{QString()};
    // The quiz draws from it; seeded at start-up.
    RandomGenerator Random;

    // Whole-card copy and paste, shared by all documents.
    QByteArray CardClipboardFront;
    QByteArray CardClipboardBack;
    // Set while the font boxes follow an editor's selection.
    bool UpdatingToolbar = false;

    // The commands of this window.
    void FileNew();
    void FileOpen();
    void FileClose();
    void Save();
    void SaveAs();
    void NewCard();
    void DeleteCard();
    void GanzeKartekopieren();
    void GanzeKarteeinfuegen();
    void PositionderKarteverschieben();
    // "Lernverlauf löschen", after a question; nothing is asked when the
    // set has no history.
    void Lernverlaufloeschen();
    // "Bild einfügen": the picture goes on the clipboard and into the face
    // shown; it works without a document too, filling the clipboard only.
    void Bildeinfuegen();
    // "Objekt einfügen": a file chosen by the user, embedded whole into the
    // face shown as a packaged object; nothing on the options page.
    void Objekteinfuegen();
    // "Suchen" shows the find dialog; each press of its button is one step.
    void Suchen();
    void FindDialogFind();
    FindDialog *findDialog() const { return m_findDialog; }
    // The font boxes show the font of the face's selection or caret.
    void VorderseiteSelectionChange(TMyRxRichEdit *face);
    // A colour button's colour: its face, and what a click applies.
    void setButtonColor(QAbstractButton *button, const QColor &color);
    void Undo();
    void Redo();

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;
    // Card set files dropped from the file manager open as documents, word
    // lists go to their preview.
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void connectCommands();
    // Runs `command` on the active document, if there is one.
    void onDocument(MainCommand command, const std::function<void(TMDIChild *)> &handler);
    // A window for the set, in place and shown; `caption` instead of the one
    // the set gives itself.
    TMDIChild *createDocument(std::unique_ptr<CardSetDocument> set, const QString &caption = QString());
    QMdiSubWindow *subWindowOf(TMDIChild *document) const;
    void documentClosed(TMDIChild *document);
    // The unsaved mark in the title a maximised document shares with this window.
    void showModifiedMark();
    // Where the printer's output goes when it prints to a file not yet named.
    QString askPrintFile(QWidget *parent);
    // The questions of a run asked over `parent`, the print server, and the
    // queue chosen last, taken back if a server that was away has it again.
    void preparePrintRun(PrintRun &run, QWidget *parent);
    // "Drucker einrichten": a cancelled dialog leaves the printer as it was.
    void setUpPrinter();
    void saveTo(TMDIChild *document, const QString &path, FileMessages::SaveCommand command);
    void setSaveControlsEnabled(bool enabled);
    void addColourMenu(QToolButton *button, const std::function<void(TMDIChild *, const QColor &)> &apply);

    QMdiArea *m_mdiArea = nullptr;
    MainActions *m_actions = nullptr;
    ClipboardCommands *m_clipboard = nullptr;
    WindowCommands *m_windows = nullptr;
    QList<TMDIChild *> m_documents;
    std::unique_ptr<QPrinter> m_printer;
    // Made when a run first sends to a queue.
    std::unique_ptr<PrintDestinations> m_printServer;
    // A queue the printer lost while no print server answered; the runs go
    // on sending to it (and say so when it cannot be reached) rather than
    // fall back to a file.
    QString m_lostQueue;
    CardSetFileContext m_context;
    UserDialogs *m_dialogs = nullptr;
    CommandLineArguments m_arguments{QStringList()};
    TAboutBox *m_aboutBox = nullptr;
    TAllgOpts *m_allgOpts = nullptr;
    TPrintForm *m_printForm = nullptr;
    TDruckForm *m_druckForm = nullptr;
    TVerschieben *m_verschieben = nullptr;
    FindDialog *m_findDialog = nullptr;
    bool m_startedUp = false;
};
