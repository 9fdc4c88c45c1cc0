#include "editor/TMDIChild.h"

#include "program/ProgramSettings.h"

#include "editor/CardListModel.h"
#include "editor/TMyRxRichEdit.h"
#include "editor/UserDialogs.h"
#include "editor/WholeCardReplace.h"
#include "print/EditorFit.h"
#include "print/PrintLayoutPage.h"
#include "richtext/FontRecordMapping.h"
#include "richtext/RtfReader.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPrinter>
#include <QScrollArea>
#include <QSplitter>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextList>
#include <QVBoxLayout>

namespace {

const QSize kDefaultSize(676, 483);
// Until the sheet geometry sizes them, the editors keep the text area of
// one card of an 8-card sheet, roughly.
const QSize kEditorSize(380, 230);
const int kEditorMargin = 10;

QFont arialPixels(int pixels)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixels);
    return font;
}

void fillBackground(QWidget *widget, const QColor &color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, color);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

} // namespace

TMDIChild::TMDIChild(std::unique_ptr<CardSetDocument> document, CardSetFileContext &context, QPrinter *printer, UserDialogs *dialogs,
                     QWidget *parent)
    : QWidget(parent)
    , m_document(std::move(document))
    , m_set(m_document->set())
    , m_context(context)
    , m_printer(printer)
    , m_dialogs(dialogs ? dialogs : &UserDialogs::standard())
{
    FormCreate();
}

TMDIChild::~TMDIChild() = default;

QColor TMDIChild::boxColor()
{
    return FontRecordMapping::toQColor(14733504);
}

void TMDIChild::FormCreate()
{
    setObjectName(QStringLiteral("MDIChild"));
    setCaption(QStringLiteral("Lade..."));
    setFont(arialPixels(13));
    resize(kDefaultSize);
    connect(&m_set, &CardSet::modifiedChanged, this, &QWidget::setWindowModified);

    m_cardList = new QListView(this);
    m_cardList->setObjectName(QStringLiteral("Kartenliste"));
    m_cardModel = new CardListModel(m_set, this);
    m_cardList->setModel(m_cardModel);
    m_cardList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_cardList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_cardList->setUniformItemSizes(true);
    m_cardList->setMinimumWidth(60);
    m_cardList->setContextMenuPolicy(Qt::CustomContextMenu);

    m_front = new TMyRxRichEdit;
    m_front->setObjectName(QStringLiteral("Vorderseite"));
    m_back = new TMyRxRichEdit;
    m_back->setObjectName(QStringLiteral("Rueckseite"));

    m_pages = new QTabWidget;
    m_pages->setObjectName(QStringLiteral("Pages"));
    m_pages->addTab(makeFacePage(QStringLiteral("Vorder"), QStringLiteral("ScrollBox1"), m_front), QStringLiteral("Vorderseite"));
    m_pages->addTab(makeFacePage(QStringLiteral("Rueck"), QStringLiteral("ScrollBox2"), m_back), QStringLiteral("Rueckseite"));
    m_printLayout = new PrintLayoutPage(m_set, boxColor());
    connect(m_printLayout, &PrintLayoutPage::orientationClicked, this, &TMDIChild::AusrichtungClick);
    connect(m_printLayout, &PrintLayoutPage::layoutChanged, this, &TMDIChild::FitEditorsToCard);
    m_pages->addTab(m_printLayout, QStringLiteral("Spezielle Optionen"));
    m_pages->setCurrentIndex(FrontPage);
    connect(m_pages, &QTabWidget::currentChanged, this, &TMDIChild::followShownFace);

    m_splitter = new QSplitter(Qt::Horizontal, this);
    m_splitter->setObjectName(QStringLiteral("Splitter1"));
    m_splitter->setHandleWidth(3);
    m_splitter->setChildrenCollapsible(false);
    m_splitter->addWidget(m_cardList);
    m_splitter->addWidget(m_pages);
    m_splitter->setStretchFactor(0, 0);
    m_splitter->setStretchFactor(1, 1);
    m_splitter->setSizes({136, kDefaultSize.width() - 139});

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_splitter);

    for (TMyRxRichEdit *face : {m_front, m_back}) {
        face->setFont(arialPixels(16));
        face->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(face, &QTextEdit::textChanged, this, &TMDIChild::faceChanged);
        // The toolbar shows the face being edited; the hidden one's caret
        // moves too when a card is shown.
        const auto follow = [this, face] {
            if (face == ActiveFace())
                emit VorderseiteSelectionChange(face);
        };
        connect(face, &QTextEdit::cursorPositionChanged, this, follow);
        connect(face, &QTextEdit::selectionChanged, this, follow);
        connect(face, &QTextEdit::currentCharFormatChanged, this, follow);
    }
    makePopupMenus();

    connect(m_cardList->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this] {
        if (!m_filling)
            KartenlisteClick();
    });
    // A tab picked by the user takes the focus into its editor; a page shown
    // by a command only moves the focus when it was on the page left.
    connect(m_pages->tabBar(), &QTabBar::tabBarClicked, this, [this](int index) {
        if (index >= 0 && index != m_pages->currentIndex()) {
            m_pages->setCurrentIndex(index);
            PagesChange(index);
        } else if (index >= 0) {
            PagesChange(index);
        }
    });

    m_portrait = m_context.PrinterOrientation == PageOrientation::Portrait;
    m_printLayout->showSettings();
    FitEditorsToCard();
    showNewCard();
}

