#pragma once
// Which version triples are accepted as sources (and as conversion targets), and when a
// requested target is older than the source.

#include <string>

#include "schema_core/SvgVersion.h"

// 42 with any subversion, or 44 and 45 with a subversion of the table (brevinSubversions).
bool isAcceptedSourceVersion(const SvgVersion& version);

// For a target of 42: the source is newer than 42. Otherwise only the subversions are compared;
// the table's rows rise in number, so a lower subversion is an older release.
bool isOlderThan(const SvgVersion& target, const SvgVersion& source);

// The current subversion (the table's last row) of the source's family (45 stays 45, anything
// else goes to 44), the source's svg_hw_subversion, and the format level derived from them.
SvgVersion conversionTargetFor(const SvgVersion& source);

// Error texts for a refused target.
std::string unknownTargetMessage(const SvgVersion& target);
std::string olderTargetMessage(const SvgVersion& target, const SvgVersion& source);
