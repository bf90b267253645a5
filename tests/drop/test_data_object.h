// Dragged data of the tests' own: a shell file list in an HGLOBAL (ANSI paths), or data that
// offers no file list. It counts what the drop target asks of it.
#pragma once

#include <ole2.h>
#include <windows.h>

#include <string>
#include <vector>

struct FormatSeen {
  CLIPFORMAT cfFormat = 0;
  bool hasTargetDevice = false;
  DWORD dwAspect = 0;
  LONG lindex = 0;
  DWORD tymed = 0;
};

class TestDataObject final : public IDataObject {
 public:
  // Offers the paths as CF_HDROP (DROPFILES, fWide FALSE).
  static TestDataObject* WithFiles(const std::vector<std::string>& paths);
  // Offers only CF_TEXT; asked for a file list, it has none.
  static TestDataObject* TextOnly(const std::string& text);

  // What QueryGetData answers for CF_HDROP (a source may say S_FALSE and still give the data).
  HRESULT fileListQueryResult = S_OK;
  // What GetData answers for CF_HDROP when it does not give the data; S_OK gives it.
  HRESULT fileListGetResult = S_OK;

  int queryGetDataCalls = 0;
  int getDataCalls = 0;
  int mediaGiven = 0;
  int mediaReleased = 0;
  std::vector<FormatSeen> formatsAsked;  // by QueryGetData and GetData, in order

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override;
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC* format, STGMEDIUM* medium) override;
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override;
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC* in, FORMATETC* out) override;
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC* format, STGMEDIUM* medium, BOOL release) override;
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats) override;
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC* format, DWORD flags, IAdviseSink* sink,
                                    DWORD* connection) override;
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD connection) override;
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA** advises) override;

 private:
  TestDataObject() = default;
  ~TestDataObject() = default;
  void Record(const FORMATETC* format);

  LONG refCount_ = 1;
  bool offersFiles_ = false;
  std::string fileList_;  // the DROPFILES block and the double-zero-ended path list
  std::string text_;
};

// Owns a reference to a COM object for a test's scope.
template <typename T>
struct ComRef {
  T* object = nullptr;
  explicit ComRef(T* created) : object(created) {}
  ComRef(const ComRef&) = delete;
  ComRef& operator=(const ComRef&) = delete;
  ~ComRef() {
    if (object != nullptr) object->Release();
  }
  T* operator->() const { return object; }
  T* get() const { return object; }
};
