// The grid's cell hints: shown in the HTML hint window when Qt asks for a
// tool tip, with the cell's comment, its text, the anchor under the mouse
// or the grid's own hint; hidden when the mouse goes to another cell.
#include "grid/extgrid.h"

#include "grid/esghtmle.h"
#include "grid/extutil.h"
#include "platform/application.h"
#include "platform/richedit.h"

#include <QHelpEvent>

namespace {

// Plain text shown by the mini-HTML hint window as it stands: markup
// characters escaped, line breaks kept.
QString PlainAsHTML(QString Text)
{
    Text.replace(QLatin1Char('&'), QStringLiteral("&amp;"))
        .replace(QLatin1Char('<'), QStringLiteral("&lt;"))
        .replace(QLatin1Char('>'), QStringLiteral("&gt;"))
        .replace(QStringLiteral("\r\n"), QStringLiteral("<BR>"))
        .replace(QLatin1Char('\n'), QStringLiteral("<BR>"))
        .replace(QLatin1Char('\r'), QStringLiteral("<BR>"));
    return Text;
}

} // namespace

bool TExtStringGrid::CellHintEvent(QHelpEvent* Event)
{
    // The grid's hints are its own: Qt's tool tip never shows over it.
    THTMLHintWindow* hint = HintWindow();
    hint->Color = HintColor;
    const QPoint at = viewport()->mapFromGlobal(Event->globalPos());
    int col = -1;
    int row = -1;
    if (!MouseToCell(at.x(), at.y(), col, row)) {
        CancelCellHint();
        return true;
    }
    const TPoint base = BaseCell(col, row);
    hintCell_ = base;
    const int realCol = RealColIndex(base.X);
    const TRect cell = MergedCellRect(base.X, base.Y);

    QString text = toolTip();
    if (AnchorHint) {
        THTMLDrawOutput hit;
        int hitCol = -1;
        int hitRow = -1;
        if (HTMLHitTest(at.x(), at.y(), hitCol, hitRow, hit) && !hit.Anchor.isEmpty()
            && hit.Anchor != QLatin1String("ctrl")) {
            text = hit.Anchor;
            if (OnAnchorHint)
                Application->Guard([&] { OnAnchorHint(this, base.Y, realCol, text); });
        }
    }
    QPoint place(cell.Left, cell.Bottom + 6);
    QString comment;
    if (GetCellComment(realCol, base.Y, comment)) {
        text = comment;
        place = QPoint(cell.Right, cell.Top);
    }
    const bool dataCell = base.X >= FixedCols() && base.Y >= FixedRows() && base.X < ColCount() - FixedRightCols()
                          && base.Y < RowCount() - FixedFooters() && !IsFixed(base.X, base.Y);
    if (dataCell && (HintShowCells || (HintShowLargeText && TextWiderThanCell(realCol, base.Y, cell)))) {
        text = CellHintText(realCol, base.Y);
        place = QPoint(cell.Left, cell.Top);
    }
    GridHint(realCol, base.Y, text);
    if (text.isEmpty()) {
        CancelCellHint();
        return true;
    }
    hint->Images = GridImages();
    hint->PictureContainer = PictureContainer();
    hint->PictureCache = PictureCache();
    hint->URLColor = URLColor();
    const QPoint screen = viewport()->mapToGlobal(place);
    hint->ActivateHint({screen.x(), screen.y(), screen.x(), screen.y()}, text);
    return true;
}

QString TExtStringGrid::CellHintText(int ACol, int ARow)
{
    QString text = Cells(ACol, ARow);
    switch (TextType(text, EnableHTML)) {
    case 1: return HTMLHint ? text : PlainAsHTML(HTMLStrip(text));
    case 2: {
        TRichEdit* edit = PaintRichEdit();
        edit->SetRtfText(text.toLatin1());
        return PlainAsHTML(edit->Text());
    }
    case 3: return PlainAsHTML(CalcCellText(ACol, ARow));
    default: return PlainAsHTML(text);
    }
}

bool TExtStringGrid::TextWiderThanCell(int ACol, int ARow, const TRect& CellBounds)
{
    // The room the painting leaves the text: the margin at the left, 2
    // pixels at the right.
    const int textWidth = GetCellTextSize(ACol, ARow, false).width() - 2 * XYOffsetX;
    return textWidth > CellBounds.Width() - XYOffsetX - 2;
}

void TExtStringGrid::CancelCellHint()
{
    hintCell_ = {-1, -1};
    if (hintWindow_ && hintWindow_->isVisible())
        hintWindow_->hide();
}
