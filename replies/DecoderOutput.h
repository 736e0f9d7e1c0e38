#pragma once
// Where the decoders of replies and real-time records put what they find: log
// lines, the four quote-display edits, the questions they ask the user, and
// the re-run of a paged query. The dialog implements it; a decoder test can
// record it.

#include <string>
#include <string_view>

#include "dialog/ControlId.h"

namespace zqk {

class DecoderOutput {
 public:
  virtual ~DecoderOutput() = default;
  // One timestamped line of the event log (CP949).
  virtual void Log(std::string_view line) = 0;
  // Replaces the text of a quote-display edit (1027 to 1030).
  virtual void SetDisplay(ControlId edit, std::string_view text) = 0;
  // A modal Yes/No box owned by the dialog, with no icon; true on Yes.
  virtual bool AskYesNo(std::string_view text, std::string_view caption) = 0;
  // The program's standard modal OK box (its caption is the program's title).
  virtual void ShowMessage(std::string_view text) = 0;
  // Stores the continuation key as the next query's and runs the query
  // command again, which sends what the query edits hold now.
  virtual void ContinueQuery(std::string nextKey) = 0;
  // The display language of the moment: true when the KOR radio is checked.
  virtual bool IsKorean() const = 0;
};

}  // namespace zqk
