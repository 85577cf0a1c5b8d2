#include "web/message_box.h"

#include "image/const_table.h"
#include "image/start/konst.h"
#include "runtime/program_services.h"

namespace web {

int32_t ShowMessageBox(const MessageBoxOptions& options) {
  using program::Dll;
  uintptr_t owner = 0;
  if (options.owner) {
    owner = *options.owner;
  } else {
    const auto process =
        static_cast<uint32_t>(rt::call_dll(static_cast<uint32_t>(Dll::GetCurrentProcessId), {}));
    owner = FindOwnWindow(process);
  }
  const rt::TextView message = options.message.value_or(konst::text(konst::Const::Empty));
  const rt::TextView title = options.title.value_or(konst::text(konst::Const::FriendlyReminder));
  const uintptr_t result =
      rt::call_dll(static_cast<uint32_t>(Dll::MessageBoxA),
                   {owner, reinterpret_cast<uintptr_t>(message.c_str()),
                    reinterpret_cast<uintptr_t>(title.c_str()), options.style.value_or(0)});
  return static_cast<int32_t>(static_cast<uint32_t>(result)) - 1;
}

}  // namespace web
