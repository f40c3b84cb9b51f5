#include "files/uFileManager.h"

#include "files/uXMLFileValues.h"
#include "gear/uDrive.h"
#include "gear/uGearLimits.h"
#include "support/MechanismRigs.h"
#include "support/ProcessLocale.h"
#include "support/ScratchDir.h"
#include "support/WriteProtection.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include <csignal>
#include <fcntl.h>
#include <sched.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr double FixedNow = 45292.5; // 1 January 2024, noon

class TFixedClock : public TFileClock {
public:
    double Now() const override { return FixedNow; }
};

// A four-bar with a coupler point and a slider crank beside it, driven by a rotary and a sliding
// drive, with fractional coordinates and values.
struct TMechanism {
    explicit TMechanism(TModelRig& Rig) {
        A0 = Rig.FrameJoint(0, 0);
        A = Rig.Joint(0.5, 10.25);
        B = Rig.Joint(40, 30);
        CouplerPoint = Rig.Joint(20, 40.125);
        Crank = Rig.Link({A0, A});
        Coupler = Rig.Link({A, B, CouplerPoint});
        Rig.Link({Rig.FrameJoint(50, 0), B});
        Slide = Rig.Link({Rig.FrameJoint(60, 0), Rig.Joint(100, 5)});
        Slider = Rig.Slider(Slide, 80, 2.5);
        Rig.Link({B, TMechanismBuilder::Pin(Slider)});
        Rotary = Rig.RotaryDrive(A0);
        Rotary->SetValue(1, 0.1);
        Rig.SlidingDrive(Slider);
        A->SetIdentifier("Q");
        Rig.D().GearInfo().SetAuthor("Müller");
        Rig.D().DataChanged();
    }
    TJoint *A0, *A, *B, *CouplerPoint;
    TLink *Crank, *Coupler, *Slide;
    TSlider* Slider;
    TDrive* Rotary;
};

// The working folder for the object's lifetime.
class TWorkingFolder {
public:
    explicit TWorkingFolder(const fs::path& Folder) : FSaved(fs::current_path()) {
        fs::current_path(Folder);
    }
    ~TWorkingFolder() { fs::current_path(FSaved); }
    TWorkingFolder(const TWorkingFolder&) = delete;
    TWorkingFolder& operator=(const TWorkingFolder&) = delete;

private:
    fs::path FSaved;
};

void ExpectSameInfo(const TFileInfo& Actual, const TFileInfo& Expected) {
    EXPECT_EQ(Actual.FileVersion, Expected.FileVersion);
    EXPECT_DOUBLE_EQ(Actual.CreationTime, Expected.CreationTime);
    EXPECT_DOUBLE_EQ(Actual.LastModified, Expected.LastModified);
}

class FileManagerTest : public testing::Test {
protected:
    std::vector<TAskedMessage>& Asked() { return Rig.Platform().Scripted().Asked; }

    TFixedClock Clock;
    TScopedService<const TFileClock> ClockInForce{FileClockSlot(), Clock};
    TModelRig Rig;
    TFileManager Manager{Rig.D()};
    TScratchDir Dir;
};

TEST_F(FileManagerTest, UntitledNamesCountUpAndOpeningLeavesTheCounter) {
    EXPECT_EQ(Manager.GetDisplayName(), "Unbenannt0.kxw");
    Manager.NewFile();
    EXPECT_EQ(Manager.GetDisplayName(), "Unbenannt1.kxw");
    Manager.NewFile();
    EXPECT_EQ(Manager.GetDisplayName(), "Unbenannt2.kxw");
    ASSERT_TRUE(Manager.SaveAs(Dir.File("Getriebe.kxw")));
    ASSERT_TRUE(Manager.Open(Dir.File("Getriebe.kxw")));
    EXPECT_EQ(Manager.UntitledName(), "Unbenannt2.kxw");
    Manager.NewFile();
    EXPECT_EQ(Manager.FileName(), "");
    EXPECT_EQ(Manager.GetDisplayName(), "Unbenannt3.kxw");
}

