#include "platform/qt/QtTextTable.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Far past the first size of the table, so that it grows many times.
constexpr int Many = 5000;

std::string KeyOf(int I) {
    return "(" + std::to_string(I) + ")";
}

} // namespace

TEST(QtTextTable, FindsEveryRecordWhereItWasMadeAfterGrowing) {
    TQtTextTable<int> Table;
    std::vector<const int*> Places;
    for (int I = 0; I < Many; ++I) {
        bool Made = false;
        auto& R = Table.Find(KeyOf(I), Made);
        EXPECT_TRUE(Made);
        EXPECT_EQ(R.Value, 0);
        EXPECT_EQ(R.Key, KeyOf(I));
        R.Value = I + 1;
        Places.push_back(&R.Value);
    }
    EXPECT_EQ(Table.Size(), static_cast<std::size_t>(Many));
    for (int I = 0; I < Many; ++I) {
        bool Made = true;
        auto& R = Table.Find(KeyOf(I), Made);
        EXPECT_FALSE(Made);
        EXPECT_EQ(R.Value, I + 1);
        EXPECT_EQ(&R.Value, Places[I]);
    }
}

TEST(QtTextTable, TellsApartKeysThatDifferOnlyLateOrAreEmpty) {
    TQtTextTable<int> Table;
    bool Made = false;
    Table.Find("", Made).Value = 1;
    Table.Find("12 13 ", Made).Value = 2;
    Table.Find("12 13", Made).Value = 3;
    Table.Find(std::string("a\0b", 3), Made).Value = 4;
    Table.Find(std::string("a\0c", 3), Made).Value = 5;
    EXPECT_EQ(Table.Find("", Made).Value, 1);
    EXPECT_EQ(Table.Find("12 13 ", Made).Value, 2);
    EXPECT_EQ(Table.Find("12 13", Made).Value, 3);
    EXPECT_EQ(Table.Find(std::string("a\0b", 3), Made).Value, 4);
    EXPECT_EQ(Table.Find(std::string("a\0c", 3), Made).Value, 5);
    EXPECT_FALSE(Made);
    EXPECT_EQ(Table.Size(), 5u);
}

TEST(QtTextTable, StartsEmptyAgainAfterClearing) {
    TQtTextTable<int> Table;
    bool Made = false;
    for (int I = 0; I < 100; ++I)
        Table.Find(KeyOf(I), Made).Value = I;
    Table.Clear();
    EXPECT_EQ(Table.Size(), 0u);
    EXPECT_EQ(Table.Find(KeyOf(7), Made).Value, 0);
    EXPECT_TRUE(Made);
    EXPECT_EQ(Table.Size(), 1u);
}
