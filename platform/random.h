#pragma once

#include "platform/services.h"

#include <cstdint>

namespace angoli
{

// A small mixing generator: Randomize folds the seed into the state instead
// of replacing it, and every draw has 24 random bits like a Single mantissa.
class MixingRandom final : public RandomSource
{
public:
    explicit MixingRandom(std::uint64_t state = 0x2545F4914F6CDD1DULL) : m_state(state) {}
    void Randomize(float seed) override;
    float Rnd() override;

private:
    std::uint64_t next();
    std::uint64_t m_state;
};

} // namespace angoli
