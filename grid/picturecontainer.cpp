#include "grid/picturecontainer.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <new>

namespace {

const QByteArray kGifSignature = "GIF8";

int LeU16(const QByteArray& data, int at)
{
    return static_cast<std::uint8_t>(data[at]) | (static_cast<std::uint8_t>(data[at + 1]) << 8);
}

// A frame starts where a graphic control extension (0x21 0xF9 0x04) has an
// image descriptor (0x2C) 8 bytes after its first byte, with the descriptor's
// 9 bytes all present.
bool FrameStartsAt(const QByteArray& data, int at)
{
    return at + 18 <= data.size() && static_cast<std::uint8_t>(data[at]) == 0x21
           && static_cast<std::uint8_t>(data[at + 1]) == 0xF9 && static_cast<std::uint8_t>(data[at + 2]) == 0x04
           && static_cast<std::uint8_t>(data[at + 8]) == 0x2C;
}

bool IsGif(const QByteArray& data)
{
    return data.size() >= 5 && data.startsWith(kGifSignature);
}

// A resource of the program by name, the letter case of the name aside
// (sources are upper-cased before they get here).
QString ResourcePath(const QString& name)
{
    const QString direct = ":/" + name;
    if (QFile::exists(direct))
        return direct;
    QString path = ":";
    for (const QString& part : name.split('/', Qt::SkipEmptyParts)) {
        const QStringList entries = QDir(path).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        const auto found = std::find_if(entries.begin(), entries.end(),
                                        [&](const QString& entry) { return entry.compare(part, Qt::CaseInsensitive) == 0; });
        if (found == entries.end())
            return {};
        path += '/' + *found;
    }
    return path == ":" ? QString() : path;
}

// Pixels for a physical size, the way a picture's size in hundredths of a
// millimetre becomes pixels at a given resolution.
int PixelsAt(int pixels, int dotsPerMeter, int pixelsPerInch)
{
    if (dotsPerMeter <= 0)
        return pixels;
    const double himetric = pixels * 100000.0 / dotsPerMeter;
    return static_cast<int>(std::lround(himetric * pixelsPerInch / 2540.0));
}

} // namespace

std::vector<int> GifFrameStarts(const QByteArray& data)
{
    std::vector<int> starts;
    if (!IsGif(data))
        return starts;
    for (int i = 0; i < data.size(); ++i)
        if (FrameStartsAt(data, i))
            starts.push_back(i);
    return starts;
}

int THTMLPicture::GetWidth() const
{
    if (screenWidth_ != 0)
        return screenWidth_;
    return image_.isNull() ? 0 : PixelsAt(image_.width(), image_.dotsPerMeterX(), HorizontalResolution);
}

int THTMLPicture::GetHeight() const
{
    if (screenHeight_ != 0)
        return screenHeight_;
    return image_.isNull() ? 0 : PixelsAt(image_.height(), image_.dotsPerMeterY(), VerticalResolution);
}

void THTMLPicture::Draw(TCanvas& canvas, const TRect& rect)
{
    if (empty_ || image_.isNull() || !canvas.Painter())
        return;
    if (Stretch) {
        canvas.Painter()->drawImage(rect.ToQRect(), image_);
        return;
    }
    const int width = PixelsAt(image_.width(), image_.dotsPerMeterX(), CanvasPixelsPerInchX(canvas));
    const int height = PixelsAt(image_.height(), image_.dotsPerMeterY(), CanvasPixelsPerInchY(canvas));
    canvas.Painter()->drawImage(QRect(rect.Left, rect.Top, width, height), image_);
}

int THTMLPicture::FrameCount()
{
    if (frameCount_ < 0)
        frameCount_ = static_cast<int>(GifFrameStarts(data_).size());
    return frameCount_;
}

void THTMLPicture::SetFrame(int frame)
{
    if (frame == frame_)
        return;
    frame_ = frame;
    if (!data_.isEmpty())
        Decode();
    if (OnFrameChange)
        OnFrameChange(this);
}

