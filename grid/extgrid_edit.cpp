// Editing cells of the grid: which editor a cell gets, starting and ending
// an edit, writing the editor's value back and validating it.
#include "grid/extgrid.h"

#include "grid/cellgraphic.h"
#include "grid/esgcheck.h"
#include "grid/esghtmle.h"
#include "grid/extinplace.h"
#include "grid/extrichedit.h"
#include "grid/extutil.h"
#include "grid/floatingfooter.h"
#include "grid/grideditors.h"
#include "platform/application.h"
#include "platform/localesettings.h"
#include "platform/richedit.h"

#include <QApplication>
#include <QKeyEvent>
#include <QScopedValueRollback>

namespace {

// The kinds the text editor edits; every other kind has a control of its
// own (or, for edDataCheckBox, none).
bool IsTextKind(TEditorType kind)
{
    switch (kind) {
    case edNormal:
    case edNumeric:
    case edPositiveNumeric:
    case edFloat:
    case edCapital:
    case edMixedCase:
    case edPassword:
    case edLowerCase:
    case edUpperCase: return true;
    default: return false;
    }
}

bool IsSpinKind(TEditorType kind)
{
    return kind == edSpinEdit || kind == edFloatSpinEdit || kind == edTimeSpinEdit || kind == edDateSpinEdit;
}

bool IsEditBtnKind(TEditorType kind)
{
    return kind == edEditBtn || kind == edNumericEditBtn || kind == edFloatEditBtn;
}

bool IsDateKind(TEditorType kind)
{
    return kind == edDateEdit || kind == edDateEditUpDown || kind == edTimeEdit;
}

// A date and a time as days since 30 December 1899 (a null date: the
// time alone).
TDateTime ToDateTime(const QDate& date, const QTime& time)
{
    const double days = date.isValid() ? QDate(1899, 12, 30).daysTo(date) : 0;
    return days + (time.isValid() ? time.msecsSinceStartOfDay() / 86400000.0 : 0);
}

// Hands the character that opened an editor on to it, as the keyboard
// would have; the key's release reaches the editor by itself, since it now
// has the focus.
void TypeInto(QWidget* editor, char c)
{
    if (!editor || c == 0)
        return;
    const QChar ch = CharToQChar(c);
    const int key = c == '\b' ? Qt::Key_Backspace : Qt::Key(ch.toUpper().unicode());
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(ch));
    QCoreApplication::sendEvent(editor, &press);
}

// Ends the grid's edit when an edit link's control loses the focus.
class LinkFocusWatch : public QObject {
public:
    explicit LinkFocusWatch(TExtStringGrid* grid) : grid_(grid) {}
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Close && watched->isWidgetType() && !watched->parent()) {
            grid_->LinkPopupClosed();
            return QObject::eventFilter(watched, event);
        }
        if (event->type() == QEvent::FocusOut && grid_->EditorType() == edCustom) {
            const auto reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason)
                grid_->EndCellEditing();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    TExtStringGrid* grid_;
};

} // namespace

// ---- the editors

TInplaceEdit* TExtStringGrid::CreateEditor()
{
    textEditor_ = new TExtInplaceEdit(this);
    textEditor_->SetWordWrap(WordWrap());
    return textEditor_;
}

void TExtStringGrid::CreateInplaceEditors()
{
    if (spinEditor_)
        return;
    QWidget* area = viewport();
    spinEditor_ = new TGridSpin(this, area);
    comboEditor_ = new TGridCombo(this, area);
    editBtnEditor_ = new TGridEditBtn(this, area);
    unitEditor_ = new TGridUnitEditBtn(this, area);
    checkEditor_ = new TGridCheckBox(this, area);
    dateEditor_ = new TGridDatePicker(this, area);
    buttonEditor_ = new TGridButton(this, area);
    controlEdit_ = new TControlEdit(area);
    controlCombo_ = new TControlCombo(area);
    // They draw themed as the grid does.
    comboEditor_->Themed = visualStyles_;
    editBtnEditor_->SetIsWinXP(visualStyles_);
    unitEditor_->SetIsWinXP(visualStyles_);
    for (QWidget* editor : SpecialEditors()) {
        editor->setEnabled(false);
        editor->hide();
    }
    controlEdit_->hide();
    controlCombo_->hide();
    linkWatch_ = std::make_unique<LinkFocusWatch>(this);
    if (!InplaceRichEdit()) {
        richEditor_ = new TExtRichEdit(area, this, reInplace);
        richEditor_->setEnabled(false);
        richEditor_->hide();
    }
}

