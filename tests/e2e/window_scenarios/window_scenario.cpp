#include "tests/e2e/window_scenarios/window_scenario.h"

namespace svcman::e2e {

std::wstring WindowScenario::Folder(const std::wstring& name) const {
  const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
  const std::string testName = std::string(test->test_suite_name()) + "." + test->name();
  return JoinPath(JoinPath(WindowsPath(SVCMAN_E2E_WORK_DIR), FromCp936(testName)), name);
}

std::wstring WindowScenario::Install(const std::wstring& folder,
                                     const std::vector<std::wstring>& configuration) {
  const ToolInstall install = InstallTool(WindowsPath(SVCMAN_E2E_TOOL_EXE), folder, configuration);
  EXPECT_FALSE(install.executable.empty()) << "could not install the tool in the test folder";
  return install.executable;
}

ToolWindow WindowScenario::Start(const std::wstring& executable,
                                 const std::wstring& workingDirectory) {
  tool_ = std::make_unique<ToolProcess>(executable, workingDirectory);
  if (!tool_->started()) {
    ADD_FAILURE() << "CreateProcess failed with error " << tool_->error();
    return ToolWindow(nullptr, 0);
  }
  const auto window = ToolWindow::Find(tool_->id(), kStartTimeoutMs);
  if (!window) {
    ADD_FAILURE() << "the tool's window did not appear";
    return ToolWindow(nullptr, tool_->id());
  }
  return *window;
}

ToolWindow WindowScenario::StartAndWaitUntilReady(const std::wstring& executable,
                                                  const std::wstring& workingDirectory) {
  const ToolWindow window = Start(executable, workingDirectory);
  EXPECT_TRUE(WaitFor([&] { return window.IsVisible() && window.IsEnabled(); }, kStartTimeoutMs))
      << "the tool's window did not become visible and enabled";
  return window;
}

void WindowScenario::CloseAndExpectExitCodeZero(const ToolWindow& window) {
  window.Close();
  const auto exitCode = tool_->WaitForExit(kStartTimeoutMs);
  ASSERT_TRUE(exitCode.has_value()) << "the tool kept running after its window was closed";
  EXPECT_EQ(*exitCode, 0u);
}

void WindowScenario::TearDown() {
  // A scenario that failed half-way leaves no tool behind for the next one.
  if (tool_ && tool_->IsRunning()) tool_->Terminate();
}

}  // namespace svcman::e2e
