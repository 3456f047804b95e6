#include "grid/picturecontainer.h"
#include "tests/grid/gifbuilder.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QByteArray Png(int width, int height, int dotsPerInch, QColor colour = Qt::darkCyan)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    image.setDotsPerMeterX(qRound(dotsPerInch / 0.0254));
    image.setDotsPerMeterY(qRound(dotsPerInch / 0.0254));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

TEST(Pictures, GifFrameChosenByFrame)
{
    struct Row {
        int frame;
        QPoint pixel;
        QRgb colour;
        QRect frameRect;
    };
    const Row rows[] = {
        {1, {0, 0}, qRgb(255, 0, 0), {0, 0, 4, 4}},
        {2, {1, 1}, qRgb(0, 255, 0), {1, 1, 2, 2}},
        {3, {3, 3}, qRgb(0, 0, 255), {0, 0, 4, 4}},
    };
    for (const Row& row : rows) {
        THTMLPicture picture;
        picture.SetFrame(row.frame);
        picture.LoadFromData(ThreeFrameGif());
        ASSERT_FALSE(picture.GetEmpty()) << row.frame;
        EXPECT_EQ(picture.FrameCount(), 3);
        EXPECT_EQ(picture.GetWidth(), 4);
        EXPECT_EQ(picture.GetHeight(), 4);
        EXPECT_EQ(picture.Image().pixel(row.pixel) | 0xFF000000, row.colour) << row.frame;
        EXPECT_EQ(QRect(picture.FrameLeft(), picture.FrameTop(), picture.FrameWidth(), picture.FrameHeight()),
                  row.frameRect)
            << row.frame;
    }
}

TEST(Pictures, AssigningAPictureToItselfKeepsIt)
{
    THTMLPicture picture;
    picture.LoadFromData(ThreeFrameGif());
    picture.SetFrame(2);
    const QByteArray data = picture.Data();
    EXPECT_NO_THROW(picture.Assign(&picture));
    EXPECT_FALSE(picture.GetEmpty());
    EXPECT_EQ(picture.Data(), data);
    EXPECT_EQ(picture.Frame(), 2);
    EXPECT_EQ(picture.GetWidth(), 4);
    // Through a picture item too, which copies what it is given.
    TPictureContainer pictures;
    TPictureItem& item = pictures.Items().Add();
    item.Picture().LoadFromData(ThreeFrameGif());
    EXPECT_NO_THROW(item.SetPicture(&item.Picture()));
    EXPECT_EQ(item.Picture().Data(), data);
}

TEST(Pictures, FrameChangeDecodesAgainAndSignals)
{
    THTMLPicture picture;
    picture.LoadFromData(ThreeFrameGif());
    int frameChanges = 0;
    picture.OnFrameChange = [&](TObject*) { ++frameChanges; };
    picture.SetFrame(3);
    EXPECT_EQ(frameChanges, 1);
    EXPECT_EQ(picture.Image().pixel(0, 0) | 0xFF000000, qRgb(0, 0, 255));

    THTMLPicture copy;
    int changes = 0;
    copy.OnChange = [&](TObject*) { ++changes; };
    copy.Assign(&picture);
    EXPECT_EQ(copy.Frame(), 1);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(copy.Image().pixel(0, 0) | 0xFF000000, qRgb(255, 0, 0));
    copy.Assign(nullptr);
    EXPECT_TRUE(copy.GetEmpty());
    EXPECT_EQ(copy.GetWidth(), 0);
}

// Every prefix of a GIF either decodes or raises the picture error; none is
// read past its end (the sanitizer build shows that) and a failed one reads
// as empty.
TEST(Pictures, TruncatedGifs)
{
    const QByteArray gif = ThreeFrameGif();
    for (int length = 0; length <= gif.size(); ++length) {
        THTMLPicture picture;
        picture.SetFrame(2);
        try {
            picture.LoadFromData(gif.left(length));
            EXPECT_LE(picture.GetWidth(), 4) << length;
        } catch (const EPictureError&) {
            EXPECT_TRUE(picture.GetEmpty()) << length;
        }
        EXPECT_LE(picture.FrameCount(), 3) << length;
    }
    EXPECT_EQ(GifFrameStarts("GIF8").size(), 0u);
    EXPECT_EQ(GifFrameStarts(gif.left(30)).size(), 0u); // first descriptor cut short
}