TGridSpin* TExtStringGrid::SpinEditor()
{
    CreateInplaceEditors();
    return spinEditor_;
}

TGridCombo* TExtStringGrid::ComboEditor()
{
    CreateInplaceEditors();
    return comboEditor_;
}

TGridEditBtn* TExtStringGrid::EditBtnEditor()
{
    CreateInplaceEditors();
    return editBtnEditor_;
}

TGridUnitEditBtn* TExtStringGrid::UnitEditBtnEditor()
{
    CreateInplaceEditors();
    return unitEditor_;
}

TGridCheckBox* TExtStringGrid::CheckBoxEditor()
{
    CreateInplaceEditors();
    return checkEditor_;
}

TGridDatePicker* TExtStringGrid::DatePickerEditor()
{
    CreateInplaceEditors();
    return dateEditor_;
}

TGridButton* TExtStringGrid::ButtonEditor()
{
    CreateInplaceEditors();
    return buttonEditor_;
}

TControlEdit* TExtStringGrid::ControlEdit()
{
    CreateInplaceEditors();
    return controlEdit_;
}

TControlCombo* TExtStringGrid::ControlCombo()
{
    CreateInplaceEditors();
    return controlCombo_;
}

QWidget* TExtStringGrid::ShownEditorControl() const
{
    QWidget* control = EditorControl(editorType_);
    return editorShown_ && control && control->isVisible() ? control : nullptr;
}

std::vector<QWidget*> TExtStringGrid::SpecialEditors() const
{
    return {spinEditor_, comboEditor_, editBtnEditor_, unitEditor_, checkEditor_, dateEditor_, buttonEditor_};
}

QWidget* TExtStringGrid::EditorControl(TEditorType kind) const
{
    if (IsSpinKind(kind))
        return spinEditor_;
    if (IsEditBtnKind(kind))
        return editBtnEditor_;
    if (IsDateKind(kind))
        return dateEditor_;
    switch (kind) {
    case edComboEdit:
    case edComboList: return comboEditor_;
    case edUnitEditBtn: return unitEditor_;
    case edCheckBox: return checkEditor_;
    case edButton: return buttonEditor_;
    case edCustom: return editLink_ ? editLink_->GetEditControl() : nullptr;
    case edRichEdit: return RichEditWidget();
    default: return nullptr;
    }
}

TRichEdit* TExtStringGrid::RichEditWidget() const
{
    // The grid's own in-place rich edit, or the one made with the editors
    // while the grid has none.
    if (InplaceRichEdit())
        return InplaceRichEdit();
    return richEditor_;
}

bool TExtStringGrid::HasCellControl(int ACol, int ARow)
{
    switch (GetCellType(ACol, ARow)) {
    case ctCheckBox:
    case ctDataCheckBox:
    case ctVirtCheckBox:
    case ctRadio: return true;
    default: return false;
    }
}

// ---- starting an edit

bool TExtStringGrid::CanEditShow()
{
    if (validating_)
        return false;
    const bool allowed = TBaseGrid::CanEditShow();
    if (!allowed)
        return false;
    const TPoint base = BaseCell(Col(), Row());
    if (!editorShown_) {
        if (HasCellControl(base.X, base.Y))
            return false;
        // The cell the grid started on was never selected: remember it now.
        if (editCell_ != TPoint{Col(), Row()}) {
            RememberEditCell(Col(), Row());
            selectedCellText_ = editCellText_;
        }
        editorType_ = edNormal;
        if (OnGetEditorType)
            Application->Guard([&] { OnGetEditorType(this, base.X, base.Y, editorType_); });
        editorShown_ = true;
        if (!IsTextKind(editorType_)) {
            ShowInplaceEditor(base.X, base.Y);
            // A kind that shows nothing (a data check box, a custom cell
            // without a link) leaves no edit behind.
            editorShown_ = SpecialEditorShown();
            cellEditing_ = editorShown_;
            return false;
        }
    } else if (!IsTextKind(editorType_)) {
        return false;
    }
    cellEditing_ = true;
    return true;
}

void TExtStringGrid::UpdateEditor()
{
    TBaseGrid::UpdateEditor();
    // Scrolling moves the cell away from under a special editor: its edit
    // ends.
    if (SpecialEditorShown() && editorType_ != edCustom) {
        const TPoint base = BaseCell(Col(), Row());
        const TRect r = CellRect(base.X, base.Y);
        if (r.Left != editorCellRect_.Left || r.Top != editorCellRect_.Top)
            EndCellEditing();
    }
    if (textEditor_ && textEditor_->isVisible())
        textEditor_->Arrange();
}

