// Systems whose Qt finds its fonts through fontconfig.
#include "FontWarmUp.h"

#include <fontconfig/fontconfig.h>
#include <malloc.h>

namespace app {

FontWarmUp::FontWarmUp() {
    // The configuration is allocated on the reading thread; with a single malloc arena it
    // lives where the rest of the program's memory does instead of in an arena of its own.
    mallopt(M_ARENA_MAX, 1);
    reader_ = std::thread([] { FcInit(); });
}

} // namespace app