TEST_F(FileManagerTest, NewDocumentIsModifiedAtTheFirstTestAndCarriesFreshFileInfo) {
    ExpectSameInfo(Manager.GetFileInfo(), {3, FixedNow, FixedNow});
    EXPECT_TRUE(Manager.IsModified());
    Manager.NewFile();
    EXPECT_TRUE(Manager.IsModified());
}

TEST_F(FileManagerTest, ChecksumIsEqualForEqualModels) {
    TMechanism M(Rig);
    EXPECT_EQ(Manager.CalcChecksum(), Manager.CalcChecksum());
    ASSERT_TRUE(Manager.SaveAs(Dir.File("Getriebe.kxw")));

    // Two models read from one file are equal, UIDs included.
    TModelRig First, Second;
    TFileManager FirstReader(First.D()), SecondReader(Second.D());
    ASSERT_TRUE(FirstReader.Open(Dir.File("Getriebe.kxw")));
    ASSERT_TRUE(SecondReader.Open(Dir.File("Getriebe.kxw")));
    EXPECT_EQ(FirstReader.CalcChecksum(), SecondReader.CalcChecksum());
    EXPECT_FALSE(FirstReader.IsModified());
}

TEST_F(FileManagerTest, ChecksumChangesWithEveryKindOfEdit) {
    TMechanism M(Rig);
    TGearData& D = Rig.D();
    const std::pair<const char*, std::function<void()>> Edits[] = {
        {"joint moved", [&] { M.A->SetX(0.5000001); }},
        {"joint renamed Q to \xC5\x91", [&] { M.A->SetIdentifier("\xC5\x91"); }},
        {"joint hidden", [&] { M.B->SetVisible(false); }},
        {"joint made virtual", [&] { M.CouplerPoint->SetIsVirtual(true); }},
        {"joint added", [&] { Rig.Joint(70, 70); }},
        {"joint joins a link", [&] { M.Coupler->AddJoint(M.A0); }},
        {"reference joint", [&] { M.Coupler->SetReferenceJointID(1); }},
        {"link renamed", [&] { M.Crank->SetIdentifier("Kurbel"); }},
        {"link colour", [&] { M.Crank->SetLineColor(clRed); }},
        {"drive renamed", [&] { M.Rotary->SetIdentifier("Antrieb"); }},
        {"drive value", [&] { M.Rotary->SetValue(1, 0.2); }},
        {"drive intervals", [&] { M.Rotary->SetIntervals(M.Rotary->Intervals() + 1); }},
        {"author", [&] { D.GearInfo().SetAuthor("Mueller"); }},
        {"description", [&] { D.GearInfo().SetDescription("Zeile 1\\nZeile 2"); }},
        {"joint deleted", [&] { D.DeleteJoint(M.CouplerPoint); }},
    };
    for (const auto& [Name, Edit] : Edits) {
        SCOPED_TRACE(Name);
        const std::uint32_t Before = Manager.CalcChecksum();
        Edit();
        EXPECT_NE(Manager.CalcChecksum(), Before);
    }
}

