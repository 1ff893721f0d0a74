// Start-up as the window's created event runs it, and the binding of the window's events to the
// handlers, against the in-memory window and the simulated machine.
#include <gtest/gtest.h>

#include <array>
#include <ostream>
#include <string>
#include <vector>

#include "app/startup.h"
#include "app/tool_events.h"
#include "catalogue/service_catalogue.h"
#include "catalogue/texts.h"
#include "control/tool_context.h"
#include "tests/fakes/memory_window.h"
#include "tests/fakes/simulated_machine.h"
#include "tests/fakes/temporary_directory.h"

namespace svcman {
namespace {

std::string Text(std::string_view text) {
  return std::string(text);
}

// Notes the window's state each time the tool looks at the running processes, which is what
// recognising the running services does.
class WatchedMachine : public fake::SimulatedMachine {
 public:
  explicit WatchedMachine(const fake::MemoryWindow& window) : window_(window) {}
  struct Look {
    bool windowVisible, windowEnabled;
  };
  std::vector<Look> looks;

  Handle CreateToolhelp32Snapshot(std::uint32_t flags, ProcessId processId) override {
    looks.push_back({window_.IsVisible(), window_.IsEnabled()});
    return SimulatedMachine::CreateToolhelp32Snapshot(flags, processId);
  }

 private:
  const fake::MemoryWindow& window_;
};

class StartupTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder_.valid());
    machine.executableDirectory = folder_.path().string();
  }

  void WriteConfiguration(const std::string& bytes) {
    ASSERT_TRUE(folder_.WriteFile("Kelconfig.ini", bytes));
  }

  fake::TemporaryDirectory folder_;
  fake::MemoryWindow window;
  WatchedMachine machine{window};
  ServiceCatalogue catalogue;
  ToolContext tool{catalogue, window, machine};
};

TEST_F(StartupTest, ExecutableDirectoryBecomesCurrent) {
  machine.executableDirectory = "D:\\tools\\svcman";
  machine.currentDirectory = "C:\\Users\\someone\\Desktop";
  MakeExecutableDirectoryCurrent(machine);
  EXPECT_EQ(machine.currentDirectory, "D:\\tools\\svcman");
}

TEST_F(StartupTest, DisablesShowsLoadsRecognisesThenEnables) {
  WriteConfiguration("Demo\r\n2,b,C:\\srv\\b.exe,-x\r\n1,a,C:\\srv\\a.exe,-y\r\n");
  machine.AddProcess("a.exe", "\"C:\\srv\\a.exe\" -y");

  OnMainWindowCreated(tool);

  const std::vector<std::string> expected = {"SetEnabled(0)", "SetVisible(1)", "SetCaption",
                                             "AppendRow",     "AppendRow",     "SetEnabled(1)"};
  EXPECT_EQ(window.log, expected);
  // The running processes were looked at while the window was shown and still disabled.
  ASSERT_FALSE(machine.looks.empty());
  for (const auto& look : machine.looks) {
    EXPECT_TRUE(look.windowVisible);
    EXPECT_FALSE(look.windowEnabled);
  }
  // When the window is enabled its rows show what was recognised.
  EXPECT_TRUE(window.IsEnabled());
  EXPECT_EQ(window.GetCellText(0, kColumnStatus), Text(texts::kStatusRunning));
  EXPECT_EQ(window.GetCellText(1, kColumnStatus), Text(texts::kStatusNotStarted));
  EXPECT_EQ(window.GetButtonCaption(Button::StartAll), Text(texts::kCloseAll));
}

TEST_F(StartupTest, MissingFileMessageComesOverTheShownDisabledWindow) {
  OnMainWindowCreated(tool);

  ASSERT_EQ(window.messageBoxes.size(), 1u);
  EXPECT_EQ(window.messageBoxes[0].text, Text(texts::kMissingFileMessage));
  EXPECT_EQ(window.messageBoxes[0].title, Text(texts::kMissingFileTitle));
  EXPECT_TRUE(window.messageBoxes[0].windowVisible);
  EXPECT_FALSE(window.messageBoxes[0].windowEnabled);
  const std::vector<std::string> expected = {"SetEnabled(0)", "SetVisible(1)", "ShowMessageBox",
                                             "SetEnabled(1)"};
  EXPECT_EQ(window.log, expected);
  EXPECT_EQ(window.Caption(), Text(texts::kDesignCaption));
  EXPECT_EQ(window.RowCount(), 0);
  EXPECT_EQ(catalogue.Count(), 0);
  EXPECT_TRUE(window.IsEnabled());
}

