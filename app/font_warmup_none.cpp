// Systems whose Qt asks the system for fonts directly: nothing to read ahead.
#include "FontWarmUp.h"

namespace app {

FontWarmUp::FontWarmUp() = default;

} // namespace app
