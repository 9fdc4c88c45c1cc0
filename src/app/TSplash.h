#pragma once

#include <QPixmap>
#include <QWidget>

// The start-up window: borderless, 320 × 200, centred on the screen, one
// picture filling it ("splash.bmp" of the program folder). Without the
// picture it shows the program's name on a plain ground.
class TSplash : public QWidget
{
    Q_OBJECT

public:
    static constexpr int ClientWidth = 320;
    static constexpr int ClientHeight = 200;
    static QString pictureName() { return QStringLiteral("splash.bmp"); }

    explicit TSplash(QWidget *parent = nullptr);
    explicit TSplash(const QString &picturePath, QWidget *parent = nullptr);

    // Shows the window and paints it before returning, so that it stands
    // while the program builds its windows.
    void showAndPaint();
    bool hasPicture() const { return !m_picture.isNull(); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPixmap m_picture;
};
