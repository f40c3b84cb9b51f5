// The frame: it never moves, converts by shifting only, and draws a bearing at every joint.
#include "support/MechanismRigs.h"

#include <gtest/gtest.h>

TEST(RackTest, NeverMovesAndMeasuresToItsNearestJoint) {
    TPartsRig Rig;
    TJoint* A = Rig.Joint(0, 0);
    TJoint* B = Rig.Joint(30, 40);
    TRack* Frame = Rig.Frame({A, B});
    EXPECT_EQ(Frame->Order(), 40);
    Frame->MoveUpdating(nullptr, true, 5, 5);
    Frame->Move(nullptr, false, 5, 5);
    EXPECT_EQ(A->Position(), MMPoint(0, 0));
    EXPECT_EQ(B->Position(), MMPoint(30, 40));
    EXPECT_DOUBLE_EQ(Frame->DistanceTo(30, 45), 5);
    EXPECT_DOUBLE_EQ(Frame->DistanceTo(3, 4), 5);
    EXPECT_EQ(Frame->Angle(), 0.0);
}

TEST(RackTest, RemovingJointsKeepsAUsableReference) {
    TPartsRig Rig;
    TJoint* A = Rig.Joint(1, 2);
    TJoint* B = Rig.Joint(10, 20);
    TJoint* C = Rig.Joint(5, 5);
    TRack* Frame = Rig.Frame({A, B, C});
    Frame->SetReferenceJoint(B);
    // A joint in front of the reference leaves: the reference stays on B.
    Frame->RemoveJoint(A);
    EXPECT_EQ(Frame->ReferenceJoint(), B);
    EXPECT_EQ(Frame->GlobalToLocal(MMPoint(11, 22)), MMPoint(1, 2));
    EXPECT_EQ(Frame->LocalToGlobal(MMPoint(1, 2)), MMPoint(11, 22));
    // A joint not on the frame changes nothing.
    Frame->RemoveJoint(A);
    EXPECT_EQ(Frame->Joints().Count(), 2);
    // The reference leaves: the new joint 0 takes over.
    Frame->RemoveJoint(B);
    EXPECT_EQ(Frame->ReferenceJoint(), C);
    // The last one leaves: no reference, conversions give the point back.
    Frame->RemoveJoint(C);
    EXPECT_EQ(Frame->ReferenceJointID(), -1);
    EXPECT_EQ(Frame->GlobalToLocal(MMPoint(7, 8)), MMPoint(7, 8));
    EXPECT_EQ(Frame->LocalToGlobal(MMPoint(7, 8)), MMPoint(7, 8));
    EXPECT_EQ(Frame->DistanceTo(0, 0), 1e20);
    // The joints' own link lists are the model's to clean.
    EXPECT_TRUE(C->Links().Contains(Frame));
}

TEST(RackPaintTest, BearingTriangleAndHatchPerJoint) {
    struct Case {
        int Size;
        int Hatch;
    } Cases[] = {{10, 5}, {7, 3}};
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Size);
        TPartsRig Rig;
        TJoint* J = Rig.Joint(100, 200); // pixel (100, 100)
        J->SetShowID(false);
        TRack* Frame = Rig.Frame({J});
        Frame->SetSize(C.Size);
        Frame->SetShowID(false);
        Frame->SetLineThickness(2);
        Frame->SetLineColor(0x123456);
        Rig.Show(Frame);
        Frame->Paint();
        auto Lines = Rig.Canvas().Of("Line");
        int S = C.Size, H = C.Hatch;
        std::vector<std::vector<TPoint>> Expected = {
            {{100, 100}, {100 - S, 100 + S}},
            {{100 - S, 100 + S}, {100 + S, 100 + S}},
            {{100 + S, 100 + S}, {100, 100}},
            {{100, 100 + S}, {100 - H, 100 + S + H}},
            {{100 - S, 100 + S}, {100 - S - H, 100 + S + H}},
            {{100 + S, 100 + S}, {100 + S - H, 100 + S + H}},
        };
        ASSERT_EQ(Lines.size(), Expected.size());
        for (std::size_t I = 0; I < Lines.size(); ++I) {
            EXPECT_EQ(Lines[I].Points, Expected[I]) << I;
            EXPECT_EQ(Lines[I].Pen.Color, 0x123456u);
            EXPECT_EQ(Lines[I].Pen.Width, 2);
        }
        // The joint paints over its bearing.
        EXPECT_EQ(Rig.Canvas().Calls.back().Op, "Ellipse");
    }
}

TEST(RackPaintTest, SelectedFrameLabelsEveryJoint) {
    TPartsRig Rig;
    TJoint* A = Rig.Joint(100, 200);
    TJoint* B = Rig.Joint(300, 200);
    for (TJoint* J : {A, B})
        J->SetShowID(false);
    A->SetRadius(6);
    TRack* Frame = Rig.Frame({A, B});
    Frame->SetID(1);
    Frame->SetSelected(true);
    Frame->SetIDTextHeight(15);
    Rig.Show(Frame);
    Rig.Canvas().Font().Color = clRed;
    Frame->Paint();
    for (const TCanvasCall& L : Rig.Canvas().Of("Line"))
        EXPECT_EQ(L.Pen.Color, Frame->LineColorSelected());
    auto Texts = Rig.Canvas().Of("TextOut");
    ASSERT_EQ(Texts.size(), 2u);
    // Left of the joint by the text's width, the joint's radius and 8 pixels; a joint with one
    // link still counts its full radius.
    EXPECT_EQ(Texts[0].Points[0], (TPoint{100 - 7 - 6 - 8, 100}));
    EXPECT_EQ(Texts[1].Points[0], (TPoint{300 - 7 - 5 - 8, 100}));
    for (const TCanvasCall& T : Texts) {
        EXPECT_EQ(T.Text, "1");
        EXPECT_EQ(T.Font.Color, clBlack);
        EXPECT_EQ(T.Font.Height, 15);
        EXPECT_EQ(T.Brush.Color, clWhite);
    }
}

TEST(RackPaintTest, FrameWithoutJointsDrawsNothing) {
    TPartsRig Rig;
    TRack* Frame = Rig.Frame({});
    Rig.Show(Frame);
    Frame->Paint();
    EXPECT_TRUE(Rig.Canvas().Calls.empty());
}

// Whatever the canvas was left with, the labels of every kind of link stand on opaque white.
TEST(LinkLabelsTest, LabelsOfEveryLinkKindAreOpaqueOnWhite) {
    TPartsRig Rig;
    TJoint* A = Rig.Joint(100, 200);
    TJoint* B = Rig.Joint(200, 200);
    TCustomLink* Parts[] = {Rig.Link({A, B}), Rig.Slider(nullptr, 300, 200), Rig.Frame({A})};
    for (TCustomLink* Part : Parts) {
        SCOPED_TRACE(Part->GetDisplayText());
        Part->SetShowID(true);
        Part->SetShowIdentifier(true);
        Part->SetIdentifier("Teil");
        for (TJoint* J : Part->Joints())
            J->SetShowID(false);
        Rig.Show(Part);
        Rig.Canvas().SetTextTransparent(true);
        Rig.Canvas().Brush().Color = clRed;
        Part->Paint();
        auto Texts = Rig.Canvas().Of("TextOut");
        ASSERT_FALSE(Texts.empty());
        for (const TCanvasCall& T : Texts) {
            EXPECT_FALSE(T.TextTransparent) << T.Text;
            EXPECT_EQ(T.Brush.Color, clWhite) << T.Text;
            EXPECT_EQ(T.Brush.Style, TBrushStyle::bsSolid) << T.Text;
        }
    }
}
