#include "grid/extobj.h"

#include "image/conversao.h"

#include <QImage>
#include <QPainter>

#include <algorithm>

// ---- arrow window

namespace {

struct ArrowPoints {
    QPoint points[7];
};

constexpr ArrowPoints kArrows[4] = {
    {{{5, 0}, {10, 5}, {7, 5}, {7, 9}, {3, 9}, {3, 5}, {0, 5}}},  // up
    {{{3, 0}, {7, 0}, {7, 4}, {9, 4}, {5, 8}, {1, 4}, {3, 4}}},   // down
    {{{0, 3}, {0, 7}, {4, 7}, {4, 10}, {8, 5}, {4, 0}, {4, 3}}},  // right
    {{{0, 5}, {4, 10}, {4, 7}, {8, 7}, {8, 3}, {4, 3}, {4, 0}}},  // left
};

} // namespace

QPolygon TArrowWindow::ArrowPolygon(int Direction)
{
    const ArrowPoints& arrow = kArrows[std::clamp(Direction, 0, 3)];
    return QPolygon(QList<QPoint>(std::begin(arrow.points), std::end(arrow.points)));
}

TArrowWindow::TArrowWindow(QWidget* AOwner, int Direction) : TPanel(AOwner), direction_(std::clamp(Direction, 0, 3))
{
    // A window of its own above the grid, shown without taking the focus.
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus);
    setAttribute(Qt::WA_ShowWithoutActivating);
    SetColor(clLime);
    SetBevelOuter(bvNone);
    SetCaption(QString());
    resize(11, 11);
    setMask(QRegion(ArrowPolygon(direction_), Qt::WindingFill));
    hide();
}

// ---- popup button

TPopupButton::TPopupButton(QWidget* AOwner) : QWidget(AOwner)
{
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus);
    setAttribute(Qt::WA_ShowWithoutActivating);
}

void TPopupButton::SetFlat(bool flat)
{
    flat_ = flat;
    update();
}

void TPopupButton::SetCaption(const QString& caption)
{
    caption_ = caption;
    update();
}

void TPopupButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), ToQColor(clBtnFace));
    // The window's own one-pixel border, then the raised frame inside it.
    painter.setPen(ToQColor(clBlack));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    const QRect r = rect().adjusted(1, 1, -1, -1);
    if (!flat_) {
        painter.setPen(Qt::white);
        painter.drawLine(r.topLeft(), r.topRight());
        painter.drawLine(r.topLeft(), r.bottomLeft());
        painter.setPen(ToQColor(clGray));
        painter.drawLine(r.bottomLeft(), r.bottomRight());
        painter.drawLine(r.topRight(), r.bottomRight());
    }
    painter.setPen(ToQColor(clBtnText));
    const QRect textArea = r.adjusted(2, 1, -2, -1);
    painter.drawText(textArea, Qt::AlignCenter | Qt::TextSingleLine,
                     fontMetrics().elidedText(caption_, Qt::ElideRight, textArea.width()));
}

// ---- integer lists

void TIntList::Changed()
{
    if (OnChange)
        OnChange(this, col_, row_);
}

void TIntList::SetItems(int Index, int Value)
{
    items_.at(static_cast<std::size_t>(Index)) = Value;
    Changed();
}

int TIntList::Add(int Value)
{
    items_.push_back(Value);
    Changed();
    return Count() - 1;
}

void TIntList::Delete(int Index)
{
    if (Index < 0 || Index >= Count())
        throw std::out_of_range("List index out of bounds");
    items_.erase(items_.begin() + Index);
    Changed();
}

QString TIntList::CommaText() const
{
    QStringList parts;
    for (int item : items_)
        parts << QString::number(item);
    return parts.join(',');
}

void TIntList::SetCommaText(const QString& Text)
{
    Clear();
    if (Text.isEmpty())
        return;
    for (const QString& part : Text.split(','))
        Add(StrToInt(part.toStdString()));
}

void TSortIndexList::AddIndex(int ACol, bool Ascending)
{
    Add(Ascending ? ACol : static_cast<int>(static_cast<unsigned>(ACol) | kDescending));
}

int TSortIndexList::FindIndex(int ACol) const
{
    for (int i = 0; i < Count(); ++i)
        if (Column(Items(i)) == ACol)
            return i;
    return -1;
}

void TSortIndexList::ToggleIndex(int ACol)
{
    const int i = FindIndex(ACol);
    if (i >= 0)
        SetItems(i, static_cast<int>(static_cast<unsigned>(Items(i)) ^ kDescending));
}

// ---- file picture

void TFilePicture::SetFilename(const QString& Filename)
{
    filename_ = Filename;
    const QImage image(Filename);
    width_ = image.isNull() ? 0 : image.width();
    height_ = image.isNull() ? 0 : image.height();
}

void TFilePicture::Draw(TCanvas& Canvas, const TRect& Rect) const
{
    if (filename_.isEmpty() || !Canvas.Painter())
        return;
    const QImage image(filename_);
    if (!image.isNull())
        Canvas.Painter()->drawImage(Rect.ToQRect(), image);
}

void TFilePicture::Assign(const TFilePicture& Source)
{
    filename_ = Source.filename_;
    width_ = Source.width_;
    height_ = Source.height_;
}
