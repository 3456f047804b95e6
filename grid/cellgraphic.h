#pragma once
// The graphic or control a grid cell shows, kept in the cell's object slot:
// its kind, where it sits in the cell, and the picture it refers to.
#include "platform/types.h"

#include <QSize>
#include <QString>

enum TCellType {
    ctBitmap, ctIcon, ctNone, ctImageList, ctCheckBox, ctDataCheckBox, ctRotated,
    ctDataImage, ctNode, ctRadio, ctEmpty, ctImages, ctPicture, ctFilePicture,
    ctValue, ctProgress, ctComment, ctButton, ctBitButton, ctVirtCheckBox
};
enum TCellVAlign { vaTop, vaBottom, vaCenter, vaUnderText, vaAboveText, vaFull };
enum TCellHAlign { haLeft, haRight, haCenter, haBeforeText, haAfterText, haFull };

class TCellGraphic : public TObject {
public:
    TCellGraphic() = default;
    TCellGraphic(const TCellGraphic&) = delete;
    TCellGraphic& operator=(const TCellGraphic&) = delete;
    // Frees what the graphic owns (see Owns).
    ~TCellGraphic() override;

    TCellType CellType = ctNone;
    TCellVAlign CellVAlign = vaTop;
    TCellHAlign CellHAlign = haLeft;
    // Image index; node: child rows (0 = up to the next node); button: width
    // in the low 16 bits, height in the high 16 bits; picture: margin;
    // radio: selected option (-1 = by text); progress: text colour of the
    // filled part.
    int CellIndex = 0;
    bool CellTransparent = false;
    // The graphic owns its bitmap, icon or picture.
    bool CellCreated = false;
    // Check-box state; node collapsed; radio and image lists horizontal;
    // progress: own text colours.
    bool CellBoolean = false;
    // Rotated text angle in degrees; picture: size mode; progress: text
    // colour of the rest.
    int CellAngle = 0;
    // Cell button: its place in the cell, x in the low 16 bits, y in the high.
    double CellValue = 0;
    // The part of the text marked as an error.
    short CellErrFrom = 0;
    short CellErrLen = 0;
    // Comment text.
    QString CellText;

    // The bitmap, or a radio option list, an image index list, a picture.
    TObject* CellBitmap = nullptr;
    TObject* CellIcon = nullptr;

    // Copies every value and the created flag, not the referenced objects.
    void Assign(const TCellGraphic& Source);

    // Whether destruction frees the bitmap slot, and the icon slot.
    bool OwnsBitmap() const;
    bool OwnsIcon() const;
};

// The size a picture of PictureSize is drawn at in a space of Available,
// after taking Margin off each: 0 unchanged, 1 stretched, 2 the largest with
// the picture's proportions, 3 unchanged when it fits else stretched, 4
// unchanged when it fits else shrunk keeping its proportions.
QSize CellPictureSize(QSize Available, QSize PictureSize, int Margin, int SizeMode);
