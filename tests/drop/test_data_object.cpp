// The tests' dragged data. Every medium it gives carries its own releaser, so the tests see when
// the drop target hands the medium back.
#include "test_data_object.h"

#include <shlobj.h>

#include <cstring>

namespace {

// Frees one medium's HGLOBAL when ReleaseStgMedium releases it, and tells the data object.
class MediumReleaser final : public IUnknown {
 public:
  MediumReleaser(HGLOBAL memory, int* released) : memory_(memory), released_(released) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (IsEqualIID(iid, IID_IUnknown)) {
      *object = this;
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refCount_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG count = --refCount_;
    if (count == 0) {
      GlobalFree(memory_);
      ++*released_;
      delete this;
    }
    return count;
  }

 private:
  LONG refCount_ = 1;
  HGLOBAL memory_;
  int* released_;
};

bool IsFileListRequest(const FORMATETC* format) {
  return format->cfFormat == CF_HDROP && (format->tymed & TYMED_HGLOBAL) != 0;
}

}  // namespace

TestDataObject* TestDataObject::WithFiles(const std::vector<std::string>& paths) {
  auto* data = new TestDataObject();
  data->offersFiles_ = true;
  DROPFILES header = {};
  header.pFiles = sizeof(DROPFILES);
  header.fWide = FALSE;
  data->fileList_.assign(reinterpret_cast<const char*>(&header), sizeof(header));
  for (const std::string& path : paths) {
    data->fileList_ += path;
    data->fileList_ += '\0';
  }
  // The list ends in an empty name; an empty list is that empty name alone.
  data->fileList_ += '\0';
  if (paths.empty()) data->fileList_ += '\0';
  return data;
}

TestDataObject* TestDataObject::TextOnly(const std::string& text) {
  auto* data = new TestDataObject();
  data->text_ = text;
  return data;
}

void TestDataObject::Record(const FORMATETC* format) {
  FormatSeen seen;
  seen.cfFormat = format->cfFormat;
  seen.hasTargetDevice = format->ptd != nullptr;
  seen.dwAspect = format->dwAspect;
  seen.lindex = format->lindex;
  seen.tymed = format->tymed;
  formatsAsked.push_back(seen);
}

HRESULT TestDataObject::QueryInterface(REFIID iid, void** object) {
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDataObject)) {
    *object = static_cast<IDataObject*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG TestDataObject::AddRef() {
  return ++refCount_;
}

ULONG TestDataObject::Release() {
  const LONG count = --refCount_;
  if (count == 0) delete this;
  return count;
}

HRESULT TestDataObject::QueryGetData(FORMATETC* format) {
  ++queryGetDataCalls;
  Record(format);
  if (IsFileListRequest(format)) return offersFiles_ ? fileListQueryResult : DV_E_FORMATETC;
  if (format->cfFormat == CF_TEXT && !offersFiles_) return S_OK;
  return DV_E_FORMATETC;
}

HRESULT TestDataObject::GetData(FORMATETC* format, STGMEDIUM* medium) {
  ++getDataCalls;
  Record(format);
  const std::string* bytes = nullptr;
  if (IsFileListRequest(format) && offersFiles_) {
    if (fileListGetResult != S_OK) return fileListGetResult;
    bytes = &fileList_;
  } else if (format->cfFormat == CF_TEXT && !offersFiles_) {
    bytes = &text_;
  } else {
    return DV_E_FORMATETC;
  }
  // The text medium carries its terminator; the file list already ends in its own zeros.
  const size_t size = bytes->size() + (bytes == &text_ ? 1 : 0);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
  if (memory == nullptr) return E_OUTOFMEMORY;
  void* view = GlobalLock(memory);
  std::memcpy(view, bytes->data(), bytes->size());
  GlobalUnlock(memory);
  medium->tymed = TYMED_HGLOBAL;
  medium->hGlobal = memory;
  medium->pUnkForRelease = new MediumReleaser(memory, &mediaReleased);
  ++mediaGiven;
  return S_OK;
}

HRESULT TestDataObject::GetDataHere(FORMATETC*, STGMEDIUM*) {
  return E_NOTIMPL;
}

HRESULT TestDataObject::GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) {
  if (out != nullptr) out->ptd = nullptr;
  return E_NOTIMPL;
}

HRESULT TestDataObject::SetData(FORMATETC*, STGMEDIUM*, BOOL) {
  return E_NOTIMPL;
}

HRESULT TestDataObject::EnumFormatEtc(DWORD, IEnumFORMATETC** formats) {
  *formats = nullptr;
  return E_NOTIMPL;
}

HRESULT TestDataObject::DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) {
  return OLE_E_ADVISENOTSUPPORTED;
}

HRESULT TestDataObject::DUnadvise(DWORD) {
  return OLE_E_ADVISENOTSUPPORTED;
}

HRESULT TestDataObject::EnumDAdvise(IEnumSTATDATA**) {
  return OLE_E_ADVISENOTSUPPORTED;
}
