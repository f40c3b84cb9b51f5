// Records found by their text in one probe of a flat table: a repaint of a large mechanism looks
// up tens of thousands of labels, and a map of nodes misses the processor's cache on every link
// of a chain. The records stay where they are until the table is cleared.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

template <class TValue> class TQtTextTable {
public:
    struct TRecord {
        std::string Key;
        TValue Value;
    };

    // The record of Key, made empty when new.
    TRecord& Find(std::string_view Key, bool& Made) {
        const std::size_t Hash = std::hash<std::string_view>{}(Key);
        const auto Short = static_cast<std::uint32_t>(Hash);
        if (FSlots.empty())
            FSlots.resize(MinSlots);
        const std::size_t Mask = FSlots.size() - 1;
        for (std::size_t I = Hash & Mask;; I = (I + 1) & Mask) {
            TSlot& S = FSlots[I];
            if (S.Record == 0)
                break;
            if (S.Hash == Short && FRecords[S.Record - 1].Key == Key) {
                Made = false;
                return FRecords[S.Record - 1];
            }
        }
        Made = true;
        FRecords.push_back(TRecord{std::string(Key), TValue{}});
        if (2 * FRecords.size() > FSlots.size())
            Rehash(2 * FSlots.size());
        else
            Place(Hash, FRecords.size());
        return FRecords.back();
    }

    std::size_t Size() const { return FRecords.size(); }

    void Clear() {
        FSlots.clear();
        FRecords.clear();
    }

private:
    static constexpr std::size_t MinSlots = 64;
    struct TSlot {
        std::uint32_t Hash = 0;
        std::uint32_t Record = 0; // one past its index; none when 0
    };

    void Place(std::size_t Hash, std::size_t Record) {
        const std::size_t Mask = FSlots.size() - 1;
        std::size_t I = Hash & Mask;
        while (FSlots[I].Record != 0)
            I = (I + 1) & Mask;
        FSlots[I] = TSlot{static_cast<std::uint32_t>(Hash), static_cast<std::uint32_t>(Record)};
    }

    void Rehash(std::size_t Slots) {
        FSlots.assign(Slots, TSlot{});
        for (std::size_t R = 0; R < FRecords.size(); ++R)
            Place(std::hash<std::string_view>{}(FRecords[R].Key), R + 1);
    }

    std::vector<TSlot> FSlots; // a power of two, at most half of them taken
    std::deque<TRecord> FRecords;
};
