// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace angoli
{

// Rnd and Randomize.
class RandomSource
{
public:
    virtual ~RandomSource() = default;
    // Mixes the seed into the generator's state, so two re-seeds with the
    // same clock reading still lead to different draws.
    virtual void Randomize(float seed) = 0;
    // A Single in [0, 1).
    virtual float Rnd() = 0;
};

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
