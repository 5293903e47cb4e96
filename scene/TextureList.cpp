// CTextureList: load-by-name, look-up-by-name texture cache.
#include "scene/TextureList.h"

#include <memory>
#include <stdexcept>

CTextureList::~CTextureList()
{
    Free();
}

void CTextureList::Add(const std::string& fileName)
{
    AddAs(fileName, fileName);
}

void CTextureList::AddAs(const std::string& key, const std::string& fileName)
{
    std::unique_ptr<CTexture> texture(new CTexture);
    texture->Load(fileName);
    texture->name = key;
    entries.push_back(texture.get());
    texture.release();
}

CTexture* CTextureList::Get(const std::string& fileName)
{
    if (entries.empty())
        return nullptr;
    for (CTexture* texture : entries)
        if (texture->name == fileName)
            return texture;
    throw std::runtime_error("Unable to find '" + fileName + "' in texture list");
}

void CTextureList::UseMipmaps(bool on)
{
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    for (CTexture* texture : entries)
        texture->UseMipmaps(on);
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(bound));
}

void CTextureList::Free()
{
    for (CTexture* texture : entries)
        delete texture; // the destructor frees the GL texture
    entries.clear();
}
