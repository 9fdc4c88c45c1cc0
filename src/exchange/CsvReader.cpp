#include "exchange/CsvReader.h"

#include "exchange/CsvDirectives.h"
#include "exchange/DelimitedText.h"

namespace {

struct Columns
{
    int front = 0;
    int back = 1;
    int box = 2;
};

// Front, back and box: by name where names are given, otherwise the first
// columns that hold no other program's data. The box is only taken from a
// column without a name of its own.
Columns mapColumns(const QStringList &names, const QSet<int> &otherColumns, qsizetype width)
{
    Columns columns{-1, -1, -1};
    for (qsizetype i = 0; i < names.size(); ++i) {
        if (otherColumns.contains(int(i)))
            continue;
        int *role = nullptr;
        switch (CsvReader::columnNamed(names.at(i))) {
        case CsvReader::Column::Front: role = &columns.front; break;
        case CsvReader::Column::Back: role = &columns.back; break;
        case CsvReader::Column::Box: role = &columns.box; break;
        case CsvReader::Column::None: break;
        }
        if (role && *role < 0)
            *role = int(i);
    }
    const auto free = [&](int i) { return !otherColumns.contains(i) && i != columns.front && i != columns.back && i != columns.box; };
    const int last = int(std::max<qsizetype>(width, names.size()) + otherColumns.size() + 3);
    for (int *role : {&columns.front, &columns.back, &columns.box}) {
        for (int i = 0; *role < 0 && i < last; ++i) {
            const bool unnamed = i >= names.size() || names.at(i).trimmed().isEmpty();
            if (free(i) && (role != &columns.box || unnamed))
                *role = i;
        }
    }
    return columns;
}

int boxNumber(const QString &field)
{
    bool ok = false;
    const int box = field.trimmed().toInt(&ok);
    return ok && box >= 1 && box <= 4 ? box : 0;
}

CsvTable failed(CsvTable table, CsvProblem::Kind kind, int line, const QString &detail = QString())
{
    table.rows.clear();
    table.problem = CsvProblem{kind, line, detail};
    return table;
}

} // namespace

CsvReader::Column CsvReader::columnNamed(const QString &name)
{
    const QString key = name.trimmed().toLower();
    static const QStringList fronts = {QStringLiteral("frage"), QStringLiteral("vorderseite"), QStringLiteral("front"),
                                       QStringLiteral("question")};
    static const QStringList backs = {QStringLiteral("antwort"), QStringLiteral("rückseite"), QStringLiteral("rueckseite"),
                                      QStringLiteral("back"), QStringLiteral("answer")};
    static const QStringList boxes = {QStringLiteral("kasten"), QStringLiteral("box")};
    if (fronts.contains(key))
        return Column::Front;
    if (backs.contains(key))
        return Column::Back;
    if (boxes.contains(key))
        return Column::Box;
    return Column::None;
}

bool CsvReader::isHeader(const QStringList &fields)
{
    // "Kasten;box" or "Frage;question" are cards about those words: a
    // header names each column once.
    bool front = false;
    bool back = false;
    bool box = false;
    for (const QString &field : fields) {
        if (field.trimmed().isEmpty())
            continue;
        bool *seen = nullptr;
        switch (columnNamed(field)) {
        case Column::Front: seen = &front; break;
        case Column::Back: seen = &back; break;
        case Column::Box: seen = &box; break;
        case Column::None: return false;
        }
        if (*seen)
            return false;
        *seen = true;
    }
    return front && back;
}

CsvTable CsvReader::read(QByteArrayView bytes, const CsvImportSettings &settings)
{
    CsvTable table;
    table.encoding = settings.encoding.value_or(TextEncoding::detect(bytes));
    // A detected encoding is one that decodes; only a chosen one can fail.
    // The other choices are still detected, to be shown beside the problem.
    const int undecodable = settings.encoding ? TextEncoding::firstUndecodableLine(bytes, table.encoding) : 0;
    const QString text = TextEncoding::decode(bytes, table.encoding);
    if (const qsizetype nul = text.indexOf(QChar(0)); nul >= 0)
        return failed(table, CsvProblem::Kind::NotText, 1 + int(QStringView(text).left(nul).count(u'\n')));

    const CsvDirectives directives = CsvDirectives::read(text);
    const QStringView body = QStringView(text).mid(directives.bodyStart);
    table.html = settings.html.value_or(directives.html.value_or(false));
    table.delimiter = settings.delimiter.value_or(directives.separator.value_or(DelimitedText::detectDelimiter(body)));

    if (undecodable)
        return failed(table, CsvProblem::Kind::Undecodable, undecodable, TextEncoding::name(table.encoding));
    DelimitedText::Reading reading = DelimitedText::read(body, table.delimiter, directives.bodyLine);
    if (reading.unclosedQuoteLine)
        return failed(table, CsvProblem::Kind::UnclosedQuote, reading.unclosedQuoteLine);
    QList<DelimitedText::Record> &records = reading.records;
    records.removeIf([](const DelimitedText::Record &record) { return record.isBlank(); });

    QStringList names;
    if (directives.columns)
        names = directives.columns->split(table.delimiter);
    // Columns named by a directive need no header row: the first row is a card.
    table.header = settings.header.value_or(!directives.columns && !records.isEmpty() && isHeader(records.constFirst().fields));
    if (table.header && !records.isEmpty())
        names = records.takeFirst().fields;
    if (records.isEmpty())
        return failed(table, CsvProblem::Kind::Empty, 0);

    qsizetype width = 0;
    for (const DelimitedText::Record &record : std::as_const(records)) {
        if (record.fields.size() < 2)
            return failed(table, CsvProblem::Kind::TooFewFields, record.line);
        width = std::max(width, record.fields.size());
    }
    const Columns columns = mapColumns(names, directives.otherColumns, width);
    table.rows.reserve(records.size());
    for (const DelimitedText::Record &record : std::as_const(records)) {
        CsvRow row;
        row.front = record.fields.value(columns.front);
        row.back = record.fields.value(columns.back);
        row.box = columns.box >= 0 ? boxNumber(record.fields.value(columns.box)) : 0;
        row.line = record.line;
        table.rows.append(std::move(row));
    }
    return table;
}
