#pragma once
// Storage for the range rows a run narrows once (the hands a known board or
// dead cards make impossible left out), kept from run to run. A full table of
// narrowed rows takes up to 21 MB; a block that large comes straight from the
// system and goes back to it at every free on Windows, so each run would
// fault all its pages in again, which costs more than the first tenth of a
// second of dealing.

#include <cstddef>
#include <memory>

#include "core/cards.h"  // CardMask

// At least `count` masks, contents unspecified; null when memory is short.
// The block is reused by a later call once every copy of the pointer given
// out has been let go; while one is held, a later call gets a block of its own.
std::shared_ptr<CardMask[]> ReusableRowBuffer(std::size_t count);
