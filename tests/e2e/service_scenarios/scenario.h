// The fixture every service scenario shares: a folder of its own with a copy of the tool and of
// the test service programs, the tool's Kelconfig.ini naming them, the tool started and found,
// and at the end every process from that folder ended, whatever the scenario left running.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tests/e2e/driver/tool_driver.h"
#include "tests/e2e/service_scenarios/service_records.h"

namespace svcman::e2e {

// The test service programs (tests/e2e/services), by executable name without ".exe".
inline constexpr const wchar_t* kWindowed = L"windowed_service";
inline constexpr const wchar_t* kConsole = L"console_service";
inline constexpr const wchar_t* kConsoleClass = L"console_class_service";
inline constexpr const wchar_t* kExitAtOnce = L"exit_at_once_service";

// Columns of the tool's list.
inline constexpr int kStatusColumn = 5;
inline constexpr int kShownColumn = 6;

class ServiceScenario : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The folder the services are copied into; a name with a blank and Chinese characters makes
  // a scenario check that paths travel through code page 936 and the shell's quoting intact.
  virtual std::wstring ServicesFolderName() const { return L"services"; }

  const std::wstring& services() const { return services_; }
  std::wstring ServicePath(const wchar_t* program) const;
  // A service line of Kelconfig.ini: id,name,full path,arguments ("null" for none).
  std::wstring Line(int id, const std::wstring& name, const wchar_t* program,
                    const std::wstring& arguments) const;

  // Installs the tool with a title line and these service lines, starts it and waits until its
  // window is enabled, that is until it has loaded the file and adopted running services.
  ToolWindow OpenTool(const std::vector<std::wstring>& serviceLines);
  // Installs the tool beside a copy of an existing configuration file, starts it and waits.
  ToolWindow OpenToolWithFile(const std::wstring& configurationFile);
  // Starts the installed tool again (after it was closed) and waits as OpenTool does.
  ToolWindow ReopenTool();
  ToolProcess& tool() { return *tool_; }

  // Starts a service program ourselves, with the exact command line given, in the services
  // folder; returns its record once written.
  ServiceRecordFile StartOwn(const wchar_t* program, const std::wstring& commandLine,
                             const std::wstring& recordName);
  // The record of a service the tool started, once it exists (and names another pid than
  // notPid).
  ServiceRecordFile RecordOf(const std::wstring& recordName, DWORD notPid = 0);

 private:
  ToolWindow WaitForReadyWindow();

  std::wstring root_;
  std::wstring services_;
  std::wstring toolFolder_;
  std::wstring toolExecutable_;
  std::unique_ptr<ToolProcess> tool_;
};

// Every cell of the rows' status and visibility columns, for comparing whole states at once.
std::vector<std::pair<std::wstring, std::wstring>> StatusAndShown(const ToolWindow& window);

// Waits until the control reads the caption (and has the enabled state, when one is given).
bool WaitForCaption(const ToolWindow& window, Control control, const std::wstring& caption,
                    DWORD timeoutMs, std::optional<bool> enabled = std::nullopt);

}  // namespace svcman::e2e
