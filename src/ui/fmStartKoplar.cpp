#include "ui/fmStartKoplar.h"

#include "platform/Round.h"
#include "platform/qt/QtGuard.h"
#include "platform/qt/QtRatioRedraw.h"
#include "ui/KoplarArt.h"
#include "ui/ModalSeam.h"
#include "ui/StartPicture.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace {

constexpr int Edge = 40;
constexpr int ButtonGap = 24;

QLabel* WhiteLabel(const QString& Text, int PixelSize, bool Bold, QWidget* Parent) {
    auto* Label = new QLabel(Text, Parent);
    QFont Font(QStringLiteral("Arial"));
    Font.setPixelSize(PixelSize);
    Font.setBold(Bold);
    Label->setFont(Font);
    Label->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
    return Label;
}

QFrame* WhiteLine(QWidget* Parent) {
    auto* Line = new QFrame(Parent);
    Line->setStyleSheet(QStringLiteral("background: white;"));
    return Line;
}

} // namespace

TStartLayout StartKoplarLayout(const TStartLayoutSizes& S, QSize InstSize) {
    const int W = S.Client.width(), H = S.Client.height();
    TStartLayout L;
    L.Logo = QRect(Edge, 24, 206, 60);
    L.LineTop = QRect(Edge, 102, W - 2 * Edge, 1);
    L.Fak = QRect(QPoint(Edge, L.LineTop.top() + 2), S.Fak);
    L.Inst = QRect(QPoint(L.Fak.right() + 1 + ButtonGap, L.Fak.top()), InstSize);
    L.LineBottom = QRect(Edge, L.Fak.top() + L.Fak.height() + 2, W - 2 * Edge, 1);
    L.Title = QRect(Edge, 160, W - Edge, S.TitleHeight);
    L.GE = QRect(Edge, S.TitleHeight + 160, W - Edge, S.TitleHeight);
    L.Button = QRect(QPoint(W - S.Button.width() - ButtonGap, H - S.Button.height() - ButtonGap),
                     S.Button);
    const qint64 PW = S.Picture.width(), PH = S.Picture.height();
    if (W <= 0 || H <= 0 || PW <= 0 || PH <= 0)
        return L;
    // H / W >= PH / PW without dividing: the window is relatively taller.
    if (qint64(H) * PW >= PH * W) {
        const int Width = Round(double(PW) * H / PH);
        L.Background = QRect(Round((W - Width) / 2.0), 0, Width, H);
    } else {
        const int Height = Round(double(PH) * W / PW);
        L.Background = QRect(0, H - Height, W, Height);
    }
    return L;
}

TFormStartKoplar::TFormStartKoplar(const QImage& Picture, QWidget* Parent)
    : QDialog(Parent), FPicture(Picture) {
    setObjectName(QStringLiteral("FormStartKoplar"));
    setWindowTitle(QStringLiteral("KOPLAR für Windows"));
    resize(792, 566);
    setWindowState(Qt::WindowMaximized);
    setAutoFillBackground(true);
    QPalette Dark = palette();
    Dark.setColor(QPalette::Window, QColor(16, 32, 64));
    setPalette(Dark);

    FBackground = new QLabel(this);
    FBackground->setScaledContents(true);
    if (!FPicture.isNull())
        FBackground->setPixmap(QPixmap::fromImage(FPicture));
    FBackground->hide();
    FLogo = new QLabel(this);
    FLogo->setScaledContents(true);
    FLineTop = WhiteLine(this);
    FLineBottom = WhiteLine(this);
    FFak = WhiteLabel(QStringLiteral("Projekt KOPLAR GE"), 16, true, this);
    FInst = WhiteLabel(QStringLiteral("Grafische Eingabe ebener Koppelgetriebe"), 16, false, this);
    FTitle = WhiteLabel(QStringLiteral("KOPLAR für Windows"), 61, true, this);
    FTitle->setAlignment(Qt::AlignCenter);
    FGE = WhiteLabel(QStringLiteral("Grafische Getriebeeingabe"), 32, true, this);
    FGE->setAlignment(Qt::AlignCenter);
    FGE->hide();

    FStart = new QPushButton(QStringLiteral("Grafische Eingabe"), this);
    FStart->setObjectName(QStringLiteral("btnStartKoplar"));
    QFont ButtonFont(QStringLiteral("Arial"));
    ButtonFont.setPixelSize(24);
    ButtonFont.setUnderline(true);
    FStart->setFont(ButtonFont);
    FStart->setFlat(true);
    FStart->setIconSize(QSize(32, 32));
    FStart->setCursor(Qt::PointingHandCursor);
    FStart->setToolTip(QStringLiteral("Getriebeeingabe starten"));
    FStart->setFixedSize(281, 41);
    FStart->setStyleSheet(
        QStringLiteral("QPushButton { color: white; background: transparent; border: none; }"));
    GuardedConnect(FStart, &QPushButton::clicked, this, &QDialog::accept);
    RedrawAtWindowRatio(*this, [this](qreal Ratio) {
        FLogo->setPixmap(DrawLogo(Ratio));
        FStart->setIcon(QIcon(DrawStartGlyph(Ratio)));
    });
    FormResize();
}

void TFormStartKoplar::done(int Result) {
    FStarted = true;
    QDialog::done(Result);
}

void TFormStartKoplar::resizeEvent(QResizeEvent* Event) {
    QDialog::resizeEvent(Event);
    RunGuarded([this] { FormResize(); });
}

void TFormStartKoplar::keyPressEvent(QKeyEvent* Event) {
    if (Event->key() == Qt::Key_Escape) {
        Event->accept();
        return;
    }
    QDialog::keyPressEvent(Event);
}

void TFormStartKoplar::FormResize() {
    const TStartLayout L = StartKoplarLayout(
        {size(), FPicture.size(), FStart->size(), FFak->sizeHint(), 71}, FInst->sizeHint());
    FLogo->setGeometry(L.Logo);
    FLineTop->setGeometry(L.LineTop);
    FFak->setGeometry(L.Fak);
    FInst->setGeometry(L.Inst);
    FLineBottom->setGeometry(L.LineBottom);
    FTitle->setGeometry(L.Title);
    FGE->setGeometry(L.GE);
    FStart->move(L.Button.topLeft());
    FBackground->setVisible(L.Background.has_value());
    if (L.Background)
        FBackground->setGeometry(*L.Background);
    FBackground->lower();
}

bool StartWindowEndsProgram(QWidget* Parent) {
    TFormStartKoplar Form(StartPicture(), Parent);
    return RunModal(Form) != QDialog::Accepted && Form.Started();
}
