// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Hands the heap's free memory back to the system where the allocator keeps it otherwise
// (freememory_glibc.cpp); elsewhere it does nothing (freememory_other.cpp).
void returnFreeMemory();
