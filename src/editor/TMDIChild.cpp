#include "editor/TMDIChild.h"

#include "editor/CardOperations.h"
#include "richtext/FontRecordMapping.h"
#include "editor/PrintOptionRules.h"
#include "editor/ProgramPictures.h"
#include "editor/TMyRxRichEdit.h"
#include "editor/UserDialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPrinter>
#include <QScrollArea>
#include <QSpinBox>
#include <QSplitter>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextList>
#include <QToolButton>
#include <QVBoxLayout>

#include <climits>

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

QSpinBox *makeSpin(QWidget *parent, const QString &name, int minimum, int maximum)
{
    auto *spin = new QSpinBox(parent);
    spin->setObjectName(name);
    spin->setRange(minimum, maximum);
    return spin;
}

QCheckBox *makeCheck(QWidget *parent, const QString &name, const QString &caption)
{
    auto *box = new QCheckBox(caption, parent);
    box->setObjectName(name);
    return box;
}

} // namespace

TMDIChild::TMDIChild(CardSetFileContext &context, QPrinter *printer, UserDialogs *dialogs, QWidget *parent)
    : QWidget(parent)
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
    setWindowTitle(QStringLiteral("Lade..."));
    setFont(arialPixels(13));
    resize(kDefaultSize);

    m_set.CurrentIndex = -1;
    m_set.Modified = false;
    m_set.FileName.clear();

    m_cardList = new QListWidget(this);
    m_cardList->setObjectName(QStringLiteral("Kartenliste"));
    m_cardList->setSelectionMode(QAbstractItemView::SingleSelection);
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
    m_pages->addTab(makeOptionsPage(), QStringLiteral("Spezielle Optionen"));
    m_pages->setCurrentIndex(FrontPage);

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
        face->installEventFilter(this);
        connect(face, &QTextEdit::textChanged, this, &TMDIChild::faceChanged);
        connect(face, &QTextEdit::cursorPositionChanged, this, [this, face] { emit VorderseiteSelectionChange(face); });
        connect(face, &QTextEdit::selectionChanged, this, [this, face] { emit VorderseiteSelectionChange(face); });
    }
    makePopupMenus();

    connect(m_cardList, &QListWidget::currentRowChanged, this, [this] {
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

    // The creation defaults of the print options.
    m_set.RandAbstand = 30;
    m_set.TextAbstand = 20;
    m_set.titelProzent = 10;
    m_set.PrintFadenkreuz = true;
    m_set.WebStyle = true;
    m_set.PrintNummer = true;
    m_set.PrintKopfZeile = false;
    m_set.PrintCR = false;
    m_set.AktPrintCards = 4;
    m_set.HeaderFont = FontRecordMapping::fromQFont(m_kopfZeile->font(), StoredColor::SystemWindowText);
    m_set.HeaderFont.Name = QStringLiteral("Arial");
    m_set.HeaderFont.Size = 10;
    m_portrait = m_context.PrinterOrientation == PageOrientation::Portrait;
    showSettings();
    FitEditorsToCard();

    m_set.StandardFontFront = FontRecord();
    m_set.StandardFontBack = FontRecord();
    AddCard();
    FormResize();
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

QWidget *TMDIChild::makeOptionsPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("Optionen"));
    m_optionsScroll = new QScrollArea(page);
    m_optionsScroll->setObjectName(QStringLiteral("ScrollBox3"));
    m_optionsScroll->setWidgetResizable(true);
    m_optionsScroll->setFrameShape(QFrame::NoFrame);
    auto *content = new QWidget;
    content->setObjectName(QStringLiteral("OptionenInhalt"));
    content->setMinimumSize(512, 336);
    fillBackground(content, boxColor());
    fillBackground(m_optionsScroll->viewport(), boxColor());
    m_optionsScroll->setWidget(content);
    content->installEventFilter(this);
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_optionsScroll);

    m_anzahlCombo = new QComboBox(content);
    m_anzahlCombo->setObjectName(QStringLiteral("AnzahlCombo"));
    m_anzahlCombo->addItems(PrintOptionRules::cardsPerSheetEntries());
    m_anzahlCombo->setGeometry(8, 14, 140, 24);

    auto *orientationLabel = new QLabel(QStringLiteral("Papierausrichtung:"), content);
    orientationLabel->setObjectName(QStringLiteral("Label1"));
    orientationLabel->setGeometry(170, 18, 120, 18);
    m_ausrichtung = new QToolButton(content);
    m_ausrichtung->setObjectName(QStringLiteral("Ausrichtung"));
    m_ausrichtung->setAutoRaise(true);
    m_ausrichtung->setGeometry(290, 4, 52, 52);
    m_ausrichtung->setIconSize(QSize(44, 44));

    m_titelDrucken = makeCheck(content, QStringLiteral("TitelDrucken"), QStringLiteral("Kopfzeile drucken"));
    m_titelDrucken->setGeometry(8, 70, 150, 22);
    m_kopfZeile = new QLineEdit(content);
    m_kopfZeile->setObjectName(QStringLiteral("KopfZeile"));
    m_kopfZeile->setGeometry(170, 68, 300, 24);

    m_copyRCheck = makeCheck(content, QStringLiteral("CopyRCheck"), QStringLiteral("Fußzeile ausdrucken"));
    m_copyRCheck->setGeometry(8, 100, 160, 22);
    m_copyEdit = new QLineEdit(content);
    m_copyEdit->setObjectName(QStringLiteral("CopyEdit"));
    m_copyEdit->setGeometry(170, 98, 300, 24);

    m_kNummer = makeCheck(content, QStringLiteral("KNummer"), QStringLiteral("Kartennummer drucken"));
    m_kNummer->setGeometry(8, 134, 200, 22);
    m_webCheck = makeCheck(content, QStringLiteral("WebCheck"), QStringLiteral("WebStyle"));
    m_webCheck->setGeometry(8, 158, 200, 22);
    m_schnittKanten = makeCheck(content, QStringLiteral("SchnittKantenDrucken"), QStringLiteral("Schnittkanten"));
    m_schnittKanten->setGeometry(8, 182, 200, 22);

    auto *marginLabel = new QLabel(QStringLiteral("Größen-\nänderungen\nder Kopfzeile\nin Pixel:"), content);
    marginLabel->setObjectName(QStringLiteral("Label4"));
    marginLabel->setGeometry(230, 130, 100, 72);
    m_obenSpin = makeSpin(content, QStringLiteral("ObenSpin"), INT_MIN, INT_MAX);
    m_obenSpin->setGeometry(388, 130, 60, 24);
    m_linksSpin = makeSpin(content, QStringLiteral("LinksSpin"), INT_MIN, INT_MAX);
    m_linksSpin->setGeometry(330, 158, 60, 24);
    m_rechtsSpin = makeSpin(content, QStringLiteral("RechtsSpin"), INT_MIN, INT_MAX);
    m_rechtsSpin->setGeometry(446, 158, 60, 24);
    m_untenSpin = makeSpin(content, QStringLiteral("UntenSpin"), INT_MIN, INT_MAX);
    m_untenSpin->setGeometry(388, 186, 60, 24);

    m_bevel = new QFrame(content);
    m_bevel->setObjectName(QStringLiteral("Bevel1"));
    m_bevel->setFrameShape(QFrame::HLine);
    m_bevel->setFrameShadow(QFrame::Sunken);
    m_bevel->setGeometry(3, 218, 600, 4);

    auto *randLabel = new QLabel(QStringLiteral("Wieviel Pixel Abstand soll zwischen Rand und Text bestehen:"), content);
    randLabel->setObjectName(QStringLiteral("Label2"));
    randLabel->setGeometry(8, 230, 560, 18);
    m_randSpin = makeSpin(content, QStringLiteral("RandSpin"), PrintOptionRules::RandMinimum, PrintOptionRules::RandMaximum);
    m_randSpin->setGeometry(8, 250, 80, 24);
    auto *textLabel = new QLabel(QStringLiteral("Wieviel Pixel-Abstand soll zwischen Titelzeile und Text bestehen:"), content);
    textLabel->setObjectName(QStringLiteral("Label3"));
    textLabel->setGeometry(8, 284, 560, 18);
    m_textSpin = makeSpin(content, QStringLiteral("TextSpin"), PrintOptionRules::TextMinimum, PrintOptionRules::TextMaximum);
    m_textSpin->setGeometry(8, 304, 80, 24);

    // The header/text split exists but is never shown; it only carries
    // titelProzent through a load and a save.
    auto *shareLabel = new QLabel(QStringLiteral("Wie sollen Titelzeile und Text im Verhältnis zueinander ausgedruckt werden:"), content);
    shareLabel->setObjectName(QStringLiteral("Label5"));
    shareLabel->setGeometry(8, 160, 560, 18);
    shareLabel->hide();
    m_basisPanel = new QFrame(content);
    m_basisPanel->setObjectName(QStringLiteral("BasisPanel"));
    m_basisPanel->setGeometry(8, 180, 120, 150);
    m_titelSplitter = new QSplitter(Qt::Vertical, m_basisPanel);
    m_titelSplitter->setObjectName(QStringLiteral("RxSplitter1"));
    m_titelSplitter->setGeometry(0, 0, 120, 150);
    m_titelPanel = new QLabel(m_titelSplitter);
    m_titelPanel->setObjectName(QStringLiteral("titelPanel"));
    m_titelPanel->setMinimumHeight(5);
    m_textPanel = new QLabel(m_titelSplitter);
    m_textPanel->setObjectName(QStringLiteral("TextPanel"));
    m_textPanel->setMinimumHeight(5);
    auto *spinButton = new QSpinBox(m_basisPanel);
    spinButton->setObjectName(QStringLiteral("RxSpinButton1"));
    spinButton->hide();
    m_basisPanel->hide();
    connect(m_titelSplitter, &QSplitter::splitterMoved, this, [this] {
        m_set.titelProzent = PrintOptionRules::titlePercent(m_titelPanel->height(), m_basisPanel->height());
        m_titelPanel->setText(QString::number(m_set.titelProzent) + QStringLiteral(" %"));
        m_textPanel->setText(QString::number(100 - m_set.titelProzent) + QStringLiteral(" %"));
        optionChanged();
    });

    connect(m_anzahlCombo, &QComboBox::activated, this, &TMDIChild::AnzahlComboChange);
    connect(m_ausrichtung, &QToolButton::clicked, this, &TMDIChild::AusrichtungClick);
    const auto checkHandler = [this](QCheckBox *box, bool CardSet::*member) {
        connect(box, &QCheckBox::toggled, this, [this, member](bool on) {
            m_set.*member = on;
            optionChanged();
        });
    };
    checkHandler(m_titelDrucken, &CardSet::PrintKopfZeile);
    checkHandler(m_kNummer, &CardSet::PrintNummer);
    checkHandler(m_copyRCheck, &CardSet::PrintCR);
    checkHandler(m_webCheck, &CardSet::WebStyle);
    checkHandler(m_schnittKanten, &CardSet::PrintFadenkreuz);
    connect(m_randSpin, &QSpinBox::valueChanged, this, [this](int value) {
        m_set.RandAbstand = value;
        optionChanged();
    });
    connect(m_textSpin, &QSpinBox::valueChanged, this, [this](int value) {
        m_set.TextAbstand = value;
        optionChanged();
    });
    const auto marginHandler = [this](QSpinBox *spin, qint32 HeaderMarginSet::*member) {
        connect(spin, &QSpinBox::valueChanged, this, [this, member](int value) {
            m_set.HeaderMargins.*member = value;
            optionChanged();
        });
    };
    marginHandler(m_obenSpin, &HeaderMarginSet::Top);
    marginHandler(m_untenSpin, &HeaderMarginSet::Bottom);
    marginHandler(m_rechtsSpin, &HeaderMarginSet::Right);
    marginHandler(m_linksSpin, &HeaderMarginSet::Left);
    connect(m_kopfZeile, &QLineEdit::textChanged, this, [this](const QString &text) {
        m_set.HeaderText = text;
        optionChanged();
    });
    connect(m_copyEdit, &QLineEdit::textChanged, this, [this](const QString &text) {
        m_set.Copyright = text;
        optionChanged();
    });
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
            setModified(true);
        });
    };
    const auto command = [this](const QString &name, const QString &caption, const QString &mainCommand) {
        QAction *entry = m_popup->addAction(caption);
        entry->setObjectName(name);
        connect(entry, &QAction::triggered, this, [this, mainCommand] { emit commandRequested(mainCommand); });
    };
    edit(QStringLiteral("Rueckgaengig1"), QStringLiteral("Rückgängig"), QKeySequence(), [](TMyRxRichEdit *face) { face->undo(); });
    edit(QStringLiteral("Wiederherstellen1"), QStringLiteral("Wiederherstellen"), QKeySequence(), [](TMyRxRichEdit *face) { face->redo(); });
    m_popup->addSeparator();
    edit(QStringLiteral("Ausschneiden1"), QStringLiteral("Ausschneiden"), QKeySequence(Qt::CTRL | Qt::Key_X), [](TMyRxRichEdit *face) { face->cut(); });
    edit(QStringLiteral("Kopieren1"), QStringLiteral("Kopieren"), QKeySequence(Qt::CTRL | Qt::Key_C), [](TMyRxRichEdit *face) { face->copy(); });
    edit(QStringLiteral("Einfuegen1"), QStringLiteral("Einfügen"), QKeySequence(Qt::CTRL | Qt::Key_V), [](TMyRxRichEdit *face) { face->paste(); });
    edit(QStringLiteral("Loeschen1"), QStringLiteral("Löschen"), QKeySequence(Qt::CTRL | Qt::Key_Delete),
         [](TMyRxRichEdit *face) { face->textCursor().removeSelectedText(); });
    m_popup->addSeparator();
    command(QStringLiteral("GanzeKartekopieren2"), QStringLiteral("Ganze Karte kopieren"), QStringLiteral("GanzeKartekopieren1"));
    command(QStringLiteral("GanzeKarteeinfuegen2"), QStringLiteral("Ganze Karte einfügen"), QStringLiteral("GanzeKarteeinfuegen1"));
    command(QStringLiteral("PositionderKarteverschieben2"), QStringLiteral("Position der Karte verschieben"),
            QStringLiteral("PositionderKarteverschieben1"));
    m_popup->addSeparator();
    command(QStringLiteral("AlsStandardfont2"), QStringLiteral("Als Standardfont"), QStringLiteral("AlsStandardfont1"));
    m_popup->addSeparator();
    command(QStringLiteral("Bildeinfuegen2"), QStringLiteral("Bild einfügen"), QStringLiteral("ToolButton19"));
    command(QStringLiteral("Objekteinfuegen2"), QStringLiteral("Objekt einfügen"), QStringLiteral("ToolButton23"));
    for (TMyRxRichEdit *face : {m_front, m_back}) {
        connect(face, &QWidget::customContextMenuRequested, this,
                [this, face](const QPoint &pos) { m_popup->popup(face->viewport()->mapToGlobal(pos)); });
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
    marks(QStringLiteral("AlleEintraegeselektieren1"), QStringLiteral("Alle Einträge selektieren"), [this] { setMarks(0, true); });
    marks(QStringLiteral("KeinenEintragselektieren1"), QStringLiteral("Keinen Eintrag selektieren"), [this] { setMarks(0, false); });
    m_cardPopup->addSeparator();
    marks(QStringLiteral("Vonhierabselektieren1"), QStringLiteral("Von hier ab selektieren"), [this] {
        if (m_cardList->currentRow() >= 0)
            setMarks(m_cardList->currentRow(), true);
    });
    marks(QStringLiteral("Vonhieramdeselektieren1"), QStringLiteral("Von hier am deselektieren"), [this] {
        if (m_cardList->currentRow() >= 0)
            setMarks(m_cardList->currentRow(), false);
    });
    connect(m_cardList, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { m_cardPopup->popup(m_cardList->viewport()->mapToGlobal(pos)); });
}

