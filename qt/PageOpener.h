// The About window's link opener: the platform layer's, with its verdict awaited from the
// event loop, so the window never waits on the opener, which is reaped there.
#pragma once

#include <functional>
#include <string>

class QObject;

namespace qt {

// Hands the address to the system's opener. Calls failed once, at once or when the opener
// reports its failure later, unless context has been destroyed by then.
void OpenWebPage(const std::string& address, QObject* context, const std::function<void()>& failed);

} // namespace qt
