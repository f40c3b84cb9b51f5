#include "ui/fmMainActions.h"

#include "gear/uCouplerPoints.h"
#include "gear/uGear.h"
#include "gear/uJoint.h"
#include "gear/uLink.h"
#include "gear/uLinkKind.h"
#include "gear/uSlider.h"
#include "platform/qt/QtGuard.h"
#include "ui/fmMain.h"

#include <algorithm>
#include <stdexcept>
#include <string>
#include <string_view>

namespace {

using enum TCommandSite;

// ---- enable and check rules ----

bool Editing(const TCommandState& S) {
    return S.Editing;
}
bool Animating(const TCommandState& S) {
    return S.Animating;
}
bool Modified(const TCommandState& S) {
    return S.Modified;
}
bool CanMoveItems(const TCommandState& S) {
    return S.Gear.CanMoveItems();
}
bool EditingOneLink(const TCommandState& S) {
    return S.Editing && S.Link;
}
bool CanDelete(const TCommandState& S) {
    return S.Editing && (S.SelectedJoints > 0 || S.SelectedLinks > 0);
}
bool CanAddJoint(const TCommandState& S) {
    return EditingOneLink(S) && !S.Data.IsSlideLink(S.Link);
}
bool CanMoveOrigin(const TCommandState& S) {
    return S.Editing && S.Joint && S.Data.IsFrameJoint(S.Joint);
}
// A selected bar is driven itself; otherwise the one selected joint is.
bool CanAddRotaryDrive(const TCommandState& S) {
    if (EditingOneLink(S) && AsBar(S.Link))
        return S.Data.CanAddDriveToLink(S.Link, false);
    return S.Editing && S.Joint && S.Data.CanAddRotaryDrive(S.Joint, false);
}
bool CanAddSlidingDrive(const TCommandState& S) {
    return EditingOneLink(S) && AsSlider(S.Link) && S.Data.CanAddDriveToLink(S.Link, true);
}
bool CanSeparate(const TCommandState& S) {
    return S.Editing && S.Joint && S.Joint->Links().Count() >= 2;
}
bool CanChangeAssembly(const TCommandState& S) {
    return S.Editing && S.Joint && HasSecondAssemblyPosition(*S.Joint);
}
template <TGearPartType Type> bool Creating(const TCommandState& S) {
    const TGearPartCreator& Creator = S.Gear.PartCreator();
    return Creator.IsCreating() && Creator.PartType() == Type;
}
bool CanPlay(const TCommandState& S) {
    return S.Animating && S.Gear.CanAnimate() && !S.Gear.Animator().IsPlaying();
}
bool CanStop(const TCommandState& S) {
    return S.Animating && S.Gear.CanAnimate() && S.Gear.Animator().IsPlaying();
}
bool CanPause(const TCommandState& S) {
    const TAnimator& Animator = S.Gear.Animator();
    return S.Animating && (Animator.IsPlaying() || Animator.IsPaused());
}
bool CanStep(const TCommandState& S) {
    return CanPlay(S) || (S.Animating && S.Gear.Animator().IsPaused());
}

// ---- the commands ----

// One row of the table, its columns set by name; what is not set is off or empty.
class TRow {
public:
    constexpr TRow(const char* Name, const char* Caption, const char* Hint,
                   void (TFormMain::*Execute)())
        : FCommand{Name, Caption, Hint, false, "", Execute, nullptr, nullptr, {}} {}
    constexpr operator TCommand() const { return FCommand; }

    // Its image is the program's one of the command's name.
    constexpr TRow Icon() const {
        TRow R = *this;
        R.FCommand.Icon = FCommand.Name;
        return R;
    }
    constexpr TRow Enabled(TCommandRule Rule) const {
        TRow R = *this;
        R.FCommand.Enabled = Rule;
        return R;
    }
    // A checkable command, checked as Rule says.
    constexpr TRow Checked(TCommandRule Rule) const {
        TRow R = *this;
        R.FCommand.Checkable = true;
        R.FCommand.Checked = Rule;
        return R;
    }
    constexpr TRow At(TCommandSite Site, int Order, int GapBefore = 0) const {
        return Place({Site, Order, GapBefore});
    }
    // A right-hand button, with a hint of its own or the command's.
    constexpr TRow Right(int Order, const char* Hint = "") const {
        return Place({TCommandSite::RightBar, Order, 0, Hint});
    }
    // A mode button, named for those who look for it.
    constexpr TRow Mode(int Order, int GapBefore, const char* Button) const {
        return Place({TCommandSite::ModeBar, Order, GapBefore, "", Button});
    }

private:
    constexpr TRow Place(TCommandPlace P) const {
        TRow R = *this;
        for (TCommandPlace& Free : R.FCommand.Places)
            if (Free.Site == None) {
                Free = P;
                return R;
            }
        throw "a command has more places than a row holds";
    }

