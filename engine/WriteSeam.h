#pragma once
// A way for the tests into a conversion between the write of the converted game state and the
// checks made before it is kept: a fault may change the body as written (its records end at
// `recordEnds`, one entry per child of the root) or the gzip member made of it, so that a test
// can play a writer out of step with the reader. No fault is set outside the tests.

#include <cstddef>
#include <vector>

namespace write_seam {

using BodyFault = void (*)(std::vector<unsigned char>& body, const std::vector<std::size_t>& recordEnds);
using MemberFault = void (*)(std::vector<unsigned char>& member);

struct Faults {
    BodyFault body = nullptr;
    MemberFault member = nullptr;
};

// The faults in force for every conversion of the process.
inline Faults& faults() {
    static Faults inForce;
    return inForce;
}

}  // namespace write_seam
