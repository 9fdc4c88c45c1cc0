#include "app/WindowCommands.h"

#include "app/WindowTiling.h"
#include "editor/TMDIChild.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>

WindowCommands::WindowCommands(QMdiArea *area, QMenu *windowMenu, std::function<QList<TMDIChild *>()> documents,
                               std::function<TMDIChild *()> active)
    : QObject(area)
    , m_mdiArea(area)
    , m_windowMenu(windowMenu)
    , m_documents(std::move(documents))
    , m_active(std::move(active))
{
    connect(m_windowMenu, &QMenu::aboutToShow, this, &WindowCommands::fillWindowMenu);
}

QList<QMdiSubWindow *> WindowCommands::shownSubWindows(bool minimised) const
{
    QList<QMdiSubWindow *> result;
    for (QMdiSubWindow *sub : m_mdiArea->subWindowList(QMdiArea::CreationOrder)) {
        auto *document = qobject_cast<TMDIChild *>(sub->widget());
        if (!document || !m_documents().contains(document) || sub->isHidden())
            continue;
        if (sub->isMinimized() == minimised)
            result.append(sub);
    }
    return result;
}

void WindowCommands::cascade()
{
    m_mdiArea->cascadeSubWindows();
}

void WindowCommands::tileHorizontal()
{
    tile(&WindowTiling::horizontal);
}

void WindowCommands::tileVertical()
{
    tile(&WindowTiling::vertical);
}

void WindowCommands::tile(QList<QRect> (*places)(const QRect &, int))
{
    const QList<QMdiSubWindow *> windows = shownSubWindows(false);
    const QList<QRect> rects = places(m_mdiArea->viewport()->rect(), int(windows.size()));
    for (qsizetype i = 0; i < windows.size(); ++i) {
        windows.at(i)->showNormal();
        windows.at(i)->setGeometry(rects.at(i));
    }
}

void WindowCommands::minimizeAll()
{
    for (QMdiSubWindow *sub : shownSubWindows(false))
        sub->showMinimized();
}

void WindowCommands::arrangeAll()
{
    const QList<QMdiSubWindow *> icons = shownSubWindows(true);
    if (icons.isEmpty())
        return;
    const QList<QRect> places = WindowTiling::iconRow(m_mdiArea->viewport()->rect(), icons.constFirst()->size(), int(icons.size()));
    for (qsizetype i = 0; i < icons.size(); ++i)
        icons.at(i)->move(places.at(i).topLeft());
}

void WindowCommands::fillWindowMenu()
{
    for (QAction *entry : std::as_const(m_windowListEntries)) {
        m_windowMenu->removeAction(entry);
        entry->deleteLater();
    }
    m_windowListEntries.clear();
    const QList<QMdiSubWindow *> windows = m_mdiArea->subWindowList(QMdiArea::CreationOrder);
    int number = 0;
    for (QMdiSubWindow *sub : windows) {
        auto *document = qobject_cast<TMDIChild *>(sub->widget());
        if (!document || !m_documents().contains(document))
            continue;
        if (number == 0)
            m_windowListEntries.append(m_windowMenu->addSeparator());
        ++number;
        QString title = document->caption();
        title.replace(QLatin1Char('&'), QStringLiteral("&&"));
        // The list marks unsaved sets as their windows' titles do.
        if (document->Modified())
            title += QLatin1Char('*');
        QAction *entry = m_windowMenu->addAction(number < 10 ? QStringLiteral("&%1 %2").arg(number).arg(title)
                                                             : QStringLiteral("%1 %2").arg(number).arg(title));
        entry->setObjectName(QStringLiteral("WindowListEntry%1").arg(number));
        entry->setCheckable(true);
        entry->setChecked(document == m_active());
        connect(entry, &QAction::triggered, this, [this, sub] {
            if (sub->isMinimized())
                sub->showNormal();
            m_mdiArea->setActiveSubWindow(sub);
        });
        m_windowListEntries.append(entry);
    }
}
