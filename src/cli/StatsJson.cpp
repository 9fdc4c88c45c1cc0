#include "cli/StatsJson.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

QString StatsJson::historyName(LearningHistory::State state)
{
    switch (state) {
    case LearningHistory::State::Recording: break;
    case LearningHistory::State::Foreign: return QStringLiteral("foreign");
    case LearningHistory::State::Damaged: return QStringLiteral("damaged");
    case LearningHistory::State::Later: return QStringLiteral("later");
    }
    return QStringLiteral("recording");
}

QByteArray StatsJson::write(const LearningSummary &summary, const DueCards::Intervals &intervals)
{
    QJsonArray boxes;
    for (int box = 1; box <= DueCards::BoxNumberCount; ++box) {
        boxes.append(QJsonObject{
            {QStringLiteral("Box"), box},
            {QStringLiteral("Cards"), summary.boxCounts[box - 1]},
            {QStringLiteral("Due"), summary.dueCounts[box - 1]},
            {QStringLiteral("IntervalDays"), intervals[box - 1]},
        });
    }
    QJsonArray days;
    for (const LearningSummary::Day &day : summary.days) {
        days.append(QJsonObject{
            {QStringLiteral("Date"), day.date.toString(Qt::ISODate)},
            {QStringLiteral("Known"), day.known},
            {QStringLiteral("NotKnown"), day.notKnown},
        });
    }
    const QJsonObject object{
        {QStringLiteral("CardCount"), summary.cardCount},
        {QStringLiteral("History"), historyName(summary.historyState)},
        {QStringLiteral("Boxes"), boxes},
        {QStringLiteral("Due"), summary.dueTotal},
        {QStringLiteral("NeverAsked"), summary.neverAsked},
        {QStringLiteral("Answers"), summary.answers},
        {QStringLiteral("Known"), summary.known},
        {QStringLiteral("NotKnown"), summary.notKnown},
        {QStringLiteral("Days"), days},
    };
    return QJsonDocument(object).toJson(QJsonDocument::Indented);
}