// The checksum is taken again only after the model changed; whatever the edit, the answer then is
// the one a fresh computation gives, and asking again without an edit serialises nothing.
TEST_F(FileManagerTest, CachedChecksumFollowsEveryKindOfEdit) {
    TMechanism M(Rig);
    TGearData& D = Rig.D();
    ASSERT_TRUE(Manager.SaveAs(Dir.File("Getriebe.kxw")));
    TModelRig Other;
    const std::pair<const char*, std::function<void()>> Edits[] = {
        {"joint stored", [&] { M.A->SetY(10.5); }},
        {"joint dragged", [&] { M.B->SetPosition(nullptr, 41, 31); }},
        {"joint moved by", [&] { M.CouplerPoint->MoveBy(nullptr, 0.25, 0); }},
        {"link moved", [&] { M.Crank->MoveUpdating(nullptr, true, 1, 1); }},
        {"slider moved", [&] { M.Slider->MoveUpdating(nullptr, false, 85, 3); }},
        {"joint selected", [&] { D.SelectJoint(M.A, false); }},
        {"selection moved to a link", [&] { D.SelectLink(M.Crank, false); }},
        {"links deselected", [&] { D.DeselectLinks(); }},
        {"joint renamed", [&] { M.A->SetIdentifier("R"); }},
        {"joint renumbered", [&] { M.A->SetID(40); }},
        {"link renumbered", [&] { M.Crank->SetID(30); }},
        {"joint given a new UID", [&] { M.B->SetUID(M.B->UID() + 1); }},
        {"joint hidden", [&] { M.CouplerPoint->SetVisible(false); }},
        {"link colour", [&] { M.Coupler->SetLineColor(clRed); }},
        {"reference joint", [&] { M.Coupler->SetReferenceJointID(2); }},
        {"links of a joint reordered", [&] { M.B->Links().Exchange(0, 1); }},
        {"joints of a link reordered", [&] { M.Coupler->Joints().Exchange(0, 1); }},
        {"description", [&] { D.GearInfo().SetDescription("Zeile 1\\nZeile 2"); }},
        {"author", [&] { D.GearInfo().SetAuthor("Mueller"); }},
        {"drive value", [&] { M.Rotary->SetValue(1, 0.3); }},
        {"drive intervals", [&] { M.Rotary->SetIntervals(30); }},
        {"drive renamed", [&] { M.Rotary->SetIdentifier("Antrieb"); }},
        {"drive kind", [&] { D.Drives().Items(1)->SetDriveType(dtRotary); }},
        {"drive removed", [&] { D.RemoveDrive(D.Drives().Items(1)); }},
        {"drive added", [&] { D.AddRotaryDrive(M.A0, true); }},
        {"joint added", [&] { Rig.Joint(70, 70); }},
        {"link added",
         [&] {
             Rig.Link({M.B, M.CouplerPoint});
         }},
        {"joints merged", [&] { D.MergeJoints(D.Joints().Last(), M.CouplerPoint); }},
        {"links separated", [&] { D.SeparateLinks(M.Coupler, M.Crank); }},
        {"joint detached", [&] { D.DetachJoint(M.Coupler, M.CouplerPoint); }},
        {"frame link updated", [&] { D.UpdateFrameLink(); }},
        {"origin moved to a joint", [&] { D.MoveOriginToJoint(M.B); }},
        {"joint deleted", [&] { D.DeleteJoint(M.B); }},
        {"link deleted", [&] { D.DeleteLink(M.Slide, false); }},
        {"file opened", [&] { ASSERT_TRUE(Manager.Open(Dir.File("Getriebe.kxw"))); }},
        {"another model taken over",
         [&] {
             TMechanism Drawn(Other);
             D.TakeOver(Other.D());
         }},
        {"a part of it renamed", [&] { D.Joints().Items(1)->SetIdentifier("S"); }},
        {"cleared", [&] { D.Clear(true); }},
    };
    for (const auto& [Name, Edit] : Edits) {
        SCOPED_TRACE(Name);
        Manager.Checksum();
        const int Taken = Manager.ChecksumsTaken();
        Manager.Checksum();
        EXPECT_EQ(Manager.ChecksumsTaken(), Taken) << "taken again without an edit";
        Edit();
        EXPECT_EQ(Manager.Checksum(), Manager.CalcChecksum());
    }
}

TEST_F(FileManagerTest, ModifiedTestSerialisesOnlyAfterAChange) {
    TMechanism M(Rig);
    ASSERT_TRUE(Manager.SaveAs(Dir.File("Getriebe.kxw")));
    const int Taken = Manager.ChecksumsTaken();
    for (int I = 0; I < 5; ++I)
        EXPECT_FALSE(Manager.IsModified());
    EXPECT_EQ(Manager.ChecksumsTaken(), Taken);
    M.A->SetX(5);
    M.A->SetX(0.5);
    EXPECT_FALSE(Manager.IsModified()); // away and back: the same model again
    EXPECT_EQ(Manager.ChecksumsTaken(), Taken + 1);
    M.A->SetX(5);
    EXPECT_TRUE(Manager.IsModified());
    EXPECT_EQ(Manager.ChecksumsTaken(), Taken + 2);
}

