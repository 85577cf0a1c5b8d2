// Functions of known word counts for the Windows DLL host's call test,
// exported under their plain names (linked with --kill-at).
#include <cstdint>

extern "C" {

__declspec(dllexport) uint32_t __stdcall AddTwo(uint32_t a, uint32_t b) {
  return a + b;
}

__declspec(dllexport) uint32_t __stdcall Seven() {
  return 7;
}

// Weights each word by its place, so a change of order shows.
__declspec(dllexport) uint32_t __stdcall Place(uint32_t a, uint32_t b, uint32_t c) {
  return a * 100 + b * 10 + c;
}

}  // extern "C"
