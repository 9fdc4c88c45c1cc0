#include "app/ClipboardCommands.h"

#include "app/MainActions.h"
#include "editor/TMyRxRichEdit.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace {

bool hasSelection(QWidget *widget)
{
    if (auto *edit = qobject_cast<QLineEdit *>(widget))
        return edit->hasSelectedText();
    if (auto *edit = qobject_cast<QTextEdit *>(widget))
        return edit->textCursor().hasSelection();
    if (auto *edit = qobject_cast<QPlainTextEdit *>(widget))
        return edit->textCursor().hasSelection();
    return false;
}

// The text control that the edit commands act on.
QWidget *textControl(QWidget *focus)
{
    if (!focus)
        return nullptr;
    if (qobject_cast<QLineEdit *>(focus) || qobject_cast<QTextEdit *>(focus) || qobject_cast<QPlainTextEdit *>(focus))
        return focus;
    if (qobject_cast<QAbstractSpinBox *>(focus) || qobject_cast<QComboBox *>(focus))
        return focus->findChild<QLineEdit *>();
    // The viewport of a text editor can hold the focus proxy's place.
    if (auto *edit = qobject_cast<QTextEdit *>(focus->parentWidget()))
        return edit;
    return nullptr;
}

} // namespace

ClipboardCommands::ClipboardCommands(MainActions *actions, QMdiArea *area)
    : QObject(actions)
    , m_actions(actions)
{
    connect(m_actions->editMenu(), &QMenu::aboutToShow, this, &ClipboardCommands::updateClipboardCommands);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) { watchFocus(now); });
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this, &ClipboardCommands::updateClipboardCommands);
    connect(area, &QMdiArea::subWindowActivated, this, &ClipboardCommands::updateClipboardCommands);
    updateClipboardCommands();
}

ClipboardCommands::~ClipboardCommands()
{
    disconnect(qApp, nullptr, this, nullptr);
    disconnect(QApplication::clipboard(), nullptr, this, nullptr);
}

void ClipboardCommands::cut()
{
    if (QWidget *control = textControl(QApplication::focusWidget()))
        QMetaObject::invokeMethod(control, "cut");
}

void ClipboardCommands::copy()
{
    if (QWidget *control = textControl(QApplication::focusWidget()))
        QMetaObject::invokeMethod(control, "copy");
}

void ClipboardCommands::paste()
{
    if (QWidget *control = textControl(QApplication::focusWidget()))
        QMetaObject::invokeMethod(control, "paste");
}

void ClipboardCommands::watchFocus(QWidget *focus)
{
    if (m_selectionConnection)
        disconnect(m_selectionConnection);
    QWidget *control = textControl(focus);
    if (auto *line = qobject_cast<QLineEdit *>(control))
        m_selectionConnection = connect(line, &QLineEdit::selectionChanged, this, &ClipboardCommands::updateClipboardCommands);
    else if (auto *rich = qobject_cast<QTextEdit *>(control))
        m_selectionConnection = connect(rich, &QTextEdit::selectionChanged, this, &ClipboardCommands::updateClipboardCommands);
    else if (auto *plain = qobject_cast<QPlainTextEdit *>(control))
        m_selectionConnection = connect(plain, &QPlainTextEdit::selectionChanged, this, &ClipboardCommands::updateClipboardCommands);
    updateClipboardCommands();
}

void ClipboardCommands::updateClipboardCommands()
{
    QWidget *control = textControl(QApplication::focusWidget());
    const bool selected = control && hasSelection(control);
    bool pastable = false;
    if (control) {
        if (const QMimeData *data = QApplication::clipboard()->mimeData())
            pastable = data->hasText() || (qobject_cast<TMyRxRichEdit *>(control) && (data->hasImage() || data->hasHtml()));
    }
    m_actions->setClipboardCommandsEnabled(selected, pastable);
}
