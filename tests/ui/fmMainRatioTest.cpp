// The main window on screens of higher density: the mouse and the status bar count in pixels,
// so a press at a point hits the same part and the status bar shows the same millimetres as on
// a plain screen.
#include "MainWindowRig.h"
#include "support/DenseScreens.h"

#include <QMouseEvent>

#include <string>
#include <tuple>
#include <utility>

namespace {

class FormMainOnDenseScreen : public TMainWindowTest, public ::testing::WithParamInterface<qreal> {
protected:
    // What the mouse at P selects and what the status bar then shows of the mouse.
    struct TSeen {
        std::size_t Joints;
        const TJoint* Selected;
        std::string Mouse;
        std::string Part;
    };
    TSeen PressAt(QPoint P) {
        QWidget* Area = Form->DrawArea();
        for (auto [Type, Button, Buttons] :
             {std::tuple{QEvent::MouseMove, Qt::NoButton, Qt::MouseButtons()},
              std::tuple{QEvent::MouseButtonPress, Qt::LeftButton,
                         Qt::MouseButtons(Qt::LeftButton)},
              std::tuple{QEvent::MouseButtonRelease, Qt::LeftButton, Qt::MouseButtons()}}) {
            QMouseEvent E(Type, QPointF(P), Area->mapToGlobal(QPointF(P)), Button, Buttons, {});
            QApplication::sendEvent(Area, &E);
        }
        const TJointList& Sel = Model().SelectedJoints();
        return TSeen{static_cast<std::size_t>(Sel.Count()), Sel.Count() ? Sel.Items(0) : nullptr,
                     Panel(1), Panel(3)};
    }
};

TEST_P(FormMainOnDenseScreen, APressHitsTheSameJointAndTheStatusBarShowsTheSameMillimetres) {
    const QSize Size(900, 700);
    MoveToScreen(*Form, QGuiApplication::primaryScreen(), Size);
    const TCrankRocker M = CrankRocker();
    const TMMRect View = Form->MMSurface1().ViewRect();
    const TPoint B = Form->MMSurface1().MMToPixel(M.B->Position(), true);
    // A pixel off the joint's centre, inside its circle; and a point on no part.
    const QPoint OnB(B.X + 1, B.Y - 1);
    const QPoint Aside(B.X - 60, B.Y - 50);
    const TSeen PlainAside = PressAt(Aside);
    const TSeen PlainOnB = PressAt(OnB);
    ASSERT_EQ(PlainAside.Joints, 0u);
    ASSERT_EQ(PlainOnB.Selected, M.B);

    MoveToScreen(*Form, ScreenOfRatio(GetParam()), Size);
    ASSERT_EQ(Form->DrawArea()->devicePixelRatioF(), GetParam());
    Form->MMSurface1().SetMMRect(View);
    // Off the parts first, so that the press on B has to select it.
    Model().DeselectJoints();
    for (const auto& [At, Plain] : {std::pair{Aside, PlainAside}, std::pair{OnB, PlainOnB}}) {
        SCOPED_TRACE(At.x());
        const TSeen Dense = PressAt(At);
        EXPECT_EQ(Dense.Joints, Plain.Joints);
        EXPECT_EQ(Dense.Selected, Plain.Selected);
        EXPECT_EQ(Dense.Mouse, Plain.Mouse);
        EXPECT_EQ(Dense.Part, Plain.Part);
    }
}

INSTANTIATE_TEST_SUITE_P(Ratios, FormMainOnDenseScreen, ::testing::Values(2.0, 1.5));

} // namespace
