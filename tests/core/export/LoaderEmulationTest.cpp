// Runs the assembled tape loader on an emulated Z80 with the MSX BIOS entries it calls
// stubbed here, and checks what it leaves in the emulated video memory.
#include "core/export/CasImage.h"
#include "core/export/LoadAddressCheck.h"
#include "core/export/Packer.h"
#include "core/export/loader/LoaderImage.h"

#include <z80ex/z80ex.h>

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace murelo {
namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::uint16_t WRTVRM = 0x004D, LDIRVM = 0x005C, CHGMOD = 0x005F, CHGCLR = 0x0062,
                        CLS = 0x00C3, GTTRIG = 0x00D8;
constexpr std::uint16_t FORCLR = 0xF3E9, BAKCLR = 0xF3EA, BDRCLR = 0xF3EB;
constexpr std::uint16_t UsrArgument = 0xF7F6; // DAC: an integer's value starts at +2
constexpr std::uint16_t BasicReturn = 0x4000; // where USR's caller continues
constexpr std::uint16_t StackTop = 0xFFF0;
constexpr std::uint8_t UntouchedVram = 0xAA;

// A 64 KB MSX with 16 KB of video memory and the BIOS entries as traps.
class Msx {
  public:
    std::array<std::uint8_t, 0x10000> ram{};
    std::array<std::uint8_t, 0x4000> vram{};
    std::vector<std::string> calls; // BIOS entries in call order
    std::vector<std::uint16_t> ramWrites;
    int gttrigPolls = 0;
    int vramWritesBeforeFirstPoll = -1;
    int vramWrites = 0;
    bool clsHadZeroFlag = false;
    std::array<std::uint8_t, 3> colorsAtChgclr{};
    int modeAtChgmod = -1;
    // Answers GTTRIG: (trigger number, poll count) -> pressed.
    std::function<bool(int trigger, int poll)> triggerPressed = [](int, int) { return false; };

    Msx() : cpu_(z80ex_create(&Read, this, &Write, this, &In, this, &Out, this, &IntRead, this)) {
        vram.fill(UntouchedVram);
        ram.fill(0x76); // HALT wherever the code should never go
    }
    ~Msx() { z80ex_destroy(cpu_); }
    Msx(const Msx&) = delete;
    Msx& operator=(const Msx&) = delete;

    // Calls `address` as BASIC's USR(argument) would; true when it returned within the budget.
    bool Usr(std::uint16_t address, std::uint8_t argument, long stepBudget = 20'000'000) {
        ram[UsrArgument + 2] = argument;
        ram[UsrArgument + 3] = 0;
        ram[StackTop - 2] = BasicReturn & 0xFF;
        ram[StackTop - 1] = BasicReturn >> 8;
        z80ex_set_reg(cpu_, regSP, StackTop - 2);
        z80ex_set_reg(cpu_, regHL, UsrArgument);
        z80ex_set_reg(cpu_, regPC, address);
        ramWrites.clear();
        for (long step = 0; step < stepBudget; ++step) {
            const std::uint16_t pc = z80ex_get_reg(cpu_, regPC);
            if (z80ex_last_op_type(cpu_) == 0) {
                if (pc == BasicReturn)
                    return z80ex_get_reg(cpu_, regSP) == StackTop;
                if (pc < 0x0100) {
                    Bios(pc);
                    continue;
                }
            }
            if (z80ex_doing_halt(cpu_)) {
                ADD_FAILURE() << "ran into a HALT at " << std::hex << pc;
                return false;
            }
            z80ex_step(cpu_);
        }
        return false;
    }

    Bytes VramRange(std::size_t from, std::size_t count) const {
        return Bytes(vram.begin() + std::ptrdiff_t(from),
                     vram.begin() + std::ptrdiff_t(from + count));
    }

  private:
    std::uint16_t Reg(Z80_REG_T r) const { return z80ex_get_reg(cpu_, r); }

    // Registers a BIOS routine may change get junk, so the loader cannot rely on them.
    void Clobber(std::initializer_list<Z80_REG_T> regs) {
        for (Z80_REG_T r : regs)
            z80ex_set_reg(cpu_, r, std::uint16_t(0x5A5A + calls.size() * 0x0101));
    }

    void Return() {
        const std::uint16_t sp = Reg(regSP);
        z80ex_set_reg(cpu_, regPC, std::uint16_t(ram[sp] | ram[std::uint16_t(sp + 1)] << 8));
        z80ex_set_reg(cpu_, regSP, std::uint16_t(sp + 2));
    }

    void Bios(std::uint16_t entry) {
        const std::uint8_t a = std::uint8_t(Reg(regAF) >> 8);
        const std::uint8_t f = std::uint8_t(Reg(regAF));
        switch (entry) {
        case WRTVRM:
            vram.at(Reg(regHL) & 0x3FFF) = a;
            ++vramWrites;
            Clobber({regAF});
            break;
        case LDIRVM:
            calls.push_back("LDIRVM");
            for (std::uint16_t i = 0; i < Reg(regBC); ++i)
                vram.at((Reg(regDE) + i) & 0x3FFF) = ram[std::uint16_t(Reg(regHL) + i)];
            vramWrites += Reg(regBC);
            Clobber({regAF, regBC, regDE, regHL, regIX, regIY});
            break;
        case CHGMOD:
            calls.push_back("CHGMOD");
            modeAtChgmod = a;
            for (int i = 0; i < 768; ++i)
                vram[0x1800 + i] = std::uint8_t(i);
            Clobber({regAF, regBC, regDE, regHL, regIX, regIY});
            break;
        case CHGCLR:
            calls.push_back("CHGCLR");
            colorsAtChgclr = {ram[FORCLR], ram[BAKCLR], ram[BDRCLR]};
            Clobber({regAF, regBC, regDE, regHL, regIX, regIY});
            break;
        case CLS:
            calls.push_back("CLS");
            clsHadZeroFlag = (f & 0x40) != 0;
            Clobber({regAF, regBC, regDE});
            break;
        case GTTRIG: {
            if (gttrigPolls == 0)
                vramWritesBeforeFirstPoll = vramWrites;
            calls.push_back("GTTRIG" + std::to_string(a));
            const bool pressed = triggerPressed(a, gttrigPolls++);
            Clobber({regAF, regBC, regDE, regHL, regIX, regIY});
            z80ex_set_reg(cpu_, regAF, std::uint16_t((pressed ? 0xFF00 : 0x0000) | 0x55));
            break;
        }
        default:
            ADD_FAILURE() << "call to an unexpected BIOS address " << std::hex << entry;
            z80ex_set_reg(cpu_, regPC, BasicReturn + 1); // a HALT
            return;
        }
        Return();
    }

    static Z80EX_BYTE Read(Z80EX_CONTEXT*, Z80EX_WORD addr, int, void* self) {
        return static_cast<Msx*>(self)->ram[addr];
    }
    static void Write(Z80EX_CONTEXT*, Z80EX_WORD addr, Z80EX_BYTE value, void* self) {
        auto* msx = static_cast<Msx*>(self);
        msx->ram[addr] = value;
        if (addr < StackTop - 0x100) // not the stack
            msx->ramWrites.push_back(addr);
    }
    static Z80EX_BYTE In(Z80EX_CONTEXT*, Z80EX_WORD port, void*) {
        ADD_FAILURE() << "the loader read I/O port " << port;
        return 0xFF;
    }
    static void Out(Z80EX_CONTEXT*, Z80EX_WORD port, Z80EX_BYTE, void*) {
        ADD_FAILURE() << "the loader wrote I/O port " << port;
    }
    static Z80EX_BYTE IntRead(Z80EX_CONTEXT*, void*) { return 0xFF; }

    Z80EX_CONTEXT* cpu_;
};

// Puts the binary file of a CAS image into memory as a tape BLOAD does; returns its
// header (start, end, execution).
TapeHeader LoadCas(const Bytes& cas, Msx& msx) {
    const std::size_t data = 8 + 10 + 6 + 8; // header block, then the second sync
    const auto word = [&](std::size_t at) { return std::uint16_t(cas[at] | cas[at + 1] << 8); };
    const TapeHeader header{word(data), word(data + 2), word(data + 4)};
    const std::size_t length = std::size_t(header.end) - header.start + 1;
    EXPECT_LE(data + 6 + length, cas.size());
    std::copy_n(cas.begin() + std::ptrdiff_t(data + 6), length, msx.ram.begin() + header.start);
    return header;
}

// Pattern and colour tables of a video-memory image, built for each case.
struct Tables {
    Bytes pattern = Bytes(ScreenTableSize);
    Bytes color = Bytes(ScreenTableSize);

    std::vector<std::uint8_t> Vram() const {
        std::vector<std::uint8_t> v(0x4000, 0);
        std::copy(pattern.begin(), pattern.end(), v.begin());
        std::copy(color.begin(), color.end(), v.begin() + 0x2000);
        return v;
    }
};

// Literal stretches, byte runs and pair runs of several lengths, so the packed stream
// holds every code kind.
Bytes MixedTable(int seed) {
    Bytes t;
    std::uint32_t x = std::uint32_t(seed) * 2654435761u + 1;
    auto next = [&]() { return x = x * 1103515245u + 12345u, std::uint8_t(x >> 16); };
    while (t.size() < ScreenTableSize) {
        switch (next() % 3) {
        case 0: // literal
            for (int k = next() % 150 + 1; k > 0; --k)
                t.push_back(next());
            break;
        case 1: // byte run
            t.insert(t.end(), next() % 90 + 3, next());
            break;
        default: { // pair run
            const std::uint8_t a = next(), b = std::uint8_t(a + 1 + next() % 200);
            for (int k = next() % 70 + 2; k > 0; --k)
                t.insert(t.end(), {a, b});
        }
        }
    }
    t.resize(ScreenTableSize);
    return t;
}

Bytes Incompressible(int seed) {
    Bytes t(ScreenTableSize);
    for (std::size_t i = 0; i < t.size(); ++i)
        t[i] = std::uint8_t((i * 7 + i / 256 + std::size_t(seed)) % 251);
    return t;
}

// The code kinds a packed stream uses: bit 0 literal, bit 1 byte run, bit 2 pair run.
int CodeKinds(const Bytes& packed, std::size_t from) {
    int kinds = 0;
    for (std::size_t i = from; packed.at(i) != 0xFF;) {
        const std::uint8_t code = packed[i];
        if (code < 0x80) {
            kinds |= 1;
            i += 2u + code;
        } else if (code < 0xC0) {
            kinds |= 2;
            i += 2;
        } else {
            kinds |= 4;
            i += 3;
        }
    }
    return kinds;
}

struct LoadResult {
    bool returned = false;
    TapeHeader header;
};

LoadResult RunTape(Msx& msx, const Tables& tables, int startItem, std::uint8_t usrArgument,
                   long stepBudget = 20'000'000) {
    const PackedScreen packed = PackScreen(tables.Vram());
    const LoadAddressResult check = CheckLoadAddress(startItem, packed.size());
    EXPECT_TRUE(check.fits);
    TapeFile tape;
    tape.name = TapeName("LOADER", "");
    tape.header = check.header;
    tape.loader = LoaderImage(startItem);
    tape.packed = packed.bytes;
    LoadResult result;
    result.header = LoadCas(BuildCasImage(tape), msx);
    result.returned = msx.Usr(result.header.execution, usrArgument, stepBudget);
    return result;
}

void ExpectScreenLoaded(const Msx& msx, const Tables& tables) {
    EXPECT_EQ(msx.VramRange(0x0000, ScreenTableSize), tables.pattern);
    EXPECT_EQ(msx.VramRange(0x2000, ScreenTableSize), tables.color);
    Bytes names(768);
    for (int i = 0; i < 768; ++i)
        names[std::size_t(i)] = std::uint8_t(i);
    EXPECT_EQ(msx.VramRange(0x1800, 768), names) << "the name table is CHGMOD's";
    EXPECT_EQ(msx.VramRange(0x1B00, 0x500), Bytes(0x500, UntouchedVram));
    EXPECT_EQ(msx.VramRange(0x3800, 0x800), Bytes(0x800, UntouchedVram));
}

void ExpectScreenSetUp(const Msx& msx) {
    ASSERT_GE(msx.calls.size(), 3u);
    EXPECT_EQ(msx.calls[0], "CHGCLR");
    EXPECT_EQ(msx.calls[1], "CHGMOD");
    EXPECT_EQ(msx.calls[2], "CLS");
    EXPECT_EQ(msx.colorsAtChgclr, (std::array<std::uint8_t, 3>{15, 0, 0}));
    EXPECT_EQ(msx.modeAtChgmod, 2);
    EXPECT_TRUE(msx.clsHadZeroFlag) << "CLS clears only with the Z flag set";
}

// The loader writes only the wait flag and the colour work bytes outside the stack.
void ExpectOnlyItsOwnWrites(const Msx& msx, std::uint16_t start) {
    for (std::uint16_t addr : msx.ramWrites)
        EXPECT_TRUE(addr == start + LoaderWaitFlagOffset || addr == FORCLR || addr == BAKCLR ||
                    addr == BDRCLR)
            << "wrote " << std::hex << addr;
}

class LoaderAtEachStart : public testing::TestWithParam<int> {};

TEST_P(LoaderAtEachStart, UnpacksBothPackedBlocks) {
    Tables tables;
    tables.pattern = MixedTable(1 + GetParam());
    tables.color = MixedTable(100 + GetParam());
    const PackedScreen packed = PackScreen(tables.Vram());
    ASSERT_EQ(packed.flags(), 0);
    ASSERT_EQ(CodeKinds(packed.bytes, 5), 7);
    ASSERT_EQ(CodeKinds(packed.bytes, 1 + packed.colorOffset()), 7);

    Msx msx;
    const LoadResult r = RunTape(msx, tables, GetParam(), 0);
    EXPECT_EQ(r.header.start, StartAddresses[std::size_t(GetParam())]);
    EXPECT_TRUE(r.returned);
    ExpectScreenSetUp(msx);
    ExpectScreenLoaded(msx, tables);
    ExpectOnlyItsOwnWrites(msx, r.header.start);
    EXPECT_EQ(msx.gttrigPolls, 0);
}

TEST_P(LoaderAtEachStart, CopiesARawPatternBlock) {
    Tables tables;
    tables.pattern = Incompressible(GetParam());
    tables.color = MixedTable(7);
    ASSERT_EQ(PackScreen(tables.Vram()).flags(), PatternStoredRaw);
    Msx msx;
    const LoadResult r = RunTape(msx, tables, GetParam(), 0);
    EXPECT_TRUE(r.returned);
    ExpectScreenSetUp(msx);
    ExpectScreenLoaded(msx, tables);
    ExpectOnlyItsOwnWrites(msx, r.header.start);
    EXPECT_EQ(std::count(msx.calls.begin(), msx.calls.end(), "LDIRVM"), 1);
}

TEST_P(LoaderAtEachStart, CopiesARawColourBlock) {
    Tables tables;
    tables.pattern = MixedTable(8);
    tables.color = Incompressible(3 + GetParam());
    ASSERT_EQ(PackScreen(tables.Vram()).flags(), ColorStoredRaw);
    Msx msx;
    const LoadResult r = RunTape(msx, tables, GetParam(), 0);
    EXPECT_TRUE(r.returned);
    ExpectScreenLoaded(msx, tables);
    ExpectOnlyItsOwnWrites(msx, r.header.start);
    EXPECT_EQ(std::count(msx.calls.begin(), msx.calls.end(), "LDIRVM"), 1);
}

TEST_P(LoaderAtEachStart, LoadsABlankScreen) {
    Tables tables; // all zero: long runs only
    Msx msx;
    EXPECT_TRUE(RunTape(msx, tables, GetParam(), 0).returned);
    ExpectScreenLoaded(msx, tables);
}

INSTANTIATE_TEST_SUITE_P(Loader, LoaderAtEachStart, testing::Range(0, StartAddressCount));

TEST(Loader, BothRawBlocksWhereTheyFit) {
    Tables tables;
    tables.pattern = Incompressible(1);
    tables.color = Incompressible(2);
    ASSERT_EQ(PackScreen(tables.Vram()).flags(), PatternStoredRaw | ColorStoredRaw);
    for (int item = 1; item < StartAddressCount; ++item) { // 12293 bytes do not fit at C800H
        SCOPED_TRACE(item);
        Msx msx;
        EXPECT_TRUE(RunTape(msx, tables, item, 0).returned);
        ExpectScreenLoaded(msx, tables);
        EXPECT_EQ(std::count(msx.calls.begin(), msx.calls.end(), "LDIRVM"), 2);
    }
}

TEST(Loader, UsrZeroReturnsWithoutReadingTheTriggers) {
    Msx msx;
    msx.triggerPressed = [](int, int) { return true; };
    EXPECT_TRUE(RunTape(msx, Tables{}, 0, 0).returned);
    EXPECT_EQ(msx.gttrigPolls, 0);
}

TEST(Loader, ANonZeroArgumentWaitsForTheSpaceBar) {
    Tables tables;
    tables.pattern = MixedTable(3);
    tables.color = MixedTable(4);
    Msx msx;
    msx.triggerPressed = [](int trigger, int poll) { return trigger == 0 && poll >= 20; };
    EXPECT_TRUE(RunTape(msx, tables, 2, 1).returned);
    EXPECT_EQ(msx.gttrigPolls, 21) << "space was pressed at the 21st poll";
    ExpectScreenLoaded(msx, tables);
    EXPECT_EQ(msx.vramWritesBeforeFirstPoll, msx.vramWrites) << "waits only after loading";
    // Polls alternate between the space bar (0) and joystick button 1 (1).
    const auto firstPoll = std::find(msx.calls.begin(), msx.calls.end(), "GTTRIG0");
    ASSERT_NE(firstPoll, msx.calls.end());
    for (auto it = firstPoll; it != msx.calls.end(); ++it)
        EXPECT_EQ(*it, (it - firstPoll) % 2 == 0 ? "GTTRIG0" : "GTTRIG1");
}

TEST(Loader, ANonZeroArgumentWaitsForButtonOne) {
    Msx msx;
    msx.triggerPressed = [](int trigger, int poll) { return trigger == 1 && poll >= 7; };
    EXPECT_TRUE(RunTape(msx, Tables{}, 4, 0x80).returned);
    EXPECT_EQ(msx.gttrigPolls, 8);
    EXPECT_EQ(msx.calls.back(), "GTTRIG1");
}

TEST(Loader, KeepsWaitingWhileNothingIsPressed) {
    Msx msx;
    EXPECT_FALSE(RunTape(msx, Tables{}, 0, 1, 2'000'000).returned);
    EXPECT_GT(msx.gttrigPolls, 1000);
    ExpectScreenLoaded(msx, Tables{});
}

TEST(LoaderImage, LayoutOfEveryVariant) {
    for (int item = 0; item < StartAddressCount; ++item) {
        const LoaderBytes& image = LoaderImage(item);
        EXPECT_EQ(image.size(), 496u);
        EXPECT_EQ(image[LoaderWaitFlagOffset], 0) << "the wait flag is 0 in the file";
        EXPECT_EQ(image[LoaderWaitFlagOffset + 1], 0);
        for (std::size_t i = LoaderTextOffset; i < LoaderTextOffset + LoaderTextSize; ++i)
            EXPECT_TRUE(image[i] >= 0x20 && image[i] < 0x7F) << "text byte " << i;
        EXPECT_EQ(image[LoaderTailOffset], 0);
        EXPECT_EQ(image[LoaderTailOffset + 1], 0);
    }
    EXPECT_THROW(LoaderImage(5), std::out_of_range);
}

TEST(LoaderImage, VariantsDifferOnlyInAddressHighBytes) {
    const LoaderBytes& base = LoaderImage(0);
    std::size_t differing = 0;
    for (int item = 1; item < StartAddressCount; ++item) {
        const LoaderBytes& other = LoaderImage(item);
        const int shift = (StartAddresses[std::size_t(item)] - StartAddresses[0]) >> 8;
        for (std::size_t i = 0; i < base.size(); ++i) {
            if (base[i] == other[i])
                continue;
            ++differing;
            EXPECT_EQ(std::uint8_t(other[i] - base[i]), std::uint8_t(shift)) << item << " @" << i;
            EXPECT_GT(i, 0u);
            // The high byte follows the low byte of an address inside the loader's page.
            EXPECT_LT(base[i - 1] + (base[i] - 0xC8) * 256, 0x200) << item << " @" << i;
        }
    }
    EXPECT_GT(differing, 0u);
}

} // namespace
} // namespace murelo
