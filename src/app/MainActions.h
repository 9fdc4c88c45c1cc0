#pragma once

#include "app/CommandStateRules.h"
#include "app/MainCommand.h"

#include <QColor>
#include <QKeySequence>
#include <QList>
#include <QObject>

#include <array>
#include <utility>

class QAction;
class QFontComboBox;
class QHBoxLayout;
class QMainWindow;
class QMenu;
class QSpinBox;
class QToolBar;
class QToolButton;
class QWidget;

// The commands of the main window, built once: one action per command for
// its menu entry and toolbar button, shared by the document windows' context
// menus and face keys, and the menus and the two-row toolbar that show them.
// A toolbar button whose enabled state follows another rule than its menu
// entry has an action of its own that runs the menu entry's.
class MainActions : public QObject
{
    Q_OBJECT

public:
    // Fills the window's menu bar and adds the toolbar.
    explicit MainActions(QMainWindow *window);

    // The command's action: its menu entry, or its toolbar button's action
    // for a command without a menu entry.
    QAction *action(MainCommand command) const;
    // What a key or context menu entry runs: the button's action where the
    // button has one of its own, so that its rule holds there too.
    QAction *runAction(MainCommand command) const;
    // The command's toolbar button; none for a command that has only a menu
    // entry.
    QToolButton *button(MainCommand command) const;

    QMenu *editMenu() const { return m_editMenu; }
    QMenu *windowMenu() const { return m_windowMenu; }
    QFontComboBox *fontCombo() const { return m_fontCombo; }
    QSpinBox *fontSizeBox() const { return m_fontSize; }
    QToolButton *textColorButton() const { return m_textColorButton; }
    QToolButton *backColorButton() const { return m_backColorButton; }

    void setDocumentCommandsEnabled(bool enabled);
    void setClipboardCommandsEnabled(bool selected, bool pastable);

    // The commands of a document window's face context menu, in groups
    // between separators.
    QList<QList<QAction *>> faceMenuGroups() const;
    // The commands a face editor runs by its function keys (F1, F3 to F6).
    QList<QAction *> faceKeyActions() const;

private:
    struct CommandControls
    {
        QAction *entry = nullptr;  // the menu entry
        QAction *button = nullptr; // the toolbar button's action; the entry's when they share one rule
        QToolButton *widget = nullptr;
    };

    void makeMenus();
    void makeToolBar();
    void addFaceKeys();
    QAction *addEntry(QMenu *menu, MainCommand command, const QString &name, const QString &caption, const QKeySequence &keys = {},
                      const QString &hint = {}, CommandRule rule = CommandRule::Always);
    QToolButton *addButton(QHBoxLayout *row, MainCommand command, const QString &name, const QString &icon, const QString &hint,
                           CommandRule rule = CommandRule::NeedsDocument);
    QToolButton *addColourButton(QHBoxLayout *row, const QString &name, const QString &icon, const QColor &colour, const QString &hint);

    QMainWindow *m_window = nullptr;
    QToolBar *m_toolBar = nullptr;
    QMenu *m_editMenu = nullptr;
    QMenu *m_windowMenu = nullptr;
    std::array<CommandControls, MainCommandCount> m_commands;
    QList<std::pair<QAction *, CommandRule>> m_rules;
    // The font boxes and colour buttons: usable with a document only.
    QList<QWidget *> m_documentControls;
    QFontComboBox *m_fontCombo = nullptr;
    QSpinBox *m_fontSize = nullptr;
    QToolButton *m_textColorButton = nullptr;
    QToolButton *m_backColorButton = nullptr;
};
