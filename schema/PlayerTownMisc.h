#pragma once
// Player, town and misc records: the last records of the game state.

#include <vector>

#include "schema_core/BinarySequence.h"

// Whatever follows the known records, held as one opaque block and copied unchanged, so data of
// extensions this converter does not know survives a conversion.
class HDModeData : public BinarySequence {
public:
    explicit HDModeData(VersionPredicate presence = AlwaysPresent) : BinarySequence(presence) {}

    void read(ByteInput& in, const SvgVersion& version) override;
    void write(ByteOutput& out, const SvgVersion& version) const override;

    int length = 0;
    std::vector<unsigned char> data;
};
