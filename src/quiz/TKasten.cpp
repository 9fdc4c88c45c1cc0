#include "quiz/TKasten.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

// Plain push buttons rather than flat ones: a flat caption in a dialog
// reads as a label, and a learner would not see where to click.
QPushButton *makeButton(const QString &objectName, const QString &text, QWidget *parent)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(objectName);
    return button;
}

} // namespace

const QString TKasten::NothingDueMessage = QStringLiteral("In diesem Kasten ist keine Karte fällig.");

TKasten::TKasten(const CardSet &set, QWidget *parent, const DueCards::Intervals &intervals, const QDateTime &now)
    : QDialog(parent)
    , m_choice(set, intervals, now)
{
    setObjectName(QStringLiteral("Kasten"));
    setWindowTitle(QStringLiteral("Kasten"));

    Abteilungen = new QListWidget(this);
    Abteilungen->setObjectName(QStringLiteral("Abteilungen"));
    Abteilungen->setSelectionMode(QAbstractItemView::SingleSelection);
    Abteilungen->setFixedHeight(70);
    Abteilungen->setMinimumWidth(180);
    // The list view leaves the selection alone when a press lands on a
    // check box; the viewport's presses are watched to select there too.
    Abteilungen->viewport()->installEventFilter(this);
    // Ticking by keyboard (Space) chooses the item as a click on it would.
    connect(Abteilungen, &QListWidget::itemChanged, this, [this](QListWidgetItem *item) { Abteilungen->setCurrentItem(item); });
    connect(Abteilungen, &QListWidget::itemSelectionChanged, this, &TKasten::AbteilungenSelectionChanged);

    SpeedButton1 = makeButton(QStringLiteral("SpeedButton1"), QStringLiteral("Alle in den ersten Kasten"), this);
    SpeedButton2 = makeButton(QStringLiteral("SpeedButton2"), QStringLiteral("Abfragen"), this);
    SpeedButton3 = makeButton(QStringLiteral("SpeedButton3"), QStringLiteral("Pauken"), this);
    connect(SpeedButton1, &QPushButton::clicked, this, &TKasten::SpeedButton1Click);
    connect(SpeedButton2, &QPushButton::clicked, this, [this] { start(Review); });
    connect(SpeedButton3, &QPushButton::clicked, this, [this] { start(Cramming); });
    SpeedButton2->setDefault(true);

    Label1 = new QLabel(QStringLiteral("Wieviele:"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Wieviele = new QSpinBox(this);
    Wieviele->setObjectName(QStringLiteral("Wieviele"));
    Wieviele->setRange(BoxChoice::MinCramSize, BoxChoice::MaxCramSize);
    Wieviele->setValue(BoxChoice::MinCramSize);
    Wieviele->setToolTip(QStringLiteral("Wieviele Karten sollen beim \nPauken gleichzeitig abgefragt\nwerden?"));
    Label1->setBuddy(Wieviele);
    Wieviele->installEventFilter(this);

    // Off by default: the quiz asks as it always did unless ticked.
    NurFaellige = new QCheckBox(QStringLiteral("nur fällige Karten"), this);
    NurFaellige->setObjectName(QStringLiteral("NurFaellige"));
    connect(NurFaellige, &QCheckBox::toggled, this, [this](bool on) { m_choice.setDueOnly(on); });

    auto *layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(Abteilungen);
    layout->addWidget(NurFaellige);
    layout->addWidget(SpeedButton1);
    auto *modes = new QHBoxLayout;
    modes->addWidget(SpeedButton2);
    modes->addWidget(SpeedButton3);
    layout->addLayout(modes);
    auto *size = new QHBoxLayout;
    size->addWidget(Label1);
    size->addWidget(Wieviele, 1);
    layout->addLayout(size);
    LernstandButton = makeButton(QStringLiteral("LernstandButton"), QStringLiteral("Lernstand…"), this);
    connect(LernstandButton, &QPushButton::clicked, this, &TKasten::lernstandRequested);
    layout->addWidget(LernstandButton);

    fillItems();
    Abteilungen->setFocus();
}

int TKasten::CramSize() const
{
    return BoxChoice::cramSizeFromText(Wieviele->cleanText());
}

void TKasten::fillItems()
{
    const QSignalBlocker blocker(Abteilungen);
    Abteilungen->clear();
    for (const QString &text : m_choice.itemTexts()) {
        auto *item = new QListWidgetItem(text, Abteilungen);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    // No item is current until one is chosen: the list would otherwise
    // frame the first one on taking the focus without choosing it, and
    // the first Down key would choose the second.
    Abteilungen->setCurrentIndex(QModelIndex());
    m_choice.setSelectedBox(0);
}

void TKasten::SpeedButton1Click()
{
    m_choice.allToFirstBox();
    fillItems();
}

void TKasten::start(Outcome outcome)
{
    if (m_choice.dueOnly() && m_choice.nothingToAsk()) {
        QMessageBox::information(this, windowTitle(), NothingDueMessage);
        return;
    }
    done(outcome);
}

void TKasten::AbteilungenSelectionChanged()
{
    const QList<QListWidgetItem *> selected = Abteilungen->selectedItems();
    m_choice.setSelectedBox(selected.isEmpty() ? 0 : Abteilungen->row(selected.first()) + 1);
}

bool TKasten::eventFilter(QObject *watched, QEvent *event)
{
    // A press anywhere on an item chooses it, its check box included; the
    // check marks are only the learner's own notes and choose nothing.
    // Enter in the size field starts cramming, since the learner has just
    // typed how many; the default button shows it.
    if (watched == Wieviele && event->type() == QEvent::FocusIn)
        SpeedButton3->setDefault(true);
    else if (watched == Wieviele && event->type() == QEvent::FocusOut)
        SpeedButton2->setDefault(true);
    if (watched == Abteilungen->viewport() && event->type() == QEvent::MouseButtonPress) {
        const auto *press = static_cast<QMouseEvent *>(event);
        if (press->button() == Qt::LeftButton) {
            if (QListWidgetItem *item = Abteilungen->itemAt(press->position().toPoint()))
                Abteilungen->setCurrentItem(item);
        }
    }
    return QDialog::eventFilter(watched, event);
}