    TCommand FCommand;
};

using F = TFormMain;

// The order is the command list's; captions and hints are the users' familiar texts, kept
// letter for letter. The menus' own items come last.
constexpr TCommand Commands[] = {
    TRow("aAbout", "Info ...", "", &F::aAboutExecute).At(HelpMenu, 1),
    TRow("aEdit", "Bearbeiten", "Editiermodus", &F::aEditExecute)
        .Icon()
        .Checked(Editing)
        .Mode(0, 0, "tbEdit"),
    TRow("aAnimate", "Animation", "Animationsmodus", &F::aAnimateExecute)
        .Icon()
        .Checked(Animating)
        .Mode(2, 2, "tbAnimate"),
    TRow("aCreateLink", "Getriebeglied erstellen", "Getriebeglied erstellen",
         &F::aCreateLinkExecute)
        .Icon()
        .Enabled(Editing)
        .Checked(Creating<TGearPartType::ptLink>)
        .At(EditMenu, 0)
        .Right(2),
    TRow("aCreateSlider", "Gleitstein erstellen", "Gleitstein erstellen", &F::aCreateSliderExecute)
        .Icon()
        .Enabled(Editing)
        .Checked(Creating<TGearPartType::ptSlider>)
        .At(EditMenu, 1)
        .Right(1),
    TRow("aCreateRackPoint", "Gestellpunkt erstellen", "Gestellpunkt erstellen",
         &F::aCreateRackPointExecute)
        .Icon()
        .Enabled(Editing)
        .Checked(Creating<TGearPartType::ptRackJoint>)
        .At(EditMenu, 2)
        .Right(0),
    TRow("aAddRotDrive", "Drehenden Antrieb hinzufügen", "Ausgewähltes Glied als Antrieb",
         &F::aAddRotDriveExecute)
        .Icon()
        .Enabled(CanAddRotaryDrive)
        .At(EditMenu, 4)
        .Right(5, "Kurbel als Antrieb ..."),
    TRow("aAddJoint", "Koppelpunkt hinzufügen", "Koppelpunkt hinzufügen", &F::aAddJointExecute)
        .Icon()
        .Enabled(CanAddJoint)
        .At(EditMenu, 3, 1)
        .Right(3),
    TRow("aFileNew", "Neu", "Neue Datei", &F::aFileNewExecute)
        .Icon()
        .At(FileMenu, 0)
        .At(FileBar, 0),
    TRow("aFileOpen", "Öffnen", "Datei öffnen", &F::aFileOpenExecute)
        .Icon()
        .At(FileMenu, 1)
        .At(FileBar, 1),
    TRow("aFileSave", "Speichern", "Datei speichern", &F::aFileSaveExecute)
        .Icon()
        .Enabled(Modified)
        .At(FileMenu, 3, 1)
        .At(FileBar, 2),
    TRow("aFileSaveAs", "Speichern unter ...", "Datei speichern unter ...", &F::aFileSaveAsExecute)
        .At(FileMenu, 4),
    TRow("aClose", "Beenden", "Programm beenden", &F::aCloseExecute).At(FileMenu, 7, 1),
    TRow("aDelete", "Löschen", "Objekt löschen", &F::aDeleteExecute)
        .Icon()
        .Enabled(CanDelete)
        .At(EditMenu, 6, 1)
        .Right(11),
    TRow("aSeperate", "Trennen", "Verbindung in gewähltem Gelenk trennen", &F::aSeperateExecute)
        .Icon()
        .Enabled(CanSeparate)
        .At(EditMenu, 7)
        .Right(8, "Gelenk trennen"),
    TRow("a2ndMotionPoint", "2. Bewegungsbereich", "Zweiten Bewegungsbereich anzeigen",
         &F::a2ndMotionPointExecute)
        .Icon()
        .Enabled(CanChangeAssembly)
        .At(EditMenu, 9)
        .Right(9, "Bewegungsbereich ändern"),
    TRow("aOriginInJoint", "Ursprung in Gelenk setzen",
         "Koordinatenursprung in gewähltes Gelenk legen", &F::aOriginInJointExecute)
        .Icon()
        .Enabled(CanMoveOrigin)
        .At(EditMenu, 10)
        .Right(10),
    TRow("aLinkCurves", "Koppelkurven löschen", "Alle Koppelkurven von gewähltem Glied zeichnen",
         &F::aLinkCurvesExecute)
        .Icon()
        .Enabled(EditingOneLink)
        .At(EditMenu, 8, 1)
        .Right(6, "Koppelkurven aller Punkte"),
    TRow("aZoomIn", "Vergrössern", "Ansicht vergrössern", &F::aZoomInExecute)
        .Icon()
        .At(ViewMenu, 1)
        .At(ViewBar, 0)
        .At(CanvasMenu, 1),
    TRow("aZoomOut", "Verkleinern", "Ansicht verkleinern", &F::aZoomOutExecute)
        .Icon()
        .At(ViewMenu, 2)
        .At(ViewBar, 1)
        .At(CanvasMenu, 2),
    TRow("aZoomFit", "Anpassen", "Ansicht anpassen", &F::aZoomFitExecute)
        .Icon()
        .At(ViewMenu, 0)
        .At(ViewBar, 2)
        .At(CanvasMenu, 3),
    TRow("aAnimStart", "Start", "Animation Starten", &F::aAnimStartExecute)
        .Icon()
        .Enabled(CanPlay)
        .At(AnimationMenu, 0)
        .At(AnimationBar, 0),
    TRow("aAnimStop", "Stop", "Stopp", &F::aAnimStopExecute)
        .Icon()
        .Enabled(CanStop)
        .At(AnimationMenu, 1)
        .At(AnimationBar, 2),
    TRow("aAnimPause", "Pause", "Pause", &F::aAnimPauseExecute)
        .Icon()
        .Enabled(CanPause)
        .At(AnimationMenu, 2)
        .At(AnimationBar, 1),
    TRow("aAnimNext", "Nächster", "Vor", &F::aAnimNextExecute)
        .Icon()
        .Enabled(CanStep)
        .At(AnimationMenu, 3)
        .At(AnimationBar, 3),
    TRow("aAnimPrev", "Zurück", "Zurück", &F::aAnimPrevExecute)
        .Icon()
        .Enabled(CanStep)
        .At(AnimationMenu, 4)
        .At(AnimationBar, 4),
    TRow("aOptions", "Einstellungen ...", "Einstellungen ...", &F::aOptionsExecute)
        .Icon()
        .At(ViewMenu, 5)
        .At(FileBar, 3, 1),
    TRow("aProperties", "Eigenschaften", "", &F::aPropertiesExecute),
    TRow("aAddSlideDrive", "Schiebenden Antrieb hinzufügen",
         "Macht den gewählten Gleitstein zum Antrieb", &F::aAddSlideDriveExecute)
        .Icon()
        .Enabled(CanAddSlidingDrive)
        .At(EditMenu, 5)
        .Right(4, "Gleitstein als Antrieb..."),
    TRow("aRemoveLinkCurves", "aRemoveLinkCurves",
         "Alle Koppelkurven von gewähltem Glied entfernen", &F::aRemoveLinkCurvesExecute)
        .Icon()
        .Enabled(EditingOneLink)
        .Right(7, "Koppelkurven entfernen"),
    TRow("aToggleCanMove", "Bewegen", "Aktiviert das Bewegen von Gliedern",
         &F::aToggleCanMoveExecute)
        .Icon()
        .Checked(CanMoveItems)
        .At(ModeBar, 1),
    TRow("aCenterView", "Zentrieren", "Zentriert die aktuelle Ansicht", &F::aCenterViewExecute)
        .At(CanvasMenu, 0),
    TRow("aShowGearDescription", "Getriebeinformationen ...",
         "Zeigt Informationen zu dem Getriebe an", &F::aShowGearDescriptionExecute)
        .Icon()
        .At(ViewMenu, 4)
        .At(FileBar, 4),
    TRow("aPrint", "Drucken ...", "", &F::aPrintExecute),
    TRow("aShowFunc", "Übertragungsfunktionen ...", "Übertragungsfunktionen ...",
         &F::aShowFuncExecute)
        .Icon()
        .Enabled(Animating)
        .At(ViewMenu, 3, 1)
        .At(ModeBar, 3),
    // The menu names printing shorter than the command does elsewhere.
    TRow("Drucken1", "Drucken", "", &F::PrintMenuExecute).At(FileMenu, 5, 1),
    TRow("Druckereinrichten1", "Drucker einrichten...", "", &F::PrinterSetupExecute)
        .At(FileMenu, 6),
    TRow("Startbildschirm1", "Startbildschirm", "", &F::StartWindowExecute).At(HelpMenu, 0),
};

constexpr bool EachNameOnce() {
    for (std::size_t I = 0; I < std::size(Commands); ++I)
        for (std::size_t J = I + 1; J < std::size(Commands); ++J)
            if (std::string_view(Commands[I].Name) == Commands[J].Name)
                return false;
    return true;
}
static_assert(EachNameOnce(), "two commands share a name");

constexpr bool EachPlaceOnce() {
    for (const TCommand& A : Commands)
        for (const TCommandPlace& P : A.Places) {
            if (P.Site == None)
                continue;
            if (P.Site == FileMenu && P.Order == RecentFilesOrder)
                return false;
            int Taken = 0;
            for (const TCommand& B : Commands)
                for (const TCommandPlace& Q : B.Places)
                    Taken += Q.Site == P.Site && Q.Order == P.Order;
            if (Taken != 1)
                return false;
        }
    return true;
}
static_assert(EachPlaceOnce(), "two entries share a place");

} // namespace

