#pragma once

#include <QMetaObject>
#include <QObject>

class MainActions;
class QMdiArea;
class QWidget;

// Ausschneiden, Kopieren and Einfügen act on the focused text control,
// whichever it is; they are usable while it has a selection, or something
// it can paste is on the clipboard.
class ClipboardCommands : public QObject
{
    Q_OBJECT

public:
    ClipboardCommands(MainActions *actions, QMdiArea *area);
    ~ClipboardCommands() override;

    void cut();
    void copy();
    void paste();

private:
    void watchFocus(QWidget *focus);
    void updateClipboardCommands();

    MainActions *m_actions = nullptr;
    QMetaObject::Connection m_selectionConnection;
};
