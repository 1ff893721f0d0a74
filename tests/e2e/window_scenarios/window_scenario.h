// The fixture of the window scenarios: a folder per test holding a copy of the tool and, when
// given, its Kelconfig.ini; the tool started from a working directory of the test's choice; at
// the end the tool closed through its close box, which must end it with exit code 0.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/e2e/driver/tool_driver.h"

namespace svcman::e2e {

inline constexpr DWORD kStartTimeoutMs = 30000;  // a cold Wine takes a while to start a program
inline constexpr DWORD kActionTimeoutMs = 5000;

class WindowScenario : public ::testing::Test {
 protected:
  void TearDown() override;

  // A fresh folder for this test, under the build tree; name may hold Chinese characters.
  std::wstring Folder(const std::wstring& name) const;
  // A copy of the tool in folder, with the configuration lines beside it (none when empty).
  std::wstring Install(const std::wstring& folder, const std::vector<std::wstring>& configuration);
  // Starts the tool and returns its window once it exists; fails the test otherwise.
  ToolWindow Start(const std::wstring& executable, const std::wstring& workingDirectory);
  // Starts the tool and waits until its start-up is over: the window shown and enabled.
  ToolWindow StartAndWaitUntilReady(const std::wstring& executable,
                                    const std::wstring& workingDirectory);
  ToolProcess& tool() { return *tool_; }

  // Closes the window as the close box does and expects the process to end with exit code 0.
  void CloseAndExpectExitCodeZero(const ToolWindow& window);

 private:
  std::unique_ptr<ToolProcess> tool_;
};

}  // namespace svcman::e2e
