#include "grid/esgdd.h"

#include "image/cp1252.h"

#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

#include <algorithm>

int CF_RTF = 0;
int CF_GRIDCOLUMN = 0;
bool RichTextAllowed = false;

void RegisterDragFormats()
{
    // Registered formats take numbers from 0xC000 on.
    if (CF_RTF == 0)
        CF_RTF = 0xC001;
    if (CF_GRIDCOLUMN == 0)
        CF_GRIDCOLUMN = 0xC002;
}

// ---- incoming formats

TEnumFormats::TEnumFormats(const QMimeData* data) : data_(data)
{
    RegisterDragFormats();
}

bool TEnumFormats::HasFormat(int Format) const
{
    if (!data_)
        return false;
    // Only text itself: Qt also calls a drag of URLs "text".
    if (Format == CF_TEXT || Format == CF_UNICODETEXT)
        return data_->hasFormat(kMimePlainText);
    if (Format == CF_HDROP)
        return !Files().isEmpty();
    if (Format == CF_RTF)
        return data_->hasFormat(kMimeRichText);
    if (Format == CF_GRIDCOLUMN)
        return data_->hasFormat(kMimeGridColumn);
    return false;
}

QString TEnumFormats::Text() const
{
    return data_ && data_->hasFormat(kMimePlainText) ? data_->text() : QString();
}

QString TEnumFormats::RTF() const
{
    if (!data_)
        return QString();
    // Rich text is 8-bit: its bytes are read as cp1252 up to the first NUL.
    QByteArray bytes = data_->data(kMimeRichText);
    const qsizetype nul = bytes.indexOf('\0');
    if (nul >= 0)
        bytes.truncate(nul);
    QString text;
    text.reserve(bytes.size());
    for (const char c : bytes)
        text += QChar(static_cast<char16_t>(Cp1252ParaUnicode(static_cast<std::uint8_t>(c))));
    return text;
}

int TEnumFormats::Column() const
{
    return data_ && data_->hasFormat(kMimeGridColumn) ? DecodeGridColumn(data_->data(kMimeGridColumn)) : -1;
}

QStringList TEnumFormats::Files() const
{
    QStringList files;
    if (!data_)
        return files;
    for (const QUrl& url : data_->urls())
        if (url.isLocalFile() && !url.toLocalFile().isEmpty())
            files << url.toLocalFile();
    return files;
}

// ---- drop target

class TESGDropTarget::Filter : public QObject {
public:
    explicit Filter(TESGDropTarget* owner) : owner_(owner) {}

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        (void)watched;
        switch (event->type()) {
        case QEvent::DragEnter: {
            auto* e = static_cast<QDragEnterEvent*>(event);
            Answer(e, owner_->DragEnter(e->mimeData(), Ctrl(e), e->position().toPoint()));
            return true;
        }
        case QEvent::DragMove: {
            auto* e = static_cast<QDragMoveEvent*>(event);
            Answer(e, owner_->DragOver(Ctrl(e), e->position().toPoint()));
            return true;
        }
        case QEvent::DragLeave:
            owner_->DragLeave();
            event->accept();
            return true;
        case QEvent::Drop: {
            auto* e = static_cast<QDropEvent*>(event);
            Answer(e, owner_->Drop(e->mimeData(), Ctrl(e), e->position().toPoint()));
            return true;
        }
        default: return false;
        }
    }

private:
    static bool Ctrl(const QDropEvent* e) { return e->modifiers() & Qt::ControlModifier; }

    static void Answer(QDropEvent* e, int effect)
    {
        if (effect == DROPEFFECT_NONE) {
            e->setDropAction(Qt::IgnoreAction);
            e->ignore();
            return;
        }
        e->setDropAction(effect == DROPEFFECT_COPY ? Qt::CopyAction : Qt::MoveAction);
        e->accept();
    }

    TESGDropTarget* owner_;
};

TESGDropTarget::TESGDropTarget(QWidget* Target) : target_(Target), filter_(std::make_unique<Filter>(this))
{
    RegisterDragFormats();
    if (target_) {
        target_->setAcceptDrops(true);
        target_->installEventFilter(filter_.get());
    }
}

TESGDropTarget::~TESGDropTarget()
{
    if (target_)
        target_->removeEventFilter(filter_.get());
}

