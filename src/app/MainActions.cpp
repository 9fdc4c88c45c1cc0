#include "app/MainActions.h"

#include "app/ToolbarIcons.h"

#include <QAction>
#include <QFontComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QSpinBox>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

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

} // namespace

MainActions::MainActions(QMainWindow *window)
    : QObject(window)
    , m_window(window)
{
    makeMenus();
    makeToolBar();
    addFaceKeys();
}

QAction *MainActions::addEntry(QMenu *menu, MainCommand command, const QString &name, const QString &caption, const QKeySequence &keys,
                               const QString &hint, CommandRule rule)
{
    QAction *entry = menu->addAction(caption);
    entry->setObjectName(name);
    entry->setIconVisibleInMenu(false);
    if (!keys.isEmpty())
        entry->setShortcut(keys);
    applyHint(entry, hint);
    m_commands[size_t(command)].entry = entry;
    m_rules.append({entry, rule});
    return entry;
}

void MainActions::makeMenus()
{
    const auto menu = [this](const QString &name, const QString &caption, const QString &hint) {
        QMenu *result = m_window->menuBar()->addMenu(caption);
        result->setObjectName(name);
        result->setToolTipsVisible(true);
        applyHint(result->menuAction(), hint);
        return result;
    };
    using C = MainCommand;

    QMenu *file = menu(QStringLiteral("File1"), QStringLiteral("&Datei"), QStringLiteral("Dateibefehle"));
    addEntry(file, C::FileNew, QStringLiteral("FileNew1"), QStringLiteral("&Neu"), QKeySequence(QKeySequence::New),
             QStringLiteral("Neu|Neue Datei erstellen"));
    addEntry(file, C::FileOpen, QStringLiteral("FileOpen1"), QStringLiteral("Ö&ffnen"), QKeySequence(QKeySequence::Open),
             QStringLiteral("Öffnen|Eine Datei öffnen"));
    addEntry(file, C::ImportWordList, QStringLiteral("Importieren1"), QStringLiteral("&Importieren…"), {},
             QStringLiteral("Importieren|Karten aus einer Wortliste (CSV, Text) übernehmen"));
    addEntry(file, C::ExportWordList, QStringLiteral("Exportieren1"), QStringLiteral("&Exportieren…"), {},
             QStringLiteral("Exportieren|Die Karten als Wortliste speichern"), CommandRule::NeedsDocument);
    addEntry(file, C::FileClose, QStringLiteral("FileClose1"), QStringLiteral("S&chließen"), {},
             QStringLiteral("Schließen|Aktuelle Datei schließen"));
    addEntry(file, C::Save, QStringLiteral("Speichern1"), QStringLiteral("Speichern"), QKeySequence(QKeySequence::Save), {},
             CommandRule::NeedsDocument);
    addEntry(file, C::SaveAs, QStringLiteral("Speichernunter1"), QStringLiteral("Speichern unter"), {}, {}, CommandRule::NeedsDocument);
    addEntry(file, C::Print, QStringLiteral("Drucken1"), QStringLiteral("Drucken"), QKeySequence(QKeySequence::Print));
    file->addSeparator();
    addEntry(file, C::Quiz, QStringLiteral("Quiz1"), QStringLiteral("Abfragen"), {}, {}, CommandRule::NeedsDocument);
    addEntry(file, C::ExportHtml, QStringLiteral("GeneriereHTMLDatei1"), QStringLiteral("Generiere HTML-Datei"))->setVisible(false);
    file->addSeparator();
    addEntry(file, C::Options, QStringLiteral("Optionen1"), QStringLiteral("Optionen"));
    file->addSeparator();
    addEntry(file, C::Exit, QStringLiteral("FileExit1"), QStringLiteral("&Beenden"), {}, QStringLiteral("Beenden|Das Programm beenden"));

    QMenu *edit = menu(QStringLiteral("Edit1"), QStringLiteral("B&earbeiten"), QStringLiteral("Anweisungen zur Bearbeitung"));
    addEntry(edit, C::Cut, QStringLiteral("EditCut1"), QStringLiteral("&Ausschneiden"), QKeySequence(Qt::CTRL | Qt::Key_X),
             QStringLiteral("Ausschneiden|Das markierte Objekt in die Zwischenablage verschieben"), CommandRule::NeedsSelection);
    addEntry(edit, C::Copy, QStringLiteral("EditCopy1"), QStringLiteral("&Kopieren"), QKeySequence(Qt::CTRL | Qt::Key_C),
             QStringLiteral("Kopieren|Das markierte Objekt in die Zwischenablage kopieren"), CommandRule::NeedsSelection);
    addEntry(edit, C::Paste, QStringLiteral("EditPaste1"), QStringLiteral("&Einfügen"), QKeySequence(Qt::CTRL | Qt::Key_V),
             QStringLiteral("Einfügen|Den Inhalt der Zwischenablage einfügen"), CommandRule::NeedsPastable);
    addEntry(edit, C::AsStandardFont, QStringLiteral("AlsStandardfont1"), QStringLiteral("Als Standardfont"));
    edit->addSeparator();
    addEntry(edit, C::InsertPicture, QStringLiteral("Bildeinfuegen1"), QStringLiteral("Bild einfügen"));
    addEntry(edit, C::InsertObject, QStringLiteral("Objekteinfuegen1"), QStringLiteral("Objekt einfügen"));
    edit->addSeparator();
    addEntry(edit, C::Find, QStringLiteral("Suchen1"), QStringLiteral("Suchen"), QKeySequence(QKeySequence::Find));
    m_editMenu = edit;

    QMenu *cards = menu(QStringLiteral("Karten1"), QStringLiteral("Karten"), QString());
    addEntry(cards, C::CopyCard, QStringLiteral("GanzeKartekopieren1"), QStringLiteral("Ganze Karte kopieren"));
    addEntry(cards, C::PasteCard, QStringLiteral("GanzeKarteeinfuegen1"), QStringLiteral("Ganze Karte einfügen"));
    addEntry(cards, C::MoveCard, QStringLiteral("PositionderKarteverschieben1"), QStringLiteral("Position der Karte verschieben"));
    cards->addSeparator();
    addEntry(cards, C::Lernstand, QStringLiteral("Lernstand1"), QStringLiteral("Lernstand…"), {},
             QStringLiteral("Lernstand|Wie die Karten in den Kästen stehen und wie sie beantwortet wurden"), CommandRule::NeedsDocument);
    addEntry(cards, C::ClearHistory, QStringLiteral("Lernverlaufloeschen1"), QStringLiteral("Lernverlauf löschen"), {}, {},
             CommandRule::NeedsDocument);

    m_windowMenu = menu(QStringLiteral("Window1"), QStringLiteral("&Fenster"), QStringLiteral("Fensterbezogene Anweisungen"));
    addEntry(m_windowMenu, C::Cascade, QStringLiteral("WindowCascade1"), QStringLiteral("Ü&berlappend"), {}, QStringLiteral("Überlappend"));
    addEntry(m_windowMenu, C::TileHorizontal, QStringLiteral("WindowTileHorizontal1"), QStringLiteral("Hori&zontal anordnen"), {},
             QStringLiteral("Horizontal anordnen"));
    addEntry(m_windowMenu, C::TileVertical, QStringLiteral("WindowTileVertical1"), QStringLiteral("&Vertikal anordnen"), {},
             QStringLiteral("Vertikal anordnen"));
    addEntry(m_windowMenu, C::MinimizeAll, QStringLiteral("WindowMinimizeAll1"), QStringLiteral("&Alle verkleinern"), {},
             QStringLiteral("Alle verkleinern"));
    addEntry(m_windowMenu, C::ArrangeAll, QStringLiteral("WindowArrangeAll1"), QStringLiteral("Alle an&ordnen"), {},
             QStringLiteral("Alle anordnen"));

    QMenu *help = menu(QStringLiteral("Help1"), QStringLiteral("&Hilfe"), QStringLiteral("Hilfethemen"));
    addEntry(help, C::About, QStringLiteral("HelpAbout1"), QStringLiteral("&Info..."));
    help->addSeparator();
    addEntry(help, C::Manual, QStringLiteral("AnleitungimPDFFormat1"), QStringLiteral("Anleitung"));
}

