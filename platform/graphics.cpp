#include "platform/graphics.h"

#include <QPaintDevice>
#include <QPainter>

void TBitmap::Draw(TCanvas& canvas, const TRect& rect)
{
    if (canvas.Painter() && !Image.isNull())
        canvas.Painter()->drawImage(rect.ToQRect(), Image);
}

void TIcon::Draw(TCanvas& canvas, const TRect& rect)
{
    if (canvas.Painter() && !Icon.isNull())
        Icon.paint(canvas.Painter(), rect.ToQRect());
}

int TImageList::Add(const QImage& image)
{
    images_.push_back(image.size() == QSize(Width, Height)
                          ? image
                          : image.scaled(Width, Height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    return Count() - 1;
}

void TImageList::Draw(TCanvas& canvas, int x, int y, int index) const
{
    if (canvas.Painter() && index >= 0 && index < Count())
        canvas.Painter()->drawImage(x, y, images_[index]);
}

int CanvasPixelsPerInchX(const TCanvas& canvas)
{
    const QPaintDevice* device = canvas.Painter() ? canvas.Painter()->device() : nullptr;
    return device && device->logicalDpiX() > 0 ? device->logicalDpiX() : 96;
}

int CanvasPixelsPerInchY(const TCanvas& canvas)
{
    const QPaintDevice* device = canvas.Painter() ? canvas.Painter()->device() : nullptr;
    return device && device->logicalDpiY() > 0 ? device->logicalDpiY() : 96;
}