void TExtStringGrid::HideEditor()
{
    // The rich-text editor hands the focus back to the grid to end its edit.
    if (editorType_ == edRichEdit && SpecialEditorShown() && !endingEdit_) {
        EndCellEditing();
        return;
    }
    TBaseGrid::HideEditor();
    // The text editor (or a data check box, which shows none) is done.
    QWidget* control = EditorControl(editorType_);
    if (editorShown_ && !(control && control->isVisible()))
        editorShown_ = false;
}

bool TExtStringGrid::TakeEditClick(QPoint& at)
{
    const bool pending = editClickPending_;
    editClickPending_ = false;
    at = editClickAt_;
    return pending;
}

// ---- choosing a cell

bool TExtStringGrid::SelectCell(int ACol, int ARow)
{
    if (!FooterAllowsRow(ACol, ARow))
        return false;
    // A display column with no column behind it (columns hidden) is never
    // the current one.
    if (ACol >= 0 && RealColIndex(ACol) >= ColCount())
        return false;
    bool allow = true;
    const int oldCol = Col();
    const int oldRow = Row();
    if (ACol >= 0 && ARow >= 0) {
        if (ARow != oldRow && OnRowChanging)
            Application->Guard([&] { OnRowChanging(this, oldRow, ARow, allow); });
        if (allow && ACol != oldCol && OnColChanging)
            Application->Guard([&] { OnColChanging(this, oldCol, ACol, allow); });
        if (allow && (ACol != oldCol || ARow != oldRow) && !advancing_ && OnCellChanging)
            Application->Guard([&] { OnCellChanging(this, oldRow, oldCol, ARow, ACol, allow); });
    }
    if (!allow)
        return false;
    if ((ACol != 0 || !HasNodes() || (Options() & goRowSelect)) && !HasCellControl(ACol, ARow))
        AskCanEditCell(ACol, ARow);
    // An edit in progress is validated before any cell is chosen, also when
    // the text editor kept the focus through the click that chose it.
    bool selected;
    if (!cellEditing_) {
        selected = !IsFixed(ACol, ARow) && TBaseGrid::SelectCell(ACol, ARow);
    } else {
        if (SpecialEditorShown())
            ReadEditorValue(Col(), Row());
        selected = ValidateCell(Cells(RealColIndex(Col()), Row())) && TBaseGrid::SelectCell(ACol, ARow);
    }
    if (selected) {
        RepaintHeadersOfMove(oldCol, oldRow, ACol, ARow);
        selectedCellText_ = Cells(RealColIndex(ACol), ARow);
        RememberEditCell(ACol, ARow);
    }
    return selected;
}

bool TExtStringGrid::FooterAllowsRow(int ACol, int ARow)
{
    TFloatingFooter* footer = FloatingFooter();
    if (!footer || !footer->Visible() || ARow < 0)
        return true;
    const bool preview = footer->FooterStyle() != fsFixedLastRow;
    if (preview)
        RepaintFooter();
    // A cell that would lie under the footer scrolls up into view.
    const TRect r = CellRect(std::max(ACol, 0), ARow);
    const int footerHeight = DefaultRowHeight();
    if (r.Bottom > r.Top && viewport()->height() - footerHeight + 2 < r.Bottom && ARow < RowCount() - 1)
        SetTopRow(TopRow() + 1);
    // The last row is the footer's.
    return preview || ARow != RowCount() - 1;
}

void TExtStringGrid::RepaintHeadersOfMove(int OldCol, int OldRow, int NewCol, int NewRow)
{
    if (!RowIndicator().Image.isNull() && FixedCols() > 0) {
        RepaintCell(0, OldRow);
        RepaintCell(0, NewRow);
    }
    if (ActiveCellShow()) {
        RepaintCell(0, OldRow);
        RepaintCell(0, NewRow);
        RepaintCell(OldCol, 0);
        RepaintCell(NewCol, 0);
        const TGridRect sel = Selection();
        RepaintCell(sel.Left, 0);
        RepaintCell(0, sel.Top);
    }
}

void TExtStringGrid::AskCanEditCell(int ACol, int ARow)
{
    bool canEdit = (Options() & goEditing) || tempEditPermission_;
    if (OnCanEditCell)
        Application->Guard([&] { OnCanEditCell(this, ARow, ACol, canEdit); });
    if (canEdit) {
        tempEditPermission_ = false;
        if (!(Options() & goEditing))
            SetOptions(Options() | goEditing);
    } else if (Options() & goEditing) {
        // Switched on again for the next cell that may be edited.
        SetOptions(Options() & ~goEditing);
        tempEditPermission_ = true;
    }
}

