#include "schema/PlayerTownMisc.h"

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
