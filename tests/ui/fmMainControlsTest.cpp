// Which commands the main window offers in each state of the mechanism, the selection, the part
// being drawn and the animation.
#include "MainWindowRig.h"

#include <functional>
#include <set>

namespace {

using TNameSet = std::set<std::string>;

// Commands that no state ever disables.
const TNameSet AlwaysEnabled = {
    "aAbout",      "aEdit",       "aAnimate",       "aFileNew",    "aFileOpen",
    "aFileSaveAs", "aClose",      "aZoomIn",        "aZoomOut",    "aZoomFit",
    "aOptions",    "aProperties", "aToggleCanMove", "aCenterView", "aShowGearDescription",
    "aPrint"};

const char* const AllActions[] = {"aAbout",          "aEdit",          "aAnimate",
                                  "aCreateLink",     "aCreateSlider",  "aCreateRackPoint",
                                  "aAddRotDrive",    "aAddJoint",      "aFileNew",
                                  "aFileOpen",       "aFileSave",      "aFileSaveAs",
                                  "aClose",          "aDelete",        "aSeperate",
                                  "a2ndMotionPoint", "aOriginInJoint", "aLinkCurves",
                                  "aZoomIn",         "aZoomOut",       "aZoomFit",
                                  "aAnimStart",      "aAnimStop",      "aAnimPause",
                                  "aAnimNext",       "aAnimPrev",      "aOptions",
                                  "aProperties",     "aAddSlideDrive", "aRemoveLinkCurves",
                                  "aToggleCanMove",  "aCenterView",    "aShowGearDescription",
                                  "aPrint",          "aShowFunc"};

const TNameSet Create = {"aCreateLink", "aCreateSlider", "aCreateRackPoint"};

TNameSet Plus(TNameSet Set, const TNameSet& More) {
    Set.insert(More.begin(), More.end());
    return Set;
}

class FormMainControls : public TMainWindowTest {
public:
    // A slide bar from (0, 50) to (100, 50) and a joint J at (30, 50) that a bar from A (30, 0)
    // and a slider on the slide bar share, attached in the given order.
    TJoint* SharedBySliderAndBar(bool SliderFirst) {
        TLink* Slide = Build->Link({Build->Joint(0, 50), Build->Joint(100, 50)});
        TJoint* J = Build->Joint(30, 50);
        TJoint* A = Build->Joint(30, 0);
        if (SliderFirst) {
            Build->Slider(Slide, J);
            Build->Link({J, A});
        } else {
            Build->Link({A, J});
            Build->Slider(Slide, J);
        }
        Changed();
        return J;
    }

