#pragma once
// The fuzz targets' bodies, shared by the libFuzzer executables and the test suite that replays
// fuzz/regressions/ and fuzz/seeds/. Each takes one input, runs it through the engine as a save file
// (record_convert: as one record, fuzz/RecordPick.h) and returns the rule the engine broke, or an
// empty text. Crashes and sanitizer reports need no text.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

using FuzzTarget = std::string (*)(const std::uint8_t* data, std::size_t size);

struct NamedFuzzTarget {
    const char* name;  // also the folder of its inputs under fuzz/regressions/ and fuzz/seeds/
    FuzzTarget run;
    // What a committed seed must be besides passing `run`, or nullptr: a record seed's bytes are
    // the record its head names, read with the version it names.
    FuzzTarget seedCheck;
};

// load_raw, load_gzip, probe, load_convert, record_convert; nullptr for any other name.
const NamedFuzzTarget* findFuzzTarget(std::string_view name);
