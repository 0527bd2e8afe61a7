#pragma once

#include <windows.h>

#include <cstdint>
#include <span>

#include "ui/control_ids.h"

// The kinds of control on the main window. Each kind has one class and one
// set of styles; the controls of a kind differ only in place, text and start
// value.
enum class ControlKind {
  PushButton,
  TabControl,
  ListView,
  Label,
  Edit,
  DigitsEdit,  // an edit box whose typed characters are filtered to 0-9 and "-"
  SpinArrows,
  CheckBox,
  DropDownList,
};

// Where a control sits: on the window's client area, or on one of the four
// pages of 选择夹1, relative to the tab control's top-left corner.
inline constexpr int32_t kOnWindow = -1;

// One control as the window creates it. Texts are in code page 936.
struct ControlLayout {
  ControlId id;
  ControlKind kind;
  int32_t page;  // kOnWindow or the 0-based page index
  int32_t left, top, width, height;
  const char* text = nullptr;  // caption or initial text
  const char* items[2] = {};   // the items of a drop-down list
  int32_t startValue = 0;      // the tick of a check box, the selected item of a drop-down list
};

// The class and styles shared by every control of a kind.
struct KindStyle {
  const char* className;
  DWORD style;
  DWORD extendedStyle;
};

// Every control of the main window, parents before their children.
std::span<const ControlLayout> MainWindowLayout();

const ControlLayout& LayoutOf(ControlId id);
const KindStyle& StyleOf(ControlKind kind);

// The tab captions of 选择夹1, left to right.
std::span<const char* const> TabCaptions();

// One column of the rename list.
struct ColumnLayout {
  const char* title;
  int32_t width;
};
std::span<const ColumnLayout> ListColumns();

// The main window's caption and outer size.
inline constexpr char kMainWindowCaption[] = "Quillmere";
inline constexpr int32_t kMainWindowWidth = 607;
inline constexpr int32_t kMainWindowHeight = 511;

// A drop-down list is created at least this tall, its opened list included.
inline constexpr int32_t kDropDownListHeight = 160;
