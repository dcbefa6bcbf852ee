// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/startupmemory.h"

// Other allocators choose their per-thread caches themselves.
void shareOneHeapAcrossThreads() {}
