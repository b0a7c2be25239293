#pragma once

#include <stdexcept>

/*
===============================================================================
FatalError: an error the program cannot go on from (window, context or display
mode failures). It carries the message text that the entry point shows in a
box captioned "Error" before the program ends with status 1. A thrown plain
message text (const char*) is treated the same way.
===============================================================================
*/
class FatalError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};
