#pragma once
// The console's dialog against the sandbox agent, for the benchmarks that
// measure a whole road: a request to its decoded reply, a feed's ticks to
// their log lines. A temporary directory holds the sandbox's settings file
// and a component registry of its own; the dialog connects and signs in as
// the demo user. The dialog tallies each real-time record the agent fires at
// it and what the record left behind, so that a benchmark can tell a record
// that was decoded from one that was lost.

#include <cstdint>
#include <filesystem>
#include <map>
#include <span>
#include <string>
#include <string_view>

#include "bench/BenchSupport.h"
#include "dialog/CZQKCommClientDlg.h"

namespace zqk::bench {

// The lines a real-time record of `realType` logs, for the types the
// benchmarks register (-1: a type they do not expect). The order feed's
// filtered types log their line only when they name the last accepted order.
int LinesOfRealType(int32_t realType, bool namesLastOrder);
bool IsFilteredRealType(int32_t realType);

struct RealTimeTally {
  std::map<int32_t, int64_t> records;  // by real type
  int64_t lines = 0;                   // logged while real-time records were decoded
  int64_t held = 0;                    // withheld by the order-number filter
  int64_t lost = 0;                    // records that logged other than their type's lines, or
                                       // (quote display types) left another product on display
  int64_t unexpected = 0;              // records of a type the benchmark did not register
  int64_t Records() const;
};

class TallyingDialog final : public CZQKCommClientDlg {
 public:
  using CZQKCommClientDlg::CZQKCommClientDlg;
  int32_t OnAgentEvent(int32_t dispid, std::span<const zqk_value> args) override;

  const RealTimeTally& Tally() const { return tally_; }
  void ResetTally() { tally_ = {}; }
  // Adds the time spent in the event handlers to `*seconds` from now on
  // (nullptr: stops).
  void SetHandlerClock(double* seconds) { handlerSeconds_ = seconds; }

 private:
  // The dialog's own handling of the event, timed when asked.
  int32_t Handle(int32_t dispid, std::span<const zqk_value> args);
  void CheckRealData(std::string_view key, int32_t realType, size_t linesBefore,
                     bool namesLastOrder);

  RealTimeTally tally_;
  double* handlerSeconds_ = nullptr;
};

class SandboxConsole {
 public:
  // `settingsJson` is the sandbox's settings file (docs/sandbox.md).
  SandboxConsole(std::string_view name, std::string_view settingsJson, DialogHost& host,
                 UiThread& ui);
  ~SandboxConsole();
  SandboxConsole(const SandboxConsole&) = delete;
  SandboxConsole& operator=(const SandboxConsole&) = delete;

  TallyingDialog& Dlg() { return dlg_; }

  // Connect and Login as demo; an empty text, or why it failed.
  std::string SignIn();
  // Registers a quote feed through the Register button; false when refused.
  bool AddReal(std::string_view key, int32_t realType);
  // Registers an account's order feed through its button.
  void AddOrderReal(std::string_view account);
  // Sends an order record through the Send Order button.
  void SendOrder(std::string_view trCode, std::string_view record);

 private:
  static std::filesystem::path MakeDirectory(std::string_view name);
  static CZQKCommClientDlg::Environment MakeEnvironment(const std::filesystem::path& dir,
                                                        DialogHost& host, UiThread& ui);

  std::filesystem::path dir_;
  TallyingDialog dlg_;
};

// One domestic order record of the demo user's account 07215003 through the
// console's composer: a new order (price empty: at the market), or a cancel
// of `orderNo` when it is given.
std::string DomesticOrderRecord(std::string_view product, char side, std::string_view price,
                                std::string_view orderNo = {});
inline constexpr std::string_view kDomesticAccount = "07215003";

}  // namespace zqk::bench
