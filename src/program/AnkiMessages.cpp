#include "program/AnkiMessages.h"

#include "program/FileMessages.h"

namespace {

const QChar kBreak = QChar(13);

QString inNote(const AnkiProblem &problem)
{
    return problem.note == 0 ? QString() : QStringLiteral(" (Notiz %1)").arg(problem.note);
}

} // namespace

QString AnkiMessages::reason(const AnkiProblem &problem)
{
    using K = AnkiProblem::Kind;
    const QString &detail = problem.detail;
    switch (problem.kind) {
    case K::None: return QString();
    case K::Unreadable:
        return detail.isEmpty() ? QStringLiteral("Die Datei lässt sich nicht öffnen.")
                                : QStringLiteral("Die Datei lässt sich nicht öffnen (%1).").arg(detail);
    case K::NotZip: return QStringLiteral("Die Datei ist kein ZIP-Archiv.");
    case K::NoCollection: return QStringLiteral("Das Archiv enthält keine Anki-Sammlung.");
    case K::DamagedDatabase:
        return detail.isEmpty() ? QStringLiteral("Die Sammlung ist beschädigt.")
                                : QStringLiteral("Die Sammlung ist beschädigt (%1).").arg(detail);
    case K::UnknownVersion: return QStringLiteral("Die Version %1 des Pakets ist unbekannt.").arg(detail);
    case K::MissingMedia: return QStringLiteral("Die Mediendatei \"%1\" fehlt im Paket.").arg(detail);
    case K::UnsafeMediaName: return QStringLiteral("Der Medienname \"%1\" verweist aus dem Paket hinaus.").arg(detail);
    case K::TooLarge: return QStringLiteral("\"%1\" ist entpackt zu groß.").arg(detail);
    case K::FieldCountMismatch: return QStringLiteral("Die Notiz %1 hat nicht so viele Felder wie ihr Notiztyp.").arg(problem.note);
    case K::UnknownField:
        return QStringLiteral("Eine Kartenvorlage nennt das Feld \"%1\", das es im Notiztyp nicht gibt%2.").arg(detail, inNote(problem));
    case K::UnknownNoteType: return QStringLiteral("Die Notiz %1 gehört zu einem Notiztyp, der im Paket fehlt.").arg(problem.note);
    case K::NoCards:
        return detail.isEmpty() ? QStringLiteral("Das Paket enthält keine Karten.")
                                : QStringLiteral("Der Stapel \"%1\" enthält keine Karten.").arg(detail);
    case K::UnknownDeck: return QStringLiteral("Das Paket enthält keinen Stapel \"%1\".").arg(detail);
    default: return warning(problem);
    }
}

QString AnkiMessages::failed(const AnkiProblem &problem, const QString &path)
{
    return QStringLiteral("Das Anki-Paket %1 kann nicht gelesen werden: %2").arg(path, reason(problem)) + kBreak
        + QStringLiteral("Es wurden keine Karten angelegt.");
}

QString AnkiMessages::warning(const AnkiProblem &problem)
{
    using K = AnkiProblem::Kind;
    const QString &detail = problem.detail;
    switch (problem.kind) {
    case K::MissingPicture: return QStringLiteral("Das Bild \"%1\" fehlt im Paket%2.").arg(detail, inNote(problem));
    case K::UnreadablePicture: return QStringLiteral("\"%1\" ist kein gültiges Bild%2.").arg(detail, inNote(problem));
    case K::PictureTooLarge: return FileMessages::pictureTooLargeMessage(detail);
    case K::MissingSound: return QStringLiteral("Der Ton \"%1\" fehlt im Paket%2.").arg(detail, inNote(problem));
    case K::Sound: return QStringLiteral("Töne wurden als eingebettete Objekte übernommen%1.").arg(inNote(problem));
    case K::MathJax: return QStringLiteral("Formeln (MathJax) wurden als Text übernommen%1.").arg(inNote(problem));
    case K::Script: return QStringLiteral("Skripte wurden weggelassen%1.").arg(inNote(problem));
    case K::FieldCutDown:
        return QStringLiteral("Ein Feld mit zu viel HTML wurde ganz oder zum Teil ohne Formatierung übernommen%1.").arg(inNote(problem));
    default: return reason(problem);
    }
}

QString AnkiMessages::warningsMessage(const QList<AnkiProblem> &warnings)
{
    constexpr qsizetype shown = 10;
    QString text = QStringLiteral("Die Karten wurden mit diesen Einschränkungen angelegt:");
    for (qsizetype i = 0; i < std::min(warnings.size(), shown); ++i)
        text += kBreak + warning(warnings.at(i));
    if (warnings.size() > shown)
        text += kBreak + QStringLiteral("und %1 weitere.").arg(warnings.size() - shown);
    return text;
}
