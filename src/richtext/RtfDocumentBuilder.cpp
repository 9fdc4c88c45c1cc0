#include "richtext/RtfDocumentBuilder.h"

#include "richtext/CodePage.h"
#include "richtext/FacePictures.h"
#include "richtext/PictureDecoder.h"
#include "richtext/RtfFormatProperties.h"
#include "richtext/RtfParser.h"

#include <QRegularExpression>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>
#include <QTextTable>

namespace {

// Qt draws a list marker left of the text: a list paragraph's text starts
// at least this far in, so that the marker stays on the page.
constexpr int MinListIndent = 360;

QTextListFormat::Style listStyle(int kind)
{
    switch (kind) {
    case RtfNumbering::Decimal: return QTextListFormat::ListDecimal;
    case RtfNumbering::LowerAlpha: return QTextListFormat::ListLowerAlpha;
    case RtfNumbering::UpperAlpha: return QTextListFormat::ListUpperAlpha;
    case RtfNumbering::LowerRoman: return QTextListFormat::ListLowerRoman;
    case RtfNumbering::UpperRoman: return QTextListFormat::ListUpperRoman;
    default: return QTextListFormat::ListDisc;
    }
}

} // namespace

RtfDocumentBuilder::RtfDocumentBuilder(QTextDocument &document)
    : m_document(document)
    , m_cursor(&document)
{
}

const QTextCharFormat &RtfDocumentBuilder::charFormat(const RtfCharState &state)
{
    for (auto it = m_formats.rbegin(); it != m_formats.rend(); ++it)
        if (it->first == state)
            return it->second;
    QTextCharFormat f;
    const RtfFont *font = m_parser ? m_parser->font(state.font) : nullptr;
    if (!font && m_parser)
        font = m_parser->font(m_parser->defaultFont());
    QString family = font ? font->name : QString();
    if (family.isEmpty())
        family = m_document.defaultFont().family();
    f.setFontFamilies(QStringList{family});
    f.setFontPointSize(state.halfPoints / 2.0);
    f.setFontWeight(state.flags & RtfCharState::Bold ? QFont::Bold : QFont::Normal);
    f.setFontItalic(state.flags & RtfCharState::Italic);
    if (state.flags & RtfCharState::Underline) {
        switch (state.underline) {
        case RtfCharState::Dotted: f.setUnderlineStyle(QTextCharFormat::DotLine); break;
        case RtfCharState::Wave: f.setUnderlineStyle(QTextCharFormat::WaveUnderline); break;
        case RtfCharState::Dash: f.setUnderlineStyle(QTextCharFormat::DashUnderline); break;
        case RtfCharState::DashDot: f.setUnderlineStyle(QTextCharFormat::DashDotLine); break;
        case RtfCharState::DashDotDot: f.setUnderlineStyle(QTextCharFormat::DashDotDotLine); break;
        case RtfCharState::Single: f.setUnderlineStyle(QTextCharFormat::SingleUnderline); break;
        default:
            f.setUnderlineStyle(QTextCharFormat::SingleUnderline);
            f.setProperty(RtfFormatProperties::UnderlineKind, int(state.underline));
            break;
        }
    } else {
        f.setFontUnderline(false);
    }
    f.setFontStrikeOut(state.flags & RtfCharState::Strike);
    if (state.flags & RtfCharState::Super)
        f.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    else if (state.flags & RtfCharState::Sub)
        f.setVerticalAlignment(QTextCharFormat::AlignSubScript);
    if (m_parser) {
        const QColor fg = m_parser->color(state.foreground);
        if (fg.isValid())
            f.setForeground(fg);
        const QColor bg = m_parser->color(state.background);
        if (bg.isValid())
            f.setBackground(bg);
    }
    if (state.field > 0 && m_parser) {
        const QByteArray instruction = m_parser->fieldInstruction(state.field);
        f.setProperty(RtfFormatProperties::FieldInstruction, instruction);
        f.setProperty(RtfFormatProperties::FieldNumber, state.field);
        static const QRegularExpression link(QStringLiteral("HYPERLINK\\s+\"([^\"]*)\""));
        const QRegularExpressionMatch m = link.match(QString::fromLatin1(instruction));
        if (m.hasMatch()) {
            f.setAnchor(true);
            f.setAnchorHref(m.captured(1));
        }
    }
    const int cp = m_parser ? m_parser->fontCodePage(state.font) : 0;
    if (cp == CodePage::Symbol || cp == CodePage::SymbolFont)
        f.setProperty(RtfFormatProperties::SymbolFont, true);
    if (m_formats.size() >= 64)
        m_formats.erase(m_formats.begin());
    m_formats.emplace_back(state, f);
    return m_formats.back().second;
}