void TMDIChild::setMarks(int from, bool checked)
{
    for (int i = from; i < m_cardList->count(); ++i)
        m_cardList->item(i)->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
}

void TMDIChild::setModified(bool modified)
{
    m_set.Modified = modified;
}

void TMDIChild::faceChanged()
{
    if (!m_filling)
        setModified(true);
}

void TMDIChild::optionChanged()
{
    if (!m_filling)
        setModified(true);
}

void TMDIChild::StoreCurrentCard()
{
    const int index = m_set.CurrentIndex;
    if (index < 0 || index >= m_set.Fronts.size() || index >= m_set.Backs.size())
        return;
    // A face the user has not touched keeps its bytes: re-encoding it could
    // only lose what the codec does not understand.
    if (!m_front->holdsLoaded(m_set.Fronts.at(index)))
        m_set.Fronts[index] = m_front->saveRtf();
    if (!m_back->holdsLoaded(m_set.Backs.at(index)))
        m_set.Backs[index] = m_back->saveRtf();
}

void TMDIChild::ShowCurrentCard()
{
    const int index = m_set.CurrentIndex;
    if (index < 0 || index >= m_set.Fronts.size() || index >= m_set.Backs.size())
        return;
    ++m_filling;
    m_front->loadRtf(m_set.Fronts.at(index));
    m_back->loadRtf(m_set.Backs.at(index));
    --m_filling;
}

