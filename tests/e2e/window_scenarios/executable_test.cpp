// What the executable carries besides code: the manifest that brings version 6 of the common
// controls into the running tool, and the version resource.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cwctype>

#include "tests/e2e/window_scenarios/window_scenario.h"

namespace svcman::e2e {
namespace {

std::wstring Lower(std::wstring text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](wchar_t c) { return static_cast<wchar_t>(std::towlower(c)); });
  return text;
}

using Executable = WindowScenario;

TEST_F(Executable, ManifestLoadsCommonControlsVersionSix) {
  const std::wstring folder = Folder(L"tool");
  const ToolWindow window = StartAndWaitUntilReady(Install(folder, {L"标题=清单"}), folder);

  std::vector<std::wstring> commonControls;
  for (const std::wstring& module : tool().LoadedModules()) {
    if (Lower(module).ends_with(L"\\comctl32.dll")) commonControls.push_back(Lower(module));
  }
  ASSERT_FALSE(commonControls.empty());
  // Version 6 is loaded from the side-by-side store, not from the system folder.
  EXPECT_TRUE(std::any_of(commonControls.begin(), commonControls.end(), [](const auto& path) {
    return path.find(L"common-controls") != std::wstring::npos &&
           path.find(L"_6.0.") != std::wstring::npos;
  })) << ToCp936(commonControls.front());
  CloseAndExpectExitCodeZero(window);
}

TEST_F(Executable, CarriesAVersionResource) {
  const std::wstring executable = WindowsPath(SVCMAN_E2E_TOOL_EXE);
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(executable.c_str(), &ignored);
  ASSERT_GT(size, 0u);
  std::vector<char> data(size);
  ASSERT_TRUE(GetFileVersionInfoW(executable.c_str(), 0, size, data.data()));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  ASSERT_NE(fixed, nullptr);
  EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
  EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
  EXPECT_GE(HIWORD(fixed->dwFileVersionMS), 1u);
}

}  // namespace
}  // namespace svcman::e2e
