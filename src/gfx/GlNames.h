#pragma once

#include <GL/gl.h>
#include <utility>

/*
===============================================================================
GlName: a move-only owner of OpenGL names, one kind per Traits (display lists,
texture objects). An owner of name 0 holds nothing and makes no GL call.

reset() and the destructor delete the names in the current context. forget()
drops them without a GL call, for names whose context is already gone (the
names of a lost context must not be deleted in the new one, where the same
numbers may belong to someone else).
===============================================================================
*/
template <class Traits> class GlName {
  public:
    GlName() = default;
    ~GlName() { reset(); }
    GlName(const GlName&) = delete;
    GlName& operator=(const GlName&) = delete;
    GlName(GlName&& other) noexcept
        : first(std::exchange(other.first, 0)), count(std::exchange(other.count, 0)) {}
    GlName& operator=(GlName&& other) noexcept {
        if (this != &other) {
            reset();
            first = std::exchange(other.first, 0);
            count = std::exchange(other.count, 0);
        }
        return *this;
    }

    // count new names (display lists: consecutive); empty when the context makes none.
    static GlName generate(GLsizei count = 1) {
        GlName made;
        made.first = Traits::generate(count);
        made.count = made.first != 0 ? count : 0;
        return made;
    }

    void reset() {
        if (first != 0) Traits::destroy(first, count);
        forget();
    }
    void forget() {
        first = 0;
        count = 0;
    }

    GLuint get() const { return first; }
    GLsizei size() const { return count; }
    explicit operator bool() const { return first != 0; }

  private:
    GLuint first = 0;
    GLsizei count = 0;
};

struct GlDisplayListTraits {
    static GLuint generate(GLsizei count) { return glGenLists(count); }
    static void destroy(GLuint first, GLsizei count) { glDeleteLists(first, count); }
};

// Texture names need not be consecutive, so one owner holds one texture.
struct GlTextureTraits {
    static GLuint generate(GLsizei) {
        GLuint name = 0;
        glGenTextures(1, &name);
        return name;
    }
    static void destroy(GLuint name, GLsizei) { glDeleteTextures(1, &name); }
};

using GlDisplayList = GlName<GlDisplayListTraits>;
using GlTexture = GlName<GlTextureTraits>;
