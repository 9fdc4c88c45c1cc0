#include "app/TSplash.h"

#include "program/ProgramFolder.h"

#include <QApplication>
#include <QPainter>
#include <QScreen>

TSplash::TSplash(QWidget *parent)
    : TSplash(ProgramFolder::filePath(pictureName()), parent)
{
}

TSplash::TSplash(const QString &picturePath, QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , m_picture(picturePath)
{
    setObjectName(QStringLiteral("Splash"));
    setWindowTitle(QStringLiteral("Quillo"));
    setFixedSize(ClientWidth, ClientHeight);
    setAttribute(Qt::WA_OpaquePaintEvent);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
}

void TSplash::showAndPaint()
{
    show();
    raise();
    repaint();
    // Lets the window system map and show it now; the main window is built
    // after this without handling further events.
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    repaint();
    QApplication::sync();
}

void TSplash::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (!m_picture.isNull()) {
        painter.drawPixmap(rect(), m_picture);
        return;
    }
    painter.fillRect(rect(), QColor(47, 79, 112));
    painter.setPen(Qt::white);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(40);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(rect(), Qt::AlignCenter, QStringLiteral("Quillo"));
}
