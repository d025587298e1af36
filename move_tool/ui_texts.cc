#include "move_tool/ui_texts.h"

const wchar_t kWindowTitle[] = L"移动澄舟目录";
const wchar_t kClosingClientText[] = L"正在关闭澄舟...";
const wchar_t kPreparingText[] = L"准备数据...";
const wchar_t kMovingText[] = L"正在移动...";
const wchar_t kMoveDoneText[] = L"移动完成，即将重启澄舟...";
const wchar_t kMessageBoxCaption[] = L"澄舟";

const wchar_t* MoveErrorText(DWORD error_code) {
  if (error_code == ERROR_DISK_FULL) return L"目标磁盘空间已满，更改澄舟同步目录失败！";
  return L"其他程序正占用澄舟内的文件，更改澄舟同步目录失败！请关闭相关程序后重试。";
}
