#pragma once
// Small animated GIFs written byte by byte: a logical screen, a four-colour
// table (red, green, blue, black) and frames of one colour each, every frame
// with a graphic control extension before its image descriptor.
#include <QByteArray>

#include <cstdint>
#include <vector>

struct GifFrame {
    int left, top, width, height;
    int colour; // 0 red, 1 green, 2 blue, 3 black
};

inline void PutU16(QByteArray& out, int value)
{
    out.append(static_cast<char>(value & 0xFF));
    out.append(static_cast<char>((value >> 8) & 0xFF));
}

// Pixel data with a 2-bit code size: every code is 3 bits wide because a
// clear code comes before every second pixel, so the table never grows.
inline QByteArray GifPixels(int count, int colour)
{
    std::vector<int> codes;
    for (int i = 0; i < count; ++i) {
        if (i % 2 == 0)
            codes.push_back(4); // clear
        codes.push_back(colour);
    }
    codes.push_back(5); // end of information
    QByteArray packed;
    unsigned buffer = 0;
    int bits = 0;
    for (const int code : codes) {
        buffer |= static_cast<unsigned>(code) << bits;
        bits += 3;
        while (bits >= 8) {
            packed.append(static_cast<char>(buffer & 0xFF));
            buffer >>= 8;
            bits -= 8;
        }
    }
    if (bits > 0)
        packed.append(static_cast<char>(buffer & 0xFF));
    QByteArray out;
    out.append(char(2)); // minimum code size
    for (int at = 0; at < packed.size(); at += 255) {
        const QByteArray block = packed.mid(at, 255);
        out.append(static_cast<char>(block.size()));
        out.append(block);
    }
    out.append(char(0));
    return out;
}

inline QByteArray BuildGif(int screenWidth, int screenHeight, const std::vector<GifFrame>& frames)
{
    QByteArray gif("GIF89a");
    PutU16(gif, screenWidth);
    PutU16(gif, screenHeight);
    gif.append(char(0x81)); // global table of 4 colours
    gif.append(char(0));
    gif.append(char(0));
    const unsigned char table[] = {255, 0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0};
    gif.append(reinterpret_cast<const char*>(table), sizeof table);
    for (const GifFrame& frame : frames) {
        const unsigned char control[] = {0x21, 0xF9, 0x04, 0x00, 10, 0, 0, 0};
        gif.append(reinterpret_cast<const char*>(control), sizeof control);
        gif.append(char(0x2C));
        PutU16(gif, frame.left);
        PutU16(gif, frame.top);
        PutU16(gif, frame.width);
        PutU16(gif, frame.height);
        gif.append(char(0));
        gif.append(GifPixels(frame.width * frame.height, frame.colour));
    }
    gif.append(char(0x3B));
    return gif;
}

// The three-frame GIF the tests use: a red 4 x 4 screen, a green 2 x 2 frame
// at (1, 1), a blue 4 x 4 frame.
inline QByteArray ThreeFrameGif()
{
    return BuildGif(4, 4, {{0, 0, 4, 4, 0}, {1, 1, 2, 2, 1}, {0, 0, 4, 4, 2}});
}
