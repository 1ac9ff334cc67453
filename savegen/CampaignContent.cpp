#include "savegen/CampaignContent.h"

void encode(Bytes& out, const Camp60Content& c, const SvgVersion&) {
    out.u8(c.item01).u32(c.item02).u32(c.item03).i8(c.item04).i8(c.item05);
}

void encode(Bytes& out, const CampSavedArtifactContent& c, const SvgVersion&) { out.i16(c.item01).i16(c.item02); }

void encode(Bytes& out, const CampSavedScenarioResContent& c, const SvgVersion& v) {
    out.u8(static_cast<std::uint8_t>(c.heroes.size()));
    for (const HeroContent& hero : c.heroes) encode(out, hero, v);
    out.u16(static_cast<std::uint16_t>(c.artifacts.size()));
    for (const CampSavedArtifactContent& artifact : c.artifacts) encode(out, artifact, v);
}

void encode(Bytes& out, const Camp108Content& c, const SvgVersion&) { out.i16(c.item01); }

void encode(Bytes& out, const CampaingDataContent& c, const SvgVersion& v) {
    for (std::uint8_t value : c.item01to07) out.u8(value);
    out.text32(c.item08);
    for (std::uint8_t value : c.item09) out.u8(value);
    out.u8(static_cast<std::uint8_t>(c.item10.size()));
    for (const Camp60Content& entry : c.item10) encode(out, entry, v);
    out.u8(static_cast<std::uint8_t>(c.item11.size()));
    for (const CampSavedScenarioResContent& result : c.item11) encode(out, result, v);
    out.u8(static_cast<std::uint8_t>(c.item12.size()));
    for (const Camp108Content& entry : c.item12) encode(out, entry, v);
}

void encode(Bytes& out, const CampaingContent& c, const SvgVersion& v) {
    out.u16(c.tag);
    if (c.tag != 0) encode(out, c.data, v);
}

const std::vector<std::uint16_t>& campaingVariantTags() {
    static const std::vector<std::uint16_t> tags{0, 1, 513};
    return tags;
}

namespace {

Camp60Content randomCamp60(Rng& rng) {
    Camp60Content c;
    c.item01 = static_cast<std::uint8_t>(rng.gameValue());
    c.item02 = rng.gameValue();
    c.item03 = rng.gameValue();
    c.item04 = static_cast<std::int8_t>(rng.gameValue());
    c.item05 = rng.chance(20) ? -1 : static_cast<std::int8_t>(rng.below(8));
    return c;
}

CampSavedScenarioResContent randomScenarioResult(Rng& rng, const SvgVersion& source) {
    CampSavedScenarioResContent c;
    std::uint32_t heroes = rng.below(4);
    for (std::uint32_t i = 0; i < heroes; ++i) {
        HeroContent hero = randomHero(rng, source);
        if (i == 0) hero.item04 = rng.word(3, 10);
        c.heroes.push_back(hero);
    }
    std::uint32_t artifacts = rng.below(6);
    for (std::uint32_t i = 0; i < artifacts; ++i)
        c.artifacts.push_back({static_cast<std::int16_t>(rng.below(144)), static_cast<std::int16_t>(rng.below(20))});
    return c;
}

}  // namespace

CampaingDataContent randomCampaingData(Rng& rng, const SvgVersion& source) {
    CampaingDataContent c;
    for (auto& value : c.item01to07) value = static_cast<std::uint8_t>(rng.gameValue());
    c.item08 = rng.word(4, 16);
    for (auto& value : c.item09) value = static_cast<std::uint8_t>(rng.gameValue());
    for (std::uint32_t i = 0, n = rng.below(8); i < n; ++i) c.item10.push_back(randomCamp60(rng));
    for (std::uint32_t i = 0, n = 1 + rng.below(3); i < n; ++i) c.item11.push_back(randomScenarioResult(rng, source));
    for (std::uint32_t i = 0, n = rng.below(8); i < n; ++i)
        c.item12.push_back({static_cast<std::int16_t>(rng.gameValue())});
    return c;
}

CampaingContent randomCampaing(Rng& rng, const SvgVersion& source, std::optional<std::uint16_t> tag) {
    CampaingContent c;
    if (tag)
        c.tag = *tag;
    else
        c.tag = rng.chance(50) ? 0 : static_cast<std::uint16_t>(1 + rng.below(8));
    if (c.tag != 0) c.data = randomCampaingData(rng, source);
    return c;
}