void TMDIChild::KartenlisteClick()
{
    const bool wasModified = m_set.Modified;
    StoreCurrentCard();
    m_set.CurrentIndex = m_cardList->currentRow();
    ShowCurrentCard();
    m_set.Modified = wasModified;
}

void TMDIChild::selectCard(int index)
{
    ++m_filling;
    m_cardList->setCurrentRow(index);
    --m_filling;
    KartenlisteClick();
}

void TMDIChild::appendListItem(int index)
{
    auto *item = new QListWidgetItem(CardSet::cardCaption(index));
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Unchecked);
    item->setSizeHint(QSize(0, 16));
    m_cardList->addItem(item);
}

void TMDIChild::AddCard()
{
    StoreCurrentCard();
    ++m_filling;
    const int index = m_set.AddCard();
    m_front->loadRtf(QByteArray());
    m_back->loadRtf(QByteArray());
    appendListItem(m_cardList->count());
    m_set.CurrentIndex = index;
    m_cardList->setCurrentRow(index);
    for (auto [face, record] : {std::pair{m_front, m_set.StandardFontFront}, std::pair{m_back, m_set.StandardFontBack}}) {
        QTextCharFormat format;
        format.setFont(FontRecordMapping::toQFont(record));
        format.setForeground(FontRecordMapping::toQColor(record.Color));
        face->setCurrentCharFormat(format);
    }
    --m_filling;
    setModified(true);
}