TEST_F(FileManagerTest, ChecksumIsTheSameUnderAGermanAndACLocale) {
    TMechanism M(Rig);
    std::uint32_t InC = 0;
    {
        TProcessLocale C(false);
        ASSERT_TRUE(C.Active());
        InC = Manager.CalcChecksum();
    }
    TProcessLocale German(true);
    ASSERT_TRUE(German.Active()) << "no German locale: the package locales is missing";
    TSeparatorGuard Comma(',');
    EXPECT_EQ(Manager.CalcChecksum(), InC);
}

TEST_F(FileManagerTest, ModifiedFlagIsStickyUntilTheNextSave) {
    TMechanism M(Rig);
    ASSERT_TRUE(Manager.SaveAs(Dir.File("Getriebe.kxw")));
    EXPECT_FALSE(Manager.IsModified());

    // Away and back without a test in between goes unseen.
    M.A->SetX(5);
    M.A->SetX(0.5);
    EXPECT_FALSE(Manager.IsModified());

    M.A->SetX(5);
    EXPECT_TRUE(Manager.IsModified());
    M.A->SetX(0.5);
    EXPECT_TRUE(Manager.IsModified());

    ASSERT_TRUE(Manager.Save());
    EXPECT_FALSE(Manager.IsModified());
}

TEST_F(FileManagerTest, OpeningClearsTheFlagAndTakesTheBaselineOfTheReadModel) {
    TMechanism M(Rig);
    ASSERT_TRUE(Manager.SaveAs(Dir.File("Getriebe.kxw")));
    const int Crank = M.Crank->UID();
    M.Crank->SetIdentifier("Kurbel");
    ASSERT_TRUE(Manager.IsModified());

    ASSERT_TRUE(Manager.Open(Dir.File("Getriebe.kxw")));
    EXPECT_FALSE(Manager.IsModified());
    ASSERT_NE(Rig.D().Links().FindByUID(Crank), nullptr);
    EXPECT_EQ(Rig.D().Links().FindByUID(Crank)->Identifier(), "Glied") << "the file's model";
    Rig.D().Joints().Items(1)->SetX(99);
    EXPECT_TRUE(Manager.IsModified());
    EXPECT_TRUE(Asked().empty());
}

TEST_F(FileManagerTest, DeletedFileMakesTheDocumentModified) {
    TMechanism M(Rig);
    ASSERT_TRUE(Manager.SaveAs(Dir.File("Getriebe.kxw")));
    ASSERT_FALSE(Manager.IsModified());
    fs::remove(Dir.File("Getriebe.kxw"));
    EXPECT_TRUE(Manager.IsModified());
}

TEST_F(FileManagerTest, NamesAreStoredAbsoluteAndShownWithoutTheirFolder) {
    TMechanism M(Rig);
    fs::create_directory(Dir.Path() / "Daten");
    fs::path Expected;
    {
        TWorkingFolder InDir(Dir.Path());
        Expected = fs::current_path() / "Daten" / "Getriebe.kxw";
        ASSERT_TRUE(Manager.SaveAs("Daten/Getriebe.kxw"));
    }
    EXPECT_EQ(Manager.FileName(), Expected.string());
    EXPECT_EQ(Manager.GetDisplayName(), "Getriebe.kxw");
    // Elsewhere, saving still reaches the same file.
    M.Crank->SetIdentifier("Kurbel");
    ASSERT_TRUE(Manager.Save());
    EXPECT_FALSE(Manager.IsModified());

    Manager.NewFile();
    {
        TWorkingFolder InDaten(Dir.Path() / "Daten");
        ASSERT_TRUE(Manager.Open("Getriebe.kxw"));
    }
    EXPECT_EQ(Manager.FileName(), Expected.string());
}

