#include "core/export/ExportJob.h"

#include "core/editor/FileFaults.h"
#include "core/palette/Palettes.h"
#include "support/TestData.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <stdexcept>
#include <sys/stat.h>

namespace murelo {
namespace {

using Bytes = std::vector<std::uint8_t>;
namespace fs = std::filesystem;

ColorValue Color(int index) {
    return PaletteColor(KindTms9918, index);
}

// Colour 15 everywhere: pattern bytes 0xFF, colour bytes 0xF0.
Picture WhitePicture() {
    return Picture(256, 192, Color(15));
}

// Two colours per 8-pixel run, but shapes and colours that change from line to line, so
// neither table packs below 6144 bytes.
Picture NoisyPicture() {
    Picture p(256, 192);
    std::uint32_t x = 12345;
    for (int y = 0; y < 192; ++y)
        for (int c = 0; c < 32; ++c) {
            x = x * 1103515245u + 12345u;
            const int fg = 2 + int(x >> 16) % 14;
            const int bg = 2 + (fg - 2 + 1 + int(x >> 24) % 13) % 14;
            for (int p8 = 0; p8 < 8; ++p8)
                p.setPixel(8 * c + p8, y, (x >> (4 + p8)) & 1 ? Color(fg) : Color(bg));
        }
    return p;
}

struct Job {
    test::TempDir dir;
    ScreenBuffer screen;
    Picture overlay;
    ExportOptions options;
    ExportJobHooks hooks;
    int asked = 0;
    std::optional<fs::path> answer;

    Job() {
        const auto ask = [this]() {
            ++asked;
            return answer;
        };
        hooks.binaryPath = ask;
        hooks.casPath = ask;
        hooks.wavPath = ask;
    }

    ExportJobResult Run(const Picture& picture) {
        return RunExportJob(picture, KindTms9918, options, overlay, screen.vramImage(), hooks);
    }

