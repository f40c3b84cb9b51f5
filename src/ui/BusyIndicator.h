// While a long step runs on the window's own thread (opening a file, leaving edit mode): the
// wait cursor, and the status bar panel saying what is being done, both on screen before the
// step starts. The panel gets its text back when the step ends.
#pragma once

#include <QString>

class QLabel;

class TBusyIndicator {
public:
    TBusyIndicator(QLabel& Panel, const char* Doing);
    ~TBusyIndicator();
    TBusyIndicator(const TBusyIndicator&) = delete;
    TBusyIndicator& operator=(const TBusyIndicator&) = delete;

private:
    QLabel& FPanel;
    QString FShown;
};
