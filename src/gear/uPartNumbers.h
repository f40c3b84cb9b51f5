// The numbers in use among a model's links or among its joints, kept up to date as parts join,
// leave and change number, so that the smallest free number is found without searching the model.
#pragma once

#include <map>
#include <set>

class TPartNumbers {
public:
    void Add(int ID);
    void Remove(int ID);
    void Clear();
    bool Contains(int ID) const { return FCount.count(ID) != 0; }
    // The smallest number from 1 on that no part has.
    int SmallestFree() const { return *FRunEnds.begin() + 1; }
    void Renumbered(int Old, int New);

private:
    bool Used(int ID) const { return ID == 0 || Contains(ID); }

    // How many parts have each number; numbers below 1 never take a free one.
    std::map<int, int> FCount;
    // The numbers in use (0 counted as one) whose successor is free.
    std::set<int> FRunEnds{0};
};
