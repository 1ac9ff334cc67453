#include "schema_core/BinarySequence.h"

BinarySequence::~BinarySequence() {
    // Children go in list order.
    for (auto& child : children) child.reset();
}

void BinarySequence::read(ByteInput& in, const SvgVersion& version) { readChildren(in, version); }

void BinarySequence::write(ByteOutput& out, const SvgVersion& version) const { writeChildren(out, version); }

void BinarySequence::addChild(std::unique_ptr<BinarySequence> child) { children.push_back(std::move(child)); }

void BinarySequence::readChildren(ByteInput& in, const SvgVersion& version) {
    for (auto& child : children)
        if (child->isPresent(version)) child->read(in, version);
}

void BinarySequence::writeChildren(ByteOutput& out, const SvgVersion& version) const {
    for (const auto& child : children)
        if (child->isPresent(version)) child->write(out, version);
}
