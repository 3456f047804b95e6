#include "platform/editmask.h"

#include "platform/formatting.h"

#include <QStringList>

#include <algorithm>

namespace {

struct MaskChar {
    char c;
    TEditMask::Kind kind;
};

const MaskChar kMaskChars[] = {
    {'0', TEditMask::DigitRequired},  {'9', TEditMask::DigitOptional}, {'#', TEditMask::DigitOrSign},
    {'L', TEditMask::LetterRequired}, {'l', TEditMask::LetterOptional}, {'A', TEditMask::AlnumRequired},
    {'a', TEditMask::AlnumOptional},  {'C', TEditMask::AnyRequired},    {'c', TEditMask::AnyOptional},
};

TEditMask::Kind KindOf(QChar c)
{
    for (const MaskChar& m : kMaskChars)
        if (c == QLatin1Char(m.c))
            return m.kind;
    return TEditMask::Literal;
}

bool IsOptional(TEditMask::Kind kind)
{
    switch (kind) {
    case TEditMask::DigitOptional:
    case TEditMask::DigitOrSign:
    case TEditMask::LetterOptional:
    case TEditMask::AlnumOptional:
    case TEditMask::AnyOptional: return true;
    default: return false;
    }
}

} // namespace

TEditMask::TEditMask(const QString& editMask) : source_(editMask)
{
    int i = 0;
    for (; i < editMask.size(); ++i) {
        const QChar c = editMask[i];
        if (c == QLatin1Char(';'))
            break;
        if (c == QLatin1Char('\\') && i + 1 < editMask.size()) {
            positions_.push_back({Literal, editMask[++i]});
            continue;
        }
        const Kind kind = KindOf(c);
        positions_.push_back({kind, kind == Literal ? c : QChar()});
    }
    const QStringList fields = editMask.mid(i + 1).split(QLatin1Char(';'));
    if (i < editMask.size() && !fields.isEmpty() && !fields[0].isEmpty())
        saveLiterals_ = fields[0][0] != QLatin1Char('0');
    if (fields.size() > 1 && !fields[1].isEmpty())
        blank_ = fields[1][0];
}

bool TEditMask::IsLiteral(int index) const
{
    return index < 0 || index >= Length() || At(index).kind == Literal;
}

bool TEditMask::Accepts(int index, QChar c) const
{
    if (IsLiteral(index))
        return false;
    const Kind kind = At(index).kind;
    if (c == QLatin1Char(' '))
        return IsOptional(kind) || kind == AnyRequired;
    switch (kind) {
    case DigitRequired:
    case DigitOptional: return IsDigit(c);
    case DigitOrSign: return IsDigit(c) || c == QLatin1Char('+') || c == QLatin1Char('-');
    case LetterRequired:
    case LetterOptional: return c.isLetter();
    case AlnumRequired:
    case AlnumOptional: return c.isLetter() || IsDigit(c);
    case AnyRequired:
    case AnyOptional: return c.isPrint();
    default: return false;
    }
}

QString TEditMask::EmptyEditText() const
{
    QString text;
    for (const Position& p : positions_)
        text += p.kind == Literal ? p.literal : blank_;
    return text;
}

QString TEditMask::EditTextFor(const QString& text) const
{
    QString edit = EmptyEditText();
    auto place = [&](int index, QChar c) {
        if (c != blank_ && c != QLatin1Char(' ') && Accepts(index, c))
            edit[index] = c;
    };
    if (saveLiterals_) {
        // A value that lacks the mask's leading literals ("Sala 2" for the
        // mask " ccc...") goes after them, as if it carried them.
        QString leading;
        for (int i = 0; i < Length() && IsLiteral(i); ++i)
            leading += At(i).literal;
        const QString value = text.startsWith(leading) ? text : leading + text;
        for (int i = 0; i < Length() && i < value.size(); ++i)
            if (!IsLiteral(i))
                place(i, value[i]);
    } else {
        int from = 0;
        for (int i = 0; i < Length() && from < text.size(); ++i)
            if (!IsLiteral(i))
                place(i, text[from++]);
    }
    return edit;
}

QString TEditMask::TextOf(const QString& editText) const
{
    QString text;
    for (int i = 0; i < Length(); ++i) {
        const QChar shown = i < editText.size() ? editText[i] : blank_;
        if (IsLiteral(i)) {
            if (saveLiterals_)
                text += At(i).literal;
        } else {
            text += shown == blank_ ? QLatin1Char(' ') : shown;
        }
    }
    return text;
}