QWidget *TMDIChild::makeFacePage(const QString &pageName, const QString &scrollName, TMyRxRichEdit *editor)
{
    auto *page = new QWidget;
    page->setObjectName(pageName);
    auto *scroll = new QScrollArea(page);
    scroll->setObjectName(scrollName);
    scroll->setWidgetResizable(false);
    scroll->setFrameShape(QFrame::NoFrame);
    fillBackground(scroll->viewport(), boxColor());

    auto *holder = new QWidget;
    fillBackground(holder, boxColor());
    auto *holderLayout = new QVBoxLayout(holder);
    holderLayout->setContentsMargins(kEditorMargin, kEditorMargin, kEditorMargin, kEditorMargin);
    holderLayout->addWidget(editor, 0, Qt::AlignLeft | Qt::AlignTop);
    scroll->setWidget(holder);

    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll);
    return page;
}

void TMDIChild::makePopupMenus()
{
    m_popup = new QMenu(this);
    m_popup->setObjectName(QStringLiteral("Popup"));
    const auto edit = [this](const QString &name, const QString &caption, const QKeySequence &keys, auto action) {
        QAction *entry = m_popup->addAction(caption);
        entry->setObjectName(name);
        entry->setShortcut(keys);
        connect(entry, &QAction::triggered, this, [this, action] {
            action(editFace());
            m_set.markChanged();
        });
    };
    edit(QStringLiteral("Rueckgaengig1"), QStringLiteral("Rückgängig"), QKeySequence(), [](TMyRxRichEdit *face) { face->undo(); });
    edit(QStringLiteral("Wiederherstellen1"), QStringLiteral("Wiederherstellen"), QKeySequence(),
         [](TMyRxRichEdit *face) { face->redo(); });
    m_popup->addSeparator();
    edit(QStringLiteral("Ausschneiden1"), QStringLiteral("Ausschneiden"), QKeySequence(Qt::CTRL | Qt::Key_X),
         [](TMyRxRichEdit *face) { face->cut(); });
    edit(QStringLiteral("Kopieren1"), QStringLiteral("Kopieren"), QKeySequence(Qt::CTRL | Qt::Key_C),
         [](TMyRxRichEdit *face) { face->copy(); });
    edit(QStringLiteral("Einfuegen1"), QStringLiteral("Einfügen"), QKeySequence(Qt::CTRL | Qt::Key_V),
         [](TMyRxRichEdit *face) { face->paste(); });
    edit(QStringLiteral("Loeschen1"), QStringLiteral("Löschen"), QKeySequence(Qt::CTRL | Qt::Key_Delete),
         [](TMyRxRichEdit *face) { face->textCursor().removeSelectedText(); });
    for (TMyRxRichEdit *face : {m_front, m_back}) {
        connect(face, &QWidget::customContextMenuRequested, this,
                [this, face](const QPoint &pos) { m_popup->popup(face->viewport()->mapToGlobal(pos)); });
        // F2 turns the card over; Shift and Ctrl do not change it.
        auto *turn = new QAction(face);
        turn->setObjectName(face->objectName() + QStringLiteral("Umdrehen"));
        turn->setShortcuts({QKeySequence(Qt::Key_F2), QKeySequence(Qt::SHIFT | Qt::Key_F2), QKeySequence(Qt::CTRL | Qt::Key_F2),
                            QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F2)});
        turn->setShortcutContext(Qt::WidgetShortcut);
        connect(turn, &QAction::triggered, this, [this, face] { showPage(face == m_front ? BackPage : FrontPage); });
        face->addAction(turn);
    }

    m_cardPopup = new QMenu(this);
    m_cardPopup->setObjectName(QStringLiteral("KartenPopup"));
    const auto marks = [this](const QString &name, const QString &caption, auto action) {
        QAction *entry = m_cardPopup->addAction(caption);
        entry->setObjectName(name);
        connect(entry, &QAction::triggered, this, action);
    };
    // The marks choose cards for printing and export; they are no change
    // of the set.
    marks(QStringLiteral("AlleEintraegeselektieren1"), QStringLiteral("Alle Einträge selektieren"),
          [this] { m_set.setMarkedFrom(0, true); });
    marks(QStringLiteral("KeinenEintragselektieren1"), QStringLiteral("Keinen Eintrag selektieren"),
          [this] { m_set.setMarkedFrom(0, false); });
    m_cardPopup->addSeparator();
    // Without a selected card the two do nothing.
    marks(QStringLiteral("Vonhierabselektieren1"), QStringLiteral("Von hier ab selektieren"),
          [this] { m_set.setMarkedFrom(selectedCard(), true); });
    marks(QStringLiteral("Vonhieramdeselektieren1"), QStringLiteral("Von hier am deselektieren"),
          [this] { m_set.setMarkedFrom(selectedCard(), false); });
    connect(m_cardList, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { m_cardPopup->popup(m_cardList->viewport()->mapToGlobal(pos)); });
}

