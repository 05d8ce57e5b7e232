// The memory the cells of a provider's result live in (not installed, not
// exported): see CellArena.
#pragma once

#include <glib.h>

namespace tarvex::models {

// A block of `size` bytes (a multiple of 2 MB) backed by huge pages where
// the system offers them: few page faults for much memory. Its bytes are
// zero until written.
gpointer large_block_new(gsize size);
void large_block_free(gpointer block, gsize size);

// A chunk of memory holding the cells of many rows; freed with the last
// row that uses it.
struct Chunk;
void chunk_unref(Chunk* chunk);
// Whether the chunk is one of the large ones, and the chunk (of that size)
// holding `at`: chunks are aligned to their size.
bool chunk_is_large(const Chunk* chunk);
Chunk* chunk_of(const void* at, bool large);
class ChunkMaker;

// What the arena aligns the room it gives to (a Datum's alignment).
inline constexpr gsize kArenaAlign = 4;

// Memory for the cells of the rows of one result, in chunks of a fixed
// size that are only ever appended: nothing written is moved or copied
// again. The first chunks are small (a small result takes little); later
// ones are large and, where the system offers it, backed by huge pages, so
// a large result costs few page faults, and a thread of the arena makes
// them, their pages present, ahead of the rows that fill them.
class CellArena {
 public:
  CellArena() = default;
  CellArena(const CellArena&) = delete;
  CellArena& operator=(const CellArena&) = delete;
  ~CellArena();

  // Room for `size` bytes aligned to kArenaAlign, and in `*chunk` a new
  // reference to its chunk; or null (and no reference) for a size better
  // given its own block.
  gpointer take(gsize size, Chunk** chunk);

 private:
  Chunk* next_chunk(gsize size);

  Chunk* current_ = nullptr;
  gsize used_ = 0;
  guint chunks_ = 0;
  ChunkMaker* maker_ = nullptr;
};

}  // namespace tarvex::models
