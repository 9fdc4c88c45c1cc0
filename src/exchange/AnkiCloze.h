#pragma once

#include <QString>
#include <QStringList>

// The deletions of a cloze field, "{{c1::text}}" or "{{c1::text::hint}}",
// as the sides of the card for one cloze number show them on paper. Nested
// deletions are read; markup that never closes stays as it is written.
class AnkiCloze
{
public:
    // The number's deletions as "[…]" or "[hint]", the others as their text.
    static QString question(const QString &html, int number);
    // The whole text, the number's deletions in bold.
    static QString answer(const QString &html, int number);
    // The texts of the number's deletions, in order.
    static QStringList deletions(const QString &html, int number);
};
