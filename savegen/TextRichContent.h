#pragma once
// Texts as real game states carry them: event and rumor messages, seer huts' quest texts, signs,
// monster and guard messages, and the names of towns and heroes, thousands of them, of the
// lengths players and map makers write. They make up 10 to 15 % of a text-rich game state.

#include <cstddef>

#include "savegen/Rng.h"
#include "savegen/SaveBuilder.h"

// The same save size with the text-bearing lists a text-rich map of that size holds.
SaveSize withRichTexts(SaveSize size);

// Replaces the texts of the content, a game state of version v, by realistic ones taking about
// 13 % of it; every other value stays as it was.
void giveRealisticTexts(GameStateContent& content, Rng& rng, const SvgVersion& v);

// The characters of all texts of the content (counts not included).
std::size_t textBytesOf(const GameStateContent& content);
