#include "exchange/AnkiCards.h"

#include "exchange/AnkiTemplateRenderer.h"
#include "exchange/CsvCards.h"
#include "exchange/HtmlFace.h"

#include "cardset/ScratchFile.h"
#include "richtext/PackagedFile.h"
#include "richtext/RtfReader.h"
#include "richtext/RtfWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <memory>
#include <optional>
#include <vector>

namespace {

// Stands for a sound in the HTML until the face is written: a character
// of the private use area that no field of a package means.
constexpr char16_t kSoundMark = 0xE000;

bool inDeck(const QString &name, const QString &deck)
{
    return name.compare(deck, Qt::CaseInsensitive) == 0
        || (name.size() > deck.size() + 2 && name.startsWith(deck + QLatin1String("::"), Qt::CaseInsensitive));
}

QString withoutScripts(const QString &html)
{
    QString out;
    qsizetype i = 0;
    for (;;) {
        const qsizetype start = html.indexOf(QLatin1String("<script"), i, Qt::CaseInsensitive);
        if (start < 0)
            break;
        out += QStringView(html).sliced(i, start - i);
        const qsizetype end = html.indexOf(QLatin1String("</script"), start, Qt::CaseInsensitive);
        const qsizetype close = end < 0 ? -1 : html.indexOf(u'>', end);
        if (close < 0)
            return out;
        i = close + 1;
    }
    out += QStringView(html).sliced(i);
    return out;
}

// What a face needs besides its HTML, found in one pass.
struct Content
{
    bool script = false;
    bool mathJax = false;
    bool sound = false;
};

Content contentOf(QStringView html)
{
    Content content;
    for (qsizetype i = 0; i + 1 < html.size(); ++i) {
        switch (html[i].unicode()) {
        case u'<': content.script = content.script || html.sliced(i + 1).startsWith(QLatin1String("script"), Qt::CaseInsensitive); break;
        case u'\\': content.mathJax = content.mathJax || html[i + 1] == u'(' || html[i + 1] == u'['; break;
        case u'[': content.sound = content.sound || html.sliced(i).startsWith(QLatin1String("[sound:")); break;
        default: break;
        }
    }
    return content;
}

struct Sides
{
    std::unique_ptr<AnkiTemplateRenderer> question;
    std::unique_ptr<AnkiTemplateRenderer> answer;
};

class Converter
{
public:
    Converter(const AnkiCollection &collection, const FontRecord &front, const FontRecord &back, qreal pictureWidth)
        : m_collection(collection)
        , m_front(CsvCards::standardFormat(front), {collection.mediaFolder(), pictureWidth})
        , m_back(CsvCards::standardFormat(back), {collection.mediaFolder(), pictureWidth})
        , m_templates(collection.noteTypes.size())
    {
        for (qsizetype i = 0; i < collection.noteTypes.size(); ++i)
            m_noteTypes.insert(collection.noteTypes.at(i).id, int(i));
        for (qsizetype i = 0; i < collection.notes.size(); ++i)
            m_notes.insert(collection.notes.at(i).id, int(i));
        for (const AnkiDeck &deck : collection.decks)
            m_decks.insert(deck.id, deck.name);
    }

    AnkiCards run(const QString &deck)
    {
        QSet<qint64> chosen;
        if (!deck.isEmpty()) {
            for (const AnkiDeck &d : m_collection.decks) {
                if (inDeck(d.name, deck))
                    chosen.insert(d.id);
            }
            if (chosen.isEmpty()) {
                m_result.error = {AnkiProblem::Kind::UnknownDeck, deck, 0};
                return std::move(m_result);
            }
        }
        m_result.cards.reserve(m_collection.cards.size());
        for (const AnkiCard &card : m_collection.cards) {
            if (!deck.isEmpty() && !chosen.contains(card.deckId))
                continue;
            if (!convert(card)) {
                m_result.cards.clear();
                return std::move(m_result);
            }
        }
        if (m_result.cards.isEmpty())
            m_result.error = {AnkiProblem::Kind::NoCards, deck, 0};
        return std::move(m_result);
    }

private:
    // False after an error that stops the whole.
    bool convert(const AnkiCard &card)
    {
        const int noteIndex = m_notes.value(card.noteId, -1);
        if (noteIndex < 0)
            return true;
        const AnkiNote &note = m_collection.notes.at(noteIndex);
        const int typeIndex = m_noteTypes.value(note.noteTypeId, -1);
        if (typeIndex < 0) {
            m_result.error = {AnkiProblem::Kind::UnknownNoteType, QString(), note.id};
            return false;
        }
        const AnkiNoteType &type = m_collection.noteTypes.at(typeIndex);
        const bool cloze = type.kind == AnkiNoteType::Kind::Cloze;
        const int templateIndex = cloze ? 0 : card.ord;
        if (templateIndex < 0 || templateIndex >= type.templates.size())
            return true;
        const Sides *sides = sidesOf(typeIndex, templateIndex, note.id);
        if (!sides)
            return false;

        QStringList padded;
        if (note.fields.size() < type.fields.size()) {
            padded = note.fields;
            padded.resize(type.fields.size());
        }
        const AnkiTemplateRenderer::Values values{padded.isEmpty() ? note.fields : padded,
                                                  note.tags,
                                                  type.name,
                                                  m_decks.value(card.deckId),
                                                  type.templates.at(templateIndex).name,
                                                  cloze ? card.ord + 1 : 0};
        bool showsField = false;
        const QString question = sides->question->render(values, &showsField);
        // Anki makes no such card; one of an older package is left out.
        if (!cloze && (!showsField || AnkiTemplateRenderer::isBlank(question)))
            return true;
        const QString answer = sides->answer->render(values);

        Card made;
        made.Front = face(question, m_front, CsvProblem::Side::Front, note.id);
        made.Back = face(answer, m_back, CsvProblem::Side::Back, note.id);
        made.Box = AnkiCards::boxOf(card, note);
        // A suspended card is not to be learnt: it comes along unchecked.
        made.Marked = card.queue != -1;
        m_result.cards.append(std::move(made));
        return true;
    }

