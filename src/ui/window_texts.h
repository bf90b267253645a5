// Every text the main window shows or reports, in code page 936 as the user sees it.
#pragma once

// The title bar: a publisher label, " - ", then the tool's title.
inline constexpr char kMainWindowCaption[] = "青柠小工具 - 改名复制";

// Captions of the group boxes. The parentheses, colons and the space are single-byte ASCII.
inline constexpr char kSearchBoxCaption[] = "要从文件名中替换的文字(不区分大小写):";
inline constexpr char kReplacementBoxCaption[] = "将上面文字替换为(为空则是删除):";
inline constexpr char kOutputBoxCaption[] = "重命名后文件输出目录:";
inline constexpr char kDropAreaCaption[] = "将要改名的文件拖拽到框内(可多个) 拖拽完成立刻开始复制";
inline constexpr char kLogBoxCaption[] = "替换日志";

// Fatal reports of control access.
inline constexpr char kWindowNotLoadedMessage[] = "未载入欲访问窗口组件所在的窗口";
inline constexpr char kUnitNotLoadedMessage[] = "指定窗口尚未载入";
inline constexpr char kUnitMissingMessage[] = "指定窗口或窗口组件不存在或尚未载入";

// Fatal reports of start-up and event dispatch.
inline constexpr char kLayoutUnreadableMessage[] = "载入窗口模板数据段出错!";
inline constexpr char kStartWindowFailedMessage[] = "载入启动窗口失败";
inline constexpr char kEventWindowMissingMessage[] = "未找到引发事件的窗口";
inline constexpr char kEventUnitMissingMessage[] = "未找到引发事件的窗口组件";
inline constexpr char kEventUnitInvalidMessage[] = "引发事件的窗口组件无效";

// The default output directory, under the run directory: one backslash, then "output".
inline constexpr char kOutputFolderSuffix[] = "\\output";
