// Plain value types shared by every layer: pixel points and rectangles, colours, mouse buttons
// and the shift state, in the forms the drawing and input code expects.
#pragma once

#include <climits>
#include <cstdint>

// Colours are 32-bit values in blue-green-red order: 0x0000FF is red, 0xFF0000 blue.
using TColor = std::uint32_t;

constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clGreen = 0x008000;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clNavy = 0x800000;
constexpr TColor clMaroon = 0x000080;

constexpr int GetRValue(TColor C) {
    return static_cast<int>(C & 0xFF);
}
constexpr int GetGValue(TColor C) {
    return static_cast<int>((C >> 8) & 0xFF);
}
constexpr int GetBValue(TColor C) {
    return static_cast<int>((C >> 16) & 0xFF);
}
constexpr TColor RGBColor(int R, int G, int B) {
    return static_cast<TColor>((R & 0xFF) | ((G & 0xFF) << 8) | ((B & 0xFF) << 16));
}

struct TPoint {
    int X = 0;
    int Y = 0;
    friend bool operator==(const TPoint&, const TPoint&) = default;
};

inline TPoint Point(int X, int Y) {
    return TPoint{X, Y};
}

// B - A, saturated at the int range: rectangles may reach saturated pixel coordinates.
constexpr int SaturatedDifference(int B, int A) {
    const long long D = static_cast<long long>(B) - A;
    return D > INT_MAX ? INT_MAX : (D < INT_MIN ? INT_MIN : static_cast<int>(D));
}

struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    int Width() const { return SaturatedDifference(Right, Left); }
    int Height() const { return SaturatedDifference(Bottom, Top); }
    friend bool operator==(const TRect&, const TRect&) = default;
};

inline TRect Rect(int Left, int Top, int Right, int Bottom) {
    return TRect{Left, Top, Right, Bottom};
}

enum class TMouseButton { mbLeft, mbRight, mbMiddle };

// A set of modifier keys and held mouse buttons.
class TShiftState {
public:
    enum Flag : unsigned {
        ssShift = 1,
        ssAlt = 2,
        ssCtrl = 4,
        ssLeft = 8,
        ssRight = 16,
        ssMiddle = 32,
        ssDouble = 64
    };
    constexpr TShiftState() = default;
    constexpr TShiftState(Flag F) : FBits(F) {}
    constexpr bool Contains(Flag F) const { return (FBits & F) != 0; }
    constexpr bool Empty() const { return FBits == 0; }
    constexpr TShiftState& operator|=(Flag F) {
        FBits |= F;
        return *this;
    }
    constexpr TShiftState operator|(Flag F) const {
        TShiftState S = *this;
        S |= F;
        return S;
    }
    constexpr unsigned Bits() const { return FBits; }
    friend constexpr bool operator==(TShiftState, TShiftState) = default;

private:
    unsigned FBits = 0;
};
