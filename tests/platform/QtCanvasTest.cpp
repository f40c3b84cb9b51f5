// The QPainter canvas draws pixel for pixel the way the drawing code expects.
#include "platform/qt/QtCanvas.h"
#include "platform/qt/QtBarCache.h"
#include "platform/qt/QtBitmap.h"
#include "platform/qt/QtPixelWrites.h"
#include "platform/qt/QtStrokeCache.h"
#include "support/QtTestApp.h"

#include <QFontMetrics>
#include <QPainter>

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

namespace {

class QtCanvas : public ::testing::Test {
protected:
    QtCanvas() : Bitmap(20, 20) {
        QtTestApp();
        C().Brush().Color = clWhite;
        C().FillRect(Rect(0, 0, 20, 20));
    }
    TCanvas& C() { return Bitmap.Canvas(); }
    TColor At(int X, int Y) {
        const QColor Q = Bitmap.Image().pixelColor(X, Y);
        return RGBColor(Q.red(), Q.green(), Q.blue());
    }
    // The pixels of one row from X0 to X1 inclusive, '#' for Color and '.' for anything else.
    std::string Row(int Y, int X0, int X1, TColor Color = clBlack) {
        std::string S;
        for (int X = X0; X <= X1; ++X)
            S += At(X, Y) == Color ? '#' : '.';
        return S;
    }
    std::string Column(int X, int Y0, int Y1, TColor Color = clBlack) {
        std::string S;
        for (int Y = Y0; Y <= Y1; ++Y)
            S += At(X, Y) == Color ? '#' : '.';
        return S;
    }
    // Whether any pixel of the box has the colour.
    bool Any(int X0, int Y0, int X1, int Y1, TColor Color = clBlack) {
        for (int Y = Y0; Y <= Y1; ++Y)
            for (int X = X0; X <= X1; ++X)
                if (At(X, Y) == Color)
                    return true;
        return false;
    }
    TQtBitmap Bitmap;
};

TEST_F(QtCanvas, LinesLeaveOutTheirLastPixel) {
    C().MoveTo(1, 1);
    C().LineTo(6, 1);
    EXPECT_EQ(Row(1, 0, 7), ".#####..");
    EXPECT_EQ(C().PenPos(), Point(6, 1));
    C().LineTo(6, 5);
    EXPECT_EQ(Column(6, 1, 6), "####..");
    C().Polyline({{1, 10}, {5, 10}, {5, 14}});
    EXPECT_EQ(Row(10, 0, 6), ".#####.");
    EXPECT_EQ(Column(5, 10, 15), "####..");
}

TEST_F(QtCanvas, LinesInEveryDirectionDrawTheirStartButNotTheirEnd) {
    for (int DY = -7; DY <= 7; ++DY)
        for (int DX = -7; DX <= 7; ++DX) {
            if (DX == 0 && DY == 0)
                continue;
            SCOPED_TRACE(std::to_string(DX) + "," + std::to_string(DY));
            C().FillRect(Rect(0, 0, 20, 20));
            C().MoveTo(10, 10);
            C().LineTo(10 + DX, 10 + DY);
            EXPECT_EQ(At(10, 10), clBlack);
            EXPECT_EQ(At(10 + DX, 10 + DY), clWhite);
            int Inked = 0;
            for (int Y = 0; Y < 20; ++Y) {
                const std::string Pixels = Row(Y, 0, 19);
                Inked += static_cast<int>(std::count(Pixels.begin(), Pixels.end(), '#'));
            }
            EXPECT_EQ(Inked, std::max(std::abs(DX), std::abs(DY)));
        }
    // A polyline is a chain of such lines: its turns are drawn, its last point is not.
    C().FillRect(Rect(0, 0, 20, 20));
    C().Polyline({{1, 3}, {6, 3}, {6, 6}, {1, 6}, {1, 4}});
    EXPECT_EQ(Row(3, 0, 7), ".######.");
    EXPECT_EQ(Row(6, 0, 7), ".######.");
    EXPECT_EQ(Column(1, 3, 6), "#.##");
    // Dots run on from one short piece to the next.
    C().FillRect(Rect(0, 0, 20, 20));
    C().Pen().Style = TPenStyle::psDot;
    std::vector<TPoint> Steps;
    for (int X = 0; X <= 18; X += 2)
        Steps.push_back(Point(X, 15));
    C().Polyline(Steps);
    EXPECT_NE(Row(15, 0, 17).find('.'), std::string::npos);
}

TEST_F(QtCanvas, SaturatedPixelsDrawWhatIsVisibleOfTheShape) {
    C().Brush().Color = clRed;
    C().FillRect(Rect(INT_MIN, 2, INT_MAX, 4));
    EXPECT_EQ(Row(2, 0, 19, clRed), std::string(20, '#'));
    EXPECT_EQ(Column(5, 1, 4, clRed), ".##.");
    C().Rectangle(INT_MIN, 10, INT_MAX, INT_MAX);
    EXPECT_EQ(Row(12, 0, 19, clRed), std::string(20, '#'));
    EXPECT_EQ(Row(10, 0, 19), std::string(20, '#'));
    C().MoveTo(10, 6);
    C().LineTo(INT_MIN, 6);
    EXPECT_EQ(Row(6, 0, 9), std::string(10, '#'));
    EXPECT_EQ(At(11, 6), clWhite);
}

TEST_F(QtCanvas, PenWidthStyleAndColourApply) {
    C().Pen().Color = clRed;
    C().Pen().Width = 3;
    C().MoveTo(2, 5);
    C().LineTo(15, 5);
    EXPECT_EQ(Column(8, 3, 7, clRed), ".###.");
    C().Pen() = TPen{clBlue, 1, TPenStyle::psDot};
    C().MoveTo(0, 10);
    C().LineTo(20, 10);
    const std::string Dots = Row(10, 0, 19, clBlue);
    EXPECT_NE(Dots.find('#'), std::string::npos);
    EXPECT_NE(Dots.find('.'), std::string::npos);
    C().Pen().Style = TPenStyle::psDashDotDot;
    C().MoveTo(0, 12);
    C().LineTo(30, 12);
    // A long dash, then dots.
    EXPECT_EQ(Row(12, 0, 17, clBlue), "#########...###...");
    C().Pen().Style = TPenStyle::psClear;
    C().MoveTo(0, 15);
    C().LineTo(20, 15);
    EXPECT_EQ(Row(15, 0, 19, clWhite), std::string(20, '#'));
}

TEST_F(QtCanvas, BoxesExcludeTheirRightAndBottomEdge) {
    C().Brush().Color = clRed;
    C().Rectangle(2, 2, 7, 6);
    EXPECT_EQ(Row(2, 1, 7), ".#####.");
    EXPECT_EQ(Row(4, 1, 7, clRed), "..###..");
    EXPECT_EQ(Column(2, 1, 6), ".####.");

    C().Brush().Style = TBrushStyle::bsClear;
    C().Rectangle(10, 10, 15, 15);
    EXPECT_EQ(Row(12, 10, 15, clWhite), ".###.#");

    C().Brush() = TBrush{clBlue, TBrushStyle::bsSolid};
    C().FillRect(Rect(10, 2, 13, 4));
    EXPECT_EQ(Row(2, 9, 13, clBlue), ".###.");
    EXPECT_EQ(Column(10, 1, 4, clBlue), ".##.");
}

TEST_F(QtCanvas, EllipsesArcsAndPiesStayInTheirBox) {
    C().Brush().Color = clRed;
    C().Ellipse(0, 0, 11, 11);
    EXPECT_EQ(At(5, 5), clRed);
    EXPECT_EQ(At(0, 5), clBlack);
    EXPECT_EQ(At(10, 5), clBlack);
    EXPECT_FALSE(Any(11, 0, 11, 11));
    EXPECT_EQ(At(0, 0), clWhite);

    // From the radial to the right anticlockwise to the radial upwards: the upper right quarter.
    TQtBitmap B(21, 21);
    TCanvas& A = B.Canvas();
    A.Brush().Color = clWhite;
    A.FillRect(Rect(0, 0, 21, 21));
    A.Arc(0, 0, 21, 21, 20, 10, 10, 0);
    auto Black = [&](int X, int Y) { return B.Image().pixelColor(X, Y) == QColor(Qt::black); };
    EXPECT_TRUE(Black(17, 3) || Black(17, 2) || Black(18, 3));
    EXPECT_FALSE(Black(2, 17) || Black(3, 17) || Black(2, 18));
    EXPECT_FALSE(Black(2, 3) || Black(3, 2) || Black(3, 3));

    A.Brush().Color = clBlue;
    A.Pie(0, 0, 21, 21, 10, 20, 20, 10); // from down to the right: the lower right quarter
    EXPECT_EQ(B.Image().pixelColor(14, 14), QColor(Qt::blue));
    EXPECT_NE(B.Image().pixelColor(6, 14), QColor(Qt::blue));
    EXPECT_NE(B.Image().pixelColor(14, 6), QColor(Qt::blue));
}

TEST_F(QtCanvas, PolygonsAreOutlinedAndFilled) {
    C().Brush().Color = clRed;
    C().Polygon({{2, 2}, {12, 2}, {12, 12}, {2, 12}});
    EXPECT_EQ(At(7, 7), clRed);
    EXPECT_EQ(At(2, 7), clBlack);
    EXPECT_EQ(At(15, 7), clWhite);
}

TEST_F(QtCanvas, PixelsAndBitmapsKeepTheirColours) {
    C().SetPixel(3, 4, clRed);
    EXPECT_EQ(At(3, 4), clRed);
    EXPECT_EQ(Bitmap.Image().pixelColor(3, 4), QColor(255, 0, 0)); // BGR order
    TQtBitmap Small(2, 2);
    Small.Canvas().Brush().Color = clGreen;
    Small.Canvas().FillRect(Rect(0, 0, 2, 2));
    C().Draw(10, 10, Small);
    EXPECT_EQ(Row(10, 9, 12, clGreen), ".##.");
    EXPECT_EQ(Column(10, 9, 12, clGreen), ".##.");
}

class QtCanvasText : public ::testing::Test {
protected:
    QtCanvasText() : Bitmap(200, 200) {
        QtTestApp();
        C().Brush().Color = clWhite;
        C().FillRect(Rect(0, 0, 200, 200));
        C().Font().Name = "Arial";
        C().Font().Height = 16;
    }
    TCanvas& C() { return Bitmap.Canvas(); }
    // The bounding box of the pixels that are not white.
    QRect Inked(TColor Except = clWhite) {
        const QImage& I = Bitmap.Image();
        QRect R;
        for (int Y = 0; Y < I.height(); ++Y)
            for (int X = 0; X < I.width(); ++X) {
                const QColor Q = I.pixelColor(X, Y);
                if (RGBColor(Q.red(), Q.green(), Q.blue()) != Except)
                    R |= QRect(X, Y, 1, 1);
            }
        return R;
    }
    TQtBitmap Bitmap;
};

TEST_F(QtCanvasText, TextIsAnchoredAtItsTopLeftAndMeasured) {
    const int W = C().TextWidth("Koplar");
    const int H = C().TextHeight("Koplar");
    EXPECT_GT(W, 30);
    EXPECT_GE(H, 16);
    EXPECT_LE(H, 22);
    EXPECT_GT(C().TextWidth("Koplar Getriebe"), W);
    C().SetTextTransparent(true);
    C().TextOut(50, 60, "Koplar");
    const QRect R = Inked();
    ASSERT_FALSE(R.isEmpty());
    EXPECT_GE(R.left(), 50);
    EXPECT_GE(R.top(), 60);
    EXPECT_LE(R.right(), 50 + W);
    EXPECT_LE(R.bottom(), 60 + H);
    EXPECT_LE(R.top(), 60 + H / 3); // capitals start near the top
    // Umlauts are text like any other.
    EXPECT_GT(C().TextWidth("für"), C().TextWidth("fr"));
}

TEST_F(QtCanvasText, OpaqueTextFillsItsBoxWithTheBrush) {
    C().Brush().Color = clYellow;
    C().Font().Color = clBlue;
    C().TextOut(10, 10, "Abc");
    const QRect R = Inked();
    EXPECT_EQ(R, QRect(10, 10, C().TextWidth("Abc"), C().TextHeight("Abc")));
    C().Brush().Style = TBrushStyle::bsClear; // a clear brush leaves the background
    C().TextOut(10, 100, "Abc");
    EXPECT_EQ(Bitmap.Image().pixelColor(10, 100), QColor(Qt::white));
}

TEST_F(QtCanvasText, AnEscapementOf900ReadsUpwards) {
    C().SetTextTransparent(true);
    C().Font().Escapement = 900;
    C().TextOut(100, 150, "Koplar");
    const QRect R = Inked();
    const int W = C().TextWidth("Koplar");
    ASSERT_FALSE(R.isEmpty());
    EXPECT_LE(R.bottom(), 150);
    EXPECT_GE(R.top(), 150 - W - 1);
    EXPECT_GE(R.left(), 100);
    EXPECT_LE(R.right(), 100 + C().TextHeight("Koplar"));
    EXPECT_GT(R.height(), R.width());
}

TEST(QtCanvasOnAPainter, DrawsWithThePainterItWasGiven) {
    QtTestApp();
    QImage Page(10, 10, QImage::Format_RGB32);
    Page.fill(Qt::white);
    {
        QPainter Painter(&Page);
        TQtCanvas C(Painter);
        C.Pen().Color = clRed;
        C.MoveTo(0, 5);
        C.LineTo(10, 5);
        C.Flush(); // not its painter: stays active
        EXPECT_TRUE(Painter.isActive());
    }
    EXPECT_EQ(Page.pixelColor(9, 5), QColor(Qt::red));
}

TEST(QtBitmap, ResizesAndDrawsNothingWhenEmpty) {
    QtTestApp();
    TQtBitmap B(20, 20);
    B.Canvas().Brush().Color = clRed;
    B.Canvas().FillRect(Rect(0, 0, 20, 20));
    B.SetSize(0, 0);
    EXPECT_EQ(B.Width(), 0);
    B.Canvas().FillRect(Rect(0, 0, 20, 20));
    B.Canvas().MoveTo(0, 0);
    B.Canvas().LineTo(5, 5);
    B.Canvas().TextOut(0, 0, "x");
    EXPECT_GT(B.Canvas().TextWidth("x"), 0);
    B.SetSize(30, 10);
    EXPECT_EQ(B.Width(), 30);
    EXPECT_EQ(B.Height(), 10);
    EXPECT_EQ(B.Image().pixelColor(29, 9), QColor(Qt::white));
}

// Finer than a pixel, every thin line shows its start and leaves out its end whichever way it
// runs, and one along an axis is equally wide wherever it lies.
class QtCanvasLinesAtRatio : public ::testing::TestWithParam<qreal> {
protected:
    QtCanvasLinesAtRatio() : Bitmap(40, 40), Grid(GetParam()) {
        QtTestApp();
        Bitmap.SetPixelRatio(GetParam());
    }
    void Clear() {
        TCanvas& C = Bitmap.Canvas();
        C.Brush().Color = clWhite;
        C.Brush().Style = TBrushStyle::bsSolid;
        C.FillRect(Rect(0, 0, 40, 40));
    }
    // The device pixels of the pixel (X, Y) that carry ink.
    int Inked(int X, int Y) {
        const QImage& I = Bitmap.Image();
        const QRect Box = Grid.Fill(QRect(X, Y, 1, 1));
        int N = 0;
        for (int DY = Box.top(); DY <= Box.bottom(); ++DY)
            for (int DX = Box.left(); DX <= Box.right(); ++DX)
                N += I.pixelColor(DX, DY) == QColor(Qt::black);
        return N;
    }
    // Device pixels of ink in the device column (a vertical line) or row through pixel P.
    int AcrossAt(bool Vertical, int P) {
        const QImage& I = Bitmap.Image();
        const int At = Grid.Fill(QRect(P, P, 1, 1)).left();
        int N = 0;
        for (int D = 0; D < (Vertical ? I.width() : I.height()); ++D)
            N += (Vertical ? I.pixelColor(D, At) : I.pixelColor(At, D)) == QColor(Qt::black);
        return N;
    }
    TQtBitmap Bitmap;
    QtPixelWrites::TDeviceGrid Grid;
};

TEST_P(QtCanvasLinesAtRatio, ShowTheirStartLeaveOutTheirEndAndKeepTheirWidth) {
    TCanvas& C = Bitmap.Canvas();
    for (TPenStyle Style : {TPenStyle::psSolid, TPenStyle::psDot})
        for (int DY = -9; DY <= 9; DY += 3)
            for (int DX = -9; DX <= 9; DX += 3) {
                if (DX == 0 && DY == 0)
                    continue;
                SCOPED_TRACE(std::to_string(DX) + "," + std::to_string(DY) +
                             (Style == TPenStyle::psDot ? " dotted" : ""));
                std::vector<int> Widths;
                for (int Start = 14; Start <= 21; ++Start) {
                    SCOPED_TRACE(Start);
                    Clear();
                    C.Pen().Style = Style;
                    C.Pen().Color = clBlack;
                    C.MoveTo(Start, Start);
                    C.LineTo(Start + DX, Start + DY);
                    EXPECT_GT(Inked(Start, Start), 0);
                    EXPECT_EQ(Inked(Start + DX, Start + DY), 0);
                    if (Style == TPenStyle::psSolid)
                        EXPECT_GT(Inked(Start + DX / 3, Start + DY / 3), 0);
                    if (DX == 0 || DY == 0)
                        Widths.push_back(AcrossAt(DX == 0, Start + (DX + DY) / 9));
                }
                if (!Widths.empty())
                    EXPECT_EQ(*std::min_element(Widths.begin(), Widths.end()),
                              *std::max_element(Widths.begin(), Widths.end()));
            }
}

INSTANTIATE_TEST_SUITE_P(Ratios, QtCanvasLinesAtRatio,
                         ::testing::Values(1.0, 1.1, 1.25, 1.5, 1.75, 2.0, 2.5, 3.0));

// Labels and small ellipses come from caches on a bitmap's canvas, which writes them, fills and
// lines along the axes into its pixels itself; drawn through someone else's painter, the canvas
// keeps nothing and leaves all to the painter. Both must give the same pixels.
class QtCanvasCaches : public ::testing::Test {
protected:
    static constexpr int Side = 160;
    QtCanvasCaches() { QtTestApp(); }

