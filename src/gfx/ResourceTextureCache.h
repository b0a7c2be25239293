#pragma once

#include <memory>
#include <vector>

class Texture;

/*
===============================================================================
ResourceTextureCache: one Texture per built-in picture id, loaded on first
request and kept until Clear (no eviction). Callers never own the textures.
The application releases and restores all of them around a re-creation of the
rendering context. Lookup is a linear scan over the few ids in use.
===============================================================================
*/
class ResourceTextureCache {
  public:
    ResourceTextureCache() = default;
    ResourceTextureCache(const ResourceTextureCache&) = delete;
    ResourceTextureCache& operator=(const ResourceTextureCache&) = delete;
    ~ResourceTextureCache();

    // The texture of that picture; throws for an id that has no built-in picture.
    Texture* Get(int id);
    void ReleaseAll();
    void RestoreAll();
    // Deletes every texture (needs the GL context that made them).
    void Clear();
    int Count() const { return static_cast<int>(textures.size()); }

  private:
    std::vector<std::unique_ptr<Texture>> textures;
    std::vector<int> ids;
};