    std::vector<std::string> Files() const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(dir.path()))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
};

TEST(ExportJob, OneOffenceWritesNothingWhateverTheDataType) {
    Picture picture = WhitePicture();
    picture.setPixel(9, 0, Color(4));
    picture.setPixel(10, 0, Color(6)); // a third colour in the run x = 8..15
    for (int type : {ExportBinaryData, ExportCasData, ExportWavData}) {
        SCOPED_TRACE(type);
        Job job;
        job.options.dataType = type;
        job.answer = job.dir / "out";
        const ExportJobResult r = job.Run(picture);
        EXPECT_EQ(r.outcome, ExportOutcome::Offences);
        EXPECT_EQ(r.checkResult, 1);
        EXPECT_EQ(r.boxText, "Some errors were found!");
        EXPECT_EQ(r.boxCaption, "Color Check");
        EXPECT_TRUE(r.errorsShown);
        EXPECT_NE(r.messageText.find("Line : (  10,   0 )"), std::string::npos) << r.messageText;
        EXPECT_EQ(job.asked, 0) << "no save dialog";
        EXPECT_TRUE(job.Files().empty());
        EXPECT_TRUE(r.written.empty());
    }
}

TEST(ExportJob, ACancelledCheckWritesNothing) {
    Job job;
    job.options.dataType = ExportCasData;
    job.answer = job.dir / "out";
    job.hooks.check.cancelRequested = [] { return true; };
    const ExportJobResult r = job.Run(WhitePicture());
    EXPECT_EQ(r.outcome, ExportOutcome::CheckCanceled);
    EXPECT_EQ(r.boxText, "Canceled..");
    EXPECT_EQ(r.boxCaption, "Color Check");
    EXPECT_EQ(job.asked, 0);
    EXPECT_TRUE(job.Files().empty());
}

TEST(ExportJob, CasImageOfAWhitePicture) {
    Job job;
    job.options.dataType = ExportCasData;
    job.answer = job.dir / "castle.bmp";
    const ExportJobResult r = job.Run(WhitePicture());
    ASSERT_EQ(r.outcome, ExportOutcome::Written);
    EXPECT_EQ(r.boxText, "OK!\n\nWritten:\n  " + (job.dir / "castle.cas").string());
    EXPECT_EQ(r.boxCaption, "Export");
    // Both tables pack to 148 bytes: 5 + 148 + 148 = 301, ending at C800 + 495 + 301.
    EXPECT_EQ(r.messageText, "Address Check :\n\nStart : C800h\n End  : CB1Ch\n");
    EXPECT_EQ(job.Files(), std::vector<std::string>{"castle.cas"});
    EXPECT_EQ(r.written, std::vector<fs::path>{job.dir / "castle.cas"});
    const Bytes cas = test::ReadBytes(job.dir / "castle.cas");
    ASSERT_EQ(cas.size(), 848u); // 534 + 301 = 835, padded to 848
    EXPECT_EQ(std::string(cas.begin() + 18, cas.begin() + 24), "castle");
    EXPECT_EQ(Bytes(cas.begin() + 32, cas.begin() + 38),
              (Bytes{0x00, 0xC8, 0x1C, 0xCB, 0x00, 0xC8}));
    EXPECT_EQ(cas[38], 0x23) << "the loader follows the addresses";
    // The packed screen: flags 0, offsets 4 and 152, pair runs of 0xFF and 0xF0.
    EXPECT_EQ(Bytes(cas.begin() + 534, cas.begin() + 542),
              (Bytes{0x00, 0x04, 0x00, 0x98, 0x00, 0xFE, 0xFF, 0xFF}));
    EXPECT_EQ(Bytes(cas.begin() + 534 + 153, cas.begin() + 534 + 156), (Bytes{0xFE, 0xF0, 0xF0}));
    // The video-memory image was reset before the check filled it.
    EXPECT_EQ(job.screen.bytes[0x1800 + 300], 300 - 256);
}

TEST(ExportJob, AChosenCasNameIsKeptAndTheTapeNameTyped) {
    Job job;
    job.options.dataType = ExportCasData;
    job.options.tapeName = "AB";
    job.options.startAddress = 4;
    job.answer = job.dir / "GAME.CAS";
    const ExportJobResult r = job.Run(WhitePicture());
    ASSERT_EQ(r.outcome, ExportOutcome::Written);
    EXPECT_EQ(job.Files(), std::vector<std::string>{"GAME.CAS"});
    const Bytes cas = test::ReadBytes(job.dir / "GAME.CAS");
    EXPECT_EQ(Bytes(cas.begin() + 18, cas.begin() + 24),
              (Bytes{0x41, 0x42, 0x20, 0x20, 0x20, 0x20}));
    EXPECT_EQ(cas[33], 0x90);
    EXPECT_EQ(cas[38 + 5], 0x90) << "the 9000H loader";
}

TEST(ExportJob, WavTapeAt2400BaudAndVolume1) {
    Job job;
    job.options.dataType = ExportWavData;
    job.options.baudRate = Baud2400;
    job.options.wavVolume = 1;
    job.answer = job.dir / "tape.x";
    const ExportJobResult r = job.Run(WhitePicture());
    ASSERT_EQ(r.outcome, ExportOutcome::Written);
    EXPECT_EQ(r.boxText, "OK!\n\nWritten:\n  " + (job.dir / "tape.wav").string());
    EXPECT_EQ(job.Files(), std::vector<std::string>{"tape.wav"});
    const Bytes wav = test::ReadBytes(job.dir / "tape.wav");
    // Silences 24000 + 48000 + 24000, tones 320000 + 80000, 16 + 6 + 496 + 301 bytes of 220.
    EXPECT_EQ(wav.size(), 44 + 24000 + 320000 + 16 * 220 + 48000 + 80000 + 803 * 220 + 24000u);
    EXPECT_EQ(std::set<int>(wav.begin() + 44, wav.end()), (std::set<int>{127, 128, 129}));
}

TEST(ExportJob, DataOverflowAtC800WritesNothing) {
    Job job;
    job.options.dataType = ExportCasData;
    job.answer = job.dir / "noise";
    const ExportJobResult r = job.Run(NoisyPicture());
    EXPECT_EQ(r.outcome, ExportOutcome::DataOverflow);
    // Both tables raw: 5 + 6144 + 6144 = 12293 bytes, from C800 to F9F4.
    EXPECT_EQ(r.boxText, "Data Over Flow Error!\n\nC800h - F9F4h\n\n"
                         "The highest Start Address that fits: C000H (16KB-32KB)");
    EXPECT_EQ(r.boxCaption, "Export");
    EXPECT_NE(r.messageText.find("* Data Over Flow ( Exceeded the BASIC WorkArea F380h)\n"
                                 "* The highest Start Address that fits: C000H (16KB-32KB)\n"),
              std::string::npos);
    EXPECT_EQ(job.asked, 0);
    EXPECT_TRUE(job.Files().empty());

    job.options.startAddress = 1; // C000H holds it
    const ExportJobResult fits = job.Run(NoisyPicture());
    EXPECT_EQ(fits.outcome, ExportOutcome::Written);
    EXPECT_EQ(fs::file_size(job.dir / "noise.cas"), 534 + 12293 + 5u); // padded to 12832
}

TEST(ExportJob, TheSaveDialogOpensOnlyAfterTheFinishedReport) {
    // Each data type: the report handed over before the dialog is the final message text
    // (the check's total, or the tape's load-address report), and it comes before the query.
    for (int type : {ExportBinaryData, ExportCasData, ExportWavData}) {
        SCOPED_TRACE(type);
        Job job;
        job.options.dataType = type;
        std::vector<std::string> events;
        job.hooks.beforeSaveDialog = [&](const std::string& text) { events.push_back(text); };
        const auto ask = [&] {
            events.push_back("ask");
            return std::optional<fs::path>(job.dir / "out");
        };
        job.hooks.binaryPath = job.hooks.casPath = job.hooks.wavPath = ask;
        const ExportJobResult r = job.Run(WhitePicture());
        EXPECT_EQ(r.outcome, ExportOutcome::Written);
        ASSERT_EQ(events.size(), 2u);
        EXPECT_EQ(events[0], r.messageText);
        EXPECT_EQ(events[1], "ask");
        const std::string expected = type == ExportBinaryData ? "Error Total: 0" : "C800h";
        EXPECT_NE(events[0].find(expected), std::string::npos) << events[0];
    }
}

TEST(ExportJob, NoSaveDialogNoAnnouncement) {
    // Offences, an overflowing tape and a one-bank set over 256 characters ask nothing.
    int announced = 0;
    Picture offence = WhitePicture();
    offence.setPixel(1, 0, Color(4));
    offence.setPixel(2, 0, Color(6));
    struct Case {
        int type;
        bool oneBank;
        Picture picture;
    } cases[] = {{ExportBinaryData, false, offence},
                 {ExportCasData, false, NoisyPicture()},
                 {ExportBinaryData, true, NoisyPicture()}};
    for (Case& c : cases) {
        Job job;
        job.options.dataType = c.type;
        job.options.binary.compress = job.options.binary.oneBank = c.oneBank;
        job.answer = job.dir / "out";
        job.hooks.beforeSaveDialog = [&](const std::string&) { ++announced; };
        const ExportJobResult r = job.Run(c.picture);
        EXPECT_NE(r.outcome, ExportOutcome::Written);
        EXPECT_EQ(job.asked, 0);
    }
    EXPECT_EQ(announced, 0);
}

TEST(ExportJob, ACancelledSaveDialogWritesNothingAndShowsNoBox) {
    Job job;
    job.options.dataType = ExportWavData;
    const ExportJobResult r = job.Run(WhitePicture());
    EXPECT_EQ(r.outcome, ExportOutcome::NoFileChosen);
    EXPECT_EQ(job.asked, 1);
    EXPECT_EQ(r.boxText, "");
    EXPECT_TRUE(job.Files().empty());
}

TEST(ExportJob, AFailedWriteIsReportedNotOk) {
    for (int type : {ExportCasData, ExportWavData}) {
        SCOPED_TRACE(type);
        Job job;
        job.options.dataType = type;
        job.answer = job.dir / "missing" / "t.cas";
        const ExportJobResult r = job.Run(WhitePicture());
        EXPECT_EQ(r.outcome, ExportOutcome::WriteFailed);
        EXPECT_EQ(r.boxCaption, "Export Error");
        ASSERT_EQ(r.failures.size(), 1u);
        EXPECT_EQ(r.failures[0].file.parent_path(), job.dir / "missing");
        EXPECT_NE(r.boxText.find(r.failures[0].file.string()), std::string::npos) << r.boxText;
        EXPECT_NE(r.boxText.find("No such file or directory"), std::string::npos) << r.boxText;
        EXPECT_EQ(r.boxText.find("OK!"), std::string::npos);
        EXPECT_TRUE(r.written.empty());
        EXPECT_TRUE(job.Files().empty());
    }
}

TEST(ExportJob, BinaryDataGoesToThePlainTables) {
    Job job;
    job.answer = job.dir / "pic.bin";
    const ExportJobResult r = job.Run(WhitePicture());
    ASSERT_EQ(r.outcome, ExportOutcome::Written);
    EXPECT_EQ(r.boxText, "OK!\n\nWritten:\n  " + (job.dir / "PIC.BIN.GEN").string() + "\n  " +
                             (job.dir / "PIC.BIN.NAM").string() + "\n  " +
                             (job.dir / "PIC.BIN.COL").string());
    EXPECT_EQ(job.Files(), (std::vector<std::string>{"PIC.BIN.COL", "PIC.BIN.GEN", "PIC.BIN.NAM"}));
    EXPECT_EQ(fs::file_size(job.dir / "PIC.BIN.GEN"), 7 + 6144u);
    const Bytes gen = test::ReadBytes(job.dir / "PIC.BIN.GEN");
    EXPECT_EQ(gen[7], 0xFF);
    EXPECT_EQ(test::ReadBytes(job.dir / "PIC.BIN.COL")[7], 0xF0);
}

TEST(ExportJob, RefusesBadOptionsAndSizesBeforeTouchingAnything) {
    Job job;
    job.screen.bytes.fill(0x77);
    job.answer = job.dir / "x";
    job.options.dataType = ExportWavData;
    job.options.wavVolume = 0;
    EXPECT_THROW(job.Run(WhitePicture()), std::invalid_argument);
    job.options.wavVolume = 64;
    job.options.startAddress = 5;
    EXPECT_THROW(job.Run(WhitePicture()), std::invalid_argument);
    job.options.startAddress = 0;
    job.options.baudRate = 2;
    EXPECT_THROW(job.Run(WhitePicture()), std::invalid_argument);
    job.options.baudRate = Baud1200;
    EXPECT_THROW(job.Run(Picture(256, 200, Color(15))), std::invalid_argument);
    EXPECT_EQ(job.screen.bytes[0x1800], 0x77);
    EXPECT_EQ(job.asked, 0);
    EXPECT_TRUE(job.Files().empty());
}

TEST(ExportOptions, DefaultsAreTheDialogsInitialState) {
    const ExportOptions o;
    EXPECT_EQ(o.dataType, ExportBinaryData);
    EXPECT_FALSE(o.binary.compress);
    EXPECT_FALSE(o.binary.divideNameTable);
    EXPECT_FALSE(o.binary.oneBank);
    EXPECT_TRUE(o.binary.addHeader);
    EXPECT_EQ(o.startAddress, 0);
    EXPECT_EQ(o.tapeName, "");
    EXPECT_EQ(o.wavVolume, 64);
    EXPECT_EQ(o.baudRate, Baud1200);
}

// The files each data type writes for the answer "t", with how often each write step comes
// before the last file's: a fault injected there fails the job at its last file.
struct TypeFiles {
    int type;
    std::vector<std::string> names; // sorted
    std::string lastWritten;
    int createsBefore, writesBefore;
};
const TypeFiles EveryType[] = {
    {ExportBinaryData, {"T.COL", "T.GEN", "T.NAM"}, "T.COL", 2, 5}, // header, data per file
    {ExportCasData, {"t.cas"}, "t.cas", 0, 0},
    {ExportWavData, {"t.wav"}, "t.wav", 0, 0},
};

unsigned ModeOf(const fs::path& file) {
    struct stat st {};
    return ::stat(file.c_str(), &st) == 0 ? unsigned(st.st_mode & 0777) : ~0u;
}

TEST(ExportJob, AFailureAtAnyStepKeepsEveryOldFileAndLeavesNoTemporary) {
    const Bytes old(33, 0x33);
    for (const TypeFiles& t : EveryType) {
        const int last = int(t.names.size()) - 1;
        const std::pair<FileStep, int> steps[] = {{FileStep::Create, t.createsBefore},
                                                  {FileStep::Write, t.writesBefore},
                                                  {FileStep::Flush, last},
                                                  {FileStep::Sync, last},
                                                  {FileStep::Rename, 0}};
        for (const auto& [step, skip] : steps) {
            SCOPED_TRACE(std::to_string(t.type) + " step " + std::to_string(int(step)));
            Job job;
            for (const std::string& name : t.names) {
                test::WriteBytes(job.dir / name, {old.begin(), old.end()});
                ::chmod((job.dir / name).c_str(), 0600);
            }
            job.options.dataType = t.type;
            job.answer = job.dir / "t";
            InjectFileFault(step, EIO, skip);
            const ExportJobResult r = job.Run(WhitePicture());
            ClearFileFaults();
            EXPECT_EQ(r.outcome, ExportOutcome::WriteFailed);
            ASSERT_EQ(r.failures.size(), 1u);
            if (step != FileStep::Rename) {
                EXPECT_EQ(r.failures[0].file, job.dir / t.lastWritten);
            }
            EXPECT_EQ(r.boxText,
                      "Write Error : " + r.failures[0].file.string() + " (Input/output error)");
            EXPECT_EQ(r.boxCaption, "Export Error");
            EXPECT_TRUE(r.written.empty());
            EXPECT_EQ(job.Files(), t.names);
            for (const std::string& name : t.names) {
                const auto now = test::ReadBytes(job.dir / name);
                EXPECT_EQ(Bytes(now.begin(), now.end()), old) << name;
                EXPECT_EQ(ModeOf(job.dir / name), 0600u) << name;
            }
        }
    }
}

TEST(ExportJob, ReplacedFilesKeepTheirPermissionBits) {
    for (const TypeFiles& t : EveryType) {
        SCOPED_TRACE(t.type);
        Job job;
        for (const std::string& name : t.names) {
            test::WriteBytes(job.dir / name, {1, 2, 3});
            ::chmod((job.dir / name).c_str(), 0640);
        }
        job.options.dataType = t.type;
        job.answer = job.dir / "t";
        const ExportJobResult r = job.Run(WhitePicture());
        EXPECT_EQ(r.outcome, ExportOutcome::Written) << r.boxText;
        EXPECT_EQ(r.written.size(), t.names.size());
        for (const std::string& name : t.names) {
            EXPECT_GT(fs::file_size(job.dir / name), 3u) << name;
            EXPECT_EQ(ModeOf(job.dir / name), 0640u) << name;
        }
    }
}

} // namespace
} // namespace murelo
