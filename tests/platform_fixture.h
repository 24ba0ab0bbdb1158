// What the registry and launcher tests need of the system: registry values written under
// HKEY_LOCAL_MACHINE and a clean slate (the in-memory stand-in elsewhere, Wine's registry on
// Windows), and what a started program can learn of its show style.
#pragma once

#include <cstdint>
#include <string>

namespace testsupport {

// Value types that the reader leaves alone, besides REG_SZ and REG_DWORD.
inline constexpr std::uint32_t TypeExpandSz = 2;
inline constexpr std::uint32_t TypeBinary = 3;

// Stores the value as RegSetValueExA would from this text.
void SetValue(const std::string& path, const std::string& name, std::uint32_t type,
              const std::string& bytes);

// Removes every key the tests write.
void ClearTestKeys();

// Whether the tests may rewrite the system: its system-information keys, its explorer.exe.
// Always for the in-memory registry; on Windows only in a throw-away Wine prefix
// (QUORVELIN_SCRATCH_SYSTEM=1, as the tests' CMake file sets for Wine), never on a
// developer's own machine.
bool MayRewriteSystem();

// Keys opened and not closed, where the registry can tell; -1 where it cannot.
int OpenKeyCount();

// The show style a started program records when started with this one: the style itself on
// Windows, -1 where there are none.
int RecordedShowStyle(int style);

// For its lifetime, the C library works in Turkish, where tolower('I') is not 'i'. The
// locale is built with the tests (TEST_LOCALES). Windows' registry takes no notice of it.
class TurkishLocale {
public:
    TurkishLocale();
    TurkishLocale(const TurkishLocale&) = delete;
    TurkishLocale& operator=(const TurkishLocale&) = delete;
    ~TurkishLocale();
};

} // namespace testsupport
