#include "ui/fmMainActions.h"

#include <cassert>

namespace {

struct TActionText {
    const char* Name;
    const char* Caption;
    const char* Hint; // empty: the command has no hint of its own
    bool Checkable;
};

// The order is the command list's; captions and hints are the users' familiar texts, kept
// letter for letter.
constexpr TActionText ActionTexts[] = {
    {"aAbout", "Info ...", "", false},
    {"aEdit", "Bearbeiten", "Editiermodus", true},
    {"aAnimate", "Animation", "Animationsmodus", true},
    {"aCreateLink", "Getriebeglied erstellen", "Getriebeglied erstellen", true},
    {"aCreateSlider", "Gleitstein erstellen", "Gleitstein erstellen", true},
    {"aCreateRackPoint", "Gestellpunkt erstellen", "Gestellpunkt erstellen", true},
    {"aAddRotDrive", "Drehenden Antrieb hinzufügen", "Ausgewähltes Glied als Antrieb", false},
    {"aAddJoint", "Koppelpunkt hinzufügen", "Koppelpunkt hinzufügen", false},
    {"aFileNew", "Neu", "Neue Datei", false},
    {"aFileOpen", "Öffnen", "Datei öffnen", false},
    {"aFileSave", "Speichern", "Datei speichern", false},
    {"aFileSaveAs", "Speichern unter ...", "Datei speichern unter ...", false},
    {"aClose", "Beenden", "Programm beenden", false},
    {"aDelete", "Löschen", "Objekt löschen", false},
    {"aSeperate", "Trennen", "Verbindung in gewähltem Gelenk trennen", false},
    {"a2ndMotionPoint", "2. Bewegungsbereich", "Zweiten Bewegungsbereich anzeigen", false},
    {"aOriginInJoint", "Ursprung in Gelenk setzen", "Koordinatenursprung in gewähltes Gelenk legen",
     false},
    {"aLinkCurves", "Koppelkurven löschen", "Alle Koppelkurven von gewähltem Glied zeichnen",
     false},
    {"aZoomIn", "Vergrössern", "Ansicht vergrössern", false},
    {"aZoomOut", "Verkleinern", "Ansicht verkleinern", false},
    {"aZoomFit", "Anpassen", "Ansicht anpassen", false},
    {"aAnimStart", "Start", "Animation Starten", false},
    {"aAnimStop", "Stop", "Stopp", false},
    {"aAnimPause", "Pause", "Pause", false},
    {"aAnimNext", "Nächster", "Vor", false},
    {"aAnimPrev", "Zurück", "Zurück", false},
    {"aOptions", "Einstellungen ...", "Einstellungen ...", false},
    {"aProperties", "Eigenschaften", "", false},
    {"aAddSlideDrive", "Schiebenden Antrieb hinzufügen",
     "Macht den gewählten Gleitstein zum Antrieb", false},
    {"aRemoveLinkCurves", "aRemoveLinkCurves", "Alle Koppelkurven von gewähltem Glied entfernen",
     false},
    {"aToggleCanMove", "Bewegen", "Aktiviert das Bewegen von Gliedern", true},
    {"aCenterView", "Zentrieren", "Zentriert die aktuelle Ansicht", false},
    {"aShowGearDescription", "Getriebeinformationen ...", "Zeigt Informationen zu dem Getriebe an",
     false},
    {"aPrint", "Drucken ...", "", false},
    {"aShowFunc", "Übertragungsfunktionen ...", "Übertragungsfunktionen ...", false},
};

} // namespace

TMainActions::TMainActions(QObject* Owner) {
    for (const TActionText& T : ActionTexts) {
        auto* Action = new QAction(QString::fromUtf8(T.Caption), Owner);
        Action->setObjectName(QString::fromLatin1(T.Name));
        // The hint is the tool tip only: the status bar's panels carry the model's state.
        if (*T.Hint)
            Action->setToolTip(QString::fromUtf8(T.Hint));
        Action->setCheckable(T.Checkable);
        // Captions such as "Info ..." hold no accelerator marks; none is derived either.
        Action->setIconVisibleInMenu(false);
        FByName.insert(Action->objectName(), Action);
    }
}

QAction* TMainActions::operator[](const char* Name) const {
    QAction* Action = FByName.value(QString::fromLatin1(Name));
    assert(Action && "unknown command");
    return Action;
}