void TMDIChild::useCommands(const QList<QList<QAction *>> &faceMenuGroups, const QList<QAction *> &faceKeys)
{
    for (const QList<QAction *> &group : faceMenuGroups) {
        m_popup->addSeparator();
        m_popup->addActions(group);
    }
    for (TMyRxRichEdit *face : {m_front, m_back})
        face->addActions(faceKeys);
}

void TMDIChild::setCaption(const QString &caption)
{
    // Qt shows the set's modified mark in place of the placeholder.
    QString title = caption;
    title.replace(QStringLiteral("[*]"), QStringLiteral("[[*]]"));
    setWindowTitle(title + QStringLiteral("[*]"));
}

QString TMDIChild::caption() const
{
    QString title = windowTitle();
    title.chop(3);
    return title.replace(QStringLiteral("[[*]]"), QStringLiteral("[*]"));
}

int TMDIChild::selectedCard() const
{
    const QModelIndex current = m_cardList->currentIndex();
    return current.isValid() ? current.row() : -1;
}

void TMDIChild::setCurrentRow(int row)
{
    ++m_filling;
    m_cardList->setCurrentIndex(m_cardModel->index(row));
    --m_filling;
}

void TMDIChild::faceChanged()
{
    // The editors hold the newer text until it is stored; the set learns of
    // the change now.
    if (!m_filling)
        m_set.markChanged();
}

