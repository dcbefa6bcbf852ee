// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

// The program-wide random sequence: a 24-bit linear congruential generator, so that
// every draw is a whole multiple of 2^-24 in [0, 1) and exact in single precision.
class RandomSequence
{
public:
    static constexpr quint32 Modulus = 1u << 24;

    void seed(quint32 seed) { m_state = seed % Modulus; }
    quint32 state() const { return m_state; }

    float next()
    {
        m_state = (m_state * 0x43FD43FDu + 0xC39EC3u) % Modulus;
        return float(m_state) / float(Modulus);
    }

private:
    quint32 m_state = 0x50000;
};

RandomSequence &programRandom();

// Seeds the program-wide sequence from the system clock.
void Randomize();
// The next draw of the program-wide sequence.
float Rnd();
