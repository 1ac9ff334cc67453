#pragma once
// The facade through which the console run reaches the engine: one owned engine per file,
// the conversion target and container choice, and the header classification of a save.

#include <memory>
#include <string>

#include "engine/ExistingFileRule.h"
#include "schema_core/ByteStream.h"
#include "schema_core/SvgVersion.h"

class Q7Svg_impl;

enum class SavefileClass { Unrecognised = 0, OstrelSave = 1, OlderBrevinSave = 2, CurrentBrevinSave = 3 };

class Q7Svg {
public:
    Q7Svg();
    ~Q7Svg();
    Q7Svg(const Q7Svg&) = delete;
    Q7Svg& operator=(const Q7Svg&) = delete;

    static const char* libraryVersion();  // "1.00"

    void load(const char* fileName);
    // Writes the loaded save as the current subversion of its family, in its source's container form.
    void convertAndSave(const char* fileName);
    // Before convertAndSave replaces a file at its name, `rule` is asked with the copy's bytes;
    // when it keeps that file, nothing is written. The rule must outlive the conversion.
    void keepExistingFileWhen(ExistingFileRule& rule);
    // The last convertAndSave kept the file at its name.
    bool keptExistingFile() const;
    bool hasError() const;
    // The engine's own text of its last failure (names the file and the cause); empty after success.
    const std::string& errorMessage() const;

    const Q7Svg_impl& engine() const { return *impl; }

    // The conversion target for a source (conversionTargetFor): the current subversion of the
    // source's family, the source's svg_hw_subversion.
    static SvgVersion targetFor(const SvgVersion& source);

private:
    std::unique_ptr<Q7Svg_impl> impl;
};

// Reads only the version header from the first byte of the uncompressed save content.
SavefileClass classifySavefile(ByteInput& in);
