#pragma once
// The account list reply: its raw data read with the list's fixed layout
// (protocol/), a decimal record count followed by records of an account
// number, a name and a one-byte code.

#include <cstdint>
#include <string_view>
#include <vector>

#include "replies/TrReply.h"

namespace zqk::reply {

struct AccountListRecord {
  std::string_view account;
  std::string_view name;
  std::string_view code;
};

struct AccountListData {
  int32_t announced = 0;  // the count field; no digits read as 0
  // Records 0 up to the announced number less one, as far as the data goes;
  // a last record that the data cuts short holds what there is of it.
  std::vector<AccountListRecord> records;
  bool lastCutOff = false;
};

// Views into `data`.
AccountListData ReadAccountList(std::string_view data);

// "계좌정보 수신완료!!!" and a line "[account][name][code]" per record, fields
// unchanged; a line says so when the data holds fewer records than announced.
struct AccountListBlock {
  void Decode(const Reply& r) const;
};

}  // namespace zqk::reply