void TExtStringGrid::RememberEditCell(int ACol, int ARow)
{
    editCell_ = {ACol, ARow};
    editCellText_ = Cells(RealColIndex(ACol), ARow);
}

// ---- special editors

bool TExtStringGrid::SpecialEditorShown() const
{
    QWidget* control = EditorControl(editorType_);
    return editorShown_ && control && control->isVisible();
}

QString TExtStringGrid::CurrentCellEditText() const
{
    return Cells(RealColIndex(Col()), Row());
}

void TExtStringGrid::ShowInplaceEditor(int ACol, int ARow)
{
    CreateInplaceEditors();
    TRect r = CellRect(ACol, ARow);
    editorCellRect_ = r;
    if (Mirrored())
        r = TRect{viewport()->width() - r.Right, r.Top, viewport()->width() - r.Left, r.Bottom};
    const int w = r.Right - r.Left - 1;
    const int h = r.Bottom - r.Top - 1;
    TFont font;
    TBrush brush;
    TGridDrawState state = 0;
    TAlignment hAlign = taLeftJustify;
    TVAlignment vAlign = vtaTop;
    GetCellColors(ACol, ARow, font, brush, state, hAlign, vAlign, false, true, false);
    const TColor color = brush.Color;
    QString text = GetEditText(ACol, ARow);
    auto place = [&](QWidget* editor, int left, int top, int width, int height) {
        editor->setParent(viewport());
        editor->setGeometry(left, top, width, height);
        editor->setEnabled(true);
        editor->show();
        editor->raise();
    };
    auto focusWithChar = [&](QWidget* editor) {
        editor->setFocus(Qt::OtherFocusReason);
        TypeInto(editor, std::exchange(pendingChar_, 0));
    };
    switch (editorType_) {
    case edSpinEdit:
    case edFloatSpinEdit:
    case edTimeSpinEdit:
    case edDateSpinEdit: {
        TGridSpin* spin = spinEditor_;
        if (editorType_ == edSpinEdit) {
            spin->SetSpinType(sptNormal);
            bool ok = false;
            const int value = text.trimmed().toInt(&ok);
            spin->SetText(QString::number(ok ? value : 0));
        } else if (editorType_ == edFloatSpinEdit) {
            spin->SetSpinType(sptFloat);
            bool ok = false;
            const double value = CleanNumber(text).toDouble(&ok);
            spin->SetFloatValue(ok ? value : 0);
        } else if (editorType_ == edTimeSpinEdit) {
            spin->SetSpinType(sptTime);
            spin->SetText(text);
        } else {
            QDate date;
            if (!LocaleStrToDate(text, date) || !date.isValid())
                date = QDate::currentDate();
            spin->SetDateValue(date);
            spin->SetSpinType(sptDate);
        }
        place(spin, r.Left, r.Top, w, h);
        SetEditorColor(spin, color);
        focusWithChar(spin);
        break;
    }
    case edComboEdit:
    case edComboList: {
        TGridCombo* combo = comboEditor_;
        if (combo->DroppedDown())
            combo->hidePopup();
        combo->SetEditorStyle(editorType_ == edComboEdit ? csDropDown : csDropDownList);
        if (editorType_ == edComboList) {
            int index = combo->Items().IndexOf(text);
            if (index < 0)
                index = comboDefaultIndex_ < 0 ? 0 : comboDefaultIndex_;
            combo->SetItemIndex(index);
        } else {
            combo->setEditText(text);
        }
        combo->RestartTypedSearch();
        place(combo, r.Left, r.Top, w, h);
        combo->setFocus(Qt::OtherFocusReason);
        combo->SelectAll();
        combo->SetColor(color);
        const bool soft = Look() == glSoft || Look() == glQel;
        combo->SetFlat(soft);
        combo->SetEtched(soft);
        combo->setMaxVisibleItems(std::max(combo->maxVisibleItems(), 1));
        if (Navigation()->AutoComboDropSize)
            combo->FitDropWidth();
        else
            combo->SetDropWidth(0);
        focusWithChar(combo);
        if (MouseActions()->DirectComboDrop)
            combo->showPopup();
        break;
    }
    case edEditBtn:
    case edNumericEditBtn:
    case edFloatEditBtn:
        editBtnEditor_->SetText(text);
        editBtnEditor_->SetMaxLength(MaxEditLength());
        place(editBtnEditor_, r.Left, r.Top, w, h);
        SetEditorColor(editBtnEditor_, color);
        focusWithChar(editBtnEditor_);
        break;
    case edUnitEditBtn: {
        QString value, unit;
        TGridUnitEditBtn::SplitValueUnit(text, value, unit);
        unitEditor_->SetMaxLength(MaxEditLength());
        unitEditor_->SetText(value);
        unitEditor_->SetUnitID(unit);
        place(unitEditor_, r.Left, r.Top, w, h);
        SetEditorColor(unitEditor_, color);
        focusWithChar(unitEditor_);
        break;
    }
    case edCheckBox:
        checkEditor_->SetCaption(text);
        checkEditor_->SetChecked(false);
        place(checkEditor_, r.Left, r.Top, w, h);
        SetEditorColor(checkEditor_, color);
        checkEditor_->setFocus(Qt::OtherFocusReason);
        break;
    case edDateEdit:
    case edDateEditUpDown:
    case edTimeEdit:
        dateEditor_->SetKind(editorType_ == edTimeEdit ? dtkTime : dtkDate);
        dateEditor_->SetDateMode(editorType_ == edDateEditUpDown ? dmUpDown : dmComboBox);
        dateEditor_->TakeCellText(text);
        place(dateEditor_, r.Left, r.Top, w, h);
        dateEditor_->SetColor(color);
        dateEditor_->setFocus(Qt::OtherFocusReason);
        break;
    case edButton:
        buttonEditor_->SetCaption(text);
        place(buttonEditor_, r.Left - 1, r.Top - 1, w + 2, h + 2);
        buttonEditor_->setFocus(Qt::OtherFocusReason);
        break;
    case edCustom:
        ShowCustomEditor(ACol, ARow, r, color, text);
        break;
    case edRichEdit:
        if (TRichEdit* rich = RichEditWidget()) {
            rich->setParent(viewport());
            rich->setFrameShape(QFrame::NoFrame);
            CellToRich(ACol, ARow, rich);
            rich->selectAll();
            place(rich, r.Left, r.Top, w, h);
            rich->document()->setDocumentMargin(2);
            SetEditorColor(rich, color);
            focusWithChar(rich);
        }
        break;
    default: break;
    }
    pendingChar_ = 0;
}

