// Picture bytes as the mini-HTML pictures decode them, with the frame to
// show taken from the first byte. A GIF's frame walk stays inside the bytes
// however they are cut or garbled; decoding either gives a picture or raises
// the picture error, which leaves the picture empty.
#include "tests/fuzz/support/fuzz.h"

#include "grid/picturecontainer.h"
#include "tests/grid/gifbuilder.h"

#include <QBuffer>

#include <algorithm>

std::vector<std::string> FuzzSeeds()
{
    auto seed = [](char frame, const QByteArray& bytes) { return std::string(1, frame) + bytes.toStdString(); };
    QImage image(3, 2, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return {
        seed(1, ThreeFrameGif()),
        seed(2, ThreeFrameGif()),
        seed(3, BuildGif(5, 3, {{0, 0, 5, 3, 0}, {2, 1, 3, 2, 3}})),
        seed(1, ThreeFrameGif().left(40)),
        seed(1, png),
        seed(1, "GIF8"),
    };
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInit();
    if (size < 1)
        return 0;
    const QByteArray bytes(reinterpret_cast<const char*>(data) + 1, static_cast<qsizetype>(size - 1));
    THTMLPicture picture;
    picture.SetFrame(data[0] % 5);
    try {
        picture.LoadFromData(bytes);
        FuzzCheck(!picture.GetEmpty(), "a decoded picture is not empty");
    } catch (const EPictureError&) {
        FuzzCheck(picture.GetEmpty(), "a failed picture is empty");
    }
    const int frames = picture.FrameCount();
    // Each frame starts at a byte of its own with its 18 bytes present
    // (frames may overlap, as the walk finds them).
    FuzzCheck(frames >= 0 && frames <= std::max(0, static_cast<int>(bytes.size()) - 17), "frames fit in the bytes");
    FuzzCheck(picture.GetWidth() >= 0 && picture.GetHeight() >= 0, "a size");
    return 0;
}
