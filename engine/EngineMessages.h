#pragma once
// Texts of the failures the engine records. Those naming a file quote it in double quotes.

#include <cstdint>
#include <string>

#include "schema_core/SvgVersion.h"

namespace engine_messages {

std::string cannotOpenForReading(const std::string& fileName);
std::string tooShort(const std::string& fileName);
std::string unknownSignature(const std::string& fileName, const unsigned char (&header)[8]);
std::string inflateInitFailed(const std::string& fileName);
std::string inflateErrorFlag(const std::string& fileName);
std::string inflateDataError(const std::string& fileName);
std::string inflateIncomplete(const std::string& fileName);
std::string inflatedTooLarge(const std::string& fileName, std::size_t limit);
std::string sizeMismatch(const std::string& fileName, std::int32_t produced, std::uint32_t expected);
std::string unsupportedVersion(const std::string& fileName, const SvgVersion& version);
std::string corrupted(const std::string& fileName);
std::string changedWhileRead(const std::string& fileName);
std::string nothingLoaded();
std::string cannotOpenForWriting(const std::string& fileName);
std::string cannotWrite(const std::string& fileName, const std::string& systemError);
std::string deflateInitFailed();
std::string deflateFailed();
// The checks a converted copy passes before it is kept; `record` counts the root's records from 0.
std::string readBackFailed(const std::string& fileName, std::size_t record);
std::string readBackMisplaced(const std::string& fileName, std::size_t record, std::size_t readEnd, std::size_t writtenEnd);
std::string writesBackDifferently(const std::string& fileName, std::size_t record);
std::string inflatesBackDifferently(const std::string& fileName);

}  // namespace engine_messages
