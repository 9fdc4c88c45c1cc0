#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// The "Info" dialog: the logo ("logo.bmp" of the program folder), the
// copyright notice, the credits of the libraries Quillo is built on, and
// "OK".
class TAboutBox : public QDialog
{
    Q_OBJECT

public:
    static QString pictureName() { return QStringLiteral("logo.bmp"); }
    static QString copyrightNotice();
    static QString credits();

    explicit TAboutBox(QWidget *parent = nullptr);
    explicit TAboutBox(const QString &logoPath, QWidget *parent = nullptr);

    // Modal, centred on the screen.
    int showCentred();

    QLabel *logo() const { return m_logo; }
    QPushButton *okButton() const { return m_ok; }

private:
    QLabel *m_logo = nullptr;
    QPushButton *m_ok = nullptr;
};