TEST(Pictures, DecodingErrorsNameTheirCause)
{
    struct Row {
        QByteArray data;
        const char* message;
    };
    const Row rows[] = {
        {QByteArray(), "Empty image stream created"},
        {QByteArray("not an image at all"), "Could not load image. Invalid format"},
        {Png(4, 4, 96).left(60), "Could not load image"},
    };
    for (const Row& row : rows) {
        THTMLPicture picture;
        try {
            picture.LoadFromData(row.data);
            ADD_FAILURE() << row.message;
        } catch (const EPictureError& error) {
            EXPECT_STREQ(error.what(), row.message);
        }
        EXPECT_TRUE(picture.GetEmpty());
    }
}

TEST(Pictures, OtherFormatsDecodeWholeAtTheirResolution)
{
    struct Row {
        int pixels, dotsPerInch, size;
    };
    const Row rows[] = {{20, 96, 20}, {20, 192, 10}, {30, 48, 60}};
    for (const Row& row : rows) {
        THTMLPicture picture;
        picture.LoadFromData(Png(row.pixels, row.pixels, row.dotsPerInch));
        EXPECT_EQ(picture.GetWidth(), row.size) << row.dotsPerInch;
        EXPECT_EQ(picture.GetHeight(), row.size) << row.dotsPerInch;
        EXPECT_EQ(picture.FrameCount(), 0);
    }
}

TEST(Pictures, Sources)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Logo.png");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(Png(7, 5, 96));
    file.close();

    struct Row {
        QString source;
        bool loaded;
        int width;
        bool downloading;
    };
    const Row rows[] = {
        {"RES://grid/ESGCHK01.png", true, 15, false},
        {"res://GRID/esgchk01.PNG", true, 15, false},
        {"RES://nothing/here.png", false, 0, false},
        {"FILE://" + path, true, 7, false},
        {"FILE://" + dir.filePath("missing.png"), false, 0, false},
        {"http://example/x.png", false, 0, true},
        {"ftp://x", false, 0, true},
    };
    for (const Row& row : rows) {
        THTMLPicture picture;
        bool eventFired = false;
        picture.OnDownLoadComplete = [&](TObject*) { eventFired = true; };
        picture.OnDownLoadError = [&](TObject*) { eventFired = true; };
        picture.OnDownLoadCancel = [&](TObject*) { eventFired = true; };
        picture.OnDownLoadProgress = [&](TObject*, int, int) { eventFired = true; };
        picture.SetSourceURL(row.source);
        EXPECT_EQ(!picture.GetEmpty(), row.loaded) << row.source.toStdString();
        EXPECT_EQ(picture.GetWidth(), row.width) << row.source.toStdString();
        EXPECT_EQ(picture.Downloading(), row.downloading) << row.source.toStdString();
        EXPECT_EQ(picture.Source(), row.source.toUpper());
        EXPECT_FALSE(eventFired);
    }
    THTMLPicture synchronous;
    synchronous.Asynchronous = false;
    synchronous.SetSourceURL("http://example/x.png");
    EXPECT_FALSE(synchronous.Downloading());
}

TEST(Pictures, ContainerAndCacheLookups)
{
    TPictureContainer container;
    TPictureItem& logo = container.Items().Add();
    logo.Name = "Logo";
    logo.Picture().LoadFromData(Png(3, 3, 96));
    container.Items().Add().Name = "logo"; // a second of the same name is never found
    EXPECT_EQ(container.Items().Owner(), &container);
    EXPECT_EQ(container.FindPicture("LOGO"), &logo.Picture());
    EXPECT_EQ(container.FindPicture("Logo"), nullptr); // callers pass upper-cased names
    EXPECT_EQ(container.FindPicture("OTHER"), nullptr);

    THTMLPictureCache cache;
    THTMLPicture* first = cache.AddPicture();
    first->SetSourceURL("http://a");
    EXPECT_EQ(cache.FindPicture("HTTP://A"), first);
    EXPECT_EQ(cache.FindPicture("http://a"), nullptr);
    EXPECT_EQ(cache.Count(), 1);
}

} // namespace
