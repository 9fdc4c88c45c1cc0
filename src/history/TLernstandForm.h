#pragma once

#include "history/LearningStatistics.h"

#include <QDialog>
#include <QTimer>

#include <functional>

class CardSet;
class QChartView;
class QComboBox;
class QLabel;
class QPushButton;

// "Lernstand": how a set's cards stand in their boxes and how they were
// answered over a chosen period. Shown beside the documents it follows the
// set, so a quiz that ends while it is open shows in it; opened over the
// box dialog it is modal there.
class TLernstandForm : public QDialog
{
    Q_OBJECT

public:
    // `setName` goes into the caption; without one, the set's file name.
    TLernstandForm(const CardSet &set, const QString &setName, QWidget *parent = nullptr);

    const CardSet *set() const { return m_set; }
    LearningStatistics::Period period() const;
    // Works the figures out anew and redraws.
    void refresh();

    // Today's date; tests give their own.
    std::function<QDate()> today = [] { return QDate::currentDate(); };

    QComboBox *Zeitraum = nullptr;
    QLabel *Hinweis = nullptr;
    QLabel *NochNieAbgefragt = nullptr;
    QChartView *KastenHeute = nullptr;
    QChartView *KastenVerlauf = nullptr;
    QChartView *AntwortenProTag = nullptr;
    QChartView *AnteilGewusst = nullptr;
    QPushButton *Schliessen = nullptr;

private:
    QString note() const;

    const CardSet *m_set = nullptr;
    // Changes come in bursts, a keystroke at a time while a face is typed.
    QTimer m_refreshLater;
};
