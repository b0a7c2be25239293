#include "gfx/ResourceTextureCache.h"

#include "gfx/Texture.h"

ResourceTextureCache::~ResourceTextureCache() {
    Clear();
}

Texture* ResourceTextureCache::Get(int id) {
    for (std::size_t i = 0; i < ids.size(); ++i)
        if (ids[i] == id) return textures[i].get();
    auto texture = std::make_unique<Texture>();
    texture->LoadResource(id); // throws for an unknown id; nothing is cached then
    textures.push_back(std::move(texture));
    ids.push_back(id);
    return textures.back().get();
}

void ResourceTextureCache::ReleaseAll() {
    for (auto& texture : textures)
        texture->ReleaseGl();
}

void ResourceTextureCache::RestoreAll() {
    for (auto& texture : textures)
        texture->RestoreGl();
}

void ResourceTextureCache::Clear() {
    textures.clear();
    ids.clear();
}
