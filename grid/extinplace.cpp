// The grid's text editor and the character rules of the text kinds.
#include "grid/extinplace.h"

#include "grid/extgrid.h"
#include "grid/extutil.h"
#include "platform/application.h"
#include "platform/formatting.h"
#include "platform/localesettings.h"

#include <QApplication>
#include <QClipboard>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextBlock>
#include <QTextLayout>

#include <utility>

namespace {

// Keys every kind lets through: Backspace, Tab, Enter and Escape.
bool IsControlKey(char c)
{
    return c == '\b' || c == '\t' || c == '\r' || c == 27;
}

// The text with the selection taken out.
QString OutsideSelection(const QString& text, int selStart, int selLength)
{
    return text.left(selStart) + text.mid(selStart + selLength);
}

} // namespace

TCharVerdict FilterEditorChar(TEditorType Kind, char& Key, const QString& Text, int SelStart, int SelLength)
{
    const QString rest = OutsideSelection(Text, SelStart, SelLength);
    switch (Kind) {
    case edNumeric:
    case edNumericEditBtn:
        if (IsControlKey(Key) || IsDigit(Key))
            return TCharVerdict::Accept;
        if (Key == '-' && SelStart == 0 && !rest.contains('-'))
            return TCharVerdict::Accept;
        return TCharVerdict::Beep;
    case edPositiveNumeric:
        return IsControlKey(Key) || IsDigit(Key) ? TCharVerdict::Accept : TCharVerdict::Beep;
    case edFloat:
    case edFloatEditBtn:
        if (IsControlKey(Key) || IsDigit(Key))
            return TCharVerdict::Accept;
        if (Key == '-')
            return SelStart == 0 && !rest.contains('-') ? TCharVerdict::Accept : TCharVerdict::Beep;
        if (Key == '.' || Key == ',')
            return rest.contains('.') || rest.contains(',') ? TCharVerdict::Drop : TCharVerdict::Accept;
        return TCharVerdict::Drop;
    case edCapital:
    case edUpperCase:
        if (const char upper = QCharToChar(CharToQChar(Key).toUpper()))
            Key = upper;
        return TCharVerdict::Accept;
    case edLowerCase:
        if (const char lower = QCharToChar(CharToQChar(Key).toLower()))
            Key = lower;
        return TCharVerdict::Accept;
    default: return TCharVerdict::Accept;
    }
}

int LookupMatch(const QStringList& Items, const QString& Prefix, bool CaseSensitive)
{
    if (Prefix.isEmpty())
        return -1;
    const Qt::CaseSensitivity cs = CaseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
    for (int i = 0; i < Items.size(); ++i)
        if (Items[i].startsWith(Prefix, cs))
            return i;
    return -1;
}

bool PasteFitsKind(TEditorType Kind, const QString& Text)
{
    switch (Kind) {
    case edNumeric:
    case edPositiveNumeric: return IsType(Text) == 0;
    case edFloat: return IsType(Text) <= 1;
    default: return true;
    }
}

QString PasteForKind(TEditorType Kind, const QString& Text)
{
    switch (Kind) {
    case edMixedCase: return CapitalizeName(Text);
    case edLowerCase: return Text.toLower();
    case edUpperCase:
    case edCapital: return Text.toUpper();
    default: return Text;
    }
}

// ---------------------------------------------------------------- TInplaceMemo

TInplaceMemo::TInplaceMemo(TExtInplaceEdit* owner) : QPlainTextEdit(owner), TControl(this), owner_(owner)
{
    setObjectName(QStringLiteral("InplaceMemo"));
    setFrameShape(QFrame::NoFrame);
    setTabChangesFocus(true);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    document()->setDocumentMargin(1);
    hide();
}

void TInplaceMemo::KeyDown(int& Key, TShiftState Shift)
{
    owner_->KeyDown(Key, Shift);
}

void TInplaceMemo::KeyPress(char& Key)
{
    owner_->KeyPress(Key);
}

void TInplaceMemo::KeyUp(int& Key, TShiftState Shift)
{
    owner_->KeyUp(Key, Shift);
}

bool TInplaceMemo::WantsTabs() const
{
    return owner_->WantsTabs();
}

bool TInplaceMemo::WantsEscape() const
{
    return owner_->WantsEscape();
}

bool TInplaceMemo::CaretOnFirstLine() const
{
    const QTextCursor c = textCursor();
    if (c.block() != document()->firstBlock())
        return false;
    const QTextLayout* layout = c.block().layout();
    return !layout || layout->lineCount() == 0 || layout->lineForTextPosition(c.positionInBlock()).lineNumber() == 0;
}

