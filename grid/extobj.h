#pragma once
// Small objects the grid creates: the arrow marks shown while a column or
// row is moved, a topmost caption window, integer lists that belong to a
// cell, the list of sort columns, and a picture kept as a file name.
#include "platform/canvas.h"
#include "platform/controls.h"

#include <QWidget>

#include <functional>
#include <vector>

// An arrow-shaped marker window, about 10 x 10 pixels, lime by default:
// direction 0 points up, 1 down, 2 right, 3 left. Hidden until shown.
class TArrowWindow : public TPanel {
    Q_OBJECT
public:
    TArrowWindow(QWidget* AOwner, int Direction);
    int Direction() const { return direction_; }
    // The arrow's seven corners.
    static QPolygon ArrowPolygon(int Direction);

private:
    int direction_;
};

// A caption in a bordered window kept above all others.
class TPopupButton : public QWidget {
    Q_OBJECT
public:
    explicit TPopupButton(QWidget* AOwner = nullptr);
    bool Flat() const { return flat_; }
    void SetFlat(bool flat);
    QString Caption() const { return caption_; }
    void SetCaption(const QString& caption);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool flat_ = false;
    QString caption_;
};

// Integers that belong to one cell; every change is reported with the cell.
class TIntList : public TObject {
public:
    TIntList(int ACol, int ARow) : col_(ACol), row_(ARow) {}
    virtual ~TIntList() = default;

    std::function<void(TIntList* Sender, int ACol, int ARow)> OnChange;

    int Count() const { return static_cast<int>(items_.size()); }
    int Items(int Index) const { return items_.at(static_cast<std::size_t>(Index)); }
    void SetItems(int Index, int Value);
    int Add(int Value);
    void Delete(int Index);
    void Clear() { items_.clear(); }
    // "1,20,300"; setting it raises EConvertError on an item that is no
    // number (the items before it stay).
    QString CommaText() const;
    void SetCommaText(const QString& Text);

private:
    void Changed();

    int col_;
    int row_;
    std::vector<int> items_;
};

// Sort columns in order; a descending one has its top bit set.
class TSortIndexList : public TIntList {
public:
    static constexpr unsigned kDescending = 0x80000000u;
    TSortIndexList() : TIntList(-1, -1) {}
    void AddIndex(int ACol, bool Ascending);
    // The position of the column (direction aside), or -1.
    int FindIndex(int ACol) const;
    void ToggleIndex(int ACol);
    static int Column(int Item) { return static_cast<int>(static_cast<unsigned>(Item) & ~kDescending); }
    static bool Descending(int Item) { return static_cast<unsigned>(Item) & kDescending; }
};

// A picture known by its file: the file is read for its size when named,
// and again each time it is drawn.
class TFilePicture : public TObject {
public:
    QString Filename() const { return filename_; }
    void SetFilename(const QString& Filename);
    int Width() const { return width_; }
    int Height() const { return height_; }
    // Stretches the picture over Rect; nothing without a file.
    void Draw(TCanvas& Canvas, const TRect& Rect) const;
    void Assign(const TFilePicture& Source);

private:
    QString filename_;
    int width_ = 0;
    int height_ = 0;
};
