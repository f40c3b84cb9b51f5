// The start picture: the compiled-in JPEG decodes to the generator's size, damaged data is an
// error the program survives, and the generator writes the same bytes every time.
#include "ui/StartPicture.h"
#include "platform/JpegDecoder.h"
#include "support/PixelHash.h"
#include "support/QtTestApp.h"
#include "support/ScratchDir.h"
#include "ui/KoplarArt.h"

#include <QImage>
#include <QProcess>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string Generate(const std::string& FileName) {
    QProcess P;
    P.start(QStringLiteral(KOPLAR_START_PICTURE_TOOL), {QString::fromStdString(FileName)});
    EXPECT_TRUE(P.waitForFinished(60000));
    EXPECT_EQ(P.exitCode(), 0);
    return ReadFileText(FileName);
}

TEST(StartPicture, TheCompiledInPictureDecodesToItsSize) {
    const auto Picture = DecodeJpeg(StartPictureData(), StartPictureSize());
    ASSERT_TRUE(Picture);
    EXPECT_EQ(Picture->Width, 800);
    EXPECT_EQ(Picture->Height, 600);
    EXPECT_EQ(Picture->Pixels.size(), 800u * 600u * 3u);
    const QImage Image = StartPicture();
    EXPECT_EQ(Image.size(), QSize(800, 600));
    EXPECT_NE(Image.pixel(10, 10), Image.pixel(790, 590)); // a gradient, not a plain area
}

TEST(StartPicture, DamagedDataIsAnErrorAndTheProgramGoesOn) {
    const unsigned char* Data = StartPictureData();
    const std::vector<unsigned char> Garbage(5000, 0x5A);
    std::vector<unsigned char> BadHeader(Data, Data + 200);
    BadHeader[3] ^= 0xFF;
    const struct {
        const char* Name;
        const unsigned char* Bytes;
        std::size_t Size;
    } Cases[] = {
        {"truncated in the scan", Data, StartPictureSize() / 2},
        {"only the header", Data, 400},
        {"garbage", Garbage.data(), Garbage.size()},
        {"damaged marker", BadHeader.data(), BadHeader.size()},
        {"empty", Data, 0},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        std::string Error;
        EXPECT_FALSE(DecodeJpeg(C.Bytes, C.Size, &Error));
        EXPECT_FALSE(Error.empty());
        EXPECT_TRUE(DecodeJpegImage(C.Bytes, C.Size).isNull());
    }
    EXPECT_TRUE(DecodeJpeg(Data, StartPictureSize())); // still decodes afterwards
}

TEST(StartPicture, TheGeneratorIsDeterministic) {
    TScratchDir Dir;
    const std::string First = Generate(Dir.File("a.jpg"));
    const std::string Second = Generate(Dir.File("b.jpg"));
    ASSERT_FALSE(First.empty());
    EXPECT_EQ(First, Second);
    EXPECT_EQ(First,
              std::string(reinterpret_cast<const char*>(StartPictureData()), StartPictureSize()));
}

// Each picture at the ratios of the screens it may be shown on: as many device pixels as the
// ratio asks for the same logical size, something drawn on it, and at ratio 1 pixel for pixel the
// picture the program always showed (the logo's lettering depends on the installed fonts).
TEST(KoplarArt, EveryPictureIsDrawnAtTheScreensRatio) {
    QtTestApp();
    const struct {
        const char* Name;
        QPixmap (*Draw)(qreal Ratio);
        QSize Size;
        const char* HashAtRatio1;
    } Cases[] = {
        {"logo", DrawLogo, QSize(206, 60), nullptr},
        {"glyph", DrawStartGlyph, QSize(32, 32), "020116d6f64a2d447dbd8a299a81c7c9a64ef975"},
        {"about", [](qreal Ratio) { return DrawAboutPicture(200, 360, Ratio); }, QSize(200, 360),
         "0402005ca8839ef72173e800f8f324ccf7b76e24"},
    };
    for (const auto& C : Cases)
        for (const qreal Ratio : {1.0, 1.25, 1.5, 2.0, 3.0}) {
            SCOPED_TRACE(std::string(C.Name) + " at " + std::to_string(Ratio));
            const QPixmap Pixmap = C.Draw(Ratio);
            EXPECT_EQ(Pixmap.devicePixelRatio(), Ratio);
            EXPECT_EQ(Pixmap.size(), C.Size * Ratio);
            const QImage Image = Pixmap.toImage();
            int Light = 0;
            for (int Y = 0; Y < Image.height(); ++Y)
                for (int X = 0; X < Image.width(); ++X)
                    Light += qAlpha(Image.pixel(X, Y)) > 0 && qGray(Image.pixel(X, Y)) > 180;
            EXPECT_GT(Light, 20 * Ratio * Ratio);
            if (Ratio == 1.0 && C.HashAtRatio1) {
                EXPECT_EQ(PixelHash(Pixmap), C.HashAtRatio1);
            }
        }
}

} // namespace