void TExtStringGrid::SetEditorColor(QWidget* editor, TColor color)
{
    QPalette p = editor->palette();
    p.setColor(QPalette::Base, ToQColor(color));
    p.setColor(QPalette::Window, ToQColor(color));
    editor->setPalette(p);
}

void TExtStringGrid::ShowCustomEditor(int ACol, int ARow, const TRect& r, TColor color, const QString& text)
{
    if (!editLink_)
        return;
    editLink_->SetGridCell(this, ACol, ARow);
    const int w = r.Right - r.Left - 1;
    const int h = r.Bottom - r.Top - 1;
    QRect area(r.Left, r.Top, w, h);
    if (editLink_->PopupEdit()) {
        if (!linkPopup_) {
            // Owned by the grid; a window of its own at the cell.
            linkPopup_ = std::make_unique<QWidget>(nullptr, Qt::Tool | Qt::FramelessWindowHint);
            linkPopup_->installEventFilter(linkWatch_.get());
        }
        const int width = editLink_->WantCellWidth() ? w : editLink_->PopupWidth();
        linkPopup_->setGeometry(QRect(viewport()->mapToGlobal(QPoint(r.Left, r.Top)), QSize(width, editLink_->PopupHeight())));
        linkPopup_->show();
        editLink_->CreateEditor(linkPopup_.get());
        area = QRect(0, 0, width, editLink_->PopupHeight());
    } else {
        editLink_->CreateEditor(viewport());
    }
    editLink_->SetRect(area);
    editLink_->SetVisible(true);
    editLink_->SetColorAndFont(color, font());
    editLink_->SetProperties();
    if (OnGetEditorProp)
        Application->Guard([&] { OnGetEditorProp(this, ACol, ARow, editLink_); });
    editLink_->SetEditorValue(text);
    if (QWidget* control = editLink_->GetEditControl()) {
        // The edit ends when the link's control loses the focus.
        control->removeEventFilter(linkWatch_.get());
        control->installEventFilter(linkWatch_.get());
        control->setFocus(Qt::OtherFocusReason);
        TypeInto(control, std::exchange(pendingChar_, 0));
    }
}

// ---- rich-text cells and edit links

