#pragma once
// Pictures as the grid library handles them: a graphic that draws itself
// into a rectangle of a canvas and says when it changed, bitmaps, icons and
// a list of same-sized images picked by index.
#include "platform/canvas.h"
#include "platform/component.h"
#include "platform/types.h"

#include <QIcon>
#include <QImage>
#include <QPixmap>

#include <functional>
#include <vector>

class TGraphic : public TObject {
public:
    virtual bool GetEmpty() const = 0;
    virtual int GetWidth() const = 0;
    virtual int GetHeight() const = 0;
    // Draws into rect (the graphic decides whether it stretches).
    virtual void Draw(TCanvas& canvas, const TRect& rect) = 0;

    std::function<void(TObject* Sender)> OnChange;

protected:
    void Changed()
    {
        if (OnChange)
            OnChange(this);
    }
};

class TBitmap : public TGraphic {
public:
    QImage Image;

    bool GetEmpty() const override { return Image.isNull(); }
    int GetWidth() const override { return Image.width(); }
    int GetHeight() const override { return Image.height(); }
    void Draw(TCanvas& canvas, const TRect& rect) override;
};

class TIcon : public TGraphic {
public:
    QIcon Icon;
    int Size = 16;

    bool GetEmpty() const override { return Icon.isNull(); }
    int GetWidth() const override { return Size; }
    int GetHeight() const override { return Size; }
    void Draw(TCanvas& canvas, const TRect& rect) override;
};

class TImageList : public TComponent {
public:
    TImageList(int width = 16, int height = 16) : Width(width), Height(height) {}

    int Width;
    int Height;

    int Count() const { return static_cast<int>(images_.size()); }
    // Appends an image, scaled to the list's size; returns its index.
    int Add(const QImage& image);
    // Draws entry index with its top-left corner at (x, y); nothing for an
    // index outside the list.
    void Draw(TCanvas& canvas, int x, int y, int index) const;

private:
    std::vector<QImage> images_;
};

// The logical pixels per inch of the device a canvas paints on (96 without
// one).
int CanvasPixelsPerInchX(const TCanvas& canvas);
int CanvasPixelsPerInchY(const TCanvas& canvas);
