// The numbered contract between the program image and its runtime.
//
// The program's routines reach the runtime only through the thirteen service
// slots that binding fills in; the runtime reaches the program only through the
// image it is handed and the routine entries binding resolves. This header is
// the one thing both sides share. It holds numbers, record layouts and
// function-pointer types, no code.
//
// Stored formats keep their 32-bit little-endian layouts; in memory every
// value that may hold an address is pointer-sized (uintptr_t): the value word
// of an argument record, the argument words of declared functions, text
// pointers, array elements that point to texts or records, window handles and
// routine entries. On a 32-bit target these are the stored 32-bit words.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>

// The calling convention of functions that Windows itself calls back (the
// EnumWindows callback): the callee pops its arguments on 32-bit Windows;
// every other target has one convention.
#if defined(_WIN32) && !defined(_WIN64)
#define ABI_STDCALL __stdcall
#else
#define ABI_STDCALL
#endif

namespace abi {

inline constexpr bool kWordIs64Bits = sizeof(void*) == 8;
static_assert(kWordIs64Bits || sizeof(void*) == 4, "words are 32 or 64 bits");

// ---------------------------------------------------------------------------
// Service slots. The code section's 13 slot records are stored in the order of
// kStoredSlotOrder; each record's word names its slot as (slot number x 4).
enum class Slot : uint32_t {
  ReportRuntimeError = 0,
  CallDllFunction = 1,
  CallLibraryCommand = 2,
  CallCoreCommand = 3,
  ReadProperty = 4,
  WriteProperty = 5,
  AllocMemory = 6,
  ResizeMemory = 7,
  FreeMemory = 8,
  ExitProgram = 9,
  RunMessageLoop = 10,
  LoadStartWindow = 11,
  RuntimeHelp = 12,
};
inline constexpr uint32_t kSlotCount = 13;
inline constexpr uint32_t kStoredSlotOrder[kSlotCount] = {9, 10, 11, 12, 8, 6, 3, 5, 2, 4, 0, 1, 7};

// ---------------------------------------------------------------------------
// Argument records and general values: three words. An omitted argument is
// three zero words (tag Omitted).
struct ArgRecord {
  uintptr_t value;
  uint32_t high;
  uint32_t tag;
};
static_assert(sizeof(ArgRecord) == (kWordIs64Bits ? 16 : 12));
static_assert(offsetof(ArgRecord, high) == sizeof(uintptr_t));
static_assert(offsetof(ArgRecord, tag) == sizeof(uintptr_t) + 4);

// A general value has the same three words; the tag says what the value is.
using GeneralValue = ArgRecord;

namespace tag {
inline constexpr uint32_t Omitted = 0;
inline constexpr uint32_t Text = 0x80000004;
inline constexpr uint32_t Int = 0x80000301;
inline constexpr uint32_t Bool = 0x80000002;
inline constexpr uint32_t Byte = 0x80000101;
inline constexpr uint32_t Bytes = 0x80000005;
// Results that are not argument types: a 64-bit float (TextToNumber) and
// "no result". The float's bits travel in the value word.
inline constexpr uint32_t Float = 0x80000601;
inline constexpr uint32_t None = 0;
}  // namespace tag

// A float result keeps its 64 bits in the value word; where words are 32 bits
// the upper half goes to `high`.
inline ArgRecord float_record(double value) {
  const auto bits = std::bit_cast<uint64_t>(value);
  return {static_cast<uintptr_t>(bits), kWordIs64Bits ? 0 : static_cast<uint32_t>(bits >> 32),
          tag::Float};
}

inline double float_of(const ArgRecord& record) {
  uint64_t bits = record.value;
  if constexpr (!kWordIs64Bits) {
    bits |= static_cast<uint64_t>(record.high) << 32;
  }
  return std::bit_cast<double>(bits);
}

// ---------------------------------------------------------------------------
// Kind codes: (library index + 1) << 16 | kind within that library.
namespace kind {
inline constexpr uint32_t Window = 0x10001;
inline constexpr uint32_t MenuItem = 0x10003;
inline constexpr uint32_t EditBox = 0x10005;
inline constexpr uint32_t PictureBox = 0x10006;
inline constexpr uint32_t GroupBox = 0x10009;
inline constexpr uint32_t Label = 0x1000a;
inline constexpr uint32_t Button = 0x1000b;
inline constexpr uint32_t TabControl = 0x10015;
inline constexpr uint32_t HyperlinkBox = 0x1001d;
inline constexpr uint32_t Timer = 0x10020;
inline constexpr uint32_t HtmlBrowserBox = 0x40001;
}  // namespace kind

// A control reference is an argument record {window id, control id, kind code}.
// The window itself is {kMainWindowId, kWindowElementId, kind::Window}.
inline constexpr uint32_t kMainWindowId = 0x52010001;
inline constexpr uint32_t kWindowElementId = 0x06010000;

// ---------------------------------------------------------------------------
// Property numbers; the meaning depends on the control's kind.
namespace property {
inline constexpr uint32_t Disabled = 6;      // button: bool
inline constexpr uint32_t Content = 8;       // edit box content, label caption, timer interval (ms)
inline constexpr uint32_t Picture = 10;      // picture box: byte set holding a BMP file
inline constexpr uint32_t Address = 11;      // HTML browser box address, hyperlink box target
inline constexpr uint32_t CurrentPage = 12;  // tab control, counted from 0
}  // namespace property

// ---------------------------------------------------------------------------
// Event numbers of the form description's event lists.
namespace event {
inline constexpr int32_t Created = 0;  // window
inline constexpr int32_t Clicked = 0;  // button
inline constexpr int32_t Tick = 0;     // timer
inline constexpr int32_t GotFocus = -7;
}  // namespace event

// ---------------------------------------------------------------------------
// Runtime error codes (slot ReportRuntimeError).
namespace error {
inline constexpr uint32_t ArrayIndexOutOfRange = 1;
inline constexpr uint32_t ValueNotText = 5;
inline constexpr uint32_t DllStackChanged = 6;
}  // namespace error

// RuntimeHelp function numbers.
namespace help {
inline constexpr uint32_t UnshareArray = 2;     // (4, address of the array variable)
inline constexpr uint32_t RegisterCleanup = 3;  // (routine entry)
}  // namespace help

// ---------------------------------------------------------------------------
// Core commands (slot CallCoreCommand). Positions are 1-based byte positions.
namespace cmd {
inline constexpr uint32_t GetProgramDirectory = 0x104;
inline constexpr uint32_t TextLength = 0x130;
inline constexpr uint32_t LeftText = 0x134;
inline constexpr uint32_t RightText = 0x138;
inline constexpr uint32_t MidText = 0x13c;
inline constexpr uint32_t CharText = 0x140;
inline constexpr uint32_t FindText = 0x148;
inline constexpr uint32_t LocateText = 0x14c;
inline constexpr uint32_t ToUpperCase = 0x150;
inline constexpr uint32_t ToLowerCase = 0x154;
inline constexpr uint32_t TextToNumber = 0x164;
inline constexpr uint32_t ToText = 0x168;
inline constexpr uint32_t TrimSpaces = 0x174;
inline constexpr uint32_t RemoveSpaces = 0x178;
inline constexpr uint32_t ReplaceRange = 0x17c;
inline constexpr uint32_t ReplaceAll = 0x180;
inline constexpr uint32_t BlankText = 0x184;
inline constexpr uint32_t CompareText = 0x18c;
inline constexpr uint32_t SplitText = 0x190;
inline constexpr uint32_t BytesLength = 0x194;
inline constexpr uint32_t TextToBytes = 0x198;
inline constexpr uint32_t BytesToValue = 0x19c;
inline constexpr uint32_t LeftBytes = 0x1a0;
inline constexpr uint32_t ZeroBytes = 0x1bc;
inline constexpr uint32_t MakeDirectory = 0x234;
inline constexpr uint32_t ReadWholeFile = 0x268;
inline constexpr uint32_t WriteWholeFile = 0x26c;
inline constexpr uint32_t OpenMemoryFile = 0x274;
inline constexpr uint32_t CloseFile = 0x278;
inline constexpr uint32_t SeekToStart = 0x28c;
inline constexpr uint32_t WriteTextToFile = 0x2a0;
inline constexpr uint32_t ReadLine = 0x2a4;
inline constexpr uint32_t AtEndOfFile = 0x2b4;
// Window commands.
inline constexpr uint32_t ShowMessage = 0x300;
inline constexpr uint32_t ProcessEvents = 0x350;
inline constexpr uint32_t CloseWindow = 0x360;
inline constexpr uint32_t SetFocusTo = 0x364;
inline constexpr uint32_t AppendText = 0x530;
inline constexpr uint32_t OpenLink = 0x6b4;
}  // namespace cmd

// Support-library commands (slot CallLibraryCommand): library index, command.
namespace libcmd {
inline constexpr uint32_t ImageConverterLibrary = 2;  // qImgConverter
inline constexpr uint32_t ConvertImageFile = 0x4;     // (source path, target path)
inline constexpr uint32_t AppInterfaceLibrary = 4;    // qAPI
inline constexpr uint32_t OpenUrl = 0xe0;             // (URL text)
}  // namespace libcmd

// ---------------------------------------------------------------------------
// In-memory data formats.
//
// Text: zero-terminated GBK bytes; null means the empty text.
// Byte set: {u32 1, u32 length, bytes}; null means the empty byte set.
struct BytesHeader {
  uint32_t one;
  uint32_t length;
};
inline constexpr size_t kBytesHeaderSize = sizeof(BytesHeader);

// Array: {u32 dimension count, u32 size per dimension, elements}. Elements
// that point to texts or records are pointer-sized; arrays built here have one
// dimension, so a one-dimensional array's elements start 8 bytes in.
struct ArrayHeader1 {
  uint32_t dimensions;
  uint32_t size;
};
static_assert(sizeof(ArrayHeader1) == 8);

// A visible top-level window, as the window lookup collects it. The record
// owns its two texts (either may be null).
struct WindowRecord {
  uintptr_t window;
  uint32_t process_id;
  uint32_t thread_id;
  char* title;
  char* class_name;
};
static_assert(sizeof(WindowRecord) == (kWordIs64Bits ? 32 : 20));

// ---------------------------------------------------------------------------
// Service entry points. Each slot has its own C signature; the runtime keeps
// them in a ServiceTable in slot order. A bound slot word holds the address of
// that slot's entry in the table.
using ReportRuntimeErrorFn = void (*)(uint32_t code);  // never returns
using CallDllFunctionFn = uintptr_t (*)(uint32_t index, uint32_t word_count,
                                        const uintptr_t* words);
using CallLibraryCommandFn = ArgRecord (*)(uint32_t library, uint32_t command, uint32_t argc,
                                           const ArgRecord* args);
using CallCoreCommandFn = ArgRecord (*)(uint32_t command, uint32_t argc, const ArgRecord* args);
using ReadPropertyFn = ArgRecord (*)(uint32_t window, uint32_t control, uint32_t property,
                                     int32_t index);
using WritePropertyFn = void (*)(uint32_t window, uint32_t control, uint32_t property,
                                 int32_t index, uintptr_t value, uint32_t high);
using AllocMemoryFn = void* (*)(size_t size);
using ResizeMemoryFn = void* (*)(void* block, size_t size);
using FreeMemoryFn = void (*)(void* block);
using ExitProgramFn = void (*)(int32_t code);  // never returns
using RunMessageLoopFn = void (*)(uint32_t);
using LoadStartWindowFn = uint32_t (*)(uint32_t window_id);
using RuntimeHelpFn = uintptr_t (*)(uint32_t function, uintptr_t arg1, uintptr_t arg2);

struct ServiceTable {
  ReportRuntimeErrorFn report_runtime_error;  // 0
  CallDllFunctionFn call_dll_function;        // 1
  CallLibraryCommandFn call_library_command;  // 2
  CallCoreCommandFn call_core_command;        // 3
  ReadPropertyFn read_property;               // 4
  WritePropertyFn write_property;             // 5
  AllocMemoryFn alloc_memory;                 // 6
  ResizeMemoryFn resize_memory;               // 7
  FreeMemoryFn free_memory;                   // 8
  ExitProgramFn exit_program;                 // 9
  RunMessageLoopFn run_message_loop;          // 10
  LoadStartWindowFn load_start_window;        // 11
  RuntimeHelpFn runtime_help;                 // 12
};
static_assert(sizeof(ServiceTable) == kSlotCount * sizeof(void*));

// Program routines as the runtime calls them: handlers and the clean-up take
// nothing and return nothing.
using RoutineFn = void (*)();

// The program's EnumWindows callback as user32 calls it: (HWND, LPARAM),
// answering non-zero to go on.
using EnumWindowsCallbackFn = int32_t(ABI_STDCALL*)(uintptr_t window, intptr_t param);

// ---------------------------------------------------------------------------
// Launcher <-> runtime.
inline constexpr uint32_t kGetNewSockKey = 1000;
using RuntimeEntryFn = void (*)(void* image);
using GetNewSockFn = RuntimeEntryFn (*)(uint32_t key);  // null refuses

}  // namespace abi
