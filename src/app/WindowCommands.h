#pragma once

#include <QList>
#include <QObject>
#include <QRect>

#include <functional>

class QAction;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class TMDIChild;

// The Fenster menu: arranging the document windows, and the list of open
// documents below the commands, made anew each time the menu opens.
class WindowCommands : public QObject
{
    Q_OBJECT

public:
    // `documents` lists the open documents, which closing ones have left.
    WindowCommands(QMdiArea *area, QMenu *windowMenu, std::function<QList<TMDIChild *>()> documents, std::function<TMDIChild *()> active);

    void cascade();
    void tileHorizontal();
    void tileVertical();
    void minimizeAll();
    void arrangeAll();

private:
    // The shown, not minimised windows normal-sized in the places given.
    void tile(QList<QRect> (*places)(const QRect &area, int count));
    void fillWindowMenu();
    QList<QMdiSubWindow *> shownSubWindows(bool minimised) const;

    QMdiArea *m_mdiArea = nullptr;
    QMenu *m_windowMenu = nullptr;
    std::function<QList<TMDIChild *>()> m_documents;
    std::function<TMDIChild *()> m_active;
    QList<QAction *> m_windowListEntries;
};
