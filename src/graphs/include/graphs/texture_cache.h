// The textures of one drawing context. Graphs that show the same image file
// share one texture object: the file is read, scaled and uploaded when the
// first of them prepares, and the object is deleted when the last lets it
// go. The window core owns one cache beside its drawing context and clears
// it before the context goes.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace qv {

class TexturePool;

// One graph's use of a cached texture. Moving hands the use on; a lease that
// is destroyed without Release gives its use up too, and the object is then
// deleted at the cache's next Acquire or Clear (destruction makes no GL
// call, so it is safe without a current context).
class TextureLease {
 public:
  TextureLease() = default;
  ~TextureLease();
  TextureLease(TextureLease&& other) noexcept;
  TextureLease& operator=(TextureLease&& other) noexcept;
  TextureLease(const TextureLease&) = delete;
  TextureLease& operator=(const TextureLease&) = delete;

  // The texture object's name; 0 for an empty lease and after the cache
  // was cleared or destroyed.
  unsigned Name() const;
  // Gives the use up; the texture object is deleted when it was the last
  // use. The context the cache belongs to must be current.
  void Release();

 private:
  friend class TextureCache;
  TextureLease(std::weak_ptr<TexturePool> pool, std::string key, unsigned name);
  void Drop(bool deleteNow);

  std::weak_ptr<TexturePool> pool_;
  std::string key_;
  unsigned name_ = 0;
};

class TextureCache {
 public:
  TextureCache();
  // Makes no GL call: Clear first, with the context current.
  ~TextureCache();
  TextureCache(const TextureCache&) = delete;
  TextureCache& operator=(const TextureCache&) = delete;

  // A use of the texture of the image file at path (a file-system path,
  // the cache's key), read with the reader that name (the graph's TexName)
  // chooses, when no lease holds it yet. An empty lease, with problem
  // saying why, when the file cannot be used. Needs the context current.
  TextureLease Acquire(const std::string& path, std::string_view name, std::string& problem);
  // The texture objects the cache holds.
  std::size_t Count() const;
  // Deletes every texture object; the leases still held become empty.
  // Needs the context current.
  void Clear();

 private:
  std::shared_ptr<TexturePool> pool_;
};

// What a graph's prepare step made of its texture, for the next prepare and
// for its release step.
struct PreparedTexture {
  TextureLease lease;
  // The file it was prepared for, and whether that failed (which was said
  // once, and is not tried again for the same file).
  std::string path;
  bool failed = false;

  // Gives the texture up (the context current) and forgets the file.
  void Release() {
    lease.Release();
    path.clear();
    failed = false;
  }
};

}  // namespace qv
