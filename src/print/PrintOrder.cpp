#include "print/PrintOrder.h"

#include "cardset/CardSet.h"
#include "cardset/PrintOptions.h"

QList<int> PrintOrder::selectCards(CardSet &set)
{
    QList<int> marked = set.markedCards();
    if (!marked.isEmpty() || set.count() == 0)
        return marked;
    set.setMarkedFrom(0, true);
    return set.markedCards();
}

int PrintOrder::sheetCount(int cards, int cardsPerSheet)
{
    const int perSheet = PrintOptions::nearestCardsPerSheet(cardsPerSheet);
    return cards / perSheet + (cards % perSheet ? 1 : 0);
}

QList<QList<int>> PrintOrder::frontSheets(const QList<int> &positions, int cardsPerSheet)
{
    const int perSheet = PrintOptions::nearestCardsPerSheet(cardsPerSheet);
    QList<QList<int>> sheets;
    for (qsizetype i = 0; i < positions.size(); i += perSheet)
        sheets.append(positions.mid(i, perSheet));
    return sheets;
}

QStringList PrintOrder::pageCardList(const QList<QList<int>> &sheets)
{
    QStringList list;
    list.reserve(sheets.size());
    for (const QList<int> &sheet : sheets) {
        QStringList numbers;
        for (int position : sheet)
            numbers.append(QString::number(position));
        list.append(numbers.join(QLatin1Char(' ')));
    }
    return list;
}

QList<QList<int>> PrintOrder::backSheets(const QStringList &pageCardList, int cardsPerSheet, BackOrder order)
{
    QList<QList<int>> sheets;
    const qsizetype count = pageCardList.size();
    for (qsizetype i = 0; i < count; ++i) {
        const QString &entry = pageCardList.at(order == BackOrder::Reverse ? count - 1 - i : i);
        QList<int> positions;
        for (const QString &number : entry.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            bool ok = false;
            const int position = number.toInt(&ok);
            if (ok && position >= 0)
                positions.append(position);
        }
        sheets.append(frontSheets(positions, cardsPerSheet));
    }
    return sheets;
}

QList<PrintOrder::Sheet> PrintOrder::runSheets(const QList<int> &positions, int cardsPerSheet, bool bothSides, BackOrder order)
{
    const QList<QList<int>> fronts = frontSheets(positions, cardsPerSheet);
    QList<Sheet> run;
    for (qsizetype i = 0; i < fronts.size(); ++i)
        run.append({Side::Front, int(i), fronts.at(i)});
    if (!bothSides)
        return run;
    // each front sheet's string gives exactly one back sheet
    const QList<QList<int>> backs = backSheets(pageCardList(fronts), cardsPerSheet, order);
    for (qsizetype i = 0; i < backs.size(); ++i)
        run.append({Side::Back, int(order == BackOrder::Reverse ? backs.size() - 1 - i : i), backs.at(i)});
    return run;
}

QString PrintOrder::progressText(int position, int remaining)
{
    return QStringLiteral("Drucke Karte %1\rNoch %2 Karten zu drucken.").arg(position + 1).arg(remaining);
}

QString PrintOrder::paperChangeText(bool lastPrintedFirst)
{
    return QStringLiteral("Bitte legen Sie, sobald der Drucker mit drucken fertig ist,\n"
                          "die Seiten wieder so in den Papierschacht zurück, daß\n")
        + (lastPrintedFirst ? QStringLiteral("die zuletzt ausgedruckte Seite zuerst eingezogen wird.")
                            : QStringLiteral("die zuerst ausgedruckte Seite zuerst eingezogen wird."));
}
