// Helpers of the move tool's tests: scratch folders on the test drives, sample trees and
// manifests that compare trees byte for byte.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace move_test {

// A fresh folder directly below the root of `drive` ('M' and 'N' are separate volumes of the
// test prefix), removed with everything in it.
class ScratchFolder {
 public:
  explicit ScratchFolder(wchar_t drive);
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const std::wstring& path() const { return path_; }
  std::wstring Join(const std::wstring& name) const { return path_ + L"\\" + name; }

 private:
  std::wstring path_;
};

// A source folder below M: and a target folder below `target_drive` (M: for moves within one
// volume, N: for moves across volumes), both created, both removed with all in them.
class MoveFolders {
 public:
  explicit MoveFolders(wchar_t target_drive);
  bool same_volume() const { return target_root_.path()[0] == L'M'; }

 protected:
  ScratchFolder source_root_;
  ScratchFolder target_root_;
  std::wstring source_;
  std::wstring target_;
};

// Names the target drive parameters 'M' and 'N' "SameVolume" and "OtherVolume".
std::string VolumeParamName(const ::testing::TestParamInfo<wchar_t>& info);

// What a tree holds: relative path -> kind, attributes, size and content hash.
struct ManifestEntry {
  bool is_folder = false;
  bool hidden = false;
  LONGLONG size = 0;
  unsigned long long hash = 0;
  bool operator==(const ManifestEntry& other) const {
    return is_folder == other.is_folder && hidden == other.hidden && size == other.size &&
           hash == other.hash;
  }
};
typedef std::map<std::wstring, ManifestEntry> Manifest;

// Every entry below `root` (the root itself not included); empty for a missing folder.
Manifest TakeManifest(const std::wstring& root);
// Lines "path: what" for the differences, or "" when equal; for readable failures.
std::string DescribeDifferences(const Manifest& expected, const Manifest& actual);
LONGLONG TotalFileSize(const Manifest& manifest);
// Relative paths of the files (not folders) in listing order of the manifest.
std::vector<std::wstring> FilePaths(const Manifest& manifest);

// Creates a file with `size` bytes of content derived from `seed`.
bool WriteSampleFile(const std::wstring& path, size_t size, unsigned seed);
// Creates `folder` and its missing parents.
bool MakeFolders(const std::wstring& folder);

// Fills `root` (which exists) with a tree of at least `min_files` files: nested folders,
// empty folders, a hidden file and a file with a Chinese name.
void BuildSampleTree(const std::wstring& root, int min_files);

// A window on the calling thread that records the move worker's notifications, standing in
// for the dialog. Notifications sent from this thread arrive at once; from another thread
// they arrive while PumpUntil runs.
class NotificationRecorder {
 public:
  struct Notice {
    WPARAM kind;
    LONGLONG value;  // the pointed-to count, or the value itself
  };

  NotificationRecorder();
  ~NotificationRecorder();
  NotificationRecorder(const NotificationRecorder&) = delete;
  NotificationRecorder& operator=(const NotificationRecorder&) = delete;

  HWND hwnd() const { return hwnd_; }
  const std::vector<Notice>& notices() const { return notices_; }
  std::vector<LONGLONG> ValuesOf(WPARAM kind) const;
  void Clear() { notices_.clear(); }

  // Called while an error notification is handled (the sender waits meanwhile).
  void OnError(void (*handler)(void* context, DWORD code), void* context);
  // Destroys the window while the start notification is handled, as if the dialog were gone.
  void DestroyOnStart() { destroy_on_start_ = true; }

  // Handles messages until a notification of `kind` has arrived; false after `timeout_ms`.
  bool PumpUntil(WPARAM kind, DWORD timeout_ms);

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

  HWND hwnd_ = nullptr;
  std::vector<Notice> notices_;
  void (*error_handler_)(void*, DWORD) = nullptr;
  void* error_context_ = nullptr;
  bool destroy_on_start_ = false;
};

}  // namespace move_test
