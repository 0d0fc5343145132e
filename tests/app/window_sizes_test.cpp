#include "app/window_sizes.h"
#include "app_fixture.h"

#include <gtest/gtest.h>

namespace lorvan {
namespace {

using test::AppFixture;

TEST(WindowSizes, RestoreFallsBackToTheDesignedSizePerValue) {
    struct Case {
        const char* width; // nullptr: not stored
        const char* height;
        WindowSize expected;
    };
    const WindowSize designed{520, 460};
    const Case cases[] = {
        {nullptr, nullptr, designed}, {"640", "480", {640, 480}}, {"640", nullptr, {640, 460}},
        {"0", "-5", designed},       // a window of no size could not be reached any more
        {"breit", "480x", designed}, // hand-edited text
        {"", "300", {520, 300}},
    };
    for (const Case& c : cases) {
        AppFixture f;
        if (c.width != nullptr) f.store.writeString("WindowSize130", "Width", c.width);
        if (c.height != nullptr) f.store.writeString("WindowSize130", "High", c.height);
        EXPECT_EQ(WindowSizes(f.store).restore(130, designed), c.expected)
            << (c.width ? c.width : "-") << " " << (c.height ? c.height : "-");
    }
}

TEST(WindowSizes, SaveKeepsTheSizeOnlyUnderTheRules) {
    struct Case {
        const char* what;
        WindowSize outer;
        bool maximised;
        bool written;
        WindowSize stored;
    };
    // Stored before each case: 640 x 480.
    const Case cases[] = {
        {"new size", {800, 600}, false, true, {800, 600}},
        {"only the height changed", {640, 500}, false, true, {640, 500}},
        {"same size", {640, 480}, false, false, {640, 480}},
        {"shrunk to 200 wide", {200, 600}, false, false, {640, 480}},
        {"shrunk to 200 high", {800, 200}, false, false, {640, 480}},
        {"just above the limit", {201, 201}, false, true, {201, 201}},
        {"maximised", {1600, 1000}, true, false, {640, 480}},
    };
    for (const Case& c : cases) {
        AppFixture f;
        f.store.writeStrings("WindowSize153", {{"Width", "640"}, {"High", "480"}});
        WindowSizes sizes(f.store);
        EXPECT_EQ(sizes.save(153, c.outer, c.maximised), c.written) << c.what;
        EXPECT_EQ(sizes.restore(153, {1, 1}), c.stored) << c.what;
    }
}

TEST(WindowSizes, ViewNumbersKeepTheirOwnSizes) {
    AppFixture f;
    WindowSizes sizes(f.store);
    EXPECT_TRUE(sizes.save(130, {700, 500}, false));
    EXPECT_TRUE(sizes.save(0, {300, 250}, false));
    EXPECT_EQ(f.store.readString("WindowSize130", "Width", ""), "700");
    EXPECT_EQ(f.store.readString("WindowSize130", "High", ""), "500");
    EXPECT_EQ(sizes.restore(0, {1, 1}), (WindowSize{300, 250}));
    EXPECT_EQ(sizes.restore(153, {360, 380}), (WindowSize{360, 380}));
}

} // namespace
} // namespace lorvan
