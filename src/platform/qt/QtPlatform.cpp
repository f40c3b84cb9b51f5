#include "platform/qt/QtPlatform.h"

#include "platform/qt/QtBitmap.h"
#include "platform/qt/QtCanvas.h"
#include "platform/qt/QtScreenCentre.h"
#include "platform/qt/QtTimer.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScopeGuard>
#include <QShowEvent>

#include <vector>

namespace {

struct TButtonText {
    TMsgDlgBtn Button;
    const char* Text;
    TModalResult Result;
    QMessageBox::ButtonRole Role;
};

// In the order the buttons stand in the box; the marked letter answers from the keyboard.
const TButtonText ButtonTexts[] = {
    {mbYes, "&Ja", TModalResult::mrYes, QMessageBox::YesRole},
    {mbNo, "&Nein", TModalResult::mrNo, QMessageBox::NoRole},
    {mbOK, "&OK", TModalResult::mrOk, QMessageBox::AcceptRole},
    {mbCancel, "&Abbrechen", TModalResult::mrCancel, QMessageBox::RejectRole},
    {mbAbort, "&Abbrechen", TModalResult::mrAbort, QMessageBox::RejectRole},
    {mbRetry, "&Wiederholen", TModalResult::mrRetry, QMessageBox::AcceptRole},
    {mbIgnore, "&Ignorieren", TModalResult::mrIgnore, QMessageBox::AcceptRole},
};

QString Caption(TMsgDlgType Type) {
    switch (Type) {
    case TMsgDlgType::mtWarning:
        return QStringLiteral("Warnung");
    case TMsgDlgType::mtError:
        return QStringLiteral("Fehler");
    case TMsgDlgType::mtInformation:
        return QStringLiteral("Information");
    case TMsgDlgType::mtConfirmation:
        return QStringLiteral("Bestätigung");
    case TMsgDlgType::mtCustom:
        break;
    }
    return QApplication::applicationDisplayName();
}

QMessageBox::Icon Icon(TMsgDlgType Type) {
    switch (Type) {
    case TMsgDlgType::mtWarning:
        return QMessageBox::Warning;
    case TMsgDlgType::mtError:
        return QMessageBox::Critical;
    case TMsgDlgType::mtInformation:
        return QMessageBox::Information;
    case TMsgDlgType::mtConfirmation:
        return QMessageBox::Question;
    case TMsgDlgType::mtCustom:
        break;
    }
    return QMessageBox::NoIcon;
}

// The first of these that the box shows.
const TMsgDlgBtn DefaultOrder[] = {mbOK, mbYes, mbRetry};
const TMsgDlgBtn EscapeOrder[] = {mbAbort, mbCancel, mbNo, mbOK};

// "\r\n" and a lone "\r" break lines as "\n" does. Plain text: a name in angle brackets is no
// markup.
QString BoxText(const std::string& Text) {
    return QString::fromStdString(Text)
        .replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
        .replace(u'\r', u'\n');
}

// The window the box belongs to: the active one, else the program's first shown window that
// belongs to no other (the main window), so that the box sits on its screen.
QWidget* Owner() {
    if (QWidget* Active = QApplication::activeWindow())
        return Active;
    for (QWidget* W : QApplication::topLevelWidgets())
        if (W->isVisible() && !W->parentWidget() && W->windowType() == Qt::Window)
            return W;
    return nullptr;
}

// Opens in the middle of the screen, after the box has taken the size of its text: wherever it
// is asked from, a question appears at the same place.
class TCentredMessageBox : public QMessageBox {
public:
    using QMessageBox::QMessageBox;

protected:
    void showEvent(QShowEvent* Event) override {
        QMessageBox::showEvent(Event);
        if (!Event->spontaneous())
            CentreOnScreen(*this, parentWidget());
    }
};

} // namespace

TModalResult TQtMessages::MessageDlg(const std::string& Text, TMsgDlgType Type,
                                     TMsgDlgButtons Buttons) {
    if (Buttons == 0)
        Buttons = mbOK;
    // A question asked during a long step waits for the user, not the step.
    const bool Busy = QGuiApplication::overrideCursor() != nullptr;
    if (Busy)
        QGuiApplication::setOverrideCursor(Qt::ArrowCursor);
    const QScopeGuard Restore([Busy] {
        if (Busy)
            QGuiApplication::restoreOverrideCursor();
    });
    TCentredMessageBox Box(Icon(Type), Caption(Type), BoxText(Text), QMessageBox::NoButton,
                           Owner());
    Box.setTextFormat(Qt::PlainText);
    std::vector<std::pair<QAbstractButton*, const TButtonText*>> Shown;
    auto Find = [&](TMsgDlgBtn B) -> QPushButton* {
        for (auto& [Button, T] : Shown)
            if (T->Button == B)
                return static_cast<QPushButton*>(Button);
        return nullptr;
    };
    for (const TButtonText& T : ButtonTexts)
        if (Buttons & T.Button)
            Shown.emplace_back(Box.addButton(QString::fromUtf8(T.Text), T.Role), &T);
    for (TMsgDlgBtn B : DefaultOrder)
        if (QPushButton* P = Find(B)) {
            Box.setDefaultButton(P);
            break;
        }
    // Escape and the close box answer with this button.
    QAbstractButton* Escape = nullptr;
    for (TMsgDlgBtn B : EscapeOrder)
        if ((Escape = Find(B)))
            break;
    if (Escape)
        Box.setEscapeButton(Escape);
    Box.exec();
    QAbstractButton* Clicked = Box.clickedButton();
    if (!Clicked)
        Clicked = Escape;
    for (auto& [Button, T] : Shown)
        if (Button == Clicked)
            return T->Result;
    return TModalResult::mrCancel;
}

std::unique_ptr<TBitmap> TQtPlatform::CreateBitmap(int Width, int Height) {
    return std::make_unique<TQtBitmap>(Width, Height);
}

std::unique_ptr<TTimer> TQtPlatform::CreateTimer() {
    return std::make_unique<TQtTimer>();
}