void TMDIChild::StoreCurrentCard()
{
    const int index = m_set.CurrentIndex();
    if (!m_set.isValidIndex(index))
        return;
    // A face the user has not touched keeps its bytes: re-encoding it could
    // only lose what the codec does not understand.
    if (!m_front->holdsLoaded(m_set.front(index)))
        m_set.setFront(index, m_front->currentRtf());
    if (!m_back->holdsLoaded(m_set.back(index)))
        m_set.setBack(index, m_back->currentRtf());
}

void TMDIChild::ShowCurrentCard()
{
    const int index = m_set.CurrentIndex();
    if (!m_set.isValidIndex(index))
        return;
    ++m_filling;
    m_front->loadRtf(m_set.front(index));
    m_back->loadRtf(m_set.back(index));
    --m_filling;
    followShownFace();
}

void TMDIChild::followShownFace()
{
    if (TMyRxRichEdit *face = ActiveFace())
        emit VorderseiteSelectionChange(face);
}

void TMDIChild::KartenlisteClick()
{
    StoreCurrentCard();
    m_set.setCurrentIndex(selectedCard());
    ShowCurrentCard();
}

void TMDIChild::selectCard(int index)
{
    setCurrentRow(index);
    KartenlisteClick();
}

void TMDIChild::showNewCard()
{
    ++m_filling;
    m_front->loadRtf(QByteArray());
    m_back->loadRtf(QByteArray());
    m_cardList->setCurrentIndex(m_cardModel->index(m_set.CurrentIndex()));
    for (auto [face, record] : {std::pair{m_front, m_set.StandardFontFront()}, std::pair{m_back, m_set.StandardFontBack()}}) {
        QTextCharFormat format;
        format.setFont(FontRecordMapping::toQFont(record));
        format.setForeground(FontRecordMapping::toQColor(record.Color));
        face->setCurrentCharFormat(format);
    }
    --m_filling;
    followShownFace();
}

void TMDIChild::AddCard()
{
    StoreCurrentCard();
    m_set.AddCard();
    showNewCard();
}

bool TMDIChild::DeleteCard()
{
    const int index = selectedCard();
    if (index < 0)
        return false;
    if (!m_dialogs->question(this, QStringLiteral("Soll die Karteikarte wirklich gelöscht werden?"), true))
        return false;
    // Edits of another card than the one going are kept.
    if (index != m_set.CurrentIndex())
        StoreCurrentCard();
    ++m_filling;
    const bool removed = m_set.removeCard(index);
    --m_filling;
    if (!removed)
        return false;
    if (m_set.count() == 0)
        AddCard();
    else
        selectCard(0);
    return true;
}

void TMDIChild::moveCurrentCardTo(int target)
{
    ++m_filling;
    const bool moved = m_set.moveCard(m_set.CurrentIndex(), target);
    --m_filling;
    if (!moved)
        return;
    setCurrentRow(target);
    ShowCurrentCard();
}

void TMDIChild::copyWholeCard(QByteArray &front, QByteArray &back) const
{
    front = m_front->currentRtf();
    back = m_back->currentRtf();
}

void TMDIChild::pasteWholeCard(const QByteArray &front, const QByteArray &back)
{
    QTextDocument newFront;
    QTextDocument newBack;
    RtfReader::read(front, newFront);
    RtfReader::read(back, newBack);
    ++m_filling;
    WholeCardReplace::replace(*m_front->document(), newFront, *m_back->document(), newBack);
    m_front->moveCursor(QTextCursor::Start);
    m_back->moveCursor(QTextCursor::Start);
    --m_filling;
    m_set.markChanged();
}

