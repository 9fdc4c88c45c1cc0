#include "exchange/AnkiCloze.h"

#include <vector>

namespace {

// Deeper deletions are taken as text: no field nests that far, and the
// rendering recurses.
constexpr int kMaxDepth = 32;

struct Node
{
    // Text when `numbers` is empty.
    QString text;
    QList<int> numbers;
    std::vector<Node> content;
    std::vector<Node> hint;
};

struct Frame
{
    Node node;
    // As written, for a deletion that never closes.
    QString opener;
    bool inHint = false;
};

// "{{c12::" or "{{c1,2::" at `at`: its length and numbers; 0 when none.
qsizetype opener(QStringView html, qsizetype at, QList<int> &numbers)
{
    if (!html.sliced(at).startsWith(QLatin1String("{{c"), Qt::CaseInsensitive))
        return 0;
    numbers.clear();
    qsizetype i = at + 3;
    for (;;) {
        const qsizetype start = i;
        int value = 0;
        while (i < html.size() && html[i].isDigit() && i - start < 6)
            value = value * 10 + html[i++].digitValue();
        if (i == start)
            return 0;
        numbers.append(value);
        if (i < html.size() && html[i] == u',') {
            ++i;
            continue;
        }
        break;
    }
    if (!html.sliced(i).startsWith(QLatin1String("::")))
        return 0;
    return i + 2 - at;
}

void appendText(std::vector<Node> &nodes, const QString &text)
{
    if (text.isEmpty())
        return;
    if (!nodes.empty() && nodes.back().numbers.isEmpty())
        nodes.back().text += text;
    else
        nodes.push_back(Node{text, {}, {}, {}});
}

void appendNodes(std::vector<Node> &to, std::vector<Node> &&from)
{
    for (Node &node : from) {
        if (node.numbers.isEmpty())
            appendText(to, node.text);
        else
            to.push_back(std::move(node));
    }
}

std::vector<Node> parse(const QString &html)
{
    std::vector<Frame> frames(1);
    QString text;
    int literalDepth = 0;
    const auto target = [&frames]() -> std::vector<Node> & {
        Frame &top = frames.back();
        return top.inHint ? top.node.hint : top.node.content;
    };
    const auto flush = [&] {
        appendText(target(), text);
        text.clear();
    };
    QList<int> numbers;
    qsizetype i = 0;
    while (i < html.size()) {
        if (const qsizetype length = html[i] == u'{' ? opener(html, i, numbers) : 0) {
            if (frames.size() > kMaxDepth || literalDepth > 0) {
                ++literalDepth;
                text += QStringView(html).sliced(i, length);
            } else {
                flush();
                frames.push_back(Frame{Node{{}, numbers, {}, {}}, html.mid(i, length), false});
            }
            i += length;
        } else if (frames.size() > 1 && html[i] == u'}' && QStringView(html).sliced(i).startsWith(QLatin1String("}}"))) {
            if (literalDepth > 0) {
                --literalDepth;
                text += QLatin1String("}}");
            } else {
                flush();
                Node done = std::move(frames.back().node);
                frames.pop_back();
                target().push_back(std::move(done));
            }
            i += 2;
        } else if (frames.size() > 1 && literalDepth == 0 && !frames.back().inHint && html[i] == u':'
                   && QStringView(html).sliced(i).startsWith(QLatin1String("::"))) {
            flush();
            frames.back().inHint = true;
            i += 2;
        } else {
            text += html[i++];
        }
    }
    flush();
    // Deletions left open are the text they were written as.
    while (frames.size() > 1) {
        Frame open = std::move(frames.back());
        frames.pop_back();
        std::vector<Node> &into = target();
        appendText(into, open.opener);
        appendNodes(into, std::move(open.node.content));
        if (open.inHint) {
            appendText(into, QStringLiteral("::"));
            appendNodes(into, std::move(open.node.hint));
        }
    }
    return std::move(frames.front().node.content);
}

enum class Side { Question, Answer, Plain };

void render(const std::vector<Node> &nodes, int number, Side side, QString &out)
{
    for (const Node &node : nodes) {
        if (node.numbers.isEmpty()) {
            out += node.text;
        } else if (side == Side::Plain || !node.numbers.contains(number)) {
            render(node.content, number, side, out);
        } else if (side == Side::Question) {
            out += u'[';
            const qsizetype start = out.size();
            render(node.hint, number, Side::Plain, out);
            if (out.size() == start)
                out += QChar(0x2026);
            out += u']';
        } else {
            out += QLatin1String("<b>");
            render(node.content, number, side, out);
            out += QLatin1String("</b>");
        }
    }
}

void collect(const std::vector<Node> &nodes, int number, QStringList &out)
{
    for (const Node &node : nodes) {
        if (node.numbers.contains(number)) {
            QString text;
            render(node.content, number, Side::Plain, text);
            out.append(text);
        } else {
            collect(node.content, number, out);
        }
    }
}

QString rendered(const QString &html, int number, Side side)
{
    if (!html.contains(QLatin1String("{{c"), Qt::CaseInsensitive))
        return html;
    QString out;
    out.reserve(html.size() + 16);
    render(parse(html), number, side, out);
    return out;
}

} // namespace

QString AnkiCloze::question(const QString &html, int number)
{
    return rendered(html, number, Side::Question);
}

QString AnkiCloze::answer(const QString &html, int number)
{
    return rendered(html, number, Side::Answer);
}

QStringList AnkiCloze::deletions(const QString &html, int number)
{
    QStringList out;
    collect(parse(html), number, out);
    return out;
}