QToolButton *MainActions::addButton(QHBoxLayout *row, MainCommand command, const QString &name, const QString &icon, const QString &hint,
                                    CommandRule rule)
{
    CommandControls &controls = m_commands[size_t(command)];
    const auto shared =
        std::find_if(m_rules.cbegin(), m_rules.cend(), [&controls](const auto &pair) { return pair.first == controls.entry; });
    if (controls.entry && shared != m_rules.cend() && shared->second == rule) {
        // Same rule as the menu entry: one action for both.
        controls.button = controls.entry;
        if (controls.entry->statusTip().isEmpty())
            applyHint(controls.entry, hint);
    } else {
        controls.button = new QAction(m_window);
        applyHint(controls.button, hint);
        m_rules.append({controls.button, rule});
        // The button runs its menu entry, which may itself be unavailable.
        if (controls.entry)
            connect(controls.button, &QAction::triggered, controls.entry, &QAction::trigger);
    }
    controls.button->setIcon(ToolbarIcons::icon(icon));

    auto *button = new QToolButton(m_toolBar);
    button->setObjectName(name);
    button->setDefaultAction(controls.button);
    button->setAutoRaise(true);
    button->setIconSize(QSize(24, 24));
    button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    button->setFocusPolicy(Qt::NoFocus);
    row->addWidget(button);
    controls.widget = button;
    return button;
}

