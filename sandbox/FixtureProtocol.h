#pragma once
// The fixture agent (ZQKFixtureAgent.ocx): an agent whose results and event
// data come from a JSON fixture file (docs/fixture.md) and which records
// every call made on it. Besides the operations of the agent interface it
// answers a few fixture-control operations, by dispatch IDs that no agent
// operation uses; a real agent answers them with ZQK_E_UNKNOWN_DISPID. A
// driver calls them through the control's `invoke` like any operation:
//
//   kFixtureFireEvent (long)  FixtureFireEvent(string event, string json)
//     Fires one event now, inside the call, and returns the status the host's
//     fire_event returned. `event` names it ("OnTrReply", "OnRealData",
//     "OnAgentMessage", "OnRequestMessage") or gives its dispatch ID in
//     decimal. `json` (UTF-8) is either the JSON array of the event's
//     arguments, e.g. ["g11002.DQ0107&", 101], or an object
//     {"args": [...], "data": <page>} whose page (see docs/fixture.md) is the
//     reply or real-time record the event delivers instead of the next page
//     of the fixture file. A dispatch ID outside the interface is fired with
//     the arguments as given (JSON integers as longs, the rest as strings).
//   kFixtureLoadFile (long)  FixtureLoadFile(string path)
//     Replaces the fixture by the file at `path` (the path's bytes as the file
//     system has them). Returns 0. A file that cannot be read or parsed fails
//     the call with its reason and keeps the current fixture.
//   kFixtureLoadJson (long)  FixtureLoadJson(string json)
//     The same from the fixture text itself (UTF-8).
//   kFixtureTakeCalls (string)  FixtureTakeCalls()
//     The calls recorded since the last take, one line each, every line ended
//     by "\n", as UTF-8 text (the same lines that go to $ZQK_FIXTURE_LOG).
//
// A recorded line is the operation's name, its arguments and its result:
//   RequestTr("g11002.DQ0107&", "06801004   6042", 15, "") -> 3
//   StopComm(1)
//   GetInfo("x", "") -> error "no such name"
// Strings are quoted in double quotes, converted from CP949 to UTF-8, with
// the escapes \" \\ \n \r \t and \xHH for any other control byte and for
// bytes that are not CP949 text. Fixture-control calls are not recorded.
//
// The fixture file is read when a control is created, from $ZQK_FIXTURE_FILE
// (none: every operation returns 0 or "" and events carry no data). A file
// that cannot be used makes every agent operation fail with the reason until
// a fixture is loaded.

#include <cstdint>
#include <string_view>

namespace zqk::fixture {

// The fixture agent's own class ID, which its DllRegisterServer records. Its
// creation function also accepts the agent's class ID (kAgentClassId), so
// that a private component registry can put the fixture in the sandbox
// agent's place.
inline constexpr std::string_view kFixtureClassId = "{9D3A6E21-4C7B-4F08-8E5D-2B6F1A0C9E43}";

inline constexpr int32_t kFixtureFireEvent = 1000;
inline constexpr int32_t kFixtureLoadFile = 1001;
inline constexpr int32_t kFixtureLoadJson = 1002;
inline constexpr int32_t kFixtureTakeCalls = 1003;

inline constexpr const char* kFixtureFileEnv = "ZQK_FIXTURE_FILE";
inline constexpr const char* kFixtureLogEnv = "ZQK_FIXTURE_LOG";

}  // namespace zqk::fixture
