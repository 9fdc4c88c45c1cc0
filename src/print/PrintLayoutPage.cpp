#include "print/PrintLayoutPage.h"

#include "program/ProgramFolder.h"

#include "cardset/CardSet.h"
#include "richtext/FontRecordMapping.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QSpinBox>
#include <QSplitter>
#include <QToolButton>
#include <QVBoxLayout>

#include <climits>

namespace {

const QSize kContentMinimum(512, 336);
// The controls start this far from the content's left edge; the line edits
// and the bevel end this far from its right edge.
const int kIndent = 8;
const int kEdge = 3;
// Where the header and footer lines and the size adjustments' label begin,
// from the content's left edge.
const int kEditColumn = 170;
const int kMarginColumn = 230;
const int kFieldHeight = 24;
const int kMarginSpinWidth = 60;
const int kDistanceSpinWidth = 80;

void fillBackground(QWidget *widget, const QColor &color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, color);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

QSpinBox *makeSpin(QWidget *parent, const QString &name, int minimum, int maximum, int width)
{
    auto *spin = new QSpinBox(parent);
    spin->setObjectName(name);
    spin->setRange(minimum, maximum);
    // The full int range would size the box for ten digits.
    spin->setFixedSize(width, kFieldHeight);
    return spin;
}

QCheckBox *makeCheck(QWidget *parent, const QString &name, const QString &caption)
{
    auto *box = new QCheckBox(caption, parent);
    box->setObjectName(name);
    box->setMinimumHeight(22);
    return box;
}

QLabel *makeLabel(QWidget *parent, const QString &name, const QString &caption)
{
    auto *label = new QLabel(caption, parent);
    label->setObjectName(name);
    return label;
}

QString percentText(int percent)
{
    return QString::number(percent) + QStringLiteral(" %");
}

} // namespace

PrintLayoutPage::PrintLayoutPage(CardSet &set, const QColor &background, QWidget *parent)
    : QWidget(parent)
    , m_set(set)
{
    setObjectName(QStringLiteral("Optionen"));
    auto *scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("ScrollBox3"));
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    auto *content = new QWidget;
    content->setObjectName(QStringLiteral("OptionenInhalt"));
    content->setMinimumSize(kContentMinimum);
    fillBackground(content, background);
    fillBackground(scroll->viewport(), background);

    // Created in their tab order.
    makeControls(content);
    arrange(content);
    scroll->setWidget(content);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll);
    connectControls();
    showSettings();
}

