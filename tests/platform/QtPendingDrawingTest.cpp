// A bitmap's canvas keeps a repaint's drawing calls until its picture is read, and leaves out
// label and circle copies that a later identical copy overwrites: the pixels stay those of
// drawing every call in place, and whoever reads the picture sees every call so far.
#include "platform/qt/QtPendingDrawing.h"
#include "platform/qt/QtBitmap.h"
#include "platform/qt/QtCanvas.h"
#include "support/QtTestApp.h"

#include <QPainter>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using TStep = TQtPendingDrawing::TStep;

int Differing(const QImage& A, const QImage& B) {
    if (A.size() != B.size())
        return -1;
    int N = 0;
    for (int Y = 0; Y < A.height(); ++Y)
        for (int X = 0; X < A.width(); ++X)
            N += A.pixel(X, Y) != B.pixel(X, Y);
    return N;
}

TEST(QtPendingDrawing, LeavesOutOnlyCopiesThatALaterIdenticalCopyOverwrites) {
    QtTestApp();
    QImage A(4, 3, QImage::Format_RGB32);
    A.fill(Qt::red);
    QImage B(4, 3, QImage::Format_RGB32);
    B.fill(Qt::red);
    QImage Blended(4, 3, QImage::Format_ARGB32_Premultiplied);
    Blended.fill(Qt::transparent);
    auto Opaque = std::make_shared<const TQtEllipseCache::TShape>(
        TQtEllipseCache::TShape{Blended, QPoint(), std::vector<QtPixelWrites::TRun>{}});
    auto Blending =
        std::make_shared<const TQtEllipseCache::TShape>(TQtEllipseCache::TShape{Blended, {}, {}});
    const QRect Here(5, 5, 4, 3);
    const QRect There(6, 5, 4, 3);
    int Calls = 0;
    // Each step's number goes where the copy's ink would, which plays no part in leaving out.
    auto Step = [&Calls](int Number, const QImage& Label,
                         std::shared_ptr<const TQtEllipseCache::TShape> Shape, QRect Box) {
        std::function<void()> Call;
        if (!Shape && Label.isNull())
            Call = [&Calls] { ++Calls; };
        return TStep{Call, Label, std::move(Shape), Box, QRect(Number, 0, 1, 1)};
    };
    TQtPendingDrawing Pending;
    Pending.Add(Step(0, A, nullptr, Here));   // overwritten by 6
    Pending.Add(Step(1, A, nullptr, There));  // elsewhere
    Pending.Add(Step(2, B, nullptr, Here));   // other pixels, the same values
    Pending.Add(Step(3, {}, Opaque, Here));   // overwritten by 7
    Pending.Add(Step(4, {}, Blending, Here)); // blends: never left out
    Pending.Add(Step(5, {}, nullptr, {}));    // drawing in between
    Pending.Add(Step(6, A, nullptr, Here));
    Pending.Add(Step(7, {}, Opaque, Here));
    Pending.Add(Step(8, {}, Blending, Here));
    Pending.Add(Step(9, {}, nullptr, {}));
    std::vector<int> Replayed;
    Pending.Replay([&Replayed](const TStep& S) {
        if (S.Call)
            S.Call();
        Replayed.push_back(S.Ink.x());
    });
    EXPECT_EQ(Replayed, (std::vector<int>{1, 2, 4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(Calls, 2);
    EXPECT_TRUE(Pending.Empty());

    for (std::size_t I = 0; I < TQtPendingDrawing::MaxSteps; ++I)
        Pending.Add({{}, A, nullptr, Here, Here});
    EXPECT_TRUE(Pending.Full());
    int Copies = 0;
    Pending.Replay([&Copies](const TStep&) { ++Copies; });
    EXPECT_EQ(Copies, 1);
}

TEST(QtPendingDrawing, TellsApartCopiesAtThousandsOfPlaces) {
    // More places than the table of later copies starts with: each place's first copy of A is
    // overwritten by its second, B between them stays, and so does A one pixel along.
    QtTestApp();
    QImage A(3, 2, QImage::Format_RGB32);
    A.fill(Qt::red);
    QImage B(3, 2, QImage::Format_RGB32);
    B.fill(Qt::blue);
    constexpr int Places = 3000;
    TQtPendingDrawing Pending;
    int Number = 0;
    auto Copy = [&](const QImage& Label, QPoint At) {
        const QRect Box(At, Label.size());
        Pending.Add({{}, Label, nullptr, Box, QRect(Number++, 0, 1, 1)});
    };
    std::vector<int> Expected;
    for (int I = 0; I < Places; ++I) {
        const QPoint At(I % 97 * 4, I / 97 * 3);
        Copy(A, At);
        Copy(B, At);
        Copy(A, At + QPoint(1, 0));
        Expected.insert(Expected.end(), {Number - 2, Number - 1});
    }
    for (int I = 0; I < Places; ++I) {
        Copy(A, QPoint(I % 97 * 4, I / 97 * 3));
        Expected.push_back(Number - 1);
    }
    std::vector<int> Replayed;
    Pending.Replay([&Replayed](const TStep& S) { Replayed.push_back(S.Ink.x()); });
    EXPECT_EQ(Replayed, Expected);
}

class QtPendingCanvas : public ::testing::Test {
protected:
    static constexpr int Width = 240;
    static constexpr int Height = 160;
    QtPendingCanvas() { QtTestApp(); }

    // A joint as a mechanism paints it: its circle, number and pole label.
    static void Joint(TCanvas& C, int X, int Y, int Number) {
        C.Pen().Width = 1;
        C.Pen().Style = TPenStyle::psSolid;
        C.Pen().Color = clBlack;
        C.Brush().Style = TBrushStyle::bsSolid;
        C.Brush().Color = clWhite;
        C.Ellipse(X - 4, Y - 4, X + 5, Y + 5);
        C.Font().Height = 13;
        C.Font().Color = clBlack;
        C.SetTextTransparent(false);
        C.TextOut(X + 5, Y - 16, std::to_string(Number));
        C.TextOut(X + 5, Y + 2, "(" + std::to_string(Number) + ")");
    }

    // Joints painted once themselves and again with each bar through them, the bars crossing
    // their circles and labels, with fills, text drawn in place and ellipses that leave their
    // inside as it is in between.
    static void Repaint(TCanvas& C, int Shift) {
        C.Brush().Style = TBrushStyle::bsSolid;
        C.Brush().Color = clWhite;
        C.FillRect(Rect(0, 0, Width, Height));
        struct TPlace {
            int X;
            int Y;
        };
        std::vector<TPlace> Joints;
        for (int I = 0; I < 8; ++I)
            Joints.push_back({20 + Shift + (I % 4) * 60, 30 + (I / 4) * 70 + (I % 2) * 9});
        for (std::size_t I = 0; I < Joints.size(); ++I)
            Joint(C, Joints[I].X, Joints[I].Y, static_cast<int>(I));
        for (std::size_t I = 1; I < Joints.size(); ++I) {
            const TPlace From = Joints[I - 1];
            const TPlace To = Joints[I];
            C.Pen().Width = 2;
            C.Pen().Color = I % 2 ? clBlue : clRed;
            C.MoveTo(From.X, From.Y);
            C.LineTo(To.X, To.Y);
            C.MoveTo(From.X + 8, From.Y - 12);
            C.LineTo(From.X + 8, From.Y + 14);
            C.Pen().Width = 1;
            C.Pen().Style = TPenStyle::psDot;
            C.Brush().Style = TBrushStyle::bsClear;
            C.Ellipse(From.X - 9, From.Y - 9, To.X + 3, To.Y + 9);
            C.Pen().Style = TPenStyle::psSolid;
            C.Pen().Width = 3;
            C.Ellipse(To.X - 6, To.Y - 6, To.X + 7, To.Y + 7);
            C.Brush().Style = TBrushStyle::bsSolid;
            C.Brush().Color = clYellow;
            C.FillRect(Rect(From.X + 3, From.Y - 3, From.X + 11, From.Y + 6));
            C.SetTextTransparent(true);
            C.Font().Color = clGreen;
            C.TextOut(From.X - 2, From.Y - 10, "Glied");
            C.Font().Escapement = 900;
            C.SetTextTransparent(false);
            C.TextOut(To.X, To.Y + 20, "3");
            C.Font().Escapement = 0;
            Joint(C, From.X, From.Y, static_cast<int>(I - 1));
            Joint(C, To.X, To.Y, static_cast<int>(I));
        }
    }

    // The same calls through a painter of one's own, which caches and keeps back nothing;
    // Scene gets that painter's picture too.
    template <typename TScene> static QImage InPlace(TScene Scene) {
        QImage Image(Width, Height, QImage::Format_RGB32);
        QPainter P(&Image);
        TQtCanvas C(P);
        Scene(C, P, Image);
        return Image;
    }
};

TEST_F(QtPendingCanvas, RepaintsGiveThePixelsOfDrawingInPlace) {
    TQtBitmap Bitmap(Width, Height);
    for (int Shift : {0, 3, 3}) {
        Repaint(Bitmap.Canvas(), Shift);
        const QImage Expected =
            InPlace([Shift](TCanvas& C, QPainter&, QImage&) { Repaint(C, Shift); });
        EXPECT_EQ(Differing(Bitmap.Image(), Expected), 0) << Shift;
    }
}

TEST_F(QtPendingCanvas, ReadingThePictureSeesEveryCallSoFar) {
    // Before the reads: a joint painted, covered by a fill and painted again at the same place,
    // whose first copies must not be left out while someone reads them in between.
    auto Before = [](TCanvas& C) {
        Repaint(C, 0);
        Joint(C, 50, 50, 7);
    };
    auto After = [](TCanvas& C) {
        C.Brush().Color = clRed;
        C.FillRect(Rect(40, 30, 70, 60));
        Joint(C, 50, 50, 7);
    };
    TQtBitmap Bitmap(Width, Height);
    TQtBitmap Copy(Width, Height);
    TCanvas& C = Bitmap.Canvas();
    Before(C);
    Copy.Canvas().Draw(0, 0, Bitmap);
    After(C);
    const QImage Read = Bitmap.Image().copy();
    C.Draw(100, 10, Bitmap); // its own pixels as they are at this call
    Joint(C, 120, 40, 9);

    EXPECT_EQ(Differing(Copy.Image(), InPlace([&](TCanvas& E, QPainter&, QImage&) { Before(E); })),
              0);
    EXPECT_EQ(Differing(Read, InPlace([&](TCanvas& E, QPainter&, QImage&) {
                            Before(E);
                            After(E);
                        })),
              0);
    EXPECT_EQ(Differing(Bitmap.Image(), InPlace([&](TCanvas& E, QPainter& P, QImage& Own) {
                            Before(E);
                            After(E);
                            P.drawImage(100, 10, Own.copy());
                            Joint(E, 120, 40, 9);
                        })),
              0);
}

} // namespace