void THTMLPicture::Clear()
{
    data_.clear();
    image_ = QImage();
    empty_ = true;
    frameCount_ = -1;
    frameLeft_ = frameTop_ = frameWidth_ = frameHeight_ = 0;
    screenWidth_ = screenHeight_ = 0;
}

// The bytes handed to the image reader: for a GIF with frames, what comes
// before the first frame and everything from the chosen frame on, so the
// reader's first image is the chosen frame. Every read stays inside the data:
// a file cut short decodes as far as it goes or not at all.
void THTMLPicture::Decode()
{
    QByteArray stream;
    const std::vector<int> starts = GifFrameStarts(data_);
    frameCount_ = static_cast<int>(starts.size());
    try {
        if (!starts.empty()) {
            screenWidth_ = static_cast<std::uint16_t>(LeU16(data_, 6));
            screenHeight_ = static_cast<std::uint16_t>(LeU16(data_, 8));
            stream.reserve(data_.size());
            stream.append(data_.constData(), starts.front());
            if (frame_ >= 1 && frame_ <= frameCount_) {
                const int at = starts[frame_ - 1];
                frameLeft_ = static_cast<std::uint16_t>(LeU16(data_, at + 9));
                frameTop_ = static_cast<std::uint16_t>(LeU16(data_, at + 11));
                frameWidth_ = static_cast<std::uint16_t>(LeU16(data_, at + 13));
                frameHeight_ = static_cast<std::uint16_t>(LeU16(data_, at + 15));
                stream.append(data_.constData() + at, data_.size() - at);
            }
        } else {
            stream = data_;
        }
    } catch (const std::bad_alloc&) {
        throw EPictureError("Could not allocate memory for image");
    }
    QBuffer buffer(&stream);
    if (!buffer.open(QIODevice::ReadOnly))
        throw EPictureError("Could not create image stream");
    if (buffer.size() == 0)
        throw EPictureError("Empty image stream created");
    QImageReader reader(&buffer);
    if (!reader.canRead())
        throw EPictureError("Could not load image. Invalid format");
    QImage image = reader.read();
    if (image.isNull())
        throw EPictureError("Could not load image");
    image_ = image;
    empty_ = false;
}

void THTMLPicture::LoadFromData(const QByteArray& bytes)
{
    Clear();
    data_ = bytes;
    Decode();
    Changed();
}

void THTMLPicture::LoadFromFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        Clear();
        return;
    }
    try {
        LoadFromData(file.readAll());
    } catch (const EPictureError&) {
        Clear();
    }
}

void THTMLPicture::Assign(const THTMLPicture* other)
{
    // A picture given itself already holds what it would copy.
    if (other == this)
        return;
    if (!other) {
        Clear();
        return;
    }
    frame_ = 1;
    LoadFromData(other->data_);
}

void THTMLPicture::SetSourceURL(const QString& url)
{
    source_ = url.toUpper();
    // The prefix is matched in capitals; the name or path keeps its case,
    // since file and resource names here are case-sensitive.
    if (source_.startsWith("RES://")) {
        const QString path = ResourcePath(url.mid(6));
        if (!path.isEmpty())
            LoadFromFile(path);
    } else if (source_.startsWith("FILE://")) {
        LoadFromFile(url.mid(7));
    } else if (Asynchronous && !downloading_) {
        // Downloads are not made: the flag is set and nothing ever arrives.
        downloading_ = true;
    }
}

TPictureItem& TPictureCollection::Add()
{
    items_.push_back(std::make_unique<TPictureItem>());
    return *items_.back();
}

THTMLPicture* TPictureContainer::FindPicture(const QString& Name)
{
    for (int i = 0; i < items_.Count(); ++i)
        if (items_.Items(i).Name.toUpper() == Name)
            return &items_.Items(i).Picture();
    return nullptr;
}

THTMLPicture* THTMLPictureCache::AddPicture()
{
    pictures_.push_back(std::make_unique<THTMLPicture>());
    return pictures_.back().get();
}

THTMLPicture* THTMLPictureCache::FindPicture(const QString& Source)
{
    for (const auto& picture : pictures_)
        if (picture->Source() == Source)
            return picture.get();
    return nullptr;
}
