// Shared by the mechanism file tests: a model on a fake surface with the default settings, a
// fixed clock, part UIDs counted up from 100 instead of drawn, and the parser of that model.
#pragma once

#include "files/uXMLFileParser.h"
#include "files/uXMLFileValues.h"
#include "platform/Random.h"
#include "support/MechanismRigs.h"
#include "support/ScratchDir.h"

#include <string>

#define KOPLAR_FILES_DATA KOPLAR_TEST_DATA_DIR "/files/"

// 24 December 2024, 18:30:05.
class TFixedClock : public TFileClock {
public:
    double Now() const override { return EncodeFileDateTime(2024, 12, 24, 18, 30, 5); }
};

class TCountingUIDs {
public:
    TCountingUIDs() = default;
    TCountingUIDs(const TCountingUIDs&) = delete;
    TCountingUIDs& operator=(const TCountingUIDs&) = delete;

private:
    int FNext = 100;
    TScopedRandomSource FInstalled{[this](int) { return FNext++; }};
};

struct TFileRig : TCountingUIDs, TModelRig {
    TFileRig() { Parser.FileInfo().CreationTime = EncodeFileDateTime(2024, 3, 1); }

    // Frame, a four-bar with a coupler point, a slider on a slide link, a rotary and a sliding
    // drive, names with markup characters and umlauts, a description of two lines.
    void BuildSample();
    // The model's file text as the parser saves it.
    std::string Saved();

    TFixedClock Clock;
    TScopedService<const TFileClock> ClockInstalled{FileClockSlot(), Clock};
    TXMLFileParser Parser{D()};
    TScratchDir Dir;
};