int TEditMask::NextEditable(int index) const
{
    for (int i = std::max(index, 0); i < Length(); ++i)
        if (!IsLiteral(i))
            return i;
    return Length();
}

int TEditMask::PreviousEditable(int index) const
{
    for (int i = std::min(index, Length()) - 1; i >= 0; --i)
        if (!IsLiteral(i))
            return i;
    return -1;
}

TMaskState::TMaskState(const TEditMask& mask) : mask_(mask), editText_(mask.EmptyEditText())
{
    caret_ = anchor_ = mask_.FirstEditable();
    Select(caret_, 0);
}

void TMaskState::SetMask(const TEditMask& mask)
{
    const QString text = Text();
    mask_ = mask;
    editText_ = mask_.EditTextFor(text);
    Select(mask_.FirstEditable(), 0);
}

void TMaskState::SetEditText(const QString& editText)
{
    // Position by position, literals and blanks as shown.
    QString edit = mask_.EmptyEditText();
    for (int i = 0; i < mask_.Length() && i < editText.size(); ++i)
        if (!mask_.IsLiteral(i) && editText[i] != mask_.Blank() && mask_.Accepts(i, editText[i])
            && editText[i] != QLatin1Char(' '))
            edit[i] = editText[i];
    editText_ = edit;
    Select(std::min(caret_, mask_.Length()), 0);
}

void TMaskState::SetText(const QString& text)
{
    editText_ = mask_.EditTextFor(text);
    Select(mask_.FirstEditable(), 0);
}

void TMaskState::Select(int start, int length)
{
    const int n = mask_.Length();
    anchor_ = std::clamp(start, 0, n);
    caret_ = std::clamp(start + length, 0, n);
    selStart_ = std::min(anchor_, caret_);
    selLength_ = std::abs(caret_ - anchor_);
}

void TMaskState::MoveCaret(int to, bool extend)
{
    to = std::clamp(to, 0, mask_.Length());
    if (extend)
        Select(anchor_, to - anchor_);
    else
        Select(to, 0);
}

void TMaskState::BlankRange(int from, int to)
{
    for (int i = std::max(from, 0); i < to && i < mask_.Length(); ++i)
        if (!mask_.IsLiteral(i))
            editText_[i] = mask_.Blank();
}

bool TMaskState::Type(QChar c)
{
    const int start = selLength_ > 0 ? selStart_ : caret_;
    const int pos = mask_.NextEditable(start);
    if (pos >= mask_.Length() || !mask_.Accepts(pos, c))
        return false;
    if (selLength_ > 0)
        BlankRange(selStart_, selStart_ + selLength_);
    editText_[pos] = c == QLatin1Char(' ') ? mask_.Blank() : c;
    Select(mask_.NextEditable(pos + 1), 0);
    return true;
}

void TMaskState::Backspace()
{
    if (selLength_ > 0) {
        const int start = selStart_;
        BlankRange(start, start + selLength_);
        Select(start, 0);
        return;
    }
    const int pos = mask_.PreviousEditable(caret_);
    if (pos < 0)
        return;
    editText_[pos] = mask_.Blank();
    Select(pos, 0);
}

void TMaskState::Delete()
{
    if (selLength_ > 0) {
        const int start = selStart_;
        BlankRange(start, start + selLength_);
        Select(start, 0);
        return;
    }
    const int pos = mask_.NextEditable(caret_);
    if (pos < mask_.Length())
        editText_[pos] = mask_.Blank();
}

void TMaskState::Left(bool extend)
{
    if (extend) {
        MoveCaret(caret_ - 1, true);
        return;
    }
    if (selLength_ > 0) {
        MoveCaret(selStart_, false);
        return;
    }
    const int pos = mask_.PreviousEditable(caret_);
    if (pos >= 0)
        MoveCaret(pos, false);
}

void TMaskState::Right(bool extend)
{
    if (extend) {
        MoveCaret(caret_ + 1, true);
        return;
    }
    if (selLength_ > 0) {
        MoveCaret(selStart_ + selLength_, false);
        return;
    }
    if (caret_ < mask_.Length())
        MoveCaret(mask_.NextEditable(caret_ + 1), false);
}

void TMaskState::Home(bool extend)
{
    MoveCaret(extend ? 0 : mask_.FirstEditable(), extend);
}

void TMaskState::End(bool extend)
{
    MoveCaret(mask_.Length(), extend);
}
