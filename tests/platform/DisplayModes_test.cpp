#include "platform/DisplayModes.h"

#include <gtest/gtest.h>

TEST(WindowRequest, MissingSizesFollowTheOtherAtFourToThree) {
    EXPECT_EQ(resolveWindowRequest(0, 0, 0, false), (DisplayMode{640, 480, 24}));
    EXPECT_EQ(resolveWindowRequest(1000, 0, 32, false), (DisplayMode{1000, 750, 32}));
    EXPECT_EQ(resolveWindowRequest(0, 600, 16, false), (DisplayMode{800, 600, 16}));
    EXPECT_EQ(resolveWindowRequest(-5, -1, -8, false), (DisplayMode{640, 480, 24}));
    EXPECT_EQ(resolveWindowRequest(101, 0, 24, false).height, 75) << "truncates toward zero";
    EXPECT_EQ(resolveWindowRequest(640, 200, 24, false), (DisplayMode{640, 200, 24}));
}

TEST(WindowRequest, OnlyFullScreenRaisesLowDepthsTo16) {
    EXPECT_EQ(resolveWindowRequest(800, 600, 8, false).bits, 8);
    EXPECT_EQ(resolveWindowRequest(800, 600, 8, true).bits, 16);
    EXPECT_EQ(resolveWindowRequest(800, 600, 14, true).bits, 16);
    EXPECT_EQ(resolveWindowRequest(800, 600, 15, true).bits, 15);
    EXPECT_EQ(resolveWindowRequest(0, 0, 0, true).bits, 24);
}

TEST(DisplayModeChoice, ExactDepthWinsAndTiesKeepTheFirst) {
    const std::vector<DisplayMode> modes = {{800, 600, 16}, {800, 600, 32}, {800, 600, 32}};
    EXPECT_EQ(chooseDisplayMode(modes, {800, 600, 32}), 1);
    EXPECT_EQ(chooseDisplayMode(modes, {800, 600, 16}), 0);
    EXPECT_EQ(chooseDisplayMode({}, {800, 600, 32}), -1);
}

TEST(DisplayModeChoice, DepthMismatchOutweighsAnySmallSizeMismatch) {
    const std::vector<DisplayMode> modes = {{800, 600, 16}, {1600, 1200, 32}, {640, 480, 24}};
    EXPECT_EQ(chooseDisplayMode(modes, {800, 600, 32}), 1);
    EXPECT_LT(displayModeScore({1600, 1200, 32}, {800, 600, 32}),
              displayModeScore({800, 600, 31}, {800, 600, 32}));
    EXPECT_EQ(displayModeScore({800, 600, 24}, {800, 600, 32}), 8LL << 24);
    EXPECT_EQ(displayModeScore({803, 596, 32}, {800, 600, 32}), 25);
}

TEST(DisplayModeChoice, ClosestSizeAmongEqualDepths) {
    const std::vector<DisplayMode> modes = {{640, 480, 32}, {1024, 768, 32}, {1280, 1024, 32}};
    EXPECT_EQ(chooseDisplayMode(modes, {1000, 750, 32}), 1);
    EXPECT_EQ(chooseDisplayMode(modes, {700, 500, 32}), 0);
}

TEST(DisplayModeList, SortedByDepthWidthHeightWithoutDuplicatesOrLowDepths) {
    const std::vector<DisplayMode> enumerated = {{1024, 768, 32}, {800, 600, 16}, {1024, 768, 32},
                                                 {640, 480, 8},   {800, 600, 32}, {800, 480, 32},
                                                 {1024, 600, 16}, {320, 200, 14}};
    const std::vector<DisplayMode> listed = displayModeList(enumerated, 200);
    const std::vector<DisplayMode> expected = {
        {800, 600, 16}, {1024, 600, 16}, {800, 480, 32}, {800, 600, 32}, {1024, 768, 32}};
    EXPECT_EQ(listed, expected);
}

TEST(DisplayModeList, CapacityLimitsTheListedModes) {
    const std::vector<DisplayMode> enumerated = {
        {640, 480, 8}, {1024, 768, 32}, {1024, 768, 32}, {800, 600, 32}, {640, 480, 32}};
    EXPECT_EQ(displayModeList(enumerated, 2),
              (std::vector<DisplayMode>{{800, 600, 32}, {1024, 768, 32}}));
    EXPECT_TRUE(displayModeList(enumerated, 0).empty());
    EXPECT_TRUE(displayModeList({}, 10).empty());
}

TEST(DisplayModeList, WideModesStillSortByWidthThenHeight) {
    // Widths above 4095 would overlap the height in a packed key.
    const std::vector<DisplayMode> enumerated = {
        {5120, 1440, 32}, {4096, 2160, 32}, {3840, 2160, 32}};
    EXPECT_EQ(displayModeList(enumerated, 10),
              (std::vector<DisplayMode>{{3840, 2160, 32}, {4096, 2160, 32}, {5120, 1440, 32}}));
}
