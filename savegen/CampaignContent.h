#pragma once
// Content and byte composition of the campaign block: a 2-byte tag, and for a non-zero tag the
// campaign data with its three lists (entries, carried-over scenario results, short entries).

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "savegen/HeroesContent.h"

struct Camp60Content {
    std::uint8_t item01 = 0;
    std::uint32_t item02 = 0;
    std::uint32_t item03 = 0;
    std::int8_t item04 = 0;
    std::int8_t item05 = 0;
};

struct CampSavedArtifactContent {
    std::int16_t item01 = 0;
    std::int16_t item02 = 0;
};

struct CampSavedScenarioResContent {
    std::vector<HeroContent> heroes;                   // 1-byte count
    std::vector<CampSavedArtifactContent> artifacts;   // 2-byte count
};

struct Camp108Content {
    std::int16_t item01 = 0;
};

struct CampaingDataContent {
    std::array<std::uint8_t, 7> item01to07{};
    std::string item08;
    std::array<std::uint8_t, 21> item09{};
    std::vector<Camp60Content> item10;
    std::vector<CampSavedScenarioResContent> item11;
    std::vector<Camp108Content> item12;
};

// The data is there exactly when the tag is non-zero.
struct CampaingContent {
    std::uint16_t tag = 0;
    CampaingDataContent data;
};

void encode(Bytes& out, const Camp60Content& c, const SvgVersion& v);
void encode(Bytes& out, const CampSavedArtifactContent& c, const SvgVersion& v);
void encode(Bytes& out, const CampSavedScenarioResContent& c, const SvgVersion& v);
void encode(Bytes& out, const Camp108Content& c, const SvgVersion& v);
void encode(Bytes& out, const CampaingDataContent& c, const SvgVersion& v);
void encode(Bytes& out, const CampaingContent& c, const SvgVersion& v);

// Tags that cover the layouts of the block: none (0), and data under a one-byte and a
// two-byte tag value.
const std::vector<std::uint16_t>& campaingVariantTags();

// 1 to 3 scenario results, each with 0 to 3 carried-over heroes (non-empty names among them)
// and 0 to 5 artifacts. Without a tag, a campaign save about half the time.
CampaingDataContent randomCampaingData(Rng& rng, const SvgVersion& source);
CampaingContent randomCampaing(Rng& rng, const SvgVersion& source, std::optional<std::uint16_t> tag = std::nullopt);
