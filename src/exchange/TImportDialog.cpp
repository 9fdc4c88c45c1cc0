#include "exchange/TImportDialog.h"

#include "exchange/HtmlFace.h"
#include "program/FileMessages.h"

#include "editor/UserDialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

QString delimiterName(QChar delimiter)
{
    switch (delimiter.unicode()) {
    case u'\t': return QStringLiteral("Tabulator");
    case u';': return QStringLiteral("Semikolon");
    case u',': return QStringLiteral("Komma");
    case u' ': return QStringLiteral("Leerzeichen");
    default: return QStringLiteral("\"%1\"").arg(delimiter);
    }
}

} // namespace

TImportDialog::TImportDialog(const QByteArray &bytes, const QString &pictureFolder, QWidget *parent)
    : QDialog(parent)
    , m_bytes(bytes)
{
    setObjectName(QStringLiteral("ImportDialog"));
    setWindowTitle(QStringLiteral("Importieren"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    resize(720, 520);

    TrennzeichenCombo = new QComboBox(this);
    TrennzeichenCombo->setObjectName(QStringLiteral("TrennzeichenCombo"));
    for (QChar delimiter : {u'\t', u';', u','})
        TrennzeichenCombo->addItem(delimiterName(delimiter), QVariant::fromValue(delimiter));
    ZeichensatzCombo = new QComboBox(this);
    ZeichensatzCombo->setObjectName(QStringLiteral("ZeichensatzCombo"));
    for (auto encoding : {TextEncoding::Encoding::Utf8, TextEncoding::Encoding::Windows1252, TextEncoding::Encoding::Utf16})
        ZeichensatzCombo->addItem(TextEncoding::name(encoding), int(encoding));
    KopfzeileCheck = new QCheckBox(QStringLiteral("Erste Zeile enthält die Spaltennamen"), this);
    KopfzeileCheck->setObjectName(QStringLiteral("KopfzeileCheck"));
    HtmlCheck = new QCheckBox(QStringLiteral("Felder enthalten HTML (Formatierung und Bilder)"), this);
    HtmlCheck->setObjectName(QStringLiteral("HtmlCheck"));
    BilderordnerEdit = new QLineEdit(pictureFolder, this);
    BilderordnerEdit->setObjectName(QStringLiteral("BilderordnerEdit"));
    auto *browse = new QPushButton(QStringLiteral("Durchsuchen…"), this);
    browse->setObjectName(QStringLiteral("BilderordnerButton"));
    connect(browse, &QPushButton::clicked, this, [this] {
        const QString folder = QFileDialog::getExistingDirectory(this, QStringLiteral("Bilderordner"), BilderordnerEdit->text());
        if (!folder.isEmpty())
            BilderordnerEdit->setText(folder);
    });

    Vorschau = new QTableWidget(this);
    Vorschau->setObjectName(QStringLiteral("Vorschau"));
    Vorschau->setColumnCount(4);
    Vorschau->setHorizontalHeaderLabels(
        {QStringLiteral("Zeile"), QStringLiteral("Vorderseite"), QStringLiteral("Rückseite"), QStringLiteral("Kasten")});
    Vorschau->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Vorschau->setSelectionMode(QAbstractItemView::NoSelection);
    Vorschau->verticalHeader()->hide();
    // Rows follow the width of the stretched columns: sized once, they kept
    // the wrapping of the narrow columns before the dialog was shown.
    Vorschau->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    Vorschau->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    Vorschau->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);
    AnzahlLabel = new QLabel(this);
    AnzahlLabel->setObjectName(QStringLiteral("AnzahlLabel"));
    AnzahlLabel->setWordWrap(true);

    auto *buttons = new QDialogButtonBox(this);
    ImportierenButton = buttons->addButton(QStringLiteral("Importieren"), QDialogButtonBox::AcceptRole);
    ImportierenButton->setObjectName(QStringLiteral("ImportierenButton"));
    ImportierenButton->setDefault(true);
    buttons->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole)->setObjectName(QStringLiteral("AbbrechenButton"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *folderRow = new QHBoxLayout;
    folderRow->addWidget(BilderordnerEdit);
    folderRow->addWidget(browse);
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("&Trennzeichen:"), TrennzeichenCombo);
    form->addRow(QStringLiteral("&Zeichensatz:"), ZeichensatzCombo);
    form->addRow(QString(), KopfzeileCheck);
    form->addRow(QString(), HtmlCheck);
    auto *folderLabel = new QLabel(QStringLiteral("&Bilderordner:"), this);
    folderLabel->setBuddy(BilderordnerEdit);
    form->addRow(folderLabel, folderRow);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(Vorschau, 1);
    layout->addWidget(AnzahlLabel);
    layout->addWidget(buttons);

    // A choice the user makes stays; the others follow the file.
    connect(TrennzeichenCombo, &QComboBox::activated, this, [this] {
        m_settings.delimiter = TrennzeichenCombo->currentData().value<QChar>();
        reread();
    });
    connect(ZeichensatzCombo, &QComboBox::activated, this, [this] {
        m_settings.encoding = TextEncoding::Encoding(ZeichensatzCombo->currentData().toInt());
        reread();
    });
    connect(KopfzeileCheck, &QCheckBox::clicked, this, [this](bool on) {
        m_settings.header = on;
        reread();
    });
    connect(HtmlCheck, &QCheckBox::clicked, this, [this](bool on) {
        m_settings.html = on;
        reread();
    });
    reread();
}

QString TImportDialog::pictureFolder() const
{
    return BilderordnerEdit->text();
}

void TImportDialog::reread()
{
    m_table = CsvReader::read(m_bytes, m_settings);
    showChoices();
    showRows();
}

void TImportDialog::showChoices()
{
    const QSignalBlocker delimiters(TrennzeichenCombo);
    int index = TrennzeichenCombo->findData(QVariant::fromValue(m_table.delimiter));
    if (index < 0) {
        // One that a directive of the file named.
        TrennzeichenCombo->addItem(delimiterName(m_table.delimiter), QVariant::fromValue(m_table.delimiter));
        index = TrennzeichenCombo->count() - 1;
    }
    TrennzeichenCombo->setCurrentIndex(index);
    const QSignalBlocker encodings(ZeichensatzCombo);
    ZeichensatzCombo->setCurrentIndex(ZeichensatzCombo->findData(int(m_table.encoding)));
    const QSignalBlocker header(KopfzeileCheck);
    KopfzeileCheck->setChecked(m_table.header);
    const QSignalBlocker html(HtmlCheck);
    HtmlCheck->setChecked(m_table.html);
    BilderordnerEdit->setEnabled(m_table.html);
}

void TImportDialog::showRows()
{
    const qsizetype shown = std::min<qsizetype>(m_table.rows.size(), PreviewRows);
    Vorschau->setRowCount(int(shown));
    const auto text = [this](const QString &field) { return m_table.html ? HtmlFace::plainText(field) : field; };
    for (int i = 0; i < shown; ++i) {
        const CsvRow &row = m_table.rows.at(i);
        const QStringList cells = {QString::number(row.line), text(row.front), text(row.back), QString::number(row.box > 0 ? row.box : 1)};
        for (int column = 0; column < 4; ++column)
            Vorschau->setItem(i, column, new QTableWidgetItem(cells.at(column)));
    }
    Vorschau->resizeColumnToContents(0);
    Vorschau->resizeColumnToContents(3);

    QPalette palette = AnzahlLabel->palette();
    palette.setColor(QPalette::WindowText, m_table.ok() ? palette.color(QPalette::Text) : QColor(Qt::red));
    AnzahlLabel->setPalette(palette);
    if (m_table.ok())
        AnzahlLabel->setText(m_table.rows.size() == 1 ? QStringLiteral("1 Karte wird angelegt.")
                                                      : QStringLiteral("%1 Karten werden angelegt.").arg(m_table.rows.size()));
    else
        AnzahlLabel->setText(UserDialogs::displayText(FileMessages::forImport(*m_table.problem)));
    ImportierenButton->setEnabled(m_table.ok());
}
