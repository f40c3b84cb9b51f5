#include "xml/ClosingTagIndex.h"

#include "xml/XMLUtils.h"

#include <algorithm>

namespace {

bool StartsWithText(std::string_view S, std::size_t Pos, std::size_t End, std::string_view Prefix) {
    return Pos <= End && End - Pos >= Prefix.size() &&
           IsSameText(S.substr(Pos, Prefix.size()), Prefix);
}

} // namespace

int TClosingTagIndex::Change(std::string_view Name, std::size_t Pos, std::size_t End) const {
    const bool Opens = StartsWithText(FText, Pos + 1, End, Name);
    const bool Closes =
        StartsWithText(FText, Pos + 1, End, "/") && StartsWithText(FText, Pos + 2, End, Name);
    return int(Opens) - int(Closes);
}

std::size_t TClosingTagIndex::Scan(std::string_view Name, std::size_t From, std::size_t To,
                                   std::size_t End, int& Depth) const {
    for (std::size_t I = FText.substr(0, To).find('<', From); I != std::string_view::npos;
         I = FText.substr(0, To).find('<', I + 1)) {
        Depth += Change(Name, I, End);
        if (Depth <= 0)
            return I;
    }
    return std::string_view::npos;
}

std::size_t TClosingTagIndex::Extend(TNameTags& Tags, std::string_view Name, std::size_t Limit,
                                     int Target) {
    while (Tags.Scanned < Limit) {
        const std::size_t Lt = FText.substr(0, Limit).find('<', Tags.Scanned);
        if (Lt == std::string_view::npos) {
            Tags.Scanned = Limit;
            break;
        }
        Tags.Scanned = Lt + 1;
        const int Delta = Change(Name, Lt, FText.size());
        if (Delta == 0)
            continue;
        const int Depth = Tags.DepthBefore(Tags.Pos.size()) + Delta;
        Tags.AtDepth[Depth].push_back(Tags.Pos.size());
        Tags.Pos.push_back(Lt);
        Tags.Depth.push_back(Depth);
        if (Depth == Target)
            return Lt;
    }
    return std::string_view::npos;
}

std::size_t TClosingTagIndex::Find(std::string_view Name, std::size_t From, std::size_t End) {
    End = std::min(End, FText.size());
    // A tag this close to End is cut off by it: the tail is read tag by tag, as it stands.
    const std::size_t Limit = End > Name.size() + 1 ? std::max(From, End - Name.size() - 1) : From;
    int Depth = 1;
    if (From < Limit) {
        const std::string Key = UpperCaseASCII(Name);
        auto Known = FByName.find(Key);
        if (Known == FByName.end() || From > Known->second.Scanned || From < Known->second.Begin) {
            // Most elements close soon: a short scan finds them without keeping anything.
            const std::size_t Near = std::min(Limit, From + NearScan);
            const std::size_t Found = Scan(Name, From, Near, End, Depth);
            if (Found != std::string_view::npos || Near == Limit)
                return Found != std::string_view::npos ? Found : Scan(Name, Limit, End, End, Depth);
            Depth = 1;
            Known = FByName.insert_or_assign(Key, TNameTags(From)).first;
        }
        TNameTags& Tags = Known->second;
        const auto PosFrom = std::lower_bound(Tags.Pos.begin(), Tags.Pos.end(), From);
        const std::size_t First = static_cast<std::size_t>(PosFrom - Tags.Pos.begin());
        const int Base = Tags.DepthBefore(First);
        // Depth changes by one at a time, so the first tag below Base lands on Base - 1.
        std::size_t Found = std::string_view::npos;
        if (const auto It = Tags.AtDepth.find(Base - 1); It != Tags.AtDepth.end()) {
            const auto J = std::lower_bound(It->second.begin(), It->second.end(), First);
            if (J != It->second.end())
                Found = Tags.Pos[*J];
        }
        if (Found == std::string_view::npos && Tags.Scanned < Limit)
            Found = Extend(Tags, Name, Limit, Base - 1);
        if (Found < Limit)
            return Found;
        const auto PosLimit = std::lower_bound(Tags.Pos.begin(), Tags.Pos.end(), Limit);
        Depth = 1 + Tags.DepthBefore(static_cast<std::size_t>(PosLimit - Tags.Pos.begin())) - Base;
    }
    return Scan(Name, std::max(From, Limit), End, End, Depth);
}
