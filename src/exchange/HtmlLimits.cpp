#include "exchange/HtmlLimits.h"

#include "exchange/InlineHtml.h"

#include <QHash>
#include <QList>

#include <vector>

namespace {

struct Tag
{
    qsizetype end = 0;
    QString name; // lower case; empty for comments and declarations
    bool closing = false;
    bool selfClosing = false;
};

bool isOneOf(const QString &name, std::initializer_list<const char *> names)
{
    for (const char *n : names) {
        if (name == QLatin1StringView(n))
            return true;
    }
    return false;
}

bool isVoid(const QString &name)
{
    return isOneOf(name, {"br", "img", "hr", "meta", "link", "input", "area", "base", "col", "wbr", "param", "source", "embed", "track"});
}

// A new one of these closes an open one of its name, as Qt's reader does.
bool isNotSelfNesting(const QString &name)
{
    return isOneOf(name, {"p", "li", "dt", "dd", "tr", "td", "th", "option"});
}

// The tag at html[at] == '<', to its '>' (a quoted attribute value may
// hold one).
Tag tagAt(QStringView html, qsizetype at)
{
    const qsizetype size = html.size();
    Tag tag;
    qsizetype pos = at + 1;
    if (pos < size && (html[pos] == u'!' || html[pos] == u'?')) {
        if (html.sliced(pos).startsWith(QLatin1StringView("!--"))) {
            const qsizetype end = html.indexOf(QLatin1StringView("-->"), pos + 3);
            tag.end = end < 0 ? size : end + 3;
        } else {
            const qsizetype end = html.indexOf(u'>', pos);
            tag.end = end < 0 ? size : end + 1;
        }
        return tag;
    }
    while (pos < size && html[pos].isSpace())
        ++pos;
    tag.closing = pos < size && html[pos] == u'/';
    if (tag.closing)
        ++pos;
    const qsizetype nameStart = pos;
    while (pos < size && !html[pos].isSpace() && html[pos] != u'>' && html[pos] != u'/' && html[pos] != u'<' && html[pos] != u'=')
        ++pos;
    tag.name = html.sliced(nameStart, pos - nameStart).toString().toLower();
    QChar previous;
    while (pos < size && html[pos] != u'>') {
        const QChar c = html[pos];
        if ((c == u'"' || c == u'\'') && previous == u'=') {
            const qsizetype end = html.indexOf(c, pos + 1);
            pos = end < 0 ? size : end + 1;
            previous = c;
            continue;
        }
        if (!c.isSpace())
            previous = c;
        ++pos;
    }
    tag.selfClosing = previous == u'/';
    tag.end = pos < size ? pos + 1 : size;
    return tag;
}

bool hides(const QString &name)
{
    return isOneOf(name, {"script", "style", "head", "title"});
}

bool endsParagraph(const QString &name)
{
    return isOneOf(name,
                   {"p", "div", "li", "tr", "h1", "h2", "h3", "h4", "h5", "h6", "ul", "ol", "table", "blockquote", "pre", "dt", "dd"});
}

} // namespace

HtmlLimits::Result HtmlLimits::check(const QString &html)
{
    if (html.size() > MaxLength)
        return {Outcome::TooLarge, textOf(html)};
    // Fewer tags than the depth allowed cannot nest too deep.
    if (html.count(u'<') <= MaxDepth)
        return {};
    struct Open
    {
        QString name;
        bool kept;
    };
    std::vector<Open> open;
    QHash<QString, int> openCount;
    QList<std::pair<qsizetype, qsizetype>> dropped;
    int tags = 0;
    int pictures = 0;
    qsizetype pos = 0;
    while ((pos = html.indexOf(u'<', pos)) >= 0) {
        const qsizetype start = pos;
        const Tag tag = tagAt(html, pos);
        pos = tag.end;
        if (tag.name.isEmpty())
            continue;
        if (++tags > MaxTags || (tag.name == QLatin1StringView("img") && ++pictures > MaxPictures))
            return {Outcome::TooLarge, textOf(html)};
        if (tag.closing) {
            // The innermost open element of the name closes with all inside
            // it; a name not open is ignored.
            if (openCount.value(tag.name) == 0)
                continue;
            for (;;) {
                const Open inner = std::move(open.back());
                open.pop_back();
                --openCount[inner.name];
                if (inner.name == tag.name) {
                    if (!inner.kept)
                        dropped.append({start, pos});
                    break;
                }
            }
            continue;
        }
        if (tag.selfClosing || isVoid(tag.name))
            continue;
        if (isNotSelfNesting(tag.name) && !open.empty() && open.back().name == tag.name) {
            --openCount[tag.name];
            open.pop_back();
        }
        const bool kept = open.size() < size_t(MaxDepth);
        if (!kept)
            dropped.append({start, pos});
        open.push_back({tag.name, kept});
        ++openCount[tag.name];
    }
    if (dropped.isEmpty())
        return {};
    Result result{Outcome::TooDeep, QString()};
    result.text.reserve(html.size());
    qsizetype from = 0;
    for (const auto &[start, end] : std::as_const(dropped)) {
        result.text += QStringView(html).sliced(from, start - from);
        from = end;
    }
    result.text += QStringView(html).sliced(from);
    return result;
}

QString HtmlLimits::textOf(QStringView html)
{
    QString text;
    text.reserve(html.size());
    bool blank = false;
    const auto add = [&](QStringView s) {
        if (blank && !text.isEmpty() && !text.endsWith(u'\n'))
            text += u' ';
        blank = false;
        text += s;
    };
    const auto newLine = [&] {
        blank = false;
        if (!text.isEmpty() && !text.endsWith(u'\n'))
            text += u'\n';
    };
    QString decoded;
    qsizetype pos = 0;
    while (pos < html.size()) {
        const QChar c = html[pos];
        if (c == u'<') {
            const Tag tag = tagAt(html, pos);
            pos = tag.end;
            if (tag.name == QLatin1StringView("br")) {
                blank = false;
                text += u'\n';
            } else if (!tag.closing && !tag.selfClosing && hides(tag.name)) {
                const qsizetype end = html.indexOf(QLatin1StringView("</") + tag.name, pos, Qt::CaseInsensitive);
                pos = end < 0 ? html.size() : tagAt(html, end).end;
            } else if (endsParagraph(tag.name)) {
                newLine();
            }
            continue;
        }
        ++pos;
        if (c == u'&') {
            if (InlineHtml::entity(html, pos, decoded) == InlineHtml::Entity::Decoded)
                add(decoded);
            else
                add(QStringView(&c, 1));
        } else if (c.isSpace() && c != QChar::Nbsp) {
            blank = true;
        } else {
            add(QStringView(&c, 1));
        }
    }
    while (text.endsWith(u'\n'))
        text.chop(1);
    return text;
}
