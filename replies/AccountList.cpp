#include "replies/AccountList.h"

#include <algorithm>
#include <string>

#include "text/DecimalText.h"

namespace zqk::reply {
namespace {

constexpr size_t kCountWidth = 5;
constexpr size_t kAccountWidth = 11;
constexpr size_t kNameWidth = 30;
constexpr size_t kCodeWidth = 1;
constexpr size_t kRecordWidth = kAccountWidth + kNameWidth + kCodeWidth;

// Up to `width` bytes of `data` from `offset`; empty past its end.
std::string_view Cut(std::string_view data, size_t offset, size_t width) {
  return offset < data.size() ? data.substr(offset, width) : std::string_view();
}

}  // namespace

AccountListData ReadAccountList(std::string_view data) {
  AccountListData list;
  list.announced = LeadingInt32(data.substr(0, kCountWidth));
  // The loop ends with the data, whatever the count field claims.
  for (size_t k = 0; k < static_cast<size_t>(std::max(list.announced, 0)); ++k) {
    const size_t at = kCountWidth + k * kRecordWidth;
    if (at >= data.size()) break;
    list.records.push_back({Cut(data, at, kAccountWidth), Cut(data, at + kAccountWidth, kNameWidth),
                            Cut(data, at + kAccountWidth + kNameWidth, kCodeWidth)});
    if (data.size() - at < kRecordWidth) {
      list.lastCutOff = true;
      break;
    }
  }
  return list;
}

void AccountListBlock::Decode(const Reply& r) const {
  r.out.Log("계좌정보 수신완료!!!");
  const std::string data = r.agent.GetLastData();
  const AccountListData list = ReadAccountList(data);
  for (const AccountListRecord& a : list.records) {
    r.out.Log(Join({"[", a.account, "][", a.name, "][", a.code, "]"}));
  }
  const size_t complete = list.records.size() - (list.lastCutOff ? 1 : 0);
  if (list.announced <= 0 || complete == static_cast<size_t>(list.announced)) return;
  const std::string announced = std::to_string(list.announced);
  const std::string bytes = std::to_string(data.size());
  const std::string whole = std::to_string(complete);
  if (r.out.IsKorean()) {
    r.out.Log(
        Join({"계좌정보 건수[", announced, "] 중 자료[", bytes, "바이트]에 온전한 것은 [", whole,
              "]건입니다", list.lastCutOff ? ", 잘린 마지막 건은 온 그대로 표시했습니다" : ""}));
  } else {
    r.out.Log(
        Join({"Account list: [", whole, "] of [", announced, "] records complete in its [", bytes,
              "] bytes", list.lastCutOff ? "; the cut-off last one is shown as it came" : ""}));
  }
}

}  // namespace zqk::reply