QToolButton *MainActions::addColourButton(QHBoxLayout *row, const QString &name, const QString &icon, const QColor &colour,
                                          const QString &hint)
{
    auto *button = new QToolButton(m_toolBar);
    button->setObjectName(name);
    button->setAutoRaise(true);
    button->setIcon(ToolbarIcons::icon(icon, colour));
    button->setIconSize(QSize(24, 24));
    button->setFocusPolicy(Qt::NoFocus);
    button->setProperty("color", colour);
    button->setProperty("iconName", icon);
    applyHint(button, hint);
    row->addWidget(button);
    m_documentControls.append(button);
    return button;
}

void MainActions::makeToolBar()
{
    m_toolBar = new QToolBar(QStringLiteral("Werkzeugleiste"), m_window);
    m_toolBar->setObjectName(QStringLiteral("ToolBar2"));
    m_toolBar->setMovable(false);
    m_toolBar->setFloatable(false);
    m_toolBar->toggleViewAction()->setEnabled(false);
    // The toolbar is part of the window, not something to switch off.
    m_toolBar->setContextMenuPolicy(Qt::PreventContextMenu);
    m_window->addToolBar(Qt::TopToolBarArea, m_toolBar);
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
    using C = MainCommand;
    const CommandRule always = CommandRule::Always;

    auto *maker = new QLabel(QStringLiteral("Tallowby"), rows);
    maker->setObjectName(QStringLiteral("MakerLabel"));
    maker->setFont(arialPixels(16, true, true));
    maker->setCursor(Qt::PointingHandCursor);
    maker->setContentsMargins(4, 0, 4, 0);
    first->addWidget(maker);
    first->addWidget(separator(rows));
    addButton(first, C::FileNew, QStringLiteral("ToolButton9"), QStringLiteral("new"), QStringLiteral("Neu|Neue Datei erstellen"), always);
    addButton(first, C::FileOpen, QStringLiteral("ToolButton1"), QStringLiteral("open"), QStringLiteral("Öffnen|Eine Datei öffnen"),
              always);
    addButton(first, C::Save, QStringLiteral("ToolButton26"), QStringLiteral("save"), QStringLiteral("Speichern"));
    first->addWidget(separator(rows));
    addButton(first, C::NewCard, QStringLiteral("ToolButton12"), QStringLiteral("newcard"), QStringLiteral("Neue Karte"));
    addButton(first, C::DeleteCard, QStringLiteral("ToolButton28"), QStringLiteral("deletecard"), QStringLiteral("Karte löschen"));
    addButton(first, C::Print, QStringLiteral("ToolButton29"), QStringLiteral("print"), QStringLiteral("Drucken"));
    first->addWidget(separator(rows));
    addButton(first, C::Cut, QStringLiteral("ToolButton4"), QStringLiteral("cut"), QStringLiteral("Ausschneiden"));
    addButton(first, C::Copy, QStringLiteral("ToolButton5"), QStringLiteral("copy"), QStringLiteral("Kopieren"));
    addButton(first, C::Paste, QStringLiteral("ToolButton7"), QStringLiteral("paste"), QStringLiteral("Einfügen"));
    first->addWidget(separator(rows));
    addButton(first, C::Cascade, QStringLiteral("ToolButton8"), QStringLiteral("cascade"), QStringLiteral("Überlappend"));
    addButton(first, C::TileHorizontal, QStringLiteral("ToolButton10"), QStringLiteral("tileh"), QStringLiteral("Horizontal anordnen"));
    addButton(first, C::TileVertical, QStringLiteral("ToolButton11"), QStringLiteral("tilev"), QStringLiteral("Vertikal anordnen"));
    first->addWidget(separator(rows));
    addButton(first, C::Bold, QStringLiteral("ToolButton14"), QStringLiteral("bold"), QStringLiteral("Fett"));
    addButton(first, C::Underline, QStringLiteral("ToolButton16"), QStringLiteral("underline"), QStringLiteral("Unterstrichen"));
    addButton(first, C::Italic, QStringLiteral("ToolButton15"), QStringLiteral("italic"), QStringLiteral("Kursiv"));
    first->addStretch();

    m_fontCombo = new QFontComboBox(rows);
    m_fontCombo->setObjectName(QStringLiteral("FontCombo"));
    m_fontCombo->setFixedWidth(121);
    m_fontCombo->setFocusPolicy(Qt::ClickFocus);
    applyHint(m_fontCombo, QStringLiteral("Schriftart wählen"));
    second->addWidget(m_fontCombo);
    m_fontSize = new QSpinBox(rows);
    m_fontSize->setObjectName(QStringLiteral("FontSize"));
    m_fontSize->setRange(2, 2000);
    m_fontSize->setValue(12);
    m_fontSize->setFocusPolicy(Qt::ClickFocus);
    applyHint(m_fontSize, QStringLiteral("Schriftgrösse wählen"));
    second->addWidget(m_fontSize);
    m_documentControls << m_fontCombo << m_fontSize;
    m_textColorButton = addColourButton(second, QStringLiteral("ColorPickerButton1"), QStringLiteral("textcolor"), Qt::black,
                                        QStringLiteral("Schriftfarbe wählen"));
    m_backColorButton = addColourButton(second, QStringLiteral("ColorPickerButton2"), QStringLiteral("backcolor"), Qt::white,
                                        QStringLiteral("HIntergrundfarbe wählen"));
    addButton(second, C::TextColorDialog, QStringLiteral("ToolButton2"), QStringLiteral("textcolor"), QStringLiteral("Schriftfarbe wählen"))
        ->setVisible(false);
    addButton(second, C::BackColorDialog, QStringLiteral("ToolButton27"), QStringLiteral("backcolor"),
              QStringLiteral("Hintergrundfarbe wählen"))
        ->setVisible(false);
    second->addWidget(separator(rows));
    // The left button is not one of the numbered ones and stays usable.
    addButton(second, C::AlignLeft, QStringLiteral("AlignLeft"), QStringLiteral("alignleft"), QStringLiteral("Links zentrieren"), always)
        ->setProperty("tag", 0);
    addButton(second, C::AlignCenter, QStringLiteral("ToolButton20"), QStringLiteral("aligncenter"), QStringLiteral("Mittig zentrieren"))
        ->setProperty("tag", 2);
    addButton(second, C::AlignRight, QStringLiteral("ToolButton21"), QStringLiteral("alignright"), QStringLiteral("Rechts zentrieren"))
        ->setProperty("tag", 1);
    second->addWidget(separator(rows));
    addButton(second, C::InsertPicture, QStringLiteral("ToolButton19"), QStringLiteral("picture"), QStringLiteral("Bild einfügen"));
    addButton(second, C::InsertObject, QStringLiteral("ToolButton23"), QStringLiteral("object"), QStringLiteral("Objekt einfügen"));
    addButton(second, C::Bullets, QStringLiteral("ToolButton24"), QStringLiteral("numbering"), QStringLiteral("Nummerierung"));
    second->addWidget(separator(rows));
    addButton(second, C::Undo, QStringLiteral("ToolButton32"), QStringLiteral("undo"), QStringLiteral("Änderung rückgängig machen"));
    addButton(second, C::Redo, QStringLiteral("ToolButton33"), QStringLiteral("redo"), QStringLiteral("Änderung wiederherstellen"));
    second->addStretch();
}

