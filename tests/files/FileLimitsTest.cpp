// The bounds of a mechanism are the same for writing and reading: a model at each bound is saved
// and reads back as it was written, one just past a bound is refused at saving with the reason,
// before anything is written. A model at every bound at once is refused for its size.
#include "files/FileReaderWriterRig.h"
#include "gear/uDrive.h"
#include "gear/uGearLimits.h"
#include "gear/uRack.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <functional>
#include <string>

namespace {

// A model of its own, on no surface, so that ten thousand parts are built and read quickly.
struct TLimitRig : TCountingUIDs {
    TLimitRig() { Parser.FileInfo().CreationTime = EncodeFileDateTime(2024, 3, 1); }

    TJoint* AddJoint(double X, double Y) {
        // Numbered here: the model's search for a free number is quadratic.
        TJoint* Joint = Model.Parts().AddNew<TJoint>();
        Joint->SetID(Model.Joints().Count() + 1);
        Joint->SetX(X);
        Joint->SetY(Y);
        Model.AddJoint(Joint);
        return Joint;
    }
    // Joints are in the model before the link is, so they keep their numbers.
    template <class T> T* AddLink(std::initializer_list<TJoint*> Joints) {
        T* Link = Model.Parts().AddNew<T>();
        Link->SetID(Model.Links().Count() + 1);
        for (TJoint* Joint : Joints)
            Link->AddJoint(Joint);
        Model.AddLink(Link);
        return Link;
    }
    // A rotary drive of the given positions on the crank of a frame on two joints, which the
    // first drive builds.
    TDrive* Crank(int Intervals) {
        if (Model.Joints().Empty()) {
            TJoint* A0 = AddJoint(0, 0);
            AddLink<TRack>({A0, AddJoint(60, 0)});
            AddLink<TLink>({A0, AddJoint(0, 20)});
        }
        TDrive* Drive = Model.CreateLooseDrive();
        Drive->SetJoint(Model.Joints().First());
        Drive->SetLink0(Model.Rack());
        Drive->SetLink1(Model.Links().Items(1));
        Drive->SetIntervals(Intervals);
        // The longest text a value is written with.
        for (int I = 0; I < Intervals; ++I)
            Drive->SetValue(I, -1.23456789012345e-100);
        Model.AddDrive(Drive);
        return Drive;
    }
    // Joints in a row, the frame on the first two, and plates of consecutive joints of the rest,
    // as long as Connections joints of links take.
    void Plates(int Joints, int Links, int Connections) {
        for (int I = 0; I < Joints; ++I)
            AddJoint(I, I % 7);
        const TJointList& All = Model.Joints();
        AddLink<TRack>({All.Items(0), All.Items(1)});
        const int Plates = Links - 1;
        const int Shared = Connections - 2;
        for (int L = 0; L < Plates; ++L) {
            TLink* Plate = AddLink<TLink>({});
            const int Span = Shared / Plates + (L < Shared % Plates);
            for (int K = 0; K < Span; ++K)
                Plate->AddJoint(All.Items(2 + (L + K) % (Joints - 2)));
        }
    }

    std::string File() const { return Dir.File("grenze.kxw"); }

