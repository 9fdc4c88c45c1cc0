#include "app/CommandStateRules.h"

bool CommandStateRules::documentCommandsEnabled(int openDocuments, bool closing)
{
    if (openDocuments <= 0)
        return false;
    return !(closing && openDocuments == 1);
}

bool CommandStateRules::isRuledToolButton(const QString &objectName)
{
    static const QString prefix = QStringLiteral("ToolButton");
    if (!objectName.startsWith(prefix))
        return false;
    const QString digits = objectName.mid(prefix.size());
    if (digits.isEmpty() || digits.startsWith(QLatin1Char('0')))
        return false;
    bool ok = false;
    const int number = digits.toInt(&ok, 10);
    return ok && number >= 1 && number <= 33;
}

bool CommandStateRules::isAlwaysEnabledToolButton(const QString &objectName)
{
    return objectName == QLatin1String("ToolButton1") || objectName == QLatin1String("ToolButton9");
}
