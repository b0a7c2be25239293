#pragma once

#include <utility>

/*
===============================================================================
AlName: a move-only owner of one OpenAL name (a buffer or a source). An owner
of name 0 holds nothing and makes no OpenAL call; reset() and the destructor
delete the name in the current context. The OpenAL headers stay in the .cpp,
so the owners of sounds need not see them.
===============================================================================
*/
template <class Traits> class AlName {
  public:
    AlName() = default;
    ~AlName() { reset(); }
    AlName(const AlName&) = delete;
    AlName& operator=(const AlName&) = delete;
    AlName(AlName&& other) noexcept : name(std::exchange(other.name, 0u)) {}
    AlName& operator=(AlName&& other) noexcept {
        if (this != &other) {
            reset();
            name = std::exchange(other.name, 0u);
        }
        return *this;
    }

    // A new name; empty when OpenAL makes none or reports an error.
    static AlName generate() {
        AlName made;
        made.name = Traits::generate();
        return made;
    }

    void reset() {
        if (name != 0) Traits::destroy(name);
        name = 0;
    }

    unsigned int get() const { return name; }
    explicit operator bool() const { return name != 0; }

  private:
    unsigned int name = 0;
};

struct AlBufferTraits {
    static unsigned int generate();
    static void destroy(unsigned int name);
};

// A source is stopped before it is deleted.
struct AlSourceTraits {
    static unsigned int generate();
    static void destroy(unsigned int name);
};

using AlBuffer = AlName<AlBufferTraits>;
using AlSource = AlName<AlSourceTraits>;
