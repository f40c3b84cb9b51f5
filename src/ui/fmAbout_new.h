// The about box "Info über KOPLAR für Windows (GE)": the project's picture, the titles, a line
// naming the project, and the program's version, read once when the box is made.
#pragma once

#include <QDialog>

#include <string>

class QLabel;

// "Version major.minor" of a version text "major.minor[.patch...]"; empty when it has no such
// numbers.
QString VersionLabelText(const std::string& Version);

class TFormAbout_New : public QDialog {
public:
    explicit TFormAbout_New(QWidget* Parent = nullptr);
    QLabel* Label4() const { return FVersion; }

private:
    QLabel* FVersion;
};