std::span<const TCommand> MainCommands() {
    return Commands;
}

TMainActions::TMainActions(QObject* Owner) {
    for (const TCommand& C : Commands) {
        auto* Action = new QAction(QString::fromUtf8(C.Caption), Owner);
        Action->setObjectName(QString::fromLatin1(C.Name));
        // The hint is the tool tip only: the status bar's panels carry the model's state.
        if (*C.Hint)
            Action->setToolTip(QString::fromUtf8(C.Hint));
        Action->setCheckable(C.Checkable);
        // Captions such as "Info ..." hold no accelerator marks; none is derived either.
        Action->setIconVisibleInMenu(false);
        FActions.push_back(Action);
        FByName.insert(Action->objectName(), Action);
    }
}

QAction* TMainActions::operator[](const char* Name) const {
    if (QAction* Action = FByName.value(QString::fromLatin1(Name)))
        return Action;
    throw std::invalid_argument(std::string("unknown command ") + Name);
}

void TMainActions::Connect(TFormMain& Window) const {
    for (std::size_t I = 0; I < FActions.size(); ++I)
        GuardedConnect(FActions[I], &QAction::triggered, &Window,
                       [&Window, Execute = Commands[I].Execute] { (Window.*Execute)(); });
}

void TMainActions::Update(const TCommandState& State) const {
    for (std::size_t I = 0; I < FActions.size(); ++I) {
        if (Commands[I].Enabled)
            FActions[I]->setEnabled(Commands[I].Enabled(State));
        if (Commands[I].Checked)
            FActions[I]->setChecked(Commands[I].Checked(State));
    }
}

std::vector<TSiteEntry> TMainActions::On(TCommandSite Site) const {
    std::vector<TSiteEntry> Entries;
    for (std::size_t I = 0; I < FActions.size(); ++I)
        for (const TCommandPlace& P : Commands[I].Places)
            if (P.Site == Site)
                Entries.push_back({FActions[I], &Commands[I], &P});
    std::sort(Entries.begin(), Entries.end(), [](const TSiteEntry& A, const TSiteEntry& B) {
        return A.Place->Order < B.Place->Order;
    });
    return Entries;
}
