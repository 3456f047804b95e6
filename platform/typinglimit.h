#pragma once
// The MaxLength of one-line edits: it limits what the user types, pastes or
// drops, never the text the program sets, so that a stored value longer than
// its field shows whole and is written back unchanged.
class QLineEdit;

// Limits the user's input into edit to length characters (0: no limit).
void SetTypingLimit(QLineEdit* edit, int length);
// The edit's limit; 0 when it has none.
int TypingLimit(const QLineEdit* edit);