void TMDIChild::mergeIntoFace(const QTextCharFormat &change)
{
    TMyRxRichEdit *face = ActiveFace();
    if (!face)
        return;
    QTextCursor step = face->textCursor();
    if (!step.hasSelection()) {
        // Only the typing format changes, which is no change of the face;
        // but an empty bulleted paragraph shows its bullet at that size.
        face->mergeCurrentCharFormat(change);
        if (step.block().textList() && step.block().length() == 1)
            TextFormatRules::matchBulletsToText(face->textCursor());
        return;
    }
    // One undo step with the bullets that follow the text.
    step.beginEditBlock();
    face->mergeCurrentCharFormat(change);
    TextFormatRules::matchBulletsToText(face->textCursor());
    step.endEditBlock();
}

void TMDIChild::changeHeader(const std::function<void(PrintOptions &)> &change)
{
    PrintOptions options = m_set.printOptions();
    change(options);
    m_set.setPrintOptions(options);
    m_printLayout->applyHeaderLook();
}

void TMDIChild::toggleStyle(TextFormatRules::Style style)
{
    if (TMyRxRichEdit *face = ActiveFace())
        mergeIntoFace(TextFormatRules::toggled(TextFormatRules::selectionAttributes(face->textCursor()), style));
    else
        changeHeader([style](PrintOptions &options) { TextFormatRules::toggle(options.HeaderFont, style); });
}

void TMDIChild::applyFontName(const QString &family)
{
    if (family.isEmpty())
        return;
    if (ActiveFace()) {
        QTextCharFormat change;
        change.setFontFamilies({family});
        mergeIntoFace(change);
    } else {
        changeHeader([family](PrintOptions &options) { options.HeaderFont.Name = family; });
    }
}

void TMDIChild::applyFontSize(int points)
{
    if (ActiveFace()) {
        QTextCharFormat change;
        change.setFontPointSize(points);
        mergeIntoFace(change);
    } else {
        changeHeader([points](PrintOptions &options) { options.HeaderFont.Size = points; });
    }
    // A size counts as a change on every page, also where the text had it.
    m_set.markChanged();
}

void TMDIChild::applyTextColor(const QColor &color)
{
    if (!color.isValid())
        return;
    if (ActiveFace()) {
        QTextCharFormat change;
        change.setForeground(color);
        mergeIntoFace(change);
    } else {
        changeHeader([color](PrintOptions &options) { options.HeaderFont.Color = FontRecordMapping::fromQColor(color); });
    }
}

void TMDIChild::applyBackColor(const QColor &color)
{
    if (!color.isValid())
        return;
    if (ActiveFace()) {
        QTextCharFormat change;
        change.setBackground(color);
        mergeIntoFace(change);
    } else {
        changeHeader([color](PrintOptions &options) { options.HeaderColor = FontRecordMapping::fromQColor(color); });
    }
}

void TMDIChild::applyAlignment(int tag)
{
    if (TMyRxRichEdit *face = ActiveFace())
        face->setAlignment(TextFormatRules::alignmentForTag(tag));
}

void TMDIChild::toggleBullets()
{
    TMyRxRichEdit *face = ActiveFace();
    if (!face)
        return;
    QTextCursor cursor = face->textCursor();
    const QTextList *current = cursor.currentList();
    cursor.beginEditBlock();
    if (current && current->format().style() == QTextListFormat::ListDisc) {
        QTextBlock block = face->document()->findBlock(cursor.selectionStart());
        const QTextBlock last = face->document()->findBlock(cursor.selectionEnd());
        for (;;) {
            if (QTextList *list = block.textList())
                list->remove(block);
            QTextCursor at(block);
            QTextBlockFormat format = block.blockFormat();
            format.setIndent(0);
            format.setTextIndent(0);
            at.setBlockFormat(format);
            if (block == last || !block.next().isValid())
                break;
            block = block.next();
        }
    } else {
        // One indent step (40 pixels, 30 points) holds the bullet, the
        // text hanging beside it.
        QTextListFormat format;
        format.setStyle(QTextListFormat::ListDisc);
        format.setIndent(1);
        cursor.createList(format);
        TextFormatRules::matchBulletsToText(cursor);
    }
    cursor.endEditBlock();
}

