#include "rename/path_checks.h"

#include <algorithm>
#include <cstddef>
#include <vector>

#include "text/text.h"

namespace {

// A byte of 0x80 or above starts a two-byte character, whatever the code
// page's table says; a lead byte at the very end stands alone.
std::size_t CharacterLength(const AnsiText& text, std::size_t index) {
  const auto byte = static_cast<unsigned char>(text[index]);
  return byte >= 0x80 && index + 1 < text.size() ? 2 : 1;
}

bool IsSeparator(char byte) { return byte == '\\' || byte == '/'; }

bool BeginsWithDriveLetter(const AnsiText& path) {
  const int32_t code = CharCode(ToUpper(TextLeft(path, 1)), 1);
  return code >= 65 && code <= 90;
}

bool HoldsDriveColon(const AnsiText& path) {
  return FindText(path, ":\\") != -1 || FindText(path, ":/") != -1;
}

// Halves every run of `pair`'s character until none is left doubled.
AnsiText CollapseRuns(AnsiText path, const AnsiText& pair, const AnsiText& single) {
  while (FindText(path, pair) > 0) path = ReplaceText(path, pair, single, std::nullopt, std::nullopt, true);
  return path;
}

// Windows drops every trailing dot and blank of a path's last component, and
// one trailing dot of any other component ("..." and the like stay names).
AnsiText TrimAsStored(AnsiText component, bool isLast) {
  if (isLast) {
    while (!component.empty() && (component.back() == '.' || component.back() == ' ')) component.pop_back();
  } else if (component.size() > 1 && component.back() == '.' &&
             component.find_first_not_of('.') != AnsiText::npos) {
    component.pop_back();
  }
  return component;
}

AnsiText FoldCase(const AnsiText& text) {
  AnsiText folded = text;
  for (std::size_t index = 0; index < folded.size(); index += CharacterLength(folded, index)) {
    if (folded[index] >= 'A' && folded[index] <= 'Z') folded[index] = static_cast<char>(folded[index] + 32);
  }
  return folded;
}

AnsiText NormalisePath(const AnsiText& path, bool foldCase) {
  std::size_t leadingSeparators = 0;
  while (leadingSeparators < path.size() && IsSeparator(path[leadingSeparators])) ++leadingSeparators;

  std::vector<AnsiText> components;
  AnsiText current;
  bool endsInSeparator = false;
  auto closeComponent = [&](bool isLast) {
    if (current == "..") {
      if (components.size() > 1) components.pop_back();
    } else if (!current.empty() && current != ".") {
      AnsiText trimmed = TrimAsStored(current, isLast);
      if (!trimmed.empty()) components.push_back(std::move(trimmed));
    }
    current.clear();
  };
  for (std::size_t index = leadingSeparators; index < path.size();) {
    const std::size_t length = CharacterLength(path, index);
    endsInSeparator = length == 1 && IsSeparator(path[index]);
    if (endsInSeparator) {
      closeComponent(false);
    } else {
      current.append(path, index, length);
    }
    index += length;
  }
  closeComponent(!endsInSeparator);

  AnsiText normalised = leadingSeparators >= 2 ? "\\\\" : leadingSeparators == 1 ? "\\" : "";
  for (std::size_t index = 0; index < components.size(); ++index) {
    if (index > 0) normalised += '\\';
    normalised += components[index];
  }
  return foldCase ? FoldCase(normalised) : normalised;
}

}  // namespace

bool IsDrivePath(const AnsiText& path) {
  AnsiText copy = CollapseRuns(path, "\\\\", "\\");
  copy = CollapseRuns(copy, "//", "/");
  return BeginsWithDriveLetter(copy) && HoldsDriveColon(copy);
}

bool IsValidTargetPath(const AnsiText& path) {
  if (!BeginsWithDriveLetter(path) || !HoldsDriveColon(path)) return false;
  const AnsiText name = FileNamePart(path, true);
  return !name.empty() && !HasForbiddenChar(name);
}

AnsiText FileNamePart(const AnsiText& path, bool /*keepExtension*/) {
  const AnsiText component = TextMid(path, FinalComponentPosition(path), TextLength(path));
  // Only a path that ends in a separator leaves a component ending in "\".
  if (!component.empty() && FindTextReverse(component, "\\") == TextLength(component)) return AnsiText();
  return component;
}

bool HasForbiddenChar(const AnsiText& name) {
  return std::any_of(ForbiddenChars.begin(), ForbiddenChars.end(),
                     [&](const char* forbidden) { return FindText(name, forbidden) != -1; });
}

int32_t FinalComponentPosition(const AnsiText& path) {
  std::size_t start = 0;
  for (std::size_t index = 0; index < path.size(); index += CharacterLength(path, index)) {
    const char byte = path[index];
    const bool marksFolder = IsSeparator(byte) || byte == ':';
    if (marksFolder && index + 1 < path.size() && !IsSeparator(path[index + 1])) start = index + 1;
  }
  return static_cast<int32_t>(start) + 1;
}

int32_t FindLastSeparator(const AnsiText& text) {
  return std::max(FindTextReverse(text, "\\"), FindTextReverse(text, "/"));
}

AnsiText FolderPart(const AnsiText& name) {
  const int32_t lastSeparator = FindLastSeparator(name);
  return lastSeparator == -1 ? AnsiText() : TextLeft(name, lastSeparator);
}

AnsiText LastComponent(const AnsiText& name) {
  return TextRight(name, TextLength(name) - TextLength(FolderPart(name)));
}

AnsiText PathIdentity(const AnsiText& path) { return NormalisePath(path, true); }

AnsiText StoredPath(const AnsiText& path) { return NormalisePath(path, false); }
