#include "ui/fmGearDesc.h"

#include "files/uXMLFileParser.h"
#include "gear/uGearInfo.h"
#include "platform/qt/QtGuard.h"
#include "ui/ModalSeam.h"
#include "ui/WholeTextField.h"

#include <QDateTime>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QVBoxLayout>

#include <cmath>

std::string EncodeLineBreaks(const std::string& Text) {
    std::string Result;
    for (std::size_t I = 0; I < Text.size(); ++I) {
        if (Text[I] == '\r' && I + 1 < Text.size() && Text[I + 1] == '\n')
            continue; // the LF that follows makes the break
        if (Text[I] == '\r' || Text[I] == '\n')
            Result += "\\n";
        else
            Result += Text[I];
    }
    return Result;
}

std::string DecodeLineBreaks(const std::string& Text) {
    std::string Result;
    for (std::size_t I = 0; I < Text.size(); ++I) {
        if (Text[I] == '\\' && I + 1 < Text.size() && Text[I + 1] == 'n') {
            Result += '\n';
            ++I;
        } else {
            Result += Text[I];
        }
    }
    return Result;
}

QString FormatFileTime(double DateTime) {
    if (DateTime == 0 || !std::isfinite(DateTime))
        return {};
    double Days = std::floor(DateTime);
    long long Seconds = std::llround((DateTime - Days) * 86400);
    if (Seconds >= 86400) {
        Days += 1;
        Seconds = 0;
    }
    const QDate Date = QDate(1899, 12, 30).addDays(static_cast<qint64>(Days));
    // The interface is German whatever the system's locale.
    const QLocale Locale(QLocale::German, QLocale::Germany);
    QString Text = Locale.toString(Date, QLocale::ShortFormat);
    if (Seconds == 0)
        return Text;
    // The locale's long time without the time zone, which a file time does not have.
    static const QRegularExpression Zone(QStringLiteral("\\s*\\bt+\\b"));
    const QString Format = Locale.timeFormat(QLocale::LongFormat).remove(Zone).trimmed();
    return Text + ' ' + Locale.toString(QTime(0, 0).addSecs(Seconds), Format);
}

TFormGearDescription::TFormGearDescription(QWidget* Parent) : QDialog(Parent) {
    setObjectName(QStringLiteral("FormGearDescription"));
    setWindowTitle(QStringLiteral("Informationen zum Getriebe"));
    setFixedSize(319, 306);

    FAuthor = new QLineEdit(this);
    const auto ReadOnly = [this] {
        auto* Edit = new TWholeTextField(this);
        Edit->setEnabled(false);
        return Edit;
    };
    FCreateTime = ReadOnly();
    FModifiedTime = ReadOnly();
    FFileVersion = ReadOnly();
    auto* Fields = new QFormLayout;
    Fields->addRow(QStringLiteral("Getriebe erstellt von:"), FAuthor);
    Fields->addRow(QStringLiteral("am:"), FCreateTime);
    Fields->addRow(QStringLiteral("zuletzt bearbeitet:"), FModifiedTime);
    Fields->addRow(QStringLiteral("Dateiversion:"), FFileVersion);

    auto* Group = new QGroupBox(QStringLiteral("Beschreibung"), this);
    FDescription = new QPlainTextEdit(Group);
    (new QVBoxLayout(Group))->addWidget(FDescription);

    FSave = new QPushButton(QStringLiteral("Speichern"), this);
    FSave->setDefault(true);
    FClose = new QPushButton(QStringLiteral("Schliessen"), this);
    GuardedConnect(FSave, &QPushButton::clicked, this, [this] { bbtnSaveClick(); });
    GuardedConnect(FClose, &QPushButton::clicked, this, &QDialog::reject);
    auto* Buttons = new QHBoxLayout;
    Buttons->addWidget(FSave);
    Buttons->addStretch();
    Buttons->addWidget(FClose);

    auto* Layout = new QVBoxLayout(this);
    Layout->addLayout(Fields);
    Layout->addWidget(Group, 1);
    Layout->addLayout(Buttons);
}

void TFormGearDescription::FormShow(TGearInfo& Info, const TFileInfo& File) {
    FInfo = &Info;
    FDescription->setPlainText(QString::fromStdString(DecodeLineBreaks(Info.Description())));
    FAuthor->setText(QString::fromStdString(Info.Author()));
    FCreateTime->setText(FormatFileTime(File.CreationTime));
    FModifiedTime->setText(FormatFileTime(File.LastModified));
    FFileVersion->setText(File.FileVersion < 0 ? QString() : QString::number(File.FileVersion));
}

int TFormGearDescription::Execute(TGearInfo& Info, const TFileInfo& File) {
    FormShow(Info, File);
    const int Result = ::RunModal(*this);
    FInfo = nullptr;
    return Result;
}

void TFormGearDescription::bbtnSaveClick() {
    if (FInfo) {
        FInfo->SetDescription(EncodeLineBreaks(FDescription->toPlainText().toStdString()));
        FInfo->SetAuthor(FAuthor->text().toStdString());
    }
    accept();
}
