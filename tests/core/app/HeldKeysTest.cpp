#include "core/app/HeldKeys.h"

#include <gtest/gtest.h>

using namespace murelo;

TEST(HeldKeys, ReleaseAllLetsGoOfExactlyTheKeysStillHeld) {
    using K = HeldKey;
    struct Case {
        std::vector<K> pressed;
        std::vector<K> releasedBefore; // key-ups that did reach the editor
        std::vector<K> expected;
    } cases[] = {
        {{}, {}, {}},
        {{K::Ctrl}, {}, {K::Ctrl}},
        {{K::F1, K::Tab, K::Ctrl}, {}, {K::Tab, K::Ctrl, K::F1}},
        {{K::Tab, K::Ctrl}, {K::Tab}, {K::Ctrl}},
        {{K::Ctrl, K::Ctrl}, {K::Ctrl}, {}}, // a repeated press is one hold
        {{}, {K::F1}, {}},                   // a key-up of a key never held
    };
    for (const Case& c : cases) {
        HeldKeys keys;
        for (K k : c.pressed)
            keys.press(k);
        for (K k : c.releasedBefore)
            keys.release(k);
        EXPECT_EQ(keys.releaseAll(), c.expected);
        EXPECT_TRUE(keys.releaseAll().empty()) << "nothing is held afterwards";
        for (K k : {K::Tab, K::Ctrl, K::F1})
            EXPECT_FALSE(keys.held(k));
    }
}

TEST(HeldKeys, ReleaseTellsWhetherTheKeyWasHeld) {
    HeldKeys keys;
    EXPECT_FALSE(keys.release(HeldKey::Tab));
    keys.press(HeldKey::Tab);
    EXPECT_TRUE(keys.held(HeldKey::Tab));
    EXPECT_FALSE(keys.held(HeldKey::F1));
    EXPECT_TRUE(keys.release(HeldKey::Tab));
    EXPECT_FALSE(keys.release(HeldKey::Tab));
}
