#include "common/error_report.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <regex>
#include <system_error>

#include "common/trap.h"
#include "platform/ansi_codepage.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace {

using common::Failure;
using testing_support::ReadBytes;
using testing_support::ScriptedUi;
using testing_support::TempDir;

TEST(ErrorReportText, PositiveNumberHasABlankWhereTheSignGoes) {
  EXPECT_EQ(basBase::ErrorReportText("frmReg_cmdSave_Click", 13, "Type mismatch"),
            "處理程序: (frmReg_cmdSave_Click)\r\n"
            "執行錯誤, 代碼:  13\r\n"
            "訊息: \r\n"
            "     Type mismatch\r\n"
            "\r\n");
}

TEST(ErrorReportText, NegativeNumberShowsItsSignRightAfterTheColonBlank) {
  EXPECT_EQ(basBase::ErrorReportText("L", -2147217843, "x"),
            "處理程序: (L)\r\n執行錯誤, 代碼: -2147217843\r\n訊息: \r\n     x\r\n\r\n");
}

TEST(ShowError, BeepsShowsOneExclamationBoxAndResetsThePointer) {
  ScriptedUi ui;
  ui.SetBusyPointer(true);
  ui.ExpectBox();
  basBase::ShowError("frmReg_InitForm", Failure{13, "D"});
  EXPECT_EQ(ui.beeps(), 1);
  ASSERT_EQ(ui.boxes().size(), 1u);
  EXPECT_EQ(ui.boxes()[0].text, basBase::ErrorReportText("frmReg_InitForm", 13, "D"));
  EXPECT_EQ(ui.boxes()[0].icon, common::Icon::kExclamation);
  EXPECT_EQ(ui.boxes()[0].buttons, common::Buttons::kOk);
  EXPECT_EQ(ui.boxes()[0].title, "系統設定工具");
  EXPECT_FALSE(ui.busy());
}

TEST(LogError, ShowsNothingBeepsNotAndWritesNoFileWithoutALogPath) {
  ScriptedUi ui;
  TempDir dir;
  const auto before = std::filesystem::current_path();
  std::filesystem::current_path(dir.path());
  basBase::LogError("ConnectADO", Failure{5, "x"});
  std::filesystem::current_path(before);
  EXPECT_EQ(ui.beeps(), 0);
  EXPECT_TRUE(ui.boxes().empty());
  EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

TEST(ErrorLog, ASetPathGetsOneRecordPerReportAppendedAfterEarlierContent) {
  ScriptedUi ui;
  TempDir dir;
  const std::string log = dir.file("error.log");
  testing_support::WriteBytes(log, "earlier");
  basBase::ErrorLogPath = log;
  ui.ExpectBox();
  basBase::ShowError("frmReg_InitForm", Failure{13, "described"});
  basBase::LogError("ConnectADO", Failure{53, "ignored description"});
  basBase::ErrorLogPath.clear();

  const std::string stamp = R"(\*\*記錄時間 - \d\d/\d\d/\d\d, \d\d:\d\d:\d\d \r\n)";
  const std::regex expected(
      "earlier" + stamp + "處理程序: \\(frmReg_InitForm\\)\r\n執行錯誤, 代碼:  13\r\n訊息: \r\n"
      "     described\r\n\r\n" +
      stamp + "處理程序: \\(ConnectADO\\)\r\n執行錯誤, 代碼:  53\r\n訊息: \r\n     File not found\r\n\r\n");
  // The log is in the ANSI code page.
  EXPECT_TRUE(std::regex_match(platform::AnsiToUtf8(ReadBytes(log)), expected)) << ReadBytes(log);
}

TEST(LogRecord, FormatsTheDateWithTwoDigitFields) {
  std::tm when{};
  when.tm_year = 2012 - 1900;
  when.tm_mon = 2;
  when.tm_mday = 7;
  when.tm_hour = 9;
  when.tm_min = 5;
  when.tm_sec = 3;
  EXPECT_EQ(basBase::LogRecord(when, "T"), "**記錄時間 - 12/03/07, 09:05:03 \r\nT");
}

TEST(Trap, AFailureSkipsTheRestIsReportedOnceAndTheCallerGoesOn) {
  ScriptedUi ui;
  ui.ExpectBox();
  int reached = 0;
  const bool completed = common::TrapShow("frmReg_InitForm", [&] {
    ++reached;
    common::Raise(common::err::kFileNotFound, "gone");
    ++reached;
  });
  EXPECT_FALSE(completed);
  EXPECT_EQ(reached, 1);
  ASSERT_EQ(ui.boxes().size(), 1u);
  EXPECT_NE(ui.boxes()[0].text.find("(frmReg_InitForm)"), std::string::npos);
  EXPECT_NE(ui.boxes()[0].text.find(" 53\r\n"), std::string::npos);
}

TEST(Trap, LoggedFailuresAreQuiet) {
  ScriptedUi ui;
  EXPECT_FALSE(common::TrapLog("bmRegistry_GetCurrentKey", [] { throw std::bad_alloc(); }));
  EXPECT_TRUE(ui.boxes().empty());
  EXPECT_EQ(ui.beeps(), 0);
}

common::Failure FailureOf(const std::function<void()>& thrower) {
  try {
    thrower();
  } catch (...) {
    return common::CurrentFailure();
  }
  return {};
}

TEST(CurrentFailure, ClassifiesWhatReachesATrap) {
  EXPECT_EQ(FailureOf([] { throw std::bad_alloc(); }).number, 7);
  EXPECT_EQ(FailureOf([] { throw std::system_error(ENOSPC, std::generic_category()); }).number, 61);
  EXPECT_EQ(FailureOf([] { throw std::system_error(EACCES, std::generic_category()); }).number, 70);
  EXPECT_EQ(FailureOf([] { throw std::system_error(ENOENT, std::generic_category()); }).number, 76);
  const auto raised = FailureOf([] { common::Raise(53, "File Not Found"); });
  EXPECT_EQ(raised.number, 53);
  EXPECT_EQ(raised.description, "File Not Found");
}

}  // namespace
