#include "savegen/TextRichContent.h"

#include <algorithm>
#include <string>

namespace {

const char* const kWords[] = {
    "the", "of", "and", "a", "to", "in", "your", "you", "is", "for", "with", "who", "that", "by", "at", "from",
    "ancient", "guardian", "castle", "river", "forest", "gold", "crystal", "gems", "army", "dragon", "griffin",
    "knight", "wizard", "seer", "oracle", "treasure", "scroll", "artifact", "sword", "shield", "tower", "gate",
    "bridge", "valley", "mountain", "swamp", "desert", "village", "lord", "lady", "king", "queen", "messenger",
    "rumor", "legend", "curse", "blessing", "spell", "magic", "dark", "bright", "northern", "southern", "lost",
    "hidden", "brave", "wise", "old", "young", "travellers", "merchants", "peasants", "soldiers", "heroes",
    "seeks", "brings", "guards", "awaits", "whispers", "returns", "offers", "demands", "promises", "fears",
    "week", "month", "day", "night", "dawn", "harvest", "winter", "spring", "battle", "siege", "quest",
    "reward", "experience", "wood", "ore", "mercury", "sulfur", "banner", "crown", "throne", "road", "shrine"};
constexpr std::size_t kWordCount = sizeof kWords / sizeof kWords[0];

// Share of the game state that texts take in a text-rich save.
constexpr double kTextShare = 0.13;

// Draws texts whose lengths are scaled to reach a share of the game state.
struct TextDrawer {
    Rng& rng;
    double lengthScale;

    // Sentences of 4 to 16 words, about minLength to maxLength characters before scaling; now and
    // then a letter of the upper half of the code page, as translated maps have.
    std::string prose(std::size_t minLength, std::size_t maxLength);
    std::string name();
    void questTexts(QuestContent& quest);
    void fill(GameStateContent& c);
};

std::string TextDrawer::prose(std::size_t minLength, std::size_t maxLength) {
    auto scaled = [this](std::size_t n) { return std::max<std::size_t>(1, static_cast<std::size_t>(n * lengthScale)); };
    minLength = scaled(minLength);
    maxLength = scaled(maxLength);
    std::size_t length = minLength + rng.below(static_cast<std::uint32_t>(maxLength - minLength + 1));
    std::string text;
    while (text.size() < length) {
        std::size_t words = 4 + rng.below(13);
        for (std::size_t i = 0; i < words && text.size() < length; ++i) {
            std::string word = kWords[rng.below(kWordCount)];
            if (i == 0) word[0] = static_cast<char>(word[0] - 'a' + 'A');
            if (rng.chance(3)) word += static_cast<char>(0xE0 + rng.below(30));
            if (!text.empty()) text += ' ';
            text += word;
        }
        text += rng.chance(20) ? "!" : ".";
    }
    return text;
}

std::string TextDrawer::name() {
    std::string n = rng.word(3, 10);
    n[0] = static_cast<char>(n[0] - 'a' + 'A');
    return n;
}

// Most quests carry their proposal, progress and completion messages.
void TextDrawer::questTexts(QuestContent& quest) {
    if (quest.tag == 0) return;
    quest.tail04 = prose(80, 420);
    quest.tail05 = rng.chance(80) ? prose(40, 240) : "";
    quest.tail06 = rng.chance(80) ? prose(40, 260) : "";
}

void TextDrawer::fill(GameStateContent& c) {
    c.basicParameters.item09 = prose(8, 30);
    c.basicParameters.item10 = prose(200, 600);
    c.rumors.item01 = prose(30, 120);
    for (auto& rumor : c.rumors.rumors) rumor.text = prose(40, 220);
    AdventureObjectsContent& o = c.objects;
    for (auto& setup : o.guardedObjectSetups) setup.item01 = rng.chance(50) ? prose(20, 160) : "";
    for (auto& monster : o.monsters) monster.item01 = rng.chance(35) ? prose(30, 200) : "";
    for (auto& hut : o.seerHuts) questTexts(hut.item01);
    for (auto& guard : o.questGuards) questTexts(guard.item01);
    for (auto& event : o.globalEvents) event.item01 = prose(60, 500);
    for (auto& event : o.townEvents) event.item01 = prose(60, 400);
    for (auto& sign : o.signs) sign.item01 = prose(20, 200);
    for (auto& town : c.towns) town.item13 = name();
    for (auto& hero : c.heroes.heroes) hero.item04 = name();
}

std::size_t questTextBytes(const QuestContent& quest) {
    return quest.tail04.size() + quest.tail05.size() + quest.tail06.size();
}

}  // namespace

SaveSize withRichTexts(SaveSize size) {
    AdventureObjectCounts& o = size.objects;
    o.guardedObjectSetups *= 2;
    o.monsters *= 3;
    o.seerHuts *= 4;
    o.questGuards *= 3;
    o.globalEvents *= 4;
    o.townEvents *= 4;
    size.rumors *= 20;
    size.richTexts = true;
    return size;
}

// Texts are drawn once at full length, then again from the same point of the generator with
// their lengths scaled so that they take their share of the game state.
void giveRealisticTexts(GameStateContent& c, Rng& rng, const SvgVersion& v) {
    Rng start = rng;
    TextDrawer{rng, 1.0}.fill(c);
    double texts = static_cast<double>(textBytesOf(c));
    double others = static_cast<double>(encodeGameState(c, v).size()) - texts;
    double wanted = kTextShare / (1 - kTextShare) * others;
    if (texts <= wanted) return;
    rng = start;
    TextDrawer{rng, wanted / texts}.fill(c);
}

std::size_t textBytesOf(const GameStateContent& c) {
    std::size_t n = c.basicParameters.item09.size() + c.basicParameters.item10.size() + c.rumors.item01.size();
    for (const auto& rumor : c.rumors.rumors) n += rumor.text.size();
    const AdventureObjectsContent& o = c.objects;
    for (const auto& t : o.templates) n += t.item01.size();
    for (const auto& setup : o.guardedObjectSetups) n += setup.item01.size();
    for (const auto& monster : o.monsters) n += monster.item01.size();
    for (const auto& hut : o.seerHuts) n += questTextBytes(hut.item01);
    for (const auto& guard : o.questGuards) n += questTextBytes(guard.item01);
    for (const auto& event : o.globalEvents) n += event.item01.size();
    for (const auto& event : o.townEvents) n += event.item01.size();
    for (const auto& sign : o.signs) n += sign.item01.size();
    for (const auto& town : c.towns) n += town.item13.size();
    for (const auto& hero : c.heroes.heroes) n += hero.item04.size();
    return n;
}
