// The reference for our rounding to 15 significant digits: the C library's printf rounds the
// exact binary value on its own, independently of the composer's code.
#pragma once

#include "composer/Composer.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

inline composer::Significand PrintfRounding(double value) {
    char text[40];
    std::snprintf(text, sizeof text, "%.14e", std::fabs(value));
    std::uint64_t digits = 0;
    const char* c = text;
    for (; *c != 'e'; ++c) {
        if (*c != '.') {
            digits = digits * 10 + static_cast<std::uint64_t>(*c - '0');
        }
    }
    return {std::signbit(value), digits, std::atoi(c + 1)};
}