void TESGDropTarget::DropText(QPoint, const QString&) {}
void TESGDropTarget::DropCol(QPoint, int) {}
void TESGDropTarget::DropRTF(QPoint, const QString&) {}
void TESGDropTarget::DropFiles(QPoint, const QStringList&) {}
void TESGDropTarget::DragMouseMove(QPoint, bool&, int) {}
void TESGDropTarget::DragMouseEnter() {}
void TESGDropTarget::DragMouseLeave() {}

bool TESGDropTarget::IsValidColumn(int Column)
{
    return Column >= 0;
}

int TESGDropTarget::Effect(bool Ctrl) const
{
    if (!allowed_)
        return DROPEFFECT_NONE;
    return Ctrl ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
}

int TESGDropTarget::DragEnter(const QMimeData* Data, bool Ctrl, QPoint Point)
{
    (void)Point;
    const TEnumFormats formats(Data);
    formats_ = 0;
    if (formats.HasFormat(CF_TEXT))
        formats_ |= dfText;
    if (formats.HasFormat(CF_HDROP))
        formats_ |= dfFiles;
    // A column payload that is malformed or names no column of ours is no
    // column at all.
    if (formats.HasFormat(CF_GRIDCOLUMN) && formats.Column() >= 0 && IsValidColumn(formats.Column()))
        formats_ |= dfCol;
    if (formats.HasFormat(CF_RTF))
        formats_ |= dfRTF;
    allowed_ = ((formats_ & dfText) && AcceptText) || ((formats_ & dfFiles) && AcceptFiles)
               || ((formats_ & dfRTF) && RichTextAllowed && AcceptText) || ((formats_ & dfCol) && AcceptCols);
    const int effect = Effect(Ctrl);
    DragMouseEnter();
    return effect;
}

int TESGDropTarget::DragOver(bool Ctrl, QPoint Point)
{
    int effect = Effect(Ctrl);
    bool allow = true;
    DragMouseMove(Point, allow, formats_);
    if (!allow)
        effect = DROPEFFECT_NONE;
    return effect;
}

void TESGDropTarget::DragLeave()
{
    DragMouseLeave();
}

int TESGDropTarget::Drop(const QMimeData* Data, bool Ctrl, QPoint Point)
{
    if (!allowed_)
        return DROPEFFECT_NONE;
    const TEnumFormats formats(Data);
    const int column = formats.Column();
    refused_ = false;
    if (AcceptCols && column >= 0 && IsValidColumn(column))
        DropCol(Point, column);
    else if (AcceptText && RichTextAllowed && formats.HasFormat(CF_RTF))
        DropRTF(Point, formats.RTF());
    else if (AcceptText && formats.HasFormat(CF_TEXT))
        DropText(Point, formats.Text());
    if (AcceptFiles && formats.HasFormat(CF_HDROP))
        DropFiles(Point, formats.Files());
    return refused_ ? DROPEFFECT_NONE : Effect(Ctrl);
}

// ---- data object

TSourceDataObject::TSourceDataObject(const QString& Text_, const QString& RTF_, int Column_)
    : Text(Text_), RTF(RTF_), Column(Column_)
{
    RegisterDragFormats();
}

HRESULT TSourceDataObject::QueryGetData(const TFormatEtc& Format) const
{
    if (Format.Tymed != TYMED_HGLOBAL || Format.Aspect != DVASPECT_CONTENT)
        return DV_E_FORMATETC;
    const bool hasText = !Text.isEmpty();
    if ((Format.Format == CF_TEXT || Format.Format == CF_UNICODETEXT) && hasText)
        return S_OK;
    if (Format.Format == CF_RTF && hasText && RichTextAllowed)
        return S_OK;
    if (Format.Format == CF_GRIDCOLUMN && Column >= 0)
        return S_OK;
    return DV_E_FORMATETC;
}

HRESULT TSourceDataObject::GetData(const TFormatEtc& Format, QByteArray& Medium) const
{
    if (QueryGetData(Format) != S_OK)
        return DV_E_FORMATETC;
    if (Format.Format == CF_TEXT) {
        // Length + 1 bytes, the last one the terminating zero.
        Medium = QByteArray(Text.size() + 1, '\0');
        for (qsizetype i = 0; i < Text.size(); ++i)
            Medium[i] = static_cast<char>(UnicodeParaCp1252(Text[i].unicode()).value_or('?'));
    } else if (Format.Format == CF_UNICODETEXT) {
        Medium = QByteArray(2 * Text.size() + 2, '\0');
        for (qsizetype i = 0; i < Text.size(); ++i) {
            Medium[2 * i] = static_cast<char>(Text[i].unicode() & 0xFF);
            Medium[2 * i + 1] = static_cast<char>(Text[i].unicode() >> 8);
        }
    } else if (Format.Format == CF_RTF) {
        if (RTF.isEmpty())
            return DV_E_FORMATETC;
        Medium = RTF.toLatin1() + QByteArray(1, '\0');
    } else {
        Medium = EncodeGridColumn(Column);
    }
    return S_OK;
}