    // The template's two sides, read once; null after UnknownField.
    const Sides *sidesOf(int typeIndex, int templateIndex, qint64 note)
    {
        const AnkiNoteType &type = m_collection.noteTypes.at(typeIndex);
        std::vector<std::unique_ptr<Sides>> &of = m_templates[typeIndex];
        if (of.empty())
            of.resize(type.templates.size());
        std::unique_ptr<Sides> &sides = of[templateIndex];
        if (!sides) {
            const AnkiTemplate &t = type.templates.at(templateIndex);
            sides = std::make_unique<Sides>();
            sides->question = std::make_unique<AnkiTemplateRenderer>(t.questionFormat, AnkiTemplateRenderer::Side::Question, type.fields);
            sides->answer = std::make_unique<AnkiTemplateRenderer>(t.answerFormat, AnkiTemplateRenderer::Side::Answer, type.fields);
        }
        const QString &unknown =
            sides->question->unknownField().isEmpty() ? sides->answer->unknownField() : sides->question->unknownField();
        if (!unknown.isEmpty()) {
            m_result.error = {AnkiProblem::Kind::UnknownField, unknown, note};
            return nullptr;
        }
        return sides.get();
    }

    void warn(AnkiProblem::Kind kind, const QString &detail, qint64 note)
    {
        const QString key = QString::number(int(kind)) + u':' + detail;
        if (m_warned.contains(key))
            return;
        m_warned.insert(key);
        m_result.warnings.append({kind, detail, note});
    }

    QByteArray face(QString html, HtmlFace &faces, CsvProblem::Side side, qint64 note)
    {
        const Content content = contentOf(html);
        if (content.script) {
            html = withoutScripts(html);
            warn(AnkiProblem::Kind::Script, QString(), note);
        }
        if (content.mathJax)
            warn(AnkiProblem::Kind::MathJax, QString(), note);
        QStringList sounds;
        if (content.sound) {
            html.remove(QChar(kSoundMark));
            html = takeSounds(html, sounds);
            if (!sounds.isEmpty())
                warn(AnkiProblem::Kind::Sound, QString(), note);
        }
        QList<CsvProblem> problems;
        QByteArray rtf = faces.toRtf(html, 0, side, problems);
        for (const CsvProblem &problem : std::as_const(problems)) {
            switch (problem.kind) {
            case CsvProblem::Kind::MissingPicture: warn(AnkiProblem::Kind::MissingPicture, problem.detail, note); break;
            case CsvProblem::Kind::PictureTooLarge: warn(AnkiProblem::Kind::PictureTooLarge, problem.detail, note); break;
            case CsvProblem::Kind::FieldTooLarge:
            case CsvProblem::Kind::FieldTooDeep: warn(AnkiProblem::Kind::FieldCutDown, QString(), note); break;
            default: warn(AnkiProblem::Kind::UnreadablePicture, problem.detail, note); break;
            }
        }
        return sounds.isEmpty() ? rtf : withSounds(rtf, sounds, note);
    }

    // "[sound:NAME]" each as a mark, the names in order.
    static QString takeSounds(const QString &html, QStringList &names)
    {
        QString out;
        qsizetype i = 0;
        for (;;) {
            const qsizetype start = html.indexOf(QLatin1String("[sound:"), i);
            const qsizetype end = start < 0 ? -1 : html.indexOf(u']', start);
            if (end < 0)
                break;
            out += QStringView(html).sliced(i, start - i);
            out += QChar(kSoundMark);
            names.append(html.mid(start + 7, end - start - 7).trimmed());
            i = end + 1;
        }
        out += QStringView(html).sliced(i);
        return out;
    }

