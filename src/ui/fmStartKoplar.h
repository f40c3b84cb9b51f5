// The start window "KOPLAR für Windows": maximised, the project's picture behind white texts and
// one start button. Made for one showing and freed by its caller.
#pragma once

#include <QDialog>
#include <QImage>
#include <QRect>

#include <optional>

class QFrame;
class QLabel;
class QPushButton;

// Where the start window's parts go in a client area; a pure function of the sizes.
struct TStartLayoutSizes {
    QSize Client;
    QSize Picture;
    QSize Button;
    QSize Fak; // the first organisation label
    int TitleHeight = 0;
};

struct TStartLayout {
    QRect Logo, LineTop, Fak, Inst, LineBottom, Title, GE, Button;
    // None when window or picture has no area: nothing to place.
    std::optional<QRect> Background;
};

TStartLayout StartKoplarLayout(const TStartLayoutSizes& Sizes, QSize InstSize);

class TFormStartKoplar : public QDialog {
public:
    // Picture: the background; a null picture leaves the dark plain background.
    explicit TFormStartKoplar(const QImage& Picture, QWidget* Parent = nullptr);

    // Set whenever the window closed, by the start button as well.
    bool Started() const { return FStarted; }
    QPushButton* btnStartKoplar() const { return FStart; }
    QLabel* imgKoplarBackground() const { return FBackground; }
    QLabel* imgLogo() const { return FLogo; }

    void done(int Result) override;

protected:
    void resizeEvent(QResizeEvent* Event) override;
    // Escape does not leave the start window: only its button and its close box do.
    void keyPressEvent(QKeyEvent* Event) override;

private:
    void FormResize();

    QImage FPicture;
    QLabel* FBackground;
    QLabel* FLogo;
    QFrame* FLineTop;
    QFrame* FLineBottom;
    QLabel* FFak;
    QLabel* FInst;
    QLabel* FTitle;
    QLabel* FGE;
    QPushButton* FStart;
    bool FStarted = false;
};

// Shows the start window with the compiled-in picture; true when it was left without its start
// button, which ends the program.
bool StartWindowEndsProgram(QWidget* Parent);
