// The memory of the engine's list nodes (three pointers each): a page of millions of items holds
// millions of them, and the system heap is slow per allocation and adds its own header to each.
// Each thread cuts nodes from blocks of its own; a node freed on another thread goes back to the
// thread that made it. A thread keeps its first block; the others go back to the block cache
// whenever none of its nodes is in use, and all of them when the thread has ended and its last
// node is freed.
#pragma once

#include <cstddef>

namespace RichListNodes {

// The bytes of a node.
constexpr std::size_t kNodeBytes = 3 * sizeof(void*);

void* Allocate();
void Free(void* node);

// The calling thread's nodes in use (those freed by other threads count until it next allocates)
// and its blocks: for tests.
std::size_t LiveCount();
std::size_t BlockCount();

}  // namespace RichListNodes