bool TMDIChild::DeleteCard()
{
    const int index = m_cardList->currentRow();
    if (index < 0)
        return false;
    if (!m_dialogs->question(this, QStringLiteral("Soll die Karteikarte wirklich gelöscht werden?"), true))
        return false;
    // Edits of another card than the one going are kept.
    if (index != m_set.CurrentIndex)
        StoreCurrentCard();
    if (!CardOperations::removeCard(m_set, index))
        return false;
    ++m_filling;
    delete m_cardList->takeItem(index);
    for (int i = 0; i < m_cardList->count(); ++i)
        m_cardList->item(i)->setText(CardSet::cardCaption(i));
    --m_filling;
    if (m_set.count() == 0)
        AddCard();
    else
        selectCard(0);
    setModified(true);
    return true;
}

void TMDIChild::moveCurrentCardTo(int target)
{
    if (!CardOperations::moveCard(m_set, m_set.CurrentIndex, target))
        return;
    ++m_filling;
    m_cardList->setCurrentRow(target);
    --m_filling;
    ShowCurrentCard();
    setModified(true);
}

void TMDIChild::copyWholeCard(QByteArray &front, QByteArray &back) const
{
    front = m_front->saveRtf();
    back = m_back->saveRtf();
}

void TMDIChild::pasteWholeCard(const QByteArray &front, const QByteArray &back)
{
    ++m_filling;
    m_front->loadRtf(front);
    m_back->loadRtf(back);
    --m_filling;
    setModified(true);
}