QTextBlockFormat RtfDocumentBuilder::blockFormat(const RtfParaState &para) const
{
    QTextBlockFormat f;
    switch (para.align) {
    case RtfParaState::Center: f.setAlignment(Qt::AlignHCenter); break;
    case RtfParaState::Right: f.setAlignment(Qt::AlignRight); break;
    case RtfParaState::Justify: f.setAlignment(Qt::AlignJustify); break;
    default: f.setAlignment(Qt::AlignLeft); break;
    }
    if (para.numbering.kind != RtfNumbering::None) {
        f.setLeftMargin(pixels(qMax(para.leftIndent, MinListIndent)));
        f.setProperty(RtfFormatProperties::ListLeftIndent, para.leftIndent);
        f.setProperty(RtfFormatProperties::ListFirstIndent, para.firstLineIndent);
    } else {
        if (para.leftIndent)
            f.setLeftMargin(pixels(para.leftIndent));
        if (para.firstLineIndent)
            f.setTextIndent(pixels(para.firstLineIndent));
    }
    if (para.rightIndent)
        f.setRightMargin(pixels(para.rightIndent));
    if (para.spaceBefore)
        f.setTopMargin(pixels(para.spaceBefore));
    if (para.spaceAfter)
        f.setBottomMargin(pixels(para.spaceAfter));
    if (para.lineSpacing != 0) {
        if (para.lineMultiple)
            f.setLineHeight(qAbs(para.lineSpacing) * 100.0 / 240.0, QTextBlockFormat::ProportionalHeight);
        else if (para.lineSpacing > 0)
            f.setLineHeight(pixels(para.lineSpacing), QTextBlockFormat::MinimumHeight);
        else
            f.setLineHeight(pixels(-para.lineSpacing), QTextBlockFormat::FixedHeight);
    }
    if (!para.tabs.isEmpty()) {
        QList<QTextOption::Tab> tabs;
        tabs.reserve(para.tabs.size());
        for (const RtfTabStop &t : para.tabs) {
            if (t.position < 0)
                continue;
            QTextOption::Tab tab;
            tab.position = pixels(t.position);
            switch (t.kind) {
            case RtfTabStop::Center: tab.type = QTextOption::CenterTab; break;
            case RtfTabStop::Right: tab.type = QTextOption::RightTab; break;
            case RtfTabStop::Decimal:
                tab.type = QTextOption::DelimiterTab;
                tab.delimiter = QLatin1Char('.');
                break;
            default: tab.type = QTextOption::LeftTab; break;
            }
            tabs.append(tab);
        }
        if (!tabs.isEmpty())
            f.setTabPositions(tabs);
    }
    return f;
}

void RtfDocumentBuilder::ensureBlock()
{
    if (!m_needBlock)
        return;
    m_cursor.insertBlock(QTextBlockFormat(), QTextCharFormat());
    m_needBlock = false;
}

void RtfDocumentBuilder::text(QStringView text, const RtfCharState &state)
{
    if (!m_pending.empty() && m_pending.back().kind == Content::Text && m_pending.back().state == state)
        m_pending.back().text += text;
    else
        m_pending.push_back({Content::Text, text.toString(), state, {}});
}