void TExtStringGrid::CellToRich(int ACol, int ARow, TRichEdit* RichEdit)
{
    const QString text = Cells(ACol, ARow);
    if (text.isEmpty())
        RichEdit->Clear();
    else if (text.startsWith(QStringLiteral("{\\")))
        RichEdit->SetRtfText(text.toLatin1());
    else
        RichEdit->SetText(text);
}

void TExtStringGrid::RichToCell(int ACol, int ARow, TRichEdit* RichEdit)
{
    SetCells(ACol, ARow, QString::fromLatin1(RichEdit->RtfText()));
}

void TExtStringGrid::LinkPopupClosed()
{
    if (!editLink_ || editorType_ != edCustom || !editorShown_)
        return;
    if (editLink_->WriteOnPopupClose())
        SetCells(RealColIndex(Col()), Row(), editLink_->GetEditorValue());
    else
        EndEditorToGrid();
    // The text editor reads the value from the cell it now stands in.
    InvalidateEditor();
}

// ---- ending an edit

void TExtStringGrid::ReadEditorValue(int ACol, int ARow)
{
    const int col = RealColIndex(ACol);
    auto write = [&](const QString& value) { SetCells(col, ARow, value); };
    switch (editorType_) {
    case edSpinEdit:
    case edTimeSpinEdit: write(spinEditor_->Text()); break;
    case edFloatSpinEdit:
        // Written as SetCellFloat writes a float; a FloatFormat it cannot
        // use leaves the value as the editor shows it.
        try {
            SetCellFloat(col, ARow, spinEditor_->FloatValue());
        } catch (const EExtGridError&) {
            write(spinEditor_->Text());
        }
        break;
    case edDateSpinEdit: write(SpinDateText(spinEditor_->DateValue())); break;
    case edComboEdit:
    case edComboList:
        if (editorShown_)
            write(comboEditor_->Text());
        break;
    case edEditBtn:
    case edNumericEditBtn:
    case edFloatEditBtn: write(editBtnEditor_->Text()); break;
    case edDateEdit:
    case edDateEditUpDown:
        write(dateEditor_->Checked() ? dateEditor_->Date().toString(LocaleSettings().ShortDateFormat) : QString());
        break;
    case edTimeEdit: write(SpinTimeText(dateEditor_->Time())); break;
    case edUnitEditBtn: write(unitEditor_->Text() + unitEditor_->UnitID()); break;
    case edCustom:
        if (editLink_) {
            write(editLink_->GetEditorValue());
            if (!editLink_->PopupEdit())
                editLink_->SetVisible(false);
            else if (linkPopup_)
                linkPopup_->hide();
        }
        break;
    case edRichEdit:
        if (TRichEdit* rich = RichEditWidget())
            RichToCell(col, ARow, rich);
        break;
    default: break;
    }
    editorShown_ = false;
    HideSpecialEditors();
    if (OnEditingDone)
        Application->Guard([&] { OnEditingDone(); });
}

void TExtStringGrid::HideSpecialEditors()
{
    // The grid leaves editing mode first, so that taking the focus back does
    // not open an editor again.
    TBaseGrid::HideEditor();
    std::vector<QWidget*> editors = SpecialEditors();
    if (TRichEdit* rich = RichEditWidget())
        editors.push_back(rich);
    for (QWidget* editor : editors) {
        if (!editor || !editor->isVisible())
            continue;
        // The focus comes back to the grid before the editor goes, so that
        // it does not move on to the next control.
        if (editor->hasFocus() || editor->isAncestorOf(QApplication::focusWidget()))
            setFocus(Qt::OtherFocusReason);
        editor->setEnabled(false);
        editor->hide();
    }
}

void TExtStringGrid::EndCellEditing()
{
    if (!editorShown_ || endingEdit_)
        return;
    const QScopedValueRollback<int> ending(endingEdit_, endingEdit_ + 1);
    TBaseGrid::HideEditor();
    ReadEditorValue(Col(), Row());
    editorShown_ = false;
    SelectCell(Col(), Row());
}

void TExtStringGrid::EndEditorToGrid()
{
    EndCellEditing();
    if (!editorShown_)
        setFocus(Qt::OtherFocusReason);
}

void TExtStringGrid::PassKeyToGrid(int Key, TShiftState Shift)
{
    EndCellEditing();
    if (editorShown_)
        return; // the value was refused: its editor is open again
    TNavigation& nav = *Navigation();
    const bool alwaysEdit = nav.AlwaysEdit;
    nav.AlwaysEdit = false;
    setFocus(Qt::OtherFocusReason);
    if (Key == VK_TAB || Key == VK_LEFT || Key == VK_RIGHT || Key == VK_UP || Key == VK_DOWN) {
        int key = Key;
        KeyDown(key, Shift);
    }
    nav.AlwaysEdit = alwaysEdit;
    if (Key == VK_RETURN)
        AdvanceCell(Col(), Row(), !(Shift & ssShift), false, false);
}

