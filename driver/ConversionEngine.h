#pragma once
// What the run needs from the engine, behind an interface so that the run can be exercised with a
// scripted engine. FacadeEngine is the real one: a fresh Q7Svg facade for every file.

#include <string>

#include "driver/Q7Svg.h"

enum class ConversionOutcome { LoadFailed, WriteFailed, Converted };

class ConversionEngine {
public:
    virtual ~ConversionEngine() = default;
    virtual std::string libraryVersion() const = 0;
    // Classifies the save from its header, read from the start of the uncompressed content.
    virtual SavefileClass classify(ByteInput& content) const = 0;
    // Loads `source` and writes its converted copy as `output`.
    virtual ConversionOutcome convert(const std::string& source, const std::string& output) = 0;
    // Loads `source` and writes nothing: whether a conversion would get past loading.
    virtual bool loads(const std::string& source) = 0;
    // The engine's own text of the last failure of convert or loads, for a bug report.
    virtual std::string failureDetail() const = 0;
};

class FacadeEngine final : public ConversionEngine {
public:
    std::string libraryVersion() const override;
    SavefileClass classify(ByteInput& content) const override;
    ConversionOutcome convert(const std::string& source, const std::string& output) override;
    bool loads(const std::string& source) override;
    std::string failureDetail() const override { return failureDetail_; }

private:
    bool load(Q7Svg& save, const std::string& source);

    std::string failureDetail_;
};
