// The exact one-line messages and exit statuses of bad command lines, command by command, so
// that the way arguments are parsed can change without the user seeing a difference.
#include "core/editor/BitmapCodec.h"
#include "support/CliRunner.h"
#include "support/TestData.h"

#include <gtest/gtest.h>

using namespace murelo;
using namespace murelo::test;

namespace {

class ArgumentMessages : public ::testing::Test {
  protected:
    TempDir dir;
    std::string pic;
    ArgumentMessages() {
        const auto bytes = EncodeBitmap24(Picture(256, 192, 0xFFFFFF));
        WriteBytes(dir / "p.bmp", std::vector<unsigned char>(bytes.begin(), bytes.end()));
        pic = (dir / "p.bmp").string();
    }
    std::string out(const char* name) const { return (dir / name).string(); }

    struct Case {
        std::vector<std::string> args;
        std::string message; // after "murelo9918-cli COMMAND: "
    };
    void Expect(const std::vector<Case>& cases) {
        for (const Case& c : cases) {
            const CliResult r = RunCli(c.args);
            std::string joined;
            for (const auto& a : c.args)
                joined += a + " ";
            EXPECT_EQ(r.exitCode, 2) << joined;
            EXPECT_EQ(r.err, "murelo9918-cli " + c.args[0] + ": " + c.message + "\n") << joined;
            EXPECT_EQ(r.out, "") << joined;
        }
    }
};

const std::string SaveUsage =
    "usage: save FILE.bmp -o OUT.bmp|OUT.png [--depth 4|8|24] [--palette KIND]";
const std::string RecolorUsage = "usage: recolor FILE.bmp --palette KIND -o OUT.bmp";
const std::string ConvertUsage =
    "usage: convert FILE... --page tms9918|v9938|v9958|pc6001|pc8801 --mode N|CAPTION "
    "-o RESULT.bmp|-O DIR [options] (-o may give way to --export PATH [--connect-palette] and "
    "--save PATH; convert --list-modes lists the modes)";
const std::string ExportUsage =
    "usage: export FILE.bmp --format bin|cas|wav|sc2 -o PATH [--palette KIND] [--compress] "
    "[--divide-nam] [--one-bank] [--no-header] [--start C800|C000|B000|A000|9000] "
    "[--tape-name NAME] [--baud 1200|2400] [--volume 1..127]";
const std::string KindHelp = "(use 0..14 or a name such as TMS9918, Color 4-1, PC-8801)";

} // namespace

TEST_F(ArgumentMessages, FileCommands) {
    Expect({
        {{"detect"}, "usage: detect FILE.bmp"},
        {{"detect", pic, pic}, "usage: detect FILE.bmp"},
        {{"detect", "--palette"}, "usage: detect FILE.bmp"},
        {{"info"}, "usage: info FILE.bmp"},
        {{"info", "--x"}, "usage: info FILE.bmp"},
        {{"save", pic}, SaveUsage},
        {{"save", pic, "-o"}, "-o needs a value"},
        {{"save", pic, "-o", out("a.bmp"), "--depth", "16"},
         "--depth must be 4, 8 or 24, not '16'"},
        {{"save", pic, "-o", out("a.bmp"), "--palette", "x"},
         "unknown palette kind 'x' " + KindHelp},
        {{"save", pic, "-o", out("a.bmp"), "--bogus"}, "unexpected '--bogus' (" + SaveUsage + ")"},
        {{"save", pic, pic, "-o", out("a.bmp")}, "unexpected '" + pic + "' (" + SaveUsage + ")"},
        {{"recolor", pic, "-o", out("a.bmp")}, RecolorUsage},
        {{"recolor", pic, "--palette"}, "--palette needs a value"},
        {{"recolor", pic, "--palette", "15", "-o", out("a.bmp")},
         "unknown palette kind '15' " + KindHelp},
        {{"recolor", pic, "-x"}, "unexpected '-x' (" + RecolorUsage + ")"},
    });
}

TEST_F(ArgumentMessages, Check) {
    Expect({
        {{"check"},
         "which file? usage: check FILE.bmp [--palette KIND] [--overlay OUT.bmp] "
         "[--tables OUT.bin]"},
        {{"check", pic, "--bogus"}, "unknown option '--bogus'"},
        {{"check", pic, pic}, "only one FILE.bmp, not also '" + pic + "'"},
        {{"check", pic, "--overlay"}, "--overlay needs a value"},
        {{"check", pic, "--palette", "99"}, "unknown palette kind '99' " + KindHelp},
    });
}

