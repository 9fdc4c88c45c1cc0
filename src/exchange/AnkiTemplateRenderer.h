#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// One side of an Anki card template, read once and rendered for each card:
// {{Field}}, {{#Field}}…{{/Field}}, {{^Field}}…{{/Field}}, filters
// ("text:", "cloze:", "type:", "hint:" …) and the reserved names (FrontSide,
// Tags, Type, Deck, Subdeck, Card). On paper the question is on the other
// side, so the answer side leaves out {{FrontSide}} and the <hr id=answer>
// that follows it.
class AnkiTemplateRenderer
{
public:
    enum class Side { Question, Answer };

    // What a card brings to its template.
    struct Values
    {
        const QStringList &fields;
        const QStringList &tags;
        QString noteType;
        QString deck;
        QString card;
        // The cloze number, from 1; 0 for standard cards.
        int cloze = 0;
    };

    AnkiTemplateRenderer(const QString &format, Side side, const QStringList &fieldNames);

    // The first name the template uses that is no field of the note type
    // and no reserved name; empty when there is none.
    const QString &unknownField() const { return m_unknownField; }

    // The side as HTML. `showsField`, when given, tells whether a field
    // that is not empty went into it: Anki makes no card whose question
    // shows none.
    QString render(const Values &values, bool *showsField = nullptr) const;

    // Empty as Anki sees a field: nothing but blanks, line breaks and
    // empty markup (a picture is something).
    static bool isBlank(QStringView html);
    // The text without its tags.
    static QString withoutTags(QStringView html);

private:
    enum class Kind { Text, Value, Section, InvertedSection, End };
    enum class Filter { None, Text, Type, Cloze, TypeCloze };
    enum Reserved { FrontSide = -1, Tags = -2, NoteType = -3, Deck = -4, Subdeck = -5, CardName = -6, Nothing = -7 };

    struct Node
    {
        Kind kind = Kind::Text;
        QString text;
        // A field's index, or a Reserved name.
        int value = 0;
        Filter filter = Filter::None;
        // A section's End node.
        qsizetype end = 0;
    };

    int valueOf(const QString &name, const QStringList &fieldNames);
    void appendText(QStringView text);
    QString raw(int value, const Values &values) const;
    QString valueText(const Node &node, const Values &values) const;

    Side m_side;
    QList<Node> m_nodes;
    QString m_unknownField;
    // The answer side's text right after a {{FrontSide}} left out.
    bool m_afterFrontSide = false;
};
