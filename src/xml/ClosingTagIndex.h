// Finds the tag that closes an element in the reader's text. The reader counts every tag that
// begins with the element's name, so one search alone may scan the rest of the text; the tags
// each name counts are found once and kept, which keeps the whole read linear.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class TClosingTagIndex {
public:
    explicit TClosingTagIndex(std::string_view Text) : FText(Text) {}

    // The position of the "<" of the tag closing Name in [From, End): starting at depth 1, every
    // "<" followed by Name (ASCII case ignored, longer names too) goes one deeper, every "</"
    // followed by Name one up, and the tag that reaches depth 0 closes. npos when none does.
    // Searches whose From does not decrease reuse what earlier ones found.
    std::size_t Find(std::string_view Name, std::size_t From, std::size_t End);

private:
    // The tags that change the depth for one name, known in [Begin, Scanned).
    struct TNameTags {
        explicit TNameTags(std::size_t From) : Begin(From), Scanned(From) {}
        std::size_t Begin;
        std::size_t Scanned;
        std::vector<std::size_t> Pos;
        std::vector<int> Depth; // behind each tag, counted from Begin
        std::unordered_map<int, std::vector<std::size_t>> AtDepth; // indices into Pos
        int DepthBefore(std::size_t Index) const { return Index > 0 ? Depth[Index - 1] : 0; }
    };

    // The change of depth by the tag at Pos, with the text ending at End.
    int Change(std::string_view Name, std::size_t Pos, std::size_t End) const;
    // Reads the tags in [From, To) one by one from Depth; the one that reaches 0, or npos.
    std::size_t Scan(std::string_view Name, std::size_t From, std::size_t To, std::size_t End,
                     int& Depth) const;
    // Scans on from Tags.Scanned to Limit; stops at the first tag that reaches Target.
    std::size_t Extend(TNameTags& Tags, std::string_view Name, std::size_t Limit, int Target);

    static constexpr std::size_t NearScan = 4096;

    std::string_view FText;
    std::unordered_map<std::string, TNameTags> FByName; // by the upper-case name
};
