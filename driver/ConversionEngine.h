#pragma once
// What the run needs from the engine, behind an interface so that the run can be exercised with a
// scripted engine. FacadeEngine is the real one: a fresh Q7Svg facade for every file.

#include <string>

#include "driver/Q7Svg.h"

enum class ConversionOutcome {
    LoadFailed,
    WriteFailed,
    Converted,
    ChangedCopyKept  // the file at the output name may hold the player's progress: kept, nothing written
};

class ConversionEngine {
public:
    virtual ~ConversionEngine() = default;
    virtual std::string libraryVersion() const = 0;
    // Classifies the save from its header, read from the start of the uncompressed content.
    virtual SavefileClass classify(ByteInput& content) const = 0;
    // Loads `source` and writes its converted copy as `output`, unless the file at `output` is to
    // be kept (driver/ChangedCopy.h).
    virtual ConversionOutcome convert(const std::string& source, const std::string& output) = 0;
    // What convert would give, writing nothing: a failure to load, a changed copy that would be
    // kept, or else Converted.
    virtual ConversionOutcome tryConvert(const std::string& source, const std::string& output) = 0;
    // The engine's own text of the last failure of convert or loads, for a bug report.
    virtual std::string failureDetail() const = 0;
};

class FacadeEngine final : public ConversionEngine {
public:
    std::string libraryVersion() const override;
    SavefileClass classify(ByteInput& content) const override;
    ConversionOutcome convert(const std::string& source, const std::string& output) override;
    ConversionOutcome tryConvert(const std::string& source, const std::string& output) override;
    std::string failureDetail() const override { return failureDetail_; }

private:
    bool load(Q7Svg& save, const std::string& source);
    ConversionOutcome convertLoaded(Q7Svg& save, const std::string& output);

    std::string failureDetail_;
};
