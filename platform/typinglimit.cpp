#include "platform/typinglimit.h"

#include <QLineEdit>
#include <QValidator>

#include <algorithm>

namespace {

// The edit's validator. Qt runs it on every change, the program's setText
// included; the edit counts as modified only after the user's own changes
// (setText clears the mark), and only those are limited. Text the user adds
// beyond the limit is cut at the limit (a paste keeps what fits); when
// nothing of it fits, the change is refused. Deleting is always allowed,
// also from a longer text the program set.
class Limit : public QValidator {
public:
    Limit(QLineEdit* edit, int length)
        : QValidator(edit), edit_(edit), length_(length), accepted_(edit->text())
    {
        connect(edit, &QLineEdit::textChanged, this, [this](const QString& text) { accepted_ = text; });
    }

    int Length() const { return length_; }
    void SetLength(int length) { length_ = length; }

    State validate(QString& input, int& pos) const override
    {
        if (length_ <= 0 || !edit_->isModified() || input.size() <= length_ || input == accepted_
            || input.size() < accepted_.size())
            return Acceptable;
        // The change put new text just before the caret; what follows the
        // caret and what precedes the new text are the accepted text's.
        const qsizetype tail = input.size() - pos;
        qsizetype start = 0;
        const qsizetype most = std::min<qsizetype>(pos, accepted_.size() - tail);
        while (start < most && input[start] == accepted_[start])
            ++start;
        const qsizetype room = length_ - (start + tail);
        if (room <= 0)
            return Invalid;
        input = input.left(start) + input.mid(start, room) + input.mid(pos);
        pos = static_cast<int>(start + room);
        return Acceptable;
    }

private:
    const QLineEdit* edit_;
    int length_;
    QString accepted_;
};

Limit* LimitOf(const QLineEdit* edit)
{
    return dynamic_cast<Limit*>(const_cast<QValidator*>(edit->validator()));
}

} // namespace

void SetTypingLimit(QLineEdit* edit, int length)
{
    length = std::max(length, 0);
    if (Limit* limit = LimitOf(edit)) {
        limit->SetLength(length);
        return;
    }
    if (length > 0)
        edit->setValidator(new Limit(edit, length));
}

int TypingLimit(const QLineEdit* edit)
{
    const Limit* limit = LimitOf(edit);
    return limit ? limit->Length() : 0;
}
