#pragma once
// Pictures for the mini-HTML renderer's IMG tags and BODY backgrounds: a
// graphic holding an image file's bytes (for an animated GIF, one chosen
// frame), a named collection of them, and a cache keyed by source text.
#include "platform/graphics.h"

#include <QByteArray>
#include <QImage>
#include <QString>

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <vector>

// A picture's bytes could not be decoded.
class EPictureError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class THTMLPicture : public TGraphic {
public:
    THTMLPicture() = default;

    bool GetEmpty() const override { return empty_; }
    int GetWidth() const override;
    int GetHeight() const override;
    // With Stretch into rect, else at the picture's own size converted to the
    // canvas's pixels per inch.
    void Draw(TCanvas& canvas, const TRect& rect) override;

    bool Stretch = false;
    // Pixels per inch that turn the decoded picture's physical size into
    // pixels.
    int HorizontalResolution = 96;
    int VerticalResolution = 96;
    // Whether a source that is not a file or resource starts a download (it
    // never loads anything); the renderer clears it for its cache entries.
    bool Asynchronous = true;

    // The GIF frame shown, from 1; changing it decodes again.
    int Frame() const { return frame_; }
    void SetFrame(int frame);
    int FrameCount();
    int FrameLeft() const { return frameLeft_; }
    int FrameTop() const { return frameTop_; }
    int FrameWidth() const { return frameWidth_; }
    int FrameHeight() const { return frameHeight_; }
    int ScreenWidth() const { return screenWidth_; }
    int ScreenHeight() const { return screenHeight_; }
    bool Downloading() const { return downloading_; }
    const QString& Source() const { return source_; }
    const QByteArray& Data() const { return data_; }
    const QImage& Image() const { return image_; }

    // Loads "RES://name" or "FILE://path" at once; any other source is only
    // remembered (upper-cased, as every source is).
    void SetSourceURL(const QString& url);
    // A file that cannot be read or decoded leaves the picture empty.
    void LoadFromFile(const QString& path);
    // Decodes at once (raising EPictureError) and signals the change.
    void LoadFromData(const QByteArray& bytes);
    // Copies another picture (frame back to 1), or empties this one.
    void Assign(const THTMLPicture* other);

    std::function<void(TObject* Sender)> OnFrameChange;
    // Downloads never happen; these are never called.
    std::function<void(TObject* Sender)> OnDownLoadError;
    std::function<void(TObject* Sender)> OnDownLoadComplete;
    std::function<void(TObject* Sender)> OnDownLoadCancel;
    std::function<void(TObject* Sender, int Pos, int Size)> OnDownLoadProgress;

private:
    void Decode();
    void Clear();

    QByteArray data_;
    bool empty_ = true;
    QImage image_;
    QString source_;
    bool downloading_ = false;
    int frame_ = 1;
    int frameCount_ = -1;
    std::uint16_t frameLeft_ = 0, frameTop_ = 0, frameWidth_ = 0, frameHeight_ = 0;
    std::uint16_t screenWidth_ = 0, screenHeight_ = 0;
};

// Where each GIF frame starts in the bytes (a graphic control extension
// followed by an image descriptor); empty for data that is not a GIF.
std::vector<int> GifFrameStarts(const QByteArray& data);

class TPictureItem {
public:
    THTMLPicture& Picture() { return picture_; }
    void SetPicture(const THTMLPicture* picture) { picture_.Assign(picture); }
    QString Name;
    int Tag = 0;

private:
    THTMLPicture picture_;
};

class TPictureContainer;

class TPictureCollection {
public:
    explicit TPictureCollection(TPictureContainer* owner) : owner_(owner) {}
    TPictureContainer* Owner() const { return owner_; }
    TPictureItem& Add();
    int Count() const { return static_cast<int>(items_.size()); }
    TPictureItem& Items(int index) { return *items_.at(index); }
    void Clear() { items_.clear(); }

private:
    TPictureContainer* owner_;
    std::vector<std::unique_ptr<TPictureItem>> items_;
};

class TPictureContainer : public TComponent {
public:
    TPictureCollection& Items() { return items_; }
    // The first picture whose name, upper-cased, equals Name; nullptr if none.
    THTMLPicture* FindPicture(const QString& Name);

private:
    TPictureCollection items_{this};
};

class THTMLPictureCache : public TObject {
public:
    THTMLPicture* AddPicture();
    // The first picture whose source equals Source exactly; nullptr if none.
    THTMLPicture* FindPicture(const QString& Source);
    int Count() const { return static_cast<int>(pictures_.size()); }
    void Clear() { pictures_.clear(); }

private:
    std::vector<std::unique_ptr<THTMLPicture>> pictures_;
};
