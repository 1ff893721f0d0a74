// The configuration file: parsing of single lines and whole texts, and the whole step from a
// real file in a temporary directory into the catalogue, the caption and the in-memory list.
#include "catalogue/configuration.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "catalogue/service_catalogue.h"
#include "catalogue/texts.h"
#include "tests/fakes/memory_window.h"
#include "tests/fakes/simulated_machine.h"
#include "tests/fakes/temporary_directory.h"

namespace svcman {
namespace {

using namespace std::string_literals;

const std::string kMarker(texts::kTitleMarker);
const std::string kPrefix(texts::kCaptionPrefix);

TEST(ParseServiceLine, AcceptedLines) {
  struct Case {
    std::string line;
    std::int32_t id;
    std::string name, path, arguments, imageName;
  };
  const Case cases[] = {
      {"2,Login,D:\\srv\\login.exe,-port 7001", 2, "Login", "D:\\srv\\login.exe", "-port 7001",
       "login.exe"},
      {"1,Gate,D:\\srv\\gate.exe,null", 1, "Gate", "D:\\srv\\gate.exe", "", "gate.exe"},
      {"1,Gate backup,D:\\srv\\gate.exe,  -b", 1, "Gate backup", "D:\\srv\\gate.exe", "-b",
       "gate.exe"},
      // Two trailing commas give an empty fourth field.
      {"1,a,D:\\a.exe,,", 1, "a", "D:\\a.exe", "", "a.exe"},
      // "null" only as written.
      {"1,a,D:\\a.exe, null", 1, "a", "D:\\a.exe", "null", "a.exe"},
      {"1,a,D:\\a.exe,NULL", 1, "a", "D:\\a.exe", "NULL", "a.exe"},
      {"1,a,D:\\a.exe,\xA1\xA1-x\xA1\xA1", 1, "a", "D:\\a.exe", "-x", "a.exe"},
      {"1,a,D:\\a.exe,\t-x\t", 1, "a", "D:\\a.exe", "\t-x\t", "a.exe"},
      // Spaces around the first three fields stay (the id still reads as a number).
      {" 1 , a , D:\\x.exe ,args", 1, " a ", " D:\\x.exe ", "args", "x.exe "},
      // Ids.
      {"007,a,a.exe,null", 7, "a", "a.exe", "", "a.exe"},
      {"+7,a,a.exe,null", 7, "a", "a.exe", "", "a.exe"},
      {"\xA3\xB7,a,a.exe,null", 7, "a", "a.exe", "", "a.exe"},
      {"-3,a,a.exe,null", -3, "a", "a.exe", "", "a.exe"},
      {"x,a,a.exe,null", 0, "a", "a.exe", "", "a.exe"},
      {"4294967297,a,a.exe,null", 1, "a", "a.exe", "", "a.exe"},
      // Image names.
      {"1,a,D:\\srv\\,null", 1, "a", "D:\\srv\\", "", "srv"},
      {"1,a,D:\\srv\\\\,null", 1, "a", "D:\\srv\\\\", "", ""},
      {"1,a,\\,null", 1, "a", "\\", "", ""},
      {"1,a,D:\\srv\\\x81\\.exe,null", 1, "a", "D:\\srv\\\x81\\.exe", "", "\x81\\.exe"},
      // A comma that is the second byte of a character separates nothing.
      {"1,\x81,,D:\\a.exe,null", 1, "\x81,", "D:\\a.exe", "", "a.exe"},
  };
  for (const Case& c : cases) {
    ServiceRecord record;
    record.processId = 9;  // must come back 0
    record.windowHandle = 9;
    ASSERT_TRUE(ParseServiceLine(c.line, record)) << testing::PrintToString(c.line);
    EXPECT_EQ(record.id, c.id) << c.line;
    EXPECT_EQ(record.name, c.name) << c.line;
    EXPECT_EQ(record.path, c.path) << c.line;
    EXPECT_EQ(record.arguments, c.arguments) << c.line;
    EXPECT_EQ(record.imageName, c.imageName) << c.line;
    EXPECT_EQ(record.processId, 0u);
    EXPECT_EQ(record.windowHandle, 0u);
  }
}

TEST(ParseServiceLine, RefusedLines) {
  const std::string lines[] = {
      "1,a,D:\\a.exe,",  // a trailing comma adds no fourth field
      "1,a,D:\\a.exe,x,y",
      "1,a,D:\\a.exe",
      "",
      ",,,",
      "1,a,,null",  // an empty path has no image name at all
      std::string(100000, ','),
  };
  for (const std::string& line : lines) {
    ServiceRecord record;
    EXPECT_FALSE(ParseServiceLine(line, record)) << testing::PrintToString(line.substr(0, 40));
  }
}

TEST(ParseConfiguration, TitleLineCases) {
  struct Case {
    std::string text;
    bool hasLine;
    std::string title;  // after the prefix
    int services;
  };
  const Case cases[] = {
      {"", false, "", 0},
      {"\r\n", true, "", 0},
      {kMarker + "Game", true, "Game", 0},
      {"Game servers\r\n", true, "Game servers", 0},
      {kMarker + "a" + kMarker + "b\r\n", true, "ab", 0},
      // The first line is the title whatever it holds.
      {"1,Gate,D:\\gate.exe,null\r\n2,Login,D:\\login.exe,null", true, "1,Gate,D:\\gate.exe,null",
       1},
      // LF alone ends no line: everything is the title.
      {"T\n1,a,a.exe,null\n", true, "T\n1,a,a.exe,null\n", 0},
      // Empty and malformed lines are skipped, the rest still read.
      {"T\r\n\r\n1,a,a.exe,null\r\nbad\r\n2,b,b.exe,x,y\r\n3,c,c.exe,null\r\n", true, "T", 2},
  };
  for (const Case& c : cases) {
    ServiceCatalogue catalogue;
    std::string caption = "unchanged";
    EXPECT_EQ(ParseConfiguration(c.text, catalogue, caption), c.hasLine)
        << testing::PrintToString(c.text);
    EXPECT_EQ(caption, c.hasLine ? kPrefix + c.title : "unchanged")
        << testing::PrintToString(c.text);
    EXPECT_EQ(catalogue.Count(), c.services) << testing::PrintToString(c.text);
  }
}

TEST(ParseConfiguration, AppendsInFileOrderWithoutSorting) {
  ServiceCatalogue catalogue;
  std::string caption;
  ASSERT_TRUE(ParseConfiguration("T\r\n3,c,c.exe,null\r\n1,a,a.exe,null\r\n", catalogue, caption));
  ASSERT_EQ(catalogue.Count(), 2);
  EXPECT_EQ(catalogue.At(1).id, 3);
  EXPECT_EQ(catalogue.At(2).id, 1);
}

// A temporary directory that stands for the tool's folder on the simulated machine.
class LoadConfigurationTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder_.valid());
    machine_.executableDirectory = folder_.path().string();
    // The state the created handler leaves before it loads: shown and disabled.
    window_.SetVisible(true);
    window_.SetEnabled(false);
  }

  void WriteConfiguration(const std::string& bytes) {
    ASSERT_TRUE(folder_.WriteFile("Kelconfig.ini", bytes));
  }

  void Load() { LoadConfiguration(catalogue_, window_, machine_); }

  // The row of the list as the user sees it: columns 1 to 6.
  std::vector<std::string> Row(int row) const {
    std::vector<std::string> cells;
    for (int column = kColumnId; column <= kColumnShown; ++column) {
      cells.push_back(window_.GetCellText(row, column));
    }
    return cells;
  }

  void ExpectNothingLoaded() {
    EXPECT_EQ(window_.Caption(), std::string(texts::kDesignCaption));
    EXPECT_EQ(catalogue_.Count(), 0);
    EXPECT_EQ(window_.RowCount(), 0);
  }

  fake::TemporaryDirectory folder_;
  fake::SimulatedMachine machine_;
  fake::MemoryWindow window_;
  ServiceCatalogue catalogue_;
  const std::string notStarted_{texts::kStatusNotStarted};
  const std::string notShown_{texts::kFalse};
};

