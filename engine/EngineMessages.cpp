#include "engine/EngineMessages.h"

#include <cstdio>

namespace engine_messages {

namespace {
std::string naming(const char* opening, const std::string& fileName, const char* closing) {
    return opening + ("\"" + fileName + "\"") + closing;
}

// A byte as its sign-extended 32-bit value in lowercase hexadecimal: 0x8B gives ffffff8b.
std::string signExtendedHex(unsigned char byte) {
    char text[16];
    std::snprintf(text, sizeof text, "%x", static_cast<unsigned int>(static_cast<int>(static_cast<signed char>(byte))));
    return text;
}
}  // namespace

std::string cannotOpenForReading(const std::string& fileName) {
    return naming("Error : cannot open file ", fileName, " for reading\n");
}

std::string tooShort(const std::string& fileName) {
    return naming("Error : file ", fileName, " is less than 8 bytes long !\n");
}

std::string unknownSignature(const std::string& fileName, const unsigned char (&header)[8]) {
    std::string message = naming("Error while reading ", fileName, " : unknown file signature\n");
    message += "first characters of file are :";
    for (unsigned char byte : header) message += "0x" + signExtendedHex(byte) + " ";
    return message + "\n";
}

std::string inflateInitFailed(const std::string& fileName) {
    return naming("Error while reading ", fileName, " : zlib function inflateInit2() failed\n");
}

std::string inflateErrorFlag(const std::string& fileName) {
    return naming("Error while reading ", fileName,
                  " : zlib function inflate produced error flag Z_NEED_DICT or Z_MEM_ERROR\n");
}

std::string inflateDataError(const std::string& fileName) {
    return naming("Error while reading ", fileName, " : zlib function inflate produced error flag Z_DATA_ERROR\n");
}

std::string inflateIncomplete(const std::string& fileName) {
    return naming("Error while reading ", fileName, " : zlib function inflate did not reach the end of the gzip data\n");
}

std::string inflatedTooLarge(const std::string& fileName, std::size_t limit) {
    return naming("Error while reading ", fileName, " : the unzipped file is larger than ") +
           std::to_string(limit) + " bytes\n";
}

std::string sizeMismatch(const std::string& fileName, std::int32_t produced, std::uint32_t expected) {
    return naming("Error while reading ", fileName,
                  " : the size of the unzipped file doesn't match the one indicated in the last 4 bytes of the gzip file\n") +
           "Uncompressed size is " + std::to_string(produced) + "\n" + "expected size was " + std::to_string(expected) + "\n";
}

std::string unsupportedVersion(const std::string& fileName, const SvgVersion& version) {
    return naming("Error while reading ", fileName, " : unsupported savefile version\n") +
           "svg_version is " + std::to_string(version.svg_version) + "\n" +
           "svg_subversion is " + std::to_string(version.svg_subversion) + "\n" +
           "svg_hw_subversion is " + std::to_string(version.svg_hw_subversion) + "\n";
}

std::string corrupted(const std::string& fileName) {
    return naming("Error while reading ", fileName, " : corrupted file\n");
}

std::string changedWhileRead(const std::string& fileName) {
    return naming("Error while reading ", fileName, " : the file changed while it was being read\n");
}

std::string nothingLoaded() { return "Error : trying to write save file but no data has been loaded yet"; }

std::string cannotOpenForWriting(const std::string& fileName) {
    return naming("Error : cannot open ", fileName, " for writting\n");
}

std::string cannotWrite(const std::string& fileName, const std::string& systemError) {
    return naming("Error while writting ", fileName, " : ") + systemError + "\n";
}

std::string deflateInitFailed() { return "Error in zlib : deflateInit2 failed\n"; }

std::string deflateFailed() { return "Error in zlib : deflate failed\n"; }

std::string readBackFailed(const std::string& fileName, std::size_t record) {
    return naming("Error while writting ", fileName, " : the converted game state does not read back (record ") +
           std::to_string(record) + ")\n";
}

std::string readBackMisplaced(const std::string& fileName, std::size_t record, std::size_t readEnd, std::size_t writtenEnd) {
    return naming("Error while writting ", fileName, " : record ") + std::to_string(record) +
           " of the converted game state reads back to byte " + std::to_string(readEnd) + ", written to byte " +
           std::to_string(writtenEnd) + "\n";
}

std::string writesBackDifferently(const std::string& fileName, std::size_t record) {
    return naming("Error while writting ", fileName, " : record ") + std::to_string(record) +
           " of the converted game state writes back differently\n";
}

std::string inflatesBackDifferently(const std::string& fileName) {
    return naming("Error while writting ", fileName, " : the compressed copy does not inflate back to the converted game state\n");
}

}  // namespace engine_messages
