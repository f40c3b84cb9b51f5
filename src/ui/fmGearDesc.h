// The mechanism information dialog "Informationen zum Getriebe": the document's file information
// and the mechanism's author and description, which "Speichern" stores.
#pragma once

#include <QDialog>

#include <string>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class TGearInfo;
struct TFileInfo;

// The description is stored on one line, each line break as the two characters backslash and n.
// Every line break of the memo (CR LF, LF or a lone CR) becomes one such pair.
std::string EncodeLineBreaks(const std::string& Text);
// Every backslash-n becomes a line break of the memo (LF).
std::string DecodeLineBreaks(const std::string& Text);
// A file time (days since 1899-12-30) as the locale's short date and long time; the time is left
// out at midnight, and 0 (no time) is empty.
QString FormatFileTime(double DateTime);

class TFormGearDescription : public QDialog {
public:
    explicit TFormGearDescription(QWidget* Parent = nullptr);

    // Fills the dialog from Info and File and shows it; "Speichern" stores into Info.
    int Execute(TGearInfo& Info, const TFileInfo& File);
    // Fills the dialog; Info is stored into by "Speichern" until the dialog closes.
    void FormShow(TGearInfo& Info, const TFileInfo& File);

    QLineEdit* eAuthor() const { return FAuthor; }
    QLineEdit* eCreateTime() const { return FCreateTime; }
    QLineEdit* eModifiedTime() const { return FModifiedTime; }
    QLineEdit* eFileVersion() const { return FFileVersion; }
    QPlainTextEdit* mDescription() const { return FDescription; }
    QPushButton* bbtnSave() const { return FSave; }
    QPushButton* bbtenClose() const { return FClose; }

private:
    void bbtnSaveClick();

    TGearInfo* FInfo = nullptr;
    QLineEdit* FAuthor;
    QLineEdit* FCreateTime;
    QLineEdit* FModifiedTime;
    QLineEdit* FFileVersion;
    QPlainTextEdit* FDescription;
    QPushButton* FSave;
    QPushButton* FClose;
};
