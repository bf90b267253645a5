#include "file_drag.h"

#include <ole2.h>
#include <shlobj.h>

#include <cstring>

namespace {

// How many times the source says "go on" before it drops: enough for OLE to enter the target
// and ask it for an effect first.
constexpr LONG kPollsBeforeDrop = 3;

bool IsFileListFormat(const FORMATETC* format) {
  return format && format->cfFormat == CF_HDROP && format->dwAspect == DVASPECT_CONTENT &&
         (format->tymed & TYMED_HGLOBAL) && format->lindex == -1;
}

HGLOBAL CopyBlock(HGLOBAL block) {
  SIZE_T size = GlobalSize(block);
  HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, size);
  if (!copy) return nullptr;
  void* from = GlobalLock(block);
  void* to = GlobalLock(copy);
  std::memcpy(to, from, size);
  GlobalUnlock(copy);
  GlobalUnlock(block);
  return copy;
}

// The dragged data: the file list and nothing else, as offered by the shell for files.
class FileListData final : public IDataObject {
 public:
  explicit FileListData(HGLOBAL block) : block_(block) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** out) override {
    if (!out) return E_POINTER;
    if (IsEqualIID(id, IID_IUnknown) || IsEqualIID(id, IID_IDataObject)) {
      *out = static_cast<IDataObject*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&refs_); }
  ULONG STDMETHODCALLTYPE Release() override {
    LONG left = InterlockedDecrement(&refs_);
    if (left == 0) delete this;
    return left;
  }

  HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override {
    if (!medium) return E_POINTER;
    if (!IsFileListFormat(format)) return DV_E_FORMATETC;
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = CopyBlock(block_);
    medium->pUnkForRelease = nullptr;
    return medium->hGlobal ? S_OK : E_OUTOFMEMORY;
  }
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override {
    return IsFileListFormat(format) ? S_OK : DV_E_FORMATETC;
  }
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
    if (out) out->ptd = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** out) override {
    if (direction != DATADIR_GET) return E_NOTIMPL;
    FORMATETC format = {CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    return SHCreateStdEnumFmtEtc(1, &format, out);
  }
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
    return OLE_E_ADVISENOTSUPPORTED;
  }
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override {
    return OLE_E_ADVISENOTSUPPORTED;
  }

 private:
  ~FileListData() { GlobalFree(block_); }

  LONG refs_ = 1;
  HGLOBAL block_;
};

// Plays the user: holds the button for a few polls, then lets go.
class ScriptedDropSource final : public IDropSource {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** out) override {
    if (!out) return E_POINTER;
    if (IsEqualIID(id, IID_IUnknown) || IsEqualIID(id, IID_IDropSource)) {
      *out = static_cast<IDropSource*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&refs_); }
  ULONG STDMETHODCALLTYPE Release() override {
    LONG left = InterlockedDecrement(&refs_);
    if (left == 0) delete this;
    return left;
  }
  HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escapePressed, DWORD) override {
    if (escapePressed) return DRAGDROP_S_CANCEL;
    return ++polls_ >= kPollsBeforeDrop ? DRAGDROP_S_DROP : S_OK;
  }
  HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }

 private:
  ~ScriptedDropSource() = default;

  LONG refs_ = 1;
  LONG polls_ = 0;
};

}  // namespace

HGLOBAL MakeFileListBlock(const std::vector<std::string>& paths) {
  SIZE_T size = sizeof(DROPFILES) + 1;
  for (const std::string& path : paths) size += path.size() + 1;
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
  if (!block) return nullptr;
  auto* header = static_cast<DROPFILES*>(GlobalLock(block));
  header->pFiles = sizeof(DROPFILES);
  header->fWide = FALSE;
  char* at = reinterpret_cast<char*>(header) + sizeof(DROPFILES);
  for (const std::string& path : paths) {
    std::memcpy(at, path.c_str(), path.size() + 1);
    at += path.size() + 1;
  }
  GlobalUnlock(block);
  return block;
}

struct FileDrag::State {
  LONG owners = 2;  // the FileDrag and its thread
  std::vector<std::string> paths;
  POINT point{};
  HRESULT result = E_PENDING;
  DWORD effect = 0;

  void Leave() {
    if (InterlockedDecrement(&owners) == 0) delete this;
  }
};

FileDrag::~FileDrag() {
  if (thread_) CloseHandle(thread_);
  if (state_) state_->Leave();
}

bool FileDrag::Start(const std::vector<std::string>& paths, POINT screenPoint) {
  state_ = new State;
  state_->paths = paths;
  state_->point = screenPoint;
  thread_ = CreateThread(nullptr, 0, &FileDrag::Run, state_, 0, nullptr);
  if (!thread_) state_->Leave();  // the thread's share: it never ran
  return thread_ != nullptr;
}

bool FileDrag::Wait(DWORD timeoutMs) {
  return thread_ && WaitForSingleObject(thread_, timeoutMs) == WAIT_OBJECT_0;
}

HRESULT FileDrag::result() const {
  return state_ ? state_->result : E_PENDING;
}
DWORD FileDrag::effect() const {
  return state_ ? state_->effect : 0;
}

DWORD WINAPI FileDrag::Run(void* param) {
  auto* drag = static_cast<State*>(param);
  HRESULT hr = OleInitialize(nullptr);
  if (FAILED(hr)) {
    drag->result = hr;
    drag->Leave();
    return 0;
  }
  HGLOBAL block = MakeFileListBlock(drag->paths);
  if (!block) {
    drag->result = E_OUTOFMEMORY;
  } else {
    IDataObject* data = new FileListData(block);
    IDropSource* source = new ScriptedDropSource;
    SetCursorPos(drag->point.x, drag->point.y);
    DWORD effect = 0;
    HRESULT result = DoDragDrop(data, source, DROPEFFECT_COPY | DROPEFFECT_MOVE, &effect);
    drag->effect = effect;
    drag->result = result;
    source->Release();
    data->Release();
  }
  OleUninitialize();
  drag->Leave();
  return 0;
}
