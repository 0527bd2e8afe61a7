#include "list/drop_object_win32.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "list/drop_loading.h"
#include "list/rename_list.h"
#include "list/working_folder.h"
#include "loading_test_support.h"
#include "loading_test_support_win32.h"

namespace {

using Names = std::vector<AnsiText>;

constexpr DWORD kAllEffects = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;

class DropObjectTest : public ::testing::Test {
 protected:
  void SetUp() override { SetWorkingFolder("C:\\before"); }
  void TearDown() override { SetWorkingFolder(""); }

  // Drags the data over the target and releases it, as OLE calls a target.
  // Returns Drop's answer; `effect` is what Drop reported.
  HRESULT DragAndDrop(IDataObject* data, DWORD keys, DWORD allowed, DWORD& effect) {
    IDropTarget* target = dropObject.Target();
    const POINTL point{10, 10};
    effect = allowed;
    EXPECT_EQ(target->DragEnter(data, keys, point, &effect), S_OK);
    effect = allowed;
    EXPECT_EQ(target->DragOver(keys, point, &effect), S_OK);
    effect = allowed;
    return target->Drop(data, keys, point, &effect);
  }

  std::vector<AnsiText> received;
  DropObject dropObject{[this](const AnsiText& text) { received.push_back(text); }};
};

struct ReceivedCase {
  const char* name;
  Names paths;
  AnsiText text;
};

TEST_F(DropObjectTest, DeliversTheDroppedPathsAsOneTextAndAnswersEveryDropWithAFailure) {
  const ReceivedCase cases[] = {
      {"one file", {"C:\\dir\\a.txt"}, "C:\\dir\\a.txt"},
      {"several files", {"C:\\dir\\a.txt", "C:\\dir\\b.txt"}, "C:\\dir\\a.txt\r\nC:\\dir\\b.txt\r\n"},
      {"a folder", {"C:\\dir\\sub"}, "C:\\dir\\sub"},
      {"paths from two folders",
       {"C:\\dir\\x.txt", "D:\\other\\y.txt"},
       "C:\\dir\\x.txt\r\nD:\\other\\y.txt\r\n"},
      {"a nested path", {"C:\\dir\\x", "C:\\dir\\b\\y"}, "C:\\dir\\x\r\nC:\\dir\\b\\y\r\n"},
      {"a drive root", {"D:\\"}, "D:\\"},
      {"letter case differs", {"C:\\Dir\\x", "C:\\dir\\y"}, "C:\\Dir\\x\r\nC:\\dir\\y\r\n"},
      {"Chinese names", {"C:\\\xD6\xD0\\\xCE\xC4.txt"}, "C:\\\xD6\xD0\\\xCE\xC4.txt"},  // C:\中\文.txt
      {"a long path", {"C:\\" + AnsiText(300, 'x')}, "C:\\" + AnsiText(300, 'x')},
      {"an empty file list", {}, ""},
  };
  for (const ReceivedCase& row : cases) {
    SCOPED_TRACE(row.name);
    received.clear();
    TestDataObject* data = TestDataObject::Files(row.paths);
    DWORD effect = 0;
    EXPECT_EQ(DragAndDrop(data, 0, kAllEffects, effect), E_FAIL);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
    EXPECT_EQ(received, Names({row.text}));
    EXPECT_EQ(data->Release(), 0u);
  }
}

struct EffectCase {
  const char* name;
  DWORD keys;
  DWORD allowed;
  DWORD effect;
};

TEST_F(DropObjectTest, ReportsTheEffectOfTheKeysOnEnterOverAndDrop) {
  const EffectCase cases[] = {
      {"no key", 0, kAllEffects, DROPEFFECT_COPY},
      {"no key, move or link allowed", 0, DROPEFFECT_MOVE | DROPEFFECT_LINK, DROPEFFECT_MOVE},
      {"no key, link allowed", 0, DROPEFFECT_LINK, DROPEFFECT_LINK},
      {"no key, nothing allowed", 0, DROPEFFECT_NONE, DROPEFFECT_NONE},
      {"Ctrl", MK_CONTROL, kAllEffects, DROPEFFECT_COPY},
      {"Ctrl, copy not allowed", MK_CONTROL, DROPEFFECT_MOVE, DROPEFFECT_NONE},
      {"Shift", MK_SHIFT, kAllEffects, DROPEFFECT_MOVE},
      {"Shift, move not allowed", MK_SHIFT, DROPEFFECT_COPY, DROPEFFECT_NONE},
      {"Ctrl and Shift", MK_CONTROL | MK_SHIFT, kAllEffects, DROPEFFECT_NONE},
      {"left button and Alt", MK_LBUTTON | MK_ALT, DROPEFFECT_MOVE | DROPEFFECT_LINK, DROPEFFECT_MOVE},
  };
  IDropTarget* target = dropObject.Target();
  const POINTL point{5, 5};
  for (const EffectCase& row : cases) {
    SCOPED_TRACE(row.name);
    received.clear();
    TestDataObject* data = TestDataObject::Files({"C:\\dir\\a.txt"});
    DWORD effect = row.allowed;
    EXPECT_EQ(target->DragEnter(data, row.keys, point, &effect), S_OK);
    EXPECT_EQ(effect, row.effect);
    effect = row.allowed;
    EXPECT_EQ(target->DragOver(row.keys, point, &effect), S_OK);
    EXPECT_EQ(effect, row.effect);
    effect = row.allowed;
    EXPECT_EQ(target->Drop(data, row.keys, point, &effect), E_FAIL);
    EXPECT_EQ(effect, row.effect);
    // A drop without an effect delivers nothing.
    EXPECT_EQ(received.size(), row.effect == DROPEFFECT_NONE ? 0u : 1u);
    data->Release();
  }
}

TEST_F(DropObjectTest, RefusesDataThatOffersNoFileList) {
  TestDataObject* text = TestDataObject::TextOnly("C:\\dir\\a.txt");
  DWORD effect = 0;
  EXPECT_EQ(DragAndDrop(text, 0, kAllEffects, effect), E_FAIL);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
  EXPECT_TRUE(received.empty());
  EXPECT_EQ(text->dataRequests, 0);
  text->Release();

  // A refused drag that leaves does not make the next one accepted.
  IDropTarget* target = dropObject.Target();
  TestDataObject* files = TestDataObject::Files({"C:\\dir\\a.txt"});
  effect = kAllEffects;
  target->DragEnter(files, 0, POINTL{}, &effect);
  EXPECT_EQ(target->DragLeave(), S_OK);
  TestDataObject* again = TestDataObject::TextOnly("x");
  effect = kAllEffects;
  target->DragEnter(again, 0, POINTL{}, &effect);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
  effect = kAllEffects;
  EXPECT_EQ(target->DragOver(0, POINTL{}, &effect), S_OK);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
  files->Release();
  again->Release();
}

TEST_F(DropObjectTest, ADropThroughTheObjectReplacesTheRows) {
  RenameList list;
  MarkingRules rules;
  FillWithEarlierRows(list);
  DropObject listDrop([&](const AnsiText& text) { AcceptDrop(text, list, rules); });
  TestDataObject* data = TestDataObject::Files({"C:\\dir\\x.txt", "C:\\dir\\b\\y.txt", "C:\\DIR\\z.txt"});
  DWORD effect = kAllEffects;
  const POINTL point{};
  listDrop.Target()->DragEnter(data, 0, point, &effect);
  effect = kAllEffects;
  EXPECT_EQ(listDrop.Target()->Drop(data, 0, point, &effect), E_FAIL);
  data->Release();

  EXPECT_EQ(WorkingFolder(), "C:\\dir\\");
  EXPECT_EQ(OldNames(list), Names({"x.txt", "b\\y.txt", ""}));
  EXPECT_EQ(Column(list, kPreviewColumn), Names({">x.txt", ">b\\y.txt", ">"}));

  // An empty file list leaves everything as it was.
  TestDataObject* empty = TestDataObject::Files({});
  effect = kAllEffects;
  listDrop.Target()->DragEnter(empty, 0, point, &effect);
  effect = kAllEffects;
  EXPECT_EQ(listDrop.Target()->Drop(empty, 0, point, &effect), E_FAIL);
  empty->Release();
  EXPECT_EQ(WorkingFolder(), "C:\\dir\\");
  EXPECT_EQ(OldNames(list), Names({"x.txt", "b\\y.txt", ""}));
}

TEST(DropObjectRegistration, AttachesToOneWindowOnlyAndDetachesForItsDestruction) {
  TestWindow first;
  TestWindow second;
  {
    DropObject dropObject([](const AnsiText&) {});
    EXPECT_TRUE(dropObject.RegisterDropTarget(first.Handle()));
    EXPECT_FALSE(dropObject.RegisterDropTarget(first.Handle()));
    EXPECT_FALSE(dropObject.RegisterDropTarget(second.Handle()));
    // The second window got no target: another object may still take it.
    DropObject other([](const AnsiText&) {});
    EXPECT_TRUE(other.RegisterDropTarget(second.Handle()));
    other.RevokeDropTarget();

    // The first window holds this object's target until it is revoked.
    DropObject intruder([](const AnsiText&) {});
    EXPECT_EQ(RegisterDragDrop(first.Handle(), intruder.Target()), DRAGDROP_E_ALREADYREGISTERED);
    dropObject.RevokeDropTarget();
    EXPECT_EQ(RegisterDragDrop(first.Handle(), intruder.Target()), S_OK);
    EXPECT_EQ(RevokeDragDrop(first.Handle()), S_OK);
    // Once spent, the object takes no window again.
    EXPECT_FALSE(dropObject.RegisterDropTarget(second.Handle()));
  }
  {
    // Destroying the object revokes a registration still in place.
    DropObject dropObject([](const AnsiText&) {});
    EXPECT_TRUE(dropObject.RegisterDropTarget(first.Handle()));
  }
  DropObject later([](const AnsiText&) {});
  EXPECT_TRUE(later.RegisterDropTarget(first.Handle()));
}

TEST(DropObjectRegistration, AFailedRegistrationStillCountsAsTheAttachment) {
  DropObject dropObject([](const AnsiText&) {});
  TestWindow window;
  EXPECT_FALSE(dropObject.RegisterDropTarget(reinterpret_cast<HWND>(static_cast<INT_PTR>(0x1234))));
  EXPECT_FALSE(dropObject.RegisterDropTarget(window.Handle()));
}

}  // namespace
