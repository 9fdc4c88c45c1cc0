#include "print/TVorschauForm.h"

#include "print/SheetPreview.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

constexpr std::array kZoomSteps{10, 25, 33, 50, 67, 75, 100, 125, 150, 200, 300, 400};

// "Karte 5", "Karten 1–4", "Karten 3, 7": runs of three or more as a range.
QString cardsText(const QList<int> &positions)
{
    QStringList parts;
    for (qsizetype i = 0; i < positions.size();) {
        qsizetype last = i;
        while (last + 1 < positions.size() && positions.at(last + 1) == positions.at(last) + 1)
            ++last;
        if (last - i >= 2) {
            parts.append(QStringLiteral("%1–%2").arg(positions.at(i) + 1).arg(positions.at(last) + 1));
        } else {
            for (qsizetype k = i; k <= last; ++k)
                parts.append(QString::number(positions.at(k) + 1));
        }
        i = last + 1;
    }
    return (positions.size() == 1 ? QStringLiteral("Karte ") : QStringLiteral("Karten ")) + parts.join(QStringLiteral(", "));
}

} // namespace

TVorschauForm::TVorschauForm(const SheetPreview &pages, QWidget *parent)
    : QDialog(parent)
    , m_pages(pages)
{
    setObjectName(QStringLiteral("VorschauForm"));
    setWindowTitle(QStringLiteral("Vorschau"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setModal(true);

    // a row of buttons rather than a tool bar, which would hide what does
    // not fit behind a menu: the window stays as wide as its commands
    auto *tools = new QHBoxLayout;
    const auto add = [this, tools](Command command, const QString &text, const QString &hint, const QList<QKeySequence> &keys) {
        auto *button = new QToolButton(this);
        button->setDefaultAction(addCommand(command, text, hint, keys));
        button->setAutoRaise(true);
        tools->addWidget(button);
    };
    add(Command::FirstPage, QStringLiteral("Erste Seite"), QStringLiteral("Pos1"), {Qt::Key_Home});
    add(Command::PreviousPage, QStringLiteral("Vorige Seite"), QStringLiteral("Bild auf"), {Qt::Key_PageUp});
    Seite = new QLabel(this);
    Seite->setObjectName(QStringLiteral("Seite"));
    Seite->setContentsMargins(8, 0, 8, 0);
    tools->addWidget(Seite);
    add(Command::NextPage, QStringLiteral("Nächste Seite"), QStringLiteral("Bild ab"), {Qt::Key_PageDown});
    add(Command::LastPage, QStringLiteral("Letzte Seite"), QStringLiteral("Ende"), {Qt::Key_End});
    tools->addSpacing(24);
    // each key once: an action bound twice to a key takes it as ambiguous
    add(Command::ZoomOut, QStringLiteral("Verkleinern"), QStringLiteral("Strg+-"), {Qt::CTRL | Qt::Key_Minus});
    m_zoomLabel = new QLabel(this);
    m_zoomLabel->setObjectName(QStringLiteral("Zoom"));
    m_zoomLabel->setContentsMargins(8, 0, 8, 0);
    tools->addWidget(m_zoomLabel);
    add(Command::ZoomIn, QStringLiteral("Vergrößern"), QStringLiteral("Strg++"), {Qt::CTRL | Qt::Key_Plus, Qt::CTRL | Qt::Key_Equal});
    add(Command::WholePage, QStringLiteral("Ganze Seite"), QStringLiteral("Strg+0"), {Qt::CTRL | Qt::Key_0});
    tools->addStretch();

    Bild = new QLabel;
    Bild->setObjectName(QStringLiteral("Bild"));
    Bild->setAlignment(Qt::AlignCenter);
    m_scroll = new QScrollArea(this);
    m_scroll->setObjectName(QStringLiteral("Papier"));
    m_scroll->setBackgroundRole(QPalette::Dark);
    m_scroll->setAlignment(Qt::AlignCenter);
    m_scroll->setWidgetResizable(true);
    m_scroll->setWidget(Bild);

    Blatt = new QLabel(this);
    Blatt->setObjectName(QStringLiteral("Blatt"));
    Drucken = new QPushButton(QStringLiteral("Drucken"), this);
    Drucken->setObjectName(QStringLiteral("Drucken"));
    Drucken->setDefault(true);
    Schliessen = new QPushButton(QStringLiteral("Schließen"), this);
    Schliessen->setObjectName(QStringLiteral("Schliessen"));
    Schliessen->setAutoDefault(false);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(Blatt, 1);
    bottom->addWidget(Drucken);
    bottom->addWidget(Schliessen);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(tools);
    layout->addWidget(m_scroll, 1);
    layout->addLayout(bottom);

    connect(action(Command::FirstPage), &QAction::triggered, this, [this] { showPage(0); });
    connect(action(Command::PreviousPage), &QAction::triggered, this, [this] { showPage(m_page - 1); });
    connect(action(Command::NextPage), &QAction::triggered, this, [this] { showPage(m_page + 1); });
    connect(action(Command::LastPage), &QAction::triggered, this, [this] { showPage(m_pages.count() - 1); });
    connect(action(Command::ZoomIn), &QAction::triggered, this, [this] {
        const auto *next = std::upper_bound(kZoomSteps.begin(), kZoomSteps.end(), m_zoom);
        setZoom(next == kZoomSteps.end() ? kZoomSteps.back() : *next);
    });
    connect(action(Command::ZoomOut), &QAction::triggered, this, [this] {
        const auto *below = std::lower_bound(kZoomSteps.begin(), kZoomSteps.end(), m_zoom);
        setZoom(below == kZoomSteps.begin() ? kZoomSteps.front() : *(below - 1));
    });
    connect(action(Command::WholePage), &QAction::triggered, this, [this] {
        m_wholePage = true;
        fitWholePage();
    });
    connect(Drucken, &QPushButton::clicked, this, &QDialog::accept);
    connect(Schliessen, &QPushButton::clicked, this, &QDialog::reject);

    // a page upright on the screen, with room for the controls
    const QRect screen = this->screen()->availableGeometry();
    const int height = std::min(screen.height() * 9 / 10, 1000);
    resize(std::min(screen.width() * 9 / 10, height * 4 / 5), height);
    redraw();
}

QAction *TVorschauForm::addCommand(Command command, const QString &text, const QString &hint, const QList<QKeySequence> &keys)
{
    auto *action = new QAction(text, this);
    action->setShortcuts(keys);
    action->setToolTip(QStringLiteral("%1 (%2)").arg(text, hint));
    addAction(action);
    m_actions.at(std::size_t(command)) = action;
    return action;
}

void TVorschauForm::showPage(int index)
{
    m_page = std::clamp(index, 0, std::max(0, m_pages.count() - 1));
    redraw();
}

void TVorschauForm::setZoom(int percent)
{
    m_wholePage = false;
    m_zoom = std::clamp(percent, kZoomSteps.front(), kZoomSteps.back());
    redraw();
}

void TVorschauForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_wholePage)
        fitWholePage();
    else
        redraw();
}