    TPreferencesFixture Prefs;
    TFixedClock Clock;
    TScopedService<const TFileClock> ClockInstalled{FileClockSlot(), Clock};
    TGearData Model;
    TXMLFileParser Parser{Model};
    TScratchDir Dir;
};

struct TLimitCase {
    const char* Name;
    // Builds the model at the bound, or one step past it; a bound that shares its model at the
    // bound with the one before builds only the step past.
    std::function<void(TLimitRig&, bool Past)> Build;
    const char* Refusal;
    bool SharesTheModelAtTheBound = false;
};

std::uintmax_t FileSize(const std::string& Name) {
    return std::filesystem::file_size(Name);
}

const TLimitCase Cases[] = {
    {"Coordinates",
     [](TLimitRig& R, bool Past) {
         R.Crank(2);
         const double Edge =
             Past ? std::nextafter(MaxCoordinate, 2 * MaxCoordinate) : MaxCoordinate;
         R.Model.Joints().Items(2)->SetX(Edge);
         R.Model.Joints().Items(2)->SetY(-MaxCoordinate);
     },
     "Das Gelenk 3 liegt außerhalb des zulässigen Bereichs von ±1000000000 mm."},
    {"PositionsOfOneDrive", [](TLimitRig& R, bool Past) { R.Crank(MaxIntervals + Past); },
     "Der Antrieb \"\" hat mehr als 99999 Intervalle."},
    {"PositionsOfAllDrives",
     [](TLimitRig& R, bool Past) {
         int Left = MaxDriveValues + Past;
         while (Left > 0) {
             R.Crank(std::min(Left, MaxIntervals));
             Left -= MaxIntervals;
         }
     },
     "Die Antriebe haben zusammen mehr als 800000 Intervalle."},
    {"JointsLinksAndConnections",
     [](TLimitRig& R, bool Past) { R.Plates(MaxParts + Past, MaxParts, MaxConnections); },
     "Das Getriebe enthält mehr als 10000 Gelenke."},
    {"Links", [](TLimitRig& R, bool Past) { R.Plates(MaxParts, MaxParts + Past, MaxConnections); },
     "Das Getriebe enthält mehr als 10000 Getriebeglieder.", true},
    {"Connections",
     [](TLimitRig& R, bool Past) { R.Plates(MaxParts, MaxParts, MaxConnections + Past); },
     "Das Getriebe enthält mehr als 100000 Verbindungen von Gliedern und Gelenken.", true},
    {"Drives",
     [](TLimitRig& R, bool Past) {
         for (int I = 0; I < MaxParts + Past; ++I)
             R.Crank(0);
     },
     "Das Getriebe enthält mehr als 10000 Antriebe."},
    {"FileSize",
     [](TLimitRig& R, bool Past) {
         R.Crank(2);
         // The description fills the file up to its largest size.
         R.Model.GearInfo().SetDescription("");
         R.Parser.SaveToFile(R.File());
         const std::uintmax_t Rest = MaxXMLFileSize - FileSize(R.File()) + Past;
         std::filesystem::remove(R.File());
         R.Model.GearInfo().SetDescription(std::string(Rest, 'a'));
     },
     "Die Datei würde größer als 32 MiB, die größte, die sich öffnen lässt."},
};

class FileLimits : public ::testing::TestWithParam<TLimitCase> {};

TEST_P(FileLimits, AModelAtTheBoundReadsBackAndOnePastIsRefusedAtSave) {
    const TLimitCase& C = GetParam();
    if (!C.SharesTheModelAtTheBound) {
        TLimitRig At;
        C.Build(At, false);
        ASSERT_EQ(GearLimitFault(At.Model), "");
        ASSERT_TRUE(At.Parser.SaveToFile(At.File()));
        EXPECT_LE(FileSize(At.File()), MaxXMLFileSize);
        const std::string Written = At.Parser.WriteDocumentText(true);
        TLimitRig Reader;
        const TLoadResult Result = Reader.Parser.LoadFromFile(At.File());
        ASSERT_TRUE(Result) << Result.Message;
        EXPECT_TRUE(Reader.Parser.WriteDocumentText(true) == Written);
    }
    TLimitRig Past;
    C.Build(Past, true);
    EXPECT_FALSE(Past.Parser.SaveToFile(Past.File()));
    EXPECT_EQ(Past.Parser.SaveRefusal(), C.Refusal);
    EXPECT_FALSE(std::filesystem::exists(Past.File())) << "nothing is written";
}

// Each bound alone fits into a file; all of them at once outgrow the largest file that opens.
TEST(FileLimitsTest, AModelAtEveryBoundAtOnceIsRefusedForItsSize) {
    TLimitRig Rig;
    Rig.Plates(MaxParts, MaxParts, MaxConnections);
    for (int Left = MaxDriveValues; Left > 0; Left -= MaxIntervals)
        Rig.Crank(std::min(Left, MaxIntervals));
    while (Rig.Model.Drives().Count() < MaxParts)
        Rig.Crank(0);
    Rig.Model.Joints().Last()->SetX(-MaxCoordinate);
    ASSERT_EQ(GearLimitFault(Rig.Model), "");
    EXPECT_FALSE(Rig.Parser.SaveToFile(Rig.File()));
    EXPECT_EQ(Rig.Parser.SaveRefusal(),
              "Die Datei würde größer als 32 MiB, die größte, die sich öffnen lässt.");
    EXPECT_FALSE(std::filesystem::exists(Rig.File())) << "nothing is written";
}

INSTANTIATE_TEST_SUITE_P(EachBound, FileLimits, ::testing::ValuesIn(Cases),
                         [](const ::testing::TestParamInfo<TLimitCase>& Info) {
                             return std::string(Info.param.Name);
                         });

} // namespace
