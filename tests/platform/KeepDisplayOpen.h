#pragma once

#include <SDL2/SDL.h>
#include <gtest/gtest.h>

// Xvfb resets itself whenever its last client disconnects, and refuses connections
// meanwhile; holding the video subsystem for the whole run keeps one connection open
// while windows come and go between tests.
class KeepDisplayOpen : public ::testing::Environment {
  public:
    void SetUp() override { ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError(); }
    void TearDown() override { SDL_QuitSubSystem(SDL_INIT_VIDEO); }
};

inline ::testing::Environment* const keepDisplayOpen =
    ::testing::AddGlobalTestEnvironment(new KeepDisplayOpen);
