// ComputePreview under every rule with hostile settings: huge and negative
// numbers, lone lead bytes, long texts. Nothing may crash, and no preview may
// grow beyond what its rule can build from its inputs.
#include <cstdint>

#include "fuzz_input.h"
#include "rules/rules.h"
#include "text/text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  const auto mode = static_cast<RenameMode>(input.Integer() % 5);
  const int32_t rowIndex = input.Integer();
  RuleSettings settings;
  settings.startNumber = input.Integer();
  settings.digitCount = input.Integer();
  settings.extraText = input.Text();
  settings.keepOldName = input.Flag();
  settings.extraBeforeNumber = input.Flag();
  settings.soughtText = input.Text();
  settings.replacementText = input.Text();
  settings.deleteText = input.Text();
  settings.deleteByCharacter = input.Flag();
  settings.deleteLeft = input.Flag();
  settings.insertPosition = input.Integer();
  settings.insertText = input.Text();
  const AnsiText oldName = input.Rest();

  const AnsiText preview = ComputePreview(oldName, rowIndex, mode, settings);
  const std::size_t longestNumber = 11;  // "-2147483648"
  switch (mode) {
    case RenameMode::Sequence:
      FUZZ_CHECK(preview.size() <= oldName.size() + settings.extraText.size() + kLongestRepeat + longestNumber + 1);
      break;
    case RenameMode::Replace:
      FUZZ_CHECK(preview.size() <= oldName.size() * (settings.replacementText.size() + 1));
      break;
    case RenameMode::Delete:
      FUZZ_CHECK(preview.size() <= oldName.size());
      FUZZ_CHECK(oldName.find(preview) != AnsiText::npos);
      break;
    case RenameMode::Insert:
      FUZZ_CHECK(preview.size() <= oldName.size() + settings.insertText.size());
      break;
    default:
      break;
  }
  return 0;
}
