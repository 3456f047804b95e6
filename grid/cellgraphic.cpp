#include "grid/cellgraphic.h"

#include <algorithm>
#include <cmath>

TCellGraphic::~TCellGraphic()
{
    if (OwnsBitmap())
        delete CellBitmap;
    if (OwnsIcon())
        delete CellIcon;
}

bool TCellGraphic::OwnsBitmap() const
{
    switch (CellType) {
    case ctImages:
        return true;
    case ctBitmap:
    case ctRadio:
    case ctPicture:
    case ctFilePicture:
    case ctBitButton:
        return CellCreated;
    default:
        return false;
    }
}

bool TCellGraphic::OwnsIcon() const
{
    return CellType == ctIcon && CellCreated;
}

void TCellGraphic::Assign(const TCellGraphic& Source)
{
    CellType = Source.CellType;
    CellVAlign = Source.CellVAlign;
    CellHAlign = Source.CellHAlign;
    CellIndex = Source.CellIndex;
    CellTransparent = Source.CellTransparent;
    CellValue = Source.CellValue;
    CellAngle = Source.CellAngle;
    CellBoolean = Source.CellBoolean;
    CellErrFrom = Source.CellErrFrom;
    CellErrLen = Source.CellErrLen;
    CellText = Source.CellText;
    CellCreated = Source.CellCreated;
}

namespace {

QSize Scaled(QSize Picture, double Ratio)
{
    return {static_cast<int>(std::lround(Picture.width() * Ratio)),
            static_cast<int>(std::lround(Picture.height() * Ratio))};
}

// How many times the picture's side fits in the space; 1 for an empty side.
double SideRatio(int Space, int Side)
{
    return Side == 0 ? 1.0 : static_cast<double>(Space) / Side;
}

} // namespace

QSize CellPictureSize(QSize Available, QSize PictureSize, int Margin, int SizeMode)
{
    const QSize space(Available.width() - Margin, Available.height() - Margin);
    const bool fits = space.width() >= PictureSize.width() && space.height() >= PictureSize.height();
    const double rw = SideRatio(space.width(), PictureSize.width());
    const double rh = SideRatio(space.height(), PictureSize.height());
    switch (SizeMode) {
    case 1:
        return space;
    case 2:
        // The smaller ratio fills one side exactly.
        return rw >= rh ? QSize(static_cast<int>(std::lround(PictureSize.width() * rh)), space.height())
                        : QSize(space.width(), static_cast<int>(std::lround(PictureSize.height() * rw)));
    case 3:
        return fits ? PictureSize : space;
    case 4:
        return fits ? PictureSize : Scaled(PictureSize, std::min({rw, rh, 1.0}));
    default:
        return PictureSize;
    }
}