void PrintLayoutPage::makeControls(QWidget *content)
{
    m_anzahlCombo = new QComboBox(content);
    m_anzahlCombo->setObjectName(QStringLiteral("AnzahlCombo"));
    m_anzahlCombo->addItems({QStringLiteral("1 Karte/Blatt"), QStringLiteral("2 Karten/Blatt"), QStringLiteral("4 Karten/Blatt"),
                             QStringLiteral("8 Karten/Blatt")});
    m_anzahlCombo->setFixedSize(140, kFieldHeight);

    m_orientationLabel = makeLabel(content, QStringLiteral("Label1"), QStringLiteral("Papierausrichtung:"));
    m_orientationLabel->setMinimumWidth(120);
    m_ausrichtung = new QToolButton(content);
    m_ausrichtung->setObjectName(QStringLiteral("Ausrichtung"));
    m_ausrichtung->setAutoRaise(true);
    m_ausrichtung->setFixedSize(52, 52);
    m_ausrichtung->setIconSize(QSize(44, 44));

    m_titelDrucken = makeCheck(content, QStringLiteral("TitelDrucken"), QStringLiteral("Kopfzeile drucken"));
    m_kopfZeile = new QLineEdit(content);
    m_kopfZeile->setObjectName(QStringLiteral("KopfZeile"));
    m_copyRCheck = makeCheck(content, QStringLiteral("CopyRCheck"), QStringLiteral("Fußzeile ausdrucken"));
    m_copyEdit = new QLineEdit(content);
    m_copyEdit->setObjectName(QStringLiteral("CopyEdit"));
    for (QLineEdit *edit : {m_kopfZeile, m_copyEdit}) {
        edit->setMinimumWidth(40);
        edit->setMinimumHeight(kFieldHeight);
    }

    m_kNummer = makeCheck(content, QStringLiteral("KNummer"), QStringLiteral("Kartennummer drucken"));
    m_webCheck = makeCheck(content, QStringLiteral("WebCheck"), QStringLiteral("WebStyle"));
    m_schnittKanten = makeCheck(content, QStringLiteral("SchnittKantenDrucken"), QStringLiteral("Schnittkanten"));

    m_marginLabel = makeLabel(content, QStringLiteral("Label4"), QStringLiteral("Größen-\nänderungen\nder Kopfzeile\nin Pixel:"));
    m_marginLabel->setMinimumHeight(72);
    m_obenSpin = makeSpin(content, QStringLiteral("ObenSpin"), INT_MIN, INT_MAX, kMarginSpinWidth);
    m_linksSpin = makeSpin(content, QStringLiteral("LinksSpin"), INT_MIN, INT_MAX, kMarginSpinWidth);
    m_rechtsSpin = makeSpin(content, QStringLiteral("RechtsSpin"), INT_MIN, INT_MAX, kMarginSpinWidth);
    m_untenSpin = makeSpin(content, QStringLiteral("UntenSpin"), INT_MIN, INT_MAX, kMarginSpinWidth);

    m_bevel = new QFrame(content);
    m_bevel->setObjectName(QStringLiteral("Bevel1"));
    m_bevel->setFrameShape(QFrame::HLine);
    m_bevel->setFrameShadow(QFrame::Sunken);
    m_bevel->setFixedHeight(4);

    m_randLabel =
        makeLabel(content, QStringLiteral("Label2"), QStringLiteral("Wieviel Pixel Abstand soll zwischen Rand und Text bestehen:"));
    m_randSpin = makeSpin(content, QStringLiteral("RandSpin"), PrintOptions::RandMinimum, PrintOptions::RandMaximum, kDistanceSpinWidth);
    m_textLabel =
        makeLabel(content, QStringLiteral("Label3"), QStringLiteral("Wieviel Pixel-Abstand soll zwischen Titelzeile und Text bestehen:"));
    m_textSpin = makeSpin(content, QStringLiteral("TextSpin"), PrintOptions::TextMinimum, PrintOptions::TextMaximum, kDistanceSpinWidth);
    for (QLabel *label : {m_orientationLabel, m_randLabel, m_textLabel})
        label->setMinimumHeight(18);

    // The header/text split exists but is never shown, so it stays out of
    // the layout; it only carries titelProzent through a load and a save.
    auto *shareLabel = makeLabel(content, QStringLiteral("Label5"),
                                 QStringLiteral("Wie sollen Titelzeile und Text im Verhältnis zueinander ausgedruckt werden:"));
    shareLabel->hide();
    m_basisPanel = new QFrame(content);
    m_basisPanel->setObjectName(QStringLiteral("BasisPanel"));
    m_basisPanel->resize(120, 150);
    m_titelSplitter = new QSplitter(Qt::Vertical, m_basisPanel);
    m_titelSplitter->setObjectName(QStringLiteral("RxSplitter1"));
    m_titelSplitter->resize(m_basisPanel->size());
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
}

