#include "gfx/Texture.h"

#include <cstring>
#include <string>

GLenum TextureFormat(int bytesPerPixel) {
    switch (bytesPerPixel) {
    case 1:
        return GL_LUMINANCE;
    case 2:
        return GL_LUMINANCE_ALPHA;
    case 4:
        return GL_RGBA;
    default:
        return GL_RGB;
    }
}

GLint TextureComponents(int bytesPerPixel) {
    return bytesPerPixel == 1 || bytesPerPixel == 2 ? bytesPerPixel : 4;
}

Texture::~Texture() {
    ReleaseGl();
}

namespace {
// The picture of a file: ".raw" anywhere in the path reads raw bytes of the
// given layout, ".tga" a TGA; anything else is not opened.
bool readFile(const std::string& path, int width, int height, int bytesPerPixel, Image& out) {
    if (path.find(".raw") != std::string::npos) {
        RawImage image;
        image.LoadFile(path.c_str(), width, height, bytesPerPixel);
        out = image;
    } else if (path.find(".tga") != std::string::npos) {
        TgaImage image;
        image.LoadFile(path.c_str(), width, height, bytesPerPixel);
        out = image;
    }
    return out.HasPixels();
}
} // namespace

bool Texture::LoadFile(const char* path, int width, int height, int bytesPerPixel) {
    if (path == nullptr) return false;
    return Load([path = std::string(path), width, height, bytesPerPixel](Image& out) {
        return readFile(path, width, height, bytesPerPixel, out);
    });
}

bool Texture::SetImage(const Image* image) {
    if (image == nullptr || !image->HasPixels()) return false;
    ReleaseGl();
    source = nullptr;
    picture = *image;
    RestoreGl();
    return true;
}

bool Texture::Load(Source newSource) {
    Image fresh;
    if (!newSource || !newSource(fresh)) return false;
    ReleaseGl();
    source = std::move(newSource);
    picture = std::move(fresh);
    RestoreGl();
    return true;
}

bool Texture::LoadResource(int id) {
    return Load([id](Image& out) {
        TgaImage image;
        image.LoadResource(id, 0, 0, 3);
        out = image;
        return out.HasPixels();
    });
}

Image& Texture::Picture() {
    if (!picture.HasPixels() && source) source(picture);
    return picture;
}

bool Texture::Upload() {
    if (picture.Width() * picture.Height() < 1 || !picture.HasPixels()) return false;
    if (!name) name = GlTexture::generate();
    glBindTexture(GL_TEXTURE_2D, name.get());
    UploadPicture();
    source = nullptr; // the owner changed the picture: only the copy holds it now
    return true;
}

void Texture::Bind() const {
    if (!name) return;
    glBindTexture(GL_TEXTURE_2D, name.get());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, static_cast<GLint>(minFilter));
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, static_cast<GLint>(magFilter));
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, static_cast<GLint>(wrapS));
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, static_cast<GLint>(wrapT));
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, static_cast<GLint>(envMode));
    glTexEnvfv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_COLOR, envColour);
}

void Texture::ReleaseGl() {
    name.reset();
}

void Texture::RestoreGl() {
    if (name) return;
    if (!picture.HasPixels() && source) source(picture);
    // A texture that never got a picture has nothing to rebuild.
    if (!picture.HasPixels()) return;
    name = GlTexture::generate();
    glBindTexture(GL_TEXTURE_2D, name.get());
    UploadPicture();
    // What the source can read again is not kept once the GL has it.
    if (name && source)
        picture = Image(picture.Width(), picture.Height(), {}, picture.BytesPerPixel());
}

void Texture::UploadPicture() const {
    const int depth = picture.BytesPerPixel();
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, TextureComponents(depth), picture.Width(), picture.Height(), 0,
                 TextureFormat(depth), GL_UNSIGNED_BYTE, picture.Pixels());
}
