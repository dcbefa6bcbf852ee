// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Lets every thread allocate from the main thread's heap where the allocator would give each
// thread a heap of its own (startupmemory_glibc.cpp); elsewhere it does nothing
// (startupmemory_other.cpp). Called before the first thread starts.
void shareOneHeapAcrossThreads();
