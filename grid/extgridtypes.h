#pragma once
// The enumerations and event types of the grid control TExtStringGrid, kept
// apart from the class so that editors, settings stores and windows can name
// them without the whole grid.
//
// Events are std::function members; the grid raises one only when it is
// assigned. Parameters a handler may change are references. Sender is the
// object that raises the event: the grid itself, or one of its editors (the
// in-place combo on a wheel step, the text editor for its clipboard keys).
#include "grid/basegrid.h"
#include "grid/cellgraphic.h"
#include "platform/canvas.h"
#include "platform/control.h"
#include "platform/controls.h"

#include <QString>
#include <QStringList>

#include <functional>

class QObject;
class TEditLink;

// TEditorType (the 27 in-place editor kinds) and TVAlignment come with the
// cell properties in grid/basegrid.h; TCellType with the cell graphic.

enum TGridLook { glStandard, glSoft, glClassic, glQel };
enum TIntelliPan { ipVertical, ipHorizontal, ipBoth, ipNone };
enum TScrollType { ssNormal, ssFlat, ssLumeno };
enum TScrollHintType { shNone, shVertical, shHorizontal, shBoth };

// How a column's cells compare when sorting (the style an OnGetFormat
// handler answers).
enum TSortStyle : int {
    ssAutomatic, ssAlphabetic, ssNumeric, ssDate, ssAlphaNoCase, ssAlphaCase, ssShortDateEU, ssShortDateUS,
    ssCustom, ssFinancial, ssAnsiAlphaCase, ssAnsiAlphaNoCase, ssRaw, ssHTML, ssImages, ssCheckBox,
};

// The borders drawn around a cell.
enum TCellBorder : unsigned { cbTop = 1, cbLeft = 2, cbRight = 4, cbBottom = 8 };
using TCellBorders = unsigned;

// A mouse cursor: a Qt::CursorShape, or one of the negative stock values.
using TCursor = int;
inline constexpr TCursor crDefault = 0;
inline constexpr TCursor crHandPoint = -21;

// A date and time as days since 30 December 1899 (the fraction is the time).
using TDateTime = double;

// What the mouse over a grid line would size: gsNone, gsColSizing or
// gsRowSizing of the string grid's states.
using TGridSizingKind = TGridState;
inline constexpr TGridState gsNone = gsNormal;

// Values shown in a radio group or a list of images kept in a cell.
using TOptionList = QStringList;

// --- event types ---
using TGridColorEvent =
    std::function<void(QObject* Sender, int ARow, int ACol, TGridDrawState AState, TBrush& ABrush, TFont& AFont)>;
using TGridBorderEvent = std::function<void(QObject* Sender, int ARow, int ACol, TPen& APen, TCellBorders& Borders)>;
using TGridBorderPropEvent = std::function<void(QObject* Sender, int ARow, int ACol, TPen& LeftPen, TPen& TopPen,
                                                TPen& RightPen, TPen& BottomPen)>;
using TGridAlignEvent =
    std::function<void(QObject* Sender, int ARow, int ACol, TAlignment& HAlign, TVAlignment& VAlign)>;
using TGridFormatEvent =
    std::function<void(QObject* Sender, int ACol, TSortStyle& AStyle, QString& aPrefix, QString& aSuffix)>;
using TGetCheckEvent = std::function<void(QObject* Sender, int ACol, int ARow, QString& Value)>;
using TGridHintEvent = std::function<void(QObject* Sender, int ARow, int ACol, QString& hintstr)>;
using TRowChangingEvent = std::function<void(QObject* Sender, int OldRow, int NewRow, bool& Allow)>;
using TColChangingEvent = std::function<void(QObject* Sender, int OldCol, int NewCol, bool& Allow)>;
using TCellChangingEvent =
    std::function<void(QObject* Sender, int OldRow, int OldCol, int NewRow, int NewCol, bool& Allow)>;
using TCanEditCellEvent = std::function<void(QObject* Sender, int ARow, int ACol, bool& CanEdit)>;
using TIsFixedCellEvent = std::function<void(QObject* Sender, int ARow, int ACol, bool& IsFixed)>;
using TIsPasswordCellEvent = std::function<void(QObject* Sender, int ARow, int ACol, bool& IsPassword)>;
using TGetEditorTypeEvent = std::function<void(QObject* Sender, int ACol, int ARow, TEditorType& AEditor)>;
using TGetEditorPropEvent = std::function<void(QObject* Sender, int ACol, int ARow, TEditLink* AEditLink)>;
using TEllipsClickEvent = std::function<void(QObject* Sender, int ACol, int ARow, QString& S)>;
using TSpinClickEvent = std::function<void(QObject* Sender, int ACol, int ARow, int AValue, bool UpDown)>;
using TFloatSpinClickEvent = std::function<void(QObject* Sender, int ACol, int ARow, double AValue, bool UpDown)>;
using TDateTimeSpinClickEvent =
    std::function<void(QObject* Sender, int ACol, int ARow, TDateTime AValue, bool UpDown)>;
using TComboChangeEvent =
    std::function<void(QObject* Sender, int ACol, int ARow, int AItemIndex, const QString& ASelection)>;
using TComboObjectChangeEvent = std::function<void(QObject* Sender, int ACol, int ARow, int AItemIndex,
                                                   const QString& ASelection, TObject* AObject)>;
