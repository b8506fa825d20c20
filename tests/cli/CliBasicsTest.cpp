#include "support/CliRunner.h"

#include <gtest/gtest.h>

using murelo::test::RunCli;

TEST(CliBasics, VersionAndHelp) {
    auto v = RunCli({"--version"});
    EXPECT_EQ(v.exitCode, 0);
    EXPECT_EQ(v.out, "Murelo 9918 ver.1.20\n");
    auto h = RunCli({"--help"});
    EXPECT_EQ(h.exitCode, 0);
    EXPECT_NE(h.out.find("usage: murelo9918-cli"), std::string::npos);
}

TEST(CliBasics, UnknownCommandIsBadUsage) {
    auto r = RunCli({"frobnicate"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("unknown command 'frobnicate'"), std::string::npos);
    EXPECT_EQ(RunCli({}).exitCode, 2);
}