void TMDIChild::mergeIntoFace(const QTextCharFormat &change)
{
    if (TMyRxRichEdit *face = ActiveFace())
        face->mergeCurrentCharFormat(change);
}

void TMDIChild::changeHeader(const std::function<void(CardSet &)> &change)
{
    change(m_set);
    applyHeaderLook();
    // The header's look is saved with the set: a change left unmarked would
    // be lost without a question on closing.
    setModified(true);
}

void TMDIChild::toggleStyle(TextFormatRules::Style style)
{
    if (TMyRxRichEdit *face = ActiveFace())
        mergeIntoFace(TextFormatRules::toggled(TextFormatRules::selectionAttributes(face->textCursor()), style));
    else
        changeHeader([style](CardSet &set) { TextFormatRules::toggle(set.HeaderFont, style); });
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
        changeHeader([family](CardSet &set) { set.HeaderFont.Name = family; });
    }
}

void TMDIChild::applyFontSize(int points)
{
    if (ActiveFace()) {
        QTextCharFormat change;
        change.setFontPointSize(points);
        mergeIntoFace(change);
    } else {
        changeHeader([points](CardSet &set) { set.HeaderFont.Size = points; });
    }
    setModified(true);
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
        changeHeader([color](CardSet &set) { set.HeaderFont.Color = FontRecordMapping::fromQColor(color); });
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
        changeHeader([color](CardSet &set) { set.HeaderColor = FontRecordMapping::fromQColor(color); });
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
    }
    cursor.endEditBlock();
}

