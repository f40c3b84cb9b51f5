// Where a picture may differ from the colour it was last filled with all over: per band of rows,
// the columns drawn on since. Clearing and showing a picture need touch no more than that.
#pragma once

#include <QRect>
#include <QRegion>
#include <QRgb>
#include <QSize>

#include <utility>
#include <vector>

class TQtInk {
public:
    static constexpr int BandHeight = 8;

    // The picture of Size was just filled all over with Background.
    void Reset(QSize Size, QRgb Background);
    // Drawn on in ways nobody knows: as if everywhere.
    void Forget() { FKnown = false; }
    void Add(const QRect& Area);
    // Whether the ink is known, for a picture of Size filled with Background.
    bool On(QSize Size, QRgb Background) const;
    QRgb Background() const { return FBackground; }
    QRegion Region() const;

private:
    bool FKnown = false;
    QSize FSize;
    QRgb FBackground = 0;
    std::vector<std::pair<int, int>> FBands; // first and last column inked; none: first > last
};
