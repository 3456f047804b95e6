// Painting of the grid control: cell colours, alignment, content, graphics,
// check boxes and radio groups.
#include "grid/extgrid.h"

void TExtStringGrid::GetCellColors(int ACol, int ARow, TFont& AFont, TBrush& ABrush, TGridDrawState& AState,
                                   TAlignment& HAlign, TVAlignment& VAlign, bool MapDisplayCol, bool UseProps,
                                   bool Printing)
{
    TBaseGrid::GetCellColors(ACol, ARow, AFont, ABrush, AState, HAlign, VAlign, MapDisplayCol, UseProps,
                             Printing);
}

void TExtStringGrid::DrawCellContent(TCanvas& ACanvas, int ACol, TGridDrawState AState, TRect ARect, int ARow)
{
    TBaseGrid::DrawCellContent(ACanvas, ACol, AState, ARect, ARow);
}

void TExtStringGrid::GetCellAlignment(int ACol, int ARow, TAlignment& HAlign, TVAlignment& VAlign)
{
    HAlign = taLeftJustify;
    VAlign = vAlignment_;
    GetCellAlign(ACol, ARow, HAlign, VAlign);
}

QSize TExtStringGrid::GetCellTextSize(int ACol, int ARow, bool AWordWrap)
{
    (void)AWordWrap;
    return QSize(fontMetrics().horizontalAdvance(Cells(ACol, ARow)), fontMetrics().height());
}

QSize TExtStringGrid::GetCellGraphicSize(int ACol, int ARow)
{
    (void)ACol, (void)ARow;
    return QSize(0, 0);
}

QSize TExtStringGrid::GetCellGraphicPrintSize(int ACol, int ARow, double Scale, int AvailWidth, int AvailHeight)
{
    (void)Scale, (void)AvailWidth, (void)AvailHeight;
    return GetCellGraphicSize(ACol, ARow);
}

void TExtStringGrid::DrawCheckBox(TCanvas& ACanvas, const TRect& R, bool Checked, bool Enabled, int Style)
{
    (void)ACanvas, (void)R, (void)Checked, (void)Enabled, (void)Style;
}

void TExtStringGrid::DrawRadioGroup(TCanvas& ACanvas, const TRect& R, const QStringList& Options, int Selected,
                                    bool Horizontal, bool Enabled)
{
    (void)ACanvas, (void)R, (void)Options, (void)Selected, (void)Horizontal, (void)Enabled;
}

void TExtStringGrid::DrawCellGraphic(TCanvas& ACanvas, const TRect& R, TCellGraphic& Graphic, int ACol, int ARow)
{
    (void)ACanvas, (void)R, (void)Graphic, (void)ACol, (void)ARow;
}

void TExtStringGrid::Paint()
{
    TBaseGrid::Paint();
}

void TExtStringGrid::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState)
{
    TBaseGrid::DrawCell(ACol, ARow, ARect, AState);
}
