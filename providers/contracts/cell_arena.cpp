// The page-ahead memory of a result's cells: chunks that are only ever
// appended to, huge pages where the system offers them, made ahead of the
// reader on a thread of the arena.
#include <sys/mman.h>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <system_error>
#include <thread>

#include "providers/contracts/cell-arena-private.h"

namespace tarvex::models {

struct Chunk {
  std::atomic<gint> refs;
  gsize size;     // bytes after the header
  gsize mapping;  // bytes mapped with mmap; 0 for g_aligned_alloc
  gpointer base;  // what was mapped
};

namespace {

// The first chunks hold the cells of some hundred rows; then chunks of one
// huge page. A row needing more than a small share of a chunk gets a block
// of its own.
constexpr gsize kSmallChunk = 64 * 1024;
constexpr guint kSmallChunks = 4;
constexpr gsize kLargeChunk = 2 * 1024 * 1024;
constexpr gsize kChunkHeader = (sizeof(Chunk) + 15) & ~gsize(15);

// Memory the kernel has not given the process yet costs a page fault and
// the zeroing of its page at the first write: for a large result, a good
// share of the fill. Writing to every page of a new chunk makes it present.
void make_present(void* start, gsize size) {
  auto* bytes = static_cast<volatile char*>(start);
  for (gsize at = 0; at < size; at += 4096) bytes[at] = 0;
}

Chunk* chunk_new(gsize total, bool present = false) {
  Chunk* chunk = nullptr;
  gsize mapping = 0;
  void* base = nullptr;
#if defined(MADV_HUGEPAGE)
  if (total >= kLargeChunk) {
    // Aligned to the huge page, so the kernel can back it with one.
    mapping = total * 2;
    base = mmap(nullptr, mapping, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (base == MAP_FAILED) {
      base = nullptr;
      mapping = 0;
    } else {
      auto start = reinterpret_cast<guintptr>(base);
      auto aligned = (start + total - 1) & ~guintptr(total - 1);
      madvise(reinterpret_cast<void*>(aligned), total, MADV_HUGEPAGE);
      chunk = reinterpret_cast<Chunk*>(aligned);
    }
  }
#endif
  // Aligned to its size, so that what it holds finds it (chunk_of).
  if (!chunk) chunk = static_cast<Chunk*>(g_aligned_alloc(1, total, total));
  if (present) make_present(chunk, total);
  chunk->refs.store(1, std::memory_order_relaxed);
  chunk->size = total - kChunkHeader;
  chunk->mapping = mapping;
  chunk->base = base;
  return chunk;
}

}  // namespace

gpointer large_block_new(gsize size) {
  // Aligned to the huge page, so the kernel can back it with them; the
  // rest of the mapping is given back at once.
  gsize mapping = size + kLargeChunk;
  void* base = mmap(nullptr, mapping, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  // As g_malloc does when memory runs out.
  if (base == MAP_FAILED) g_error("failed to map %" G_GSIZE_FORMAT " bytes", mapping);
  auto start = reinterpret_cast<guintptr>(base);
  auto aligned = (start + kLargeChunk - 1) & ~guintptr(kLargeChunk - 1);
  if (aligned > start) munmap(base, aligned - start);
  gsize tail = start + mapping - (aligned + size);
  if (tail > 0) munmap(reinterpret_cast<void*>(aligned + size), tail);
#if defined(MADV_HUGEPAGE)
  madvise(reinterpret_cast<void*>(aligned), size, MADV_HUGEPAGE);
#endif
  return reinterpret_cast<gpointer>(aligned);
}

void large_block_free(gpointer block, gsize size) {
  munmap(block, size);
}

bool chunk_is_large(const Chunk* chunk) {
  return chunk->size + kChunkHeader == kLargeChunk;
}

Chunk* chunk_of(const void* at, bool large) {
  gsize size = large ? kLargeChunk : kSmallChunk;
  return reinterpret_cast<Chunk*>(reinterpret_cast<guintptr>(at) & ~guintptr(size - 1));
}

void chunk_unref(Chunk* chunk) {
  if (chunk->refs.fetch_sub(1, std::memory_order_acq_rel) != 1) return;
  if (chunk->mapping)
    munmap(chunk->base, chunk->mapping);
  else
    g_aligned_free(chunk);
}

// Makes large chunks, their pages present, on a thread of its own a few
// chunks ahead of the arena that fills them: a large result then takes its
// memory without waiting for the kernel to give and zero it page by page.
class ChunkMaker {
 public:
  ChunkMaker() : thread_([this] { run(); }) {}
  ChunkMaker(const ChunkMaker&) = delete;
  ChunkMaker& operator=(const ChunkMaker&) = delete;
  ~ChunkMaker() {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      stop_ = true;
    }
    wake_.notify_one();
    thread_.join();
    for (Chunk* chunk : ready_) chunk_unref(chunk);
  }

  // A large chunk made ahead, or null when none is ready yet (the caller
  // makes its own rather than wait).
  Chunk* take() {
    Chunk* chunk = nullptr;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      if (!ready_.empty()) {
        chunk = ready_.front();
        ready_.pop_front();
      }
    }
    wake_.notify_one();
    return chunk;
  }

 private:
  static constexpr size_t kAhead = 4;

  void run() {
    std::unique_lock<std::mutex> lock(mutex_);
    while (true) {
      wake_.wait(lock, [this] { return stop_ || ready_.size() < kAhead; });
      if (stop_) return;
      lock.unlock();
      Chunk* chunk = chunk_new(kLargeChunk, true);
      lock.lock();
      ready_.push_back(chunk);
    }
  }

  std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<Chunk*> ready_;
  bool stop_ = false;
  std::thread thread_;
};

CellArena::~CellArena() {
  // The maker's unused chunks go with it.
  delete maker_;
  if (current_) chunk_unref(current_);
}

Chunk* CellArena::next_chunk(gsize size) {
  if (size != kLargeChunk) return chunk_new(size);
  // From the second large chunk on the result is large: chunks are made
  // ahead from then on.
  if (!maker_ && chunks_ > kSmallChunks) {
    try {
      maker_ = new ChunkMaker();
    } catch (const std::system_error&) {
      // No thread to be had: the arena makes its chunks itself.
    }
  }
  Chunk* chunk = maker_ ? maker_->take() : nullptr;
  return chunk ? chunk : chunk_new(size);
}

gpointer CellArena::take(gsize size, Chunk** chunk) {
  gsize chunk_size = chunks_ < kSmallChunks ? kSmallChunk : kLargeChunk;
  if (size > chunk_size / 32) return nullptr;
  size = (size + kArenaAlign - 1) & ~(kArenaAlign - 1);
  if (!current_ || used_ + size > current_->size) {
    if (current_) chunk_unref(current_);
    current_ = next_chunk(chunk_size);
    chunks_++;
    used_ = 0;
  }
  gpointer at = reinterpret_cast<char*>(current_) + kChunkHeader + used_;
  used_ += size;
  current_->refs.fetch_add(1, std::memory_order_relaxed);
  *chunk = current_;
  return at;
}

}  // namespace tarvex::models