// ---- validation

bool TExtStringGrid::ValidateCell(const QString& Text)
{
    if (!cellEditing_ || validating_)
        return true;
    cellEditing_ = false;
    bool valid = true;
    // The cell edited stands at a display column; its text is the real
    // column's behind it.
    const int displayCol = editCell_.X >= 0 ? editCell_.X : Col();
    const int col = RealColIndex(displayCol);
    const int row = editCell_.Y >= 0 ? editCell_.Y : Row();
    if (Text != editCellText_ || ForceValidation) {
        // Whatever throws below (a checker, a cells-changed handler), the
        // grid must be able to validate and edit again afterwards, and the
        // edit is not over: its next end validates it again.
        const QScopedValueRollback<bool> guard(validating_, true);
        try {
            CalcFooterColumn(col);
            QString value = Text;
            if (CellChecker() && CellChecker()->AutoCorrect)
                value = CellChecker()->CorrectCellText(col, row, value);
            if (OnCellValidate)
                Application->Guard([&] { OnCellValidate(this, col, row, value, valid); });
            if (CellChecker() && CellChecker()->AutoMarkError)
                value = CellChecker()->MarkCellError(col, row, value);
            CellsChanged(TRect{col, row, col, row});
            if (valid)
                SetCells(col, row, value);
            else
                SetCells(col, row, value != Text ? value : editCellText_);
            // The footer follows what the cell finally holds (a corrected or
            // a refused value too).
            CalcFooterColumn(col);
        } catch (const std::exception& error) {
            // The error ends this commit with its box; the edit stays open
            // and is validated again when it next ends.
            cellEditing_ = true;
            Application->ShowException(error);
            return false;
        }
    }
    if (!valid) {
        // Back to the cell, and its edit starts again.
        cellEditing_ = true;
        if (Col() != displayCol || Row() != row)
            FocusCell(displayCol, row);
        if (!editorShown_)
            ShowEditor();
    }
    editCellText_ = Cells(col, row);
    RememberEditCell(Col(), Row());
    return valid;
}

bool TExtStringGrid::CommitEditorText(const QString& Text)
{
    SetCells(RealColIndex(Col()), Row(), Text);
    return ValidateCell(Text);
}

bool TExtStringGrid::ValidateEditorText(const QString& Text)
{
    return ValidateCell(Text);
}

void TExtStringGrid::CancelTextEdit()
{
    SetCells(RealColIndex(Col()), Row(), selectedCellText_);
    cellEditing_ = false;
    TBaseGrid::HideEditor();
    editorShown_ = false;
}

void TExtStringGrid::TextEditorLeft(bool toOtherWindow)
{
    if (toOtherWindow) {
        ValidateCell(Cells(RealColIndex(Col()), Row()));
        cellEditing_ = false;
        editorShown_ = false;
        SelectCell(Col(), Row());
    }
    if (OnEditingDone)
        Application->Guard([&] { OnEditingDone(); });
}

// ---- the in-place combo

void TExtStringGrid::ClearComboItems()
{
    CreateInplaceEditors();
    comboEditor_->Items().Clear();
}

void TExtStringGrid::AddComboItem(const QString& S)
{
    CreateInplaceEditors();
    comboEditor_->AddItem(S);
}

void TExtStringGrid::AddComboItemObject(const QString& S, TObject* AObject)
{
    CreateInplaceEditors();
    comboEditor_->AddItem(S, AObject);
}

void TExtStringGrid::ComboSelectionChanged(int Index)
{
    const QString text = comboEditor_->itemText(Index);
    if (OnComboChange)
        Application->Guard([&] { OnComboChange(this, Col(), Row(), Index, text); });
    if (OnComboObjectChange)
        Application->Guard(
            [&] { OnComboObjectChange(this, Col(), Row(), Index, text, comboEditor_->ItemObject(Index)); });
}

void TExtStringGrid::ComboEditChanged()
{
    const QString text = comboEditor_->Text();
    if (OnComboChange)
        Application->Guard([&] { OnComboChange(this, Col(), Row(), -1, text); });
}

