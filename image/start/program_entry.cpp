// The first routine the runtime runs once it has bound the image.
#include "image/start/bound_words.h"
#include "image/start/start_routines.h"
#include "runtime/program_services.h"

extern "C" unsigned char lanyinbao_image[];

namespace {

// Round to nearest, all exceptions masked, 64-bit precision on the x87 unit.
// Conversions that truncate switch the mode for one conversion and come back
// to this one.
void reset_floating_point() {
#if defined(__x86_64__) || defined(__i386__)
  const uint16_t x87_control = 0x037F;
  const uint32_t sse_control = 0x1F80;
  asm volatile("fldcw %0" : : "m"(x87_control));
  asm volatile("ldmxcsr %0" : : "m"(sse_control));
#endif
}

}  // namespace

extern "C" void ProgramEntry() {
  reset_floating_point();
  program::attach(program::read_bound_words(lanyinbao_image));
  InitGlobals();
  rt::register_cleanup(program::bound().release_globals);
  StartRoutine();
  rt::load_start_window(program::bound().start_window_id);
  rt::run_message_loop();
  rt::exit_program(0);
}
