#include "platform/core/commands/command_table.h"

#include <string>
#include <unordered_map>

#include "platform/console/hex_text.h"
#include "platform/core/commands/builtin_commands.h"
#include "platform/core/errors/errors.h"

namespace core {
namespace {

using Table = std::unordered_map<uint32_t, CoreCommandFn>;

Table make_builtin_table() {
  Table table;
  for (const auto family : {text_commands(), text_edit_commands(), bytes_commands(),
                            file_commands(), memory_file_commands()}) {
    for (const CommandEntry& entry : family) {
      table.emplace(entry.number, entry.fn);
    }
  }
  return table;
}

Table& table() {
  static Table instance = make_builtin_table();
  return instance;
}

}  // namespace

void register_core_command(uint32_t number, CoreCommandFn fn) {
  table()[number] = fn;
}

abi::ArgRecord call_core_command(uint32_t command, uint32_t argc, const abi::ArgRecord* args) {
  const auto found = table().find(command);
  if (found == table().end() || found->second == nullptr) {
    const std::string name = console::hex_text(command);
    fatal_error(std::string("unknown core command ") + name);
  }
  if (argc > 0 && args == nullptr) {
    fatal_error("core command given " + std::to_string(argc) + " arguments without records");
  }
  return found->second(std::span<const abi::ArgRecord>(args, argc));
}

}  // namespace core
