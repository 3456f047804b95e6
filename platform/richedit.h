#pragma once
// A rich-text edit over QTextEdit that loads and saves the Rich Text Format
// subset of platform/rtf.h: the text of a cell that starts with "{\" is
// shown and edited with its fonts, colours and paragraph alignment.
#include "platform/control.h"
#include "platform/rtf.h"

#include <QTextEdit>

class QTextDocument;

class TRichEdit : public QTextEdit, public TControl {
    Q_OBJECT
public:
    explicit TRichEdit(QWidget* parent = nullptr);

    TNotifyEvent OnChange;

    // The document as RTF (the subset) and as plain text.
    QByteArray RtfText() const;
    void SetRtfText(const QByteArray& rtf);
    QString Text() const { return toPlainText(); }
    void SetText(const QString& text);
    bool ReadOnly() const { return isReadOnly(); }
    void SetReadOnly(bool on) { setReadOnly(on); }
    void Clear() { SetText(QString()); }
};

// The document model to a text document and back.
void RtfToTextDocument(const RtfDocument& rtf, QTextDocument& document);
RtfDocument TextDocumentToRtf(const QTextDocument& document);
