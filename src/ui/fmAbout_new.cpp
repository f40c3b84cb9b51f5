#include "ui/fmAbout_new.h"

#include "platform/qt/QtGuard.h"
#include "platform/qt/QtRatioRedraw.h"
#include "platform/qt/QtScreenCentre.h"
#include "ui/KoplarArt.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QVBoxLayout>

namespace {

QLabel* Title(const QString& Text, int PixelSize, bool Bold, QWidget* Parent) {
    auto* Label = new QLabel(Text, Parent);
    QFont Font(QStringLiteral("Arial"));
    Font.setPixelSize(PixelSize);
    Font.setBold(Bold);
    Label->setFont(Font);
    Label->setAlignment(Qt::AlignHCenter);
    return Label;
}

} // namespace

QString VersionLabelText(const std::string& Version) {
    static const QRegularExpression Numbers(QStringLiteral("^(\\d+)\\.(\\d+)(\\.\\d+)*$"));
    const auto Match = Numbers.match(QString::fromStdString(Version));
    if (!Match.hasMatch())
        return {};
    return QStringLiteral("Version %1.%2")
        .arg(Match.captured(1).toInt())
        .arg(Match.captured(2).toInt());
}

TFormAbout_New::TFormAbout_New(QWidget* Parent) : QDialog(Parent) {
    setObjectName(QStringLiteral("FormAbout_New"));
    CentreWhenShown(*this);
    setWindowTitle(QStringLiteral("Info über KOPLAR für Windows (GE)"));
    setFixedSize(513, 399);

    auto* Picture = new QLabel(this);
    Picture->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    RedrawAtWindowRatio(
        *this, [Picture](qreal Ratio) { Picture->setPixmap(DrawAboutPicture(200, 360, Ratio)); });
    Picture->setFixedSize(204, 364);

    auto* Right = new QVBoxLayout;
    Right->addWidget(Title(QStringLiteral("KOPLAR"), 32, true, this));
    Right->addWidget(Title(QStringLiteral("für Windows"), 24, false, this));
    Right->addWidget(Title(QStringLiteral("Grafische Eingabe"), 17, false, this));
    Right->addSpacing(16);
    auto* Project = new QLabel(QStringLiteral("Ein Programm des Projekts KOPLAR GE\n"
                                              "zur Eingabe und Animation ebener Getriebe"),
                               this);
    Project->setAlignment(Qt::AlignHCenter);
    Right->addWidget(Project);
    Right->addStretch();
    auto* Line = new QFrame(this);
    Line->setFrameShape(QFrame::HLine);
    Line->setFrameShadow(QFrame::Sunken);
    Right->addWidget(Line);
    FVersion = new QLabel(VersionLabelText(KOPLAR_VERSION), this);
    FVersion->setObjectName(QStringLiteral("Label4"));
    FVersion->setAlignment(Qt::AlignRight);
    Right->addWidget(FVersion);
    auto* Ok = new QPushButton(QStringLiteral("OK"), this);
    Ok->setDefault(true);
    GuardedConnect(Ok, &QPushButton::clicked, this, &QDialog::accept);
    Right->addWidget(Ok, 0, Qt::AlignHCenter);

    auto* Layout = new QHBoxLayout(this);
    Layout->addWidget(Picture);
    Layout->addLayout(Right, 1);
}
