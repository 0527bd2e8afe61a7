#include "rename/memory_file_system.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "rename/path_checks.h"
#include "text/text.h"

namespace {

// The folder holding an identity or stored path: the text before its last
// "\" (normalised paths use no other separator, and a second byte of 0x5C is
// never last in a normalised component, which ends at a separator).
AnsiText ParentOf(const AnsiText& normalised) {
  const int32_t separator = FindLastSeparator(normalised);
  return separator <= 1 ? AnsiText() : normalised.substr(0, static_cast<std::size_t>(separator - 1));
}

bool IsDeviceName(const AnsiText& name) {
  AnsiText base = PathIdentity(name.substr(0, name.find('.')));
  while (!base.empty() && base.back() == ' ') base.pop_back();
  if (base == "con" || base == "prn" || base == "aux" || base == "nul") return true;
  const bool numbered =
      base.size() == 4 && (base.compare(0, 3, "com") == 0 || base.compare(0, 3, "lpt") == 0);
  return numbered && base[3] >= '1' && base[3] <= '9';
}

// A name Windows accepts for an entry: not empty, no control character, none
// of the reserved characters, not a device.
bool IsAcceptedName(const AnsiText& name) {
  if (name.empty() || IsDeviceName(name)) return false;
  for (std::size_t index = 0; index < name.size(); ++index) {
    const auto byte = static_cast<unsigned char>(name[index]);
    if (byte >= 0x80) {
      ++index;
    } else if (byte < 32 || std::strchr("<>:\"|?*", byte) != nullptr) {
      return false;
    }
  }
  return true;
}

}  // namespace

void MemoryFileSystem::AddFolder(const AnsiText& path) {
  const AnsiText stored = StoredPath(path);
  const AnsiText identity = PathIdentity(path);
  if (identity.empty() || m_entries.count(identity) != 0) return;
  const AnsiText parent = ParentOf(stored);
  if (!parent.empty()) AddFolder(parent);
  m_entries[identity] = Entry{stored, true, AnsiText()};
}

bool MemoryFileSystem::AddFile(const AnsiText& path, AnsiText contents) {
  const AnsiText stored = StoredPath(path);
  const AnsiText identity = PathIdentity(path);
  if (!IsFolder(ParentOf(identity)) || m_entries.count(identity) != 0) return false;
  if (!IsAcceptedName(LastComponent(stored))) return false;
  m_entries[identity] = Entry{stored, false, std::move(contents)};
  return true;
}

bool MemoryFileSystem::MoveEntry(const AnsiText& from, const AnsiText& to) {
  ++m_callCount;
  const bool injected = m_failingCall > 0 && (m_callCount == m_failingCall ||
                                              (m_fault == Fault::FromThenOn && m_callCount > m_failingCall));
  const bool succeeded = !injected && Move(from, to);
  if (m_recordCalls) m_calls.push_back(Call{from, to, succeeded});
  return succeeded;
}

bool MemoryFileSystem::Move(const AnsiText& from, const AnsiText& to) {
  // A target that ends in a separator names no entry.
  if (to.empty() || FindLastSeparator(to) == TextLength(to)) return false;
  const AnsiText fromIdentity = PathIdentity(from);
  const AnsiText toIdentity = PathIdentity(to);

  const auto source = m_entries.find(fromIdentity);
  if (source == m_entries.end() || ParentOf(fromIdentity).empty()) return false;
  const auto toFolder = m_entries.find(ParentOf(toIdentity));
  if (toFolder == m_entries.end() || !toFolder->second.isFolder) return false;
  // The folders on the way keep the case they were made with; only the last
  // name is the one asked for.
  const AnsiText toStored = toFolder->second.path + "\\" + LastComponent(StoredPath(to));
  if (!IsAcceptedName(LastComponent(toStored))) return false;
  const bool sameEntry = toIdentity == fromIdentity;
  if (!sameEntry && m_entries.count(toIdentity) != 0) return false;
  // A folder cannot go inside itself.
  if (toIdentity.compare(0, fromIdentity.size() + 1, fromIdentity + "\\") == 0) return false;

  const AnsiText fromStored = source->second.path;
  std::vector<AnsiText> moving{fromIdentity};
  if (source->second.isFolder) {
    const AnsiText inside = fromIdentity + "\\";
    for (const auto& [identity, entry] : m_entries) {
      if (identity.compare(0, inside.size(), inside) == 0) moving.push_back(identity);
    }
  }
  std::vector<std::pair<AnsiText, Entry>> moved;
  moved.reserve(moving.size());
  for (const AnsiText& identity : moving) {
    auto node = m_entries.extract(identity);
    Entry entry = std::move(node.mapped());
    entry.path = toStored + entry.path.substr(fromStored.size());
    moved.emplace_back(toIdentity + identity.substr(fromIdentity.size()), std::move(entry));
  }
  for (auto& [identity, entry] : moved) m_entries[identity] = std::move(entry);
  return true;
}

void MemoryFileSystem::FailCall(int64_t callNumber, Fault fault) {
  m_failingCall = callNumber;
  m_fault = fault;
}

std::vector<MemoryFileSystem::Entry> MemoryFileSystem::Entries() const {
  std::vector<Entry> entries;
  entries.reserve(m_entries.size());
  for (const auto& [identity, entry] : m_entries) entries.push_back(entry);
  std::sort(entries.begin(), entries.end(),
            [](const Entry& left, const Entry& right) { return left.path < right.path; });
  return entries;
}

const MemoryFileSystem::Entry* MemoryFileSystem::Find(const AnsiText& path) const {
  const auto found = m_entries.find(PathIdentity(path));
  return found == m_entries.end() ? nullptr : &found->second;
}

bool MemoryFileSystem::IsFolder(const AnsiText& identity) const {
  const auto found = m_entries.find(identity);
  return found != m_entries.end() && found->second.isFolder;
}
