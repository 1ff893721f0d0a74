// Reading another process's command line: the conversion from UTF-16 and the PEB walk in each
// of the three ways the tool can meet it (32-bit tool on 64-bit Windows, 64-bit tool, 32-bit
// tool on 32-bit Windows), with failures at every step.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "platform/command_line.h"
#include "tests/fakes/simulated_machine.h"

namespace svcman {
namespace {

using namespace std::string_literals;

TEST(Utf16BytesToText, ConvertsUpToTheFirstZeroUnit) {
  fake::SimulatedMachine machine;
  struct Case {
    std::string bytes, text;
  };
  const Case cases[] = {
      {""s, ""s},
      {"a"s, ""s},  // a single byte is no code unit
      {"a\0b\0c\0"s, "abc"s},
      {"a\0\0\0b\0"s, "a"s},                       // a zero unit ends the text
      {"a\0b"s, "a"s},                             // an odd last byte is ignored
      {"\x2D\x4E\x87\x65"s, "\xD6\xD0\xCE\xC4"s},  // U+4E2D U+6587: two-byte codes
      {"\x01\x0E"s, "?"s},  // U+0E01 is not in code page 936: the default character
      {"\"\0\x2D\x4E\"\0"s, "\"\xD6\xD0\""s},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Utf16BytesToText(machine, c.bytes), c.text);
  }
}

struct Bitness {
  const char* name;
  bool wow64;
  int pointerSize;
};
void PrintTo(const Bitness& bitness, std::ostream* out) {
  *out << bitness.name;
}

class CommandLineTest : public ::testing::TestWithParam<Bitness> {
 protected:
  void SetUp() override { machine.SetBitness(GetParam().wow64, GetParam().pointerSize); }
  long Reads() {
    return machine.callCounts["NtWow64ReadVirtualMemory64"] +
           machine.callCounts["NtReadVirtualMemory"];
  }
  fake::SimulatedMachine machine;
};

INSTANTIATE_TEST_SUITE_P(Layouts, CommandLineTest,
                         ::testing::Values(Bitness{"Wow64", true, 4}, Bitness{"Native64", false, 8},
                                           Bitness{"Native32", false, 4}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_P(CommandLineTest, ReadsCommandLinesBackExactly) {
  const std::string lines[] = {
      "\"C:\\srv\\game server.exe\" -port 7000 \"\xD6\xD0\xCE\xC4 name\"",
      "server.exe",
      // 20000 code units: Length 40000 bytes, beyond what a signed 16-bit length could hold.
      "x.exe " + std::string(19994, 'a'),
  };
  for (const std::string& line : lines) {
    const ProcessId id = machine.AddProcess("x.exe", line);
    EXPECT_EQ(ReadProcessCommandLine(machine, id), line);
  }
  EXPECT_EQ(machine.OpenHandleCount(), 0);
  EXPECT_EQ(machine.closeOfInvalidHandle, 0);
}

TEST_P(CommandLineTest, UsesTheServicesOfItsBitnessOnly) {
  const ProcessId id = machine.AddProcess("x.exe", "x.exe -a");
  EXPECT_EQ(ReadProcessCommandLine(machine, id), "x.exe -a");
  const bool wow64 = GetParam().wow64;
  EXPECT_EQ(machine.callCounts["NtWow64QueryInformationProcess64"], wow64 ? 1 : 0);
  EXPECT_EQ(machine.callCounts["NtWow64ReadVirtualMemory64"], wow64 ? 3 : 0);
  EXPECT_EQ(machine.callCounts["NtQueryInformationProcess"], wow64 ? 0 : 1);
  EXPECT_EQ(machine.callCounts["NtReadVirtualMemory"], wow64 ? 0 : 3);
  EXPECT_EQ(machine.callCounts["RtlAdjustPrivilege"], 1);
  ASSERT_EQ(machine.openProcessCalls.size(), 1u);
  EXPECT_EQ(machine.openProcessCalls[0].desiredAccess, kProcessQueryAndRead);
  EXPECT_FALSE(machine.openProcessCalls[0].inheritHandle);
}

TEST_P(CommandLineTest, EveryFailedStepGivesEmptyTextStopsThereAndClosesTheHandle) {
  struct Case {
    fake::ReadFailure failure;
    long readsMade;
  };
  const Case cases[] = {
      {fake::ReadFailure::Open, 0},
      {fake::ReadFailure::QueryInformation, 0},
      {fake::ReadFailure::ReadPeb, 1},
      {fake::ReadFailure::ReadParameters, 2},
      {fake::ReadFailure::ReadCommandLine, 3},
  };
  for (const Case& c : cases) {
    const ProcessId id = machine.AddProcess("x.exe", "x.exe -a");
    machine.FindProcess(id)->readFailure = c.failure;
    const long before = Reads();
    EXPECT_EQ(ReadProcessCommandLine(machine, id), "") << static_cast<int>(c.failure);
    EXPECT_EQ(Reads() - before, c.readsMade) << static_cast<int>(c.failure);
    EXPECT_EQ(machine.OpenHandleCount(), 0) << static_cast<int>(c.failure);
  }
  EXPECT_EQ(machine.closeOfInvalidHandle, 0);
}

TEST_P(CommandLineTest, BufferAddressThatIsNoUserAddressIsNotRead) {
  std::vector<std::uint64_t> addresses{0};
  // Negative as a signed 64-bit number: the kernel half, which only the 64-bit layout can name.
  if (machine.TargetPointerSize() == 8) addresses.push_back(0xFFFF800000001000ull);
  for (std::uint64_t address : addresses) {
    const ProcessId id = machine.AddProcess("x.exe", "x.exe -a");
    machine.SetCommandLineRecord(id, 16, address);
    const long before = Reads();
    EXPECT_EQ(ReadProcessCommandLine(machine, id), "") << address;
    EXPECT_EQ(Reads() - before, 2) << "no read at the buffer address " << address;
  }
  EXPECT_EQ(machine.OpenHandleCount(), 0);
}

TEST_P(CommandLineTest, LengthDecidesHowMuchIsRead) {
  const ProcessId id = machine.AddProcess("x.exe", "x.exe -abc");
  const std::uint64_t buffer = machine.FindProcess(id)->commandLineAddress;
  struct Case {
    std::uint16_t length;
    std::string text;
  };
  const Case cases[] = {
      {0, ""},       // Length 0: nothing to read
      {6, "x.e"},    // only Length bytes, though more follow
      {7, "x.e"},    // an odd byte is dropped
      {0xFFFF, ""},  // more than the process holds: the read fails, nothing comes back
  };
  for (const Case& c : cases) {
    machine.SetCommandLineRecord(id, c.length, buffer);
    EXPECT_EQ(ReadProcessCommandLine(machine, id), c.text) << c.length;
  }
}

TEST_P(CommandLineTest, CommandLineFillingTheWholeSixteenBitLengthIsReadWhole) {
  const std::string line = "y.exe " + std::string(32761, 'b');  // 32767 units, 65534 bytes
  const ProcessId id = machine.AddProcess("y.exe", line);
  EXPECT_EQ(ReadProcessCommandLine(machine, id), line);
}

TEST_P(CommandLineTest, NoSuchProcessGivesEmptyText) {
  const ProcessId ended = machine.AddProcess("x.exe", "x.exe");
  machine.EndProcess(ended);
  for (ProcessId id : {ProcessId{0}, ProcessId{12345}, ended}) {
    EXPECT_EQ(ReadProcessCommandLine(machine, id), "") << id;
  }
  EXPECT_EQ(machine.callCounts["CloseHandle"], 0);
}

}  // namespace
}  // namespace svcman