    // The crank rocker saved, so that it is not modified, then animated.
    void Animate() {
        CrankRocker();
        ASSERT_TRUE(Form->FileManager()->SaveAs(Scratch.File("crank.kxw")));
        Run("aAnimate");
        ASSERT_TRUE(Gear().Animating());
    }
};

struct TStateCase {
    const char* Name;
    std::function<void(FormMainControls&)> Enter;
    TNameSet Enabled; // besides the always enabled ones
    TNameSet Checked;
};

TEST_F(FormMainControls, EachStateOffersItsCommands) {
    const TNameSet EditChecks = {"aEdit", "aToggleCanMove"};
    const TNameSet Editing = Plus(Create, {"aFileSave"});
    const TNameSet AnimChecks = {"aAnimate", "aToggleCanMove"};
    const std::vector<TStateCase> Cases = {
        {"fresh", [](FormMainControls&) {}, Editing, EditChecks},
        {"one bar", [](FormMainControls& T) { T.Select(T.CrankRocker().Rocker); },
         Plus(Editing,
              {"aDelete", "aAddJoint", "aLinkCurves", "aRemoveLinkCurves", "aAddRotDrive"}),
         EditChecks},
        {"the driven crank", [](FormMainControls& T) { T.Select(T.CrankRocker().Crank); },
         Plus(Editing, {"aDelete", "aAddJoint", "aLinkCurves", "aRemoveLinkCurves"}), EditChecks},
        {"a bar that shares no joint with the frame",
         [](FormMainControls& T) { T.Select(T.CrankRocker().Coupler); },
         Plus(Editing, {"aDelete", "aAddJoint", "aLinkCurves", "aRemoveLinkCurves"}), EditChecks},
        {"one frame joint without a drive",
         [](FormMainControls& T) { T.Select(T.CrankRocker().D); },
         Plus(Editing, {"aDelete", "aOriginInJoint", "aAddRotDrive", "aSeperate"}), EditChecks},
        {"joint of two bars", [](FormMainControls& T) { T.Select(T.CrankRocker().B); },
         Plus(Editing, {"aDelete", "aSeperate", "a2ndMotionPoint"}), EditChecks},
        {"joint bar then slider",
         [](FormMainControls& T) { T.Select(T.SharedBySliderAndBar(false)); },
         Plus(Editing, {"aDelete", "aSeperate"}), EditChecks},
        {"joint slider then bar",
         [](FormMainControls& T) { T.Select(T.SharedBySliderAndBar(true)); },
         Plus(Editing, {"aDelete", "aSeperate", "a2ndMotionPoint"}), EditChecks},
        {"slider on a slide link",
         [](FormMainControls& T) { T.Select(T.SharedBySliderAndBar(true)->Links().First()); },
         Plus(Editing,
              {"aDelete", "aAddJoint", "aLinkCurves", "aRemoveLinkCurves", "aAddSlideDrive"}),
         EditChecks},
        {"the slide link itself",
         [](FormMainControls& T) {
             T.Select(T.Model().FindSlideLink(
                 static_cast<TSlider*>(T.SharedBySliderAndBar(true)->Links().First())));
         },
         Plus(Editing, {"aDelete", "aLinkCurves", "aRemoveLinkCurves"}), EditChecks},
        {"creating a link", [](FormMainControls& T) { T.Run("aCreateLink"); }, Editing,
         Plus(EditChecks, {"aCreateLink"})},
        {"creating a frame joint", [](FormMainControls& T) { T.Run("aCreateRackPoint"); }, Editing,
         Plus(EditChecks, {"aCreateRackPoint"})},
        {"animation stopped",
         [](FormMainControls& T) { T.Animate(); },
         {"aAnimStart", "aAnimNext", "aAnimPrev", "aShowFunc"},
         AnimChecks},
        {"animation playing",
         [](FormMainControls& T) {
             T.Animate();
             T.Run("aAnimStart");
         },
         {"aAnimStop", "aAnimPause", "aShowFunc"},
         AnimChecks},
        {"animation paused",
         [](FormMainControls& T) {
             T.Animate();
             T.Run("aAnimStart");
             T.Run("aAnimPause");
         },
         {"aAnimStart", "aAnimPause", "aAnimNext", "aAnimPrev", "aShowFunc"},
         AnimChecks},
    };
    for (const TStateCase& C : Cases) {
        SCOPED_TRACE(C.Name);
        // Each state starts from a new window.
        Reopen();
        C.Enter(*this);
        for (const char* Name : AllActions) {
            SCOPED_TRACE(Name);
            EXPECT_EQ(Action(Name)->isEnabled(),
                      AlwaysEnabled.count(Name) > 0 || C.Enabled.count(Name) > 0);
            EXPECT_EQ(Action(Name)->isChecked(), C.Checked.count(Name) > 0);
        }
        const bool Editing = Gear().Editing();
        for (QToolButton* B : RightButtons()) {
            SCOPED_TRACE(B->defaultAction()->objectName().toStdString());
            EXPECT_EQ(B->isEnabled(), Editing && B->defaultAction()->isEnabled());
            EXPECT_EQ(B->isChecked(), B->defaultAction()->isChecked());
        }
        for (const char* Mode : {"tbEdit", "tbAnimate"}) {
            auto* Button = Form->findChild<QToolButton*>(QString::fromLatin1(Mode));
            ASSERT_NE(Button, nullptr);
            EXPECT_EQ(Button->isChecked(), Editing == (std::string(Mode) == "tbEdit")) << Mode;
        }
    }
}

} // namespace
