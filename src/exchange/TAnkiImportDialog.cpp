#include "exchange/TAnkiImportDialog.h"

#include "program/AnkiMessages.h"
#include "program/BusyCursor.h"

#include "cardset/CardSet.h"
#include "editor/UserDialogs.h"
#include "richtext/RtfReader.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

TAnkiImportDialog::TAnkiImportDialog(const AnkiCollection &collection, const QString &packagePath, qreal pictureWidth, QWidget *parent)
    : QDialog(parent)
    , m_collection(collection)
    , m_packagePath(packagePath)
    , m_pictureWidth(pictureWidth)
{
    setObjectName(QStringLiteral("AnkiImportDialog"));
    setWindowTitle(QStringLiteral("Importieren"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    resize(720, 520);

    auto *form = new QFormLayout;
    const QStringList decks = AnkiCards::deckChoices(collection);
    if (decks.size() > 1) {
        StapelCombo = new QComboBox(this);
        StapelCombo->setObjectName(QStringLiteral("StapelCombo"));
        StapelCombo->addItem(QStringLiteral("Alle Stapel"), QString());
        for (const QString &deck : decks)
            StapelCombo->addItem(deck, deck);
        form->addRow(QStringLiteral("&Stapel:"), StapelCombo);
        connect(StapelCombo, &QComboBox::activated, this, &TAnkiImportDialog::convert);
    } else {
        auto *deck = new QLabel(decks.value(0), this);
        deck->setObjectName(QStringLiteral("StapelLabel"));
        form->addRow(QStringLiteral("Stapel:"), deck);
    }

    Vorschau = new QTableWidget(this);
    Vorschau->setObjectName(QStringLiteral("Vorschau"));
    Vorschau->setColumnCount(3);
    Vorschau->setHorizontalHeaderLabels({QStringLiteral("Vorderseite"), QStringLiteral("Rückseite"), QStringLiteral("Kasten")});
    Vorschau->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Vorschau->setSelectionMode(QAbstractItemView::NoSelection);
    Vorschau->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    Vorschau->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    Vorschau->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    AnzahlLabel = new QLabel(this);
    AnzahlLabel->setObjectName(QStringLiteral("AnzahlLabel"));
    AnzahlLabel->setWordWrap(true);
    HinweiseLabel = new QLabel(this);
    HinweiseLabel->setObjectName(QStringLiteral("HinweiseLabel"));
    HinweiseLabel->setWordWrap(true);

    auto *buttons = new QDialogButtonBox(this);
    ImportierenButton = buttons->addButton(QStringLiteral("Importieren"), QDialogButtonBox::AcceptRole);
    ImportierenButton->setObjectName(QStringLiteral("ImportierenButton"));
    ImportierenButton->setDefault(true);
    buttons->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole)->setObjectName(QStringLiteral("AbbrechenButton"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(Vorschau, 1);
    layout->addWidget(AnzahlLabel);
    layout->addWidget(HinweiseLabel);
    layout->addWidget(buttons);
    convert();
}

QString TAnkiImportDialog::deck() const
{
    return StapelCombo ? StapelCombo->currentData().toString() : QString();
}

QString TAnkiImportDialog::setName() const
{
    return AnkiCards::setName(m_collection, deck(), m_packagePath);
}

void TAnkiImportDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // Sized before the columns had their width, the rows kept the wrapping
    // of narrow columns.
    Vorschau->resizeRowsToContents();
}

void TAnkiImportDialog::convert()
{
    {
        BusyCursor busy;
        m_cards = AnkiCards::build(m_collection, deck(), CardSet::newSetFont(), CardSet::newSetFont(), m_pictureWidth);
    }
    const qsizetype shown = std::min<qsizetype>(m_cards.cards.size(), PreviewRows);
    Vorschau->setRowCount(int(shown));
    for (int i = 0; i < shown; ++i) {
        const Card &card = m_cards.cards.at(i);
        const QStringList cells = {RtfReader::textLines(card.Front).join(u'\n'), RtfReader::textLines(card.Back).join(u'\n'),
                                   QString::number(card.Box)};
        for (int column = 0; column < 3; ++column)
            Vorschau->setItem(i, column, new QTableWidgetItem(cells.at(column)));
    }
    Vorschau->resizeColumnToContents(2);

    QPalette palette = AnzahlLabel->palette();
    palette.setColor(QPalette::WindowText, m_cards.ok() ? palette.color(QPalette::Text) : QColor(Qt::red));
    AnzahlLabel->setPalette(palette);
    if (m_cards.ok())
        AnzahlLabel->setText(m_cards.cards.size() == 1 ? QStringLiteral("1 Karte wird angelegt.")
                                                       : QStringLiteral("%1 Karten werden angelegt.").arg(m_cards.cards.size()));
    else
        AnzahlLabel->setText(UserDialogs::displayText(AnkiMessages::reason(m_cards.error)));
    QStringList hints;
    for (const AnkiProblem &warning : std::as_const(m_cards.warnings))
        hints.append(AnkiMessages::warning(warning));
    if (hints.size() > 10)
        hints = hints.first(10) << QStringLiteral("und %1 weitere.").arg(m_cards.warnings.size() - 10);
    HinweiseLabel->setText(hints.join(u'\n'));
    HinweiseLabel->setVisible(!hints.isEmpty());
    ImportierenButton->setEnabled(m_cards.ok());
}
