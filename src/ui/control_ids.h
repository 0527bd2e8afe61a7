#pragma once

// The identifiers of the main window's controls, one per control, in the
// order the window creates them. They start above IDOK and IDCANCEL so that
// the dialog keys the message loop handles never look like a control's event.
enum class ControlId : int {
  按钮1 = 1001,  // Open
  按钮2,         // Execute
  选择夹1,       // the tab control holding the four rule pages
  超级列表框1,   // the rename list
  // Page 0, "序号"
  透明标签1,
  编辑框_开始于,
  调节器1,
  透明标签2,
  编辑框_位数,
  调节器2,
  透明标签3,
  编辑框_附加内容,
  选择框_原名称,
  选择框_附加左右,
  // Page 1, "替换"
  透明标签4,
  编辑框_欲替换,
  透明标签5,
  编辑框_替换成,
  // Page 2, "删除"
  透明标签6,
  组合框_字符位置,
  编辑框_删除,
  组合框_左右位置,
  // Page 3, "插入"
  透明标签7,
  编辑框_插入位,
  调节器3,
  透明标签8,
  编辑框_插入字符,
};

inline constexpr int kFirstControlId = static_cast<int>(ControlId::按钮1);
inline constexpr int kControlCount = static_cast<int>(ControlId::编辑框_插入字符) - kFirstControlId + 1;
