#pragma once
// Where the decoders of replies and real-time records put what they find: log
// lines, the four quote-display edits, the questions they ask the user, and
// the re-run of a paged query. The dialog implements it; a decoder test can
// record it.

#include <string>
#include <string_view>

namespace zqk {

// The four quote-display edits, left to right: product, time, price, volume.
enum class QuoteDisplay { kProduct, kTime, kPrice, kVolume };

class DecoderOutput {
 public:
  virtual ~DecoderOutput() = default;
  // One timestamped line of the event log (CP949).
  virtual void Log(std::string_view line) = 0;
  // Replaces the text of a quote-display edit.
  virtual void SetDisplay(QuoteDisplay edit, std::string_view text) = 0;
  // A modal Yes/No box owned by the dialog, with no icon; true on Yes.
  virtual bool AskYesNo(std::string_view text, std::string_view caption) = 0;
  // The program's standard modal OK box (its caption is the program's title).
  virtual void ShowMessage(std::string_view text) = 0;
  // Asks the dialog to continue the query with `nextKey`: it sends what the
  // query edits hold now, with that key.
  virtual void ContinueQuery(std::string nextKey) = 0;
  // The display language of the moment: true when the KOR radio is checked.
  virtual bool IsKorean() const = 0;
};

}  // namespace zqk