    // The face with each mark replaced by its sound file as a packaged
    // object, as "Objekt einfügen" inserts it.
    QByteArray withSounds(const QByteArray &rtf, const QStringList &sounds, qint64 note)
    {
        QTextDocument document;
        RtfReader::read(rtf, document);
        QList<int> marks;
        for (QTextCursor found = document.find(QString(QChar(kSoundMark))); !found.isNull();
             found = document.find(QString(QChar(kSoundMark)), found))
            marks.append(found.selectionStart());
        for (qsizetype k = marks.size() - 1; k >= 0; --k) {
            QTextCursor cursor(&document);
            cursor.setPosition(marks.at(k));
            cursor.setPosition(marks.at(k) + 1, QTextCursor::KeepAnchor);
            cursor.removeSelectedText();
            const QString name = sounds.value(k);
            QString path = HtmlFace::picturePath(m_collection.mediaFolder(), name);
            if (path.isEmpty())
                path = HtmlFace::picturePath(m_collection.mediaFolder(), QString(name).replace(QLatin1String("&amp;"), QLatin1String("&")));
            QFile file(path);
            const bool read = !path.isEmpty() && file.open(QIODevice::ReadOnly);
            const QByteArray bytes = read ? file.readAll() : QByteArray();
            if (!read || file.error() != QFileDevice::NoError || !PackagedFile::insert(cursor, name, bytes))
                warn(AnkiProblem::Kind::MissingSound, name, note);
        }
        return RtfWriter::write(document);
    }

    const AnkiCollection &m_collection;
    HtmlFace m_front;
    HtmlFace m_back;
    QHash<qint64, int> m_noteTypes;
    QHash<qint64, int> m_notes;
    QHash<qint64, QString> m_decks;
    // By note type, then template.
    std::vector<std::vector<std::unique_ptr<Sides>>> m_templates;
    QSet<QString> m_warned;
    AnkiCards m_result;
};

} // namespace

AnkiCards AnkiCards::build(const AnkiCollection &collection, const QString &deck, const FontRecord &front, const FontRecord &back,
                           qreal pictureWidth)
{
    return Converter(collection, front, back, pictureWidth).run(deck);
}

int AnkiCards::boxOf(const AnkiCard &card, const AnkiNote &note)
{
    for (const QString &tag : note.tags) {
        if (tag.size() == 9 && tag.startsWith(QLatin1String("Kasten::"), Qt::CaseInsensitive) && tag.at(8) >= u'1' && tag.at(8) <= u'4')
            return tag.at(8).digitValue();
    }
    if (card.type != 2)
        return 1;
    return card.interval < 7 ? 2 : card.interval < 30 ? 3 : 4;
}

QStringList AnkiCards::deckChoices(const AnkiCollection &collection)
{
    QHash<qint64, QString> names;
    for (const AnkiDeck &deck : collection.decks)
        names.insert(deck.id, deck.name);
    QSet<qint64> used;
    for (const AnkiCard &card : collection.cards)
        used.insert(card.deckId);
    QSet<QString> choices;
    for (qint64 id : std::as_const(used)) {
        const QStringList levels = names.value(id).split(QLatin1String("::"));
        for (qsizetype k = 1; k <= levels.size() && !levels.constFirst().isEmpty(); ++k)
            choices.insert(levels.first(k).join(QLatin1String("::")));
    }
    QStringList sorted(choices.cbegin(), choices.cend());
    std::sort(sorted.begin(), sorted.end(), [](const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    return sorted;
}

QString AnkiCards::setName(const AnkiCollection &collection, const QString &deck, const QString &packagePath)
{
    if (!deck.isEmpty()) {
        for (const AnkiDeck &d : collection.decks) {
            if (d.name.compare(deck, Qt::CaseInsensitive) == 0)
                return d.name;
        }
        return deck;
    }
    QHash<qint64, QString> names;
    for (const AnkiDeck &d : collection.decks)
        names.insert(d.id, d.name);
    // The levels every card's deck begins with.
    std::optional<QStringList> common;
    for (const AnkiCard &card : collection.cards) {
        const QStringList levels = names.value(card.deckId).split(QLatin1String("::"));
        if (!common) {
            common = levels;
            continue;
        }
        qsizetype same = 0;
        while (same < common->size() && same < levels.size() && common->at(same) == levels.at(same))
            ++same;
        common->resize(same);
    }
    const QString name = common ? common->join(QLatin1String("::")) : QString();
    if (name.isEmpty() || name == QLatin1String("Default"))
        return QFileInfo(packagePath).completeBaseName();
    return name;
}

QString AnkiCards::savePathFor(const QString &packagePath, const QString &setName)
{
    QString name = QString(setName).replace(QLatin1String("::"), QLatin1String(" - "));
    for (QChar &c : name) {
        if (c.unicode() < 0x20 || QStringView(u"/\\:*?\"<>|").contains(c))
            c = u'_';
    }
    name = name.trimmed();
    if (name.isEmpty() || name.startsWith(u'.'))
        name = QFileInfo(packagePath).completeBaseName();
    const QString path = QFileInfo(packagePath).absoluteDir().filePath(name + QLatin1String(".ql3"));
    return QFileInfo::exists(path) ? ScratchFile::UniqueFileName(path) : path;
}
