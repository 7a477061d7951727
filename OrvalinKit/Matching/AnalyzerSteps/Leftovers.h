#pragma once

#include "Position.h"

#include <vector>

// The RAW files that found no twin and the JPEG and HEIC files that no RAW took, in input order:
// pairing by name finds them, and the later steps pair or hold back some of them.
struct Leftovers
{
    std::vector<Position> raws;
    std::vector<Position> twins;

    bool operator==(const Leftovers&) const = default;
};
