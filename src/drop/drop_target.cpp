// The drop target object: the OLE side of a drop area and the FilesDropped event.
#include "drop/drop_target.h"

#include <shlobj.h>

#include <new>

#include "drop/dropped_paths.h"
#include "system/allocator.h"
#include "system/runtime_error.h"
#include "ui/events.h"

struct DropTarget final : IDropTarget {
  DropTarget(uint32_t windowIdIn, uint32_t unitIdIn, const DropTargetSettings& settings)
      : acceptText(settings.acceptText),
        acceptHtml(settings.acceptHtml),
        acceptUrl(settings.acceptUrl),
        acceptFiles(settings.acceptFiles),
        windowId(windowIdIn),
        unitId(unitIdIn) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keyState, POINTL point,
                                      DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragOver(DWORD keyState, POINTL point, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragLeave() override;
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keyState, POINTL point,
                                 DWORD* effect) override;

  void DeliverFiles(IDataObject* data);

  int32_t acceptText;
  int32_t acceptHtml;
  int32_t acceptUrl;
  int32_t acceptFiles;
  HWND dropWindow = nullptr;
  bool dataAccepted = false;
  IDropTargetHelper* dragImageHelper = nullptr;
  // One thread only: OLE calls the object on the thread that registered it.
  ULONG refCount = 1;
  uint32_t windowId;
  uint32_t unitId;
};

namespace {

constexpr char kUnitMissingMessage[] = "指定窗口或窗口组件不存在或尚未载入";

// The one format the dragged data is ever asked about or read in: the shell's file list.
FORMATETC FileListFormat() {
  FORMATETC format;
  format.cfFormat = CF_HDROP;
  format.ptd = nullptr;
  format.dwAspect = DVASPECT_CONTENT;
  format.lindex = -1;
  format.tymed = TYMED_HGLOBAL;
  return format;
}

POINT ToPoint(POINTL point) {
  POINT result;
  result.x = point.x;
  result.y = point.y;
  return result;
}

}  // namespace

HRESULT DropTarget::QueryInterface(REFIID iid, void** object) {
  if (object == nullptr) return E_POINTER;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDropTarget)) {
    *object = static_cast<IDropTarget*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG DropTarget::AddRef() {
  return ++refCount;
}

// The interface lives exactly as long as the object: the count never frees anything, the owner of
// the unit does.
ULONG DropTarget::Release() {
  return --refCount;
}

HRESULT DropTarget::DragEnter(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) {
  if (dragImageHelper != nullptr) {
    POINT at = ToPoint(point);
    dragImageHelper->DragEnter(dropWindow, data, &at, *effect);
  }
  // Acceptance is settled once per entry; DragOver only weighs the keys against it.
  FORMATETC format = FileListFormat();
  dataAccepted = acceptFiles != 0 && data != nullptr && data->QueryGetData(&format) == S_OK;
  ChooseDropEffect(dataAccepted, keyState, effect);
  return S_OK;
}

HRESULT DropTarget::DragOver(DWORD keyState, POINTL point, DWORD* effect) {
  if (dragImageHelper != nullptr) {
    POINT at = ToPoint(point);
    dragImageHelper->DragOver(&at, *effect);
  }
  ChooseDropEffect(dataAccepted, keyState, effect);
  return S_OK;
}

HRESULT DropTarget::DragLeave() {
  if (dragImageHelper != nullptr) dragImageHelper->DragLeave();
  dataAccepted = false;
  return S_OK;
}

// Drop answers E_FAIL even after a delivery: the drag source must never delete what it dragged
// here, whatever effect the keys chose.
HRESULT DropTarget::Drop(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) {
  if (dragImageHelper != nullptr) {
    POINT at = ToPoint(point);
    dragImageHelper->Drop(data, &at, *effect);
  }
  if (!ChooseDropEffect(dataAccepted, keyState, effect)) return E_FAIL;
  // Text, HTML and URLs are switched off in every layout this program has; only files are read.
  if (acceptFiles != 0 && data != nullptr) DeliverFiles(data);
  return E_FAIL;
}

void DropTarget::DeliverFiles(IDataObject* data) {
  FORMATETC format = FileListFormat();
  STGMEDIUM medium = {};
  if (FAILED(data->GetData(&format, &medium))) return;
  if (medium.tymed != TYMED_HGLOBAL) {
    ReleaseStgMedium(&medium);
    return;
  }
  DroppedPaths paths;
  ReadDroppedPaths(medium.hGlobal, &paths);
  // The handler may run a whole batch with message boxes in between: the source's medium is not
  // held across it.
  ReleaseStgMedium(&medium);

  Text delivered = JoinDroppedPaths(paths);
  EventArguments arguments;
  arguments.text = &delivered;
  RaiseEvent(windowId, unitId, kEventFilesDropped, arguments);
  // The handler has the text by reference: what goes now is whatever it left there.
  delivered.Reset();
  paths.Release();
}

DropTarget* CreateDropTarget(uint32_t windowId, uint32_t unitId,
                             const DropTargetSettings& settings) {
  void* block = AllocateBlock(sizeof(DropTarget));
  DropTarget* target = new (block) DropTarget(windowId, unitId, settings);
  void* helper = nullptr;
  // Without the helper no image is drawn over the area; effects and delivery stay the same.
  if (SUCCEEDED(CoCreateInstance(CLSID_DragDropHelper, nullptr, CLSCTX_INPROC_SERVER,
                                 IID_IDropTargetHelper, &helper))) {
    target->dragImageHelper = static_cast<IDropTargetHelper*>(helper);
  }
  return target;
}

void DestroyDropTarget(DropTarget* target) {
  if (target == nullptr) return;
  if (target->dropWindow != nullptr) RevokeDragDrop(target->dropWindow);
  if (target->dragImageHelper != nullptr) {
    target->dragImageHelper->Release();
    target->dragImageHelper = nullptr;
  }
  target->~DropTarget();
  ReleaseBlock(target);
}

bool RegisterDropWindow(DropTarget* target, uint32_t windowHandle) {
  if (target == nullptr) ReportRuntimeError(0, kUnitMissingMessage);
  if (target->dropWindow != nullptr) return false;
  // Kept even when OLE refuses it: one object gets one try at one window.
  target->dropWindow = reinterpret_cast<HWND>(static_cast<uintptr_t>(windowHandle));
  return RegisterDragDrop(target->dropWindow, target) == S_OK;
}

IDropTarget* AsDropTarget(DropTarget* target) {
  return target;
}