bool TInplaceMemo::CaretOnLastLine() const
{
    const QTextCursor c = textCursor();
    if (c.block() != document()->lastBlock())
        return false;
    const QTextLayout* layout = c.block().layout();
    return !layout || layout->lineCount() == 0
           || layout->lineForTextPosition(c.positionInBlock()).lineNumber() == layout->lineCount() - 1;
}

void TInplaceMemo::keyPressEvent(QKeyEvent* event)
{
    // Enter types a line break only through the editor's rules.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter || event->key() == Qt::Key_Escape) {
        event->ignore();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void TInplaceMemo::focusOutEvent(QFocusEvent* event)
{
    QPlainTextEdit::focusOutEvent(event);
    owner_->FocusLeft(event->reason());
}

void TInplaceMemo::mouseDoubleClickEvent(QMouseEvent* event)
{
    QPlainTextEdit::mouseDoubleClickEvent(event);
    owner_->grid_->RaiseDblClickCell(owner_->grid_->Row(), owner_->grid_->Col());
}

// ---------------------------------------------------------------- TExtInplaceEdit

TExtInplaceEdit::TExtInplaceEdit(TExtStringGrid* grid)
    : TInplaceEdit(grid), grid_(grid), memo_(new TInplaceMemo(this))
{
    setObjectName(QStringLiteral("ExtInplaceEdit"));
    SetLengthLimit(grid->MaxEditLength());
    connect(memo_, &QPlainTextEdit::textChanged, this, [this] {
        if (syncing_ || !memoActive_)
            return;
        ++syncing_;
        setText(memo_->toPlainText());
        --syncing_;
    });
}

void TExtInplaceEdit::SetLengthLimit(int limit)
{
    lengthLimit_ = std::max(limit, 0);
}

void TExtInplaceEdit::SetRightAlign(bool on)
{
    rightAlign_ = on;
    setAlignment(on ? Qt::AlignRight | Qt::AlignVCenter : Qt::AlignLeft | Qt::AlignVCenter);
    QTextOption option = memo_->document()->defaultTextOption();
    option.setAlignment(on ? Qt::AlignRight : Qt::AlignLeft);
    memo_->document()->setDefaultTextOption(option);
}

void TExtInplaceEdit::SetWordWrap(bool on)
{
    wordWrap_ = on;
    memo_->setLineWrapMode(on ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
}

bool TExtInplaceEdit::Multiline() const
{
    const TEditorType kind = grid_->EditorType();
    if (IsMasked() || kind == edPassword)
        return false;
    return grid_->Multilinecells || grid_->WordWrap() || grid_->Navigation()->LineFeedOnEnter;
}

void TExtInplaceEdit::Arrange()
{
    SetLengthLimit(grid_->MaxEditLength());
    // Right-aligned, top-aligned cells are edited right-aligned.
    TAlignment hAlign = taLeftJustify;
    TVAlignment vAlign = vtaTop;
    grid_->GetCellAlignment(grid_->Col(), grid_->Row(), hAlign, vAlign);
    const bool right = hAlign == taRightJustify && vAlign == vtaTop;
    if (right != rightAlign_)
        SetRightAlign(right);
    // The text sits at the height it has in the cell.
    const Qt::Alignment vertical = vAlign == vtaCenter   ? Qt::AlignVCenter
                                   : vAlign == vtaBottom ? Qt::AlignBottom
                                                         : Qt::AlignTop;
    if ((alignment() & Qt::AlignVertical_Mask) != vertical)
        setAlignment((alignment() & Qt::AlignHorizontal_Mask) | vertical);
    const TEditorType kind = grid_->EditorType();
    const bool password = kind == edPassword;
    if ((echoMode() == QLineEdit::Password) != password) {
        setEchoMode(password ? QLineEdit::Password : QLineEdit::Normal);
        // The grid's password character, not the style's bullet.
        setStyleSheet(password ? QStringLiteral("QLineEdit { lineedit-password-character: %1; }")
                                     .arg(grid_->PasswordChar.unicode())
                               : QString());
    }
    if (wordWrap_ != grid_->WordWrap())
        SetWordWrap(grid_->WordWrap());
    const bool multi = Multiline();
    if (multi != memoActive_) {
        memoActive_ = multi;
        const bool focused = hasFocus();
        setFocusProxy(multi ? memo_ : nullptr);
        memo_->setVisible(multi);
        if (multi) {
            ++syncing_;
            memo_->setPlainText(text());
            memo_->selectAll();
            --syncing_;
        }
        if (focused)
            (multi ? static_cast<QWidget*>(memo_) : this)->setFocus(Qt::OtherFocusReason);
    }
    if (memoActive_)
        memo_->setGeometry(rect());
}

void TExtInplaceEdit::resizeEvent(QResizeEvent* event)
{
    TInplaceEdit::resizeEvent(event);
    if (memoActive_)
        memo_->setGeometry(rect());
}

void TExtInplaceEdit::Change()
{
    // The grid put a new text in: the memo shows it, all selected.
    if (memoActive_ && !syncing_ && memo_->toPlainText() != text()) {
        ++syncing_;
        memo_->setPlainText(text());
        memo_->selectAll();
        --syncing_;
    }
    TInplaceEdit::Change();
}

QString TExtInplaceEdit::EditorText() const
{
    return memoActive_ ? memo_->toPlainText() : text();
}

int TExtInplaceEdit::EditorSelStart() const
{
    return memoActive_ ? memo_->textCursor().selectionStart() : SelStart();
}

int TExtInplaceEdit::EditorSelLength() const
{
    if (!memoActive_)
        return SelLength();
    const QTextCursor c = memo_->textCursor();
    return c.selectionEnd() - c.selectionStart();
}

void TExtInplaceEdit::SetEditorSel(int start, int length)
{
    if (!memoActive_) {
        SetSel(start, length);
        return;
    }
    QTextCursor c = memo_->textCursor();
    c.setPosition(start);
    c.setPosition(start + length, QTextCursor::KeepAnchor);
    memo_->setTextCursor(c);
}

void TExtInplaceEdit::PutBack(const QString& value)
{
    if (memoActive_) {
        ++syncing_;
        memo_->setPlainText(value);
        --syncing_;
    }
    if (text() != value)
        SetText(value);
    SetEditorSel(static_cast<int>(EditorText().size()), 0);
}

void TExtInplaceEdit::ReplaceSelection(const QString& value)
{
    if (memoActive_)
        memo_->insertPlainText(value);
    else
        insert(value);
}

bool TExtInplaceEdit::ValidateText()
{
    if (grid_->ValidateEditorText(EditorText()))
        return true;
    PutBack(grid_->CurrentCellEditText());
    return false;
}

bool TExtInplaceEdit::WantsEscape() const
{
    return isVisible();
}

void TExtInplaceEdit::KeyDown(int& Key, TShiftState Shift)
{
    autoComplete_ = Key != VK_BACK && Key != VK_DELETE;
    keypadDecimal_ = Key == VK_DECIMAL;
    const bool ctrl = Shift & ssCtrl;
    const TNavigation& nav = *grid_->Navigation();
    if (ClipboardKey(Key, Shift)) {
        Key = 0;
        return;
    }
    switch (Key) {
    case VK_RETURN:
        if (ctrl && grid_->SizeWhileTyping()->Height && grid_->Multilinecells)
            grid_->FitRowToEditor(EditorText());
        break;
    case VK_LEFT:
    case VK_RIGHT: {
        const bool atEdge = Key == VK_LEFT ? EditorSelStart() == 0 : EditorSelStart() >= EditorText().size();
        if (nav.CursorWalkEditor && atEdge && EditorSelLength() == 0 && !(Shift & (ssShift | ssCtrl | ssAlt))) {
            if (!ValidateText()) {
                Key = 0;
                return;
            }
            grid_->WalkFromEditor(Key == VK_RIGHT);
            Key = 0;
            return;
        }
        break;
    }
    case VK_UP:
    case VK_DOWN:
        if (ctrl)
            break;
        // Inside a multi-line text the caret moves between its lines.
        if (memoActive_ && !(Key == VK_UP ? memo_->CaretOnFirstLine() : memo_->CaretOnLastLine())) {
            grid_->TControl::KeyDown(Key, Shift);
            return;
        }
        if (!ValidateText()) {
            Key = 0;
            return;
        }
        break;
    case VK_ESCAPE:
        // The cell gets back the text it had when it was selected.
        grid_->CancelTextEdit();
        Key = 0;
        return;
    case VK_TAB:
        if ((grid_->Options() & goTabs) && !(Shift & ssAlt) && !ValidateText()) {
            Key = 0;
            return;
        }
        break;
    default: break;
    }
    TInplaceEdit::KeyDown(Key, Shift);
    // Keys of the memo's own (Home, End, arrows inside a line) are its.
    if (memoActive_ && Key != 0 && (Key == VK_LEFT || Key == VK_RIGHT || Key == VK_HOME || Key == VK_END))
        return;
}

bool TExtInplaceEdit::ClipboardKey(int Key, TShiftState Shift)
{
    const bool ctrl = (Shift & ssCtrl) && !(Shift & (ssShift | ssAlt));
    const bool shift = (Shift & ssShift) && !(Shift & (ssCtrl | ssAlt));
    if ((ctrl && Key == 'V') || (shift && Key == VK_INSERT)) {
        PasteFromClipboard();
        return true;
    }
    if ((ctrl && Key == 'C') || (ctrl && Key == VK_INSERT)) {
        CopyToClipboard();
        return true;
    }
    if ((ctrl && Key == 'X') || (shift && Key == VK_DELETE)) {
        CutToClipboard();
        return true;
    }
    return false;
}

void TExtInplaceEdit::KeyPress(char& Key)
{
    // The number pad's decimal key types the user's decimal separator.
    if (std::exchange(keypadDecimal_, false) && grid_->ExcelStyleDecimalSeparator && (Key == '.' || Key == ','))
        Key = QCharToChar(LocaleSettings().DecimalSeparator);
    const TEditorType kind = grid_->EditorType();
    const TNavigation& nav = *grid_->Navigation();
    const QString current = EditorText();
    const bool lineFeed = nav.LineFeedOnEnter
                          && (kind == edNormal || kind == edCapital || kind == edMixedCase || kind == edLowerCase
                              || kind == edUpperCase);
    if (Key == '\r' && lineFeed) {
        if (lengthLimit_ == 0 || current.size() < lengthLimit_ || EditorSelLength() > 0)
            ReplaceSelection(QStringLiteral("\n"));
        Key = 0;
        return;
    }
    // At the length limit only Backspace, Escape and (advancing) Enter pass.
    if (lengthLimit_ > 0 && current.size() >= lengthLimit_ && EditorSelLength() == 0 && Key != '\b' && Key != 27
        && !(Key == '\r' && nav.AdvanceOnEnter)) {
        Key = 0;
        return;
    }
    if (Key != '\r' && Key != 27 && Key != '\t') {
        switch (FilterEditorChar(kind, Key, current, EditorSelStart(), EditorSelLength())) {
        case TCharVerdict::Accept: break;
        case TCharVerdict::Drop: Key = 0; return;
        case TCharVerdict::Beep:
            Key = 0;
            Application->Beep();
            return;
        }
    }
    if (kind == edMixedCase && Key != '\b' && static_cast<unsigned char>(Key) >= 32) {
        ReplaceSelection(QString(CharToQChar(Key)));
        const int caret = EditorSelStart();
        const QString cased = CapitalizeName(EditorText());
        if (cased != EditorText()) {
            if (memoActive_)
                memo_->setPlainText(cased);
            else
                setText(cased);
        }
        SetEditorSel(caret, 0);
        Key = 0;
        return;
    }
    if (Key == '\r') {
        if (!ValidateText()) {
            Key = 0;
            return;
        }
    }
    TInplaceEdit::KeyPress(Key);
    typedChar_ = Key != 0 && Key != '\r' && Key != 27 && Key != '\t';
}

void TExtInplaceEdit::KeyUp(int& Key, TShiftState Shift)
{
    TInplaceEdit::KeyUp(Key, Shift);
    if (Key == 0 || Key == VK_LEFT || Key == VK_RIGHT)
        return;
    // A mask filled to its end moves on by itself, as Enter does.
    const bool typed = std::exchange(typedChar_, false);
    if (typed && grid_->Navigation()->AdvanceAuto && IsMasked() && !EditText().contains(Mask().Blank())
        && SelStart() >= EditText().size()) {
        char enter = '\r';
        grid_->KeyPress(enter);
        return;
    }
    LookupComplete();
    grid_->EditorCaretMoved(EditorText(), cursorRect().topLeft(), EditorSelStart());
    if (grid_->SizeWhileTyping()->Width)
        grid_->FitColumnToEditor(EditorText());
    if (grid_->SizeWhileTyping()->Height && grid_->WordWrap())
        grid_->FitRowToEditor(EditorText());
}

void TExtInplaceEdit::LookupComplete()
{
    if (!autoComplete_ || EditorSelLength() > 0 || !grid_->Lookup || grid_->LookupItems().isEmpty())
        return;
    const QString typed = EditorText().left(EditorSelStart());
    const int found = LookupMatch(grid_->LookupItems(), typed, grid_->LookupCaseSensitive);
    if (found < 0)
        return;
    const QString item = grid_->LookupItems()[found];
    const QString completed = typed + item.mid(typed.size());
    if (completed == EditorText())
        return;
    if (memoActive_)
        memo_->setPlainText(completed);
    else
        setText(completed);
    SetEditorSel(static_cast<int>(typed.size()), static_cast<int>(completed.size() - typed.size()));
    autoComplete_ = false;
}

// ---- clipboard

void TExtInplaceEdit::CopyToClipboard()
{
    if (!grid_->AllowEditorClipboard(this, TExtStringGrid::ClipboardCopy))
        return;
    if (memoActive_)
        memo_->copy();
    else
        copy();
}

void TExtInplaceEdit::CutToClipboard()
{
    if (!grid_->AllowEditorClipboard(this, TExtStringGrid::ClipboardCut))
        return;
    if (memoActive_)
        memo_->cut();
    else
        cut();
}

void TExtInplaceEdit::PasteFromClipboard()
{
    const QMimeData* mime = QApplication::clipboard()->mimeData();
    if (!mime || !mime->hasText())
        return;
    QString value = mime->text();
    if (!grid_->BeforeEditorPaste(value))
        return;
    if (lengthLimit_ > 0 && value.size() > lengthLimit_)
        return;
    const QString before = EditorText();
    const int start = EditorSelStart();
    const int replaced = EditorSelLength();
    if (lengthLimit_ > 0 && before.size() - replaced + value.size() > lengthLimit_)
        return;
    if (!grid_->AllowEditorClipboard(this, TExtStringGrid::ClipboardPaste))
        return;
    const TEditorType kind = grid_->EditorType();
    if (!PasteFitsKind(kind, value))
        return;
    value = PasteForKind(kind, value);
    ReplaceSelection(value);
    if (replaced > 0)
        SetEditorSel(start, static_cast<int>(value.size()));
    else
        SetEditorSel(start + static_cast<int>(value.size()), 0);
}

void TExtInplaceEdit::contextMenuEvent(QContextMenuEvent* event)
{
    // The menu's paste would go around the kind's rules.
    (void)event;
}

// ---- focus and mouse

void TExtInplaceEdit::focusInEvent(QFocusEvent* event)
{
    TInplaceEdit::focusInEvent(event);
    FocusEntered(event->reason(), this);
}

void TExtInplaceEdit::FocusEntered(Qt::FocusReason reason, QWidget* inside)
{
    (void)reason;
    (void)inside;
    QPoint at;
    if (grid_->TakeEditClick(at)) {
        // Opened by a click: the caret goes under the mouse.
        if (memoActive_) {
            memo_->setTextCursor(memo_->cursorForPosition(memo_->mapFrom(grid_->viewport(), at)));
        } else {
            const int pos = cursorPositionAt(mapFrom(grid_->viewport(), at));
            SetSel(pos, 0);
        }
        return;
    }
    if (IsMasked() && grid_->Navigation()->ImproveMaskSel)
        SetSel(0, 1);
}

void TExtInplaceEdit::focusOutEvent(QFocusEvent* event)
{
    TInplaceEdit::focusOutEvent(event);
    if (!memoActive_)
        FocusLeft(event->reason());
}

void TExtInplaceEdit::FocusLeft(Qt::FocusReason reason)
{
    // A pop-up or a message box over the window takes the focus for a moment.
    if (reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason)
        return;
    QWidget* now = QApplication::focusWidget();
    if (now == memo_ || now == this)
        return;
    if (grid_->LookupHistory) {
        const QString value = EditorText();
        if (!value.isEmpty() && !grid_->LookupItems().contains(value))
            grid_->AddLookupHistory(value);
    }
    const bool toGrid = now && (now == grid_ || grid_->isAncestorOf(now));
    grid_->TextEditorLeft(!toGrid);
    grid_->EditorCaretMoved(QString(), QPoint(-1, -1), -1);
}

void TExtInplaceEdit::mouseDoubleClickEvent(QMouseEvent* event)
{
    TInplaceEdit::mouseDoubleClickEvent(event);
    grid_->RaiseDblClickCell(grid_->Row(), grid_->Col());
}
