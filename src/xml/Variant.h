// The tagged value of the settings store: empty or one value of a fixed set of types. The type
// codes are written into the settings file, so they are part of its format.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

enum TVarType : int {
    varEmpty = 0,
    varInteger = 3,  // 32-bit signed
    varDouble = 5,   // 64-bit floating point
    varCurrency = 6, // 64-bit fixed point with four decimals
    varBoolean = 11,
    varByte = 17,     // 8-bit unsigned
    varLongWord = 19, // 32-bit unsigned
    varString = 258
};

// A currency amount in ten-thousandths.
struct TCurrency {
    std::int64_t Scaled = 0;
    friend bool operator==(const TCurrency&, const TCurrency&) = default;
};

class TVariant {
public:
    // Bytes, unsigned values and currency go through the named makers: a plain uint8_t would
    // become a 32-bit integer.
    TVariant() = default; // empty
    TVariant(std::int32_t V) : FType(varInteger), FInt(V) {}
    TVariant(double V) : FType(varDouble), FDouble(V) {}
    TVariant(bool V) : FType(varBoolean), FInt(V ? 1 : 0) {}
    TVariant(std::string V) : FType(varString), FString(std::move(V)) {}
    TVariant(const char* V) : TVariant(std::string(V)) {}
    static TVariant Byte(std::uint8_t V);
    static TVariant LongWord(std::uint32_t V);
    static TVariant Currency(TCurrency V);
    // The nearest currency amount, halves to even.
    static TVariant Currency(double V);

    TVarType VarType() const { return FType; }
    bool IsEmpty() const { return FType == varEmpty; }
    // Two values have the same type when their codes are equal; a byte is no 32-bit integer.
    bool SameType(const TVariant& Other) const { return FType == Other.FType; }

    // Conversions. Doubles and currency round to integers with halves to even, True is -1, an
    // empty value is 0 or False, and a text that is no number converts to 0.
    std::int32_t AsInteger() const;
    std::uint32_t AsLongWord() const;
    double AsDouble() const;
    bool AsBoolean() const;
    TCurrency AsCurrency() const;
    // The text form of the settings file: decimal integers, "True"/"False", doubles with 15
    // significant digits, currency with up to four decimals, the locale's decimal separator.
    std::string AsString() const;

    // The value of Text in type Type, or none when Text does not convert or lies outside the
    // type's range; only the numeric types and Boolean convert, any other code gives none. A
    // decimal ',' and '.' are both accepted.
    static std::optional<TVariant> FromText(const std::string& Text, TVarType Type);

    friend bool operator==(const TVariant&, const TVariant&) = default;

private:
    TVarType FType = varEmpty;
    std::int64_t FInt = 0; // integer types, Boolean as 0/1, currency in ten-thousandths
    double FDouble = 0;
    std::string FString;
};
