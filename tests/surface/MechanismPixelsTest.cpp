// A mechanism repainted into the surface's buffer, where the canvas copies cached labels and
// circles and fills lines along the axes itself, gives the pixels of plain QPainter drawing: the
// same mechanism printed through someone else's painter, where the canvas keeps nothing.
#include "gear/uGearData.h"
#include "gear/uJoint.h"
#include "gear/uLink.h"
#include "platform/qt/QtBitmap.h"
#include "platform/qt/QtCanvas.h"
#include "support/PreferencesFixture.h"
#include "support/QtSurfaceRig.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

constexpr int Width = 420;
constexpr int Height = 300;

// A chain snaking in rows with bars along both axes, a few slanted bars to its joints and both
// ends on the frame, every label on; some parts reach past the picture's edges.
void BuildChain(TGearData& Data) {
    Data.Clear(true);
    TJoint* Previous = nullptr;
    std::vector<TJoint*> Joints;
    for (int I = 0; I < 30; ++I) {
        const int Row = I / 6;
        const int Column = Row % 2 == 0 ? I % 6 : 5 - I % 6;
        TJoint* J = Data.CreateJoint(-4 + Column * 43.5, 145 - Row * 33.5);
        J->SetShowID(true);
        J->SetShowMPol(true);
        if (I == 0 || I == 29)
            Data.AttachJointToRack(J);
        if (Previous) {
            TLink* L = Data.CreateLink("Glied");
            L->SetShowID(true);
            L->AddJoint(Previous);
            L->AddJoint(J);
        }
        Joints.push_back(J);
        Previous = J;
    }
    for (int I : {2, 9, 15}) {
        TLink* L = Data.CreateLink("Glied");
        L->SetShowID(true);
        L->AddJoint(Joints[I]);
        L->AddJoint(Joints[I + 7]);
    }
}

TEST(MechanismPixels, TheBufferHoldsThePixelsOfPlainPainterDrawing) {
    TPreferencesFixture Settings;
    TQtSurfaceRig<> View{Width, Height, MMRect(0, 150, 210, 0), false};
    TGearData Data;
    Data.SetMMSurface(View.Surface.get());
    View.Surface->BeginUpdate();
    BuildChain(Data);
    View.Surface->EndUpdate();
    // Twice: the second repaint draws from the caches and on the picture before the last.
    View.Surface->Repaint(false);
    const QImage Buffered = static_cast<TQtBitmap&>(View.Surface->Buffer()).Image().copy();

    QImage Plain(Width, Height, QImage::Format_RGB32);
    {
        QPainter P(&Plain);
        TQtCanvas Canvas(P);
        View.Surface->SetPrintCanvas(&Canvas);
        View.Surface->SetPrintRect(Rect(0, 0, Width, Height));
        View.Surface->SetPrinting(true); // repaints onto the page
        View.Surface->SetPrinting(false);
        View.Surface->SetPrintCanvas(nullptr);
    }
    ASSERT_EQ(Buffered.size(), Plain.size());
    int Differing = 0;
    int Inked = 0;
    for (int Y = 0; Y < Height; ++Y)
        for (int X = 0; X < Width; ++X) {
            Differing += Buffered.pixel(X, Y) != Plain.pixel(X, Y);
            Inked += Plain.pixel(X, Y) != Plain.pixel(Width - 1, 0);
        }
    EXPECT_EQ(Differing, 0);
    EXPECT_GT(Inked, 5000); // the mechanism was drawn at all
}

} // namespace