QAction *MainActions::action(MainCommand command) const
{
    const CommandControls &controls = m_commands[size_t(command)];
    return controls.entry ? controls.entry : controls.button;
}

QToolButton *MainActions::button(MainCommand command) const
{
    return m_commands[size_t(command)].widget;
}

QAction *MainActions::runAction(MainCommand command) const
{
    const CommandControls &controls = m_commands[size_t(command)];
    return controls.button ? controls.button : controls.entry;
}

void MainActions::addFaceKeys()
{
    using C = MainCommand;
    // In a face only; Shift and Ctrl do not change what a function key does,
    // but Ctrl+F4 stays the document window's own: it closes it.
    for (const auto &[command, key] : {std::pair{C::NewCard, Qt::Key_F1}, std::pair{C::Bullets, Qt::Key_F3}, std::pair{C::Bold, Qt::Key_F4},
                                       std::pair{C::Italic, Qt::Key_F5}, std::pair{C::Underline, Qt::Key_F6}}) {
        QList<QKeySequence> keys{QKeySequence(key), QKeySequence(Qt::SHIFT | key), QKeySequence(Qt::CTRL | Qt::SHIFT | key)};
        if (key != Qt::Key_F4)
            keys.append(QKeySequence(Qt::CTRL | key));
        QAction *run = runAction(command);
        run->setShortcuts(keys);
        run->setShortcutContext(Qt::WidgetShortcut);
    }
}

QList<QAction *> MainActions::faceKeyActions() const
{
    using C = MainCommand;
    return {runAction(C::NewCard), runAction(C::Bullets), runAction(C::Bold), runAction(C::Italic), runAction(C::Underline)};
}

QList<QList<QAction *>> MainActions::faceMenuGroups() const
{
    using C = MainCommand;
    return {{action(C::CopyCard), action(C::PasteCard), action(C::MoveCard)},
            {action(C::AsStandardFont)},
            {action(C::InsertPicture), action(C::InsertObject)}};
}

void MainActions::setDocumentCommandsEnabled(bool enabled)
{
    for (const auto &[control, rule] : std::as_const(m_rules)) {
        if (rule == CommandRule::NeedsDocument)
            control->setEnabled(enabled);
    }
    for (QWidget *control : std::as_const(m_documentControls))
        control->setEnabled(enabled);
}

void MainActions::setClipboardCommandsEnabled(bool selected, bool pastable)
{
    for (const auto &[control, rule] : std::as_const(m_rules)) {
        if (rule == CommandRule::NeedsSelection)
            control->setEnabled(selected);
        else if (rule == CommandRule::NeedsPastable)
            control->setEnabled(pastable);
    }
}
