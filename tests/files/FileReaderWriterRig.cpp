#include "files/FileReaderWriterRig.h"

void TFileRig::BuildSample() {
    TJoint* A0 = FrameJoint(0, 0);
    TJoint* B0 = FrameJoint(60, 0);
    TJoint* A = Joint(10, 20);
    TJoint* B = Joint(50.5, 30);
    TJoint* C = Joint(30, 45.125);
    TLink* Crank = Link({A0, A});
    TLink* Coupler = Link({A, B, C});
    Link({B0, B});
    TLink* Slide = Link({FrameJoint(100, 0), Joint(160, -20.25)});
    TSlider* S = Slider(Slide, 130, -10.125);
    Coupler->SetIdentifier("Koppel <&\"äöü>");
    C->SetIdentifier("Koppelpunkt ß");
    Crank->SetLineColor(0x0000FF);
    D().GearInfo().SetAuthor("Jürgen Müller");
    D().GearInfo().SetDescription("Viergelenk mit Schubschleife\\nzweite Zeile");
    TDrive* Rotary = RotaryDrive(A0);
    Rotary->SetIdentifier("Kurbel");
    Rotary->SetIntervals(4);
    for (int I = 0; I < 4; ++I)
        Rotary->SetValue(I, I * 1.5707963267948966);
    TDrive* Sliding = SlidingDrive(S);
    Sliding->SetIdentifier("Schub");
    Sliding->SetIntervals(3);
    Sliding->SetValue(0, 0.00000125);
    Sliding->SetValue(1, 12.5);
    Sliding->SetValue(2, -1e20);
    D().DataChanged();
}

std::string TFileRig::Saved() {
    const std::string Name = Dir.File("saved.kxw");
    EXPECT_TRUE(Parser.SaveToFile(Name));
    return ReadFileText(Name);
}
