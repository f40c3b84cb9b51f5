// Every dialog, on each of its pages, is wide enough for its texts on this machine's fonts: no
// label, button, tab row or field is narrower than what it shows needs.
#include "gear/GearRig.h"
#include "support/BuilderChecks.h"
#include "support/DialogDriver.h"
#include "ui/ColorBox.h"
#include "ui/fmAbout_new.h"
#include "ui/fmColorSelect.h"
#include "ui/fmCoordRect.h"
#include "ui/fmDriveEdit.h"
#include "ui/fmDriveEditValues.h"
#include "ui/fmGearDesc.h"
#include "ui/fmJointEdit.h"
#include "ui/fmLinkEdit.h"
#include "ui/fmOptions.h"
#include "ui/fmPrintOptions.h"
#include "ui/fmSelFill.h"
#include "ui/fmSelLink.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTabBar>
#include <QTabWidget>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

// The width a control needs to show all it holds; 0 for the controls that need no check.
int NeededWidth(const QWidget& W) {
    if (const auto* Label = qobject_cast<const QLabel*>(&W))
        return Label->wordWrap() || Label->text().isEmpty() ? 0 : Label->sizeHint().width();
    if (const auto* Field = qobject_cast<const QLineEdit*>(&W)) {
        const int Frame =
            Field->hasFrame() ? 2 * Field->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) : 0;
        const QMargins Margins = Field->textMargins();
        // Qt keeps two pixels free on either side of the text.
        return Field->fontMetrics().horizontalAdvance(Field->text()) + Frame + Margins.left() +
               Margins.right() + 4;
    }
    // A tab row's scroll arrows are not shown when every tab fits.
    if (qobject_cast<const QTabBar*>(W.parent()))
        return 0;
    if (qobject_cast<const QAbstractButton*>(&W) || qobject_cast<const QComboBox*>(&W) ||
        qobject_cast<const QAbstractSpinBox*>(&W) || qobject_cast<const QTabBar*>(&W))
        return W.sizeHint().width();
    return 0;
}

std::string Describe(const QWidget& W) {
    std::string Text = W.metaObject()->className();
    if (!W.objectName().isEmpty())
        Text += " " + W.objectName().toStdString();
    if (const auto* Label = qobject_cast<const QLabel*>(&W))
        Text += " \"" + Label->text().toStdString() + "\"";
    if (const auto* Button = qobject_cast<const QAbstractButton*>(&W))
        Text += " \"" + Button->text().toStdString() + "\"";
    if (const auto* Field = qobject_cast<const QLineEdit*>(&W))
        Text += " \"" + Field->text().toStdString() + "\"";
    return Text;
}

// Whether the drop-down box shows its current entry, swatch and text, whole.
void ExpectEntryShownWhole(const QComboBox& Box) {
    QStyleOptionComboBox Option;
    Option.initFrom(&Box);
    Option.editable = Box.isEditable();
    Option.frame = Box.hasFrame();
    Option.iconSize = Box.iconSize();
    const QRect Field = Box.style()->subControlRect(QStyle::CC_ComboBox, &Option,
                                                    QStyle::SC_ComboBoxEditField, &Box);
    const int Swatch = Box.itemIcon(Box.currentIndex()).isNull() ? 0 : Box.iconSize().width() + 4;
    EXPECT_GE(Field.width(), Swatch + Box.fontMetrics().horizontalAdvance(Box.currentText()))
        << Describe(Box) << " \"" << Box.currentText().toStdString() << "\"";
}

// A field's new width travels up one layout per round of events, as the event loop runs.
void Settle() {
    for (int Round = 0; Round < 10; ++Round)
        QApplication::processEvents();
}

// Checks every control the window shows now, as a grab lays it out and paints it.
void ExpectFits(QWidget& Window, const std::string& Page) {
    SCOPED_TRACE(Page);
    Settle();
    Window.grab();
    for (const QWidget* W : Window.findChildren<QWidget*>()) {
        if (!W->isVisibleTo(&Window))
            continue;
        EXPECT_GE(W->width(), NeededWidth(*W)) << Describe(*W);
        if (const auto* Box = qobject_cast<const QComboBox*>(W))
            ExpectEntryShownWhole(*Box);
    }
}

