// CTextureList: the texture cache, keyed by file name exactly as given.
#pragma once

#include <string>
#include <vector>

#include "scene/Texture.h"

class CTextureList {
public:
    CTextureList() = default;
    ~CTextureList();
    CTextureList(const CTextureList&) = delete;
    CTextureList& operator=(const CTextureList&) = delete;

    // Loads `fileName` and appends it, even when the name is already present.
    // Throws what CTexture::Load throws; the cache is then unchanged.
    void Add(const std::string& fileName);
    // Loads `fileName` and appends it under the name `key`, which Get then
    // answers to: a model's texture found beside the model keeps the name the
    // model gives it.
    void AddAs(const std::string& key, const std::string& fileName);
    // The first texture loaded from `fileName` (byte-exact, case counts). Null on
    // an empty cache; throws when a non-empty cache lacks the name. The pointer
    // stays valid until Free or destruction.
    CTexture* Get(const std::string& fileName);
    // Every texture's minifying filter (CTexture::UseMipmaps); the texture
    // bound before stays bound.
    void UseMipmaps(bool on);
    // Frees and deletes every texture.
    void Free();

    std::vector<CTexture*> entries; // owned, in the order of Add
};
