// A drop's received text through AcceptDrop, and every path in it through
// the path checks, on arbitrary bytes. Each check is held against a walk of
// the text written here from the characters up, not against the code's own
// helpers.
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_input.h"
#include "list/drop_loading.h"
#include "list/rename_list.h"
#include "list/working_folder.h"
#include "rename/path_checks.h"
#include "rules/rules.h"
#include "text/text.h"

namespace {

// The rule values a refresh reads, given once.
class FixedRules final : public RuleSource {
 public:
  explicit FixedRules(RuleReading reading) : m_reading(std::move(reading)) {}
  RuleReading ReadRuleSettings() const override { return m_reading; }

 private:
  RuleReading m_reading;
};

// The text cut into characters: a byte of 0x80 or above takes the next byte
// with it, except at the very end. Each entry is the character's first index.
std::vector<std::size_t> CharacterStarts(const AnsiText& text) {
  std::vector<std::size_t> starts;
  for (std::size_t at = 0; at < text.size();) {
    starts.push_back(at);
    at += static_cast<unsigned char>(text[at]) >= 0x80 && at + 1 < text.size() ? 2 : 1;
  }
  return starts;
}

// True when the one-byte character `byte` starts at `at` in the walk.
bool IsOneByteCharacterAt(const AnsiText& text, const std::vector<std::size_t>& starts, std::size_t index,
                          char byte) {
  const std::size_t at = starts[index];
  const std::size_t end = index + 1 < starts.size() ? starts[index + 1] : text.size();
  return end - at == 1 && text[at] == byte;
}

bool IsOneByteSeparatorAt(const AnsiText& text, const std::vector<std::size_t>& starts, std::size_t index) {
  return IsOneByteCharacterAt(text, starts, index, '\\') || IsOneByteCharacterAt(text, starts, index, '/');
}

bool BeginsWithAsciiLetter(const AnsiText& path) {
  if (path.empty()) return false;
  const char first = path[0];
  return (first >= 'A' && first <= 'Z') || (first >= 'a' && first <= 'z');
}

// ":" followed by "\" or "/", both whole characters.
bool HoldsColonSeparator(const AnsiText& path) {
  const std::vector<std::size_t> starts = CharacterStarts(path);
  for (std::size_t k = 0; k + 1 < starts.size(); ++k) {
    if (IsOneByteCharacterAt(path, starts, k, ':') && IsOneByteSeparatorAt(path, starts, k + 1)) return true;
  }
  return false;
}

bool HoldsForbiddenCharacter(const AnsiText& name) {
  const std::vector<std::size_t> starts = CharacterStarts(name);
  for (std::size_t k = 0; k < starts.size(); ++k) {
    for (const char forbidden : AnsiText("?/\\<>*|:\"")) {
      if (IsOneByteCharacterAt(name, starts, k, forbidden)) return true;
    }
  }
  return false;
}

// Runs of "\" and of "/" cut to one character each, walking by character.
AnsiText CollapsedSeparators(const AnsiText& path) {
  const std::vector<std::size_t> starts = CharacterStarts(path);
  AnsiText collapsed;
  for (std::size_t k = 0; k < starts.size(); ++k) {
    const std::size_t end = k + 1 < starts.size() ? starts[k + 1] : path.size();
    const bool doubled = k > 0 && IsOneByteSeparatorAt(path, starts, k) &&
                         IsOneByteSeparatorAt(path, starts, k - 1) && path[starts[k]] == path[starts[k - 1]];
    if (!doubled) collapsed.append(path, starts[k], end - starts[k]);
  }
  return collapsed;
}

void CheckPath(const AnsiText& path) {
  // A drive path: a letter first, and a colon before a separator somewhere.
  const bool drive = BeginsWithAsciiLetter(path) && HoldsColonSeparator(path);
  FUZZ_CHECK(IsDrivePath(path) == drive);
  FUZZ_CHECK(IsDrivePath(CollapsedSeparators(path)) == drive);

  // The final component: a suffix that begins at a character, after a
  // separator or colon, and holds no separator or colon that anything but
  // separators follows.
  const AnsiText name = FileNamePart(path, true);
  FUZZ_CHECK(name.size() <= path.size());
  FUZZ_CHECK(path.compare(path.size() - name.size(), name.size(), name) == 0);
  const std::vector<std::size_t> starts = CharacterStarts(path);
  std::size_t first = starts.size();
  for (std::size_t k = 0; k < starts.size(); ++k) {
    if (starts[k] == path.size() - name.size()) first = k;
  }
  if (!name.empty()) {
    FUZZ_CHECK(first < starts.size());
    if (first > 0) {
      FUZZ_CHECK(IsOneByteSeparatorAt(path, starts, first - 1) ||
                 IsOneByteCharacterAt(path, starts, first - 1, ':'));
    }
    bool onlySeparatorsFollow = true;
    for (std::size_t k = starts.size(); k-- > first;) {
      const bool separator = IsOneByteSeparatorAt(path, starts, k);
      if (!onlySeparatorsFollow) FUZZ_CHECK(!separator && !IsOneByteCharacterAt(path, starts, k, ':'));
      onlySeparatorsFollow = onlySeparatorsFollow && separator;
    }
    // A component ending in "\" is given as no name at all.
    FUZZ_CHECK(!IsOneByteCharacterAt(path, starts, starts.size() - 1, '\\'));
  }

  FUZZ_CHECK(HasForbiddenChar(name) == HoldsForbiddenCharacter(name));
  FUZZ_CHECK(HasForbiddenChar(path) == HoldsForbiddenCharacter(path));
  FUZZ_CHECK(IsValidTargetPath(path) == (drive && !name.empty() && !HoldsForbiddenCharacter(name)));

  // The rename run splits names into a folder and a last component.
  FUZZ_CHECK(FolderPart(path) + LastComponent(path) == path);
}

// True when the walk ends on a whole character and meets no line break: such
// a path comes back from a received text as it went in.
bool SurvivesTheReceivedText(const AnsiText& path) {
  const std::vector<std::size_t> starts = CharacterStarts(path);
  if (!starts.empty() && static_cast<unsigned char>(path[starts.back()]) >= 0x80 &&
      starts.back() + 1 == path.size())
    return false;
  for (std::size_t k = 0; k + 1 < starts.size(); ++k) {
    if (IsOneByteCharacterAt(path, starts, k, '\r') && IsOneByteCharacterAt(path, starts, k + 1, '\n'))
      return false;
  }
  return true;
}

void CheckDrop(const AnsiText& receivedText, const RuleReading& reading) {
  const FixedRules rules(reading);
  const AnsiText before = "Q:\\before\\";
  SetWorkingFolder(before);
  RenameList list;
  list.SetCell(list.AppendRow(), kResultColumn, "OK");

  const std::vector<AnsiText> paths = SplitText(receivedText, "\r\n");
  const bool taken = AcceptDrop(receivedText, list, rules);
  FUZZ_CHECK(taken == !paths.empty());
  if (!taken) {
    FUZZ_CHECK(WorkingFolder() == before);
    FUZZ_CHECK(list.RowCount() == 1 && list.GetCell(0, kResultColumn) == "OK");
    return;
  }

  // The working folder is the first path up to its last "\", or empty.
  const AnsiText& first = paths.front();
  const AnsiText& folder = WorkingFolder();
  FUZZ_CHECK(folder.size() <= first.size() && first.compare(0, folder.size(), folder) == 0);
  if (!folder.empty()) {
    const std::vector<std::size_t> starts = CharacterStarts(first);
    std::size_t lastSeparator = first.size();
    for (std::size_t k = 0; k < starts.size(); ++k) {
      if (IsOneByteCharacterAt(first, starts, k, '\\')) lastSeparator = starts[k];
    }
    FUZZ_CHECK(lastSeparator + 1 == folder.size());
  }

  FUZZ_CHECK(list.RowCount() == static_cast<int32_t>(paths.size()));
  for (int32_t row = 0; row < list.RowCount(); ++row) {
    const AnsiText& path = paths[static_cast<std::size_t>(row)];
    const AnsiText oldName = list.GetCell(row, kOldNameColumn);
    // The old name is what follows the working folder in the path.
    FUZZ_CHECK(oldName.size() <= path.size());
    if (!oldName.empty()) {
      FUZZ_CHECK(path.size() >= folder.size() + oldName.size());
      FUZZ_CHECK(path.compare(path.size() - oldName.size() - folder.size(), folder.size(), folder) == 0);
      FUZZ_CHECK(path.compare(path.size() - oldName.size(), oldName.size(), oldName) == 0);
    }
    if (row == 0 && !folder.empty()) FUZZ_CHECK(oldName == first.substr(folder.size()));
    FUZZ_CHECK(list.GetCell(row, kPreviewColumn) ==
               ComputePreview(oldName, row, reading.mode, reading.settings));
    FUZZ_CHECK(list.GetCell(row, kResultColumn).empty());
  }
}

// Paths made into a received text come back as the same rows.
void CheckReceivedTextRoundTrip(const std::vector<AnsiText>& paths) {
  for (const AnsiText& path : paths) {
    if (!SurvivesTheReceivedText(path)) return;
  }
  if (paths.size() == 1 && paths.front().empty()) return;
  const FixedRules rules(RuleReading{});
  RenameList list;
  FUZZ_CHECK(AcceptDrop(ReceivedText(paths), list, rules) == !paths.empty());
  if (paths.empty()) return;
  FUZZ_CHECK(list.RowCount() == static_cast<int32_t>(paths.size()));
  const AnsiText& folder = WorkingFolder();
  for (int32_t row = 0; row < list.RowCount(); ++row) {
    const AnsiText& path = paths[static_cast<std::size_t>(row)];
    // Every path of the first path's folder keeps its name there.
    if (!folder.empty() && path.compare(0, folder.size(), folder) == 0 &&
        path.find(folder, 1) == AnsiText::npos) {
      FUZZ_CHECK(list.GetCell(row, kOldNameColumn) == path.substr(folder.size()));
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  RuleReading reading;
  reading.mode = static_cast<RenameMode>(input.Integer() % 5);
  reading.settings.startNumber = input.Integer();
  reading.settings.digitCount = input.Integer();
  reading.settings.extraText = input.Text();
  reading.settings.soughtText = input.Text();
  reading.settings.replacementText = input.Text();
  reading.settings.deleteText = input.Text();
  reading.settings.deleteByCharacter = input.Flag();
  reading.settings.deleteLeft = input.Flag();
  reading.settings.insertPosition = input.Integer();
  reading.settings.insertText = reading.settings.extraText;
  const AnsiText receivedText = input.Rest();

  CheckDrop(receivedText, reading);
  const std::vector<AnsiText> paths = SplitText(receivedText, "\r\n");
  for (const AnsiText& path : paths) CheckPath(path);
  CheckPath(receivedText);
  CheckReceivedTextRoundTrip(paths);
  SetWorkingFolder(AnsiText());
  return 0;
}