void TVorschauForm::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    if (m_wholePage && isVisible())
        fitWholePage();
}

void TVorschauForm::fitWholePage()
{
    const PrinterMetrics &m = m_pages.metrics();
    const QSize room = m_scroll->viewport()->size() - QSize(16, 16);
    const qreal across = qreal(room.width()) * qMax(1, m.DpiX) / (qMax(1, m.PaperWidth) * qreal(logicalDpiX()));
    const qreal down = qreal(room.height()) * qMax(1, m.DpiY) / (qMax(1, m.PaperHeight) * qreal(logicalDpiY()));
    m_zoom = std::clamp(int(std::floor(100 * std::min(across, down))), kZoomSteps.front(), kZoomSteps.back());
    redraw();
}

void TVorschauForm::redraw()
{
    const int count = m_pages.count();
    const bool any = count > 0;
    action(Command::FirstPage)->setEnabled(m_page > 0);
    action(Command::PreviousPage)->setEnabled(m_page > 0);
    action(Command::NextPage)->setEnabled(m_page + 1 < count);
    action(Command::LastPage)->setEnabled(m_page + 1 < count);
    action(Command::ZoomIn)->setEnabled(m_zoom < kZoomSteps.back());
    action(Command::ZoomOut)->setEnabled(m_zoom > kZoomSteps.front());
    m_zoomLabel->setText(QStringLiteral("%1 %").arg(m_zoom));
    Seite->setText(any ? QStringLiteral("Seite %1 von %2").arg(m_page + 1).arg(count) : QString());
    if (any) {
        const PrintOrder::Sheet &sheet = m_pages.sheet(m_page);
        Blatt->setText(QStringLiteral("Blatt %1, %2: %3")
                           .arg(sheet.sheet + 1)
                           .arg(sheet.side == PrintOrder::Side::Front ? QStringLiteral("Vorderseite") : QStringLiteral("Rückseite"),
                                cardsText(sheet.cards)));
    }
    // Only the page in view is drawn, and only when it can be seen; sharp
    // on a high-resolution screen too.
    if (!isVisible())
        return;
    const qreal ratio = devicePixelRatioF();
    const qreal scale = m_zoom / 100.0 * logicalDpiX() / qMax(1, m_pages.metrics().DpiX);
    QImage picture = m_pages.render(m_page, scale * ratio);
    picture.setDevicePixelRatio(ratio);
    Bild->setPixmap(QPixmap::fromImage(picture));
}
