// The sample Kelconfig.ini that ships in the release, converted by the same script, as the tool
// reads it: every example line is accepted with the fields it was written with.
#include "tests/e2e/service_scenarios/scenario.h"

namespace svcman::e2e {
namespace {

using SampleConfiguration = ServiceScenario;

TEST_F(SampleConfiguration, EveryExampleLineIsAServiceOfTheList) {
  const ToolWindow window = OpenToolWithFile(WindowsPath(SVCMAN_E2E_SAMPLE_CONFIGURATION));
  EXPECT_EQ(window.Caption(), L"Vantrel工具 Ver0.97 - 示例服务");
  // Columns 1 to 5: id, name, path, arguments ("null" gives none), status.
  const std::vector<std::vector<std::wstring>> expected = {
      {L"1", L"连通检测", L"C:\\Windows\\System32\\ping.exe", L"-t 127.0.0.1", L"未启动"},
      {L"2", L"命令提示符", L"C:\\Windows\\System32\\cmd.exe", L"", L"未启动"},
      {L"3", L"字符映射表", L"C:\\Windows\\System32\\charmap.exe", L"", L"未启动"},
  };
  std::vector<std::vector<std::wstring>> rows;
  for (int row = 0; row < window.RowCount(); ++row) {
    rows.emplace_back();
    for (int column = 1; column <= 5; ++column) rows.back().push_back(window.CellText(row, column));
  }
  EXPECT_EQ(rows, expected);
}

}  // namespace
}  // namespace svcman::e2e
