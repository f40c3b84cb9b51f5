// The command table of the main window: each row makes one action, found by its name only, and
// stands at each of its places once.
#include "ui/fmMainActions.h"
#include "support/QtTestApp.h"

#include <gtest/gtest.h>

#include <QObject>

#include <stdexcept>
#include <string>

namespace {

TEST(MainActions, EachRowMakesTheActionOfItsNameAndAMisspeltNameFails) {
    QtTestApp();
    QObject Owner;
    const TMainActions Actions(&Owner);
    for (const TCommand& C : MainCommands()) {
        SCOPED_TRACE(C.Name);
        QAction* A = Actions[C.Name];
        EXPECT_EQ(A->objectName().toStdString(), C.Name);
        EXPECT_EQ(A->text().toStdString(), C.Caption);
        for (const TCommandPlace& P : C.Places) {
            if (P.Site == TCommandSite::None)
                continue;
            int Found = 0;
            for (const TSiteEntry& E : Actions.On(P.Site))
                Found += E.Action == A && E.Place == &P;
            EXPECT_EQ(Found, 1);
        }
    }
    EXPECT_THROW(Actions["aZoomInn"], std::invalid_argument);
    EXPECT_THROW(Actions[""], std::invalid_argument);
}

} // namespace