TEST_F(LoadConfigurationTest, WorkedExample) {
  WriteConfiguration(kMarker + "Game servers\r\n" +
                     "2,Login,D:\\srv\\login.exe,-port 7001\r\n"
                     "1,Gate,D:\\srv\\gate.exe,null\r\n"
                     "1,Gate backup,D:\\srv\\gate.exe,  -b\r\n");
  Load();

  EXPECT_EQ(window_.Caption(), kPrefix + "Game servers");
  EXPECT_TRUE(window_.messageBoxes.empty());
  struct Expected {
    std::int32_t id;
    std::string name, path, arguments, imageName;
  };
  const Expected expected[] = {
      {1, "Gate", "D:\\srv\\gate.exe", "", "gate.exe"},
      {1, "Gate backup", "D:\\srv\\gate.exe", "-b", "gate.exe"},
      {2, "Login", "D:\\srv\\login.exe", "-port 7001", "login.exe"},
  };
  ASSERT_EQ(catalogue_.Count(), 3);
  ASSERT_EQ(window_.RowCount(), 3);
  for (int p = 1; p <= 3; ++p) {
    const Expected& e = expected[p - 1];
    const ServiceRecord& record = catalogue_.At(p);
    EXPECT_EQ(record.id, e.id);
    EXPECT_EQ(record.name, e.name);
    EXPECT_EQ(record.path, e.path);
    EXPECT_EQ(record.arguments, e.arguments);
    EXPECT_EQ(record.imageName, e.imageName);
    EXPECT_EQ(record.processId, 0u);
    EXPECT_EQ(record.windowHandle, 0u);
    const std::vector<std::string> row = {std::to_string(e.id), e.name,      e.path,
                                          e.arguments,          notStarted_, notShown_};
    EXPECT_EQ(Row(p - 1), row) << "row " << p - 1;
    EXPECT_EQ(window_.GetCellText(p - 1, 0), "");
  }
  EXPECT_EQ(window_.cellWrites, 3 * 6);  // columns 1 to 6, once each; column 0 never
}