TEST_F(FileManagerTest, SaveWithoutANameDoesNothing) {
    TMechanism M(Rig);
    EXPECT_FALSE(Manager.Save());
    EXPECT_FALSE(Manager.SaveAs(""));
    EXPECT_TRUE(Dir.Entries().empty());
    EXPECT_EQ(Manager.GetDisplayName(), "Unbenannt0.kxw");
}

TEST_F(FileManagerTest, FailedSaveKeepsTheOldFileAndLeavesTheDocumentModified) {
    TMechanism M(Rig);
    const fs::path Folder = Dir.Path() / "schreibgeschuetzt";
    fs::create_directory(Folder);
    const std::string File = (Folder / "Getriebe.kxw").string();
    ASSERT_TRUE(Manager.SaveAs(File));
    const std::string Old = ReadFileText(File);
    ASSERT_FALSE(Old.empty());
    fs::permissions(Folder, fs::perms::owner_read | fs::perms::owner_exec);
    TWriteProtectionInForce Protected;

    // Even unchanged, a document that could not be saved counts as modified.
    EXPECT_FALSE(Manager.Save());
    EXPECT_TRUE(Manager.IsModified());

    M.Crank->SetIdentifier("Kurbel");
    EXPECT_FALSE(Manager.Save());
    EXPECT_EQ(ReadFileText(File), Old);
    std::vector<std::string> Left;
    for (const auto& E : fs::directory_iterator(Folder))
        Left.push_back(E.path().filename().string());
    EXPECT_EQ(Left, std::vector<std::string>{"Getriebe.kxw"}) << "no temporary file is left";
    EXPECT_EQ(Manager.SaveRefusal(),
              "Die Datei \"" + File +
                  "\" kann nicht geschrieben werden. Im Ordner dürfen keine Dateien angelegt "
                  "werden; beim Speichern wird die Datei durch eine neue ersetzt, die dort "
                  "entsteht.");
    EXPECT_TRUE(Manager.IsModified());
    EXPECT_EQ(Manager.FileName(), File);
    EXPECT_TRUE(Asked().empty());
}

// The folder's entries besides Keep.
std::vector<std::string> Others(const TScratchDir& Dir, const std::string& Keep) {
    std::vector<std::string> Names = Dir.Entries();
    std::erase(Names, Keep);
    return Names;
}

// A child process saves the document again and again and is killed while it writes, so that
// its temporary file stays behind.
void KillASaveMidway(TFileManager& Manager, const TScratchDir& Dir, const std::string& Keep) {
    const pid_t Child = ::fork();
    ASSERT_GE(Child, 0);
    if (Child == 0) {
        try {
            for (;;)
                Manager.Save();
        } catch (...) {
        }
        ::_exit(1);
    }
    int Status = 0;
    for (;;) {
        ASSERT_EQ(::waitpid(Child, &Status, WNOHANG), 0) << "the saving child ended";
        if (Others(Dir, Keep).empty()) {
            ::sched_yield();
            continue;
        }
        ::kill(Child, SIGSTOP);
        ::waitpid(Child, &Status, WUNTRACED);
        if (!Others(Dir, Keep).empty())
            break;
        ::kill(Child, SIGCONT);
    }
    ::kill(Child, SIGKILL);
    ::waitpid(Child, &Status, 0);
}

