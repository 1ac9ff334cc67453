#include "schema/PlayerTownMisc.h"

#include <algorithm>

#include "schema_core/LittleEndian.h"
#include "schema_core/ReadErrors.h"

// --- ComboArtsMsk -------------------------------------------------------------------------

void ComboArtsMsk::read(ByteInput& in, const SvgVersion& version) {
    mask.clear();
    if (hasCountField(version)) {
        readLittleEndian(in, count);
        if (count >= countLimit) throw RecordLimitError("combination mask count above the limit", in.position());
    } else {
        count = oldFormatBits;
    }
    mask.resize((count + 7) / 8);
    in.read(mask.data(), mask.size());
}

void ComboArtsMsk::write(ByteOutput& out, const SvgVersion& version) const {
    if (hasCountField(version)) {
        writeLittleEndian(out, count);
        out.write(mask.data(), mask.size());
        return;
    }
    // The old layout has room for exactly 2 mask bytes: a longer mask cannot be expressed and is
    // cleared, a shorter one is padded with zero bytes.
    unsigned char oldMask[2] = {0, 0};
    if (mask.size() <= 2) std::copy(mask.begin(), mask.end(), oldMask);
    out.write(oldMask, sizeof oldMask);
}

// --- HDModeData ---------------------------------------------------------------------------

void HDModeData::read(ByteInput& in, const SvgVersion&) {
    data.clear();
    length = static_cast<int>(in.remaining());
    if (length == 0) return;
    data.resize(static_cast<std::size_t>(length));
    in.read(data.data(), data.size());
}

void HDModeData::write(ByteOutput& out, const SvgVersion&) const {
    if (length >= 1) out.write(data.data(), data.size());
}