TEST_F(LoadConfigurationTest, MissingFileShowsTheMessageAndChangesNothing) {
  Load();
  ASSERT_EQ(window_.messageBoxes.size(), 1u);
  EXPECT_EQ(window_.messageBoxes[0].text, std::string(texts::kMissingFileMessage));
  EXPECT_EQ(window_.messageBoxes[0].title, std::string(texts::kMissingFileTitle));
  EXPECT_TRUE(window_.messageBoxes[0].windowVisible);
  EXPECT_FALSE(window_.messageBoxes[0].windowEnabled);
  ExpectNothingLoaded();
  EXPECT_EQ(machine_.callCounts["ReadWholeFile"], 0);
}

TEST_F(LoadConfigurationTest, UnreadableOrEmptyFileIsEmptyTextWithoutMessage) {
  // A directory of that name exists but reads as nothing.
  std::filesystem::create_directory(folder_.path() / "Kelconfig.ini");
  Load();
  EXPECT_TRUE(window_.messageBoxes.empty());
  ExpectNothingLoaded();
}

TEST_F(LoadConfigurationTest, EmptyFileIsEmptyTextWithoutMessage) {
  WriteConfiguration("");
  Load();
  EXPECT_TRUE(window_.messageBoxes.empty());
  ExpectNothingLoaded();
}

TEST_F(LoadConfigurationTest, FileWithOnlyATitleSetsTheCaptionAndNothingElse) {
  WriteConfiguration(kMarker + "Only\r\n");
  Load();
  EXPECT_EQ(window_.Caption(), kPrefix + "Only");
  EXPECT_EQ(catalogue_.Count(), 0);
  EXPECT_EQ(window_.RowCount(), 0);
}

TEST_F(LoadConfigurationTest, BytesAfterANulAreIgnored) {
  WriteConfiguration("T\r\n1,a,a.exe,null\r\n2,b,b.exe\0,null\r\n3,c,c.exe,null\r\n"s);
  Load();
  EXPECT_EQ(window_.Caption(), kPrefix + "T");
  ASSERT_EQ(catalogue_.Count(), 1);  // "2,b,b.exe" has three fields; line 3 is cut off
  EXPECT_EQ(catalogue_.At(1).name, "a");
}

TEST_F(LoadConfigurationTest, NulInTheTitleLeavesOnlyTheTitle) {
  WriteConfiguration("Ti\0tle\r\n1,a,a.exe,null\r\n"s);
  Load();
  EXPECT_EQ(window_.Caption(), kPrefix + "Ti");
  EXPECT_EQ(catalogue_.Count(), 0);
}

TEST_F(LoadConfigurationTest, LeadByteAsTheLastByteOfTheFile) {
  WriteConfiguration("T\r\n1,a,a.exe,x\x81");
  Load();
  ASSERT_EQ(catalogue_.Count(), 1);
  EXPECT_EQ(catalogue_.At(1).arguments, "x\x81");
  EXPECT_EQ(window_.GetCellText(0, kColumnArguments), "x\x81");
}

TEST_F(LoadConfigurationTest, LeadByteBeforeTheLineBreakJoinsTheLines) {
  // Not valid code page 936: the lead byte takes the CR as its second byte, so no line break
  // is seen there and the joined line has seven fields.
  WriteConfiguration("T\r\n1,a,a.exe,x\x81\r\n2,b,b.exe,null\r\n3,c,c.exe,null\r\n");
  Load();
  ASSERT_EQ(catalogue_.Count(), 1);
  EXPECT_EQ(catalogue_.At(1).id, 3);
}

TEST_F(LoadConfigurationTest, ByteOrderMarkBecomesPartOfTheTitle) {
  const std::string bom = "\xEF\xBB\xBF";
  WriteConfiguration(bom + "Game\r\n1,a,a.exe,null\r\n");
  Load();
  EXPECT_EQ(window_.Caption(), kPrefix + bom + "Game");
  EXPECT_EQ(catalogue_.Count(), 1);
}

