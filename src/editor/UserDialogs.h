#pragma once

#include <QColor>
#include <QString>

class QPrinter;
class QWidget;

// The modal questions and messages of the windows, behind one seam so that
// tests can answer them without a user.
class UserDialogs
{
public:
    virtual ~UserDialogs() = default;

    // Empty when cancelled. `filter` uses "Text|pattern|Text|pattern" pairs.
    virtual QString saveFileName(QWidget *parent, const QString &title, const QString &filter, const QString &defaultSuffix,
                                 const QString &initialPath);
    virtual QString openFileName(QWidget *parent, const QString &filter, const QString &defaultSuffix);

    // `detail`, the system's reason for a failure, can be unfolded below
    // the message.
    virtual void warning(QWidget *parent, const QString &text, const QString &detail = QString());
    virtual void information(QWidget *parent, const QString &text);
    // "Wirklich schließen?": true only for Yes.
    virtual bool confirmClose(QWidget *parent);
    // A question with Yes and No, as a warning or an information box; true
    // only for Yes.
    virtual bool question(QWidget *parent, const QString &text, bool warning);
    // The picture dialog; empty when cancelled. `filter` in Qt's form.
    virtual QString openPictureFileName(QWidget *parent, const QString &filter);
    // The colour dialog preset with `initial`; invalid when cancelled.
    virtual QColor chooseColor(QWidget *parent, const QColor &initial);
    // "Drucker einrichten": the platform's print dialog on `printer`; true
    // when accepted. The dialog may change the printer even when cancelled.
    virtual bool printerSetup(QWidget *parent, QPrinter &printer);

    // "Quillo - Dateien (*.ql3;*.qla)|*.ql3;*.qla|..." in Qt's form.
    static QString qtFilter(const QString &filter);
    // Messages break their lines with CR alone; labels need LF.
    static QString displayText(QString text);

    // The one instance the program uses unless a window is given another.
    static UserDialogs &standard();
};