void TMDIChild::AlsStandardfont()
{
    if (shownPage() == FrontPage)
        m_set.StandardFontFront = TextFormatRules::fontRecord(TextFormatRules::selectionAttributes(m_front->textCursor()), m_front->font());
    else
        m_set.StandardFontBack = TextFormatRules::fontRecord(TextFormatRules::selectionAttributes(m_back->textCursor()), m_back->font());
    setModified(true);
}

QColor TMDIChild::targetTextColor() const
{
    if (TMyRxRichEdit *face = ActiveFace()) {
        const QTextCharFormat format = TextFormatRules::selectionAttributes(face->textCursor());
        return format.hasProperty(QTextFormat::ForegroundBrush) ? format.foreground().color() : face->palette().color(QPalette::Text);
    }
    return FontRecordMapping::toQColor(m_set.HeaderFont.Color);
}

QColor TMDIChild::faceBackColor() const
{
    TMyRxRichEdit *face = ActiveFace();
    if (!face)
        return QColor();
    const QTextCharFormat format = TextFormatRules::selectionAttributes(face->textCursor());
    return format.hasProperty(QTextFormat::BackgroundBrush) ? format.background().color() : face->palette().color(QPalette::Base);
}

void TMDIChild::showSettings()
{
    ++m_filling;
    const int comboIndex = PrintOptionRules::comboIndexForCards(m_set.AktPrintCards);
    if (comboIndex >= 0)
        m_anzahlCombo->setCurrentIndex(comboIndex);
    m_titelDrucken->setChecked(m_set.PrintKopfZeile);
    m_kNummer->setChecked(m_set.PrintNummer);
    m_copyRCheck->setChecked(m_set.PrintCR);
    m_webCheck->setChecked(m_set.WebStyle);
    m_schnittKanten->setChecked(m_set.PrintFadenkreuz);
    // The fields hold their ranges; a value outside shows as the nearest
    // bound, and the set takes what is shown.
    m_randSpin->setValue(m_set.RandAbstand);
    m_set.RandAbstand = m_randSpin->value();
    m_textSpin->setValue(m_set.TextAbstand);
    m_set.TextAbstand = m_textSpin->value();
    m_obenSpin->setValue(m_set.HeaderMargins.Top);
    m_untenSpin->setValue(m_set.HeaderMargins.Bottom);
    m_rechtsSpin->setValue(m_set.HeaderMargins.Right);
    m_linksSpin->setValue(m_set.HeaderMargins.Left);
    m_kopfZeile->setText(m_set.HeaderText);
    m_copyEdit->setText(m_set.Copyright);
    applyHeaderLook();
    // The stored share is shown, not recomputed from pixel heights, which
    // would round it.
    const int base = m_basisPanel->height();
    const int title = PrintOptionRules::titleHeight(m_set.titelProzent, base);
    m_titelSplitter->setSizes({title, base - title});
    m_titelPanel->setText(QString::number(m_set.titelProzent) + QStringLiteral(" %"));
    m_textPanel->setText(QString::number(100 - m_set.titelProzent) + QStringLiteral(" %"));
    --m_filling;
}

