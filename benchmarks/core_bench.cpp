// The previews of a 100,000-row list under each rule: the refresh the window
// runs at every keystroke, against the bare ComputePreview loop over the same
// names, which is the least a refresh can cost.
#include <benchmark/benchmark.h>

#include "list/rename_list.h"
#include "rules/rules.h"
#include "sample_names.h"

namespace {

constexpr int32_t kRows = 100000;

// The rule values a user typically has on each tab.
RuleReading TypicalRule(RenameMode mode) {
  RuleReading reading;
  reading.mode = mode;
  reading.settings.startNumber = 1;
  reading.settings.digitCount = 4;
  reading.settings.extraText = "_x";
  reading.settings.keepOldName = true;
  reading.settings.extraBeforeNumber = true;
  reading.settings.soughtText = "jpg";
  reading.settings.replacementText = "png";
  reading.settings.deleteText = "_";
  reading.settings.deleteByCharacter = true;
  reading.settings.deleteLeft = true;
  reading.settings.insertPosition = 3;
  reading.settings.insertText = "\xD0\xC2";  // 新
  return reading;
}

class FixedRules : public RuleSource {
 public:
  explicit FixedRules(RuleReading reading) : m_reading(std::move(reading)) {}
  RuleReading ReadRuleSettings() const override { return m_reading; }

 private:
  RuleReading m_reading;
};

void RefreshPreviewOfList(benchmark::State& state) {
  const auto mode = static_cast<RenameMode>(state.range(0));
  RenameList list;
  for (const AnsiText& name : SampleNames(kRows)) list.SetCell(list.AppendRow(), kOldNameColumn, name);
  const FixedRules rules(TypicalRule(mode));
  for (auto _ : state) RefreshPreview(list, rules);
  state.SetLabel("baseline=ComputePreviewLoop/mode:" + std::to_string(state.range(0)));
  state.SetItemsProcessed(state.iterations() * kRows);
}

void ComputePreviewLoop(benchmark::State& state) {
  const auto mode = static_cast<RenameMode>(state.range(0));
  const std::vector<AnsiText> names = SampleNames(kRows);
  const RuleReading rule = TypicalRule(mode);
  for (auto _ : state) {
    for (int32_t row = 0; row < kRows; ++row) {
      benchmark::DoNotOptimize(ComputePreview(names[static_cast<std::size_t>(row)], row, mode, rule.settings));
    }
  }
  state.SetItemsProcessed(state.iterations() * kRows);
}

void NameModes(benchmark::internal::Benchmark* benchmark) {
  benchmark->ArgName("mode")->DenseRange(0, 3)->Unit(benchmark::kMillisecond);
}

BENCHMARK(RefreshPreviewOfList)->Apply(NameModes);
BENCHMARK(ComputePreviewLoop)->Apply(NameModes);

}  // namespace

BENCHMARK_MAIN();