TEST_F(ArgumentMessages, Export) {
    const std::string o = out("x");
    Expect({
        {{"export", pic}, ExportUsage},
        {{"export", pic, "--format", "bin"}, ExportUsage},
        {{"export", pic, "--format"}, "--format needs a value"},
        {{"export", pic, "--format", "tap", "-o", o},
         "--format must be bin, cas, wav or sc2, not 'tap'"},
        {{"export", pic, "--format", "bin", "-o", o, "--bogus"}, "unknown option '--bogus'"},
        {{"export", pic, pic, "--format", "bin", "-o", o},
         "only one FILE.bmp, not also '" + pic + "'"},
        {{"export", pic, "--format", "cas", "-o", o, "--start", "d000"},
         "--start must be C800, C000, B000, A000 or 9000, not 'D000'"},
        {{"export", pic, "--format", "wav", "-o", o, "--baud", "300"},
         "--baud must be 1200 or 2400, not '300'"},
        {{"export", pic, "--format", "wav", "-o", o, "--volume", "0"},
         "--volume must be a whole number from 1 to 127, not '0'"},
        {{"export", pic, "--format", "wav", "-o", o, "--volume", "12x"},
         "--volume must be a whole number from 1 to 127, not '12x'"},
        {{"export", pic, "--format", "cas", "-o", o, "--tape-name", "SEVENCH"},
         "--tape-name holds at most 6 characters, not 'SEVENCH'"},
        {{"export", pic, "--format", "cas", "-o", o, "--no-header", "--compress"},
         "--no-header applies only to --format bin"},
        {{"export", pic, "--format", "bin", "-o", o, "--baud", "2400", "--start", "C000"},
         "--start applies only to --format cas or wav"},
        {{"export", pic, "--format", "cas", "-o", o, "--volume", "3"},
         "--volume applies only to --format wav"},
        {{"export", pic, "--format", "bin", "-o", o, "--one-bank"}, "--one-bank needs --compress"},
        {{"export", pic, "--format", "bin", "-o", o, "--divide-nam", "--one-bank"},
         "--divide-nam needs --compress"},
    });
}

TEST_F(ArgumentMessages, Convert) {
    const std::string o = out("c.bmp");
    Expect({
        {{"convert", pic, "--page", "tms9918", "-o", o}, ConvertUsage},
        {{"convert", pic, "--page", "msx", "--mode", "0", "-o", o},
         "unknown page 'msx' (use tms9918, v9938, v9958, pc6001 or pc8801)"},
        {{"convert", pic, "--page", "tms9918", "--mode", "9", "-o", o},
         "--mode must be from 0 to 3 on page tms9918"},
        {{"convert", pic, "--page", "tms9918", "--mode", "0", "--red", "101", "-o", o},
         "--red must be a whole number from -100 to 100, not '101'"},
        {{"convert", pic, "--page", "tms9918", "--mode", "2", "--fg", "#12345G", "-o", o},
         "--fg must be a palette index 0..15, #RRGGBB, not '#12345G'"},
        {{"convert", pic, "--page", "tms9918", "--mode", "2", "--bg", "blue", "-o", o},
         "--bg must be a palette index 0..15, #RRGGBB or none, not 'blue'"},
        {{"convert", pic, "--page", "tms9918", "--mode", "0", "--bogus", "-o", o},
         "unexpected '--bogus' (" + ConvertUsage + ")"},
        {{"convert", pic, "--page", "tms9918", "--mode"}, "--mode needs a value"},
    });
}

TEST_F(ArgumentMessages, Compare) {
    const std::string usage = "usage: compare SOURCE.bmp RESULT.bmp [--palette KIND]";
    Expect({
        {{"compare", pic}, usage},
        {{"compare", pic, pic, "--bogus"}, "unknown option '--bogus' (" + usage + ")"},
        {{"compare", pic, pic, pic}, "only two pictures, not also '" + pic + "' (" + usage + ")"},
        {{"compare", pic, pic, "--palette"}, "--palette needs a value"},
        {{"compare", pic, pic, "--palette", "16"}, "unknown palette kind '16' " + KindHelp},
    });
}

TEST_F(ArgumentMessages, NegativeValuesAreValuesNotOptions) {
    const CliResult r = RunCli({"convert", pic, "--page", "tms9918", "--mode", "0", "--red", "-5",
                                "--brightness", "-100", "-o", out("n.bmp")});
    EXPECT_EQ(r.exitCode, 0) << r.err;
}

TEST_F(ArgumentMessages, EveryCommandExplainsItsOptions) {
    const std::vector<std::pair<std::string, std::vector<std::string>>> commands = {
        {"detect", {"FILE"}},
        {"info", {"FILE"}},
        {"save", {"-o OUT.bmp|OUT.png", "--depth 4|8|24", "--palette KIND"}},
        {"recolor", {"--palette KIND", "-o OUT.bmp"}},
        {"import", {"--size WxH", "--fit letterbox|crop|stretch", "default: letterbox"}},
        {"check", {"--palette KIND", "--overlay OUT.bmp", "--tables OUT.bin"}},
        {"export",
         {"--format bin|cas|wav|sc2", "--start C800|C000|B000|A000|9000", "default: C800",
          "--volume 1..127", "default: 64", "--baud 1200|2400", "--one-bank"}},
        {"convert",
         {"--page tms9918|v9938|v9958|pc6001|pc8801", "--red -100..100", "--contrast 0..200",
          "default: 100", "--halftone 0..3", "--dither 0..100", "--export PATH", "--save PATH",
          "--connect-palette", "--analog-palette"}},
        {"compare", {"SOURCE", "RESULT", "--palette KIND"}},
    };
    for (const auto& [command, shown] : commands)
        for (const char* help : {"--help", "-h"}) {
            const CliResult r = RunCli({command, help});
            EXPECT_EQ(r.exitCode, 0) << command;
            EXPECT_EQ(r.err, "") << command;
            EXPECT_NE(r.out.find("murelo9918-cli " + command), std::string::npos) << r.out;
            for (const std::string& text : shown)
                EXPECT_NE(r.out.find(text), std::string::npos) << command << ": " << text;
        }
}
