// The library as a COM server: class object, lock counting, exports and resources.
#include <windows.h>

#include "plugin_host_fixture.h"

namespace notifications_test {
namespace {

using ComServerTest = PluginHostTest;

constexpr CLSID kUnknownClass = {
    0x11111111, 0x2222, 0x3333, {0x44, 0x44, 0x55, 0x55, 0x55, 0x55, 0x55, 0x55}};

TEST_F(ComServerTest, ExportsTheClassIdentifierAsData) {
  const CLSID* exported = library_.ExportedClassId();
  ASSERT_NE(nullptr, exported);
  EXPECT_TRUE(IsEqualCLSID(notifications::kClsidDownloadLibPlugin, *exported));
}

TEST_F(ComServerTest, CanUnloadOnlyWhileNoObjectLives) {
  EXPECT_EQ(S_OK, library_.CanUnloadNow()) << "right after loading";
  MakePlugin();
  EXPECT_EQ(S_FALSE, library_.CanUnloadNow()) << "while a plug-in object lives";
  plugin_.reset();
  EXPECT_EQ(S_OK, library_.CanUnloadNow()) << "after the last release";
}

TEST_F(ComServerTest, HandsOutOneCachedFactoryThatLocksOnlyWhileHeld) {
  com::com_ptr<IClassFactory> first, second;
  ASSERT_EQ(S_OK, library_.GetClassObject(notifications::kClsidDownloadLibPlugin,
                                          IID_IClassFactory, first.receive_void()));
  ASSERT_EQ(S_OK, library_.GetClassObject(notifications::kClsidDownloadLibPlugin, IID_IUnknown,
                                          second.receive_void()));
  com::com_ptr<IUnknown> first_identity;
  first->QueryInterface(IID_IUnknown, first_identity.receive_void());
  EXPECT_EQ(first_identity.get(), second.get());
  EXPECT_EQ(S_FALSE, library_.CanUnloadNow());
  first.reset();
  first_identity.reset();
  second.reset();
  EXPECT_EQ(S_OK, library_.CanUnloadNow());

  ASSERT_EQ(S_OK, library_.GetClassObject(notifications::kClsidDownloadLibPlugin,
                                          IID_IClassFactory, first.receive_void()));
  EXPECT_EQ(S_OK, first->LockServer(TRUE));
  first.reset();
  EXPECT_EQ(S_FALSE, library_.CanUnloadNow()) << "an explicit server lock";
  ASSERT_EQ(S_OK, library_.GetClassObject(notifications::kClsidDownloadLibPlugin,
                                          IID_IClassFactory, first.receive_void()));
  EXPECT_EQ(S_OK, first->LockServer(FALSE));
  first.reset();
  EXPECT_EQ(S_OK, library_.CanUnloadNow());
}

TEST_F(ComServerTest, RefusesUnknownClassesAndNullOutPointers) {
  void* object = reinterpret_cast<void*>(1);
  EXPECT_EQ(CLASS_E_CLASSNOTAVAILABLE,
            library_.GetClassObject(kUnknownClass, IID_IClassFactory, &object));
  EXPECT_EQ(nullptr, object);
  EXPECT_EQ(E_POINTER, library_.GetClassObject(notifications::kClsidDownloadLibPlugin,
                                               IID_IClassFactory, nullptr));
  EXPECT_EQ(S_OK, library_.CanUnloadNow());
}

TEST_F(ComServerTest, CreateInstanceServesOnlyTheUnknownAndThePluginInterface) {
  com::com_ptr<IClassFactory> factory;
  ASSERT_EQ(S_OK, library_.GetClassObject(notifications::kClsidDownloadLibPlugin,
                                          IID_IClassFactory, factory.receive_void()));
  struct Case {
    const IID* iid;
    HRESULT expected;
  };
  const Case cases[] = {
      {&IID_IUnknown, S_OK},
      {&notifications::IID_IDownloadLibPlugin, S_OK},
      {&notifications::IID_INotifications, E_NOINTERFACE},
      {&IID_IClassFactory, E_NOINTERFACE},
      {&IID_IDispatch, E_NOINTERFACE},
  };
  for (const Case& c : cases) {
    void* object = reinterpret_cast<void*>(1);
    EXPECT_EQ(c.expected, factory->CreateInstance(nullptr, *c.iid, &object));
    if (SUCCEEDED(c.expected)) {
      ASSERT_NE(nullptr, object);
      static_cast<IUnknown*>(object)->Release();
    } else {
      EXPECT_EQ(nullptr, object);
    }
  }
  EXPECT_EQ(E_POINTER, factory->CreateInstance(nullptr, IID_IUnknown, nullptr));

  // Aggregation is refused and leaves the out pointer null.
  void* aggregated = reinterpret_cast<void*>(1);
  EXPECT_EQ(CLASS_E_NOAGGREGATION,
            factory->CreateInstance(reinterpret_cast<IUnknown*>(factory.get()), IID_IUnknown,
                                    &aggregated));
  EXPECT_EQ(nullptr, aggregated);

  factory.reset();
  EXPECT_EQ(S_OK, library_.CanUnloadNow()) << "refused interfaces left a lock behind";
}

TEST_F(ComServerTest, RegistrationReportsTheMissingScriptAndLeavesTheRegistryAlone) {
  const HRESULT missing_script = HRESULT_FROM_WIN32(ERROR_RESOURCE_TYPE_NOT_FOUND);
  EXPECT_EQ(missing_script, library_.RegisterServer());
  EXPECT_EQ(missing_script, library_.UnregisterServer());
  HKEY key = nullptr;
  EXPECT_NE(ERROR_SUCCESS,
            RegOpenKeyExW(HKEY_CLASSES_ROOT, L"CLSID\\{9346072D-1CB2-4682-AE01-B18BF03BFA6C}", 0,
                          KEY_READ, &key));
  if (key) RegCloseKey(key);
}

std::wstring VersionString(const std::vector<BYTE>& block, const wchar_t* name) {
  void* value = nullptr;
  UINT length = 0;
  std::wstring path = std::wstring(L"\\StringFileInfo\\040904b0\\") + name;
  if (!VerQueryValueW(block.data(), path.c_str(), &value, &length) || !value) return L"<none>";
  return std::wstring(static_cast<const wchar_t*>(value));
}

TEST_F(ComServerTest, CarriesVersionStringsAndManifestResources) {
  const std::wstring path = test_support::BinDir() + L"\\notifications.dll";
  DWORD handle = 0;
  std::vector<BYTE> block(GetFileVersionInfoSizeW(path.c_str(), &handle));
  ASSERT_FALSE(block.empty());
  ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(block.size()), block.data()));

  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(MAKELONG(0, 1), fixed->dwFileVersionMS);
  EXPECT_EQ(MAKELONG(7, 5), fixed->dwFileVersionLS);
  EXPECT_EQ(MAKELONG(0, 1), fixed->dwProductVersionMS);
  EXPECT_EQ(MAKELONG(7, 5), fixed->dwProductVersionLS);

