// What the launcher tests need of the system: registry values written under
// HKEY_LOCAL_MACHINE and a clean slate (the in-memory registry elsewhere, Wine's on Windows),
// and what a started program can learn of its show style.
#pragma once

#include <cstdint>
#include <string>

namespace testsupport {

void SetValue(const std::string& path, const std::string& name, std::uint32_t type,
              const std::string& bytes);

// Removes every key the tests write.
void ClearTestKeys();

// Whether the tests may rewrite the system-information keys: always for the in-memory
// registry, on Windows only in a throw-away registry (QUORVELIN_SCRATCH_REGISTRY=1, as the
// Wine stage sets), never on a developer's own machine.
bool MayRewriteSystemKeys();

// Keys opened and not closed, where the registry can tell; -1 where it cannot.
int OpenKeyCount();

// The show style a started program records when started with this one: the style itself on
// Windows, -1 where there are none.
int RecordedShowStyle(int style);

} // namespace testsupport
