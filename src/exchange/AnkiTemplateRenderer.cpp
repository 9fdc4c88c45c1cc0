#include "exchange/AnkiTemplateRenderer.h"

#include "exchange/AnkiCloze.h"

#include <QRegularExpression>

namespace {

// The line Anki draws between the sides, in any spelling.
const QRegularExpression &answerLine()
{
    static const QRegularExpression line(QStringLiteral(R"(^\s*<hr\s+id\s*=\s*["']?answer["']?\s*/?>)"),
                                         QRegularExpression::CaseInsensitiveOption);
    return line;
}

bool isBlankChar(QChar c)
{
    return c.isSpace() || c == QChar(0xA0);
}

} // namespace

AnkiTemplateRenderer::AnkiTemplateRenderer(const QString &format, Side side, const QStringList &fieldNames)
    : m_side(side)
{
    // Open sections: the index of their node.
    QList<qsizetype> open;
    const auto close = [this, &open](qsizetype count) {
        while (count-- > 0) {
            m_nodes[open.takeLast()].end = m_nodes.size();
            m_nodes.append(Node{Kind::End, {}, 0, Filter::None, 0});
        }
    };
    qsizetype i = 0;
    while (i < format.size()) {
        const qsizetype start = format.indexOf(QLatin1String("{{"), i);
        const qsizetype end = start < 0 ? -1 : format.indexOf(QLatin1String("}}"), start + 2);
        if (end < 0) {
            appendText(QStringView(format).sliced(i));
            break;
        }
        appendText(QStringView(format).sliced(i, start - i));
        i = end + 2;
        const QString tag = format.mid(start + 2, end - start - 2).trimmed();
        if (tag.startsWith(u'#') || tag.startsWith(u'^')) {
            open.append(m_nodes.size());
            m_nodes.append(Node{tag.startsWith(u'#') ? Kind::Section : Kind::InvertedSection, tag.mid(1).trimmed(),
                                valueOf(tag.mid(1).trimmed(), fieldNames), Filter::None, 0});
        } else if (tag.startsWith(u'/')) {
            // The section it names, and those left open inside it; a close
            // of no open section is left out.
            const QString name = tag.mid(1).trimmed();
            for (qsizetype k = open.size() - 1; k >= 0; --k) {
                if (m_nodes.at(open.at(k)).text == name) {
                    close(open.size() - k);
                    break;
                }
            }
        } else {
            const QStringList parts = tag.split(u':');
            const QString name = parts.constLast().trimmed();
            Node node{Kind::Value, {}, 0, Filter::None, 0};
            bool cloze = false;
            bool type = false;
            bool text = false;
            for (qsizetype k = 0; k + 1 < parts.size(); ++k) {
                // "tts en_US" and the like carry options after the name.
                const QString filter = parts.at(k).trimmed().section(u' ', 0, 0).toLower();
                cloze = cloze || filter == QLatin1String("cloze");
                type = type || filter == QLatin1String("type");
                text = text || filter == QLatin1String("text");
            }
            node.filter = type ? (cloze ? Filter::TypeCloze : Filter::Type) : cloze ? Filter::Cloze : text ? Filter::Text : Filter::None;
            node.value = valueOf(name, fieldNames);
            if (node.value == FrontSide) {
                // The question is on the other side of the paper.
                m_afterFrontSide = m_side == Side::Answer;
                continue;
            }
            m_afterFrontSide = false;
            m_nodes.append(node);
        }
    }
    close(open.size());
}

void AnkiTemplateRenderer::appendText(QStringView text)
{
    if (m_afterFrontSide) {
        const QRegularExpressionMatch line = answerLine().match(text);
        if (line.hasMatch())
            text = text.sliced(line.capturedEnd());
        else if (text.isEmpty())
            return;
        m_afterFrontSide = false;
    }
    if (text.isEmpty())
        return;
    if (!m_nodes.isEmpty() && m_nodes.constLast().kind == Kind::Text)
        m_nodes.last().text += text;
    else
        m_nodes.append(Node{Kind::Text, text.toString(), 0, Filter::None, 0});
}

