#include "runtime/marshal.h"

#include "runtime/service_slots.h"

namespace rt::marshal {

abi::ArgRecord core(uint32_t command, std::initializer_list<abi::ArgRecord> args) {
  return detail::service<abi::CallCoreCommandFn>(abi::Slot::CallCoreCommand)(
      command, static_cast<uint32_t>(args.size()), args.begin());
}

abi::ArgRecord library(uint32_t library, uint32_t command,
                       std::initializer_list<abi::ArgRecord> args) {
  return detail::service<abi::CallLibraryCommandFn>(abi::Slot::CallLibraryCommand)(
      library, command, static_cast<uint32_t>(args.size()), args.begin());
}

}  // namespace rt::marshal
