#pragma once

#include <QDialog>

#include <array>

class QAction;
class QLabel;
class QPushButton;
class QScrollArea;
class SheetPreview;

// "Vorschau": the sheets of a print run page by page, as they will print,
// with a zoom. "Drucken" accepts (the run goes on), "Schließen" rejects.
class TVorschauForm : public QDialog
{
    Q_OBJECT

public:
    enum class Command { FirstPage, PreviousPage, NextPage, LastPage, ZoomIn, ZoomOut, WholePage, Count };

    // Starts at the first page, the whole page in view.
    explicit TVorschauForm(const SheetPreview &pages, QWidget *parent = nullptr);

    QAction *action(Command command) const { return m_actions.at(std::size_t(command)); }

    int page() const { return m_page; }
    void showPage(int index);
    // Percent of the paper's real size on the screen.
    int zoom() const { return m_zoom; }
    void setZoom(int percent);

    // "Seite 2 von 4", and which sheet and cards the page holds.
    QLabel *Seite = nullptr;
    QLabel *Blatt = nullptr;
    QLabel *Bild = nullptr;
    QPushButton *Drucken = nullptr;
    QPushButton *Schliessen = nullptr;

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    QAction *addCommand(Command command, const QString &text, const QString &hint, const QList<QKeySequence> &keys);
    void fitWholePage();
    void redraw();

    const SheetPreview &m_pages;
    std::array<QAction *, std::size_t(Command::Count)> m_actions{};
    QScrollArea *m_scroll = nullptr;
    QLabel *m_zoomLabel = nullptr;
    int m_page = 0;
    int m_zoom = 100;
    // The zoom follows the window until the user zooms.
    bool m_wholePage = true;
};
