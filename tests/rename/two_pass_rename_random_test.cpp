#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>

#include "rename/memory_file_system.h"
#include "rename/path_checks.h"
#include "rename/two_pass_rename.h"
#include "rename_scenario.h"
#include "test_folder.h"

namespace {

using ::testing::IsEmpty;

// Names chosen so that runs meet each other: ASCII case variants, foreign
// temporary names, a name the platform stores without its final dot,
// characters whose second byte is "\", folders with entries of their own.
const char* const kFileNames[] = {"a",        "b", "c",        "A.txt",        "x.txt",       "AA-a", "AA-b",
                                  "aa-x.txt", "d", "\x81\x5C", "\x95\x5C.txt", "AA-\x81\x5C", "e."};
const char* const kFolderNames[] = {"sub", "AA-sub", "\x95\x5C"};
const char* const kInnerNames[] = {"a", "b", "AA-a", "y"};
const char* const kOddNewNames[] = {"", ".", "..", "CON", "q?", "x.", "sub\\", "nowhere\\a", "B", "SUB"};

struct Scenario {
  NamePairs entries;
  NamePairs rows;
  FolderForm form = FolderForm::Plain;
  bool runTwice = false;
};

template <typename Array>
AnsiText PickFrom(std::mt19937& random, const Array& names) {
  return names[random() % std::size(names)];
}

bool Chance(std::mt19937& random, int percent) { return static_cast<int>(random() % 100) < percent; }

AnsiText FlipCase(AnsiText name) {
  for (std::size_t i = 0; i < name.size(); ++i) {
    if (static_cast<unsigned char>(name[i]) >= 0x80) {
      ++i;
    } else if (name[i] >= 'a' && name[i] <= 'z') {
      name[i] = static_cast<char>(name[i] - 32);
    } else if (name[i] >= 'A' && name[i] <= 'Z') {
      name[i] = static_cast<char>(name[i] + 32);
    }
  }
  return name;
}

Scenario MakeScenario(std::mt19937& random) {
  Scenario scenario;
  int contents = 0;
  std::set<AnsiText> taken;  // by identity, as the platform would refuse a second one
  std::vector<AnsiText> names;
  auto add = [&](const AnsiText& name, const AnsiText& value) {
    if (!taken.insert(PathIdentity(name)).second) return false;
    scenario.entries.emplace_back(name, value);
    if (LastComponent(name) != "id") names.push_back(StoredPath(name));
    return true;
  };
  for (const char* name : kFileNames) {
    if (Chance(random, 50)) add(name, std::to_string(++contents));
  }
  for (const char* folder : kFolderNames) {
    if (!Chance(random, 40) || !add(folder, kFolderMark)) continue;
    add(AnsiText(folder) + "\\id", std::to_string(++contents));
    for (const char* inner : kInnerNames) {
      if (Chance(random, 50)) add(AnsiText(folder) + "\\" + inner, std::to_string(++contents));
    }
  }

  const int rowCount = static_cast<int>(random() % 8);
  std::vector<AnsiText> oldNames;
  for (int r = 0; r < rowCount; ++r) {
    AnsiText oldName =
        !names.empty() && Chance(random, 75) ? names[random() % names.size()] : PickFrom(random, kFileNames);
    if (Chance(random, 15)) oldName = FlipCase(oldName);
    oldNames.push_back(oldName);
  }
  for (const AnsiText& oldName : oldNames) {
    AnsiText newName;
    const int roll = static_cast<int>(random() % 100);
    if (roll < 35) {
      newName = oldNames[random() % oldNames.size()];
    } else if (roll < 45) {
      newName = oldName;
    } else if (roll < 55) {
      newName = PickFrom(random, kOddNewNames);
    } else {
      newName = FolderPart(oldName) + PickFrom(random, kFileNames);
    }
    scenario.rows.emplace_back(oldName, newName);
  }
  const int form = static_cast<int>(random() % 100);
  scenario.form = form < 85   ? FolderForm::Plain
                  : form < 95 ? FolderForm::EndingInSeparator
                              : FolderForm::Empty;
  scenario.runTwice = Chance(random, 30);
  return scenario;
}

std::string Describe(const Scenario& scenario) {
  std::string text = "entries:";
  for (const auto& [name, contents] : scenario.entries) text += " " + name + "=" + contents;
  text += "\nrows:";
  for (const auto& [oldName, newName] : scenario.rows) text += " [" + oldName + " -> " + newName + "]";
  text +=
      "\nform " + std::to_string(static_cast<int>(scenario.form)) + (scenario.runTwice ? ", run twice" : "");
  return text;
}

class RandomRuns : public ::testing::TestWithParam<FolderKind> {};

// Without a failing disk no entry may even be left under a temporary name.
TEST_P(RandomRuns, KeepThePromise) {
  const int scenarios = GetParam().name == "Memory" ? 3000 : 300;
  std::mt19937 random(20261211);
  for (int s = 0; s < scenarios; ++s) {
    const Scenario scenario = MakeScenario(random);
    SCOPED_TRACE("scenario " + std::to_string(s) + "\n" + Describe(scenario));
    const std::unique_ptr<TestFolder> folder = GetParam().make();
    Fill(*folder, scenario.entries);
    RenameList list = ListOf(scenario.rows);
    const AnsiText workingFolder = WorkingFolderFor(*folder, scenario.form);
    ASSERT_THAT(RunAndCheck(*folder, list, workingFolder, nullptr, false).broken, IsEmpty());
    if (scenario.runTwice) {
      ASSERT_THAT(RunAndCheck(*folder, list, workingFolder, nullptr, false).broken, IsEmpty());
    }
  }
}

INSTANTIATE_TEST_SUITE_P(, RandomRuns, ::testing::ValuesIn(FolderKinds()),
                         [](const auto& info) { return info.param.name; });

// The disk may refuse any call of a run: each scenario is run once to count
// its calls, then again with each call in turn failing, once or from then on.
TEST(RandomRunsOnAFailingDisk, KeepThePromiseWhicheverCallFails) {
  std::mt19937 random(7);
  for (int s = 0; s < 1000; ++s) {
    const Scenario scenario = MakeScenario(random);
    SCOPED_TRACE("scenario " + std::to_string(s) + "\n" + Describe(scenario));
    int64_t calls = 0;
    {
      MemoryTestFolder folder;
      Fill(folder, scenario.entries);
      RenameList list = ListOf(scenario.rows);
      RunRename(list, WorkingFolderFor(folder, scenario.form), folder.Files());
      calls = folder.Memory().CallCount();
    }
    for (int64_t failing = 1; failing <= calls; ++failing) {
      for (const auto fault : {MemoryFileSystem::Fault::Once, MemoryFileSystem::Fault::FromThenOn}) {
        SCOPED_TRACE("call " + std::to_string(failing) +
                     (fault == MemoryFileSystem::Fault::Once ? " fails once" : " fails on"));
        MemoryTestFolder folder;
        Fill(folder, scenario.entries);
        folder.Memory().FailCall(failing, fault);
        RenameList list = ListOf(scenario.rows);
        ASSERT_THAT(RunAndCheck(folder, list, WorkingFolderFor(folder, scenario.form)).broken, IsEmpty());
      }
    }
  }
}

}  // namespace