using TCellValidateEvent = std::function<void(QObject* Sender, int ACol, int ARow, QString& Value, bool& Valid)>;
using TClipboardEvent = std::function<void(QObject* Sender, bool& Allow)>;
using TBeforeCellPasteEvent =
    std::function<void(QObject* Sender, int ACol, int ARow, QString& Value, bool& Allow)>;
using TUpdateColumnSizeEvent = std::function<void(QObject* Sender, int ACol, int& AWidth)>;
using TEndColumnSizeEvent = std::function<void(QObject* Sender, int ACol)>;
using TEndRowSizeEvent = std::function<void(QObject* Sender, int ARow)>;
using TScrollHintEvent = std::function<void(QObject* Sender, int ARow, QString& hintstr)>;
using TCustomCellDrawEvent = std::function<void(QObject* Sender, TCanvas& Canvas, int ACol, int ARow,
                                                TGridDrawState AState, TRect ARect, bool Printing)>;
using TAutoInsertRowEvent = std::function<void(QObject* Sender, int ARow)>;
using TAutoDeleteRowEvent = std::function<void(QObject* Sender, int ARow)>;
using TCanAddRowEvent = std::function<void(QObject* Sender, bool& CanAdd)>;
using TAutoAddRowEvent = std::function<void(QObject* Sender, int ARow)>;
using TAutoInsertColEvent = std::function<void(QObject* Sender, int ACol)>;
using TGridProgressEvent = std::function<void(QObject* Sender, short progress)>;

// Raised by later parts of the grid (sizing, printing settings, rows,
// sorting, mouse, HTML form controls, cell controls, drag and drop).
using TCustomCellSizeEvent =
    std::function<void(QObject* Sender, TCanvas& Canvas, int ACol, int ARow, TPoint& ASize, bool Printing)>;
// The print events are kept with the print settings; the program prints no
// grid, so they are never raised.
using TPrintPageEvent =
    std::function<void(QObject* Sender, TCanvas& Canvas, int PageNr, int PageXSize, int PageYSize)>;
using TPrintStartEvent = std::function<void(QObject* Sender, int NrOfPages, int& FromPage, int& ToPage)>;
using TFitToPageEvent = std::function<void(QObject* Sender, double& ScaleFactor, bool& Allow)>;
using TPrintNewPageEvent = std::function<void(QObject* Sender, int ARow, bool& NewPage)>;
using TPrintSetColumnWidthEvent = std::function<void(QObject* Sender, int ACol, int& Width)>;
using TPrintSetRowHeightEvent = std::function<void(QObject* Sender, int ARow, int& Height)>;
using TCanInsertRowEvent = std::function<void(QObject* Sender, int ARow, bool& CanInsert)>;
using TCanDeleteRowEvent = std::function<void(QObject* Sender, int ARow, bool& CanDelete)>;
using TClickSortEvent = std::function<void(QObject* Sender, int ACol)>;
using TCanSortEvent = std::function<void(QObject* Sender, int ACol, bool& DoSort)>;
using TNodeClickEvent = std::function<void(QObject* Sender, int ARow, int ARowReal)>;
using TCustomCompareEvent = std::function<void(QObject* Sender, const QString& str1, const QString& str2, int& Res)>;
using TRawCompareEvent = std::function<void(QObject* Sender, int Col, int Row1, int Row2, int& Res)>;
using TClickCellEvent = std::function<void(QObject* Sender, int ARow, int ACol)>;
using TDblClickCellEvent = std::function<void(QObject* Sender, int ARow, int ACol)>;
using TAnchorClickEvent =
    std::function<void(QObject* Sender, int ARow, int ACol, const QString& Anchor, bool& AutoHandle)>;
using TAnchorEvent = std::function<void(QObject* Sender, int ARow, int ACol, const QString& Anchor)>;
using TAnchorHintEvent = std::function<void(QObject* Sender, int ARow, int ACol, QString& Anchor)>;
using TControlEvent = std::function<void(QObject* Sender, int ARow, int ACol, const QString& CtrlID,
                                         const QString& CtrlType, const QString& CtrlVal)>;
using TControlComboEvent =
    std::function<void(QObject* Sender, int ARow, int ACol, const QString& CtrlID, const QString& CtrlType,
                       const QString& CtrlVal, QStringList& Values, bool& Edit, int& DropCount)>;
// R holds columns in Left/Right and rows in Top/Bottom.
using TCellsChangedEvent = std::function<void(QObject* Sender, TRect R)>;
using TButtonClickEvent = std::function<void(QObject* Sender, int ACol, int ARow)>;
using TCheckBoxClickEvent = std::function<void(QObject* Sender, int ACol, int ARow, bool State)>;
using TRadioClickEvent = std::function<void(QObject* Sender, int ACol, int ARow, int AIdx)>;
using TOleDragDropEvent = std::function<void(QObject* Sender, int ARow, int ACol, const QString& data, bool& Allow)>;
using TOleDroppedEvent = std::function<void(QObject* Sender, TRect ARect)>;
using TOleDragOverEvent = std::function<void(QObject* Sender, int ARow, int ACol, bool& Allow)>;
using TOleDragStartEvent = std::function<void(QObject* Sender, int ARow, int ACol)>;
using TOleDragStopEvent = std::function<void(QObject* Sender, int OLEEffect)>;
using TOleDropColEvent = std::function<void(QObject* Sender, int ARow, int ACol, int DropCol)>;
using TColumnSizeEvent = std::function<void(QObject* Sender, int ACol, bool& Allow)>;
using TRowSizeEvent = std::function<void(QObject* Sender, int ARow, bool& Allow)>;
