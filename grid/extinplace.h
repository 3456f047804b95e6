#pragma once
// The grid's text editor: the string grid's in-place mask edit, which keeps
// the edit masks, paired with a multi-line memo for cells that hold several
// lines (Multilinecells, WordWrap or LineFeedOnEnter). While the memo is in
// use it lies over the mask edit and takes its focus; every change of its
// text goes on into the mask edit, whose text the grid reads, so the grid
// sees one editor either way.
//
// The editor filters the characters by the cell's editor kind, limits the
// length, completes typed text from the grid's LookupItems, and takes the
// clipboard through the grid's clipboard events.
#include "grid/basegrid.h"

#include <QPlainTextEdit>
#include <QStringList>

class TExtStringGrid;
class TExtInplaceEdit;

// What becomes of a character typed into a numeric or case-changing editor.
enum class TCharVerdict { Accept, Drop, Beep };

// The character filter of the text kinds (and of the numeric edit-button
// kinds, which filter as edNumeric and edFloat). Key may be changed (upper
// or lower case); Text is the editor's text with the selection SelStart,
// SelLength that the character replaces.
TCharVerdict FilterEditorChar(TEditorType Kind, char& Key, const QString& Text, int SelStart, int SelLength);
// The first of Items that starts with Prefix (case-insensitive unless
// CaseSensitive), or -1; an empty prefix matches nothing.
int LookupMatch(const QStringList& Items, const QString& Prefix, bool CaseSensitive);
// Whether a pasted text suits the kind: an integer for the numeric kinds, an
// integer or float number for edFloat; the others take any text.
bool PasteFitsKind(TEditorType Kind, const QString& Text);
// A pasted text as the kind types it (upper, lower or mixed case).
QString PasteForKind(TEditorType Kind, const QString& Text);

// The multi-line memo of the text editor; its keys are the editor's.
class TInplaceMemo : public QPlainTextEdit, public TControl {
    Q_OBJECT
public:
    explicit TInplaceMemo(TExtInplaceEdit* owner);

    void KeyDown(int& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
    void KeyUp(int& Key, TShiftState Shift) override;
    bool WantsTabs() const override;
    bool WantsEscape() const override;

    // Line of the caret and number of lines (wrapped lines count).
    bool CaretOnFirstLine() const;
    bool CaretOnLastLine() const;

protected:
    void focusOutEvent(QFocusEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    TExtInplaceEdit* owner_;
};

class TExtInplaceEdit : public TInplaceEdit {
    Q_OBJECT
public:
    explicit TExtInplaceEdit(TExtStringGrid* grid);

    TExtStringGrid* ExtGrid() const { return grid_; }

    // The length limit (0: none), taken from MaxEditLength when the editor
    // is made.
    int LengthLimit() const { return lengthLimit_; }
    void SetLengthLimit(int limit);
    bool RightAlign() const { return rightAlign_; }
    void SetRightAlign(bool on);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool on);
    bool AutoCompleteAllowed() const { return autoComplete_; }

    // Takes the kind, alignment and the lines of the cell now being edited:
    // password echo, the memo for multi-line cells, placement.
    void Arrange();
    // The memo when multi-line text is edited, else null.
    TInplaceMemo* Memo() const { return memoActive_ ? memo_ : nullptr; }

    // The text as edited (line breaks included), its selection and caret.
    QString EditorText() const;
    int EditorSelStart() const;
    int EditorSelLength() const;
    void SetEditorSel(int start, int length);
    // Puts the text in and the caret at its end.
    void PutBack(const QString& text);

    void KeyDown(int& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
    void KeyUp(int& Key, TShiftState Shift) override;
    bool WantsEscape() const override;

    // Copy, cut and paste through the grid's clipboard events.
    void CopyToClipboard();
    void CutToClipboard();
    void PasteFromClipboard();

protected:
    void Change() override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    friend class TInplaceMemo;

    bool Multiline() const;
    void ReplaceSelection(const QString& text);
    void LookupComplete();
    void FocusEntered(Qt::FocusReason reason, QWidget* inside);
    void FocusLeft(Qt::FocusReason reason);
    // Enter, Up or Down asks the grid to validate; false when refused.
    bool ValidateText();
    bool ClipboardKey(int Key, TShiftState Shift);

    TExtStringGrid* grid_;
    TInplaceMemo* memo_;
    bool memoActive_ = false;
    int syncing_ = 0;
    int lengthLimit_ = 0;
    bool rightAlign_ = false;
    bool wordWrap_ = false;
    bool autoComplete_ = true;
    // A character was typed since the last key release.
    bool typedChar_ = false;
    // The key down was the number pad's decimal key.
    bool keypadDecimal_ = false;
};
