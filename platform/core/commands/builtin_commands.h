// The runtime's own commands, by family; the command table starts with these.
#pragma once

#include <cstdint>
#include <span>

#include "platform/core/commands/command_table.h"

namespace core {

struct CommandEntry {
  uint32_t number;
  CoreCommandFn fn;
};

std::span<const CommandEntry> text_commands();
std::span<const CommandEntry> text_edit_commands();
std::span<const CommandEntry> bytes_commands();
std::span<const CommandEntry> file_commands();
std::span<const CommandEntry> memory_file_commands();

}  // namespace core
