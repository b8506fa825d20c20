#include "core/editor/ProcessUmask.h"
#include "FileTestSupport.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sys/stat.h>

namespace murelo {
namespace {

TEST(ProcessUmask, TheStatusTextsUmaskLine) {
    struct Case {
        const char* status;
        std::optional<mode_t> mask;
    };
    const Case cases[] = {
        {"Name:\tmurelo9918\nUmask:\t0022\nState:\tR (running)\n", mode_t(022)},
        {"Umask:\t0077\n", mode_t(077)},
        {"Umask:\t0000", mode_t(0)},
        {"Umask: 027\n", mode_t(027)},
        {"Name:\tx\nState:\tS\n", std::nullopt}, // an older kernel without the line
        {"Umask:\t\nState:\tS\n", std::nullopt}, // no value
        {"Umask:\t0o22\n", std::nullopt},        // not octal digits
        {"Umask:\t01777\n", std::nullopt},       // beyond the permission bits
        {"NoUmask:\t0022\n", std::nullopt},      // another label
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseStatusUmask(c.status), c.mask) << c.status;
}

TEST(ProcessUmask, IsReadWithoutChangingIt) {
    for (const mode_t mask : {mode_t(022), mode_t(027), mode_t(0)}) {
        test::ScopedUmask scoped(mask);
        EXPECT_EQ(ReadUmask(), mask);
        EXPECT_EQ(::umask(mask), mask); // still what it was set to
    }
}

TEST(ProcessUmask, AnUnreadableStatusCountsAsTheStrictestMask) {
    test::TempDir dir;
    EXPECT_EQ(ReadUmask(dir / "missing"), mode_t(077));
    std::ofstream(dir / "status") << "Name:\tx\nUmask:\t0002\n";
    EXPECT_EQ(ReadUmask(dir / "status"), mode_t(002));
    std::ofstream(dir / "status") << "Name:\tx\n";
    EXPECT_EQ(ReadUmask(dir / "status"), mode_t(077));
}

} // namespace
} // namespace murelo
