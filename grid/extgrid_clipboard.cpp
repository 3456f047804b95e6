// The grid control's clipboard: copy, cut and paste of cell ranges as plain
// text, rich text and the grid's own cell format, and the smart fill that
// continues a pasted series over the selection.
#include "grid/extgrid.h"

#include "grid/cellstream.h"
#include "grid/esghtmle.h"
#include "grid/esgspin.h"
#include "grid/extutil.h"
#include "image/conversao.h"
#include "platform/localesettings.h"
#include "platform/rtf.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace {

const QString kRtfMimeType = QStringLiteral("text/rtf");

// The most characters a copy reserves ahead (32 MB).
constexpr qsizetype kCopyReserveLimit = qsizetype{1} << 24;

// Keeps the grid's update counter raised for a scope, whatever leaves it.
class UpdateGuard {
public:
    explicit UpdateGuard(TExtStringGrid& Grid) : grid_(Grid) { grid_.BeginUpdate(); }
    ~UpdateGuard() { grid_.EndUpdate(); }
    UpdateGuard(const UpdateGuard&) = delete;
    UpdateGuard& operator=(const UpdateGuard&) = delete;

private:
    TExtStringGrid& grid_;
};

// One line of pasted text: its tab-separated values, and whether a carriage
// return ended it.
struct PastedLine {
    QStringList values;
    bool endedByCR = false;
};

// Lines end at a carriage return with an optional line feed after it; a
// lone line feed stays inside its value. The text after the last carriage
// return is a line too, empty or not.
std::vector<PastedLine> SplitPastedLines(const QString& Text)
{
    std::vector<PastedLine> lines;
    qsizetype start = 0;
    for (;;) {
        const qsizetype cr = Text.indexOf(QLatin1Char('\r'), start);
        PastedLine line;
        line.endedByCR = cr >= 0;
        line.values = Text.mid(start, (cr >= 0 ? cr : Text.size()) - start).split(QLatin1Char('\t'));
        lines.push_back(std::move(line));
        if (cr < 0)
            break;
        start = cr + 1;
        if (start < Text.size() && Text[start] == QLatin1Char('\n'))
            ++start;
    }
    return lines;
}

// What a copied cell text holds that its copy has to treat: mini-HTML
// ("</"), rich text ("{\"), line breaks. One pass over the characters,
// since a copy reads every cell of the range.
struct CopyMarks {
    bool html = false;
    bool rich = false;
    bool lineBreak = false;
};

CopyMarks ScanCopyText(const QString& Text)
{
    CopyMarks marks;
    const QChar* d = Text.constData();
    const qsizetype n = Text.size();
    for (qsizetype i = 0; i < n; ++i) {
        switch (d[i].unicode()) {
        case u'<':
            marks.html = marks.html || (i + 1 < n && d[i + 1] == QLatin1Char('/'));
            break;
        case u'{':
            marks.rich = marks.rich || (i + 1 < n && d[i + 1] == QLatin1Char('\\'));
            break;
        case u'\n':
        case u'\r':
            marks.lineBreak = true;
            break;
        default:
            break;
        }
    }
    return marks;
}

// A value of a quoted multi-line copy back in the grid's own form.
QString UnquoteMultiline(QString Value)
{
    if (Value.startsWith(QLatin1Char('"')))
        Value.remove(0, 1);
    if (Value.endsWith(QLatin1Char('"')))
        Value.chop(1);
    return Value.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
}

// The cells of a one-column or one-row selection, in order.
std::vector<TPoint> SeriesCells(const TGridRect& Sel)
{
    std::vector<TPoint> cells;
    for (int r = Sel.Top; r <= Sel.Bottom; ++r)
        for (int c = Sel.Left; c <= Sel.Right; ++c)
            cells.push_back({c, r});
    return cells;
}

// "hh:mm" or "hh:mm:ss" with the locale's time separator.
std::optional<QTime> ParseTime(const QString& Text)
{
    const QStringList parts = Text.trimmed().split(LocaleSettings().TimeSeparator);
    if (parts.size() < 2 || parts.size() > 3)
        return std::nullopt;
    int values[3] = {0, 0, 0};
    for (qsizetype i = 0; i < parts.size(); ++i) {
        bool ok = false;
        values[i] = parts[i].trimmed().toInt(&ok);
        if (!ok)
            return std::nullopt;
    }
    const QTime time(values[0], values[1], values[2]);
    if (!time.isValid())
        return std::nullopt;
    return time;
}

