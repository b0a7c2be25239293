#pragma once

#include <GL/gl.h>
#include <functional>

#include "gfx/GlNames.h"
#include "gfx/Image.h"

/*
===============================================================================
Texture: an OpenGL 1.1 texture object (no mipmaps) that ReleaseGl / RestoreGl
rebuild after the rendering context was re-created. A picture with a source
(a file, a built-in picture, or a Source the owner gives) is read again from
it then and not kept once uploaded; a picture given by SetImage, or changed by
its owner and uploaded with Upload, is kept.

Owners may change the filter, wrap and environment fields before binding
(clouds repeat in both directions). Picture formats: 1 byte per pixel ->
GL_LUMINANCE, 2 -> GL_LUMINANCE_ALPHA, 4 -> GL_RGBA, else GL_RGB; RGB pictures
are stored with four components.

Needs a current GL context for everything but the picture accessors.
===============================================================================
*/
class Texture {
  public:
    Texture() = default;
    Texture(const Texture&) = delete;
    Texture& operator=(const Texture&) = delete;

    virtual ~Texture();
    // ".raw" anywhere in the path: RawImage of the given layout; else ".tga": TgaImage;
    // anything else is refused without opening the file.
    virtual bool LoadFile(const char* path, int width, int height, int bytesPerPixel);
    // False for no image or an image without pixels; else copies it and uploads.
    virtual bool SetImage(const Image* image);
    // Built-in picture by resource id (throws for an unknown id).
    virtual bool LoadResource(int id);
    // Fills an empty picture; false when it cannot.
    using Source = std::function<bool(Image&)>;
    // The picture the source gives, uploaded; the source gives it again at RestoreGl.
    bool Load(Source source);
    // Uploads the picture again (after the owner changed it, e.g. AddAlpha).
    virtual bool Upload();

    void Bind() const;
    void ReleaseGl();
    void RestoreGl();

    bool IsCreated() const { return static_cast<bool>(name); }
    GLuint Name() const { return name.get(); }
    // Reads the picture from its source again when it is not kept.
    Image& Picture();
    // The copy held now: without pixels once a picture with a source is uploaded.
    const Image& KeptPicture() const { return picture; }
    int Width() const { return picture.Width(); }
    int Height() const { return picture.Height(); }

    GLenum minFilter = GL_LINEAR;
    GLenum magFilter = GL_LINEAR;
    GLenum wrapS = GL_CLAMP;
    GLenum wrapT = GL_CLAMP;
    GLenum envMode = GL_REPLACE;
    GLfloat envColour[4] = {0.0f, 0.0f, 0.0f, 1.0f};

  private:
    void UploadPicture() const;

    GlTexture name;
    Image picture;
    Source source;
};

// Pixel format and internal component count used for a picture of that depth.
GLenum TextureFormat(int bytesPerPixel);
GLint TextureComponents(int bytesPerPixel);