// Each event of the window reaches the handler of its own control; a crossed wire shows as a
// caption or state on the wrong button.
struct EventCase {
  const char* name;
  void (*fire)(MainWindowEvents& events);
  std::array<std::string_view, 4> captions;  // StartAll, StartSelected, HideAll, HideSelected
  bool hideSelectedEnabled;
  std::size_t hiddenConsoles;  // hide requests for the console window
};

void PrintTo(const EventCase& c, std::ostream* out) {
  *out << c.name;
}

class ToolEventsTest : public StartupTest, public testing::WithParamInterface<EventCase> {
 protected:
  WindowHandle consoleWindow_ = 0;
};

TEST_P(ToolEventsTest, EachEventRunsItsControlsHandler) {
  using namespace texts;
  // One service that is not running, its row selected; a console window on the desktop; the
  // check box checked; the button for the selected service disabled.
  WriteConfiguration("Demo\r\n1,a,C:\\srv\\a.exe,-y\r\n");
  OnMainWindowCreated(tool);
  const ProcessId console = machine.AddProcess("cmd.exe", "cmd");
  consoleWindow_ = machine.AddWindow(console, Text(kConsoleWindowClass));
  window.SelectRow(0);
  window.SetCheckBoxChecked(true);
  window.SetButtonEnabled(Button::HideSelected, false);
  ToolEvents events(tool);

  GetParam().fire(events);

  const std::array<Button, 4> buttons = {Button::StartAll, Button::StartSelected, Button::HideAll,
                                         Button::HideSelected};
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    EXPECT_EQ(window.GetButtonCaption(buttons[i]), Text(GetParam().captions[i])) << i;
  }
  EXPECT_EQ(window.IsButtonEnabled(Button::HideSelected), GetParam().hideSelectedEnabled);
  std::size_t hidden = 0;
  for (const auto& call : machine.showWindowCalls) {
    hidden += call.window == consoleWindow_ && call.showCommand == kSwHide;
  }
  EXPECT_EQ(hidden, GetParam().hiddenConsoles);
}

INSTANTIATE_TEST_SUITE_P(
    Events, ToolEventsTest,
    testing::Values(
        EventCase{"StartAll",
                  [](MainWindowEvents& e) { e.OnButtonClicked(Button::StartAll); },
                  {texts::kCloseAll, texts::kStartSelected, texts::kHideAll, texts::kHideSelected},
                  false,
                  0},
        EventCase{"StartSelected",
                  [](MainWindowEvents& e) { e.OnButtonClicked(Button::StartSelected); },
                  {texts::kStartAll, texts::kCloseSelected, texts::kHideAll, texts::kHideSelected},
                  true,
                  0},
        EventCase{"HideAll",
                  [](MainWindowEvents& e) { e.OnButtonClicked(Button::HideAll); },
                  {texts::kStartAll, texts::kStartSelected, texts::kShowAll, texts::kHideSelected},
                  false,
                  0},
        EventCase{"HideSelected",
                  [](MainWindowEvents& e) { e.OnButtonClicked(Button::HideSelected); },
                  {texts::kStartAll, texts::kStartSelected, texts::kHideAll, texts::kShowSelected},
                  true,
                  0},
        EventCase{"CurrentRowChanged",
                  [](MainWindowEvents& e) { e.OnCurrentRowChanged(); },
                  {texts::kStartAll, texts::kStartSelected, texts::kHideAll, texts::kShowSelected},
                  false,
                  0},
        EventCase{"CheckBox",
                  [](MainWindowEvents& e) { e.OnCheckBoxClicked(); },
                  {texts::kStartAll, texts::kStartSelected, texts::kHideAll, texts::kHideSelected},
                  true,
                  1}),
    [](const testing::TestParamInfo<EventCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace svcman