int AnkiTemplateRenderer::valueOf(const QString &name, const QStringList &fieldNames)
{
    const qsizetype field = fieldNames.indexOf(name);
    if (field >= 0)
        return int(field);
    static const QList<std::pair<QString, Reserved>> reserved = {
        {QStringLiteral("FrontSide"), FrontSide}, {QStringLiteral("Tags"), Tags},       {QStringLiteral("Type"), NoteType},
        {QStringLiteral("Deck"), Deck},           {QStringLiteral("Subdeck"), Subdeck}, {QStringLiteral("Card"), CardName},
        {QStringLiteral("CardFlag"), Nothing}};
    for (const auto &[known, value] : reserved) {
        if (name == known)
            return value;
    }
    if (m_unknownField.isEmpty() && !name.isEmpty())
        m_unknownField = name;
    return Nothing;
}

QString AnkiTemplateRenderer::raw(int value, const Values &values) const
{
    switch (value) {
    case Tags: return values.tags.join(u' ');
    case NoteType: return values.noteType;
    case Deck: return values.deck;
    case Subdeck: return values.deck.section(QLatin1String("::"), -1);
    case CardName: return values.card;
    case FrontSide:
    case Nothing: return QString();
    default: return values.fields.value(value);
    }
}

QString AnkiTemplateRenderer::valueText(const Node &node, const Values &values) const
{
    const QString field = raw(node.value, values);
    const bool question = m_side == Side::Question;
    switch (node.filter) {
    case Filter::None: return field;
    case Filter::Text: return withoutTags(field);
    // Nothing to type on paper: the answer side shows what was to be typed.
    case Filter::Type: return question ? QString() : withoutTags(field);
    case Filter::TypeCloze: return question ? QString() : withoutTags(AnkiCloze::deletions(field, values.cloze).join(QLatin1String(", ")));
    case Filter::Cloze:
        if (values.cloze <= 0)
            return field;
        return question ? AnkiCloze::question(field, values.cloze) : AnkiCloze::answer(field, values.cloze);
    }
    return field;
}

QString AnkiTemplateRenderer::render(const Values &values, bool *showsField) const
{
    QString out;
    for (qsizetype i = 0; i < m_nodes.size(); ++i) {
        const Node &node = m_nodes.at(i);
        switch (node.kind) {
        case Kind::Text: out += node.text; break;
        case Kind::Value:
            if (showsField && node.value >= 0 && !isBlank(values.fields.value(node.value)))
                *showsField = true;
            out += valueText(node, values);
            break;
        case Kind::Section:
        case Kind::InvertedSection:
            if (isBlank(raw(node.value, values)) == (node.kind == Kind::Section))
                i = node.end;
            break;
        case Kind::End: break;
        }
    }
    return out;
}

bool AnkiTemplateRenderer::isBlank(QStringView html)
{
    qsizetype i = 0;
    while (i < html.size()) {
        const QChar c = html[i];
        if (isBlankChar(c)) {
            ++i;
        } else if (c == u'<') {
            const qsizetype close = html.indexOf(u'>', i);
            if (close < 0)
                return false;
            qsizetype letters = i + 1;
            while (letters < close && html[letters].isLetter())
                ++letters;
            const QStringView name = html.sliced(i + 1, letters - i - 1);
            for (const char *media : {"img", "video", "audio", "object"}) {
                if (name.compare(QLatin1String(media), Qt::CaseInsensitive) == 0)
                    return false;
            }
            i = close + 1;
        } else if (html.sliced(i).startsWith(QLatin1String("&nbsp;"), Qt::CaseInsensitive)) {
            i += 6;
        } else {
            return false;
        }
    }
    return true;
}

QString AnkiTemplateRenderer::withoutTags(QStringView html)
{
    QString out;
    out.reserve(html.size());
    qsizetype i = 0;
    while (i < html.size()) {
        const qsizetype open = html.indexOf(u'<', i);
        const qsizetype close = open < 0 ? -1 : html.indexOf(u'>', open);
        if (close < 0) {
            out += html.sliced(i);
            break;
        }
        out += html.sliced(i, open - i);
        i = close + 1;
    }
    return out;
}