    // Labels and ellipses over a background of several colours, each drawn twice at different
    // places (the second time from the cache), some of them partly outside the picture.
    static void Scene(TCanvas& C) {
        C.Brush().Color = clWhite;
        C.FillRect(Rect(0, 0, Side, Side));
        C.Brush().Color = RGBColor(200, 220, 240);
        C.FillRect(Rect(0, 0, Side / 2, Side));
        C.Brush().Color = clYellow;
        C.FillRect(Rect(0, Side / 2, Side, Side / 2 + 20));
        int Y = -4;
        for (unsigned Style : {0u, unsigned(fsItalic), unsigned(fsBold | fsUnderline)})
            for (int Height : {13, 16}) {
                C.Font().Height = Height;
                C.Font().Style = Style;
                C.Font().Color = Height == 13 ? clBlack : clBlue;
                C.Brush().Style = TBrushStyle::bsSolid;
                C.Brush().Color = Style == 0 ? clWhite : RGBColor(0, 255, 255);
                C.SetTextTransparent(false);
                for (int X : {-6, 70, Side - 20}) {
                    C.TextOut(X, Y, "(12)");
                    C.TextOut(X + 5, Y + 9, "12 13 ");
                    C.TextOut(X - 3, Y + 15, "fjÄ f");
                }
                C.SetTextTransparent(true);
                C.TextOut(40, Y + 4, "(7)");
                C.SetTextTransparent(false);
                C.Brush().Style = TBrushStyle::bsClear;
                C.TextOut(100, Y + 4, "(7)");
                Y += 29;
            }
        for (int Width : {1, 2, 3})
            for (TPenStyle Style : {TPenStyle::psSolid, TPenStyle::psDot, TPenStyle::psClear})
                for (bool Filled : {true, false})
                    for (int R : {3, 5, 12}) {
                        C.Pen().Width = Width;
                        C.Pen().Style = Style;
                        C.Pen().Color = Filled ? clRed : clGreen;
                        C.Brush().Style = Filled ? TBrushStyle::bsSolid : TBrushStyle::bsClear;
                        C.Brush().Color = RGBColor(255, 0, 255);
                        const int X = (R * 7 + Width * 31 + int(Style) * 13) % Side;
                        for (int At : {X, X + 41, -R})
                            C.Ellipse(At - R, At / 2 - R, At + R + 1, At / 2 + R + 1);
                        C.Ellipse(Side - R, 70, Side + R + 1, 70 + 2 * R + 1);
                    }
        // Lines of each width along both axes and slanted, each way, and fills and pixels,
        // some of them partly or wholly outside the picture.
        C.Pen().Style = TPenStyle::psSolid;
        for (int Width : {1, 2, 3})
            for (int Length : {1, 2, 7, Side + 10}) {
                C.Pen().Width = Width;
                C.Pen().Color = RGBColor(Width * 60, 90, Length % 256);
                const int At = (Width * 37 + Length * 11) % Side;
                for (int Sign : {1, -1}) {
                    C.MoveTo(At, At / 3);
                    C.LineTo(At + Sign * Length, At / 3);
                    C.MoveTo(At / 3, At);
                    C.LineTo(At / 3, At + Sign * Length);
                    C.LineTo(At / 3 + Sign * Length, At + 5);
                }
                C.MoveTo(0, At);
                C.LineTo(-Length, At);
                C.MoveTo(At, Side);
                C.LineTo(At, Side + Length);
            }
        // Wide slanted lines of one slope and length again and again, as the bearings and
        // cranks of a mechanism draw them, some running off the picture.
        for (int Width : {2, 3})
            for (auto [DX, DY] : {std::pair{6, 6}, {-6, 6}, {9, -4}, {-3, -11}, {1, 2}}) {
                C.Pen().Width = Width;
                C.Pen().Color = RGBColor(30, Width * 70, 200);
                for (auto [X, Y] : {std::pair{30, 20}, {31, 47}, {Side - 4, 90}, {2, Side - 3}}) {
                    C.MoveTo(X, Y);
                    C.LineTo(X + DX, Y + DY);
                }
            }
        C.Brush().Style = TBrushStyle::bsSolid;
        C.Brush().Color = RGBColor(0, 128, 128);
        C.FillRect(Rect(-5, 150, 20, Side + 5));
        C.FillRect(Rect(Side - 3, -3, Side + 10, 10));
        C.FillRect(Rect(Side + 1, 5, Side + 10, 10));
        C.SetPixel(5, 5, clRed);
        C.SetPixel(-1, 3, clRed);
        C.SetPixel(Side - 1, Side - 1, clBlue);
    }
};

// On a picture of every device pixel ratio a screen may have, as plain QPainter draws on an
// image of that ratio; a ratio that is no multiple of 1/8 leaves all to the painter.
class QtCanvasCachesAtRatio : public QtCanvasCaches, public ::testing::WithParamInterface<qreal> {};

TEST_P(QtCanvasCachesAtRatio, GiveThePixelsOfDrawingInPlace) {
    const qreal Ratio = GetParam();
    TQtBitmap Cached(Side, Side);
    Cached.SetPixelRatio(Ratio);
    Scene(Cached.Canvas());
    const QSize Device = QtPixelWrites::DeviceSize(QSize(Side, Side), Ratio);
    QImage Direct(Device, QImage::Format_RGB32);
    Direct.setDevicePixelRatio(Ratio);
    {
        QPainter P(&Direct);
        TQtCanvas Uncached(P);
        Scene(Uncached);
    }
    const QImage& Got = Cached.Image();
    EXPECT_EQ(Cached.Width(), Side);
    ASSERT_EQ(Got.size(), Device);
    EXPECT_EQ(Got.devicePixelRatio(), Ratio);
    int Differing = 0;
    for (int Y = 0; Y < Device.height(); ++Y)
        for (int X = 0; X < Device.width(); ++X)
            Differing += Got.pixel(X, Y) != Direct.pixel(X, Y);
    EXPECT_EQ(Differing, 0);
}

INSTANTIATE_TEST_SUITE_P(Ratios, QtCanvasCachesAtRatio,
                         ::testing::Values(1.0, 2.0, 1.5, 1.25, 1.75, 3.0, 1.1));

TEST_F(QtCanvasCaches, StayBoundedHoweverManyTextsAndShapesPass) {
    TQtTextCache Texts;
    TFont F;
    for (std::size_t I = 0; I < TQtTextCache::MaxTexts + 100; ++I)
        Texts.Width(F, std::to_string(I));
    EXPECT_LE(Texts.TextCount(), TQtTextCache::MaxTexts);
    EXPECT_EQ(Texts.Width(F, "12"), QFontMetrics(Texts.Font(F)).horizontalAdvance("12"));

    // Large labels fill the byte budget after a few hundred.
    const QImage Like(1, 1, QImage::Format_RGB32);
    F.Height = 140;
    std::size_t Rendered = 0;
    for (int I = 0; Rendered <= 2 * TQtTextCache::MaxLabelBytes; ++I) {
        const auto* L = Texts.Label(F, clWhite, "Glied " + std::to_string(I), Like, QPoint());
        ASSERT_NE(L, nullptr);
        Rendered += static_cast<std::size_t>(L->Image.sizeInBytes());
        EXPECT_LE(Texts.LabelBytes(), TQtTextCache::MaxLabelBytes);
    }
    // A label larger than a cache should hold draws in place.
    F.Height = 400;
    EXPECT_EQ(Texts.Label(F, clWhite, "Getriebe", Like, QPoint()), nullptr);

    TQtEllipseCache Shapes;
    QImage Image(1, 1, QImage::Format_RGB32);
    QPainter P(&Image);
    const QtPixelWrites::TDeviceGrid Plain(1);
    for (int Side = 1; Side <= TQtEllipseCache::MaxSide; ++Side)
        for (int Width = 1; Width <= 5; ++Width) {
            TPen Pen;
            Pen.Width = Width;
            ASSERT_NE(Shapes.Get(QRect(0, 0, Side, Side), Pen, clRed, P, Plain), nullptr);
            EXPECT_LE(Shapes.Count(), TQtEllipseCache::MaxShapes);
        }
    EXPECT_EQ(Shapes.Get(QRect(0, 0, TQtEllipseCache::MaxSide + 1, 5), TPen{}, clRed, P, Plain),
              nullptr);

    TQtStrokeCache Strokes;
    const QPen Wide(Qt::black, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    for (int DX = 1; DX <= 40; ++DX)
        for (int DY = -10; DY <= -1; ++DY) {
            ASSERT_NE(Strokes.Get(QPoint(5, 5), QPoint(5 + DX, 5 + DY), Wide, Plain), nullptr);
            EXPECT_LE(Strokes.Count(), TQtStrokeCache::MaxShapes);
        }
    // Long lines, thin ones and lines along an axis are the painter's.
    const int Long = TQtStrokeCache::MaxSpan + 1;
    EXPECT_EQ(Strokes.Get(QPoint(0, 0), QPoint(Long, 3), Wide, Plain), nullptr);
    EXPECT_EQ(Strokes.Get(QPoint(0, 0), QPoint(3, 0), Wide, Plain), nullptr);
    EXPECT_EQ(Strokes.Get(QPoint(0, 0), QPoint(3, 4), QPen(Qt::black, 1), Plain), nullptr);
}

// The labels of a large mechanism: numbers and poles of joints and links, in two fonts and
// colours, many more than a small cache would hold.
void ManyLabels(TCanvas& C, int Side) {
    C.Brush().Color = clWhite;
    C.Brush().Style = TBrushStyle::bsSolid;
    C.FillRect(Rect(0, 0, Side, Side));
    C.SetTextTransparent(false);
    for (int I = 1; I <= 3000; ++I) {
        C.Font().Height = I % 3 == 0 ? 13 : 8;
        C.Font().Color = I % 2 == 0 ? clBlack : clBlue;
        C.Brush().Color = I % 5 == 0 ? clYellow : clWhite;
        const int X = I * 37 % Side - 10, Y = I * 53 % Side - 5;
        C.TextOut(X, Y, "(" + std::to_string(I) + ")");
        C.TextOut(X + 4, Y + 9, std::to_string(I) + std::to_string(I + 1) + " ");
    }
}

// A repaint copies the labels kept from the one before; one that fills the cache up mid-way
// starts it afresh. Either way the picture is the one a repaint from an empty cache gives.
TEST_F(QtCanvasCaches, ARepaintFromAFullLabelCacheEqualsOneFromAnEmptyCache) {
    constexpr int Large = 400;
    TQtBitmap Empty(Large, Large);
    ManyLabels(Empty.Canvas(), Large);
    const QImage Expected = Empty.Image();
    TQtBitmap Full(Large, Large);
    ManyLabels(Full.Canvas(), Large);
    ManyLabels(Full.Canvas(), Large);
    EXPECT_EQ(Full.Image(), Expected);
    // Texts measured elsewhere leave room for only some of the labels.
    for (std::size_t I = 0; I < TQtTextCache::MaxTexts - 2000; ++I)
        Full.Canvas().TextWidth("Glied " + std::to_string(I));
    ManyLabels(Full.Canvas(), Large);
    EXPECT_EQ(Full.Image(), Expected);
    // And both are what drawing each label in place gives.
    QImage Direct(Large, Large, QImage::Format_RGB32);
    {
        QPainter P(&Direct);
        TQtCanvas Uncached(P);
        ManyLabels(Uncached, Large);
    }
    EXPECT_EQ(Expected.convertToFormat(QImage::Format_RGB32), Direct);
}

// Finer than a pixel the glyphs' edges reach past their cell and bars show their round caps:
// labels, circles and bars still come from the caches, or a repaint would draw them all in
// place.
TEST_F(QtCanvasCaches, AtFinerRatiosLabelsCirclesAndBarsAreCopied) {
    for (qreal Ratio : {2.0, 1.5}) {
        SCOPED_TRACE(Ratio);
        const QtPixelWrites::TDeviceGrid Grid(Ratio);
        QImage Like(1, 1, QImage::Format_RGB32);
        Like.setDevicePixelRatio(Ratio);
        TQtTextCache Texts;
        TFont F;
        F.Height = 15;
        for (const char* Text : {"(12)", "(3)", "Glied 3", "fjÄ"})
            for (QPoint Phase : {QPoint(0, 0), QPoint(1, 1)})
                EXPECT_NE(Texts.Label(F, clWhite, Text, Like, Grid.Phase(Phase)), nullptr) << Text;

        QImage Image(QtPixelWrites::DeviceSize(QSize(40, 40), Ratio), QImage::Format_RGB32);
        Image.setDevicePixelRatio(Ratio);
        QPainter P(&Image);
        P.setPen(QPen(Qt::black, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        P.setBrush(Qt::white);
        TQtEllipseCache Shapes;
        TPen Pen;
        Pen.Width = 2;
        const auto Shape = Shapes.Get(QRect(3, 3, 9, 9), Pen, clWhite, P, Grid);
        ASSERT_NE(Shape, nullptr);
        EXPECT_TRUE(Shape->Runs.has_value());

        TQtBarCache Bars;
        for (auto [From, To] :
             {std::pair{QPoint(3, 4), QPoint(1003, 4)}, std::pair{QPoint(8, 900), QPoint(8, 5)}}) {
            const auto Bar = Bars.Get(From, To, P.pen(), Grid);
            ASSERT_TRUE(Bar.has_value());
            // Two pixels thick, as long as the bar with its caps.
            const QRect Box = Bar->Box;
            const int Long = std::max(Box.width(), Box.height());
            const int Thick = std::min(Box.width(), Box.height());
            EXPECT_EQ(Thick, qRound(2 * Ratio));
            EXPECT_NEAR(Long,
                        (std::abs(To.x() - From.x()) + std::abs(To.y() - From.y()) + 2) * Ratio, 1);
        }
        EXPECT_LE(Bars.Count(), 2u);
    }
}

} // namespace
