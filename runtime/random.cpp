// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/random.h"

#include "runtime/bitcast.h"

namespace angoli
{

namespace
{
// splitmix64's finaliser: a bijective mix with good avalanche.
std::uint64_t mix(std::uint64_t z)
{
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}
} // namespace

void MixingRandom::Randomize(float seed)
{
    m_state = mix(m_state ^ (std::uint64_t(bitCast<std::uint32_t>(seed)) << 17));
}

std::uint64_t MixingRandom::next()
{
    m_state += 0x9E3779B97F4A7C15ULL;
    return mix(m_state);
}

float MixingRandom::Rnd()
{
    // 24 bits fit a float exactly, so the result is never rounded up to 1.
    return float(next() >> 40) * (1.0f / 16777216.0f);
}

} // namespace angoli
