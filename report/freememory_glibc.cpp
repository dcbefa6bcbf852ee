// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/freememory.h"

#include <malloc.h>

void returnFreeMemory()
{
    malloc_trim(0);
}