// Every page of the tab pages within Window, each with every page of the tab pages within it.
void ExpectEveryPageFits(QWidget& Window, const std::string& Name) {
    const QList<QTabWidget*> Tabs = Window.findChildren<QTabWidget*>();
    if (Tabs.isEmpty()) {
        ExpectFits(Window, Name);
        return;
    }
    QTabWidget* Outer = Tabs.front();
    for (int I = 0; I < Outer->count(); ++I) {
        Outer->setCurrentIndex(I);
        const std::string Page = Name + " / " + Outer->tabText(I).toStdString();
        QList<QTabWidget*> Inner = Outer->widget(I)->findChildren<QTabWidget*>();
        if (Inner.isEmpty()) {
            ExpectFits(Window, Page);
            continue;
        }
        for (int J = 0; J < Inner.front()->count(); ++J) {
            Inner.front()->setCurrentIndex(J);
            ExpectFits(Window, Page + " / " + Inner.front()->tabText(J).toStdString());
        }
    }
}

class DialogFit : public ::testing::Test {
protected:
    DialogFit() {
        Rig.CrankRocker();
        Rig.TurnOnce(36);
        TCheckedBuilder More(Rig.D());
        Slide = More.Link({More.Joint(60, 0), More.Joint(100, 0)});
        Slide->SetIdentifier("Bahn");
        Slider = More.Slider(Slide, 80, 0);
        Sliding = Rig.D().AddSlidingDrive(Slider, true);
        Rig.Adopt();
    }

    // Shows Dialog modally, as the program does, and checks it while it is up.
    void ExpectShownFits(QDialog& Dialog, const std::function<void()>& Show,
                         const std::string& Name) {
        Scripts.On(Dialog, [&] {
            ExpectEveryPageFits(Dialog, Name);
            Dialog.reject();
        });
        Show();
    }

    QApplication& App = QtTestApp();
    TGearRig Rig;
    TLink* Slide = nullptr;
    TSlider* Slider = nullptr;
    TDrive* Sliding = nullptr;
    TDialogScripts Scripts;
};

TEST_F(DialogFit, EveryDialogAndPageShowsItsTextsWhole) {
    {
        TFormOptions Options([] {});
        Options.show();
        ExpectEveryPageFits(Options, "Einstellungen");
    }
    {
        TFormJointEdit Joint(*Rig.Gear);
        ExpectShownFits(
            Joint,
            [&] {
                Joint.SetJoint(Rig.B);
                RunModal(Joint);
            },
            "Gelenk");
    }
    {
        TFormLinkEdit Link(*Rig.Gear, [](TDrive&) { return false; });
        for (TCustomLink* Shown : std::vector<TCustomLink*>{Rig.Coupler, Rig.G().Rack(), Slider})
            ExpectShownFits(
                Link,
                [&] {
                    Link.SetLink(Shown);
                    RunModal(Link);
                },
                "Glied " + Shown->GetDisplayText());
        // Shown again with a longer entry in its lists than the first showing had.
        Rig.A->SetIdentifier("Antriebsgelenk");
        ExpectShownFits(
            Link,
            [&] {
                Link.SetLink(Rig.Coupler);
                RunModal(Link);
            },
            "Glied mit langem Gelenknamen");
    }
    {
        TFormSelFill SelFill;
        TFormDriveEdit Drive(SelFill);
        for (TDrive* Shown : {Rig.Drive, Sliding})
            for (int Page : {TDriveValuesPage::LinearPage, TDriveValuesPage::TablePage}) {
                Shown->SetIsLinear(Page == TDriveValuesPage::LinearPage);
                ExpectShownFits(
                    Drive, [&] { Drive.Edit(*Shown); },
                    "Antrieb " + std::to_string(Shown->DriveType()) + " / " + std::to_string(Page));
            }
        SelFill.show();
        ExpectFits(SelFill, "Zeilen wählen");
    }
    TFormSelLink SelLink;
    TFormColorSelect ColorSelect;
    TFormPrintOptions PrintOptions;
    TFormCoordRect CoordRect;
    TFormGearDescription GearDescription;
    TFormAbout_New About;
    for (auto [Dialog, Name] :
         std::vector<std::pair<QDialog*, const char*>>{{&SelLink, "Glied wählen"},
                                                       {&ColorSelect, "Farbe wählen"},
                                                       {&PrintOptions, "Getriebe drucken"},
                                                       {&CoordRect, "Koordinaten"},
                                                       {&GearDescription, "Getriebeinformationen"},
                                                       {&About, "Info"}}) {
        Dialog->show();
        ExpectFits(*Dialog, Name);
        // The widest entry of the colour box, as the user picks it in the open dialog.
        ColorSelect.cbColor()->SetSelected(0x123456);
        ExpectFits(*Dialog, Name);
        Dialog->hide();
    }
}

} // namespace
