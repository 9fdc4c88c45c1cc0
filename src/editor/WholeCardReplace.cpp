#include "editor/WholeCardReplace.h"

#include "richtext/FacePictures.h"

#include <QAbstractUndoItem>
#include <QPointer>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextList>

#include <memory>

namespace {

// What the steps of the two faces know of each other.
struct FacePair
{
    QPointer<QTextDocument> documents[2];
    // Each document's undo position right after its step.
    int stepEnd[2] = {0, 0};
    bool done[2] = {false, false};
    // A document drops a step when new typing replaces what could be redone.
    bool alive[2] = {true, true};
    bool following = true;
};

// One face's part of the paste. It keeps whole copies of the face before
// and after: Qt's own undo of a replaced document does not bring back every
// paragraph mark, and a card must come back exactly as it was.
class FaceStep : public QAbstractUndoItem
{
public:
    FaceStep(std::shared_ptr<FacePair> pair, int side, std::unique_ptr<QTextDocument> before, std::unique_ptr<QTextDocument> after)
        : m_pair(std::move(pair))
        , m_side(side)
        , m_before(std::move(before))
        , m_after(std::move(after))
    {
    }
    ~FaceStep() override { m_pair->alive[m_side] = false; }

    void undo() override
    {
        if (m_pair->done[m_side])
            apply(*m_before, false);
    }
    void redo() override { apply(*m_after, true); }

private:
    void apply(const QTextDocument &content, bool done)
    {
        if (QTextDocument *own = m_pair->documents[m_side])
            WholeCardReplace::copyContent(content, *own);
        m_pair->done[m_side] = done;
        follow(done);
    }

    void follow(bool redo)
    {
        FacePair &pair = *m_pair;
        const int other = 1 - m_side;
        QTextDocument *document = pair.documents[other];
        if (pair.following || !document || !pair.alive[other] || pair.done[other] == redo)
            return;
        const int next = redo ? pair.stepEnd[other] - 1 : pair.stepEnd[other];
        if (document->availableUndoSteps() != next || (redo && !document->isRedoAvailable()))
            return;
        pair.following = true;
        if (redo)
            document->redo();
        else
            document->undo();
        pair.following = false;
    }

    std::shared_ptr<FacePair> m_pair;
    int m_side;
    std::unique_ptr<QTextDocument> m_before;
    std::unique_ptr<QTextDocument> m_after;
};

std::unique_ptr<QTextDocument> copyOf(const QTextDocument &source)
{
    auto copy = std::make_unique<QTextDocument>();
    copy->setUndoRedoEnabled(false);
    WholeCardReplace::copyContent(source, *copy);
    return copy;
}

} // namespace

void WholeCardReplace::replace(QTextDocument &front, const QTextDocument &newFront, QTextDocument &back, const QTextDocument &newBack)
{
    auto pair = std::make_shared<FacePair>();
    QTextDocument *const documents[2] = {&front, &back};
    const QTextDocument *const contents[2] = {&newFront, &newBack};
    for (int side : {0, 1}) {
        QTextDocument &document = *documents[side];
        if (!document.isUndoRedoEnabled()) {
            copyContent(*contents[side], document);
            continue;
        }
        pair->documents[side] = &document;
        document.appendUndoItem(new FaceStep(pair, side, copyOf(document), copyOf(*contents[side])));
        // Edits made inside a step's own undo or redo are not recorded
        // again; so the step is taken back once and redone, which makes
        // the change.
        document.undo();
        document.redo();
        pair->stepEnd[side] = document.availableUndoSteps();
    }
    pair->following = false;
}

void WholeCardReplace::copyContent(const QTextDocument &source, QTextDocument &target)
{
    QTextCursor cursor(&target);
    cursor.beginEditBlock();
    cursor.select(QTextCursor::Document);
    cursor.removeSelectedText();
    if (!source.isEmpty())
        cursor.insertFragment(QTextDocumentFragment(&source));
    FacePictures::copyResources(source, target);
    // A fragment keeps the first paragraph's mark of the target, and an
    // empty source all formats of the paragraph left behind.
    QTextBlock from = source.begin();
    for (QTextBlock to = target.begin(); to.isValid() && from.isValid(); to = to.next(), from = from.next()) {
        QTextCursor at(to);
        if (!from.textList() && to.textList())
            to.textList()->remove(to);
        else if (from.textList() && !to.textList())
            at.createList(from.textList()->format());
        QTextBlockFormat format = from.blockFormat();
        format.setObjectIndex(to.blockFormat().objectIndex());
        if (to.blockFormat() != format)
            at.setBlockFormat(format);
        if (to.charFormat() != from.charFormat())
            at.setBlockCharFormat(from.charFormat());
    }
    cursor.endEditBlock();
}