void TMDIChild::AlsStandardfont()
{
    if (shownPage() == FrontPage)
        m_set.setStandardFontFront(
            TextFormatRules::fontRecord(TextFormatRules::selectionAttributes(m_front->textCursor()), m_front->font()));
    else
        m_set.setStandardFontBack(TextFormatRules::fontRecord(TextFormatRules::selectionAttributes(m_back->textCursor()), m_back->font()));
    // Also when the font was the standard one already.
    m_set.markChanged();
}

QColor TMDIChild::targetTextColor() const
{
    if (TMyRxRichEdit *face = ActiveFace()) {
        const QTextCharFormat format = TextFormatRules::selectionAttributes(face->textCursor());
        return format.hasProperty(QTextFormat::ForegroundBrush) ? format.foreground().color() : face->palette().color(QPalette::Text);
    }
    return FontRecordMapping::toQColor(m_set.printOptions().HeaderFont.Color);
}

QColor TMDIChild::faceBackColor() const
{
    TMyRxRichEdit *face = ActiveFace();
    if (!face)
        return QColor();
    const QTextCharFormat format = TextFormatRules::selectionAttributes(face->textCursor());
    return format.hasProperty(QTextFormat::BackgroundBrush) ? format.background().color() : face->palette().color(QPalette::Base);
}

QLineEdit *TMDIChild::KopfZeile() const
{
    return m_printLayout->KopfZeile();
}

QLineEdit *TMDIChild::CopyEdit() const
{
    return m_printLayout->CopyEdit();
}

void TMDIChild::showLoadedSet()
{
    m_printLayout->showSettings();
    // A set without cards, from a file that holds none, still shows one.
    if (m_set.count() == 0) {
        m_set.startNew(m_set.printOptions(), m_set.StandardFontFront(), m_set.StandardFontBack());
        showNewCard();
    } else {
        selectCard(0);
    }
    setPrinterOrientation(m_context.PrinterOrientation);
    showPage(FrontPage);
    showOrientation();
    m_front->setFocus();
}

void TMDIChild::showDocument()
{
    if (m_document->isNew())
        showNewSet();
    else
        showLoadedSet();
}

void TMDIChild::showNewSet()
{
    setCaption(CardSetFile::fileNamePart(m_set.FileName()));
    setPrinterOrientation(CardSetDocument::newSetOrientation());
    showOrientation();
    ++m_filling;
    for (auto [face, record] : {std::pair{m_front, m_set.StandardFontFront()}, std::pair{m_back, m_set.StandardFontBack()}}) {
        const QFont font = FontRecordMapping::toQFont(record);
        QFont editorFont = face->font();
        editorFont.setFamily(font.family());
        editorFont.setPointSize(record.Size);
        face->setFont(editorFont);
        face->setCurrentFont(font);
    }
    --m_filling;
    // A set made from a word list has its cards but none shown yet.
    if (m_set.CurrentIndex() < 0 && m_set.count() > 0)
        selectCard(0);
    else
        setCurrentRow(m_set.CurrentIndex());
    showPage(FrontPage);
    followShownFace();
    // The learner starts typing the first question at once.
    m_front->setFocus();
}

TMyRxRichEdit *TMDIChild::ActiveFace() const
{
    switch (m_pages->currentIndex()) {
    case FrontPage: return m_front;
    case BackPage: return m_back;
    default: return nullptr;
    }
}

TMyRxRichEdit *TMDIChild::editFace() const
{
    return m_pages->currentIndex() == FrontPage ? m_front : m_back;
}

int TMDIChild::shownPage() const
{
    return m_pages->currentIndex();
}

void TMDIChild::showPage(Page page)
{
    QWidget *leaving = m_pages->currentWidget();
    const QWidget *focus = QApplication::focusWidget();
    const bool focusOnLeaving = focus && leaving && leaving->isAncestorOf(focus);
    m_pages->setCurrentIndex(page);
    if (focusOnLeaving) {
        if (page == FrontPage)
            m_front->setFocus();
        else if (page == BackPage)
            m_back->setFocus();
        else
            m_printLayout->focusFirst();
    }
}

