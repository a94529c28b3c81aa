#include "screensaver/transitions/transition_choice.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <vector>

namespace {

bool AlwaysCreatable(int, void*) {
    return true;
}

// Creatable only when the entry's flag is set in the context's list.
bool CreatableFromList(int index, void* context) {
    return (*static_cast<std::vector<bool>*>(context))[index];
}

// Settings with the built-in transitions, all switched off but the named ones.
Settings OnlyEnabled(const std::vector<std::pair<const char*, uint8_t>>& enables) {
    Settings settings = DefaultSettings();
    for (TransitionSetting& setting : settings.transitions) setting.enable = 0;
    for (const auto& [name, enable] : enables) settings.transitions[FindTransitionByName(name)].enable = enable;
    return settings;
}

RandomState SeededRandom() {
    RandomState random;
    SeedRandom(random, SystemTime{2026, 12, 1, 7, 13, 37, 42, 512});
    return random;
}

TEST(TransitionChoiceTest, AvailableListHoldsEnabledCreatableEntriesInCatalogueOrder) {
    Settings tableSettings = OnlyEnabled({{"Zigzag", 1}, {"Barn", 2}, {"Water", 3}, {"Lens", 1}});
    TransitionTable& table = tableSettings.transitions;
    std::vector<bool> creatable(kTransitionCount, true);
    creatable[FindTransitionByName("Lens")] = false;
    AvailableTransitions available = FindAvailableTransitions(table, CreatableFromList, &creatable);
    ASSERT_EQ(available.count, 3);
    EXPECT_EQ(available.entries[0], FindTransitionByName("Barn"));
    EXPECT_EQ(available.entries[1], FindTransitionByName("Zigzag"));
    EXPECT_EQ(available.entries[2], FindTransitionByName("Water"));
    EXPECT_EQ(FindAvailableTransitions(DefaultSettings().transitions, AlwaysCreatable, nullptr).count,
              kTransitionCount);
}

TEST(TransitionChoiceTest, SequentialChoiceWrapsAndFlipsTheDirectionAtEachPass) {
    // Enable 3 alternates by pass, 1 always runs forwards, 2 always backwards.
    Settings tableSettings = OnlyEnabled({{"Barn", 3}, {"Blinds", 1}, {"Inset", 2}});
    TransitionTable& table = tableSettings.transitions;
    AvailableTransitions available = FindAvailableTransitions(table, AlwaysCreatable, nullptr);
    struct Expected {
        const char* name;
        bool backwards;
    };
    const Expected expected[] = {{"Barn", false}, {"Blinds", false}, {"Inset", true},  // first pass, toggle 0
                                 {"Barn", true},  {"Blinds", false}, {"Inset", true},  // second pass, toggle 1
                                 {"Barn", false}};
    TransitionChoiceState state;
    RandomState random = SeededRandom();
    for (int prepared = 0; prepared < int(std::size(expected)); ++prepared) {
        SCOPED_TRACE(prepared);
        TransitionChoice choice = ChooseTransition(state, available, table, prepared, 0, random);
        EXPECT_EQ(choice.entry, FindTransitionByName(expected[prepared].name));
        EXPECT_EQ(choice.backwards, expected[prepared].backwards);
        EXPECT_EQ(choice.duration, 2000u);
    }
}

TEST(TransitionChoiceTest, RandomChoiceNeverRepeatsAndDrawsTheDirection) {
    Settings settings = DefaultSettings();
    const TransitionTable& table = settings.transitions;
    AvailableTransitions available = FindAvailableTransitions(table, AlwaysCreatable, nullptr);
    TransitionChoiceState state;
    RandomState random = SeededRandom();
    std::set<int> seen;
    std::set<bool> directionsOfBarn;
    int last = -1;
    for (int prepared = 0; prepared < 2000; ++prepared) {
        TransitionChoice choice = ChooseTransition(state, available, table, prepared, 1, random);
        ASSERT_NE(choice.entry, last) << "repeated at " << prepared;
        last = choice.entry;
        seen.insert(choice.entry);
        if (table[choice.entry].enable == kTransitionForwards) {
            EXPECT_FALSE(choice.backwards);
        }
        if (choice.entry == FindTransitionByName("Barn")) directionsOfBarn.insert(choice.backwards);
        EXPECT_EQ(choice.duration, table[choice.entry].duration);
    }
    EXPECT_EQ(int(seen.size()), kTransitionCount);
    EXPECT_EQ(directionsOfBarn.size(), 2u);

    // Two entries: random mode can only alternate.
    Settings twoSettings = OnlyEnabled({{"Iris", 1}, {"Wheel", 1}});
    TransitionTable& two = twoSettings.transitions;
    AvailableTransitions pair = FindAvailableTransitions(two, AlwaysCreatable, nullptr);
    TransitionChoiceState pairState;
    int first = ChooseTransition(pairState, pair, two, 0, 1, random).entry;
    for (int prepared = 1; prepared < 20; ++prepared) {
        EXPECT_EQ(ChooseTransition(pairState, pair, two, prepared, 1, random).entry,
                  prepared % 2 == 0 ? first : (first == pair.entries[0] ? pair.entries[1] : pair.entries[0]));
    }
}

TEST(TransitionChoiceTest, SingleEntryIsUsedEveryTimeItsDirectionFlippingAfterTheFirst) {
    Settings tableSettings = OnlyEnabled({{"Slide", 3}});
    TransitionTable& table = tableSettings.transitions;
    AvailableTransitions available = FindAvailableTransitions(table, AlwaysCreatable, nullptr);
    for (uint8_t mode : {uint8_t(0), uint8_t(1)}) {
        SCOPED_TRACE(int(mode));
        TransitionChoiceState state;
        RandomState random = SeededRandom();
        for (int prepared = 0; prepared < 6; ++prepared) {
            TransitionChoice choice = ChooseTransition(state, available, table, prepared, mode, random);
            EXPECT_EQ(choice.entry, FindTransitionByName("Slide"));
            EXPECT_EQ(choice.backwards, prepared % 2 == 1);
        }
    }
    TransitionChoiceState state;
    RandomState random = SeededRandom();
    EXPECT_EQ(ChooseTransition(state, AvailableTransitions{}, table, 1, 1, random).entry, -1);
}

TEST(TransitionChoiceTest, ForcedFadeComesFirstEvenWhenDisabledAndOnlyFirst) {
    EXPECT_EQ(FindTransitionByName("fADE"), FindTransitionByName("Fade"));
    EXPECT_EQ(FindTransitionByName("Fade White"), 19);
    EXPECT_EQ(FindTransitionByName("Fad"), -1);

    Settings tableSettings = OnlyEnabled({{"Spiral", 3}, {"Grid", 3}});
    TransitionTable& table = tableSettings.transitions;
    table[FindTransitionByName("Fade")].duration = 4321;
    AvailableTransitions available = FindAvailableTransitions(table, AlwaysCreatable, nullptr);
    TransitionChoiceState state;
    state.first = ForcedFirstTransition(true, AlwaysCreatable, nullptr);
    RandomState random = SeededRandom();
    TransitionChoice first = ChooseTransition(state, available, table, 0, 0, random);
    EXPECT_EQ(first.entry, FindTransitionByName("Fade"));
    EXPECT_FALSE(first.backwards);
    EXPECT_EQ(first.duration, 4321u);
    // The forced choice is not remembered: the list starts from its beginning.
    EXPECT_EQ(ChooseTransition(state, available, table, 1, 0, random).entry, FindTransitionByName("Spiral"));

    std::vector<bool> noFade(kTransitionCount, true);
    noFade[FindTransitionByName("Fade")] = false;
    EXPECT_EQ(ForcedFirstTransition(true, CreatableFromList, &noFade), -1);
    EXPECT_EQ(ForcedFirstTransition(false, AlwaysCreatable, nullptr), -1);
    // Without a forced transition the first picture comes in through a chosen one.
    TransitionChoiceState unforced;
    EXPECT_EQ(ChooseTransition(unforced, available, table, 0, 0, random).entry, FindTransitionByName("Spiral"));
}

TEST(TransitionChoiceTest, FrameProgressRunsFromZeroToOneAndEndsOnAnythingOdd) {
    struct Case {
        uint32_t elapsed, duration;
        bool hasTransition;
        float progress;
    };
    const Case cases[] = {
        {0, 2000, true, 0.0f}, {500, 2000, true, 0.25f}, {2000, 2000, true, 1.0f},        {2001, 2000, true, 1.0f},
        {0, 0, true, 1.0f},    {7, 0, true, 1.0f},       {4000000000u, 3000, true, 1.0f}, {500, 2000, false, 1.0f},
    };
    for (const Case& c : cases) {
        EXPECT_FLOAT_EQ(FrameProgress(c.elapsed, c.duration, c.hasTransition), c.progress)
            << c.elapsed << " of " << c.duration;
    }
    EXPECT_FLOAT_EQ(EffectProgress(0.25f, false), 0.25f);
    EXPECT_FLOAT_EQ(EffectProgress(0.25f, true), 0.75f);
}

}  // namespace
