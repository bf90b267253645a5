// The running tool seen from another process: its main window, its controls (found by their
// native control ids) and its message boxes. Every call goes through the window system only, as
// a user's actions would.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The native control ids, given in creation order, 10 apart.
namespace native_id {
inline constexpr int 分组框1 = 100;
inline constexpr int 编辑框1 = 110;  // the text to find
inline constexpr int 编辑框2 = 120;  // the output folder
inline constexpr int 分组框2 = 130;
inline constexpr int 分组框3 = 140;  // the drop area
// 150 is 拖放对象1, which has no window.
inline constexpr int 编辑框3 = 160;  // the replacement
inline constexpr int 分组框4 = 170;
inline constexpr int 分组框5 = 180;
inline constexpr int 编辑框4 = 190;  // the log
}  // namespace native_id

// A path given on the command line as a Linux path (/...) becomes Z:\...; Wine maps Z: to /.
std::string ToWindowsPath(std::string path);

struct ToolProcess {
  PROCESS_INFORMATION process{};
  HWND mainWindow = nullptr;
};

// Starts `exePath` with `currentFolder` as its current folder and waits until its main window is
// visible. `error` says what went wrong on false.
bool StartTool(const std::string& exePath, const std::string& currentFolder, ToolProcess* tool,
               std::string* error);

// Asks the main window to close and waits for the process; its exit code, or -1 on time-out.
long CloseTool(ToolProcess* tool, DWORD timeoutMs);

// Ends the process outright, if it still runs, and releases the handles.
void KillTool(ToolProcess* tool);

// The descendant window of `parent` with the control id; null when there is none.
HWND FindControl(HWND parent, int id);

// Text of any window, read with WM_GETTEXT; false on time-out (the tool is busy).
bool ReadWindowText(HWND window, std::string* text);
bool WriteWindowText(HWND window, const std::string& text);

struct MessageBoxSeen {
  HWND window = nullptr;
  std::string caption;
  std::string text;
  HWND okButton = nullptr;
  HWND cancelButton = nullptr;
};

// A visible message box (#32770) of the process other than `previous`, or null.
HWND FindMessageBox(DWORD processId, HWND previous);
// The same, skipping every box in `known`.
HWND FindMessageBox(DWORD processId, const std::vector<HWND>& known);

// Waits for a message box of the process, other than those in `known`, and reads it; false on
// time-out.
bool WaitForMessageBox(DWORD processId, const std::vector<HWND>& known, DWORD timeoutMs,
                       MessageBoxSeen* box);

// Presses a button of the box (IDOK or IDCANCEL) without waiting for the box to act on it.
bool PressButton(const MessageBoxSeen& box, int buttonId);

// Waits until the window is gone; false on time-out.
bool WaitUntilGone(HWND window, DWORD timeoutMs);

// A point inside the control, in screen coordinates, `inset` pixels in from its top left.
POINT PointInside(HWND control, int insetX, int insetY);