void PrintLayoutPage::arrange(QWidget *content)
{
    auto *page = new QVBoxLayout(content);
    page->setContentsMargins(kEdge, 4, kEdge, 0);
    page->setSpacing(0);
    const auto indented = [page](QLayout *part) {
        part->setContentsMargins(kIndent - kEdge, 0, 0, 0);
        page->addLayout(part);
    };

    // Cards per sheet, and the paper orientation above the header line.
    // The selector and the label sit a little below the picture's top.
    const auto lowered = [](QWidget *widget, int by) {
        auto *column = new QVBoxLayout;
        column->setContentsMargins(0, by, 0, 0);
        column->addWidget(widget, 0, Qt::AlignTop);
        return column;
    };
    auto *sheet = new QHBoxLayout;
    sheet->setSpacing(0);
    sheet->addLayout(lowered(m_anzahlCombo, 10));
    sheet->addSpacing(kEditColumn - kIndent - m_anzahlCombo->width());
    sheet->addLayout(lowered(m_orientationLabel, 14));
    sheet->addWidget(m_ausrichtung, 0, Qt::AlignTop);
    sheet->addStretch();
    indented(sheet);
    page->addSpacing(12);

    // The header and footer lines take the width the page has.
    auto *lines = new QGridLayout;
    lines->setHorizontalSpacing(0);
    lines->setVerticalSpacing(6);
    lines->setColumnMinimumWidth(0, kEditColumn - kIndent);
    lines->setColumnStretch(1, 1);
    lines->addWidget(m_titelDrucken, 0, 0, Qt::AlignBottom);
    lines->addWidget(m_kopfZeile, 0, 1);
    lines->addWidget(m_copyRCheck, 1, 0, Qt::AlignBottom);
    lines->addWidget(m_copyEdit, 1, 1);
    indented(lines);
    page->addSpacing(8);

    // What is printed besides the text, and the header band's size
    // adjustments laid out as the sides they move.
    auto *marks = new QVBoxLayout;
    marks->setContentsMargins(0, 4, 0, 0);
    marks->setSpacing(2);
    for (QCheckBox *box : {m_kNummer, m_webCheck, m_schnittKanten})
        marks->addWidget(box);
    auto *margins = new QGridLayout;
    margins->setSpacing(0);
    margins->setVerticalSpacing(4);
    margins->addWidget(m_obenSpin, 0, 1);
    margins->addWidget(m_linksSpin, 1, 0);
    margins->addWidget(m_rechtsSpin, 1, 2);
    margins->addWidget(m_untenSpin, 2, 1);
    auto *extras = new QGridLayout;
    extras->setSpacing(0);
    extras->setColumnMinimumWidth(0, kMarginColumn - kIndent);
    extras->setColumnMinimumWidth(1, 100);
    extras->addLayout(marks, 0, 0, Qt::AlignTop);
    extras->addWidget(m_marginLabel, 0, 1, Qt::AlignTop);
    extras->addLayout(margins, 0, 2, Qt::AlignLeft | Qt::AlignTop);
    extras->setColumnStretch(3, 1);
    indented(extras);
    page->addSpacing(8);

    page->addWidget(m_bevel);
    page->addSpacing(8);

    auto *distances = new QVBoxLayout;
    distances->setSpacing(2);
    distances->addWidget(m_randLabel);
    distances->addWidget(m_randSpin);
    distances->addSpacing(8);
    distances->addWidget(m_textLabel);
    distances->addWidget(m_textSpin);
    indented(distances);
    page->addStretch();
}

void PrintLayoutPage::connectControls()
{
    connect(m_titelSplitter, &QSplitter::splitterMoved, this, [this] {
        const int percent = PrintOptions::titlePercent(m_titelPanel->height(), m_basisPanel->height());
        m_titelPanel->setText(percentText(percent));
        m_textPanel->setText(percentText(100 - percent));
        changeOptions([percent](PrintOptions &options) { options.titelProzent = percent; });
    });

    connect(m_anzahlCombo, &QComboBox::activated, this, &PrintLayoutPage::chooseCardsPerSheet);
    connect(m_ausrichtung, &QToolButton::clicked, this, &PrintLayoutPage::orientationClicked);
    const auto checkHandler = [this](QCheckBox *box, bool PrintOptions::*member) {
        connect(box, &QCheckBox::toggled, this,
                [this, member](bool on) { changeOptions([member, on](PrintOptions &options) { options.*member = on; }); });
    };
    checkHandler(m_titelDrucken, &PrintOptions::PrintKopfZeile);
    checkHandler(m_kNummer, &PrintOptions::PrintNummer);
    checkHandler(m_copyRCheck, &PrintOptions::PrintCR);
    checkHandler(m_webCheck, &PrintOptions::WebStyle);
    checkHandler(m_schnittKanten, &PrintOptions::PrintFadenkreuz);
    const auto spinHandler = [this](QSpinBox *spin, const std::function<void(PrintOptions &, int)> &assign) {
        connect(spin, &QSpinBox::valueChanged, this,
                [this, assign](int value) { changeOptions([&assign, value](PrintOptions &options) { assign(options, value); }); });
    };
    spinHandler(m_randSpin, [](PrintOptions &options, int value) { options.RandAbstand = value; });
    spinHandler(m_textSpin, [](PrintOptions &options, int value) { options.TextAbstand = value; });
    spinHandler(m_obenSpin, [](PrintOptions &options, int value) { options.HeaderMargins.Top = value; });
    spinHandler(m_untenSpin, [](PrintOptions &options, int value) { options.HeaderMargins.Bottom = value; });
    spinHandler(m_rechtsSpin, [](PrintOptions &options, int value) { options.HeaderMargins.Right = value; });
    spinHandler(m_linksSpin, [](PrintOptions &options, int value) { options.HeaderMargins.Left = value; });
    connect(m_kopfZeile, &QLineEdit::textChanged, this,
            [this](const QString &text) { changeOptions([&text](PrintOptions &options) { options.HeaderText = text; }); });
    connect(m_copyEdit, &QLineEdit::textChanged, this,
            [this](const QString &text) { changeOptions([&text](PrintOptions &options) { options.Copyright = text; }); });
}

