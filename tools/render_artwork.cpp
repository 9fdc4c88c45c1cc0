// Renders one of Quillo's SVG pictures into the bitmap file that the
// program reads from its folder.
//
//   quillo-render-artwork SOURCE.svg TARGET.bmp|TARGET.png [WIDTH HEIGHT [GROUND]]
//
// Without a size the SVG's own size is used. A BMP has no transparency: it
// gets a ground behind the picture, white unless a colour is given (the
// ground of the window that shows it); a PNG keeps its transparency.

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char *argv[])
{
    // Qt's own notes about the missing display would only clutter the build.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &message) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            std::fprintf(stderr, "%s\n", qPrintable(message));
    });
    // The build runs without a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3 && args.size() != 5 && args.size() != 6) {
        std::fprintf(stderr, "usage: quillo-render-artwork SOURCE.svg TARGET.bmp|png [WIDTH HEIGHT [GROUND]]\n");
        return 2;
    }
    QSvgRenderer svg(args.at(1));
    if (!svg.isValid()) {
        std::fprintf(stderr, "%s: not a readable SVG picture\n", qPrintable(args.at(1)));
        return 1;
    }
    QSize size = svg.defaultSize();
    if (args.size() >= 5) {
        bool okWidth = false;
        bool okHeight = false;
        size = QSize(args.at(3).toInt(&okWidth), args.at(4).toInt(&okHeight));
        if (!okWidth || !okHeight || size.isEmpty()) {
            std::fprintf(stderr, "bad size %s x %s\n", qPrintable(args.at(3)), qPrintable(args.at(4)));
            return 2;
        }
    }
    const QColor ground(args.size() == 6 ? args.at(5) : QStringLiteral("white"));
    if (!ground.isValid()) {
        std::fprintf(stderr, "bad colour %s\n", qPrintable(args.at(5)));
        return 2;
    }
    const QString target = args.at(2);
    const bool bitmap = target.endsWith(QLatin1String(".bmp"), Qt::CaseInsensitive);
    QImage image(size, bitmap ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied);
    image.fill(bitmap ? ground : QColor(Qt::transparent));
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        svg.render(&painter, QRectF(QPointF(0, 0), size));
    }
    if (bitmap)
        image = image.convertToFormat(QImage::Format_RGB888);
    if (!image.save(target, bitmap ? "BMP" : "PNG")) {
        std::fprintf(stderr, "%s: cannot be written\n", qPrintable(target));
        return 1;
    }
    return 0;
}
