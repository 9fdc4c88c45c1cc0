#pragma once

#include "document/CardSetDocument.h"

#include "cardset/CardSet.h"
#include "cardset/CardSetFile.h"
#include "editor/TextFormatRules.h"

#include <QWidget>

#include <functional>
#include <memory>

class QAction;
class QLineEdit;
class QListView;
class QMenu;
class QPageLayout;
class QPaintDevice;
class QPrinter;
class QSplitter;
class QTabWidget;
class CardListModel;
class PrintLayoutPage;
class ProgramSettings;
class TMyRxRichEdit;
class UserDialogs;

// The document window of one card set: the card list on the left, the
// question and the answer each in an editor, and the set's print options.
// The editors hold the working copy of the current card; StoreCurrentCard
// writes it back into the set.
class TMDIChild : public QWidget
{
    Q_OBJECT

public:
    enum Page { FrontPage = 0, BackPage = 1, OptionsPage = 2 };

    // The window shows and edits `document`, which it keeps until it closes.
    // `context` and `printer` are the program's: the printer orientation is
    // one for all sets.
    TMDIChild(std::unique_ptr<CardSetDocument> document, CardSetFileContext &context, QPrinter *printer, UserDialogs *dialogs = nullptr,
              QWidget *parent = nullptr);
    ~TMDIChild() override;

    CardSetDocument &document() { return *m_document; }

    // The main window's commands in the faces' context menu, after the
    // editing entries, and on the faces' function keys.
    void useCommands(const QList<QList<QAction *>> &faceMenuGroups, const QList<QAction *> &faceKeys);

    CardSet &Set() { return m_set; }
    const CardSet &Set() const { return m_set; }
    bool Modified() const { return m_set.Modified(); }
    // The window title; a changed set shows its mark beside it.
    void setCaption(const QString &caption);
    QString caption() const;

    void StoreCurrentCard();
    void ShowCurrentCard();
    void AddCard();
    // Switches to the card selected in the card list; leaves Modified as it was.
    void KartenlisteClick();
    // Selects the card's list item and switches to it, as a click does.
    void selectCard(int index);

    // "Karte löschen": after the question, the selected card goes, the list
    // is renumbered and the first card shown (a fresh one when none is
    // left). Returns whether a card was deleted.
    bool DeleteCard();
    // The current card to another place; the cards between shift towards
    // the place it left. The editors must have been stored before.
    void moveCurrentCardTo(int target);
    // Whole-card copy takes what the editors show; paste replaces both
    // faces of the current card, which keeps its box, as one undo step.
    void copyWholeCard(QByteArray &front, QByteArray &back) const;
    void pasteWholeCard(const QByteArray &front, const QByteArray &back);

    // The formatting commands act on the face shown, on the options page on
    // the header line (whose font and colour are printed with the set).
    // A format that reaches a face's text marks the set through the
    // editor's change notice; one for the next typing only does not.
    void toggleStyle(TextFormatRules::Style style);
    void applyFontName(const QString &family);
    void applyFontSize(int points);
    void applyTextColor(const QColor &color);
    void applyBackColor(const QColor &color);
    void applyAlignment(int tag);
    void toggleBullets();
    // The selection's font becomes the standard font of the front (front
    // page shown) or of the back (otherwise).
    void AlsStandardfont();
    // The colours the colour dialog starts with; invalid without a target.
    QColor targetTextColor() const;
    QColor faceBackColor() const;
    QLineEdit *KopfZeile() const;
    QLineEdit *CopyEdit() const;

    // Once the window is in place: a new set as new, a read one as loaded.
    void showDocument();
    // After a load, complete or not: the values in their controls, the first
    // card shown (an empty one when the set has none).
    void showLoadedSet();
    // A set made rather than read: named after its future file, its faces
    // in its standard font, the first card shown.
    void showNewSet();

    // The face on the shown page; none on the options page.
    TMyRxRichEdit *ActiveFace() const;
    // The face the edit commands act on: the front on the front page, the
    // back otherwise.
    TMyRxRichEdit *editFace() const;
    TMyRxRichEdit *Vorderseite() const { return m_front; }
    TMyRxRichEdit *Rueckseite() const { return m_back; }
    QListView *Kartenliste() const { return m_cardList; }
    // The card selected in the card list; -1 for none.
    int selectedCard() const;
    QTabWidget *Pages() const { return m_pages; }
    int shownPage() const;
    // Shows a page as a command does: focus follows when it was on the page left.
    void showPage(Page page);

    bool PortraitFlag() const { return m_portrait; }
    QString orientationPicture() const;
    void AusrichtungClick();
    // The selector's entry `index` chosen: a change even when it was shown.
    void AnzahlComboChange(int index);
    // Both face editors hold about as much text as the printed card's text
    // area in the current layout and orientation.
    void FitEditorsToCard();
    // How wide a picture may be in a face of a new set, as "Bild einfügen"
    // fits it: the text width of the editors such a set gets.
    static qreal newSetPictureWidth(QPrinter *printer, const ProgramSettings *settings, const QPaintDevice *screen);
    // The program's printer calibration, which moves the printed card area.
    void useSettings(const ProgramSettings *settings);

    // Undo and redo in the face the edit commands act on; both mark the set.
    void undoInFace();
    void redoInFace();

    static QColor boxColor();

signals:
    // Sent while the window closes; it still counts as open then.
    void documentClosed(TMDIChild *document);
    // The selection or caret of a face moved: the toolbar's font boxes
    // follow it.
    void VorderseiteSelectionChange(TMyRxRichEdit *face);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void FormCreate();
    bool FormCloseQuery();
    void FormClose();
    void PagesChange(int index);

    QWidget *makeFacePage(const QString &pageName, const QString &scrollName, TMyRxRichEdit *editor);
    void makePopupMenus();
    void setPrinterOrientation(PageOrientation orientation);
    // Button picture and PortraitFlag as the printer is, without a change
    // of the set.
    void showOrientation();
    void changeHeader(const std::function<void(PrintOptions &)> &change);
    void mergeIntoFace(const QTextCharFormat &change);
    void faceChanged();
    // The toolbar's font boxes show the face of the page shown.
    void followShownFace();
    void showNewCard();
    QSize fittedClientSize() const;
    static QSize fittedClientSize(const PrintOptions &options, QPrinter *printer, const QPageLayout &layout,
                                  const ProgramSettings *settings, const QPaintDevice *screen);
    void setCurrentRow(int row);

    std::unique_ptr<CardSetDocument> m_document;
    CardSet &m_set;
    CardListModel *m_cardModel = nullptr;
    CardSetFileContext &m_context;
    QPrinter *m_printer = nullptr;
    const ProgramSettings *m_settings = nullptr;
    UserDialogs *m_dialogs = nullptr;
    bool m_portrait = true;
    bool m_closed = false;
    // Set while the window itself fills editors, list or controls, so that
    // their change notifications are not taken for the user's edits.
    int m_filling = 0;

    QListView *m_cardList = nullptr;
    QSplitter *m_splitter = nullptr;
    QTabWidget *m_pages = nullptr;
    PrintLayoutPage *m_printLayout = nullptr;
    TMyRxRichEdit *m_front = nullptr;
    TMyRxRichEdit *m_back = nullptr;
    QMenu *m_popup = nullptr;
    QMenu *m_cardPopup = nullptr;
};