TEST_F(LoadConfigurationTest, ByteOrderMarkShiftsTheTitleMarkerOffCharacterStarts) {
  // EF BB | BF B1 | EA CC | E2 3D: the marker's bytes begin inside a character, so they stay.
  const std::string bom = "\xEF\xBB\xBF";
  WriteConfiguration(bom + kMarker + "Game\r\n");
  Load();
  EXPECT_EQ(window_.Caption(), kPrefix + bom + kMarker + "Game");
}

TEST_F(LoadConfigurationTest, IdsBeyond32BitsWrapAndSortSigned) {
  WriteConfiguration(
      "T\r\n"
      "4294967297,one,a.exe,null\r\n"
      "-1,minus one,b.exe,null\r\n"
      "2147483648,lowest,c.exe,null\r\n"
      "-3,minus three,d.exe,null\r\n");
  Load();
  const std::vector<std::pair<std::string, std::string>> expected = {
      {"-2147483648", "lowest"}, {"-3", "minus three"}, {"-1", "minus one"}, {"1", "one"}};
  ASSERT_EQ(window_.RowCount(), 4);
  for (int row = 0; row < 4; ++row) {
    EXPECT_EQ(window_.GetCellText(row, kColumnId), expected[row].first);
    EXPECT_EQ(window_.GetCellText(row, kColumnName), expected[row].second);
  }
}

TEST_F(LoadConfigurationTest, TenMegabyteLines) {
  const std::string longTitle(10u << 20, 't');
  const std::string longArguments(10u << 20, 'a');
  const std::string commas(10u << 20, ',');
  WriteConfiguration(kMarker + longTitle + "\r\n1,big,big.exe," + longArguments + "\r\n" + commas +
                     "\r\n2,small,small.exe,null\r\n");
  Load();
  EXPECT_EQ(window_.Caption(), kPrefix + longTitle);
  ASSERT_EQ(catalogue_.Count(), 2);
  EXPECT_EQ(catalogue_.At(1).arguments, longArguments);
  EXPECT_EQ(catalogue_.At(2).name, "small");
}

// The list's order as it is defined: the accepted lines in file order, then every pass of the
// exchange sort in full, swapping neighbours whose ids are in the wrong order.
void ExchangeSort(ServiceCatalogue& catalogue) {
  const int n = catalogue.Count();
  for (int pass = 1; pass <= n; ++pass) {
    for (int k = 1; k <= n - pass; ++k) {
      if (catalogue.At(k).id > catalogue.At(k + 1).id) catalogue.Swap(k);
    }
  }
}

TEST_F(LoadConfigurationTest, OrderEqualsTheExchangeSortOfTheAcceptedLines) {
  std::mt19937 random(11);
  const std::string extremes[] = {"-2147483648", "2147483647", "4294967295", "-0", "x"};
  for (int round = 0; round < 40; ++round) {
    const int lines = std::uniform_int_distribution<int>(0, 70)(random);
    // Few distinct ids, so most repeat; some lines are refused and must leave no gap.
    std::uniform_int_distribution<int> pick(0, 9);
    std::string text = "T\r\n";
    for (int i = 0; i < lines; ++i) {
      const int p = pick(random);
      const std::string id = p < 5 ? extremes[p] : std::to_string(p - 7);
      const std::string name = "s" + std::to_string(i);
      text += p == 9 ? id + "," + name + ",,null\r\n"
                     : id + "," + name + ",C:\\b" + std::to_string(i % 3) + "\\" + name +
                           ".exe,-n " + name + "\r\n";
    }
    WriteConfiguration(text);
    ServiceCatalogue loaded;
    fake::MemoryWindow window;
    LoadConfiguration(loaded, window, machine_);
    ServiceCatalogue reference;
    std::string caption;
    ASSERT_TRUE(ParseConfiguration(text, reference, caption));
    ExchangeSort(reference);

    ASSERT_EQ(loaded.Count(), reference.Count()) << "round " << round;
    ASSERT_EQ(window.RowCount(), reference.Count()) << "round " << round;
    for (int p = 1; p <= reference.Count(); ++p) {
      const ServiceRecord& got = loaded.At(p);
      const ServiceRecord& want = reference.At(p);
      ASSERT_EQ(got.id, want.id) << "round " << round << " position " << p;
      ASSERT_EQ(got.name, want.name) << "round " << round << " position " << p;
      ASSERT_EQ(got.path, want.path);
      ASSERT_EQ(got.arguments, want.arguments);
      ASSERT_EQ(got.imageName, want.imageName);
      ASSERT_EQ(window.GetCellText(p - 1, kColumnId), std::to_string(want.id));
      ASSERT_EQ(window.GetCellText(p - 1, kColumnName), want.name);
      ASSERT_EQ(window.GetCellText(p - 1, kColumnArguments), want.arguments);
    }
  }
}

}  // namespace
}  // namespace svcman
