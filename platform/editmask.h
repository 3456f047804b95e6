#pragma once
// Edit masks: "mask;save-literals;blank".
//
//   0 digit, required       9 digit or blank        # digit, + or -, or blank
//   L letter, required      l letter or blank
//   A letter or digit, req. a letter, digit or blank
//   C any character, req.   c any character or blank
//   \x the character x as a literal; any other character is a literal.
//
// The second field is 1 (the default) when Text keeps the literals, 0 when it
// holds only the typed positions; the third is the character that shows a
// blank position (default '_'). A mask without mask characters is a fixed
// text. The engine holds the edit text (literals and blanks as shown) and a
// caret, and knows no widget.
#include <QString>

#include <vector>

class TEditMask {
public:
    enum Kind : char {
        Literal,
        DigitRequired,
        DigitOptional,
        DigitOrSign,
        LetterRequired,
        LetterOptional,
        AlnumRequired,
        AlnumOptional,
        AnyRequired,
        AnyOptional,
    };

    struct Position {
        Kind kind = Literal;
        QChar literal; // the character shown at a literal position
    };

    TEditMask() = default;
    explicit TEditMask(const QString& editMask);

    // An empty mask: no positions, the edit is a plain edit.
    bool IsEmpty() const { return positions_.empty(); }
    const QString& Source() const { return source_; }
    bool SaveLiterals() const { return saveLiterals_; }
    QChar Blank() const { return blank_; }
    int Length() const { return static_cast<int>(positions_.size()); }
    const Position& At(int index) const { return positions_[static_cast<size_t>(index)]; }
    bool IsLiteral(int index) const;
    bool Accepts(int index, QChar c) const;

    // The edit text of an empty edit: literals and blanks.
    QString EmptyEditText() const;
    // The edit text for a value: a value with literals is matched position by
    // position, a value without (save-literals 0) fills the typed positions
    // in order. A blank character, a space or a character that does not fit
    // leaves the position blank.
    QString EditTextFor(const QString& text) const;
    // The text of an edit text: blanks read as spaces, literals kept or
    // dropped by the save-literals flag.
    QString TextOf(const QString& editText) const;

    // The first typed position at or after index (Length() when none).
    int NextEditable(int index) const;
    // The last typed position before index (-1 when none).
    int PreviousEditable(int index) const;
    int FirstEditable() const { return NextEditable(0); }

private:
    QString source_;
    std::vector<Position> positions_;
    bool saveLiterals_ = true;
    QChar blank_ = QLatin1Char('_');
};

// An edit text with a caret and a selection, changed key by key as a masked
// edit is typed in.
class TMaskState {
public:
    explicit TMaskState(const TEditMask& mask = TEditMask());

    const TEditMask& Mask() const { return mask_; }
    void SetMask(const TEditMask& mask);

    const QString& EditText() const { return editText_; }
    void SetEditText(const QString& editText);
    QString Text() const { return mask_.TextOf(editText_); }
    void SetText(const QString& text);

    int Caret() const { return caret_; }
    int SelStart() const { return selStart_; }
    int SelLength() const { return selLength_; }
    // Places the caret (and a selection from start to start + length).
    void Select(int start, int length);
    void SelectAll() { Select(0, mask_.Length()); }

    // Typing one character: a selection is blanked first; the character goes
    // to the first typed position at or after the caret, if it fits there.
    // A space in a position that may stay blank shows as the blank character
    // (and reads back as a space). Returns false (nothing changes) when the
    // character does not fit.
    bool Type(QChar c);
    // Backspace: blanks the selection, or the typed position before the caret.
    void Backspace();
    // Delete: blanks the selection, or the typed position at the caret.
    void Delete();
    // Caret moves; they skip literals, and extend the selection when asked.
    void Left(bool extend = false);
    void Right(bool extend = false);
    void Home(bool extend = false);
    void End(bool extend = false);

private:
    void BlankRange(int from, int to);
    void MoveCaret(int to, bool extend);

    TEditMask mask_;
    QString editText_;
    int caret_ = 0;
    int anchor_ = 0;
    int selStart_ = 0;
    int selLength_ = 0;
};