void TExtStringGrid::ComboWheelStepped(TGridCombo* Combo)
{
    const int index = Combo->ItemIndex();
    const QString text = Combo->Text();
    if (OnComboChange)
        Application->Guard([&] { OnComboChange(Combo, Col(), Row(), index, text); });
    if (OnComboObjectChange)
        Application->Guard([&] { OnComboObjectChange(Combo, Col(), Row(), index, text, Combo->ItemObject(index)); });
}

// ---- events of the editors

void TExtStringGrid::SpinEditorClicked(TGridSpin* Spin, bool Up)
{
    const int col = Col();
    const int row = Row();
    switch (Spin->SpinType()) {
    case sptNormal:
        if (OnSpinClick)
            Application->Guard([&] { OnSpinClick(this, col, row, Spin->Value(), Up); });
        break;
    case sptFloat:
        if (OnFloatSpinClick)
            Application->Guard([&] { OnFloatSpinClick(this, col, row, Spin->FloatValue(), Up); });
        break;
    case sptTime:
        if (OnTimeSpinClick)
            Application->Guard([&] { OnTimeSpinClick(this, col, row, ToDateTime(QDate(), Spin->TimeValue()), Up); });
        break;
    case sptDate:
        if (OnDateSpinClick)
            Application->Guard([&] { OnDateSpinClick(this, col, row, ToDateTime(Spin->DateValue(), QTime()), Up); });
        break;
    }
}

void TExtStringGrid::EditorEllipsClick(QString& S)
{
    S = EllipsClick(S);
}

void TExtStringGrid::HideButtonEditor()
{
    // A button writes nothing: its edit just ends.
    ReadEditorValue(Col(), Row());
    cellEditing_ = false;
}

bool TExtStringGrid::AllowEditorClipboard(TExtInplaceEdit* Editor, TEditorClipboard Operation)
{
    bool allow = true;
    const auto& handler = Operation == ClipboardCopy ? OnClipboardCopy
                          : Operation == ClipboardCut ? OnClipboardCut
                                                      : OnClipboardPaste;
    if (handler)
        Application->Guard([&] { handler(Editor, allow); });
    return allow;
}

bool TExtStringGrid::BeforeEditorPaste(QString& Value)
{
    bool allow = true;
    if (OnClipboardBeforePasteCell)
        Application->Guard([&] { OnClipboardBeforePasteCell(this, Col(), Row(), Value, allow); });
    return allow;
}

void TExtStringGrid::AddLookupHistory(const QString& S)
{
    LookupItems().append(S);
}

void TExtStringGrid::RaiseDblClickCell(int ARow, int ACol)
{
    if (OnDblClickCell)
        Application->Guard([&] { OnDblClickCell(this, ARow, ACol); });
}

void TExtStringGrid::WalkFromEditor(bool Forward)
{
    TBaseGrid::HideEditor();
    editorShown_ = false;
    AdvanceCell(Col(), Row(), Forward, true, true);
}

void TExtStringGrid::FitColumnToEditor(const QString& S)
{
    const int width = fontMetrics().horizontalAdvance(S) + 8;
    if (width > ColWidths(Col()))
        SetColWidths(Col(), width);
}

void TExtStringGrid::FitRowToEditor(const QString& S)
{
    SetRowHeights(Row(), RowHeightOfLines(TextLineCount(S), 2 * XYOffsetY, DefaultRowHeight(), 0));
}

// ---- the edit text and the grid's hooks for its editors

void TExtStringGrid::SetEditText(int ACol, int ARow, const QString& Value)
{
    // The editor writes the column it read (GetEditText).
    const int real = RealColIndex(ACol);
    StoreEditText(real < ColCount() ? real : ACol, ARow, Value);
}

void TExtStringGrid::StoreEditText(int ACol, int ARow, const QString& Value)
{
    TBaseGrid::SetEditText(ACol, ARow, Value);
}

QString TExtStringGrid::GetEditText(int ACol, int ARow)
{
    const int real = RealColIndex(ACol);
    QString text = TBaseGrid::GetEditText(real < ColCount() ? real : ACol, ARow);
    if (!EditWithTags && TextType(text, EnableHTML) == 1)
        text = HTMLStrip(text);
    return text;
}

void TExtStringGrid::EditorCaretMoved(const QString& Text, QPoint CaretPos, int CaretIndex)
{
    (void)Text, (void)CaretPos, (void)CaretIndex;
}

QString TExtStringGrid::EllipsClick(const QString& Text)
{
    QString s = Text;
    if (OnEllipsClick)
        Application->Guard([&] { OnEllipsClick(this, Col(), Row(), s); });
    return s;
}