HRESULT TSourceDataObject::GetDataHere(const TFormatEtc&, QByteArray&) const
{
    return DV_E_FORMATETC;
}

HRESULT TSourceDataObject::GetCanonicalFormatEtc(const TFormatEtc&, TFormatEtc&) const
{
    return E_NOTIMPL;
}

HRESULT TSourceDataObject::SetData(const TFormatEtc&, const QByteArray&)
{
    return DV_E_FORMATETC;
}

HRESULT TSourceDataObject::DAdvise()
{
    return OLE_E_ADVISENOTSUPPORTED;
}

TSourceEnumFormatEtc* TSourceDataObject::EnumFormatEtc(bool Get) const
{
    return Get ? new TSourceEnumFormatEtc(Column >= 0) : nullptr;
}

QMimeData* TSourceDataObject::ToMimeData() const
{
    auto* data = new QMimeData;
    if (!Text.isEmpty()) {
        data->setText(Text);
        if (RichTextAllowed && !RTF.isEmpty())
            data->setData(kMimeRichText, RTF.toLatin1());
    }
    if (Column >= 0)
        data->setData(kMimeGridColumn, EncodeGridColumn(Column));
    return data;
}

// ---- format enumerator

TSourceEnumFormatEtc::TSourceEnumFormatEtc(bool WithColumn)
{
    RegisterDragFormats();
    formats_ = {{CF_TEXT}, {CF_UNICODETEXT}, {CF_RTF}};
    if (WithColumn)
        formats_.push_back({CF_GRIDCOLUMN});
}

HRESULT TSourceEnumFormatEtc::Next(int Count, std::vector<TFormatEtc>& Formats)
{
    Formats.clear();
    while (Count-- > 0 && at_ < formats_.size())
        Formats.push_back(formats_[at_++]);
    return Count < 0 ? S_OK : S_FALSE;
}

HRESULT TSourceEnumFormatEtc::Skip(int Count)
{
    at_ = std::min(formats_.size(), at_ + static_cast<std::size_t>(std::max(Count, 0)));
    return S_OK;
}

HRESULT TSourceEnumFormatEtc::Reset()
{
    at_ = 0;
    return S_OK;
}

TSourceEnumFormatEtc* TSourceEnumFormatEtc::Clone() const
{
    return new TSourceEnumFormatEtc(false);
}

// ---- drop source

HRESULT TESGDropSource::QueryContinueDrag(bool EscapePressed, unsigned KeyState)
{
    QueryDrag();
    if (EscapePressed)
        return DRAGDROP_S_CANCEL;
    if (KeyState & MK_LBUTTON)
        return S_OK;
    return DRAGDROP_S_DROP;
}

HRESULT TESGDropSource::GiveFeedback(int Effect)
{
    lastNone_ = Effect == DROPEFFECT_NONE;
    CurrentEffect(Effect);
    return DRAGDROP_S_USEDEFAULTCURSORS;
}

HRESULT TESGDropSource::Run(const TSourceDataObject& data, int allowed, int& effect)
{
    lastNone_ = false;
    effect = DROPEFFECT_NONE;
    const HRESULT result = CurrentDragLoop().DoDragDrop(source_, data.ToMimeData(), *this, allowed, effect);
    // A drag whose last feedback showed no effect was not dropped anywhere.
    return lastNone_ ? DRAGDROP_S_CANCEL : result;
}

HRESULT TESGDropSource::StartTextDrag(const QString& Text, const QString& RTF, int& Effect, int Allowed)
{
    return Run(TSourceDataObject(Text, RTF, -1), Allowed, Effect);
}

HRESULT TESGDropSource::StartColumnDrag(int Column, int Allowed, int& Effect)
{
    return Run(TSourceDataObject(QString(), QString(), Column), Allowed, Effect);
}