std::optional<double> ParseLocaleFloat(const QString& Text)
{
    QString text = Text.trimmed();
    text.replace(LocaleSettings().DecimalSeparator, QLatin1Char('.'));
    bool ok = false;
    const double value = QLocale::c().toDouble(text, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// A 32-bit integer: the series then counts in 64 bits without overflow.
std::optional<qint64> ParseInteger(const QString& Text)
{
    bool ok = false;
    const qint64 value = Text.trimmed().toInt(&ok);
    if (!ok)
        return std::nullopt;
    return value;
}

// Days since 30 December 1899, as the grid's dates count.
TDateTime DateValue(const QDate& Date)
{
    return static_cast<TDateTime>(QDate(1899, 12, 30).daysTo(Date));
}

} // namespace

QString TExtStringGrid::CellsMimeType()
{
    // Qt's name for a clipboard format registered by name: the format keeps
    // its name "TExtStringGrid Cells" wherever the platform has such names.
    return QStringLiteral("application/x-qt-windows-mime;value=\"TExtStringGrid Cells\"");
}

// ---- copy and cut

bool TExtStringGrid::EditingAllowed() const
{
    return (Options() & goEditing) || MouseActions()->RangeSelectAndEdit;
}

bool TExtStringGrid::CellWritableByPaste(int ACol, int ARow)
{
    return EditingAllowed() && CanEditCell(ACol, ARow) && !IsFixedCell(ACol, ARow);
}

TGridRect TExtStringGrid::CopyRange()
{
    if (!MouseActions()->DisjunctRowSelect)
        return Selection();
    if (IncludeFixedCells)
        return {0, 0, ColCount() - 1, RowCount() - 1};
    return {FixedCols(), FixedRows(), LastDataCol(), LastDataRow()};
}

bool TExtStringGrid::CopiesRow(int ARow, bool Disjunct) const
{
    return !Disjunct || RowSelect(ARow);
}

void TExtStringGrid::AppendCellCopyText(QString& Out, int ACol, int ARow, TCopyText Kind)
{
    const int col = RealColIndex(ACol);
    // A cell without a properties object is not part of a merged block: its
    // stored text is what the grid's merge-aware cell read gives, read in
    // place. Rows under DisplRowCount pass the display hook, so they go the
    // long way.
    QString shown;
    const bool plain = ARow >= DisplRowCount && !HasCellProperties(col, ARow);
    if (!plain)
        shown = Cells(col, ARow);
    const QString& text = plain ? StoredText(col, ARow) : shown;
    const bool clipboard = Kind == TCopyText::Clipboard;
    // Only an empty cell can be a check box that copies its check text.
    if (text.isEmpty()) {
        if (clipboard)
            Out += GetCellExportText(col, ARow);
        return;
    }
    const CopyMarks marks = ScanCopyText(text);
    const bool html = clipboard && marks.html && !Navigation()->CopyHTMLTagsToClipboard;
    const bool rich = !html && marks.rich;
    const bool multiline = Multilinecells && QuotedMultilineClipboard;
    if (!html && !rich && !(multiline && marks.lineBreak)) {
        Out += text;
        return;
    }
    QString plainText = html ? HTMLStrip(text) : rich ? ReadRtf(text.toLatin1()).PlainText() : text;
    if (multiline && (plainText.contains(QLatin1Char('\n')) || plainText.contains(QLatin1Char('\r')))) {
        // A multi-line value travels between double quotes, without CRs.
        plainText.remove(QLatin1Char('\r'));
        Out += QLatin1Char('"');
        Out += plainText;
        Out += QLatin1Char('"');
        return;
    }
    Out += plainText;
}

bool TExtStringGrid::AppendPlainRow(QString& Out, int ARow, int ALeft, int ARight)
{
    // The row's length first, from the cells alone: a cell with an object
    // (properties, a check box) takes the long way.
    qsizetype length = ARight - ALeft;
    bool plain = true;
    ForStoredCells(ARow, ALeft, ARight, [&](int, const QString& Stored, TObject* Object) {
        plain = plain && !Object;
        length += Stored.size();
    });
    if (!plain)
        return false;
    const qsizetype start = Out.size();
    const qsizetype needed = start + length + 2;
    if (needed > Out.capacity())
        Out.reserve(std::max(needed, Out.capacity() * 2));
    Out.resize(start + length);
    QChar* out = Out.data() + start;
    // The texts are copied and looked at in one pass; a character that may
    // ask for a conversion sends the row the long way after all.
    bool special = false;
    ForStoredCells(ARow, ALeft, ARight, [&](int ACol, const QString& Stored, TObject*) {
        if (ACol > ALeft)
            *out++ = QLatin1Char('\t');
        const QChar* in = Stored.constData();
        const qsizetype n = Stored.size();
        for (qsizetype i = 0; i < n; ++i) {
            const char16_t ch = in[i].unicode();
            special = special || ch == u'<' || ch == u'{' || ch == u'\n' || ch == u'\r';
            out[i] = in[i];
        }
        out += n;
    });
    if (special)
        Out.truncate(start);
    return !special;
}

QString TExtStringGrid::SelectionText(const TGridRect& Range, bool Disjunct, TCopyText Kind)
{
    // The clipboard ends every row of a many-row range; a drag separates
    // its rows only.
    const bool endEveryRow = Kind == TCopyText::Clipboard && Range.Bottom > Range.Top;
    QString text;
    bool firstRow = true;
    for (int r = Range.Top; r <= Range.Bottom; ++r) {
        if (!CopiesRow(r, Disjunct))
            continue;
        if (!firstRow && !endEveryRow)
            text += QStringLiteral("\r\n");
        // Display columns are real ones and no display hook runs: a row of
        // plain cells goes straight from the stored texts.
        const bool direct = hiddenColCount_ == 0 && r >= DisplRowCount;
        if (!direct || !AppendPlainRow(text, r, Range.Left, Range.Right)) {
            for (int c = Range.Left; c <= Range.Right; ++c) {
                if (c > Range.Left)
                    text += QLatin1Char('\t');
                AppendCellCopyText(text, c, r, Kind);
            }
        }
        if (endEveryRow)
            text += QStringLiteral("\r\n");
        // Room for rows like the first one, so a big copy is not moved
        // again and again as it grows; never more than a bound, since a
        // long first row says nothing of the rows below it.
        if (firstRow)
            text.reserve(std::min((text.size() + 1) * (qsizetype{Range.Bottom} - Range.Top + 1), kCopyReserveLimit));
        firstRow = false;
    }
    return text;
}

void TExtStringGrid::CopySelection()
{
    const bool disjunct = MouseActions()->DisjunctRowSelect;
    const TGridRect range = CopyRange();
    copyOrigin_ = {range.Left, range.Top};

    auto mime = std::make_unique<QMimeData>();
    mime->setText(SelectionText(range, disjunct));
    if (Navigation()->AllowRTFClipboard) {
        const QString topLeft = Cells(RealColIndex(range.Left), range.Top);
        if (topLeft.contains(QStringLiteral("{\\")))
            mime->setData(kRtfMimeType, topLeft.toLatin1());
    }
    if (Navigation()->AllowFmtClipboard) {
        QBuffer stream;
        stream.open(QIODevice::WriteOnly);
        SaveCellsToStream(range.Left, range.Top, range.Right, range.Bottom, stream);
        mime->setData(CellsMimeType(), stream.data());
    }
    QGuiApplication::clipboard()->setMimeData(mime.release());
    lastCopyWasCopy_ = true;
}

void TExtStringGrid::ClearCutCells(const TGridRect& Range, bool Disjunct)
{
    UpdateGuard update(*this);
    if (Disjunct) {
        const int last = ColCount() - 1;
        for (int r = FixedRows(); r < RowCount() - FixedFooters(); ++r) {
            if (!RowSelect(r))
                continue;
            for (int c = 0; c <= last; ++c)
                SetCells(c, r, QString());
            // The properties go with their graphics (ObjectDropped).
            ClearCellProperties(0, r, last, r);
            CellsChanged({0, r, last, r});
        }
        return;
    }
    const bool always = Navigation()->AllowClipboardAlways;
    const bool graphicsToo = Navigation()->AllowFmtClipboard;
    for (int r = Range.Top; r <= Range.Bottom; ++r)
        for (int c = Range.Left; c <= Range.Right; ++c) {
            if (!always && !CellWritableByPaste(c, r))
                continue;
            const int real = RealColIndex(c);
            SetCells(real, r, QString());
            // The graphic leaves its cell's slot with it, so that nothing
            // still points at it.
            if (graphicsToo)
                RemoveCellGraphic(real, r);
            RepaintCell(c, r);
        }
    CellsChanged({Range.Left, Range.Top, Range.Right, Range.Bottom});
}

void TExtStringGrid::CutSelection()
{
    CopySelection();
    ClearCutCells(CopyRange(), MouseActions()->DisjunctRowSelect);
    lastCopyWasCopy_ = false;
}

// ---- paste

bool TExtStringGrid::PasteCellStream(int ACol, int ARow, const QByteArray& Bytes)
{
    QBuffer stream;
    stream.setData(Bytes);
    stream.open(QIODevice::ReadOnly);
    LoadCellsFromStream(ACol, ARow, stream);

    TStreamReader reader(Bytes);
    TGridPropIO props;
    props.Read(reader.ReadRecord());
    // The block may come from another program: the range is kept inside
    // the grid whatever its counts say.
    const auto corner = [](int Target, std::int32_t Count, int Limit) {
        const std::int64_t last = std::int64_t{Target} + std::max<std::int32_t>(Count, 1) - 1;
        return static_cast<int>(std::clamp<std::int64_t>(last, Target, std::max(Target, Limit - 1)));
    };
    const TRect pasted{ACol, ARow, corner(ACol, props.ColCount, ColCount()), corner(ARow, props.RowCount, RowCount())};
    if (props.ID == StreamID())
        ClipboardPasted(copyOrigin_.X, copyOrigin_.Y, pasted, lastCopyWasCopy_);
    else
        ClipboardPasted(-1, -1, pasted, lastCopyWasCopy_);
    CellsChanged(pasted);
    return true;
}

int TExtStringGrid::PasteFromClipboard(int ACol, int ARow)
{
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    if (!mime)
        return 0;
    if (Navigation()->AllowFmtClipboard && mime->hasFormat(CellsMimeType())) {
        PasteCellStream(ACol, ARow, mime->data(CellsMimeType()));
        return 0;
    }
    if (Navigation()->AllowRTFClipboard && mime->hasFormat(kRtfMimeType)) {
        QByteArray rtf = mime->data(kRtfMimeType);
        // The rich text ends at its terminating zero, if it has one.
        const qsizetype zero = rtf.indexOf('\0');
        if (zero >= 0)
            rtf.truncate(zero);
        if (ACol >= 0 && ARow >= 0 && ACol < ColCount() && ARow < RowCount() && CellWritableByPaste(ACol, ARow))
            SetCellForPaste(ACol, ARow, QString::fromLatin1(rtf));
        return 0;
    }
    if (mime->hasText())
        return PasteText(ACol, ARow, mime->text());
    return 0;
}

int TExtStringGrid::PasteText(int ACol, int ARow, const QString& Text)
{
    return PasteTextWith(ACol, ARow, Text, TPasteRules{}).Visited;
}

TExtStringGrid::TPasteResult TExtStringGrid::PasteTextWith(int ACol, int ARow, const QString& Text,
                                                           const TPasteRules& Rules)
{
    const TNavigation& nav = *Navigation();
    TPasteResult result;
    if (ACol < 0 || ARow < 0)
        return result;
    if (!EditingAllowed() && !nav.AllowClipboardAlways && !MouseActions()->RangeSelectAndEdit)
        return result;

    const std::vector<PastedLine> lines = SplitPastedLines(Text);
    // What the values and lines reach: each value beyond the last column
    // widens the grid, each line with text after it adds a row at the
    // bottom. A size the grid cannot hold is refused before anything
    // changes.
    qsizetype widest = 0;
    for (const PastedLine& line : lines)
        widest = std::max(widest, line.values.size());
    const bool textAfterLastBreak = !lines.back().values.front().isEmpty() || lines.back().values.size() > 1;
    const qsizetype lastLine = static_cast<qsizetype>(lines.size()) - (textAfterLastBreak ? 1 : 2);
    std::int64_t cols = ColCount();
    std::int64_t rows = RowCount();
    if (nav.AllowClipboardColGrow)
        cols = std::max<std::int64_t>(cols, std::int64_t{ACol} + widest);
    if (nav.AllowClipboardRowGrow && ARow < RowCount())
        rows = std::max<std::int64_t>(rows, std::int64_t{ARow} + std::max<qsizetype>(lastLine, 0) + 1);
    if (cols * rows > kMaxGridCells)
        throw EExtGridError(QStringLiteral("Grid too large for operation"));

    UpdateGuard update(*this);
    if (!Rules.GrowLineByLine) {
        if (cols > ColCount())
            SetColCount(static_cast<int>(cols));
        if (rows > RowCount())
            SetRowCount(static_cast<int>(rows));
    }

    const bool always = nav.AllowClipboardAlways;
    TGridRect& written = result.Written;
    int right = ACol;
    int bottom = ARow;
    for (size_t i = 0; i < lines.size(); ++i) {
        const PastedLine& line = lines[i];
        const int row = ARow + static_cast<int>(std::min<size_t>(i, std::numeric_limits<int>::max() - ARow));
        if (Rules.GrowLineByLine) {
            // A line beyond the last row adds one row once there is text
            // for it; its values widen the grid as far as they reach.
            if (i > 0 && static_cast<qsizetype>(i) <= lastLine && row == RowCount() && nav.AllowClipboardRowGrow)
                SetRowCount(RowCount() + 1);
            const std::int64_t reach = std::int64_t{ACol} + line.values.size();
            if (reach > ColCount() && nav.AllowClipboardColGrow)
                SetColCount(static_cast<int>(std::min<std::int64_t>(reach, std::int64_t{kMaxGridCols} + 1)));
        }
        for (qsizetype j = 0; j < line.values.size(); ++j) {
            ++result.Visited;
            const bool lastValue = j == line.values.size() - 1;
            if (lastValue && line.values[j].isEmpty() && !line.endedByCR)
                continue;
            const int col = static_cast<int>(std::min<std::int64_t>(std::int64_t{ACol} + j, ColCount()));
            right = std::max(right, col);
            bottom = std::max(bottom, row);
            if (col >= ColCount() || row >= RowCount())
                continue;
            const bool writable = Rules.DropWritable ? CellWritableByDrop(RealColIndex(col), row)
                                                     : CellWritableByPaste(col, row);
            if (!always && !writable)
                continue;
            QString value = line.values[j];
            if (QuotedMultilineClipboard && value.contains(QLatin1Char('\n')))
                value = UnquoteMultiline(value);
            bool allow = true;
            if (OnClipboardBeforePasteCell)
                OnClipboardBeforePasteCell(this, col, row, value, allow);
            if (!allow)
                continue;
            SetCellForPaste(col, row, value);
            if (written.Right < written.Left) {
                written = {col, row, col, row};
            } else {
                written.Left = std::min(written.Left, col);
                written.Right = std::max(written.Right, col);
                written.Bottom = std::max(written.Bottom, row);
            }
        }
    }
    const TRect pasted{ACol, ARow, std::min(right, ColCount() - 1), std::min(bottom, RowCount() - 1)};
    ClipboardPasted(-1, -1, pasted, Rules.ReportAsCopy || lastCopyWasCopy_);
    CellsChanged(pasted);
    return result;
}

// ---- paste into the selection and the smart fill

void TExtStringGrid::PasteIntoSelection()
{
    const TGridRect sel = Selection();
    const int visited = PasteFromClipboard(sel.Left, sel.Top);
    if (Navigation()->AllowSmartClipboard)
        SmartFill(sel, visited);
}

void TExtStringGrid::SmartFill(const TGridRect& Sel, int Visited)
{
    const bool oneCell = Sel.Left == Sel.Right && Sel.Top == Sel.Bottom;
    if (oneCell || Visited < 1)
        return;
    const bool always = Navigation()->AllowClipboardAlways;
    const QString first = Cells(RealColIndex(Sel.Left), Sel.Top);
    UpdateGuard update(*this);
    if (Visited == 1) {
        for (int r = Sel.Top; r <= Sel.Bottom; ++r)
            for (int c = Sel.Left; c <= Sel.Right; ++c)
                if (always || CellWritableByPaste(c, r))
                    SetCellForPaste(c, r, first);
    } else {
        const bool column = Sel.Left == Sel.Right;
        if (!column && Sel.Top != Sel.Bottom)
            return;
        const QString second = column ? Cells(RealColIndex(Sel.Left), Sel.Top + 1)
                                      : Cells(RealColIndex(Sel.Left + 1), Sel.Top);
        if (!FillDateSeries(Sel, first, second) && !FillNumberSeries(Sel, first, second))
            FillTextSeries(Sel, Visited);
    }
    CellsChanged({Sel.Left, Sel.Top, Sel.Right, Sel.Bottom});
}

bool TExtStringGrid::FillDateSeries(const TGridRect& Sel, const QString& First, const QString& Second)
{
    const TLocaleSettings& locale = LocaleSettings();
    const auto dateOrTime = [&](const QString& S) {
        return S.contains(locale.DateSeparator) || S.contains(locale.TimeSeparator);
    };
    if (!dateOrTime(First) || !dateOrTime(Second))
        return false;
    const bool always = Navigation()->AllowClipboardAlways;
    // Values that look like dates or times but do not convert stop the fill
    // with the conversion's error.
    const auto fail = [](const QString& S, const char* Kind) {
        throw EConvertError(S.toStdString(), Kind);
    };
    if (!First.contains(locale.DateSeparator)) {
        const std::optional<QTime> from = ParseTime(First);
        const std::optional<QTime> to = ParseTime(Second);
        if (!from || !to)
            fail(from ? Second : First, "time");
        const int step = from->secsTo(*to);
        QTime value = *from;
        for (const TPoint& cell : SeriesCells(Sel)) {
            if (always || CellWritableByPaste(cell.X, cell.Y))
                SetCellForPaste(cell.X, cell.Y, SpinTimeText(value));
            value = value.addSecs(step);
        }
        return true;
    }
    QDate from;
    QDate to;
    if (!LocaleStrToDate(First, from))
        fail(First, "date");
    if (!LocaleStrToDate(Second, to))
        fail(Second, "date");
    const int years = to.year() - from.year();
    const int months = to.month() - from.month();
    const int days = to.day() - from.day();
    const int step = static_cast<int>(from.daysTo(to));
    QDate value = from;
    for (const TPoint& cell : SeriesCells(Sel)) {
        if (always || CellWritableByPaste(cell.X, cell.Y)) {
            SetCellDate(RealColIndex(cell.X), cell.Y, DateValue(value));
            RepaintCell(cell.X, cell.Y);
        }
        value = IncDateParts(years, months, days, step, value);
    }
    return true;
}

bool TExtStringGrid::FillNumberSeries(const TGridRect& Sel, const QString& First, const QString& Second)
{
    const bool always = Navigation()->AllowClipboardAlways;
    const QChar decimal = LocaleSettings().DecimalSeparator;
    if (First.contains(decimal) || Second.contains(decimal)) {
        const std::optional<double> from = ParseLocaleFloat(First);
        const std::optional<double> to = ParseLocaleFloat(Second);
        if (from && to) {
            const double step = *to - *from;
            double value = *from;
            for (const TPoint& cell : SeriesCells(Sel)) {
                if (always || CellWritableByPaste(cell.X, cell.Y)) {
                    SetCellFloat(RealColIndex(cell.X), cell.Y, value);
                    RepaintCell(cell.X, cell.Y);
                }
                value += step;
            }
            return true;
        }
    }
    const std::optional<qint64> from = ParseInteger(First);
    const std::optional<qint64> to = ParseInteger(Second);
    if (!from || !to)
        return false;
    const qint64 step = *to - *from;
    qint64 value = *from;
    for (const TPoint& cell : SeriesCells(Sel)) {
        if (always || CellWritableByPaste(cell.X, cell.Y))
            SetCellForPaste(cell.X, cell.Y, QString::number(value));
        value += step;
    }
    return true;
}

void TExtStringGrid::FillTextSeries(const TGridRect& Sel, int Visited)
{
    // The pasted block repeats; Visited counts the empty value after the
    // copy's final line break, so in a column the period is Visited - 1.
    const bool always = Navigation()->AllowClipboardAlways;
    if (Sel.Left == Sel.Right) {
        const int period = Visited - 1;
        for (int r = Sel.Top + period; r <= Sel.Bottom; ++r)
            if (always || CellWritableByPaste(Sel.Left, r))
                SetCellForPaste(Sel.Left, r, Cells(RealColIndex(Sel.Left), r - period));
    } else {
        for (int c = Sel.Left + Visited; c <= Sel.Right; ++c)
            if (always || CellWritableByPaste(c, Sel.Top))
                SetCellForPaste(c, Sel.Top, Cells(RealColIndex(c - Visited), Sel.Top));
    }
}

// ---- the keyboard's commands

void TExtStringGrid::CopyCommand()
{
    bool allow = true;
    if (OnClipboardCopy)
        OnClipboardCopy(this, allow);
    if (allow)
        CopySelection();
}

void TExtStringGrid::CutCommand()
{
    bool allow = true;
    if (OnClipboardCut)
        OnClipboardCut(this, allow);
    if (allow)
        CutSelection();
}

void TExtStringGrid::PasteCommand()
{
    bool allow = true;
    if (OnClipboardPaste)
        OnClipboardPaste(this, allow);
    if (allow)
        PasteIntoSelection();
}
