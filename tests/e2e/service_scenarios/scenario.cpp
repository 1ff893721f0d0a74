#include "tests/e2e/service_scenarios/scenario.h"

namespace svcman::e2e {
namespace {

constexpr DWORD kToolReadyMs = 30000;
constexpr DWORD kRecordMs = 15000;

std::wstring CurrentTestName() {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = std::string(info->test_suite_name()) + "." + info->name();
  return std::wstring(name.begin(), name.end());
}

}  // namespace

void ServiceScenario::SetUp() {
  root_ = JoinPath(WindowsPath(SVCMAN_E2E_RUNS_DIR), CurrentTestName());
  services_ = JoinPath(root_, ServicesFolderName());
  toolFolder_ = JoinPath(root_, L"tool");
  // Leftovers of an earlier run of this scenario would hold files open and be adopted.
  EndProcessesFrom(root_);
  ASSERT_TRUE(ResetDirectory(services_)) << "cannot prepare the services folder";
  const std::wstring built = WindowsPath(SVCMAN_E2E_SERVICES_DIR);
  for (const wchar_t* program : {kWindowed, kConsole, kConsoleClass, kExitAtOnce}) {
    const std::wstring file = std::wstring(program) + L".exe";
    ASSERT_TRUE(CopyFileTo(JoinPath(built, file), JoinPath(services_, file))) << "cannot copy";
  }
}

void ServiceScenario::TearDown() {
  tool_.reset();
  EndProcessesFrom(root_);
}

std::wstring ServiceScenario::ServicePath(const wchar_t* program) const {
  return JoinPath(services_, std::wstring(program) + L".exe");
}

std::wstring ServiceScenario::Line(int id, const std::wstring& name, const wchar_t* program,
                                   const std::wstring& arguments) const {
  return std::to_wstring(id) + L"," + name + L"," + ServicePath(program) + L"," + arguments;
}

ToolWindow ServiceScenario::OpenTool(const std::vector<std::wstring>& serviceLines) {
  std::vector<std::wstring> file = {L"标题=服务场景"};
  file.insert(file.end(), serviceLines.begin(), serviceLines.end());
  const ToolInstall install = InstallTool(WindowsPath(SVCMAN_E2E_TOOL_EXE), toolFolder_, file);
  toolExecutable_ = install.executable;
  return ReopenTool();
}

ToolWindow ServiceScenario::OpenToolWithFile(const std::wstring& configurationFile) {
  const ToolInstall install = InstallTool(WindowsPath(SVCMAN_E2E_TOOL_EXE), toolFolder_, {});
  toolExecutable_ = install.executable;
  EXPECT_TRUE(CopyFileTo(configurationFile, JoinPath(toolFolder_, L"Kelconfig.ini")));
  return ReopenTool();
}

ToolWindow ServiceScenario::ReopenTool() {
  EXPECT_FALSE(toolExecutable_.empty()) << "the tool could not be installed";
  // Started from the services folder, not its own: the tool must find its file by itself.
  tool_ = std::make_unique<ToolProcess>(toolExecutable_, services_);
  EXPECT_TRUE(tool_->started()) << "CreateProcess failed: " << tool_->error();
  return WaitForReadyWindow();
}

ToolWindow ServiceScenario::WaitForReadyWindow() {
  auto window = ToolWindow::Find(tool_->id(), kToolReadyMs);
  if (!window) {
    ADD_FAILURE() << "the tool's window did not appear";
    return ToolWindow(nullptr, 0);
  }
  EXPECT_TRUE(WaitFor([&] { return window->IsEnabled(); }, kToolReadyMs))
      << "the tool's window was never enabled";
  return *window;
}

ServiceRecordFile ServiceScenario::StartOwn(const wchar_t* program, const std::wstring& commandLine,
                                            const std::wstring& recordName) {
  const DWORD pid = StartProgram(ServicePath(program), commandLine, services_);
  EXPECT_NE(pid, 0u) << "could not start " << std::string(commandLine.begin(), commandLine.end());
  auto record = WaitForServiceRecord(services_, recordName, kRecordMs);
  EXPECT_TRUE(record.has_value()) << "no record from the service started beforehand";
  if (!record) return {};
  EXPECT_EQ(record->pid, pid);
  return *record;
}

ServiceRecordFile ServiceScenario::RecordOf(const std::wstring& recordName, DWORD notPid) {
  auto record = WaitForServiceRecord(services_, recordName, kRecordMs, notPid);
  EXPECT_TRUE(record.has_value()) << "no record of a service the tool started";
  return record.value_or(ServiceRecordFile{});
}

std::vector<std::pair<std::wstring, std::wstring>> StatusAndShown(const ToolWindow& window) {
  std::vector<std::pair<std::wstring, std::wstring>> cells;
  for (int row = 0; row < window.RowCount(); ++row) {
    cells.emplace_back(window.CellText(row, kStatusColumn), window.CellText(row, kShownColumn));
  }
  return cells;
}

bool WaitForCaption(const ToolWindow& window, Control control, const std::wstring& caption,
                    DWORD timeoutMs, std::optional<bool> enabled) {
  return WaitFor(
      [&] {
        if (window.ControlText(control) != caption) return false;
        return !enabled || window.IsControlEnabled(control) == *enabled;
      },
      timeoutMs);
}

}  // namespace svcman::e2e