TEST_F(FileManagerTest, ASaveKilledMidwayLeavesNothingThatALaterSaveOrOpenKeeps) {
    TMechanism M(Rig);
    // Some 25 MB of drive values.
    for (int D = 0; D < 7; ++D) {
        TDrive* Drive = Rig.D().CreateLooseDrive();
        Drive->SetJoint(M.A0);
        Drive->SetLink0(Rig.D().Rack());
        Drive->SetLink1(M.Crank);
        Drive->SetIntervals(MaxIntervals);
        for (int I = 0; I < MaxIntervals; ++I)
            Drive->SetValue(I, -1.23456789012345e-100);
        Rig.D().AddDrive(Drive);
    }
    const std::string Name = "Getriebe.kxw";
    ASSERT_TRUE(Manager.SaveAs(Dir.File(Name)));
    const std::string Saved = ReadFileText(Dir.File(Name));

    KillASaveMidway(Manager, Dir, Name);
    const std::vector<std::string> Left = Others(Dir, Name);
    ASSERT_EQ(Left.size(), 1u);
    EXPECT_EQ(Left[0].front(), '.') << "hidden";
    {
        // A save still writing holds its file: another one leaves it alone.
        const int Writing = ::open(Dir.File(Left[0]).c_str(), O_RDONLY);
        ASSERT_EQ(::flock(Writing, LOCK_EX), 0);
        EXPECT_TRUE(Manager.Save());
        EXPECT_EQ(Others(Dir, Name), Left);
        ::close(Writing);
    }
    EXPECT_TRUE(Manager.Save());
    EXPECT_TRUE(Others(Dir, Name).empty());
    EXPECT_EQ(ReadFileText(Dir.File(Name)), Saved);

    KillASaveMidway(Manager, Dir, Name);
    ASSERT_EQ(Others(Dir, Name).size(), 1u);
    EXPECT_TRUE(Manager.Open(Dir.File(Name)));
    EXPECT_TRUE(Others(Dir, Name).empty());
    EXPECT_EQ(Rig.D().Drives().Count(), 9);
}

TEST_F(FileManagerTest, SaveAsIntoAMissingFolderFailsButTakesTheName) {
    TMechanism M(Rig);
    ASSERT_TRUE(Manager.SaveAs(Dir.File("Getriebe.kxw")));
    ASSERT_FALSE(Manager.IsModified());

    const std::string Missing = Dir.File("fehlt/Neu.kxw");
    EXPECT_FALSE(Manager.SaveAs(Missing));
    EXPECT_EQ(Manager.FileName(), Missing);
    EXPECT_EQ(Manager.GetDisplayName(), "Neu.kxw");
    EXPECT_TRUE(Manager.IsModified());
    EXPECT_EQ(Dir.Entries(), std::vector<std::string>{"Getriebe.kxw"});
    EXPECT_TRUE(Asked().empty());
}

// Each case makes a file (or none) that cannot be opened; the open document must stay exactly as
// it was, whether it was modified or not.
struct TBadOpen {
    const char* Case;
    std::function<std::string(const TScratchDir&)> Make; // the name to open
    const char* Message;                                 // the start of the message; none: nullptr
};

std::function<std::string(const TScratchDir&)> FileWith(const std::string& Text) {
    return [Text](const TScratchDir& Dir) {
        WriteFileText(Dir.File("Fremd.kxw"), Text);
        return Dir.File("Fremd.kxw");
    };
}

const char* const Unreadable = "Die Datei konnte nicht gelesen werden.";

const TBadOpen BadOpens[] = {
    {"empty name", [](const TScratchDir&) { return std::string(); }, nullptr},
    {"missing file", [](const TScratchDir& Dir) { return Dir.File("fehlt.kxw"); },
     "Datei konnte nicht gefunden werden."},
    {"newer version",
     FileWith("<?xml version=\"1.0\" encoding=\"UTF-8\"?><data><fileinfo Fileversion=\"4\" "
              "CreationTime=\"01.01.2030\" LastModfied=\"01.01.2030\"/><joints/></data>"),
     "Die Datei wurde mit einer neueren Version des Programs erstellt,"},
    {"no data element", FileWith("<?xml version=\"1.0\"?><daten><joints/></daten>"), Unreadable},
    {"not well-formed", FileWith("<?xml version=\"1.0\"?><data><joints></data>"), Unreadable},
    {"empty file", FileWith(""), Unreadable},
    {"a folder",
     [](const TScratchDir& Dir) {
         fs::create_directory(Dir.Path() / "Ordner.kxw");
         return Dir.File("Ordner.kxw");
     },
     Unreadable},
};

