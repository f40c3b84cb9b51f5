// The options dialog: the application's drawing, animation and start-up settings, filled from the
// settings whenever it is shown anew, stored back by OK and "Übernehmen" and then applied to
// everything drawn. The settings file itself is written when the main window closes.
#pragma once

#include <QDialog>

#include <functional>
#include <optional>
#include <vector>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class QSpinBox;
class QTabWidget;
class QWidget;
class TColorBox;

class TFormOptions : public QDialog {
public:
    // ApplyToAll brings everything drawn up to the stored settings; the main window supplies it.
    explicit TFormOptions(std::function<void()> ApplyToAll, QWidget* Parent = nullptr);

    // Fills every control from the settings and shows the first pages; runs whenever the dialog is
    // shown anew (not when restored from minimised).
    void FormShow();
    // Stores the controls in the settings and applies them; false when a field is wrong (then
    // the settings stored before it stay stored, and they are applied all the same).
    bool ApplySettings();

protected:
    void showEvent(QShowEvent* Event) override;

private:
    // Setting and control pairs of one kind.
    template <class TControl> struct TBinding {
        TControl* Control;
        const char* Category;
        const char* Name;
    };
    using TCheckBindings = std::vector<TBinding<QCheckBox>>;
    using TSpinBindings = std::vector<TBinding<QSpinBox>>;
    using TColorBindings = std::vector<TBinding<TColorBox>>;

    // The pages and their controls (fmOptionsLayout.cpp).
    void BuildLayout();
    QWidget* BuildViewPage();
    QWidget* BuildAnimationPage();
    QWidget* BuildColorPages();
    QWidget* BuildLinkPage();
    QWidget* BuildJointPage();
    QWidget* BuildCurvePage();
    QWidget* BuildPlanePage();
    QWidget* BuildCoordPage();
    QWidget* BuildProgramPage();
    QWidget* BuildButtons();
    QCheckBox* AddCheck(QWidget* Parent, const char* Name, const char* Caption);
    QSpinBox* MakeSpin(const char* Name, int Min, int Max);
    TColorBox* MakeColorBox(const char* Name);

    void LoadViewSettings();
    void LoadAnimationSettings();
    void LoadColorSettings();
    void LoadProgramSettings();
    bool SaveViewSettings();
    bool SaveAnimationSettings();
    bool SaveColorSettings();
    bool SaveProgramSettings();
    void AnimSpeedChanged();
    // A plane field's value to store: the filled one while untouched, else the typed text read
    // with either separator; none, with the user told and the field shown, when it is no number.
    std::optional<double> ReadPlaneField(QLineEdit* Field, double Filled,
                                         double (*ToStored)(double), const char* Message);
    void OKClick();

    std::function<void()> FApplyToAll;
    QTabWidget* FPcOptions = nullptr;
    QTabWidget* FPcColorDetails = nullptr;
    QWidget* FTsView = nullptr;
    QWidget* FTsColors = nullptr;
    QWidget* FTsJoint = nullptr;
    QWidget* FTsPlane = nullptr;
    QSlider* FTbAnimSpeed = nullptr;
    QLabel* FLblAnimSpeed = nullptr;
    QLineEdit* FEPlaneBeta = nullptr;
    QLineEdit* FEPlaneLength = nullptr;
    // What the plane fields were filled with, in the stored units.
    double FFilledBeta = 0;
    double FFilledLength = 0;

    TCheckBindings FViewChecks;
    TCheckBindings FAnimationChecks;
    TCheckBindings FProgramChecks;
    TColorBindings FColors;
    TSpinBindings FSizes;
    // Stored after the plane fields, so a wrong plane value keeps them as they were.
    TColorBindings FViewColors;
};