  struct Translation {
    WORD language, code_page;
  }* translation = nullptr;
  ASSERT_TRUE(VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation",
                             reinterpret_cast<void**>(&translation), &length));
  EXPECT_EQ(0x0409, translation->language);
  EXPECT_EQ(1200, translation->code_page);

  for (const wchar_t* name : {L"Comments", L"FileDescription", L"InternalName", L"ProductName"})
    EXPECT_EQ(L"notifications", VersionString(block, name)) << name;
  EXPECT_EQ(L"notifications.dll", VersionString(block, L"OriginalFilename"));
  EXPECT_EQ(L"1,0,5,7", VersionString(block, L"FileVersion"));
  EXPECT_EQ(L"1,0,5,7", VersionString(block, L"ProductVersion"));

  // String 100 sits in block 7 of the string table, in Simplified Chinese (2052).
  HMODULE module = library_.module();
  HRSRC strings = FindResourceExW(module, RT_STRING, MAKEINTRESOURCEW(100 / 16 + 1), 2052);
  ASSERT_NE(nullptr, strings);
  const WCHAR* entry = static_cast<const WCHAR*>(LockResource(LoadResource(module, strings)));
  for (int skip = 0; skip < 100 % 16; ++skip) entry += 1 + *entry;
  EXPECT_EQ(L"notifications", std::wstring(entry + 1, *entry));

  HRSRC manifest = FindResourceW(module, MAKEINTRESOURCEW(2), RT_MANIFEST);
  ASSERT_NE(nullptr, manifest);
  std::string text(static_cast<const char*>(LockResource(LoadResource(module, manifest))),
                   SizeofResource(module, manifest));
  EXPECT_NE(std::string::npos, text.find("level=\"asInvoker\" uiAccess=\"false\"")) << text;
}

}  // namespace
}  // namespace notifications_test