void TMDIChild::PagesChange(int index)
{
    if (index == FrontPage)
        m_front->setFocus();
    else if (index == BackPage)
        m_back->setFocus();
}

void TMDIChild::undoInFace()
{
    editFace()->undo();
    m_set.markChanged();
}

void TMDIChild::redoInFace()
{
    editFace()->redo();
    m_set.markChanged();
}

QString TMDIChild::orientationPicture() const
{
    return PrintLayoutPage::orientationPicture(m_portrait);
}

void TMDIChild::setPrinterOrientation(PageOrientation orientation)
{
    m_context.PrinterOrientation = orientation;
    if (m_printer)
        m_printer->setPageOrientation(orientation == PageOrientation::Landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
}

void TMDIChild::AusrichtungClick()
{
    const bool wasPortrait = m_context.PrinterOrientation == PageOrientation::Portrait;
    setPrinterOrientation(wasPortrait ? PageOrientation::Landscape : PageOrientation::Portrait);
    showOrientation();
    m_set.markChanged();
}

void TMDIChild::showOrientation()
{
    m_portrait = m_context.PrinterOrientation == PageOrientation::Portrait;
    m_printLayout->showOrientation(m_portrait);
    FitEditorsToCard();
}

void TMDIChild::AnzahlComboChange(int index)
{
    m_printLayout->chooseCardsPerSheet(index);
}

QSize TMDIChild::fittedClientSize(const PrintOptions &options, QPrinter *printer, const QPageLayout &layout,
                                  const ProgramSettings *settings, const QPaintDevice *screen)
{
    // Without a printer the editors keep the text area of one card of an
    // 8-card sheet, roughly.
    if (!printer)
        return kEditorSize;
    const PrinterMetrics metrics = PrinterMetrics::fromPageLayout(layout, printer->resolution());
    const PrintCalibration calibration = settings ? settings->calibration() : PrintCalibration();
    return EditorFit::clientSize(options, calibration, metrics, printer, screen);
}

QSize TMDIChild::fittedClientSize() const
{
    return fittedClientSize(m_set.printOptions(), m_printer, m_printer ? m_printer->pageLayout() : QPageLayout(), m_settings, this);
}

qreal TMDIChild::newSetPictureWidth(QPrinter *printer, const ProgramSettings *settings, const QPaintDevice *screen)
{
    QPageLayout layout = printer ? printer->pageLayout() : QPageLayout();
    layout.setOrientation(CardSetDocument::newSetOrientation() == PageOrientation::Landscape ? QPageLayout::Landscape
                                                                                             : QPageLayout::Portrait);
    const QSize client = fittedClientSize(CardSetDocument::newSetOptions(), printer, layout, settings, screen);
    return client.width() - 2 * QTextDocument().documentMargin();
}

void TMDIChild::FitEditorsToCard()
{
    const QSize client = fittedClientSize();
    for (TMyRxRichEdit *face : {m_back, m_front}) {
        const int frame = 2 * face->frameWidth();
        face->setFixedSize(client + QSize(frame, frame));
        // The scroll box's content follows the editor, or it would clip it.
        if (QWidget *holder = face->parentWidget())
            holder->adjustSize();
    }
}

void TMDIChild::useSettings(const ProgramSettings *settings)
{
    m_settings = settings;
    FitEditorsToCard();
}

bool TMDIChild::FormCloseQuery()
{
    if (!m_set.Modified())
        return true;
    return m_dialogs->confirmClose(this);
}

void TMDIChild::FormClose()
{
    emit documentClosed(this);
}

void TMDIChild::closeEvent(QCloseEvent *event)
{
    if (m_closed) {
        event->accept();
        return;
    }
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    m_closed = true;
    FormClose();
    event->accept();
}
