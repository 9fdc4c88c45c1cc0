#include "editor/CardSearch.h"

#include "richtext/RtfReader.h"

CardSearch::Result CardSearch::step(int currentIndex, int count, const std::function<Face(int)> &examine,
                                    const std::function<bool()> &askRestart)
{
    if (count <= 0)
        return {currentIndex, Face::None};
    int i = currentIndex;
    for (int examined = 1;; ++examined) {
        ++i;
        if (i >= count) {
            if (!askRestart())
                return {count - 1, Face::None};
            i = 0;
        }
        const Face face = examine(i);
        if (face != Face::None)
            return {i, face};
        if (examined >= count)
            return {i, Face::None, true};
    }
}

bool CardSearch::faceContains(QByteArrayView rtf, const QString &text)
{
    if (text.isEmpty())
        return true;
    // The editor's plain text breaks its paragraphs with one character;
    // a search text holds none, so it cannot match across them either way.
    const QStringList lines = RtfReader::textLines(rtf);
    for (const QString &line : lines) {
        if (line.contains(text, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

CardSearch::Face CardSearch::examineCard(QByteArrayView front, QByteArrayView back, const QString &text)
{
    if (faceContains(back, text))
        return Face::Back;
    if (faceContains(front, text))
        return Face::Front;
    return Face::None;
}
