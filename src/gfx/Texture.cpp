#include "gfx/Texture.h"

#include <cstring>

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

bool Texture::LoadFile(const char* path, int width, int height, int bytesPerPixel) {
    if (path == nullptr) return false;
    if (std::strstr(path, ".raw") != nullptr) {
        RawImage image;
        image.LoadFile(path, width, height, bytesPerPixel);
        return SetImage(&image);
    }
    if (std::strstr(path, ".tga") != nullptr) {
        TgaImage image;
        image.LoadFile(path, width, height, bytesPerPixel);
        return SetImage(&image);
    }
    return false;
}

bool Texture::SetImage(const Image* image) {
    if (image == nullptr || !image->HasPixels()) return false;
    ReleaseGl();
    picture = *image;
    RestoreGl();
    return true;
}

bool Texture::LoadResource(int id) {
    TgaImage image;
    image.LoadResource(id, 0, 0, 3);
    return SetImage(&image);
}

bool Texture::Upload() {
    if (picture.Width() * picture.Height() < 1 || !picture.HasPixels()) return false;
    if (!name) name = GlTexture::generate();
    glBindTexture(GL_TEXTURE_2D, name.get());
    UploadPicture();
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
    // A texture that never got a picture has nothing to rebuild.
    if (name || !picture.HasPixels()) return;
    name = GlTexture::generate();
    glBindTexture(GL_TEXTURE_2D, name.get());
    UploadPicture();
}

void Texture::UploadPicture() const {
    const int depth = picture.BytesPerPixel();
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, TextureComponents(depth), picture.Width(), picture.Height(), 0,
                 TextureFormat(depth), GL_UNSIGNED_BYTE, picture.Pixels());
}