void RtfDocumentBuilder::lineBreak(const RtfCharState &state)
{
    m_pending.push_back({Content::LineBreak, {}, state, {}});
}

void RtfDocumentBuilder::picture(const RtfPictureData &picture, const RtfCharState &state)
{
    m_pending.push_back({Content::Picture, {}, state, picture});
}

void RtfDocumentBuilder::placeParagraph(bool inTable, const RtfParaState &para, const RtfCharState &mark)
{
    if (inTable)
        enterCell();
    else
        leaveTable();
    ensureBlock();
    for (Content &c : m_pending) {
        switch (c.kind) {
        case Content::Text: m_cursor.insertText(c.text, charFormat(c.state)); break;
        case Content::LineBreak: m_cursor.insertText(QString(QChar::LineSeparator), charFormat(c.state)); break;
        case Content::Picture: {
            const PictureDecoder::Result decoded = PictureDecoder::decode(c.picture, m_pixelBudget);
            FacePictures::insert(m_cursor, decoded.image, decoded.size, c.picture.original);
            break;
        }
        }
    }
    m_pending.clear();
    formatParagraph(para, mark);
    if (m_cellOpen) {
        m_cellBlockFormat = m_cursor.blockFormat();
        m_cellCharFormat = m_cursor.blockCharFormat();
    }
}

void RtfDocumentBuilder::fillCell(int row, int column)
{
    // a cell the RTF does not give (a short row): empty, formatted as the
    // last cell, and left out when written
    QTextTableCell cell = m_table->cellAt(row, column);
    QTextCursor cursor = cell.firstCursorPosition();
    cursor.setBlockFormat(m_cellBlockFormat);
    cursor.setBlockCharFormat(m_cellCharFormat); // the cell's format too
    QTextCharFormat format = cell.format();
    format.setProperty(RtfFormatProperties::CellNotGiven, true);
    cell.setFormat(format);
}

void RtfDocumentBuilder::enterCell()
{
    if (m_cellOpen)
        return;
    if (m_table && m_rowEnded) {
        if ((m_row + 2) * m_table->columns() > MaxTableCells) {
            leaveTable(); // the cell's paragraphs follow the table
            return;
        }
        // Qt lays out the whole grid again after each change of it: rows
        // come in growing batches, and what is left over goes at the end
        if (m_row + 1 >= m_table->rows())
            m_table->appendRows(qBound(1, m_table->rows(), MaxTableCells / m_table->columns() - m_table->rows()));
        ++m_row;
        m_column = 0;
        m_rowEnded = false;
    }
    if (!m_table) {
        // after the paragraph before it; Qt keeps an empty block before a
        // table that starts the document
        m_cursor.movePosition(QTextCursor::EndOfBlock);
        QTextTableFormat format;
        format.setCellSpacing(0);
        format.setCellPadding(0);
        format.setBorder(0);
        format.setBorderCollapse(true);
        m_table = m_cursor.insertTable(1, 1, format);
        m_row = m_column = 0;
        m_rowEnded = false;
    }
    if (m_column >= m_table->columns()) {
        if ((m_column + 1) * (m_row + 1) > MaxTableCells || m_column >= RtfParser::MaxColumns) {
            // no room for another cell: the text goes into the row's last one
            m_column = m_table->columns() - 1;
            m_cursor = m_table->cellAt(m_row, m_column).lastCursorPosition();
            m_cellOpen = true;
            m_needBlock = true;
            return;
        }
        m_table->appendColumns(1);
        for (int r = 0; r < m_row; ++r)
            fillCell(r, m_table->columns() - 1);
    }
    m_cursor = m_table->cellAt(m_row, m_column).firstCursorPosition();
    m_cellOpen = true;
    m_needBlock = false;
    m_previousInList = false;
}

void RtfDocumentBuilder::leaveTable()
{
    if (!m_table)
        return;
    if (m_table->rows() > m_row + 1)
        m_table->removeRows(m_row + 1, m_table->rows() - m_row - 1);
    // Qt keeps a block after every table: the next paragraph goes there
    m_cursor = m_table->lastCursorPosition();
    m_cursor.movePosition(QTextCursor::NextBlock);
    m_table = nullptr;
    m_cellOpen = false;
    m_needBlock = false;
    m_previousInList = false;
}

