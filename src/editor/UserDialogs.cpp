#include "editor/UserDialogs.h"

#include "editor/TSchliesForm.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPushButton>

QString UserDialogs::qtFilter(const QString &filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString caption = parts.at(i);
        const qsizetype open = caption.indexOf(QLatin1Char('('));
        if (open >= 0)
            caption.truncate(open);
        QStringList patterns = parts.at(i + 1).split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString &pattern : patterns) {
            if (pattern == QLatin1String("*.*"))
                pattern = QStringLiteral("*");
        }
        entries.append(caption.trimmed() + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')'));
    }
    return entries.join(QStringLiteral(";;"));
}

QString UserDialogs::displayText(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QChar(13), QChar(10));
    return text;
}

QString UserDialogs::saveFileName(QWidget *parent, const QString &title, const QString &filter, const QString &defaultSuffix,
                                  const QString &initialPath)
{
    QFileDialog dialog(parent, title, initialPath, qtFilter(filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(defaultSuffix);
    dialog.setOption(QFileDialog::ReadOnly, false);
    if (!initialPath.isEmpty())
        dialog.selectFile(initialPath);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

QString UserDialogs::openFileName(QWidget *parent, const QString &filter, const QString &defaultSuffix)
{
    QFileDialog dialog(parent, QStringLiteral("Öffnen"), QString(), qtFilter(filter));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

void UserDialogs::warning(QWidget *parent, const QString &text, const QString &detail)
{
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Warnung"), displayText(text), QMessageBox::Ok, parent);
    if (!detail.isEmpty())
        box.setDetailedText(detail);
    box.exec();
}

void UserDialogs::information(QWidget *parent, const QString &text)
{
    QMessageBox::information(parent, QStringLiteral("Information"), displayText(text), QMessageBox::Ok);
}

bool UserDialogs::confirmClose(QWidget *parent)
{
    TSchliesForm form(parent);
    return form.exec() == QDialog::Accepted;
}

bool UserDialogs::question(QWidget *parent, const QString &text, bool warning)
{
    QMessageBox box(warning ? QMessageBox::Warning : QMessageBox::Information,
                    warning ? QStringLiteral("Warnung") : QStringLiteral("Information"), displayText(text),
                    QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::No);
    box.button(QMessageBox::Yes)->setText(QStringLiteral("&Ja"));
    box.button(QMessageBox::No)->setText(QStringLiteral("&Nein"));
    return box.exec() == QMessageBox::Yes;
}

QString UserDialogs::openPictureFileName(QWidget *parent, const QString &filter)
{
    QFileDialog dialog(parent, QStringLiteral("Bild einfügen"), QString(), filter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

QColor UserDialogs::chooseColor(QWidget *parent, const QColor &initial)
{
    return QColorDialog::getColor(initial, parent, QStringLiteral("Farbe"));
}

bool UserDialogs::printerSetup(QWidget *parent, QPrinter &printer)
{
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("Drucker einrichten"));
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
    return dialog.exec() == QDialog::Accepted;
}

UserDialogs &UserDialogs::standard()
{
    static UserDialogs dialogs;
    return dialogs;
}