TEST_F(FileManagerTest, FailedOpenKeepsTheDocumentAsItWas) {
    TMechanism M(Rig);
    ASSERT_TRUE(Manager.SaveAs(Dir.File("Getriebe.kxw")));
    const TFileInfo Info = Manager.GetFileInfo();
    for (const bool Modified : {false, true}) {
        if (Modified)
            M.Crank->SetIdentifier("Kurbel");
        ASSERT_EQ(Manager.IsModified(), Modified);
        const std::uint32_t Checksum = Manager.CalcChecksum();
        const int Joints = Rig.D().Joints().Count();
        for (const TBadOpen& C : BadOpens) {
            SCOPED_TRACE(testing::Message() << C.Case << (Modified ? ", modified" : ""));
            Asked().clear();
            EXPECT_FALSE(Manager.Open(C.Make(Dir)));
            EXPECT_EQ(Manager.GetDisplayName(), "Getriebe.kxw");
            EXPECT_EQ(Rig.D().Joints().Count(), Joints);
            EXPECT_EQ(Rig.D().Links().Items(1), M.Crank);
            EXPECT_EQ(Manager.CalcChecksum(), Checksum);
            EXPECT_EQ(Manager.IsModified(), Modified);
            ExpectSameInfo(Manager.GetFileInfo(), Info);
            if (!C.Message) {
                EXPECT_TRUE(Asked().empty());
                continue;
            }
            ASSERT_EQ(Asked().size(), 1u);
            EXPECT_EQ(Asked()[0].Text.rfind(C.Message, 0), 0u) << Asked()[0].Text;
            EXPECT_EQ(Asked()[0].Type, TMsgDlgType::mtInformation);
            EXPECT_EQ(Asked()[0].Buttons, TMsgDlgButtons{mbOK});
        }
    }
}

TEST_F(FileManagerTest, FileInfoIsWhatTheFileGaveAndSavingStampsNoNewCreationTime) {
    WriteFileText(Dir.File("Alt.kxw"),
                  "<?xml version=\"1.0\" encoding=\"UTF-8\"?><data><fileinfo Fileversion=\"3\" "
                  "CreationTime=\"24.12.2020 18:30:00\" LastModfied=\"31.12.2021\"/></data>");
    ASSERT_TRUE(Manager.Open(Dir.File("Alt.kxw")));
    const TFileInfo FromFile{3, EncodeFileDateTime(2020, 12, 24, 18, 30),
                             EncodeFileDateTime(2021, 12, 31)};
    ExpectSameInfo(Manager.GetFileInfo(), FromFile);
    ASSERT_TRUE(Manager.Save());
    ExpectSameInfo(Manager.GetFileInfo(), FromFile);
    Manager.NewFile();
    ExpectSameInfo(Manager.GetFileInfo(), {3, FixedNow, FixedNow});
}

// The first day of year 1 lies at the edge of what the file holds; its time of day survives.
TEST_F(FileManagerTest, CreationTimeOnTheFirstDayOfYearOneIsSavedAsRead) {
    const std::string Time = "01.01.0001 12:00:00";
    WriteFileText(Dir.File("Alt.kxw"), "<?xml version=\"1.0\" encoding=\"UTF-8\"?><data><fileinfo "
                                       "Fileversion=\"3\" CreationTime=\"" +
                                           Time + "\"/></data>");
    ASSERT_TRUE(Manager.Open(Dir.File("Alt.kxw")));
    ASSERT_TRUE(Manager.Save());
    EXPECT_NE(ReadFileText(Dir.File("Alt.kxw")).find("CreationTime=\"" + Time + "\""),
              std::string::npos);
    ASSERT_TRUE(Manager.Open(Dir.File("Alt.kxw")));
    EXPECT_EQ(Manager.GetFileInfo().CreationTime, EncodeFileDateTime(1, 1, 1, 12));
}

} // namespace
