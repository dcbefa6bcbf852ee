// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/random.h"

#include "base/platform.h"

RandomSequence &programRandom()
{
    static RandomSequence sequence;
    return sequence;
}

void Randomize()
{
    programRandom().seed(platform().clockSeed());
}

float Rnd()
{
    return programRandom().next();
}
