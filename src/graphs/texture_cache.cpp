#include "graphs/texture_cache.h"

#include <map>
#include <utility>
#include <vector>

#include "texture.h"

namespace qv {

// The cache's textures by file, with the number of leases on each.
class TexturePool {
 public:
  struct Entry {
    Texture texture;
    int users = 0;
  };

  // One lease of key less; its texture goes when it was the last one: at
  // once, or (without a current context) at the next DeleteOrphans.
  void Drop(const std::string& key, bool deleteNow) {
    const auto entry = entries.find(key);
    if (entry == entries.end() || --entry->second.users > 0) return;
    orphans.push_back(entry->second.texture);
    entries.erase(entry);
    if (deleteNow) DeleteOrphans();
  }

  void DeleteOrphans() {
    for (Texture& texture : orphans) texture.Delete();
    orphans.clear();
  }

  void DeleteAll() {
    DeleteOrphans();
    for (auto& [key, entry] : entries) entry.texture.Delete();
    entries.clear();
  }

  std::map<std::string, Entry> entries;
  std::vector<Texture> orphans;
};

// TextureLease

TextureLease::TextureLease(std::weak_ptr<TexturePool> pool, std::string key, unsigned name)
    : pool_(std::move(pool)), key_(std::move(key)), name_(name) {}

TextureLease::~TextureLease() { Drop(false); }

TextureLease::TextureLease(TextureLease&& other) noexcept
    : pool_(std::move(other.pool_)), key_(std::move(other.key_)), name_(other.name_) {
  other.pool_.reset();
  other.name_ = 0;
}

TextureLease& TextureLease::operator=(TextureLease&& other) noexcept {
  if (this != &other) {
    Drop(false);
    pool_ = std::move(other.pool_);
    key_ = std::move(other.key_);
    name_ = other.name_;
    other.pool_.reset();
    other.name_ = 0;
  }
  return *this;
}

unsigned TextureLease::Name() const { return pool_.expired() ? 0 : name_; }

void TextureLease::Release() { Drop(true); }

void TextureLease::Drop(bool deleteNow) {
  if (const std::shared_ptr<TexturePool> pool = pool_.lock()) pool->Drop(key_, deleteNow);
  pool_.reset();
  key_.clear();
  name_ = 0;
}

// TextureCache

TextureCache::TextureCache() : pool_(std::make_shared<TexturePool>()) {}

TextureCache::~TextureCache() = default;

TextureLease TextureCache::Acquire(const std::string& path, std::string_view name,
                                   std::string& problem) {
  pool_->DeleteOrphans();
  auto entry = pool_->entries.find(path);
  if (entry == pool_->entries.end()) {
    LoadedTexture loaded = Texture::Load(path, name);
    if (!loaded.texture) {
      problem = loaded.problem;
      return {};
    }
    entry = pool_->entries.emplace(path, TexturePool::Entry{*loaded.texture, 0}).first;
  }
  ++entry->second.users;
  return TextureLease(pool_, path, entry->second.texture.Name());
}

std::size_t TextureCache::Count() const { return pool_->entries.size() + pool_->orphans.size(); }

void TextureCache::Clear() {
  pool_->DeleteAll();
  // The leases still held point at the old pool, which goes: they read as
  // empty from now on, and giving them up touches nothing.
  pool_ = std::make_shared<TexturePool>();
}

}  // namespace qv