void TMDIChild::applyHeaderLook()
{
    const QFont font = FontRecordMapping::toQFont(m_set.HeaderFont);
    m_kopfZeile->setFont(font);
    m_copyEdit->setFont(font);
    QPalette palette = m_kopfZeile->palette();
    palette.setColor(QPalette::Base, FontRecordMapping::toQColor(m_set.HeaderColor));
    palette.setColor(QPalette::Text, FontRecordMapping::toQColor(m_set.HeaderFont.Color));
    m_kopfZeile->setPalette(palette);
}

void TMDIChild::showLoadedSet()
{
    // A load that stopped half way may leave the lists of unequal length or
    // empty; the window shows what was read as complete cards.
    const qsizetype count = std::max({m_set.Fronts.size(), m_set.Backs.size(), m_set.Boxes.size()});
    m_set.Fronts.resize(count);
    m_set.Backs.resize(count);
    while (m_set.Boxes.size() < count)
        m_set.Boxes.append(1);

    ++m_filling;
    m_cardList->clear();
    for (int i = 0; i < count; ++i)
        appendListItem(i);
    --m_filling;
    m_set.CurrentIndex = -1;
    showSettings();
    if (count == 0)
        AddCard();
    else
        selectCard(0);
    setPrinterOrientation(m_context.PrinterOrientation);
    showPage(FrontPage);
    AusrichtungClick();
    AusrichtungClick();
    m_front->setFocus();
    setModified(false);
}

void TMDIChild::prepareNewSet(const QString &fileName)
{
    m_set.FileName = fileName;
    setWindowTitle(CardSetFile::fileNamePart(fileName));
    m_anzahlCombo->setCurrentIndex(PrintOptionRules::comboIndexForCards(8));
    AnzahlComboChange(m_anzahlCombo->currentIndex());
    setPrinterOrientation(PageOrientation::Landscape);
    AusrichtungClick();

    FontRecord arial12;
    arial12.Name = QStringLiteral("Arial");
    arial12.Size = 12;
    arial12.Color = StoredColor::Black;
    ++m_filling;
    for (TMyRxRichEdit *face : {m_front, m_back}) {
        const QFont font = FontRecordMapping::toQFont(arial12);
        QFont editorFont = face->font();
        editorFont.setFamily(font.family());
        editorFont.setPointSize(12);
        face->setFont(editorFont);
        face->setCurrentFont(font);
    }
    --m_filling;
    showPage(FrontPage);
    // The learner starts typing the first question at once.
    m_front->setFocus();
    setModified(false);
    m_set.StandardFontFront = arial12;
    m_set.StandardFontBack = arial12;
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
            m_anzahlCombo->setFocus();
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
    setModified(true);
}

