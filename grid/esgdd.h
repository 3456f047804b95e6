#pragma once
// The grid's drag and drop: a drop target that takes text, rich text, files
// and grid columns dropped on a widget; a drop source that drags text and
// rich text or a column; the data object that carries what is dragged, its
// format enumerator, and the reader of an incoming drag's formats.
#include "platform/dragdrop.h"

#include <QPoint>
#include <QStringList>

#include <memory>
#include <vector>

class QMimeData;
class QWidget;

// Clipboard formats: the two built in, the file list, and the two
// registered by name on first use (0 until then).
enum : int { CF_TEXT = 1, CF_UNICODETEXT = 13, CF_HDROP = 15 };
extern int CF_RTF;
extern int CF_GRIDCOLUMN;
// Registers "Rich Text Format" and "Grid Column" once.
void RegisterDragFormats();

// Whether rich text is offered and accepted (set by the grid).
extern bool RichTextAllowed;

enum : HRESULT {
    S_FALSE = 1,
    E_NOTIMPL = static_cast<HRESULT>(0x80004001L),
    DV_E_FORMATETC = static_cast<HRESULT>(0x80040064L),
    OLE_E_ADVISENOTSUPPORTED = static_cast<HRESULT>(0x80040003L),
};
enum : int { TYMED_HGLOBAL = 1, TYMED_FILE = 2, DVASPECT_CONTENT = 1, DVASPECT_ICON = 4 };

struct TFormatEtc {
    int Format = 0;
    int Aspect = DVASPECT_CONTENT;
    int Index = -1;
    int Tymed = TYMED_HGLOBAL;
    bool operator==(const TFormatEtc&) const = default;
};

// Formats present in an incoming drag.
enum : int { dfText = 1, dfFiles = 2, dfCol = 4, dfRTF = 8 };

class TEnumFormats {
public:
    explicit TEnumFormats(const QMimeData* data);
    bool HasFormat(int Format) const;
    QString Text() const;
    QString RTF() const;
    // The column a well-formed column payload names, else -1.
    int Column() const;
    QStringList Files() const;

private:
    const QMimeData* data_;
};

class TESGDropTarget {
public:
    // Registers the widget as a drop target: its drag events come here.
    explicit TESGDropTarget(QWidget* Target);
    virtual ~TESGDropTarget();

    bool AcceptText = true;
    bool AcceptFiles = true;
    bool AcceptCols = false;
    bool DropAllowed() const { return allowed_; }
    int Formats() const { return formats_; }

    virtual void DropText(QPoint Point, const QString& Text);
    virtual void DropCol(QPoint Point, int Column);
    virtual void DropRTF(QPoint Point, const QString& Text);
    virtual void DropFiles(QPoint Point, const QStringList& Files);
    virtual void DragMouseMove(QPoint Point, bool& Allow, int Formats);
    virtual void DragMouseEnter();
    virtual void DragMouseLeave();
    // Whether a dropped column index names a column of the target (the
    // grid knows its count); any index not below 0 in the base.
    virtual bool IsValidColumn(int Column);

    // The drop-target protocol; each returns the effect shown.
    int DragEnter(const QMimeData* Data, bool Ctrl, QPoint Point);
    int DragOver(bool Ctrl, QPoint Point);
    void DragLeave();
    int Drop(const QMimeData* Data, bool Ctrl, QPoint Point);

protected:
    // Called by a drop handler that took nothing: the drop then reports no
    // effect, so that the source of a move keeps its data.
    void RefuseDrop() { refused_ = true; }

private:
    class Filter;
    int Effect(bool Ctrl) const;

    QWidget* target_;
    std::unique_ptr<Filter> filter_;
    bool allowed_ = false;
    bool refused_ = false;
    int formats_ = 0;
};

// What a drag carries.
class TSourceDataObject {
public:
    TSourceDataObject(const QString& Text, const QString& RTF, int Column);

    HRESULT GetData(const TFormatEtc& Format, QByteArray& Medium) const;
    HRESULT GetDataHere(const TFormatEtc& Format, QByteArray& Medium) const;
    HRESULT QueryGetData(const TFormatEtc& Format) const;
    HRESULT GetCanonicalFormatEtc(const TFormatEtc& In, TFormatEtc& Out) const;
    HRESULT SetData(const TFormatEtc& Format, const QByteArray& Medium);
    HRESULT DAdvise();
    // Get direction only.
    class TSourceEnumFormatEtc* EnumFormatEtc(bool Get) const;
    // The same data for Qt's drag.
    QMimeData* ToMimeData() const;

    QString Text;
    QString RTF;
    int Column = -1;
};

class TSourceEnumFormatEtc {
public:
    explicit TSourceEnumFormatEtc(bool WithColumn);
    // Up to Count formats; S_FALSE when fewer remained.
    HRESULT Next(int Count, std::vector<TFormatEtc>& Formats);
    HRESULT Skip(int Count);
    HRESULT Reset();
    // Starts at the beginning, without the column format.
    TSourceEnumFormatEtc* Clone() const;

private:
    std::vector<TFormatEtc> formats_;
    std::size_t at_ = 0;
};

class TESGDropSource : public TDragSourceCallbacks {
public:
    explicit TESGDropSource(QWidget* Source) : source_(Source) {}

    HRESULT StartTextDrag(const QString& Text, const QString& RTF, int& Effect, int Allowed);
    HRESULT StartColumnDrag(int Column, int Allowed, int& Effect);

    HRESULT QueryContinueDrag(bool EscapePressed, unsigned KeyState) override;
    HRESULT GiveFeedback(int Effect) override;

protected:
    // Hooks run before the source's own answer.
    virtual void QueryDrag() {}
    virtual void CurrentEffect(int Effect) { (void)Effect; }

private:
    HRESULT Run(const TSourceDataObject& data, int allowed, int& effect);

    QWidget* source_;
    bool lastNone_ = false;
};