void RtfDocumentBuilder::formatParagraph(const RtfParaState &para, const RtfCharState &mark)
{
    m_cursor.setBlockFormat(blockFormat(para));
    // a field's result is its text: a mark inside it is not part of the link
    RtfCharState markState = mark;
    markState.field = 0;
    m_cursor.setBlockCharFormat(charFormat(markState));
    if (para.numbering.kind == RtfNumbering::None) {
        m_previousInList = false;
        return;
    }
    // a bullet's texts and start show nowhere (and are not written)
    RtfNumbering numbering = para.numbering;
    if (numbering.kind == RtfNumbering::Bullet) {
        numbering = RtfNumbering();
        numbering.kind = RtfNumbering::Bullet;
    }
    if (m_previousInList && m_list && m_listNumbering == numbering) {
        m_list->add(m_cursor.block());
        return;
    }
    QTextListFormat lf;
    lf.setStyle(listStyle(para.numbering.kind));
    lf.setIndent(0);
    if (para.numbering.kind != RtfNumbering::Bullet) {
        lf.setNumberPrefix(para.numbering.textBefore);
        lf.setNumberSuffix(para.numbering.textAfter);
    }
    lf.setProperty(RtfFormatProperties::ListStart, numbering.start);
    m_list = m_cursor.createList(lf);
    m_listNumbering = numbering;
    m_previousInList = true;
}

void RtfDocumentBuilder::paragraphEnd(const RtfParaState &para, const RtfCharState &mark)
{
    placeParagraph(para.inTable, para, mark);
    m_needBlock = true;
}

void RtfDocumentBuilder::cellEnd(const RtfParaState &para, const RtfCharState &mark)
{
    placeParagraph(true, para, mark);
    if (m_cellOpen)
        ++m_column;
    m_cellOpen = false;
    m_needBlock = true;
}

void RtfDocumentBuilder::rowEnd(const RtfRowState &row)
{
    if (!m_pending.empty()) // the row's last cell without its \cell
        cellEnd(RtfParaState(), RtfCharState());
    if (!m_table)
        return;
    // a cell that got paragraphs but no \cell is one the row gives
    if (m_cellOpen)
        ++m_column;
    for (int c = m_column; c < m_table->columns(); ++c)
        fillCell(m_row, c);
    m_cellOpen = false;
    m_rowEnded = true;
    QTextTableFormat format = m_table->format();
    if (row.borders) {
        format.setBorder(1);
        format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
        format.setBorderBrush(QColor(Qt::black));
    }
    format.setCellPadding(pixels(row.gap));
    // a row with a cell in every column defines their widths; a table wider than a
    // narrow face (one from a word processor's page) gets shares of the
    // face's width, so that none of it is out of sight
    if (row.cellRight.size() == m_table->columns()) {
        QList<QTextLength> widths;
        const int total = row.cellRight.isEmpty() ? 0 : row.cellRight.last();
        int left = 0;
        for (const int right : row.cellRight) {
            const int width = qMax(right - left, 15);
            widths.append(total > MaxFixedTableWidth ? QTextLength(QTextLength::PercentageLength, 100.0 * width / total)
                                                     : QTextLength(QTextLength::FixedLength, pixels(width)));
            left = qMax(left, right);
        }
        format.setColumnWidthConstraints(widths);
    }
    m_table->setFormat(format);
}

void RtfDocumentBuilder::documentEnd(const RtfParaState &para, const RtfCharState &mark)
{
    // The last \par merges with the document's end; a last paragraph
    // without \par of its own is still one.
    if (!m_pending.empty())
        placeParagraph(para.inTable, para, mark);
    if (m_table && m_table->rows() > m_row + 1)
        m_table->removeRows(m_row + 1, m_table->rows() - m_row - 1);
}
