#include "tests/host/WindowsEditorHost.h"

#include <algorithm>
#include <vector>

namespace testhost
{

DialogWatchdog::DialogWatchdog(Answer answer, std::chrono::milliseconds limit)
: mAnswer(std::move(answer))
, mThread([this, limit] { Run(limit); })
{}

DialogWatchdog::~DialogWatchdog()
{
  mStop = true;
  mThread.join();
  DismissAll();
}

void DialogWatchdog::Run(std::chrono::milliseconds limit)
{
  const auto end = std::chrono::steady_clock::now() + limit;
  std::vector<HWND> answered;
  while (!mStop)
  {
    if (std::chrono::steady_clock::now() > end)
    {
      mTimedOut = true;
      DismissAll();
      return;
    }
    for (HWND dialog : ProcessWindowsOfClass(L"#32770"))
    {
      if (std::find(answered.begin(), answered.end(), dialog) != answered.end())
        continue;
      answered.push_back(dialog);
      mAnswer(dialog);
      ++mAnswered;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

void DialogWatchdog::DismissAll()
{
  for (HWND dialog : ProcessWindowsOfClass(L"#32770"))
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  // A menu and each of its open submenus take one Escape.
  for (HWND menu : ProcessWindowsOfClass(L"#32768"))
    PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
}

void SetDialogItemText(HWND dialog, int id, const std::wstring& text)
{
  if (HWND item = GetDlgItem(dialog, id))
    SendMessageTimeoutW(item, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_ABORTIFHUNG, 2000, nullptr);
}

} // namespace testhost