void TMDIChild::redoInFace()
{
    editFace()->redo();
    setModified(true);
}

QString TMDIChild::orientationPicture() const
{
    return m_portrait ? QStringLiteral("hochkant.bmp") : QStringLiteral("querkant.bmp");
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
    m_portrait = !wasPortrait;
    const QString picture = orientationPicture();
    const QString path = ProgramPictures::path(picture);
    if (QFile::exists(path)) {
        m_ausrichtung->setIcon(QIcon(path));
        m_ausrichtung->setText(QString());
        m_ausrichtung->setToolButtonStyle(Qt::ToolButtonIconOnly);
    } else {
        m_ausrichtung->setIcon(QIcon());
        m_ausrichtung->setText(m_portrait ? QStringLiteral("Hoch") : QStringLiteral("Quer"));
        m_ausrichtung->setToolButtonStyle(Qt::ToolButtonTextOnly);
    }
    m_ausrichtung->setToolTip(m_portrait ? QStringLiteral("Hochformat") : QStringLiteral("Querformat"));
    m_ausrichtung->setProperty("picture", picture);
    FitEditorsToCard();
    setModified(true);
}

void TMDIChild::AnzahlComboChange(int index)
{
    const int cards = PrintOptionRules::cardsForComboIndex(index);
    if (cards == 0)
        return;
    m_set.AktPrintCards = cards;
    FitEditorsToCard();
    setModified(true);
}

void TMDIChild::FitEditorsToCard()
{
    // The sheet geometry is not here yet: both editors keep one fixed size.
    for (TMyRxRichEdit *face : {m_back, m_front}) {
        face->setFixedSize(kEditorSize);
        // The scroll box's content follows the editor, or it would clip it.
        if (QWidget *holder = face->parentWidget())
            holder->adjustSize();
    }
}

void TMDIChild::FormResize()
{
    if (!m_optionsScroll || !m_optionsScroll->widget())
        return;
    const int width = m_optionsScroll->widget()->width();
    for (QLineEdit *edit : {m_kopfZeile, m_copyEdit})
        edit->resize(std::max(40, width - 3 - edit->x()), edit->height());
    m_bevel->resize(std::max(10, width - 6), m_bevel->height());
}

void TMDIChild::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    FormResize();
}

bool TMDIChild::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Resize && m_optionsScroll && watched == m_optionsScroll->widget()) {
        FormResize();
        return false;
    }
    if (event->type() == QEvent::KeyPress && (watched == m_front || watched == m_back)) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const bool inFront = watched == m_front;
        switch (key->key()) {
        case Qt::Key_F1: emit commandRequested(QStringLiteral("ToolButton12")); break;
        case Qt::Key_F2: showPage(inFront ? BackPage : FrontPage); break;
        case Qt::Key_F3: emit commandRequested(QStringLiteral("ToolButton24")); break;
        case Qt::Key_F4: emit commandRequested(QStringLiteral("ToolButton14")); break;
        case Qt::Key_F5: emit commandRequested(QStringLiteral("ToolButton15")); break;
        case Qt::Key_F6: emit commandRequested(QStringLiteral("ToolButton16")); break;
        default: break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

bool TMDIChild::FormCloseQuery()
{
    if (!m_set.Modified)
        return true;
    return m_dialogs->confirmClose(this);
}

void TMDIChild::FormClose()
{
    emit documentClosed(this);
    m_set.clearCards();
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
