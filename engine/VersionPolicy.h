#pragma once
// Which version triples are accepted as sources (and as conversion targets), and when a
// requested target is older than the source.

#include <string>

#include "schema_core/SvgVersion.h"

// 42 with any subversion, or 44 and 45 with subversion 2 or 3.
bool isAcceptedSourceVersion(const SvgVersion& version);

// For a target of 42: the source is newer than 42. Otherwise only the subversions are compared.
bool isOlderThan(const SvgVersion& target, const SvgVersion& source);

// svg_subversion 3 of the source's family (45 stays 45, anything else goes to 44), the source's
// svg_hw_subversion, formatLevel 12.
SvgVersion conversionTargetFor(const SvgVersion& source);

// Error texts for a refused target.
std::string unknownTargetMessage(const SvgVersion& target);
std::string olderTargetMessage(const SvgVersion& target, const SvgVersion& source);
