#include "exchange/TExportDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TExportDialog::TExportDialog(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("ExportDialog"));
    setWindowTitle(QStringLiteral("Exportieren"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto *formats = new QGroupBox(QStringLiteral("Format"), this);
    TabulatorRadio = new QRadioButton(QStringLiteral("&Tabulatoren, UTF-8 (für Karteikartenprogramme)"), formats);
    TabulatorRadio->setObjectName(QStringLiteral("TabulatorRadio"));
    TabulatorRadio->setChecked(true);
    SemikolonRadio = new QRadioButton(QStringLiteral("&Semikolons, Windows-1252 (für Tabellenkalkulationen)"), formats);
    SemikolonRadio->setObjectName(QStringLiteral("SemikolonRadio"));
    HtmlFormat = new QRadioButton(QStringLiteral("Webseite mit Antworten als Tooltip (*.html)"), formats);
    HtmlFormat->setObjectName(QStringLiteral("HtmlFormat"));
    AnkiFormat = new QRadioButton(QStringLiteral("Anki-Paket (*.apkg)"), formats);
    AnkiFormat->setObjectName(QStringLiteral("AnkiFormat"));
    auto *formatLayout = new QVBoxLayout(formats);
    formatLayout->addWidget(TabulatorRadio);
    formatLayout->addWidget(SemikolonRadio);
    formatLayout->addWidget(HtmlFormat);
    formatLayout->addWidget(AnkiFormat);
    KastenCheck = new QCheckBox(QStringLiteral("&Kasten als dritte Spalte"), this);
    KastenCheck->setObjectName(QStringLiteral("KastenCheck"));
    HtmlCheck = new QCheckBox(QStringLiteral("&Formatierung als HTML (fett, kursiv, unterstrichen, Farben)"), this);
    HtmlCheck->setObjectName(QStringLiteral("HtmlCheck"));
    // The page has no box column and shows the faces' text only; a package
    // always has the boxes (as tags) and the formatting.
    const auto wordListChosen = [this] {
        const bool wordList = TabulatorRadio->isChecked() || SemikolonRadio->isChecked();
        KastenCheck->setEnabled(wordList);
        HtmlCheck->setEnabled(wordList);
    };
    connect(HtmlFormat, &QRadioButton::toggled, this, wordListChosen);
    connect(AnkiFormat, &QRadioButton::toggled, this, wordListChosen);

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *ok = buttons->addButton(QStringLiteral("Exportieren"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("ExportierenButton"));
    ok->setDefault(true);
    buttons->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole)->setObjectName(QStringLiteral("AbbrechenButton"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(formats);
    layout->addWidget(KastenCheck);
    layout->addWidget(HtmlCheck);
    layout->addWidget(buttons);
}

CsvExport::Options TExportDialog::options() const
{
    CsvExport::Options options;
    options.format = SemikolonRadio->isChecked() ? CsvExport::Format::Semicolon : CsvExport::Format::Tab;
    options.boxes = KastenCheck->isChecked();
    options.html = HtmlCheck->isChecked();
    return options;
}

bool TExportDialog::webPage() const
{
    return HtmlFormat->isChecked();
}

bool TExportDialog::ankiPackage() const
{
    return AnkiFormat->isChecked();
}
