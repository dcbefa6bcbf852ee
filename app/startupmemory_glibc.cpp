// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/startupmemory.h"

#include <malloc.h>

// glibc opens an arena for each thread that allocates while another holds the main one: the
// toolkit's painting threads would each keep one, tens of kilobytes of private memory for a
// few small allocations. The program's threads seldom allocate at once, so one arena costs
// no waiting worth the name.
void shareOneHeapAcrossThreads()
{
    mallopt(M_ARENA_MAX, 1);
}
