// The recording drag-image helper and the class factory that stands in for the shell's.
#include "recording_drag_image_helper.h"

#include <shlguid.h>

namespace {

class RecordingHelper final : public IDropTargetHelper {
 public:
  explicit RecordingHelper(HelperRecord* record) : record_(record) { ++record_->liveReferences; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDropTargetHelper)) {
      *object = static_cast<IDropTargetHelper*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override {
    ++record_->liveReferences;
    return ++refCount_;
  }
  ULONG STDMETHODCALLTYPE Release() override {
    --record_->liveReferences;
    const LONG count = --refCount_;
    if (count == 0) delete this;
    return count;
  }
  HRESULT STDMETHODCALLTYPE DragEnter(HWND window, IDataObject* data, POINT* point,
                                      DWORD effect) override {
    Add("DragEnter", window, data != nullptr, point, effect);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE DragLeave() override {
    Add("DragLeave", nullptr, false, nullptr, 0);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE DragOver(POINT* point, DWORD effect) override {
    Add("DragOver", nullptr, false, point, effect);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, POINT* point, DWORD effect) override {
    Add("Drop", nullptr, data != nullptr, point, effect);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Show(BOOL) override { return S_OK; }

 private:
  void Add(const char* method, HWND window, bool hadData, const POINT* point, DWORD effect) {
    HelperCall call;
    call.method = method;
    call.window = window;
    call.hadData = hadData;
    if (point != nullptr) call.point = *point;
    call.effect = effect;
    record_->calls.push_back(call);
  }

  LONG refCount_ = 1;
  HelperRecord* record_;
};

class HelperFactory final : public IClassFactory {
 public:
  HelperFactory(HelperRecord* record, bool refuse) : record_(record), refuse_(refuse) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory)) {
      *object = static_cast<IClassFactory*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refCount_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG count = --refCount_;
    if (count == 0) delete this;
    return count;
  }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override {
    *object = nullptr;
    if (outer != nullptr) return CLASS_E_NOAGGREGATION;
    if (refuse_) return E_OUTOFMEMORY;
    auto* helper = new RecordingHelper(record_);
    ++record_->created;
    const HRESULT result = helper->QueryInterface(iid, object);
    helper->Release();
    return result;
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

 private:
  LONG refCount_ = 1;
  HelperRecord* record_;
  bool refuse_;
};

}  // namespace

RecordingHelperRegistration::RecordingHelperRegistration(HelperRecord* record, bool refuse)
    : factory_(new HelperFactory(record, refuse)) {
  registerResult = CoRegisterClassObject(CLSID_DragDropHelper, factory_, CLSCTX_INPROC_SERVER,
                                         REGCLS_MULTIPLEUSE, &cookie_);
}

RecordingHelperRegistration::~RecordingHelperRegistration() {
  if (SUCCEEDED(registerResult)) CoRevokeClassObject(cookie_);
  factory_->Release();
}