void PrintLayoutPage::showSettings()
{
    const PrintOptions &options = m_set.printOptions();
    ++m_filling;
    // A stored value that is no layout shows as the one it prints as.
    m_anzahlCombo->setCurrentIndex(PrintOptions::cardsPerSheetIndex(PrintOptions::nearestCardsPerSheet(options.AktPrintCards)));
    m_titelDrucken->setChecked(options.PrintKopfZeile);
    m_kNummer->setChecked(options.PrintNummer);
    m_copyRCheck->setChecked(options.PrintCR);
    m_webCheck->setChecked(options.WebStyle);
    m_schnittKanten->setChecked(options.PrintFadenkreuz);
    m_randSpin->setValue(options.RandAbstand);
    m_textSpin->setValue(options.TextAbstand);
    m_obenSpin->setValue(options.HeaderMargins.Top);
    m_untenSpin->setValue(options.HeaderMargins.Bottom);
    m_rechtsSpin->setValue(options.HeaderMargins.Right);
    m_linksSpin->setValue(options.HeaderMargins.Left);
    m_kopfZeile->setText(options.HeaderText);
    m_copyEdit->setText(options.Copyright);
    applyHeaderLook();
    // The stored share is shown, not recomputed from pixel heights, which
    // would round it.
    const int base = m_basisPanel->height();
    const int title = PrintOptions::titleHeight(options.titelProzent, base);
    m_titelSplitter->setSizes({title, base - title});
    m_titelPanel->setText(percentText(options.titelProzent));
    m_textPanel->setText(percentText(100 - options.titelProzent));
    --m_filling;
}

void PrintLayoutPage::applyHeaderLook()
{
    const PrintOptions &options = m_set.printOptions();
    const QFont font = FontRecordMapping::toQFont(options.HeaderFont);
    m_kopfZeile->setFont(font);
    m_copyEdit->setFont(font);
    QPalette palette = m_kopfZeile->palette();
    palette.setColor(QPalette::Base, FontRecordMapping::toQColor(options.HeaderColor));
    palette.setColor(QPalette::Text, FontRecordMapping::toQColor(options.HeaderFont.Color));
    m_kopfZeile->setPalette(palette);
}

void PrintLayoutPage::chooseCardsPerSheet(int index)
{
    const int cards = PrintOptions::cardsPerSheetForIndex(index);
    if (cards == 0)
        return;
    m_anzahlCombo->setCurrentIndex(index);
    PrintOptions options = m_set.printOptions();
    options.AktPrintCards = cards;
    m_set.setPrintOptions(options);
    emit layoutChanged();
    // Choosing the entry shown counts as a change too.
    m_set.markChanged();
}

QString PrintLayoutPage::orientationPicture(bool portrait)
{
    return portrait ? QStringLiteral("hochkant.bmp") : QStringLiteral("querkant.bmp");
}

void PrintLayoutPage::showOrientation(bool portrait)
{
    const QString picture = orientationPicture(portrait);
    const QString path = ProgramFolder::filePath(picture);
    if (QFile::exists(path)) {
        m_ausrichtung->setIcon(QIcon(path));
        m_ausrichtung->setText(QString());
        m_ausrichtung->setToolButtonStyle(Qt::ToolButtonIconOnly);
    } else {
        m_ausrichtung->setIcon(QIcon());
        m_ausrichtung->setText(portrait ? QStringLiteral("Hoch") : QStringLiteral("Quer"));
        m_ausrichtung->setToolButtonStyle(Qt::ToolButtonTextOnly);
    }
    m_ausrichtung->setToolTip(portrait ? QStringLiteral("Hochformat") : QStringLiteral("Querformat"));
    m_ausrichtung->setProperty("picture", picture);
}

void PrintLayoutPage::focusFirst()
{
    m_anzahlCombo->setFocus();
}

void PrintLayoutPage::changeOptions(const std::function<void(PrintOptions &)> &change)
{
    if (m_filling)
        return;
    PrintOptions options = m_set.printOptions();
    change(options);
    m_set.setPrintOptions(options);
}
