#pragma once

#include <cstdint>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "text/ansi_text.h"

// Names like those of a real folder: ASCII and Chinese (code page 936) stems,
// numbers, blanks and dots, 8 to 40 bytes, most with an extension. The same
// seed gives the same names, so runs compare.
inline std::vector<AnsiText> SampleNames(int32_t count, uint32_t seed = 20261211) {
  static const char* const kStems[] = {
      "photo", "IMG_", "report", "Scan ", "invoice-", "holiday",
      "\xCE\xC4\xBC\xFE",                          // 文件
      "\xD5\xD5\xC6\xAC",                          // 照片
      "\xB1\xA8\xB8\xE6",                          // 报告
      "\xD0\xC2\xBD\xA8\xCE\xC4\xBC\xFE\xBC\xD0",  // 新建文件夹
  };
  static const char* const kExtensions[] = {".jpg", ".JPG", ".txt", ".docx", ".tar.gz", ".mp3", ""};
  std::mt19937 random(seed);
  std::vector<AnsiText> names;
  names.reserve(static_cast<std::size_t>(count));
  for (int32_t i = 0; i < count; ++i) {
    const AnsiText extension = kExtensions[random() % std::size(kExtensions)];
    const std::size_t length = 8 + random() % 33;
    AnsiText name;
    while (name.size() + extension.size() < length) {
      AnsiText piece = kStems[random() % std::size(kStems)];
      if (random() % 3 == 0) piece += std::to_string(random() % 1000);
      if (name.size() + piece.size() + extension.size() > 40) break;
      name += piece;
    }
    while (name.size() + extension.size() < 8) name += '_';
    names.push_back(name + extension);
  }
  return names;
}
